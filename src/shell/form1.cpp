#include "form1.h"

#include "board/lists.h"
#include "board/mode.h"
#include "board/modelist.h"
#include "lock/leavegesture.h"
#include "shell/letters.h"
#include "shell/modehost.h"
#include "ui/design.h"
#include "ui/widgets.h"
#include "words/wordpanel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QShortcut>

Form1::Form1(Form1Services services, QWidget *parent)
    : QWidget(parent)
    , m_services(std::move(services))
{
    m_controls = buildWindow(this, form1Design());
    for (int i = 0; i < kLetterCount; ++i) {
        hr[i] = m_controls.get<PictureButton>(QStringLiteral("hr"), i);
        hro[i] = m_controls.get<PictureButton>(QStringLiteral("hro"), i);
        Ima[i] = m_controls.get<PictureImage>(QStringLiteral("Ima"), i);
        imac[i] = m_controls.get<ClickLabel>(QStringLiteral("imac"), i);
        hro[i]->setAccessibleName(letterGlyph(i));
        const auto index = std::int16_t(i);
        connect(hr[i], &PictureButton::clicked, this, [this, index] { hr_Click(index); });
    }
    Co1 = m_controls.get<ChoiceList>(QStringLiteral("Co1"));
    Co2 = m_controls.get<ChoiceList>(QStringLiteral("Co2"));
    qno = m_controls.get<QLineEdit>(QStringLiteral("qno"));
    Label9 = m_controls.get<ClickLabel>(QStringLiteral("Label9"));
    Imy = m_controls.get<PictureImage>(QStringLiteral("Imy"));
    Imn = m_controls.get<PictureImage>(QStringLiteral("Imn"));
    Imhy = m_controls.get<PictureImage>(QStringLiteral("Imhy"));
    Imhn = m_controls.get<PictureImage>(QStringLiteral("Imhn"));
    m_panelTick = designPicture(kPanelTickPicture);
    m_panelCross = designPicture(kPanelCrossPicture);

    Co1->setAccessibleName(m_controls.get<ClickLabel>(QStringLiteral("La"))->text());
    Co2->setAccessibleName(m_controls.get<ClickLabel>(QStringLiteral("Label1"))->text());
    qno->setAccessibleName(m_controls.get<ClickLabel>(QStringLiteral("Label4"))->text());
    Label9->setAccessibleName(Label9->text());
    Label9->setCursor(Qt::PointingHandCursor);

    connect(Co1, &ChoiceList::clicked, this, &Form1::Co1_Click);
    connect(Co2, &ChoiceList::clicked, this, &Form1::Co2_Click);
    connect(Label9, &ClickLabel::clicked, this, &Form1::Label9_Click);

    // The question timer: an interval of 0 means stopped. Precise, so that
    // the questions come every 5 seconds and do not drift.
    m_ttx.setTimerType(Qt::PreciseTimer);
    connect(&m_ttx, &QTimer::timeout, this, &Form1::ttx_Timer);

    m_host = std::make_unique<Host>(*this);
    for (const ModeKind &kind : modeList())
        m_modes.push_back(kind.make(*m_host));

    setTabOrder();

    // The grown-ups' windows: Ctrl+Shift+V for their own voice, Ctrl+Shift+P
    // for what the child has learnt.
    // Locked, they open only once the leave gesture has ended the lock.
    const auto grownUps = [this](QKeyCombination keys, GrownUpsWindow which) {
        auto *shortcut = new QShortcut(QKeySequence(keys), this);
        connect(shortcut, &QShortcut::activated, this, [this, which] {
            if (m_services.openGrownUps && !m_fullScreen)
                m_services.openGrownUps(which);
        });
    };
    grownUps(Qt::CTRL | Qt::SHIFT | Qt::Key_V, GrownUpsWindow::Voices);
    grownUps(Qt::CTRL | Qt::SHIFT | Qt::Key_P, GrownUpsWindow::Progress);

    // F11 fills the screen (and locks it); Ctrl+Shift+Q, locked, starts the
    // leave gesture, said on screen only then.
    m_leave = new LeaveGesture(this);
    connect(m_leave, &LeaveGesture::left, this, [this] { setFullScreen(false); });
    auto *fill = new QShortcut(QKeySequence(Qt::Key_F11), this);
    connect(fill, &QShortcut::activated, this, [this] {
        if (!m_fullScreen)
            setFullScreen(true);
    });
    auto *leave = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Q), this);
    connect(leave, &QShortcut::activated, this, [this] {
        if (m_fullScreen)
            m_leave->start(m_scale);
    });
}

Form1::~Form1() = default;

void Form1::Form_Load()
{
    Imn->hide();
    Imy->hide();
    Imhn->hide();
    Imhy->hide();
    for (int k = 0; k < kLetterCount; ++k) {
        hro[k]->hide();
        Ima[k]->hide();
        imac[k]->hide();
    }
    for (int k = 0; k < kLetterCount; ++k)
        m_state.soundFile[k] = recordingOf(k);
    for (int k = 0; k < kLetterCount; ++k)
        hr[k]->copyPictureFrom(*hro[k]);

    if (m_services.showSplash)
        m_services.showSplash();

    for (const QString &entry : kOrderEntries)
        Co1->addItem(entry);
    for (const ModeKind &kind : modeList())
        Co2->addItem(kind.entry);
    Co1->setListIndex(0);
    Co2->setListIndex(0);
    qno->setText(QStringLiteral("0"));

    if (!m_fullScreen) {
        fitToScreen();
        centreOnScreen(this);
    }
    Co1->setFocus();
}

void Form1::closeEvent(QCloseEvent *event)
{
    // Locked: Alt+F4 and the window manager's close do nothing.
    if (m_fullScreen) {
        event->ignore();
        return;
    }
    event->accept();
    Form_Unload();
}

void Form1::Form_Unload()
{
    // The program ends with its main window; a sound still playing is cut
    // off when the player goes.
    QCoreApplication::quit();
}

void Form1::ttx_Timer()
{
    Imy->hide();
    Imn->hide();
    Imhy->hide();
    Imhn->hide();
    if (m_mode)
        m_mode->tick();
}

void Form1::setTimerPeriod(int milliseconds)
{
    // Setting the period restarts the count, even when already running.
    if (milliseconds == 0)
        m_ttx.stop();
    else
        m_ttx.start(milliseconds);
}

void Form1::showWord(const Word *word)
{
    if (!word) {
        if (m_wordPanel)
            m_wordPanel->hide();
        return;
    }
    if (!m_wordPanel) {
        m_wordPanel = new WordPanel(this);
        m_wordPanel->setGeometry(scaledPlace(kWordPanelPlace, m_scale, m_origin));
    }
    m_wordPanel->setWord(*word);
    m_wordPanel->show();
    m_wordPanel->raise();
}

void Form1::setTabOrder()
{
    QList<QWidget *> order{Co1, hr[0], Co2, qno};
    for (int j = 1; j < kLetterCount; ++j)
        order << hr[j];
    // The results panel: the first four in order, then each further group of
    // four from its last to its first.
    for (int k = 0; k < 4; ++k)
        order << hro[k];
    for (int group = 4; group < kLetterCount; group += 4) {
        for (int k = group + 3; k >= group; --k)
            order << hro[k];
    }
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}
