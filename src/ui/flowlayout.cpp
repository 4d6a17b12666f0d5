#include "flowlayout.h"

#include <QStyle>
#include <QWidget>

#include <algorithm>

FlowLayout::FlowLayout(QWidget *parent, int spacing)
    : QLayout(parent)
    , m_spacing(spacing)
{
    setContentsMargins(0, 0, 0, 0);
}

FlowLayout::~FlowLayout()
{
    while (QLayoutItem *item = takeAt(0))
        delete item;
}

void FlowLayout::addWidget(QWidget *widget, int stretch)
{
    addChildWidget(widget);
    m_items.append(new QWidgetItem(widget));
    m_stretch.append(stretch);
    invalidate();
}

void FlowLayout::addItem(QLayoutItem *item)
{
    m_items.append(item);
    m_stretch.append(0);
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
    if (index < 0 || index >= m_items.size())
        return nullptr;
    m_stretch.removeAt(index);
    return m_items.takeAt(index);
}

Qt::Orientations FlowLayout::expandingDirections() const
{
    return {};
}

int FlowLayout::heightForWidth(int width) const
{
    return place(QRect(0, 0, width, 0), false);
}

QSize FlowLayout::minimumSize() const
{
    // As narrow as the widest item at its own size (a sentence at its
    // least): each may have a row of its own.
    QSize size;
    for (qsizetype i = 0; i < m_items.size(); ++i) {
        const QLayoutItem *item = m_items[i];
        if (!item->isEmpty())
            size = size.expandedTo(m_stretch[i] > 0 ? item->minimumSize() : item->sizeHint().expandedTo(item->minimumSize()));
    }
    const QMargins m = contentsMargins();
    return size + QSize(m.left() + m.right(), m.top() + m.bottom());
}

QSize FlowLayout::sizeHint() const
{
    // Everything in one row.
    int width = 0;
    int height = 0;
    for (const QLayoutItem *item : m_items) {
        if (item->isEmpty())
            continue;
        width += (width > 0 ? m_spacing : 0) + item->sizeHint().width();
        height = std::max(height, item->sizeHint().height());
    }
    const QMargins m = contentsMargins();
    return {width + m.left() + m.right(), height + m.top() + m.bottom()};
}

void FlowLayout::setGeometry(const QRect &rect)
{
    QLayout::setGeometry(rect);
    place(rect, true);
}

int FlowLayout::place(const QRect &rect, bool apply) const
{
    const QRect area = rect.marginsRemoved(contentsMargins());
    const bool rightToLeft = parentWidget() ? parentWidget()->layoutDirection() == Qt::RightToLeft
                                            : false;
    // Rows first: which items share a row, and how high each row is.
    struct Row
    {
        qsizetype first = 0;
        qsizetype end = 0;
        int height = 0;
    };
    QList<Row> rows;
    int x = 0;
    for (qsizetype i = 0; i < m_items.size(); ++i) {
        const QLayoutItem *item = m_items[i];
        if (item->isEmpty())
            continue;
        const QSize hint = item->sizeHint();
        // A stretching item (a sentence) goes beside the others only where
        // it has half the width or more: else it has a row of its own.
        const int wanted = m_stretch[i] > 0 ? std::max(item->minimumSize().width(), area.width() / 2) : hint.width();
        if (rows.isEmpty() || (x > 0 && x + m_spacing + wanted > area.width())) {
            rows.append(Row{i, i, 0});
            x = 0;
        }
        x += (x > 0 ? m_spacing : 0) + wanted;
        rows.last().end = i + 1;
    }
    int y = area.top();
    for (Row &row : rows) {
        // The widths in this row: a stretching item takes what is left.
        int used = 0;
        int stretching = -1;
        for (qsizetype i = row.first; i < row.end; ++i) {
            if (m_items[i]->isEmpty())
                continue;
            used += (used > 0 ? m_spacing : 0);
            if (m_stretch[i] > 0 && stretching < 0)
                stretching = int(i);
            else
                used += std::min(m_items[i]->sizeHint().width(), area.width());
        }
        const auto widthOf = [&](qsizetype i) {
            if (int(i) == stretching)
                return std::max(m_items[i]->minimumSize().width(), area.width() - used);
            return std::min(m_items[i]->sizeHint().width(), area.width());
        };
        for (qsizetype i = row.first; i < row.end; ++i) {
            const QLayoutItem *item = m_items[i];
            if (item->isEmpty())
                continue;
            const int w = widthOf(i);
            const int h = item->hasHeightForWidth() ? item->heightForWidth(w) : item->sizeHint().height();
            row.height = std::max(row.height, h);
        }
        x = 0;
        for (qsizetype i = row.first; i < row.end; ++i) {
            QLayoutItem *item = m_items[i];
            if (item->isEmpty())
                continue;
            const int w = widthOf(i);
            const int h = item->hasHeightForWidth() ? item->heightForWidth(w) : item->sizeHint().height();
            if (apply) {
                // Each item centred in its row's height, placed from where
                // reading starts.
                const int left = rightToLeft ? area.right() + 1 - x - w : area.left() + x;
                item->setGeometry(QRect(left, y + (row.height - h) / 2, w, h));
            }
            x += w + m_spacing;
        }
        y += row.height + m_spacing;
    }
    if (!rows.isEmpty())
        y -= m_spacing;
    const QMargins m = contentsMargins();
    return y - area.top() + m.top() + m.bottom();
}
