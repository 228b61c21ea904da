#pragma once

// The seven side windows. Each exists, hidden, from start-up to the end of the program; closing one
// hides it and keeps its contents.

#include "platform/SeitenFenster.h"
#include "platform/Zeichenflaeche.h"

#include <array>

class QLabel;
class QPushButton;
class QScrollBar;
class QTimer;

namespace zem {

class Listenfeld;
struct Programm;

// A sizable list window whose list always fills the client area.
class ListenFenster : public SeitenFenster {
    Q_OBJECT
public:
    ListenFenster(const QString& name, const QString& titel, const QString& listenName, QSize clientTwips);
    Listenfeld* liste() const { return m_liste; }

protected:
    void resizeEvent(QResizeEvent* ereignis) override;

private:
    Listenfeld* m_liste;
};

// ZoomFenster: the zoom value in a vertical scroll bar, and "Normal".
class ZoomFenster : public SeitenFenster {
    Q_OBJECT
public:
    explicit ZoomFenster(Programm& p);
    QScrollBar* ZoomScroll;
    QPushButton* ZoomNormal;

private:
    void ZoomScroll_Change();
    Programm& m_p;
};

// KoordsFenster: the number and model coordinates of the point under the pointer.
class KoordsFenster : public SeitenFenster {
    Q_OBJECT
public:
    KoordsFenster();
    std::array<QLabel*, 3> Label1 {};
    std::array<QLabel*, 3> Label3 {};
};

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
    // The picture under the movement window: eight black arrows from the centre on grey.
    static QImage pfeilbild();

private:
    void mausRunter(int taste, int umschalt, float x, float y) override;
    void mausBewegt(int tasten, int umschalt, float x, float y) override;
    void mausHoch(int taste, int umschalt, float x, float y) override;

    Programm& m_p;
    Zeichenflaeche* m_flaeche;
};

} // namespace zem
