#pragma once

#include <QProxyStyle>

// The style of a button with an icon and words, read right to left as well
// as left to right: the icon first in the reading direction, the words just
// after it, the two together in the middle of the button. (Qt's own styles
// push the words of a right-to-left button against its left edge.) Other
// controls are drawn as the application's style draws them.
class ButtonStyle : public QProxyStyle
{
public:
    // One for the application, gone with it: a widget's style must outlive
    // the widget.
    static ButtonStyle *shared();

    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
};
