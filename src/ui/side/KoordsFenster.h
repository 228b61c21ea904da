#pragma once

// Each side window exists, hidden, from start-up to the end of the program; closing one hides it and
// keeps its contents.

#include "platform/SeitenFenster.h"

#include <array>

class QLabel;

namespace zem {

// KoordsFenster: the number and model coordinates of the point under the pointer.
class KoordsFenster : public SeitenFenster {
    Q_OBJECT
public:
    KoordsFenster();
    std::array<QLabel*, 3> Label1 {};
    std::array<QLabel*, 3> Label3 {};
};

} // namespace zem
