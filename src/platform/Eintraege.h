#pragma once

#include <QAbstractListModel>

#include <cstddef>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace zem {

// The entries of a list box as a list model over a text store of its own: the entries' bytes one after
// the other in one buffer, and where each ends. Appending copies bytes and an end into memory the store
// already holds once it has held as much before; emptying it keeps that memory, so that reading the same
// model again allocates nothing. The store grows geometrically when an entry does not fit.
//
// An appended entry reaches the views only with zeigen(), which hands them all the entries appended
// since in one insertion: a view reacts to each insertion with work of its own, so a model read entry by
// entry is shown in one step.
class Eintraege : public QAbstractListModel {
    Q_OBJECT
public:
    explicit Eintraege(QObject* eltern = nullptr);

    // Entries held, those not yet shown included.
    int anzahl() const { return static_cast<int>(m_enden.size()); }
    // The bytes of entry k, counted from 0; valid until the next change.
    std::string_view eintrag(int k) const;
    // Appends one entry, the parts one after the other.
    void anhaengen(std::initializer_list<std::string_view> teile);
    void zeigen();
    // Removes every entry.
    void leeren();

    int rowCount(const QModelIndex& eltern = QModelIndex()) const override;
    // The entry's bytes as text by the rule of FeldText.
    QVariant data(const QModelIndex& index, int rolle = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    std::vector<char> m_text;
    std::vector<std::size_t> m_enden; // entry k ends at m_enden[k] in m_text
    int m_gezeigt = 0; // the rows the views know of
};

} // namespace zem
