#pragma once

#include "platform/Liste.h"

#include <QListView>

#include <functional>

namespace zem {

// A list box over an element list: its entries as rows, any number of them selected at once (a click
// toggles one), and a mouse-release event. The marks are the list's selection; the box shows and
// changes them.
//
// While the box is not on the screen it is not attached to the list: a view reacts to every change of
// its model with work of its own and starts timers for it, which has no use for a box nobody sees. It
// attaches when shown, and so sees the list as it then is.
class Listenfeld : public QListView {
    Q_OBJECT
public:
    Listenfeld(Liste& liste, QWidget* eltern = nullptr);

    // Runs on every mouse release inside the list, whatever the button.
    std::function<void()> beiMausHoch;

protected:
    void mouseReleaseEvent(QMouseEvent* ereignis) override;
    void showEvent(QShowEvent* ereignis) override;
    void hideEvent(QHideEvent* ereignis) override;
    QItemSelectionModel::SelectionFlags selectionCommand(
        const QModelIndex& index, const QEvent* ereignis = nullptr) const override;

private:
    // Attaches the box to the list's model and selection, or (nullptr) detaches it.
    void anbinden(Liste* liste);

    Liste& m_liste;
};

} // namespace zem
