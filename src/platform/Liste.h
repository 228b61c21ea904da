#pragma once

#include "platform/Eintraege.h"

#include <QItemSelectionModel>

#include <bitset>
#include <string_view>
#include <vector>

namespace zem {

// An element list: its numbered entries, appended at the end and never sorted, and which of them are
// marked. The entries are an item model (Eintraege), the marks that model's selection; list boxes show
// both and change the selection, the program reads and sets it here. A reading appends entries and makes
// them rows all at once with zeigen().
//
// The renderer reads the mark of every entry on every redraw, and QItemSelectionModel answers that by
// walking its ranges. So the list keeps the marks of its first entries in a bitset of its own, kept in
// step with the selection model's signals; entries beyond the bitset are asked of the selection model.
// Rows are only ever appended, unselected, or all removed, so the bitset needs no shifting.
class Liste {
public:
    Liste();
    Liste(const Liste&) = delete;
    Liste& operator=(const Liste&) = delete;

    Eintraege& modell() { return m_eintraege; }
    const Eintraege& modell() const { return m_eintraege; }
    QItemSelectionModel& auswahl() { return m_auswahl; }

    // Appends an entry with this text and shows it at once.
    void AddItem(const QString& text);
    // Appends an entry (bytes, shown by the rule of feldText) without showing it yet.
    void anhaengen(std::string_view text) { m_eintraege.anhaengen(text); }
    // Shows the entries appended since the last call.
    void zeigen() { m_eintraege.zeigen(); }
    // Entries, those not yet shown included.
    int ListCount() const { return m_eintraege.anzahl(); }
    int SelCount() const;
    // Selection state of entry k, counted from 0; an entry that does not exist, or is not shown yet, is
    // not selected.
    bool Selected(int k) const;
    void setSelected(int k, bool an);
    // Removes every entry; the text store keeps its memory.
    void Clear() { m_eintraege.leeren(); }

    // The selection states of all entries, entry k at index k.
    std::vector<char> zeilenLesen() const;
    // Sets the selection of every entry to the given states in one call, as runs of selected rows:
    // selecting row by row would pass over the selection for each row and leave a range per row for
    // every later look-up to walk.
    void zeilenSetzen(const std::vector<char>& zustand);

    // Entries whose selection the list keeps itself.
    static constexpr int Vorrat = 1024;

private:
    bool imModell(int k) const;
    void auswahlGeaendert(const QItemSelection& an, const QItemSelection& aus);
    void neuAufbauen();

    Eintraege m_eintraege;
    QItemSelectionModel m_auswahl;
    std::bitset<Vorrat> m_gewaehlt;
};

} // namespace zem
