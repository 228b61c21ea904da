#include "platform/Listenfeld.h"

#include <QEvent>
#include <QItemSelectionModel>

#include <algorithm>

namespace zem {

Listenfeld::Listenfeld(QWidget* eltern)
    : QListView(eltern)
    , m_eintraege(new Eintraege(this))
{
    setSelectionMode(QAbstractItemView::MultiSelection);
    setUniformItemSizes(true);
    QListView::setModel(m_eintraege);
    // The selection model clears itself on a reset before this slot runs, as it was connected first.
    connect(m_eintraege, &QAbstractItemModel::modelReset, this, &Listenfeld::neuAufbauen);
    auswahlVerfolgen();
}

// The text store goes with the widget's children, after this object has ceased to be a Listenfeld; it
// must not reach these slots on its way out.
Listenfeld::~Listenfeld()
{
    disconnect(m_eintraege, nullptr, this, nullptr);
    disconnect(m_auswahlVerbindung);
}

void Listenfeld::AddItem(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    m_eintraege->anhaengen(std::string_view(bytes.constData(), std::size_t(bytes.size())));
    Zeigen();
}

void Listenfeld::Zeigen()
{
    const bool leise = !isVisible();
    m_eintraege->zeigen(leise);
    m_nachholen = m_nachholen || leise;
}

void Listenfeld::Clear()
{
    if (isVisible()) {
        m_eintraege->leeren(false);
        return;
    }
    // What a reset of the model would do to the selection; its signals are blocked, so the bitset is
    // rebuilt here.
    selectionModel()->reset();
    neuAufbauen();
    m_nachholen = m_eintraege->leeren(true) || m_nachholen;
}

void Listenfeld::showEvent(QShowEvent* ereignis)
{
    if (m_nachholen) {
        m_nachholen = false;
        m_eintraege->nachholen();
    }
    QListView::showEvent(ereignis);
}

void Listenfeld::setSelectionModel(QItemSelectionModel* auswahl)
{
    QListView::setSelectionModel(auswahl);
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
    for (const QItemSelectionRange& bereich : aus)
        for (int k = std::max(0, bereich.top()); k <= std::min(bereich.bottom(), Vorrat - 1); ++k)
            m_gewaehlt.reset(static_cast<std::size_t>(k));
    for (const QItemSelectionRange& bereich : an)
        for (int k = std::max(0, bereich.top()); k <= std::min(bereich.bottom(), Vorrat - 1); ++k)
            m_gewaehlt.set(static_cast<std::size_t>(k));
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
    return selectionModel()->isSelected(m_eintraege->index(k, 0));
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
    selectionModel()->select(
        m_eintraege->index(k, 0), an ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
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
