#include "voiceswindow.h"

#include "platform/datafolder.h"
#include "platform/soundplayer.h"
#include "ui/builder.h"
#include "ui/design.h"
#include "voices/recorder.h"

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

#include <chrono>

using voices::Change;
using voices::kVoiceCount;

namespace {

// What each button of a row says, and its accessible name with the sound's
// title in place of %1.
struct ActionText
{
    const char *caption;
    const char *accessible;
};

constexpr std::array<ActionText, 7> kActions = {{
    {"استمع", "استمع إلى %1"},
    {"سجّل", "سجّل صوتك لـ %1"},
    {"أوقف", "أوقف التسجيل لـ %1"},
    {"احفظ", "احفظ التسجيل الجديد لـ %1"},
    {"احذف", "احذف التسجيل الجديد لـ %1"},
    {"من ملف…", "استورد صوتًا من ملف لـ %1"},
    {"صوت البرنامج", "أعد صوت البرنامج لـ %1"},
}};

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

const QString kMicrophoneSilent = QStringLiteral(
    "الميكروفون لا يستجيب، فلم يُسجَّل شيء. تأكد من توصيله، أو استورد صوتًا من ملف.");

QPixmap pictureOf(int voice)
{
    if (voice == voices::kRightVoice)
        return QPixmap(QString::fromLatin1(kTickPicture));
    if (voice == voices::kWrongVoice)
        return QPixmap(QString::fromLatin1(kCrossPicture));
    return QPixmap(QString::fromLatin1(letterPicture(voice)));
}

} // namespace

VoicesWindow::VoicesWindow(VoicesServices services, QWidget *parent)
    : QWidget(parent)
    , m_services(std::move(services))
{
    setWindowTitle(QStringLiteral("سجّل صوتك"));
    setWindowIcon(programIcon());
    setLayoutDirection(Qt::RightToLeft);
    // The program's own face, which travels with it.
    setFont(designFont(FontDesign{"Arial", 11, false}));

    auto *outer = new QVBoxLayout(this);
    auto *intro = new QLabel(QStringLiteral(
        "يسمع الطفل صوتك بدل صوت البرنامج. سجّل الحرف (يتوقف التسجيل وحده بعد خمس ثوانٍ)، "
        "استمع إليه، ثم احفظه أو احذفه."), this);
    intro->setWordWrap(true);
    outer->addWidget(intro);

    auto *meterRow = new QHBoxLayout;
    auto *meterLabel = new QLabel(QStringLiteral("مستوى الصوت:"), this);
    m_meter = new QProgressBar(this);
    m_meter->setRange(0, 100);
    m_meter->setTextVisible(false);
    m_meter->setMaximumHeight(14);
    m_meter->setAccessibleName(QStringLiteral("مستوى الصوت"));
    meterLabel->setBuddy(m_meter);
    meterRow->addWidget(meterLabel);
    meterRow->addWidget(m_meter, 1);
    outer->addLayout(meterRow);

    m_message = new QLabel(this);
    m_message->setWordWrap(true);
    m_message->setAccessibleName(QStringLiteral("رسالة"));
    outer->addWidget(m_message);

    auto *scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    auto *list = new QWidget(scroll);
    auto *grid = new QGridLayout(list);
    for (int voice = 0; voice < kVoiceCount; ++voice) {
        Row &row = m_rows[std::size_t(voice)];
        const QString title = voices::voiceTitle(voice);
        auto *picture = new QLabel(list);
        picture->setPixmap(pictureOf(voice));
        picture->setAccessibleName(title);
        grid->addWidget(picture, voice, 0);
        auto *name = new QLabel(title, list);
        grid->addWidget(name, voice, 1);
        row.state = new QLabel(list);
        row.state->setMinimumWidth(110);
        grid->addWidget(row.state, voice, 2);
        for (std::size_t a = 0; a < kActions.size(); ++a) {
            auto *b = new QPushButton(QString::fromUtf8(kActions[a].caption), list);
            b->setAccessibleName(QString::fromUtf8(kActions[a].accessible).arg(title));
            b->setAutoDefault(false);
            grid->addWidget(b, voice, int(a) + 3);
            row.buttons[a] = b;
        }
        const auto on = [&row, this, voice](Action action, void (VoicesWindow::*handler)(int)) {
            connect(row.buttons[std::size_t(action)], &QPushButton::clicked, this, [this, voice, handler] {
                (this->*handler)(voice);
            });
        };
        on(Action::Hear, &VoicesWindow::hear);
        on(Action::Record, &VoicesWindow::record);
        connect(row.buttons[std::size_t(Action::Stop)], &QPushButton::clicked, this, [this] {
            m_services.recorder.stop();
            m_watchdog.start(kStoppedTakeComes);
        });
        on(Action::Keep, &VoicesWindow::keep);
        on(Action::Discard, &VoicesWindow::discard);
        on(Action::Import, &VoicesWindow::import);
        on(Action::Revert, &VoicesWindow::revert);
    }
    scroll->setWidget(list);
    outer->addWidget(scroll, 1);

    connect(&m_services.recorder, &Recorder::finished, this, &VoicesWindow::tookTake);
    connect(&m_services.recorder, &Recorder::failed, this, &VoicesWindow::recordingFailed);
    m_watchdog.setSingleShot(true);
    connect(&m_watchdog, &QTimer::timeout, this, [this] { recordingFailed(kMicrophoneSilent); });
    m_meterTimer.setInterval(40);
    connect(&m_meterTimer, &QTimer::timeout, this,
            [this] { m_meter->setValue(int(m_services.recorder.level() * 100 + 0.5f)); });
    refresh();
    // Wide enough for every button of a row, tall enough for ten rows.
    resize(list->sizeHint().width() + scroll->verticalScrollBar()->sizeHint().width() + 40, 680);
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
    say(QStringLiteral("يسجّل الآن: %1 …").arg(voices::voiceTitle(voice)));
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
        say(voices::kNoVoice);
        refresh();
        return;
    }
    // Kept aside where the player finds it, and played once, so that the
    // grown-up hears what would be kept.
    const std::optional<voices::VoiceFolder> takes = newTakes();
    const Change aside = takes ? takes->save(voice, *even)
                               : Change{{}, QStringLiteral("لا يمكن الكتابة في المجلد %1: لم يتغير شيء.")
                                                .arg(QDir::toNativeSeparators(m_services.folder.path()))};
    if (!aside.ok()) {
        say(aside.error);
        refresh();
        return;
    }
    m_rows[std::size_t(voice)].take = std::move(even);
    say(QStringLiteral("هذا تسجيلك الجديد لـ %1: احفظه أو احذفه.").arg(voices::voiceTitle(voice)));
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
        say(saved.error);
        return;
    }
    discard(voice);
    say(QStringLiteral("حُفظ صوتك لـ %1.").arg(voices::voiceTitle(voice)));
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
    say(QStringLiteral("يستورد %1 …").arg(QDir::toNativeSeparators(file)));
    refresh();
    m_services.importFile(voice, file, [this, voice](const Change &change) {
        m_importing = -1;
        say(change.ok() ? QStringLiteral("حُفظ صوتك لـ %1.").arg(voices::voiceTitle(voice)) : change.error);
        refresh();
    });
}

void VoicesWindow::revert(int voice)
{
    const Change change = m_services.folder.revert(voice);
    say(change.ok() ? QStringLiteral("عاد صوت البرنامج لـ %1.").arg(voices::voiceTitle(voice)) : change.error);
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
        row.state->setText(fresh ? QStringLiteral("تسجيل جديد")
                                 : own ? QStringLiteral("صوتك") : QStringLiteral("صوت البرنامج"));
        // The grown-up's own voice and a take to decide on stand out.
        row.state->setStyleSheet(fresh ? QStringLiteral("color: #b35900") : own ? QStringLiteral("color: #1f7a1f") : QString());
        const auto enable = [&row](Action action, bool on) { row.buttons[std::size_t(action)]->setEnabled(on); };
        enable(Action::Hear, m_recording < 0);
        enable(Action::Record, !busy);
        enable(Action::Stop, recordingThis);
        enable(Action::Keep, fresh && !busy);
        enable(Action::Discard, fresh && !busy);
        enable(Action::Import, !busy);
        enable(Action::Revert, own && !busy);
    }
}
