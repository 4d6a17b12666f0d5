#pragma once

#include <QLayout>
#include <QList>

// Lays its items out in lines, in the reading direction of the widget it
// lays out, each at its size hint, starting a new line where the next item
// would not fit: a row of buttons that wraps when the window is narrow
// instead of running sideways. Items of a line stand at its middle, and
// the lines in the middle of the room they are given.
//
// Its minimum width is its widest item's; its height follows its width.
class FlowLayout : public QLayout
{
public:
    explicit FlowLayout(QWidget *parent = nullptr, int spacing = -1);
    ~FlowLayout() override;

    void addItem(QLayoutItem *item) override;
    int count() const override;
    QLayoutItem *itemAt(int index) const override;
    QLayoutItem *takeAt(int index) override;

    Qt::Orientations expandingDirections() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;
    QSize minimumSize() const override;
    QSize sizeHint() const override;
    void setGeometry(const QRect &rect) override;

    // Between items on a line, and between lines.
    int horizontalSpacing() const;
    int verticalSpacing() const;

private:
    // Places the items in `rect` (only when `apply`) and returns the height
    // they take.
    int arrange(const QRect &rect, bool apply) const;

    QList<QLayoutItem *> m_items;
};
