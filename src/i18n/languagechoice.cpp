#include "languagechoice.h"

#include "i18n/language.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>

LanguageChoice::LanguageChoice(QWidget *parent)
    : QWidget(parent)
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    auto *label = new QLabel(tr("Language:"), this);
    m_list = new QComboBox(this);
    m_list->setAccessibleName(tr("Language of the grown-ups' windows"));
    label->setBuddy(m_list);
    m_list->addItem(tr("The desktop's (%1)").arg(i18n::nativeName(i18n::desktopLanguage())), QString());
    for (const QString &code : i18n::languages())
        m_list->addItem(i18n::nativeName(code), code);
    m_list->setCurrentIndex(std::max(0, m_list->findData(i18n::keptLanguage())));
    row->addWidget(label);
    row->addWidget(m_list);
    connect(m_list, &QComboBox::activated, this, &LanguageChoice::choose);
}

void LanguageChoice::choose(int index)
{
    const QString code = m_list->itemData(index).toString();
    if (code == i18n::keptLanguage())
        return;
    i18n::keepLanguage(code);
    const QString before = i18n::currentLanguage();
    i18n::useLanguage(i18n::chosenLanguage());
    if (i18n::currentLanguage() != before)
        emit chosen();
}

WindowInLanguage::WindowInLanguage(Make make)
    : m_make(std::move(make))
{
    build();
}

WindowInLanguage::~WindowInLanguage() = default;

void WindowInLanguage::build()
{
    std::unique_ptr<QWidget> next = m_make(m_window.get());
    if (m_window)
        next->setGeometry(m_window->geometry());
    if (auto *choice = next->findChild<LanguageChoice *>()) {
        // Once the list that sent it has finished: it goes with its window.
        connect(choice, &LanguageChoice::chosen, this, [this] { QTimer::singleShot(0, this, &WindowInLanguage::build); });
    }
    next->show();
    m_window = std::move(next);
}
