#include "voiceswindow.h"

#include "i18n/languagechoice.h"
#include "platform/datafolder.h"
#include "platform/soundplayer.h"
#include "ui/builder.h"
#include "ui/buttonstyle.h"
#include "ui/design.h"
#include "ui/flowlayout.h"
#include "voices/recorder.h"
#include "voices/voicepack.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QFrame>
#include <QIcon>
#include <QScreen>

#include <algorithm>
#include <chrono>

using voices::Change;
using voices::kVoiceCount;

namespace {

// What each button of a row says, its icon, and its accessible name with
// the sound's title in place of %1; translated where they are shown. The
// icon is the desktop theme's where it has one, else the program's own
// (`ownIcon`), which travels with it; the sound's own actions (listen,
// record, stop) always have the program's, coloured: some themes draw
// theirs pale grey, as if they could not be pressed.
struct ActionText
{
    const char *caption;
    const char *themeIcon; // none for the sound's own actions
    const char *ownIcon;
    const char *accessible;
};

constexpr std::array<ActionText, 7> kActions = {{
    {QT_TRANSLATE_NOOP("VoicesWindow", "Listen"), nullptr, ":/icons/listen.svg",
     QT_TRANSLATE_NOOP("VoicesWindow", "Listen to %1")},
    {QT_TRANSLATE_NOOP("VoicesWindow", "Record"), nullptr, ":/icons/record.svg",
     QT_TRANSLATE_NOOP("VoicesWindow", "Record your voice for %1")},
    {QT_TRANSLATE_NOOP("VoicesWindow", "Stop"), nullptr, ":/icons/stop.svg",
     QT_TRANSLATE_NOOP("VoicesWindow", "Stop recording for %1")},
    {QT_TRANSLATE_NOOP("VoicesWindow", "Keep"), "document-save", ":/icons/keep.svg",
     QT_TRANSLATE_NOOP("VoicesWindow", "Keep the new take for %1")},
    {QT_TRANSLATE_NOOP("VoicesWindow", "Throw away"), "edit-delete", ":/icons/throw-away.svg",
     QT_TRANSLATE_NOOP("VoicesWindow", "Throw away the new take for %1")},
    {QT_TRANSLATE_NOOP("VoicesWindow", "From a file…"), "document-open", ":/icons/from-file.svg",
     QT_TRANSLATE_NOOP("VoicesWindow", "Import a sound from a file for %1")},
    {QT_TRANSLATE_NOOP("VoicesWindow", "Back to the program's voice"), "edit-undo", ":/icons/back.svg",
     QT_TRANSLATE_NOOP("VoicesWindow", "Back to the program's voice for %1")},
}};

// The theme's icon `name`, or the program's own at `path` where the theme
// has none (a plain window manager has no theme at all).
QIcon iconOr(const char *name, const char *path)
{
    const QIcon own(QString::fromLatin1(path));
    return name ? QIcon::fromTheme(QString::fromLatin1(name), own) : own;
}

// What a row's badge says, and its colours: whose voice plays now, or what
// is happening in the row. Words of their own, never a button's; translated
// where they are shown.
struct Badge
{
    const char *text;
    QColor ink;
    QColor paper;
};
const Badge kProgramsVoice{QT_TRANSLATE_NOOP("VoicesWindow", "The program's voice"), QColor(0x44, 0x44, 0x44),
                           QColor(0xe4, 0xe4, 0xe4)};
const Badge kOwnVoice{QT_TRANSLATE_NOOP("VoicesWindow", "Your voice"), QColor(0xff, 0xff, 0xff),
                      QColor(0x1f, 0x7a, 0x1f)};
const Badge kNewTake{QT_TRANSLATE_NOOP("VoicesWindow", "New take, not kept"), QColor(0x4a, 0x2a, 0x00),
                     QColor(0xff, 0xc8, 0x70)};
const Badge kRecordingNow{QT_TRANSLATE_NOOP("VoicesWindow", "Recording now"), QColor(0xff, 0xff, 0xff),
                          QColor(0xb0, 0x1c, 0x1c)};

// The row standing out: recording, or holding a take to decide on.
const QColor kRecordingRow(0xfd, 0xe8, 0xe8);
const QColor kNewTakeRow(0xff, 0xf1, 0xdb);

// Pictures are shown in a square of this side, the answer sounds' as
// large as the letters'.
constexpr int kPictureSide = 48;
// Buttons a touchpad or a finger hits easily.
constexpr int kLeastButtonHeight = 34;

// Where the sound player finds a take not yet kept, below the voices folder.
// Takes not yet kept lie in a folder of this window's own inside the voices
// folder, where the player finds them: made afresh (so never a link someone
// left there), removed with the window, and apart from another voices
// window's.
const QString kNewTakes = QStringLiteral(".new-XXXXXX");

// How long a take may take to come: the longest take, and the microphone's
// opening and closing; after stop, the closing alone.
constexpr std::chrono::milliseconds kTakeComes{9000};
constexpr std::chrono::milliseconds kStoppedTakeComes{3000};

// Said in a row while its take waits to be kept or thrown away.
const char *const kTakeWaits = QT_TRANSLATE_NOOP(
    "VoicesWindow", "Your new take is not kept yet: listen to it, then keep it or throw it away.");

// From the largest picture there is (the @2x ones are found by QIcon), so
// that it is sharp at every scale.
QIcon pictureOf(int voice)
{
    if (voice == voices::kRightVoice)
        return QIcon(QString::fromLatin1(kTickPicture));
    if (voice == voices::kWrongVoice)
        return QIcon(QString::fromLatin1(kCrossPicture));
    return QIcon(QString::fromLatin1(letterPicture(voice)));
}

// A row's name on its own (a label, a tooltip): the letter, or the answer
// its sound marks. voices::voiceTitle() is the name inside a sentence.
QString rowTitle(int voice)
{
    if (voice == voices::kRightVoice)
        return QCoreApplication::translate("VoicesWindow", "The right answer");
    if (voice == voices::kWrongVoice)
        return QCoreApplication::translate("VoicesWindow", "The wrong answer");
    return voices::voiceTitle(voice);
}

void paint(QWidget *widget, const QColor &paper, const QColor &ink = {})
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, paper);
    if (ink.isValid())
        palette.setColor(QPalette::WindowText, ink);
    widget->setPalette(palette);
}

} // namespace

VoicesWindow::VoicesWindow(VoicesServices services, QWidget *parent)
    : QWidget(parent)
    , m_services(std::move(services))
{
    setWindowTitle(tr("Record your voice"));
    setWindowIcon(programIcon());
    // The program's own face, which travels with it.
    setFont(grownUpsFont(11));

    auto *outer = new QVBoxLayout(this);
    auto *intro = new QLabel(tr("The child hears your voice instead of the program's. In each row: listen, then "
                                "record the letter in your voice (recording stops by itself after five seconds) or "
                                "take it from a sound file, then listen to your take and keep it or throw it away."),
                             this);
    intro->setWordWrap(true);
    outer->addWidget(intro);

    // A whole set of voices to or from one file: a class's computers, a new
    // computer. On a narrow screen they, and the language, take two lines.
    auto *packs = new FlowLayout;
    m_exportPack = new QPushButton(iconOr("document-save-as", ":/icons/to-file.svg"), tr("Save your voices to a file…"),
                                   this);
    m_exportPack->setAccessibleName(tr("Save all your voices in one file for another computer"));
    m_exportPack->setToolTip(m_exportPack->accessibleName());
    m_importPack = new QPushButton(iconOr("document-open", ":/icons/from-file.svg"), tr("Take voices from a file…"),
                                   this);
    m_importPack->setAccessibleName(tr("Take the voices from a file they were saved in on another computer"));
    m_importPack->setToolTip(m_importPack->accessibleName());
    for (QPushButton *b : {m_exportPack, m_importPack}) {
        b->setStyle(ButtonStyle::shared());
        b->setAutoDefault(false);
        b->setMinimumHeight(kLeastButtonHeight);
        packs->addWidget(b);
    }
    // The language of these windows. Building the window again in another
    // would lose a take not kept and stop a recording: not while there is one.
    m_language = new LanguageChoice(this);
    packs->addWidget(m_language);
    outer->addLayout(packs);
    connect(m_exportPack, &QPushButton::clicked, this, &VoicesWindow::exportPack);
    connect(m_importPack, &QPushButton::clicked, this, &VoicesWindow::importPack);

    // What happened last to the whole window (a voice pack), in sight above
    // the list; what happened in a row is said in that row alone.
    m_message = new QLabel(this);
    m_message->setWordWrap(true);
    m_message->setAccessibleName(tr("Message"));
    m_message->hide();
    outer->addWidget(m_message);

    m_scroll = new QScrollArea(this);
    m_scroll->setWidgetResizable(true);
    auto *list = new QWidget(m_scroll);
    auto *rows = new QVBoxLayout(list);
    rows->setSpacing(2);
    const int side = kPictureSide;
    // As wide as the widest badge, so that the buttons of rows stand in line.
    int badgeWidth = 0;
    for (const Badge *badge : {&kProgramsVoice, &kOwnVoice, &kNewTake, &kRecordingNow})
        badgeWidth = std::max(badgeWidth, fontMetrics().horizontalAdvance(tr(badge->text)));
    for (int voice = 0; voice < kVoiceCount; ++voice) {
        Row &row = m_rows[std::size_t(voice)];
        // The row's name on its own, and inside a sentence.
        const QString name = rowTitle(voice);
        const QString title = voices::voiceTitle(voice);
        row.frame = new QFrame(list);
        row.frame->setAutoFillBackground(true);
        row.frame->setAccessibleName(name);
        auto *lines = new QVBoxLayout(row.frame);
        lines->setContentsMargins(6, 3, 6, 3);
        // The letters are their pictures; the answer sounds say what they
        // are, on a line of their own above, so that every row's badge
        // stands next to its picture.
        if (voice >= voices::kRightVoice)
            lines->addWidget(new QLabel(name, row.frame));
        auto *line = new QHBoxLayout;
        lines->addLayout(line);

        auto *picture = new QLabel(row.frame);
        picture->setFixedSize(side, side);
        picture->setAlignment(Qt::AlignCenter);
        picture->setPixmap(pictureOf(voice).pixmap(QSize(side, side), devicePixelRatioF()));
        picture->setAccessibleName(name);
        picture->setToolTip(name);
        line->addWidget(picture);
        // The badge and the buttons, on as many lines as the width needs.
        auto *actions = new FlowLayout;
        line->addLayout(actions, 1);

        row.state = new QLabel(row.frame);
        row.state->setAutoFillBackground(true);
        row.state->setAlignment(Qt::AlignCenter);
        row.state->setMargin(4);
        row.state->setFixedWidth(badgeWidth + 16);
        row.state->setMinimumHeight(kLeastButtonHeight);
        row.state->setAccessibleName(tr("State of %1").arg(title));
        actions->addWidget(row.state);

        for (std::size_t a = 0; a < kActions.size(); ++a) {
            auto *b = new QPushButton(iconOr(kActions[a].themeIcon, kActions[a].ownIcon), tr(kActions[a].caption),
                                      row.frame);
            b->setStyle(ButtonStyle::shared());
            b->setAccessibleName(tr(kActions[a].accessible).arg(title));
            b->setToolTip(b->accessibleName());
            b->setAutoDefault(false);
            b->setMinimumHeight(kLeastButtonHeight);
            actions->addWidget(b);
            row.buttons[a] = b;
        }
        row.meter = new QProgressBar(row.frame);
        row.meter->setRange(0, 100);
        row.meter->setTextVisible(false);
        row.meter->setFixedSize(120, 14);
        row.meter->setAccessibleName(tr("Sound level for %1").arg(title));
        row.meter->setToolTip(tr("Sound level"));
        actions->addWidget(row.meter);

        row.message = new QLabel(row.frame);
        row.message->setWordWrap(true);
        row.message->setAccessibleName(tr("Message for %1").arg(title));
        lines->addWidget(row.message);

        const auto on = [&row, this, voice](Action action, void (VoicesWindow::*handler)(int)) {
            connect(row.buttons[std::size_t(action)], &QPushButton::clicked, this, [this, voice, handler] {
                (this->*handler)(voice);
            });
        };
        on(Action::Hear, &VoicesWindow::hear);
        on(Action::Record, &VoicesWindow::record);
        // Stop ends the row's recording, or its import.
        connect(row.buttons[std::size_t(Action::Stop)], &QPushButton::clicked, this, [this, voice] {
            if (m_importing == voice) {
                if (const auto stop = m_stopImport)
                    stop();
                return;
            }
            m_services.recorder.stop();
            m_watchdog.start(kStoppedTakeComes);
        });
        on(Action::Keep, &VoicesWindow::keep);
        on(Action::Discard, &VoicesWindow::discard);
        on(Action::Import, &VoicesWindow::import);
        on(Action::Revert, &VoicesWindow::revert);
        rows->addWidget(row.frame);
    }
    rows->addStretch();
    m_scroll->setWidget(list);
    outer->addWidget(m_scroll, 1);
    m_meter = m_rows[0].meter;

    connect(&m_services.recorder, &Recorder::finished, this, &VoicesWindow::tookTake);
    connect(&m_services.recorder, &Recorder::failed, this, &VoicesWindow::recordingFailed);
    m_watchdog.setSingleShot(true);
    connect(&m_watchdog, &QTimer::timeout, this, [this] {
        recordingFailed(tr("The microphone is not answering, so nothing was recorded. Check that it is plugged in, "
                           "or import a sound from a file."));
    });
    m_meterTimer.setInterval(40);
    connect(&m_meterTimer, &QTimer::timeout, this,
            [this] { m_meter->setValue(int(m_services.recorder.level() * 100 + 0.5f)); });
    refresh();
    // Wide enough for the widest row on one line, tall enough for every row,
    // or, as is usual, as large as the screen's free area leaves room for
    // beside the window manager's frame; the rows then wrap, and the list
    // scrolls up and down.
    QSize size(list->sizeHint().width() + m_scroll->verticalScrollBar()->sizeHint().width() + 40,
               sizeHint().height() - m_scroll->sizeHint().height() + list->sizeHint().height()
                   + 2 * m_scroll->frameWidth());
    if (const QScreen *screen = this->screen())
        size = size.boundedTo(screen->availableGeometry().size() * 0.95);
    resize(size);
}

// Takes not kept are gone with the window, with the folder it made for them.
VoicesWindow::~VoicesWindow() = default;

QPushButton *VoicesWindow::button(int voice, Action action) const
{
    return m_rows.at(std::size_t(voice)).buttons[std::size_t(action)];
}

QString VoicesWindow::message() const
{
    return m_message->text();
}

QString VoicesWindow::messageOf(int voice) const
{
    return m_rows.at(std::size_t(voice)).message->text();
}

QString VoicesWindow::stateOf(int voice) const
{
    return m_rows.at(std::size_t(voice)).state->text();
}

std::optional<voices::VoiceFolder> VoicesWindow::newTakes()
{
    if (!m_newTakes) {
        if (!makePrivateFolder(m_services.folder.path()))
            return std::nullopt;
        m_newTakes = std::make_unique<QTemporaryDir>(m_services.folder.path() + QLatin1Char('/') + kNewTakes);
    }
    if (!m_newTakes->isValid())
        return std::nullopt;
    return voices::VoiceFolder(m_newTakes->path());
}

void VoicesWindow::say(const QString &message)
{
    m_message->setText(message);
    m_message->setVisible(!message.isEmpty());
    // A row's message lasts until the next, wherever that is said; a take
    // waiting to be kept or thrown away always says so.
    for (Row &row : m_rows) {
        row.message->setText(row.take ? tr(kTakeWaits) : QString());
        row.message->setVisible(!row.message->text().isEmpty());
    }
}

void VoicesWindow::sayIn(int voice, const QString &message)
{
    say({});
    Row &row = m_rows[std::size_t(voice)];
    row.message->setText(message);
    row.message->setVisible(!message.isEmpty());
    // Once the row has grown to show its message.
    QTimer::singleShot(0, this, [this, voice] { m_scroll->ensureWidgetVisible(m_rows[std::size_t(voice)].frame, 0, 8); });
}

void VoicesWindow::hear(int voice)
{
    const bool fresh = m_rows[std::size_t(voice)].take.has_value();
    m_services.sound.play(fresh && m_newTakes
                              ? QLatin1Char('\\') + QFileInfo(m_newTakes->path()).fileName() + voices::voiceSoundName(voice)
                              : voices::voiceSoundName(voice));
}

void VoicesWindow::record(int voice)
{
    if (m_recording >= 0)
        return;
    m_recording = voice;
    m_meter = m_rows[std::size_t(voice)].meter;
    sayIn(voice, tr("Recording for %1 now: speak, then press “Stop”.").arg(voices::voiceTitle(voice)));
    // Nothing plays while the microphone listens: it would be in the take.
    m_services.sound.silence();
    m_services.recorder.start();
    m_meterTimer.start();
    m_watchdog.start(kTakeComes);
    refresh();
    button(voice, Action::Stop)->setFocus();
}

void VoicesWindow::tookTake(const voices::Take &take)
{
    const int voice = m_recording;
    m_recording = -1;
    m_meterTimer.stop();
    m_watchdog.stop();
    m_meter->setValue(0);
    if (voice < 0)
        return; // given up already
    std::optional<voices::EvenTake> even = voices::evenTake(take, m_services.loudness);
    if (!even) {
        sayIn(voice, voices::noVoice());
        refresh();
        return;
    }
    // Kept aside where the player finds it, and played once, so that the
    // grown-up hears what would be kept.
    const std::optional<voices::VoiceFolder> takes = newTakes();
    const Change aside = takes ? takes->save(voice, *even)
                               : Change{{}, tr("Cannot write to the folder %1: nothing changed.")
                                                .arg(QDir::toNativeSeparators(m_services.folder.path()))};
    if (!aside.ok()) {
        sayIn(voice, aside.error);
        refresh();
        return;
    }
    m_rows[std::size_t(voice)].take = std::move(even);
    sayIn(voice, tr("This is your new take for %1: listen to it, then keep it or throw it away.")
                     .arg(voices::voiceTitle(voice)));
    refresh();
    button(voice, Action::Keep)->setFocus();
    hear(voice);
}

void VoicesWindow::recordingFailed(const QString &message)
{
    const int voice = m_recording;
    m_recording = -1;
    m_meterTimer.stop();
    m_watchdog.stop();
    m_meter->setValue(0);
    if (voice >= 0)
        sayIn(voice, message);
    else
        say(message);
    refresh();
    if (voice >= 0)
        button(voice, Action::Record)->setFocus();
}

void VoicesWindow::keep(int voice)
{
    Row &row = m_rows[std::size_t(voice)];
    if (!row.take)
        return;
    const Change saved = m_services.folder.save(voice, *row.take);
    if (!saved.ok()) {
        sayIn(voice, saved.error);
        return;
    }
    discard(voice);
    sayIn(voice, tr("Your voice for %1 is kept.").arg(voices::voiceTitle(voice)));
    button(voice, Action::Hear)->setFocus();
}

void VoicesWindow::discard(int voice)
{
    m_rows[std::size_t(voice)].take.reset();
    if (m_newTakes)
        QFile::remove(voices::VoiceFolder(m_newTakes->path()).filePath(voice));
    say({});
    refresh();
}

void VoicesWindow::import(int voice)
{
    if (m_importing >= 0 || !m_services.chooseFile || !m_services.importFile)
        return;
    const QString file = m_services.chooseFile();
    if (file.isEmpty())
        return;
    m_importing = voice;
    sayIn(voice, tr("Importing %1…").arg(QDir::toNativeSeparators(file)));
    refresh();
    m_stopImport = m_services.importFile(voice, file, [this, voice](const Change &change) {
        m_importing = -1;
        m_stopImport = nullptr;
        sayIn(voice, change.ok() ? tr("Your voice for %1 is kept.").arg(voices::voiceTitle(voice)) : change.error);
        refresh();
    });
}

void VoicesWindow::exportPack()
{
    if (!m_services.choosePackToSave)
        return;
    const QString file = m_services.choosePackToSave();
    if (file.isEmpty())
        return;
    const Change change = voices::exportPack(m_services.folder, file);
    say(change.ok() ? tr("Your voices are saved in %1. On the other computer, open it in Huroof with “Take voices "
                         "from a file…”.")
                          .arg(QDir::toNativeSeparators(change.path))
                    : change.error);
}

void VoicesWindow::importPack()
{
    if (m_recording >= 0 || m_importing >= 0 || !m_services.choosePackToOpen)
        return;
    const QString file = m_services.choosePackToOpen();
    if (file.isEmpty())
        return;
    const voices::PackOutcome outcome = voices::importPack(m_services.folder, file);
    // Takes not yet kept for the voices the pack brought are the pack's now.
    for (int voice = 0; voice < kVoiceCount; ++voice) {
        if (outcome.replaced.contains(m_services.folder.filePath(voice)))
            discard(voice);
    }
    if (!outcome.ok())
        say(outcome.error);
    else if (outcome.replaced.isEmpty())
        say(tr("The voices in the file are the same as yours: nothing changed."));
    else
        say(tr("%n sound(s) taken from the file; your earlier voices are kept aside.", "",
               int(outcome.replaced.size())));
    refresh();
}

void VoicesWindow::revert(int voice)
{
    const Change change = m_services.folder.revert(voice);
    sayIn(voice, change.ok() ? tr("The program's voice is back for %1.").arg(voices::voiceTitle(voice)) : change.error);
    refresh();
}

void VoicesWindow::refresh()
{
    const bool busy = m_recording >= 0 || m_importing >= 0;
    for (int voice = 0; voice < kVoiceCount; ++voice) {
        Row &row = m_rows[std::size_t(voice)];
        const bool own = m_services.folder.hasOwn(voice);
        const bool fresh = row.take.has_value();
        const bool recordingThis = m_recording == voice;
        const Badge &badge = recordingThis ? kRecordingNow : fresh ? kNewTake : own ? kOwnVoice : kProgramsVoice;
        row.state->setText(tr(badge.text));
        paint(row.state, badge.paper, badge.ink);
        paint(row.frame, recordingThis ? kRecordingRow : fresh ? kNewTakeRow : palette().color(QPalette::Window));
        row.meter->setVisible(recordingThis);
        if (fresh && row.message->text().isEmpty())
            row.message->setText(tr(kTakeWaits));
        row.message->setVisible(!row.message->text().isEmpty());
        // Only what can be done in the row's state is shown; what cannot be
        // done just now (another row records) is shown greyed.
        const auto show = [&row](Action action, bool shown, bool enabled) {
            QPushButton *b = row.buttons[std::size_t(action)];
            b->setVisible(shown);
            b->setEnabled(shown && enabled);
        };
        const bool settled = !recordingThis && !fresh;
        show(Action::Hear, !recordingThis, m_recording < 0);
        show(Action::Record, settled, !busy);
        show(Action::Stop, recordingThis || m_importing == voice, true);
        show(Action::Keep, fresh, !busy);
        show(Action::Discard, fresh, !busy);
        show(Action::Import, settled, !busy);
        show(Action::Revert, settled && own, !busy);
    }
    m_importPack->setEnabled(!busy);
    const bool waiting = std::any_of(m_rows.begin(), m_rows.end(), [](const Row &row) { return row.take.has_value(); });
    m_language->setEnabled(!busy && !waiting);
    m_language->setToolTip(m_language->isEnabled() ? QString()
                                                   : tr("Keep or throw away your new take first, then choose."));
}
