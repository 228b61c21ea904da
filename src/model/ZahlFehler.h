#pragma once

#include <stdexcept>

namespace zem {

// A number of a model file that does not fit its target (single precision, a 16-bit integer), or a
// reading position that a 16-bit integer cannot hold. The reading ends; what was stored stays.
class ZahlFehler : public std::range_error {
public:
    using std::range_error::range_error;
};

} // namespace zem
