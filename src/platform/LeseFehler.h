#pragma once

#include <stdexcept>

namespace zem {

// The base of every failure that ends the reading of a model file: the input cannot go on, or the file
// holds what the reader cannot store. Open and reload catch these and nothing else.
class LeseFehler : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace zem
