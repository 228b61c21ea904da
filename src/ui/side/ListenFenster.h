#pragma once

// Each side window exists, hidden, from start-up to the end of the program; closing one hides it and
// keeps its contents.

#include "ui/widgets/SeitenFenster.h"

namespace zem {

class Liste;
class Listenfeld;

// A sizable list window whose list always fills the client area.
class ListenFenster : public SeitenFenster {
    Q_OBJECT
public:
    ListenFenster(
        Liste& liste, const QString& name, const QString& titel, const QString& listenName, QSize clientTwips);
    Listenfeld* liste() const { return m_liste; }

protected:
    void resizeEvent(QResizeEvent* ereignis) override;

private:
    Listenfeld* m_liste;
};

} // namespace zem
