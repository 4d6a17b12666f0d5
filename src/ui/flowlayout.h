#pragma once

#include <QLayout>
#include <QList>

// Lays its items in a row, in the reading direction, and carries on in the
// next row where the width runs out: the grown-ups' windows keep every
// control in view on a narrow or scaled screen instead of scrolling
// sideways. An item with a stretch factor of 1 takes the rest of its row
// (a sentence that then wraps its words), where the rest is half the
// width or more.
class FlowLayout : public QLayout
{
public:
    explicit FlowLayout(QWidget *parent = nullptr, int spacing = 8);
    ~FlowLayout() override;

    // A widget, or a widget that fills what is left of its row.
    void addWidget(QWidget *widget, int stretch = 0);

    void addItem(QLayoutItem *item) override;
    int count() const override;
    QLayoutItem *itemAt(int index) const override;
    QLayoutItem *takeAt(int index) override;
    Qt::Orientations expandingDirections() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize minimumSize() const override;
    QSize sizeHint() const override;
    void setGeometry(const QRect &rect) override;

private:
    int place(const QRect &rect, bool apply) const;

    QList<QLayoutItem *> m_items;
    QList<int> m_stretch;
    int m_spacing;
};
