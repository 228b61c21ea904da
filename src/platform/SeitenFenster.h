#pragma once

#include <QWidget>

#include <functional>

namespace zem {

// A tool window (narrow title bar with a close button, no task bar entry) whose close the program can
// refuse: while beiSchliessen is set, a close request runs it and the window stays; the caller hides it.
class SeitenFenster : public QWidget {
    Q_OBJECT
public:
    // A fixed window has its design size and no resizing.
    SeitenFenster(const QString& titel, QSize clientTwips, bool fest);

    std::function<void()> beiSchliessen;
    // Lets every close through from now on (the program is ending).
    void schliessenErlauben() { beiSchliessen = nullptr; }

protected:
    void closeEvent(QCloseEvent* ereignis) override;
};

} // namespace zem
