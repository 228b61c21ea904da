#pragma once

#include <QWidget>

#include <functional>

namespace zem {

// A tool window (narrow title bar with a close button, no task bar entry) whose close the program can
// refuse: while beiSchliessen is set, a close request runs it and the window stays; the caller hides it.
class SeitenFenster : public QWidget {
    Q_OBJECT
public:
    // A fixed window keeps the client size given in twips and cannot be resized.
    SeitenFenster(const QString& titel, QSize clientTwips, bool fest);

    std::function<void()> beiSchliessen;
    // Lets every close through from now on (the program is ending).
    void schliessenErlauben() { beiSchliessen = nullptr; }

    // Showing asks every window manager to leave the window off task bars and pagers, and brings back a
    // window that a window manager minimised on its own (a button, a key, a pager) where it stood.
    void setVisible(bool sichtbar) override;

protected:
    void closeEvent(QCloseEvent* ereignis) override;

private:
    bool m_warGezeigt = false;
};

} // namespace zem
