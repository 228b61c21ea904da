#include "platform/ZahlText.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace zem {

int zahlTextSchreiben(double wert, char* puffer)
{
    if (std::isnan(wert)) {
        std::memcpy(puffer, " NaN", 4);
        return 4;
    }
    if (std::isinf(wert)) {
        std::memcpy(puffer, wert > 0 ? " Inf" : "-Inf", 4);
        return 4;
    }
    if (wert == 0) // also -0, which shows as a plain zero
        wert = 0;

    // %.7G: plain notation for decimal exponents -4..6, exponent form otherwise.
    char roh[32];
    const auto [ende, fehler] = std::to_chars(roh, roh + sizeof roh, std::fabs(wert), std::chars_format::general, 7);
    (void)fehler; // 32 characters always suffice for seven digits and an exponent
    const char* von = roh;
    if (ende - roh >= 2 && roh[0] == '0' && roh[1] == '.')
        ++von; // ".5", not "0.5"

    int laenge = 0;
    puffer[laenge++] = wert < 0 ? '-' : ' ';
    for (const char* p = von; p != ende; ++p)
        puffer[laenge++] = (*p == 'e') ? 'E' : *p;
    return laenge;
}

} // namespace zem
