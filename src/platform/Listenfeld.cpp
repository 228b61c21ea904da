#include "platform/Listenfeld.h"

#include <QEvent>
#include <QItemSelectionModel>

#include <algorithm>

namespace zem {

namespace {
using Bits = std::bitset<Listenfeld::Vorrat>;

// The bits below n.
Bits unterhalb(int n)
{
    return n <= 0 ? Bits() : ~Bits() >> (Listenfeld::Vorrat - std::min(n, Listenfeld::Vorrat));
}
} // namespace

Listenfeld::Listenfeld(QWidget* eltern)
    : QListWidget(eltern)
{
    setSelectionMode(QAbstractItemView::MultiSelection);
    setSortingEnabled(false);
    setUniformItemSizes(true);

    // The selection model reacts to these signals itself, and was connected first, so its ranges are
    // up to date when these slots read them.
    QAbstractItemModel* m = model();
    connect(m, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex& eltern, int von, int bis) {
        if (!eltern.isValid())
            zeilenEingefuegt(von, bis);
    });
    connect(m, &QAbstractItemModel::rowsRemoved, this, [this](const QModelIndex& eltern, int von, int bis) {
        if (!eltern.isValid())
            zeilenEntfernt(von, bis);
    });
    connect(m, &QAbstractItemModel::rowsMoved, this, &Listenfeld::neuAufbauen);
    connect(m, &QAbstractItemModel::layoutChanged, this, &Listenfeld::neuAufbauen);
    connect(m, &QAbstractItemModel::modelReset, this, &Listenfeld::neuAufbauen);
    auswahlVerfolgen();
}

// QWidget's destructor deletes the item model, which announces a reset on its way out; by then this
// object is a Listenfeld no more, so it must not hear of it.
Listenfeld::~Listenfeld()
{
    disconnect(model(), nullptr, this, nullptr);
    disconnect(m_auswahlVerbindung);
}

void Listenfeld::setSelectionModel(QItemSelectionModel* auswahl)
{
    QListWidget::setSelectionModel(auswahl);
    auswahlVerfolgen();
}

void Listenfeld::auswahlVerfolgen()
{
    disconnect(m_auswahlVerbindung);
    m_auswahlVerbindung
        = connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &Listenfeld::auswahlGeaendert);
    neuAufbauen();
}

void Listenfeld::auswahlGeaendert(const QItemSelection& an, const QItemSelection& aus)
{
    // Rows about to be removed arrive here as deselected while they still have their old numbers.
    for (const QItemSelectionRange& bereich : aus)
        for (int k = std::max(0, bereich.top()); k <= std::min(bereich.bottom(), Vorrat - 1); ++k)
            m_gewaehlt.reset(static_cast<std::size_t>(k));
    for (const QItemSelectionRange& bereich : an)
        for (int k = std::max(0, bereich.top()); k <= std::min(bereich.bottom(), Vorrat - 1); ++k)
            m_gewaehlt.set(static_cast<std::size_t>(k));
}

void Listenfeld::zeilenEingefuegt(int von, int bis)
{
    if (von >= Vorrat)
        return;
    const int n = bis - von + 1;
    m_gewaehlt = (m_gewaehlt & unterhalb(von)) | ((m_gewaehlt >> von) << std::min(von + n, Vorrat));
    // New rows come unselected as a rule; the selection model has the last word.
    for (int k = von; k <= std::min(bis, Vorrat - 1); ++k)
        m_gewaehlt.set(static_cast<std::size_t>(k), imModell(k));
}

void Listenfeld::zeilenEntfernt(int von, int bis)
{
    if (von >= Vorrat)
        return;
    const int n = bis - von + 1;
    m_gewaehlt = (m_gewaehlt & unterhalb(von)) | ((m_gewaehlt >> std::min(bis + 1, Vorrat)) << von);
    // Rows that moved into the bitset from beyond it.
    for (int k = std::max(von, Vorrat - n); k < std::min(Vorrat, ListCount()); ++k)
        m_gewaehlt.set(static_cast<std::size_t>(k), imModell(k));
}

void Listenfeld::neuAufbauen()
{
    m_gewaehlt.reset();
    for (const QItemSelectionRange& bereich : selectionModel()->selection())
        for (int k = std::max(0, bereich.top()); k <= std::min(bereich.bottom(), Vorrat - 1); ++k)
            m_gewaehlt.set(static_cast<std::size_t>(k));
}

bool Listenfeld::imModell(int k) const
{
    return selectionModel()->isSelected(model()->index(k, 0));
}

int Listenfeld::SelCount() const
{
    int anzahl = static_cast<int>(m_gewaehlt.count());
    for (int k = Vorrat; k < ListCount(); ++k)
        anzahl += imModell(k) ? 1 : 0;
    return anzahl;
}

bool Listenfeld::Selected(int k) const
{
    if (k < 0 || k >= ListCount())
        return false;
    return k < Vorrat ? m_gewaehlt.test(static_cast<std::size_t>(k)) : imModell(k);
}

void Listenfeld::setSelected(int k, bool an)
{
    if (k < 0 || k >= ListCount())
        return;
    selectionModel()->select(model()->index(k, 0), an ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
}

QItemSelectionModel::SelectionFlags Listenfeld::selectionCommand(const QModelIndex& index, const QEvent* ereignis) const
{
    // A press toggles the entry under the pointer and nothing more: Qt's multi selection would go on to
    // toggle every entry that the pointer passes over while the button is held.
    if (ereignis && ereignis->type() == QEvent::MouseMove)
        return QItemSelectionModel::NoUpdate;
    return QListWidget::selectionCommand(index, ereignis);
}

void Listenfeld::mouseReleaseEvent(QMouseEvent* ereignis)
{
    QListWidget::mouseReleaseEvent(ereignis);
    if (beiMausHoch)
        beiMausHoch();
}

} // namespace zem
