#pragma once

#include <QRect>
#include <QSize>

#include <functional>

class QImage;

// Mean difference of two images of one size, per channel, 0..255.
double meanDifference(const QImage &a, const QImage &b);

// The smallest rectangle holding every pixel (x, y) of an area of the given
// size for which the test holds: the ink of a text or a picture. Empty when
// there is none.
QRect boundsWhere(QSize size, const std::function<bool(int x, int y)> &test);
