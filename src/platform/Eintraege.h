#pragma once

#include <QAbstractListModel>

#include <cstddef>
#include <string_view>
#include <vector>

namespace zem {

// The entries of a list as a list model over a text store of its own: the entries' bytes one after the
// other in one buffer, and where each ends. A row shows its entry behind its number, formed when the row
// is shown, so that appending copies the entry's bytes alone. Appending copies bytes and an end into
// memory the store already holds once it has held as much before; emptying it keeps that memory, so that
// reading the same model again allocates nothing. The store grows geometrically when an entry does not
// fit.
//
// An appended entry becomes a row only with zeigen(), which announces all the entries appended since in
// one insertion: a view reacts to each insertion with work of its own, so a model read entry by entry is
// shown in one step.
class Eintraege : public QAbstractListModel {
    Q_OBJECT
public:
    explicit Eintraege(QObject* eltern = nullptr);

    // Entries held, those not yet rows included.
    int anzahl() const { return static_cast<int>(m_enden.size()); }
    // The bytes of entry k, counted from 0; valid until the next change.
    std::string_view eintrag(int k) const;
    // Appends one entry.
    void anhaengen(std::string_view text);
    // Makes the entries appended since rows.
    void zeigen();
    // Removes every entry; a model with rows is reset.
    void leeren();

    int rowCount(const QModelIndex& eltern = QModelIndex()) const override;
    // The entry's bytes as text by the rule of feldText, behind the row's number.
    QVariant data(const QModelIndex& index, int rolle = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    std::vector<char> m_text; // all of it is room; the entries take the first m_belegt bytes
    std::size_t m_belegt = 0;
    std::vector<std::size_t> m_enden; // entry k ends at m_enden[k] in m_text
    int m_gezeigt = 0; // the rows
};

} // namespace zem
