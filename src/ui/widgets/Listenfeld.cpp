#include "ui/widgets/Listenfeld.h"

#include <QHideEvent>
#include <QItemSelectionModel>

namespace zem {

Listenfeld::Listenfeld(Liste& liste, QWidget* eltern)
    : QListView(eltern)
    , m_liste(liste)
{
    setSelectionMode(QAbstractItemView::MultiSelection);
    setUniformItemSizes(true);
    anbinden(nullptr);
}

void Listenfeld::anbinden(Liste* liste)
{
    QItemSelectionModel* alt = selectionModel();
    // setModel() makes a selection model of its own for the model, which the list's replaces.
    setModel(liste ? &liste->modell() : nullptr);
    QItemSelectionModel* eigenes = selectionModel();
    if (liste)
        setSelectionModel(&liste->auswahl());
    // Only the view's own selection models go; the list's stays with the list.
    for (QItemSelectionModel* modell : { alt, eigenes })
        if (modell && modell->parent() == this && modell != selectionModel())
            delete modell;
}

void Listenfeld::showEvent(QShowEvent* ereignis)
{
    if (model() != &m_liste.modell())
        anbinden(&m_liste);
    QListView::showEvent(ereignis);
}

void Listenfeld::hideEvent(QHideEvent* ereignis)
{
    QListView::hideEvent(ereignis);
    if (!ereignis->spontaneous())
        anbinden(nullptr);
}

QItemSelectionModel::SelectionFlags Listenfeld::selectionCommand(const QModelIndex& index, const QEvent* ereignis) const
{
    // A press toggles the entry under the pointer and nothing more: Qt's multi selection would go on to
    // toggle every entry that the pointer passes over while the button is held.
    if (ereignis && ereignis->type() == QEvent::MouseMove)
        return QItemSelectionModel::NoUpdate;
    return QListView::selectionCommand(index, ereignis);
}

void Listenfeld::mouseReleaseEvent(QMouseEvent* ereignis)
{
    QListView::mouseReleaseEvent(ereignis);
    if (beiMausHoch)
        beiMausHoch();
}

} // namespace zem
