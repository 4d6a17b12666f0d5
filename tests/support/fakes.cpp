#include "fakes.h"

#include "shell/letters.h"
#include "words/wordtable.h"
#include "ui/widgets.h"

#include <QLineEdit>
#include <QTest>

FormFixture::FormFixture(bool load, AnswerLog *log)
{
    form = std::make_unique<Form1>(Form1Services{sound, web, clock, random, [this] { ++splashShown; },
                                                 [this](GrownUpsWindow which) { grownUpsOpened << which; },
                                                 log ? log : &answers});
    if (load)
        form->Form_Load();
}

PictureButton *FormFixture::hr(int j) const
{
    return form->controls().get<PictureButton>(QStringLiteral("hr"), j);
}

PictureButton *FormFixture::hro(int k) const
{
    return form->controls().get<PictureButton>(QStringLiteral("hro"), k);
}

PictureImage *FormFixture::Ima(int k) const
{
    return form->controls().get<PictureImage>(QStringLiteral("Ima"), k);
}

ClickLabel *FormFixture::imac(int k) const
{
    return form->controls().get<ClickLabel>(QStringLiteral("imac"), k);
}

PictureImage *FormFixture::image(const char *name) const
{
    return form->controls().get<PictureImage>(QString::fromLatin1(name));
}

ChoiceList *FormFixture::list(const char *name) const
{
    return form->controls().get<ChoiceList>(QString::fromLatin1(name));
}

QString FormFixture::qno() const
{
    return form->controls().get<QLineEdit>(QStringLiteral("qno"))->text();
}

void FormFixture::pick(const char *name, int entry)
{
    ChoiceList *l = list(name);
    l->setCurrentIndex(entry);
    emit l->activated(entry);
}

void FormFixture::click(int j)
{
    QTest::mouseClick(hr(j), Qt::LeftButton);
}

int FormFixture::letterShownAt(int j) const
{
    const qint64 key = hr(j)->picture().cacheKey();
    for (int k = 0; k < 28; ++k) {
        if (hro(k)->picture().cacheKey() == key)
            return k;
    }
    return -1;
}

int FormFixture::markedPosition() const
{
    int found = -1;
    for (int j = 0; j < 28; ++j) {
        if (hr(j)->tag() == QLatin1String("1"))
            found = found == -1 ? j : -2;
    }
    return found;
}

const ContestMode &FormFixture::contest() const
{
    return dynamic_cast<const ContestMode &>(*form->mode(1));
}

const PracticeMode &FormFixture::practice() const
{
    return dynamic_cast<const PracticeMode &>(*form->mode(2));
}

FakeModeHost::FakeModeHost()
{
    for (int k = 0; k < 28; ++k)
        boardSlot[std::size_t(k)] = k;
}

int FakeModeHost::letterAt(int position) const
{
    for (int k = 0; k < 28; ++k) {
        if (boardSlot[std::size_t(k)] == position)
            return k;
    }
    return -1;
}

void FakeModeHost::playLetterAt(int position)
{
    played << recordingOf(letterAt(position));
}

void FakeModeHost::showWord(const Word *word)
{
    wordShown = word ? word->id : QString();
}

void FakeModeHost::showInResultsPanel(int letter, bool right)
{
    panel.at(std::size_t(letter)) = right ? Mark::Right : Mark::Wrong;
}

void FakeModeHost::shuffle(std::int16_t first, std::int16_t last, std::span<std::int16_t> target)
{
    for (int i = first; i <= last; ++i)
        target[std::size_t(i)] = std::int16_t(last - (i - first));
}

QList<int> FakeModeHost::marked() const
{
    QList<int> positions;
    for (int j = 0; j < 28; ++j) {
        if (tags[std::size_t(j)] == QLatin1String("1"))
            positions << j;
    }
    return positions;
}

QList<Answer> rightEveryDay(int letter, int days, Answer::Mode mode)
{
    QList<Answer> list;
    const QDateTime yesterday = QDateTime(QDate::currentDate().addDays(-1), QTime(9, 0)).toUTC();
    for (int d = days - 1; d >= 0; --d) {
        Answer a;
        a.time = yesterday.addDays(-d);
        a.asked = a.clicked = letter + 1;
        a.right = true;
        a.mode = mode;
        list << a;
    }
    return list;
}
