#pragma once

#include <cstddef>

namespace zem::bench {

// Heap allocations made through the global operator new since the program started.
std::size_t allokationen();

} // namespace zem::bench
