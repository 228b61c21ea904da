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

// The number at position read by the reader, which moves position on.
Lesung gelesen(const std::string& feld, std::int16_t& position)
{
    RwxToZem::Zahl zahl;
    try {
        zahl = RwxToZem::NaechsteZahl(feld, position);
    } catch (const ZahlFehler&) {
        return std::nullopt;
    }
    std::optional<std::int16_t> ganz;
    try {
        ganz = RwxToZem::alsInteger(zahl);
    } catch (const ZahlFehler&) {
    }
    return std::tuple(std::bit_cast<std::uint64_t>(zahl.wert), long(position), ganz);
}

// The length of the token's longest leading part that reads as a decimal number: an optional sign, digits
// with at most one point, an optional exponent (E or e, an optional sign, digits); 0 without a digit.
std::size_t dezimalLaenge(std::string_view t)
{
    const auto ist = [&](std::size_t i, std::string_view zeichen) {
        return i < t.size() && zeichen.find(t[i]) != std::string_view::npos;
    };
    const auto nachZiffern = [&](std::size_t i) { return std::min(t.find_first_not_of("0123456789", i), t.size()); };
    const std::size_t vorzeichen = ist(0, "+-") ? 1 : 0;
    const std::size_t ganz = nachZiffern(vorzeichen);
    const std::size_t bruch = ist(ganz, ".") ? nachZiffern(ganz + 1) : ganz;
    if (bruch - vorzeichen - (bruch > ganz ? 1 : 0) == 0)
        return 0;
    const std::size_t e = bruch + 1 + (ist(bruch + 1, "+-") ? 1 : 0);
    return ist(bruch, "eE") && nachZiffern(e) > e ? nachZiffern(e) : bruch;
}

// The same as gelesen, the plain way: the token from the first byte above the blank at position (from 1)
// on to the next byte below "!", the value of its decimal part by strtod in the C locale, nearbyint.
Lesung vorbild(const std::string& feld, long position)
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t {});
    const auto trenner = [](char z) { return static_cast<unsigned char>(z) <= ' '; };
    const auto anfang = std::find_if_not(feld.begin() + std::min(position - 1, long(feld.size())), feld.end(), trenner);
    const auto ende = std::find_if(anfang, feld.end(), trenner);
    const std::string token(anfang, ende);
    const double zahl = strtod_l(token.substr(0, dezimalLaenge(token)).c_str(), nullptr, c);
    const double wert = zahl == 0 ? 0.0 : zahl; // never -0, and 0 without a number
    const long nach = long(ende - feld.begin()) + 1;
    if (nach > 32767 || std::isinf(wert))
        return std::nullopt;
    const double gerundet = std::nearbyint(wert); // a half to the even neighbour, the default rounding
    const bool passt = gerundet >= -32768 && gerundet <= 32767;
    return std::tuple(
        std::bit_cast<std::uint64_t>(wert), nach, passt ? std::optional(std::int16_t(gerundet)) : std::nullopt);
}

void vergleichen(const std::string& feld, std::int16_t position)
{
    while (position <= long(feld.size())) {
        const Lesung erwartet = vorbild(feld, position);
        const Lesung zahl = gelesen(feld, position);
        if (zahl != erwartet) {
            std::fputs("broken: the reading differs from the plain one\n", stderr);
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
