#pragma once
#include <QLayout>
#include <QList>

// Places its widgets side by side at their preferred sizes, top-aligned, and
// starts a new line where the next one would not fit. Its minimum width is the
// narrowest at which the widgets need no more than maxZeilen lines, so a window
// can shrink without the lines growing past its minimum height.
class ZeilenLayout : public QLayout {
public:
    ZeilenLayout(QWidget* eltern, int maxZeilen);
    ~ZeilenLayout() override;

    void addItem(QLayoutItem* item) override;
    int count() const override { return static_cast<int>(items_.size()); }
    QLayoutItem* itemAt(int index) const override { return items_.value(index); }
    QLayoutItem* takeAt(int index) override;
    Qt::Orientations expandingDirections() const override { return {}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int breite) const override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;

private:
    // Lays the items out in rect (only measures when setzen is false); the
    // number of lines and the height used.
    std::pair<int, int> anordnen(const QRect& rect, bool setzen) const;

    QList<QLayoutItem*> items_;
    int maxZeilen_;
};
