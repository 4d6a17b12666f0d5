#pragma once

class QImage;

// Mean difference of two images of one size, per channel, 0..255.
double meanDifference(const QImage &a, const QImage &b);
