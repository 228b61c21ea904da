#pragma once

// Each side window exists, hidden, from start-up to the end of the program; closing one hides it and
// keeps its contents.

#include "model/Anzeigen.h"
#include "ui/widgets/SeitenFenster.h"

#include <array>

class QLabel;

namespace zem {

// KoordsFenster: the number and model coordinates of the point under the pointer.
class KoordsFenster : public SeitenFenster, public KoordinatenAnzeige {
    Q_OBJECT
public:
    KoordsFenster();
    void koordinatenZeigen(QLatin1StringView titel, const std::array<QLatin1StringView, 3>& werte) override;
    std::array<QLabel*, 3> Label1 {};
    std::array<QLabel*, 3> Label3 {};
};

} // namespace zem
