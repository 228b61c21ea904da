#pragma once

#include <QListWidget>

#include <bitset>
#include <functional>

namespace zem {

// A list box: entries appended at the end, never sorted, any number of them selected at once (a click
// toggles one), and a mouse-release event. Entries are added, counted and cleared by the runtime's names
// only; Qt's names for the same (addItem, count, clear) are hidden.
//
// The renderer reads the selection of every entry on every redraw, and QItemSelectionModel answers
// that by walking its ranges. So the list keeps the selection state of its first entries in a bitset
// of its own, kept in step with the selection model's and the item model's signals; entries beyond
// the bitset are asked of the selection model.
class Listenfeld : public QListWidget {
    Q_OBJECT
public:
    explicit Listenfeld(QWidget* eltern = nullptr);
    ~Listenfeld() override;

    void AddItem(const QString& text) { QListWidget::addItem(text); }
    int ListCount() const { return QListWidget::count(); }
    int SelCount() const;
    // Selection state of entry k, counted from 0; an entry that does not exist is not selected.
    bool Selected(int k) const;
    void setSelected(int k, bool an);
    void Clear() { QListWidget::clear(); }

    void setSelectionModel(QItemSelectionModel* auswahl) override;

    // Runs on every mouse release inside the list, whatever the button.
    std::function<void()> beiMausHoch;

    // Entries whose selection the list keeps itself.
    static constexpr int Vorrat = 1024;

protected:
    void mouseReleaseEvent(QMouseEvent* ereignis) override;
    QItemSelectionModel::SelectionFlags selectionCommand(
        const QModelIndex& index, const QEvent* ereignis = nullptr) const override;

private:
    using QListWidget::addItem;
    using QListWidget::clear;
    using QListWidget::count;

    bool imModell(int k) const;
    void auswahlVerfolgen();
    void auswahlGeaendert(const QItemSelection& an, const QItemSelection& aus);
    void zeilenEingefuegt(int von, int bis);
    void zeilenEntfernt(int von, int bis);
    void neuAufbauen();

    std::bitset<Vorrat> m_gewaehlt;
    QMetaObject::Connection m_auswahlVerbindung;
};

} // namespace zem
