#pragma once

#include <QStringList>

class QWidget;

// The texts of a shown window that do not show whole at the size it has
// now, one line each naming the control and its words: a label narrower or
// lower than its words, a button or check box narrower than its caption, a
// list's entry wider than the list's field, a group's title or a tab's
// words wider than their place, a tab scrolled out of its bar. Empty when
// every text is whole.
QStringList textsNotWhole(const QWidget *window);
