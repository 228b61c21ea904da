#pragma once

// Each side window exists, hidden, from start-up to the end of the program; closing one hides it and
// keeps its contents.

#include "ui/widgets/SeitenFenster.h"
#include "ui/widgets/Zeichenflaeche.h"

class QPushButton;
class QTimer;

namespace zem {

struct Programm;

// BewegungsFenster: holding a button on its arrows pans the main window's view, "Mitte" centres it.
class BewegungsFenster : public SeitenFenster, private MausEmpfaenger {
    Q_OBJECT
public:
    explicit BewegungsFenster(Programm& p);
    Zeichenflaeche* flaeche() const { return m_flaeche; }
    QTimer* MoveTimer;
    QPushButton* Command1;

    // One pan step of the timer: moves the visible region by (BewegX, BewegY) of its size and redraws.
    static void MoveTimer_Timer(Programm& p);
    // Puts the coordinate origin into the middle of the main window and redraws.
    static void Command1_Click(Programm& p);
    // The picture under the movement window: eight black arrows from the centre on grey, 180 logical
    // pixels square, for a device pixel ratio.
    static QImage pfeilbild(qreal verhaeltnis = 1);

private:
    void mausRunter(int taste, float x, float y) override;
    void mausBewegt(int tasten, float x, float y) override;
    void mausHoch(int taste, float x, float y) override;

    Programm& m_p;
    Zeichenflaeche* m_flaeche;
};

} // namespace zem
