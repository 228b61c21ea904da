#include "platform/Listenfeld.h"

#include <QItemSelectionModel>

namespace zem {

Listenfeld::Listenfeld(QWidget* eltern)
    : QListWidget(eltern)
{
    setSelectionMode(QAbstractItemView::MultiSelection);
    setSortingEnabled(false);
    setUniformItemSizes(true);
}

int Listenfeld::SelCount() const
{
    int anzahl = 0;
    for (const QItemSelectionRange& bereich : selectionModel()->selection())
        anzahl += bereich.height();
    return anzahl;
}

bool Listenfeld::Selected(int k) const
{
    if (k < 0 || k >= count())
        return false;
    return selectionModel()->isSelected(model()->index(k, 0));
}

void Listenfeld::setSelected(int k, bool an)
{
    if (k < 0 || k >= count())
        return;
    selectionModel()->select(model()->index(k, 0), an ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
}

void Listenfeld::mouseReleaseEvent(QMouseEvent* ereignis)
{
    QListWidget::mouseReleaseEvent(ereignis);
    if (beiMausHoch)
        beiMausHoch();
}

} // namespace zem
