#pragma once

#include "platform/Eintraege.h"

#include <QListView>

#include <bitset>
#include <functional>
#include <string_view>

namespace zem {

// A list box of numbered entries (an element list): entries appended at the end, never sorted, any
// number of them selected at once (a click toggles one), and a mouse-release event. The entries live in
// the list's text store (Eintraege); a reading appends them there and makes them rows all at once with
// Zeigen(). While the list is not on the screen, new and removed rows are not announced to the view
// (which would start timers and so allocate); the view catches up when it is shown.
//
// The renderer reads the selection of every entry on every redraw, and QItemSelectionModel answers
// that by walking its ranges. So the list keeps the selection state of its first entries in a bitset
// of its own, kept in step with the selection model's signals; entries beyond the bitset are asked of
// the selection model. Rows are only ever appended, unselected, or all removed, so the bitset needs no
// shifting.
class Listenfeld : public QListView {
    Q_OBJECT
public:
    explicit Listenfeld(QWidget* eltern = nullptr);
    ~Listenfeld() override;

    // Appends an entry with this text and shows it at once.
    void AddItem(const QString& text);
    // Appends an entry (bytes, shown by the rule of FeldText) without showing it yet.
    void Anhaengen(std::string_view text) { m_eintraege->anhaengen(text); }
    // Shows the entries appended since the last call.
    void Zeigen();
    // Entries, those not yet shown included.
    int ListCount() const { return m_eintraege->anzahl(); }
    int SelCount() const;
    // Selection state of entry k, counted from 0; an entry that does not exist, or is not shown yet, is
    // not selected.
    bool Selected(int k) const;
    void setSelected(int k, bool an);
    // Removes every entry; the text store keeps its memory.
    void Clear();

    void setSelectionModel(QItemSelectionModel* auswahl) override;

    // Runs on every mouse release inside the list, whatever the button.
    std::function<void()> beiMausHoch;

    // Entries whose selection the list keeps itself.
    static constexpr int Vorrat = 1024;

protected:
    void mouseReleaseEvent(QMouseEvent* ereignis) override;
    void showEvent(QShowEvent* ereignis) override;
    QItemSelectionModel::SelectionFlags selectionCommand(
        const QModelIndex& index, const QEvent* ereignis = nullptr) const override;

private:
    using QListView::setModel;

    bool imModell(int k) const;
    void auswahlVerfolgen();
    void auswahlGeaendert(const QItemSelection& an, const QItemSelection& aus);
    void neuAufbauen();

    Eintraege* m_eintraege;
    std::bitset<Vorrat> m_gewaehlt;
    bool m_nachholen = false; // rows changed while the list was not shown
    QMetaObject::Connection m_auswahlVerbindung;
};

} // namespace zem
