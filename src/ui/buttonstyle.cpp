#include "buttonstyle.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPointer>
#include <QStyleOptionButton>

ButtonStyle *ButtonStyle::shared()
{
    static QPointer<ButtonStyle> style;
    if (!style) {
        style = new ButtonStyle;
        style->setParent(QCoreApplication::instance());
    }
    return style;
}

void ButtonStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                              const QWidget *widget) const
{
    const auto *button = qstyleoption_cast<const QStyleOptionButton *>(option);
    if (element != CE_PushButtonLabel || !button || button->direction != Qt::RightToLeft || button->icon.isNull()
        || button->text.isEmpty()) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    const QRect room = button->rect;
    const QIcon::Mode mode = !(button->state & State_Enabled) ? QIcon::Disabled
                             : (button->state & State_HasFocus) ? QIcon::Active
                                                                : QIcon::Normal;
    const QIcon::State state = (button->state & State_On) ? QIcon::On : QIcon::Off;
    const QPixmap pixmap = button->icon.pixmap(button->iconSize, painter->device()->devicePixelRatio(), mode, state);
    const QSize iconSize = pixmap.deviceIndependentSize().toSize();
    // As QPushButton reckons its width: the icon, 4 pixels, the words.
    constexpr int kSpacing = 4;
    const int flags = Qt::AlignVCenter | Qt::TextShowMnemonic
                      | (styleHint(SH_UnderlineShortcut, button, widget) ? 0 : Qt::TextHideMnemonic);
    const int textWidth = button->fontMetrics.boundingRect(room, flags, button->text).width();
    const int pairWidth = iconSize.width() + kSpacing + textWidth;
    const int right = room.x() + (room.width() + pairWidth) / 2;
    const QRect iconRect(right - iconSize.width(), room.y() + (room.height() - iconSize.height()) / 2,
                         iconSize.width(), iconSize.height());
    painter->drawPixmap(iconRect, pixmap);
    const QRect textRect(iconRect.left() - kSpacing - textWidth, room.y(), textWidth, room.height());
    drawItemText(painter, textRect, flags | Qt::AlignHCenter, button->palette, button->state & State_Enabled,
                 button->text, QPalette::ButtonText);
}
