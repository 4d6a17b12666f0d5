#pragma once

#include "board/mode.h"
#include "shell/form1.h"

// The main window as its modes see it: its board, marks, results panel,
// answer pictures, question number and timer, and its services.
class Form1::Host final : public ModeHost
{
public:
    explicit Host(Form1 &window);

    int letterAt(int position) const override;
    int positionOf(int letter) const override;
    void playLetterAt(int position) override;
    void play(const QString &sound) override;
    QString tag(int position) const override;
    void setTag(int position, const QString &tag) override;
    void setAsleep(int position, bool asleep) override;
    bool isAsleep(int position) const override;
    void showNotYet(int position) override;
    void showInResultsPanel(int letter, bool right) override;
    void setResultCount(int letter, const QString &count) override;
    void showAnswerPictures(bool right) override;
    void setQuestionNumber(int number) override;
    void showWord(const Word *word) override;
    void setTimerPeriod(int milliseconds) override;
    void shuffle(std::int16_t first, std::int16_t last, std::span<std::int16_t> target) override;
    Answer::Order boardOrder() const override;
    AnswerLog *answers() const override;

private:
    Form1 &m_window;
};
