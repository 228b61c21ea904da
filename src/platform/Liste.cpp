#include "platform/Liste.h"

#include <algorithm>

namespace zem {

namespace {

// Calls f(k) for every row k of the ranges below `zeilen`.
template <typename F> void zeilenDurchlaufen(const QItemSelection& bereiche, int zeilen, F f)
{
    for (const QItemSelectionRange& bereich : bereiche)
        for (int k = std::max(0, bereich.top()); k <= std::min(bereich.bottom(), zeilen - 1); ++k)
            f(static_cast<std::size_t>(k));
}

} // namespace

Liste::Liste()
    : m_auswahl(&m_eintraege)
{
    QObject::connect(&m_auswahl, &QItemSelectionModel::selectionChanged, &m_auswahl,
        [this](const QItemSelection& an, const QItemSelection& aus) { auswahlGeaendert(an, aus); });
    // The selection model empties itself on a reset, without a signal, before this runs: it was
    // connected first.
    QObject::connect(&m_eintraege, &QAbstractItemModel::modelReset, &m_auswahl, [this] { neuAufbauen(); });
}

void Liste::AddItem(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    m_eintraege.anhaengen(std::string_view(bytes.constData(), std::size_t(bytes.size())));
    zeigen();
}

void Liste::auswahlGeaendert(const QItemSelection& an, const QItemSelection& aus)
{
    zeilenDurchlaufen(aus, Vorrat, [this](std::size_t k) { m_gewaehlt.reset(k); });
    zeilenDurchlaufen(an, Vorrat, [this](std::size_t k) { m_gewaehlt.set(k); });
}

void Liste::neuAufbauen()
{
    m_gewaehlt.reset();
    zeilenDurchlaufen(m_auswahl.selection(), Vorrat, [this](std::size_t k) { m_gewaehlt.set(k); });
}

bool Liste::imModell(int k) const
{
    return m_auswahl.isSelected(m_eintraege.index(k, 0));
}

int Liste::SelCount() const
{
    int anzahl = static_cast<int>(m_gewaehlt.count());
    for (int k = Vorrat; k < ListCount(); ++k)
        anzahl += imModell(k) ? 1 : 0;
    return anzahl;
}

bool Liste::Selected(int k) const
{
    if (k < 0 || k >= ListCount())
        return false;
    return k < Vorrat ? m_gewaehlt.test(static_cast<std::size_t>(k)) : imModell(k);
}

void Liste::setSelected(int k, bool an)
{
    if (k < 0 || k >= ListCount())
        return;
    m_auswahl.select(m_eintraege.index(k, 0), an ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
}

std::vector<char> Liste::zeilenLesen() const
{
    std::vector<char> zustand(static_cast<std::size_t>(ListCount()), 0);
    zeilenDurchlaufen(m_auswahl.selection(), ListCount(), [&zustand](std::size_t k) { zustand[k] = 1; });
    return zustand;
}

void Liste::zeilenSetzen(const std::vector<char>& zustand)
{
    QItemSelection auswahl;
    const int zeilen = static_cast<int>(zustand.size());
    for (int k = 0; k < zeilen;) {
        if (!zustand[static_cast<std::size_t>(k)]) {
            ++k;
            continue;
        }
        const int von = k;
        while (k < zeilen && zustand[static_cast<std::size_t>(k)])
            ++k;
        auswahl.select(m_eintraege.index(von, 0), m_eintraege.index(k - 1, 0));
    }
    m_auswahl.select(auswahl, QItemSelectionModel::ClearAndSelect);
}

} // namespace zem
