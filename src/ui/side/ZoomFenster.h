#pragma once

// Each side window exists, hidden, from start-up to the end of the program; closing one hides it and
// keeps its contents.

#include "ui/widgets/SeitenFenster.h"

class QPushButton;
class QScrollBar;

namespace zem {

struct Programm;

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

} // namespace zem
