// Fuzz target of the reader's numbers: each input is a field, read number by number with NaechsteZahl,
// each number converted with alsInteger and alsSingle, and every result compared bit for bit, errors
// included, with a plain reading of the same field: the token's longest decimal prefix by a regular
// expression, its value by strtod in the C locale, the rounding by nearbyint, the single precision by a
// cast. The field is read twice: as it is, and behind blanks that put its last byte at position 32767,
// the last that a 16-bit reading position holds.

#include "model/RwxZahlen.h"

#include <algorithm>
#include <bit>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <regex>
#include <string>
#include <tuple>

namespace {

using namespace zem;

// A number read and converted: its value's bits, the position after its token, the 16-bit integer and
// the single's bits (each nothing for a ZahlFehler); nothing at all when the reading fails.
using Lesung
    = std::optional<std::tuple<std::uint64_t, long, std::optional<std::int16_t>, std::optional<std::uint32_t>>>;

// What f gives, or nothing for a ZahlFehler.
template <typename F> auto ohneFehler(F f) -> std::optional<decltype(f())>
{
    try {
        return f();
    } catch (const ZahlFehler&) {
        return std::nullopt;
    }
}

Lesung gelesen(const std::string& feld, std::int16_t& position)
{
    const auto zahl = ohneFehler([&] { return RwxToZem::NaechsteZahl(feld, position); });
    if (!zahl)
        return std::nullopt;
    return std::tuple(std::bit_cast<std::uint64_t>(zahl->wert), long(position),
        ohneFehler([&] { return RwxToZem::alsInteger(*zahl); }),
        ohneFehler([&] { return std::bit_cast<std::uint32_t>(RwxToZem::alsSingle(*zahl)); }));
}

// The same, the plain way.
Lesung vorbild(const std::string& feld, long position)
{
    static const std::regex dezimal(R"([+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?)");
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t {});
    const long n = long(feld.size());
    long anfang = std::max(position, 1L);
    while (anfang <= n && static_cast<unsigned char>(feld[std::size_t(anfang - 1)]) <= ' ')
        ++anfang;
    long ende = anfang;
    while (ende <= n && static_cast<unsigned char>(feld[std::size_t(ende - 1)]) > ' ')
        ++ende;
    const std::string token = anfang <= n ? feld.substr(std::size_t(anfang - 1), std::size_t(ende - anfang)) : "";
    std::smatch teil;
    double wert = std::regex_search(token, teil, dezimal, std::regex_constants::match_continuous)
        ? strtod_l(teil.str().c_str(), nullptr, c)
        : 0.0;
    if (ende > 32767 || std::isinf(wert))
        return std::nullopt;
    wert = wert == 0 ? 0.0 : wert;
    const double gerundet = std::nearbyint(wert); // a half to the even neighbour, the default rounding
    const float single = float(wert);
    return std::tuple(std::bit_cast<std::uint64_t>(wert), ende,
        gerundet < -32768 || gerundet > 32767 ? std::nullopt : std::optional(std::int16_t(gerundet)),
        std::isinf(single) ? std::nullopt : std::optional(std::bit_cast<std::uint32_t>(single)));
}

void vergleichen(const std::string& feld)
{
    for (std::int16_t position = 1; position <= long(feld.size());) {
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
    vergleichen(feld);
    if (groesse < 32767)
        vergleichen(std::string(32767 - groesse, ' ') + feld);
    return 0;
}
