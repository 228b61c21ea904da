#pragma once

// The numbers of the RWX reader's statements: NaechsteZahl takes the next number of a field, alsInteger
// and alsSingle convert it for its target. Inline, as a model has tens of thousands of numbers, and
// apart from the rest of the reader, so that the fuzz target can compare them with a plain reading.

#include "model/RwxToZem.h"
#include "platform/FeldEingabe.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace zem::RwxToZem {

// A number as NaechsteZahl reads it: its value in double precision, and whether that value is known to
// be whole, so that it needs no rounding to become an integer.
struct Zahl {
    double wert;
    bool ganz;
};

// Moves a 1-based reading position on; it has to stay a 16-bit number.
inline long weiter(long position, long schritte)
{
    const long neu = position + schritte;
    if (neu > std::numeric_limits<std::int16_t>::max())
        throw ZahlFehler("Leseposition jenseits von 32767");
    return neu;
}

namespace intern {

inline bool istZiffer(char c)
{
    return c >= '0' && c <= '9';
}

// The powers of ten that are exact doubles.
constexpr double Zehnerpotenz[] = { 1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14,
    1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22 };

// The value of the decimal part at the start of a token (see NaechsteZahl), which p is moved past. The
// token ends in a byte below "!", the field's zero byte at the latest, and no scan here passes one. The
// digits are gathered into an integer on the way, which gives the usual tokens their correctly rounded
// value at once: a whole number of up to 18 digits converts exactly; up to 2^53 with a power of ten that
// is an exact double (10^-22 .. 10^22), one division or multiplication rounds correctly. Any other token
// goes to std::from_chars, which is exact as well and, unlike strtod, ignores the locale that Qt sets.
[[gnu::always_inline]] inline Zahl dezimalWert(const char*& p)
{
    const char* const anfang = p;
    const bool negativ = *p == '-';
    if (*p == '+' || *p == '-')
        ++p;
    const char* const ziffern = p;
    std::uint64_t ganz = 0; // wraps past 19 digits, where it is not used
    for (unsigned ziffer; (ziffer = unsigned(static_cast<unsigned char>(*p)) - '0') < 10; ++p)
        ganz = ganz * 10 + ziffer;
    if (static_cast<unsigned char>(*p) <= ' ' && p > ziffern && p - ziffern <= 18) {
        const auto betrag = static_cast<std::int64_t>(ganz);
        return { double(negativ ? -betrag : betrag), true };
    }
    const char* punkt = nullptr;
    if (*p == '.') {
        punkt = p++;
        for (unsigned ziffer; (ziffer = unsigned(static_cast<unsigned char>(*p)) - '0') < 10; ++p)
            ganz = ganz * 10 + ziffer;
    }
    const long nachkommastellen = punkt ? long(p - punkt) - 1 : 0;
    const long anzahl = long(p - ziffern) - (punkt ? 1 : 0);
    if (anzahl == 0)
        return { 0, true };
    // Saturated: any exponent beyond this is out of range, whatever the digits (a field holds at most
    // FeldMax of them).
    constexpr long long ExponentGrenze = 1'000'000'000;
    long long exponent = 0;
    if ((*p | 0x20) == 'e') {
        const char* e = p + 1;
        const bool minus = *e == '-';
        if (*e == '+' || *e == '-')
            ++e;
        if (istZiffer(*e)) {
            for (; istZiffer(*e); ++e)
                exponent = std::min(exponent * 10 + (*e - '0'), ExponentGrenze);
            exponent = minus ? -exponent : exponent;
            p = e;
        }
    }
    const long long zehner = exponent - nachkommastellen;
    if (anzahl <= 19 && ganz == 0) // no negative zero: it would show as "-0"
        return { 0, true };
    if (anzahl <= 19 && ganz <= std::uint64_t { 1 } << 53 && zehner >= -22 && zehner <= 22) {
        const double betrag = zehner < 0 ? double(ganz) / Zehnerpotenz[-zehner] : double(ganz) * Zehnerpotenz[zehner];
        return { negativ ? -betrag : betrag, false };
    }
    double wert = 0;
    if (std::from_chars(anfang + (*anfang == '+' ? 1 : 0), p, wert).ec == std::errc::result_out_of_range) {
        // Too large or too small: the decimal place of the first significant digit tells which.
        long nullen = 0;
        for (const char* z = ziffern; *z == '0' || *z == '.'; ++z)
            nullen += *z == '0';
        if (anzahl - nullen - 1 + zehner >= 0)
            throw ZahlFehler("Zahl passt nicht in doppelte Genauigkeit");
        return { 0, true };
    }
    return { wert != 0 ? wert : 0, false };
}

} // namespace intern

// The next number of the field from the 1-based reading position on, which it moves right after the
// number's token (the bytes from the first above the blank to the next below "!"). Its value is that of
// the token's longest leading part that reads as a decimal number (optional sign, digits with at most one
// full stop, optional exponent: E or e, optional sign, digits) in double precision, 0 without one, never
// -0; 0 when the field has ended. A value beyond double precision or a position past 32767 throws a
// ZahlFehler. Every number of a model is read here.
[[gnu::always_inline]] inline Zahl NaechsteZahl(Feld zeile, std::int16_t& position)
{
    // Positions after the field count as separators, and so does its terminating zero byte, which ends
    // the scans of the token.
    const char* const text = zeile.data();
    const long laenge = long(zeile.size());
    long pos = std::max<long>(position, 1);
    while (pos <= laenge && static_cast<unsigned char>(text[pos - 1]) < '!')
        ++pos;
    if (pos > laenge) {
        position = std::int16_t(weiter(pos, 0));
        return { 0, true };
    }
    const char* const anfang = text + pos - 1;
    const char* ende = anfang;
    const Zahl zahl = intern::dezimalWert(ende);
    while (static_cast<unsigned char>(*ende) > ' ')
        ++ende;
    position = std::int16_t(weiter(pos, ende - anfang));
    return zahl;
}

// A number as a corner index or count: rounded to the nearest integer, a half to the even neighbour
// whatever the FPU's rounding mode; outside -32768 .. 32767 a ZahlFehler.
inline std::int16_t alsInteger(Zahl zahl)
{
    double gerundet = zahl.wert;
    if (!zahl.ganz) {
        gerundet = std::round(zahl.wert);
        if (std::fabs(zahl.wert - std::trunc(zahl.wert)) == 0.5)
            gerundet = 2.0 * std::round(zahl.wert / 2.0);
    }
    if (!(gerundet >= std::numeric_limits<std::int16_t>::min() && gerundet <= std::numeric_limits<std::int16_t>::max()))
        throw ZahlFehler("Zahl passt nicht in 16 Bit");
    return static_cast<std::int16_t>(gerundet);
}

// A number as a coordinate, in single precision; beyond its range a ZahlFehler.
inline float alsSingle(Zahl zahl)
{
    // A double rounds to infinity in single precision from the midpoint between the largest float and
    // 2^128 on; below it, a value beyond the largest float rounds to it. Converting directly would be
    // undefined behaviour there.
    constexpr double unendlichAb = 0x1p128 - 0x1p103;
    if (std::fabs(zahl.wert) >= unendlichAb)
        throw ZahlFehler("Zahl passt nicht in einfache Genauigkeit");
    if (std::fabs(zahl.wert) > double(std::numeric_limits<float>::max()))
        return zahl.wert < 0 ? -std::numeric_limits<float>::max() : std::numeric_limits<float>::max();
    return static_cast<float>(zahl.wert);
}

} // namespace zem::RwxToZem
