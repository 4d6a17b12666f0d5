#pragma once

#include "history/answerlog.h"
#include "shell/mainstate.h"
#include "ui/builder.h"

#include <QElapsedTimer>
#include <QList>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

class ChoiceList;
class LeaveGesture;
class ClickLabel;
class PictureButton;
class PictureImage;
class QLineEdit;
class SoundPlayer;
class TimeOfDay;
class UnitRandom;
class WebOpener;
namespace practice {
class Scheduler;
}

// The windows for grown-ups, opened from the main window with keys a child
// does not hit by chance.
enum class GrownUpsWindow { Voices, Progress };

// What the main window needs from outside; tests pass their own.
struct Form1Services
{
    SoundPlayer &sound;
    WebOpener &web;
    TimeOfDay &clock;
    UnitRandom &random;
    // Shows the splash window modally and returns once it has closed.
    std::function<void()> showSplash;
    // Opens a grown-ups' window beside the main window; may be empty.
    std::function<void(GrownUpsWindow)> openGrownUps;
    // Keeps every judged answer of the contest and of practice, and gives
    // practice the child's answers back; may be null.
    AnswerLog *answers;
};

// The main window: the letter board, the two option lists, the contest's
// question number, results panel and answer pictures, and the comments link.
// Every behaviour is one of its handlers, run on the user-interface thread
// one at a time.
class Form1 : public QWidget
{
    Q_OBJECT
public:
    explicit Form1(Form1Services services, QWidget *parent = nullptr);
    ~Form1() override;

    // Start-up: prepares the board, shows the splash and waits for it, fills
    // and selects the lists. Runs once, before the window is first shown.
    void Form_Load();

    // A click on board button hr(index), 0..27.
    void hr_Click(std::int16_t index);
    // A pick in the order list and in the mode list.
    void Co1_Click();
    void Co2_Click();
    // A tick of the question timer.
    void ttx_Timer();
    // A click on the comments link.
    void Label9_Click();

    const MainState &state() const { return m_state; }
    const Controls &controls() const { return m_controls; }
    const QTimer &ttx() const { return m_ttx; }
    // Practice's letters, for tests: none outside practice.
    const practice::Scheduler *practiceScheduler() const { return m_practice.get(); }
    // The letter practice asks now, -1 when none.
    int practiceAsked() const { return m_practiceAsked; }

    // Full screen: the whole window scaled to fill the screen, centred, and
    // locked: closing, F11 and the grown-ups' keys do nothing, and only the
    // leave gesture (Ctrl+Shift+Q, then holding a button) ends it.
    void setFullScreen(bool on);
    bool isLocked() const { return m_fullScreen; }
    // How much larger than designed the window is drawn now.
    qreal scale() const { return m_scale; }
    LeaveGesture *leaveGesture() const { return m_leave; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void Form_Unload();
    void ShuffleBoard(std::int16_t first, std::int16_t last);
    void ShuffleQuiz(std::int16_t first, std::int16_t last);
    void placeLettersOnBoard();
    void hideResultsPanel();
    void startPractice();
    void stopPractice();
    void askPractice();
    void practiceRecalled(quint64 session, practice::Scheduler fromHistory);
    void practiceAnswered(const Answer &answer);
    void showLettersInPlay();
    int askedLetter() const;
    void markAnswer(std::int16_t index);
    void markRight(std::int16_t index);
    void markWrong(std::int16_t index);
    bool questionPending() const;
    void markOnly(int position);
    int letterAt(std::int16_t position) const;
    void showInResultsPanel(int k, const QPixmap &mark);
    void keepAnswer(int askedLetter, int clickedLetter, bool right, int wrongTriesBefore);
    void setTimerPeriod(int milliseconds);
    void setTabOrder();
    void applyScale(qreal scale, QPointF origin);
    void fitToScreen();

    Form1Services m_services;
    MainState m_state;
    Controls m_controls;
    QTimer m_ttx;
    // When the current question was first asked, for the learning history.
    QElapsedTimer m_questionAsked;
    int m_questionAskedPos = -1;
    // The right and wrong marks as the results panel shows them: the
    // answer pictures' drawings, made at the shape of the panel's images.
    QPixmap m_panelTick;
    QPixmap m_panelCross;
    qreal m_scale = 1.0;
    QPointF m_origin;
    bool m_fullScreen = false;
    LeaveGesture *m_leave = nullptr;

    // Practice, while it is the mode chosen: its scheduler, the letter
    // asked now (-1 between questions), the number of the question, the
    // answers given since it was chosen (replayed after the history's), and
    // which choice a reading of the history belongs to.
    bool m_practising = false;
    std::unique_ptr<practice::Scheduler> m_practice;
    int m_practiceAsked = -1;
    int m_practiceQuestion = 0;
    QList<Answer> m_practiceSince;
    bool m_practiceRecalled = false;
    quint64 m_practiceSession = 0;

    std::array<PictureButton *, 28> hr{};
    std::array<PictureButton *, 28> hro{};
    std::array<PictureImage *, 28> Ima{};
    std::array<ClickLabel *, 28> imac{};
    ChoiceList *Co1 = nullptr;
    ChoiceList *Co2 = nullptr;
    QLineEdit *qno = nullptr;
    ClickLabel *Label9 = nullptr;
    PictureImage *Imy = nullptr;
    PictureImage *Imn = nullptr;
    PictureImage *Imhy = nullptr;
    PictureImage *Imhn = nullptr;
};
