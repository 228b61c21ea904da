#include "AllocZaehler.h"

#include <atomic>
#include <cstdlib>
#include <new>

// Every benchmark replaces the global operator new so that it can count the heap allocations of the
// code it measures.

namespace {
std::atomic<std::size_t> zaehler{0};

void* anfordern(std::size_t groesse)
{
    zaehler.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(groesse ? groesse : 1))
        return p;
    throw std::bad_alloc();
}

void* anfordernAusgerichtet(std::size_t groesse, std::align_val_t ausrichtung)
{
    zaehler.fetch_add(1, std::memory_order_relaxed);
    const std::size_t a = static_cast<std::size_t>(ausrichtung);
    if (void* p = std::aligned_alloc(a, (groesse + a - 1) / a * a))
        return p;
    throw std::bad_alloc();
}
} // namespace

std::size_t zem::bench::allokationen()
{
    return zaehler.load(std::memory_order_relaxed);
}

void* operator new(std::size_t groesse) { return anfordern(groesse); }
void* operator new[](std::size_t groesse) { return anfordern(groesse); }
void* operator new(std::size_t groesse, const std::nothrow_t&) noexcept
{
    try {
        return anfordern(groesse);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t groesse, const std::nothrow_t&) noexcept
{
    try {
        return anfordern(groesse);
    } catch (...) {
        return nullptr;
    }
}
void* operator new(std::size_t groesse, std::align_val_t a) { return anfordernAusgerichtet(groesse, a); }
void* operator new[](std::size_t groesse, std::align_val_t a) { return anfordernAusgerichtet(groesse, a); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
