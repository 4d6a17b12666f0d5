// The letter board: the board's clicks, the order list and the mode list.
#include "shell/form1.h"

#include "board/lists.h"
#include "board/mode.h"
#include "board/modelist.h"
#include "board/shuffle.h"
#include "shell/letters.h"
#include "ui/widgets.h"

void Form1::hr_Click(std::int16_t index)
{
    if (index < 0 || index >= kLetterCount)
        return;
    if (m_mode)
        m_mode->click(index);
}

void Form1::Co1_Click()
{
    if (Co1->currentIndex() == 0) {
        for (int i = 0; i < kLetterCount; ++i)
            m_state.boardSlot[i] = std::int16_t(i);
    } else {
        ShuffleBoard(0, 27);
    }
    placeLettersOnBoard();
    if (m_mode)
        m_mode->boardMoved();
}

// Board agreement: the sound of each position and its picture are rebuilt
// together from boardSlot, so a button always plays the letter it shows.
void Form1::placeLettersOnBoard()
{
    for (int k = 0; k < kLetterCount; ++k)
        m_state.soundFile[m_state.boardSlot[k]] = recordingOf(k);
    for (int k = 0; k < kLetterCount; ++k)
        hr[m_state.boardSlot[k]]->copyPictureFrom(*hro[k]);
}

// The text of the entry decides which mode is chosen. Every choice starts
// clean: the results panel empty and the question timer stopped, until a
// mode that asks questions starts it again.
void Form1::Co2_Click()
{
    hideResultsPanel();
    if (m_mode)
        m_mode->leave();
    setTimerPeriod(0);
    m_mode = nullptr;
    const QString chosen = Co2->currentText();
    const auto kinds = modeList();
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        if (kinds[i].entry == chosen)
            m_mode = m_modes[i].get();
    }
    if (m_mode)
        m_mode->enter();
}

const Mode *Form1::mode(int entry) const
{
    return entry >= 0 && std::size_t(entry) < m_modes.size() ? m_modes[std::size_t(entry)].get() : nullptr;
}

void Form1::hideResultsPanel()
{
    for (int i = 0; i < kLetterCount; ++i) {
        hro[i]->hide();
        Ima[i]->hide();
        imac[i]->hide();
        imac[i]->setText(QString());
    }
}

void Form1::ShuffleBoard(std::int16_t first, std::int16_t last)
{
    shuffleRange(first, last, m_state.boardSlot, m_services.random, m_services.clock);
}
