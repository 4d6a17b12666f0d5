#include "questioncycle.h"

#include "shell/letters.h"

#include <limits>

namespace {

const QString kMarked = QStringLiteral("1");
const QString kUnmarked = QStringLiteral("0");

} // namespace

QuestionCycle::QuestionCycle(ModeHost &host, Questions &questions)
    : m_host(host)
    , m_questions(questions)
{
}

void QuestionCycle::begin()
{
    m_host.setQuestionNumber(1);
    markOnly(-1);
    m_wrongTries = 0;
    m_underWay = false;
    m_host.setTimerPeriod(kQuestionPeriodMs);
}

void QuestionCycle::tick()
{
    const bool fresh = !m_underWay;
    if (fresh)
        m_questions.startQuestion();
    const int asked = m_questions.askedPosition();
    if (asked < 0)
        return;
    m_questions.sayQuestion(m_host, asked);
    if (fresh) {
        m_underWay = true;
        m_asked.start();
    }
    m_host.setQuestionNumber(m_questions.questionNumber());
    markOnly(m_host.letterAt(asked) >= 0 ? asked : -1);
}

void QuestionCycle::markOnly(int position)
{
    for (int j = 0; j < kLetterCount; ++j)
        m_host.setTag(j, kUnmarked);
    if (position >= 0)
        m_host.setTag(position, kMarked);
}

void QuestionCycle::dropQuestion()
{
    m_underWay = false;
    markOnly(-1);
}

// The right-answer mark of a button read as a number, empty counting as 0:
// a question is pending from the tick that asks it until it is answered
// right; only then does a click count as an answer.
bool QuestionCycle::questionPending() const
{
    for (int j = 0; j < kLetterCount; ++j) {
        if (m_host.tag(j).toInt() == 1)
            return true;
    }
    return false;
}

void QuestionCycle::click(std::int16_t position)
{
    if (!questionPending())
        return;
    if (m_host.tag(position).toInt() == 1)
        markRight(position);
    else
        markWrong(position);
}

void QuestionCycle::markRight(std::int16_t position)
{
    const int k = m_host.letterAt(m_questions.askedPosition());
    if (k < 0)
        return;
    if (m_questions.marksInResultsPanel()) {
        m_host.showInResultsPanel(k, true);
        m_host.setResultCount(k, m_wrongTries == 0 ? QString() : QString::number(m_wrongTries));
    }
    const int wrongTriesBefore = m_wrongTries;

    m_wrongTries = 0;
    m_underWay = false;
    m_questions.answeredRight();
    // Answered: the next click waits for the next question.
    m_host.setTag(position, kUnmarked);

    m_host.showAnswerPictures(true);
    m_host.play(kRightSound);
    keepAnswer(k, m_host.letterAt(position), true, wrongTriesBefore);
}

void QuestionCycle::markWrong(std::int16_t position)
{
    const int k = m_host.letterAt(position);
    if (k < 0)
        return;
    const int wrongTriesBefore = m_wrongTries;
    if (m_wrongTries < std::numeric_limits<std::int16_t>::max())
        ++m_wrongTries;
    // The caption keeps what it had: empty, or an earlier right answer's count.
    if (m_questions.marksInResultsPanel())
        m_host.showInResultsPanel(k, false);

    m_host.showAnswerPictures(false);
    m_host.play(kWrongSound);
    keepAnswer(m_host.letterAt(m_questions.askedPosition()), k, false, wrongTriesBefore);
}

// After the sound and the marks: the history only queues the answer, and
// the mode learns from it.
void QuestionCycle::keepAnswer(int askedLetter, int clickedLetter, bool right, int wrongTriesBefore)
{
    if (askedLetter < 0 || clickedLetter < 0)
        return;
    Answer answer;
    answer.time = QDateTime::currentDateTimeUtc();
    answer.asked = askedLetter + 1;
    answer.clicked = clickedLetter + 1;
    answer.right = right;
    answer.wrongTries = wrongTriesBefore;
    answer.seconds = m_asked.isValid() ? double(m_asked.elapsed()) / 1000.0 : 0.0;
    answer.order = m_host.boardOrder();
    answer.mode = m_questions.answerMode();
    if (AnswerLog *log = m_host.answers())
        log->record(answer);
    m_questions.kept(answer);
}
