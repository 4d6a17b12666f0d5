#pragma once

#include "history/answerlog.h"
#include "shell/mainstate.h"
#include "ui/builder.h"

#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class ChoiceList;
class LeaveGesture;
class ClickLabel;
class Mode;
class PictureButton;
class PictureImage;
class QLineEdit;
class SoundPlayer;
class TimeOfDay;
class UnitRandom;
class WebOpener;
class WordPanel;
struct Word;

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

// The main window: the letter board, the two option lists, the question
// number, results panel and answer pictures, and the comments link. Every
// behaviour is one of its handlers, run on the user-interface thread one at
// a time; the board's clicks and the question timer's ticks go to the mode
// chosen in the mode list, which does with the window only what ModeHost
// lets it.
class Form1 : public QWidget
{
    Q_OBJECT
public:
    explicit Form1(Form1Services services, QWidget *parent = nullptr);
    ~Form1() override;

    // Start-up: prepares the board, shows the splash and waits for it, fills
    // and selects the lists. Runs once, before the window is first shown.
    void Form_Load();

    // A click on board button hr(index), 0..27: the mode chosen's.
    void hr_Click(std::int16_t index);
    // A pick in the order list and in the mode list.
    void Co1_Click();
    void Co2_Click();
    // A tick of the question timer: the answer pictures hidden, then the
    // mode chosen's.
    void ttx_Timer();
    // A click on the comments link.
    void Label9_Click();

    const MainState &state() const { return m_state; }
    const Controls &controls() const { return m_controls; }
    const QTimer &ttx() const { return m_ttx; }
    // The mode of the mode list's entry `entry` (the order of modeList()),
    // null for none. Each lives as long as the window.
    const Mode *mode(int entry) const;

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
    // The window as its modes see it (shell/modehost.cpp).
    class Host;

    void Form_Unload();
    void ShuffleBoard(std::int16_t first, std::int16_t last);
    void placeLettersOnBoard();
    void hideResultsPanel();
    void setTimerPeriod(int milliseconds);
    void setTabOrder();
    void applyScale(qreal scale, QPointF origin);
    void showWord(const Word *word);
    void fitToScreen();

    Form1Services m_services;
    MainState m_state;
    Controls m_controls;
    QTimer m_ttx;
    // The right and wrong marks as the results panel shows them: the
    // answer pictures' drawings, made at the shape of the panel's images.
    QPixmap m_panelTick;
    QPixmap m_panelCross;
    qreal m_scale = 1.0;
    QPointF m_origin;
    bool m_fullScreen = false;
    LeaveGesture *m_leave = nullptr;
    // The letter-in-a-word mode's panel: made when it first shows a word.
    WordPanel *m_wordPanel = nullptr;

    // One mode per entry of the mode list, in its order, made with the
    // window and gone before the host they use; the one chosen, null until
    // the first choice.
    std::unique_ptr<Host> m_host;
    std::vector<std::unique_ptr<Mode>> m_modes;
    Mode *m_mode = nullptr;

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
