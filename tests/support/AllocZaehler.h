#pragma once

#include <cstddef>

namespace zem::test {

// The heap allocations of the whole process since it started, counted where memory is taken from the C
// library: malloc, calloc, realloc and the aligned allocations. Operator new, Qt's containers and images
// take theirs there too; what they free is not counted. Under AddressSanitizer, its allocator's hook
// counts every allocation, new's included.
std::size_t allokationen();

} // namespace zem::test
