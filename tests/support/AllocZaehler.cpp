#include "AllocZaehler.h"

#include <atomic>
#include <cerrno>

// The benchmarks and the allocation test count the heap allocations of the code they run. Qt takes the
// memory of its strings, lists and images straight from malloc, and operator new takes it from there too,
// so the count is kept at the C library's allocation functions, which this file replaces: every heap
// allocation of the process passes here. Under AddressSanitizer, which owns malloc, its allocation hook
// counts instead.

namespace {
std::atomic<std::size_t> zaehler { 0 };

// Counts one allocation and gives its size back, for the call that makes it.
std::size_t gezaehlt(std::size_t groesse)
{
    zaehler.fetch_add(1, std::memory_order_relaxed);
    return groesse;
}
} // namespace

std::size_t zem::test::allokationen()
{
    return zaehler.load(std::memory_order_relaxed);
}

#if defined(__SANITIZE_ADDRESS__)
// From the sanitizer's allocator interface (sanitizer/allocator_interface.h, not installed with every
// compiler): calls the first hook on every allocation.
extern "C" int __sanitizer_install_malloc_and_free_hooks(
    void (*neu)(const volatile void*, std::size_t), void (*frei)(const volatile void*));

namespace {
[[maybe_unused]] const int haken = __sanitizer_install_malloc_and_free_hooks(
    [](const volatile void*, std::size_t groesse) { gezaehlt(groesse); }, [](const volatile void*) {});
}
#else
extern "C" {
void* __libc_malloc(std::size_t groesse);
void* __libc_calloc(std::size_t anzahl, std::size_t groesse);
void* __libc_realloc(void* zeiger, std::size_t groesse);
void* __libc_memalign(std::size_t ausrichtung, std::size_t groesse);

void* malloc(std::size_t groesse) noexcept
{
    return __libc_malloc(gezaehlt(groesse));
}
void* calloc(std::size_t anzahl, std::size_t groesse) noexcept
{
    return __libc_calloc(anzahl, gezaehlt(groesse));
}
void* realloc(void* zeiger, std::size_t groesse) noexcept
{
    return __libc_realloc(zeiger, gezaehlt(groesse));
}
void* aligned_alloc(std::size_t ausrichtung, std::size_t groesse) noexcept
{
    return __libc_memalign(ausrichtung, gezaehlt(groesse));
}
void* memalign(std::size_t ausrichtung, std::size_t groesse) noexcept
{
    return __libc_memalign(ausrichtung, gezaehlt(groesse));
}
int posix_memalign(void** zeiger, std::size_t ausrichtung, std::size_t groesse) noexcept
{
    void* p = __libc_memalign(ausrichtung, gezaehlt(groesse));
    if (!p)
        return ENOMEM;
    *zeiger = p;
    return 0;
}
}
#endif
