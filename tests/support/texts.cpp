#include "texts.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTabBar>

namespace {

QString describe(const QWidget *w, const QString &text, int need, int have)
{
    const QString name = w->accessibleName().isEmpty() ? w->objectName() : w->accessibleName();
    return QStringLiteral("%1 \"%2\" (%3): %4 px of words in %5 px")
        .arg(QString::fromLatin1(w->metaObject()->className()), name, text)
        .arg(need)
        .arg(have);
}

} // namespace

QStringList textsNotWhole(const QWidget *window)
{
    QStringList cut;
    for (const QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisible())
            continue;
        if (const auto *label = qobject_cast<const QLabel *>(w)) {
            if (label->text().isEmpty())
                continue;
            if (label->wordWrap()) {
                const int need = label->heightForWidth(label->width());
                if (need > label->height())
                    cut << describe(w, label->text(), need, label->height());
            } else if (label->sizeHint().width() > label->width()) {
                cut << describe(w, label->text(), label->sizeHint().width(), label->width());
            }
        } else if (const auto *button = qobject_cast<const QAbstractButton *>(w)) {
            if (!button->text().isEmpty() && button->sizeHint().width() > button->width())
                cut << describe(w, button->text(), button->sizeHint().width(), button->width());
        } else if (const auto *list = qobject_cast<const QComboBox *>(w)) {
            QStyleOptionComboBox option;
            option.initFrom(list);
            option.editable = list->isEditable();
            const QRect field = list->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                              QStyle::SC_ComboBoxEditField, list);
            for (int i = 0; i < list->count(); ++i) {
                const int need = list->fontMetrics().horizontalAdvance(list->itemText(i));
                if (need > field.width())
                    cut << describe(w, list->itemText(i), need, field.width());
            }
        } else if (const auto *box = qobject_cast<const QGroupBox *>(w)) {
            const int need = box->fontMetrics().horizontalAdvance(box->title()) + 16;
            if (need > box->width())
                cut << describe(w, box->title(), need, box->width());
        } else if (const auto *tabs = qobject_cast<const QTabBar *>(w)) {
            for (int i = 0; i < tabs->count(); ++i) {
                const int need = tabs->fontMetrics().horizontalAdvance(tabs->tabText(i));
                if (need > tabs->tabRect(i).width())
                    cut << describe(w, tabs->tabText(i), need, tabs->tabRect(i).width());
                // A bar too narrow for its tabs scrolls them out of view.
                else if (!tabs->rect().contains(tabs->tabRect(i)))
                    cut << describe(w, tabs->tabText(i), tabs->tabRect(i).right() + 1, tabs->width());
            }
        }
    }
    return cut;
}
