#include "flowlayout.h"

#include <QStyle>
#include <QWidget>

#include <algorithm>
#include <utility>

FlowLayout::FlowLayout(QWidget *parent, int spacing)
    : QLayout(parent)
{
    setSpacing(spacing);
}

FlowLayout::~FlowLayout()
{
    while (QLayoutItem *item = takeAt(0))
        delete item;
}

void FlowLayout::addItem(QLayoutItem *item)
{
    m_items.append(item);
}

int FlowLayout::count() const
{
    return int(m_items.size());
}

QLayoutItem *FlowLayout::itemAt(int index) const
{
    return m_items.value(index);
}

QLayoutItem *FlowLayout::takeAt(int index)
{
    return index >= 0 && index < m_items.size() ? m_items.takeAt(index) : nullptr;
}

Qt::Orientations FlowLayout::expandingDirections() const
{
    return {};
}

bool FlowLayout::hasHeightForWidth() const
{
    return true;
}

int FlowLayout::heightForWidth(int width) const
{
    return arrange(QRect(0, 0, width, 0), false);
}

QSize FlowLayout::minimumSize() const
{
    QSize size;
    for (const QLayoutItem *item : m_items) {
        if (!item->isEmpty())
            size = size.expandedTo(item->sizeHint().expandedTo(item->minimumSize()));
    }
    const QMargins m = contentsMargins();
    return size + QSize(m.left() + m.right(), m.top() + m.bottom());
}

// All on one line.
QSize FlowLayout::sizeHint() const
{
    int width = 0;
    int height = 0;
    int shown = 0;
    for (const QLayoutItem *item : m_items) {
        if (item->isEmpty())
            continue;
        width += item->sizeHint().width();
        height = std::max(height, item->sizeHint().height());
        ++shown;
    }
    const QMargins m = contentsMargins();
    return {width + std::max(0, shown - 1) * horizontalSpacing() + m.left() + m.right(),
            height + m.top() + m.bottom()};
}

void FlowLayout::setGeometry(const QRect &rect)
{
    QLayout::setGeometry(rect);
    arrange(rect, true);
}

int FlowLayout::horizontalSpacing() const
{
    if (spacing() >= 0)
        return spacing();
    const QWidget *widget = parentWidget();
    return widget ? widget->style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing, nullptr, widget) : 6;
}

int FlowLayout::verticalSpacing() const
{
    if (spacing() >= 0)
        return spacing();
    const QWidget *widget = parentWidget();
    return widget ? widget->style()->pixelMetric(QStyle::PM_LayoutVerticalSpacing, nullptr, widget) : 6;
}

int FlowLayout::arrange(const QRect &rect, bool apply) const
{
    const QRect area = rect.marginsRemoved(contentsMargins());
    const Qt::LayoutDirection direction = parentWidget() ? parentWidget()->layoutDirection() : Qt::LeftToRight;
    const int across = horizontalSpacing();
    const int down = verticalSpacing();
    // The items of the line being filled, at their places along it.
    QList<std::pair<QLayoutItem *, QRect>> line;
    int lineHeight = 0;
    int y = area.y();
    // The lines stand in the middle of a taller room than they need.
    const int lower = apply ? std::max(0, (area.height() - arrange(rect, false) + contentsMargins().bottom()
                                           + contentsMargins().top()) / 2)
                            : 0;
    const auto endLine = [&] {
        if (apply) {
            for (auto &[item, place] : line) {
                place.moveTop(lower + y + (lineHeight - place.height()) / 2);
                item->setGeometry(QStyle::visualRect(direction, area, place));
            }
        }
        y += lineHeight;
        line.clear();
        lineHeight = 0;
    };
    int x = area.x();
    for (QLayoutItem *item : m_items) {
        if (item->isEmpty())
            continue;
        const QSize size = item->sizeHint().boundedTo(QSize(area.width(), QWIDGETSIZE_MAX));
        // A new line where this one is full; an item alone on its line
        // stays there however wide it is.
        if (!line.isEmpty() && x + size.width() > area.right() + 1) {
            endLine();
            y += down;
            x = area.x();
        }
        line.append({item, QRect(QPoint(x, 0), size)});
        x += size.width() + across;
        lineHeight = std::max(lineHeight, size.height());
    }
    endLine();
    return y - rect.y() + contentsMargins().bottom();
}
