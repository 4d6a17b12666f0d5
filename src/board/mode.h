#pragma once

#include "history/answerlog.h"

#include <QString>

#include <cstdint>
#include <span>

struct Word;

// What a mode may do with the main window, and no more: hear and play the
// board, mark its buttons, fill the results panel or show a word in its
// place, show the answer pictures and the question number, run the
// question timer, shuffle, and keep an answer. Board positions and letters are 0..27 (letters in alphabetical
// order). Tests pass their own.
class ModeHost
{
public:
    virtual ~ModeHost() = default;

    // The board: the letter shown at a position (the smallest k with
    // boardSlot(k) at it), -1 for none; and the position of letter k.
    virtual int letterAt(int position) const = 0;
    virtual int positionOf(int letter) const = 0;

    // Plays soundFile(position), the recording of the letter shown there;
    // and a sound by its relative name ("\yes", "\no"). Neither waits.
    virtual void playLetterAt(int position) = 0;
    virtual void play(const QString &sound) = 0;

    // The right-answer mark: the Tag of board button hr(position).
    virtual QString tag(int position) const = 0;
    virtual void setTag(int position, const QString &tag) = 0;

    // A letter not in play: asleep on the board, and its brief "not yet"
    // when clicked.
    virtual void setAsleep(int position, bool asleep) = 0;
    virtual bool isAsleep(int position) const = 0;
    virtual void showNotYet(int position) = 0;

    // Letter k's element of the results panel (hro, Ima, imac) shown, with
    // the right or the wrong mark; and the caption of its count, imac(k).
    virtual void showInResultsPanel(int letter, bool right) = 0;
    virtual void setResultCount(int letter, const QString &count) = 0;
    // The right answer's pictures (Imy, Imhy) shown and the wrong one's
    // (Imn, Imhn) hidden, or the other way round.
    virtual void showAnswerPictures(bool right) = 0;
    // The question number box, qno.
    virtual void setQuestionNumber(int number) = 0;
    // The word panel, in the results panel's place: a word's picture and
    // its vowelled word, its letter asked in another colour; null hides it.
    // Made the first time a word is shown.
    virtual void showWord(const Word *word) = 0;

    // The question timer ttx: 0 stops it; any other period restarts its
    // count, even when running.
    virtual void setTimerPeriod(int milliseconds) = 0;

    // The board's shuffle, reseeded from the time of day, into
    // target[first..last].
    virtual void shuffle(std::int16_t first, std::int16_t last, std::span<std::int16_t> target) = 0;

    // How the board is ordered now, and where answers are kept (may be
    // null).
    virtual Answer::Order boardOrder() const = 0;
    virtual AnswerLog *answers() const = 0;
};

// A way of using the board, chosen in the mode list. The window keeps one
// of each for its whole life and hands every tick and click to the one
// chosen; a mode keeps its own state and questions from one choice to the
// next (the contest's sequence outlives a turn at pronunciation).
class Mode
{
public:
    virtual ~Mode() = default;

    // Chosen in the mode list, by the user or from code: the results panel
    // is already hidden and emptied, and the question timer stopped.
    virtual void enter() = 0;
    // Another entry is being chosen.
    virtual void leave() {}
    // A tick of the question timer, the answer pictures already hidden.
    virtual void tick() {}
    // A click on board position 0..27.
    virtual void click(std::int16_t position) = 0;
    // The order list has put the letters in new places (boardSlot, the
    // pictures and the sounds together).
    virtual void boardMoved() {}
};
