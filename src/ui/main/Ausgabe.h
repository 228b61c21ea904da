#pragma once

#include "model/Programm.h"
#include "platform/Dialoge.h"
#include "platform/Zeichenflaeche.h"

#include <QMainWindow>

namespace zem {

// The main window: the drawing surface, the menus and the owner of every side window.
class Ausgabe : public QMainWindow, public MausEmpfaenger {
    Q_OBJECT
public:
    explicit Ausgabe(Dialoge& dialoge);
    ~Ausgabe() override;

    // Shows the window in the centre of the screen.
    void zeigen();

    Programm& programm() { return m_p; }

    void mausRunter(int taste, int umschalt, float x, float y) override;
    void mausBewegt(int tasten, int umschalt, float x, float y) override;
    void mausHoch(int taste, int umschalt, float x, float y) override;

private:
    Programm m_p;
};

} // namespace zem
