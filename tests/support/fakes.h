#pragma once

#include "board/mode.h"
#include "board/shuffle.h"
#include "contest/contestmode.h"
#include "history/answerlog.h"
#include "platform/soundplayer.h"
#include "platform/timeofday.h"
#include "platform/webopener.h"
#include "practice/practicemode.h"
#include "shell/form1.h"

#include <QString>
#include <QStringList>
#include <QUrl>

#include <array>
#include <deque>
#include <functional>
#include <memory>

// Stand-ins for what the main window needs from outside.

class FakeSoundPlayer final : public SoundPlayer
{
public:
    void play(const QString &relativeName) override { played << relativeName; }
    void silence() override { ++silenced; }
    QStringList played;
    int silenced = 0;
};

class FakeWebOpener final : public WebOpener
{
public:
    void open(const QUrl &address) override { opened << address; }
    QList<QUrl> opened;
};

// Letter k (0 … 27) answered right at the first try, once a day at nine for
// `days` days up to yesterday, in `mode`.
QList<Answer> rightEveryDay(int letter, int days, Answer::Mode mode = Answer::Mode::Contest);

class FakeAnswerLog final : public AnswerLog
{
public:
    void record(const Answer &answer) override
    {
        answers << answer;
        if (recorded)
            recorded();
    }
    // The answers recorded are the history: read back at once, or, while
    // held, when the test lets them go.
    void recall(std::function<void(Recalled)> done) override
    {
        if (holdRecalls)
            heldRecalls << done;
        else
            done({answers, alphabetical});
    }
    void releaseRecalls()
    {
        const auto held = std::exchange(heldRecalls, {});
        for (const auto &done : held)
            done({answers, alphabetical});
    }
    QList<Answer> answers;
    std::function<void()> recorded; // runs as each answer is handed over
    bool alphabetical = false;
    bool holdRecalls = false;
    QList<std::function<void(Recalled)>> heldRecalls;
};

class FixedTimeOfDay final : public TimeOfDay
{
public:
    float secondsSinceMidnight() override { return seconds; }
    float seconds = 45296.5f;
};

// Gives the values it was given, then repeats the last one; remembers seeds.
class ScriptedRandom final : public UnitRandom
{
public:
    void seed(float s) override { seeds << s; }
    float next() override
    {
        if (values.size() > 1) {
            const float v = values.front();
            values.pop_front();
            return v;
        }
        return values.empty() ? 0.0f : values.front();
    }
    std::deque<float> values;
    QList<float> seeds;
};

// The main window as a mode sees it, without the window: a board in
// alphabetical order unless a test moves it, and a record of what the mode
// asked of it.
class FakeModeHost final : public ModeHost
{
public:
    enum class Mark { None, Right, Wrong };

    FakeModeHost();

    int letterAt(int position) const override;
    int positionOf(int letter) const override { return boardSlot.at(std::size_t(letter)); }
    void playLetterAt(int position) override;
    void play(const QString &sound) override { played << sound; }
    QString tag(int position) const override { return tags.at(std::size_t(position)); }
    void setTag(int position, const QString &tag) override { tags.at(std::size_t(position)) = tag; }
    void setAsleep(int position, bool sleeps) override { asleep.at(std::size_t(position)) = sleeps; }
    bool isAsleep(int position) const override { return asleep.at(std::size_t(position)); }
    void showNotYet(int position) override { notYet << position; }
    void showInResultsPanel(int letter, bool right) override;
    void setResultCount(int letter, const QString &count) override { counts.at(std::size_t(letter)) = count; }
    void showAnswerPictures(bool right) override { pictures = right ? Mark::Right : Mark::Wrong; }
    void setQuestionNumber(int number) override { questionNumber = number; }
    void showWord(const Word *word) override;
    void setTimerPeriod(int milliseconds) override { timerPeriod = milliseconds; }
    // The positions in falling order: a sequence no test mistakes for the
    // board's.
    void shuffle(std::int16_t first, std::int16_t last, std::span<std::int16_t> target) override;
    Answer::Order boardOrder() const override { return Answer::Order::Alphabetical; }
    AnswerLog *answers() const override { return log; }

    // The positions whose tag is "1".
    QList<int> marked() const;

    std::array<int, 28> boardSlot{};
    std::array<QString, 28> tags;
    std::array<bool, 28> asleep{};
    QList<int> notYet;
    std::array<Mark, 28> panel{};
    std::array<QString, 28> counts;
    Mark pictures = Mark::None;
    int questionNumber = 0;
    // The id of the word shown, empty while none is.
    QString wordShown;
    int timerPeriod = 0;
    QStringList played;
    AnswerLog *log = nullptr;
};

class ClickLabel;
class PictureButton;
class PictureImage;

// A main window with fakes around it, started up as the program starts it.
struct FormFixture
{
    // With `log`, answers go there instead of the fake.
    explicit FormFixture(bool load = true, AnswerLog *log = nullptr);

    PictureButton *hr(int j) const;
    PictureButton *hro(int k) const;
    PictureImage *Ima(int k) const;
    ClickLabel *imac(int k) const;
    PictureImage *image(const char *name) const;
    ChoiceList *list(const char *name) const;
    QString qno() const;

    // Picks an entry as the user does: a click on the list's entry.
    void pick(const char *list, int entry);
    // A left click on board button hr(j).
    void click(int j);
    // The letter whose picture board button hr(j) shows, or -1.
    int letterShownAt(int j) const;
    // The position whose Tag is "1", or -1; -2 when more than one.
    int markedPosition() const;
    // The window's contest and practice, chosen or not.
    const ContestMode &contest() const;
    const PracticeMode &practice() const;

    FakeSoundPlayer sound;
    FakeWebOpener web;
    FixedTimeOfDay clock;
    MersenneUnitRandom random;
    int splashShown = 0;
    QList<GrownUpsWindow> grownUpsOpened;
    FakeAnswerLog answers;
    std::unique_ptr<Form1> form;
};
