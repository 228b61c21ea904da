#pragma once

#include <QListWidget>

#include <functional>

namespace zem {

// A list box: entries appended at the end, never sorted, any number of them selected at once (a click
// toggles one), and a mouse-release event.
class Listenfeld : public QListWidget {
    Q_OBJECT
public:
    explicit Listenfeld(QWidget* eltern = nullptr);

    void AddItem(const QString& text) { addItem(text); }
    int ListCount() const { return count(); }
    int SelCount() const;
    // Selection state of entry k, counted from 0; an entry that does not exist is not selected.
    bool Selected(int k) const;
    void setSelected(int k, bool an);
    void Clear() { clear(); }

    // Runs on every mouse release inside the list, whatever the button.
    std::function<void()> beiMausHoch;

protected:
    void mouseReleaseEvent(QMouseEvent* ereignis) override;
};

} // namespace zem
