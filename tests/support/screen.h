#pragma once

#include <QString>

class QWidget;

// Where a shown window lies, its frame and all, against its screen's free
// area (less a panel, under a window manager): empty when inside, else
// both, for a test's message.
QString outsideTheFreeArea(const QWidget &window);
