#include "ui/ZeilenLayout.h"

#include <QWidget>
#include <algorithm>

ZeilenLayout::ZeilenLayout(QWidget* eltern, int maxZeilen) : QLayout(eltern), maxZeilen_(maxZeilen)
{
    setContentsMargins(0, 0, 0, 0);
}

ZeilenLayout::~ZeilenLayout()
{
    while (QLayoutItem* item = takeAt(0))
        delete item;
}

void ZeilenLayout::addItem(QLayoutItem* item)
{
    items_.append(item);
}

QLayoutItem* ZeilenLayout::takeAt(int index)
{
    return index >= 0 && index < items_.size() ? items_.takeAt(index) : nullptr;
}

std::pair<int, int> ZeilenLayout::anordnen(const QRect& rect, bool setzen) const
{
    const int abstand = spacing();
    int x = rect.x(), y = rect.y(), zeilenHoehe = 0, zeilen = 0;
    for (QLayoutItem* item : items_) {
        if (item->isEmpty())
            continue;
        const QSize groesse = item->sizeHint();
        if (zeilen == 0 || (x > rect.x() && x + groesse.width() > rect.x() + rect.width())) {
            if (zeilen > 0)
                y += zeilenHoehe + abstand;
            x = rect.x();
            zeilenHoehe = 0;
            ++zeilen;
        }
        if (setzen)
            item->setGeometry(QRect(QPoint(x, y), groesse));
        x += groesse.width() + abstand;
        zeilenHoehe = std::max(zeilenHoehe, groesse.height());
    }
    return {zeilen, y + zeilenHoehe - rect.y()};
}

int ZeilenLayout::heightForWidth(int breite) const
{
    const QMargins r = contentsMargins();
    return anordnen(QRect(0, 0, breite - r.left() - r.right(), 0), false).second + r.top() + r.bottom();
}

QSize ZeilenLayout::sizeHint() const
{
    int breite = 0, hoehe = 0;
    for (QLayoutItem* item : items_) {
        if (item->isEmpty())
            continue;
        breite += (breite > 0 ? spacing() : 0) + item->sizeHint().width();
        hoehe = std::max(hoehe, item->sizeHint().height());
    }
    const QMargins r = contentsMargins();
    return QSize(breite + r.left() + r.right(), hoehe + r.top() + r.bottom());
}

QSize ZeilenLayout::minimumSize() const
{
    // Lines only break before an item, so the narrowest widths worth trying are
    // the widths of runs of consecutive items.
    QList<int> breiten;
    for (qsizetype a = 0; a < items_.size(); ++a) {
        int breite = 0;
        for (qsizetype b = a; b < items_.size(); ++b) {
            if (items_[b]->isEmpty())
                continue;
            breite += (breite > 0 ? spacing() : 0) + items_[b]->sizeHint().width();
            breiten.append(breite);
        }
    }
    std::sort(breiten.begin(), breiten.end());
    for (int breite : breiten)
        if (anordnen(QRect(0, 0, breite, 0), false).first <= maxZeilen_) {
            const QMargins r = contentsMargins();
            return QSize(breite + r.left() + r.right(), heightForWidth(breite + r.left() + r.right()));
        }
    return sizeHint();
}

void ZeilenLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    anordnen(contentsRect(), true);
}
