// Fuzz target of the reader's numbers: each input is a field, read number by number with NaechsteZahl,
// each number converted with alsInteger, and every result compared bit for bit, errors included, with a
// plain reading of the same field: the token's longest decimal prefix, its value by strtod in the C
// locale, the rounding by nearbyint. The field is read twice: as it is, and from its first byte on behind
// blanks that put its last byte at position 32767, the last that a 16-bit reading position holds.

#include "model/RwxZahlen.h"

#include <algorithm>
#include <bit>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>

namespace {

using namespace zem;

// A number read and converted: its value's bits, the position after its token and the 16-bit integer
// (nothing for a ZahlFehler); nothing at all when the reading fails.
using Lesung = std::optional<std::tuple<std::uint64_t, long, std::optional<std::int16_t>>>;

// What f gives, or nothing for a ZahlFehler.
template <typename F> auto ohneFehler(F f) -> std::optional<decltype(f())>
{
    try {
        return f();
    } catch (const ZahlFehler&) {
        return std::nullopt;
    }
}

// The number at position read by the reader, which moves position on.
Lesung gelesen(const std::string& feld, std::int16_t& position)
{
    const auto zahl = ohneFehler([&] { return RwxToZem::NaechsteZahl(feld, position); });
    if (!zahl)
        return std::nullopt;
    return std::tuple(std::bit_cast<std::uint64_t>(zahl->wert), long(position),
        ohneFehler([&] { return RwxToZem::alsInteger(*zahl); }));
}

// The length of the token's longest leading part that reads as a decimal number: an optional sign, digits
// with at most one point, an optional exponent (E or e, an optional sign, digits); 0 without a digit.
std::size_t dezimalLaenge(std::string_view t)
{
    const auto ist = [&](std::size_t i, std::string_view zeichen) {
        return i < t.size() && zeichen.find(t[i]) != std::string_view::npos;
    };
    const auto nachZiffern = [&](std::size_t i) {
        while (ist(i, "0123456789"))
            ++i;
        return i;
    };
    const std::size_t vorzeichen = ist(0, "+-") ? 1 : 0;
    const std::size_t ganz = nachZiffern(vorzeichen);
    const std::size_t bruch = ist(ganz, ".") ? nachZiffern(ganz + 1) : ganz;
    if (bruch - vorzeichen - (bruch > ganz ? 1 : 0) == 0)
        return 0;
    const std::size_t e = bruch + 1 + (ist(bruch + 1, "+-") ? 1 : 0);
    return ist(bruch, "eE") && nachZiffern(e) > e ? nachZiffern(e) : bruch;
}

// The same as gelesen, the plain way: strtod in the C locale, nearbyint.
Lesung vorbild(const std::string& feld, long position)
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t {});
    const long n = long(feld.size());
    long anfang = std::max(position, 1L);
    while (anfang <= n && static_cast<unsigned char>(feld[std::size_t(anfang - 1)]) <= ' ')
        ++anfang;
    long ende = anfang;
    while (ende <= n && static_cast<unsigned char>(feld[std::size_t(ende - 1)]) > ' ')
        ++ende;
    const std::string token = anfang <= n ? feld.substr(std::size_t(anfang - 1), std::size_t(ende - anfang)) : "";
    const std::size_t laenge = dezimalLaenge(token);
    double wert = laenge > 0 ? strtod_l(token.substr(0, laenge).c_str(), nullptr, c) : 0.0;
    if (ende > 32767 || std::isinf(wert))
        return std::nullopt;
    wert = wert == 0 ? 0.0 : wert;
    const double gerundet = std::nearbyint(wert); // a half to the even neighbour, the default rounding
    return std::tuple(std::bit_cast<std::uint64_t>(wert), ende,
        gerundet < -32768 || gerundet > 32767 ? std::nullopt : std::optional(std::int16_t(gerundet)));
}

void vergleichen(const std::string& feld, std::int16_t position)
{
    while (position <= long(feld.size())) {
        const Lesung erwartet = vorbild(feld, position);
        const Lesung zahl = gelesen(feld, position);
        if (zahl != erwartet) {
            std::fprintf(stderr, "broken: the reading differs from the plain one\n");
            std::abort();
        }
        if (!zahl)
            return;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse)
{
    const std::string feld(reinterpret_cast<const char*>(daten), groesse);
    vergleichen(feld, 1);
    static std::string gepolstert; // its memory serves every input
    if (groesse > 0 && groesse < 32767)
        vergleichen(gepolstert.assign(32767 - groesse, ' ').append(feld), std::int16_t(32768 - groesse));
    return 0;
}
