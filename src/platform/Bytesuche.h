#pragma once

// Finding bytes in short texts without a library call per text: the fields of a model file are short
// lines, and searching them is most of the time a reading takes.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace zem::Bytesuche {

// Marks the bytes of x that equal b. A byte equal to b is a zero byte of y = x ^ b..b, and
// (y - 0x01..01) & ~y & 0x80..80 marks the lowest zero byte of y exactly; bytes above it may be marked
// wrongly, never bytes below, so the lowest mark of any such test, or of several ored, is a true find.
inline std::uint64_t gleicheBytes(std::uint64_t x, unsigned char b)
{
    constexpr std::uint64_t Einsen = 0x0101010101010101;
    const std::uint64_t y = x ^ (Einsen * b);
    return (y - Einsen) & ~y & (Einsen * 0x80);
}

// The first place in text[von, bis) that holds one of the bytes, or bis: 16 bytes at a time with SSE2,
// then 8 at a time in a 64-bit word where the machine is little-endian (so that the lowest mark is the
// first place), the rest one by one.
template <typename... Bytes> std::size_t finde(const char* text, std::size_t von, std::size_t bis, Bytes... bytes)
{
#ifdef __SSE2__
    for (; von + 16 <= bis; von += 16) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + von));
        const __m128i t = (_mm_cmpeq_epi8(x, _mm_set1_epi8(static_cast<char>(bytes))) | ...);
        if (const auto m = static_cast<unsigned>(_mm_movemask_epi8(t)))
            return von + std::size_t(std::countr_zero(m));
    }
#endif
    if constexpr (std::endian::native == std::endian::little) {
        for (; von + 8 <= bis; von += 8) {
            std::uint64_t x;
            std::memcpy(&x, text + von, 8);
            if (const std::uint64_t marken = (gleicheBytes(x, static_cast<unsigned char>(bytes)) | ...))
                return von + std::size_t(std::countr_zero(marken) / 8);
        }
    }
    while (von < bis && ((text[von] != bytes) && ...))
        ++von;
    return von;
}

// Whether the word stands at the place, which holds at least as many bytes as the word. Compared in
// place: for a keyword a library call would cost more than the comparison.
inline bool wortBei(const char* stelle, std::string_view wort)
{
    std::size_t k = 0;
    while (k < wort.size() && stelle[k] == wort[k])
        ++k;
    return k == wort.size();
}

// Whether the text begins with the word.
inline bool beginntMit(std::string_view text, std::string_view wort)
{
    return text.size() >= wort.size() && wortBei(text.data(), wort);
}

// The first place of the word in the text, or npos: each place of its first byte, then the whole word
// compared there.
inline std::size_t stelle(std::string_view text, std::string_view wort)
{
    if (wort.empty() || wort.size() > text.size())
        return wort.empty() ? 0 : std::string_view::npos;
    const std::size_t kandidaten = text.size() - wort.size() + 1;
    for (std::size_t i = 0; (i = finde(text.data(), i, kandidaten, wort[0])) < kandidaten; ++i)
        if (wortBei(text.data() + i, wort))
            return i;
    return std::string_view::npos;
}

inline bool enthaelt(std::string_view text, std::string_view wort)
{
    return stelle(text, wort) != std::string_view::npos;
}

// Copies n bytes without a library call: glibc's copy routines use the widest vector registers there
// are (AVX2, AVX-512), and on processors that slow down after those the SSE2 code that runs right after
// them, such as the searches above, then takes twice its time. Copies of a field's length are done in
// 16-byte blocks, the last one overlapping.
inline void kopieren(char* ziel, const char* quelle, std::size_t n)
{
#ifdef __SSE2__
    if (n >= 16) {
        for (std::size_t i = 0; i + 16 < n; i += 16)
            _mm_storeu_si128(
                reinterpret_cast<__m128i*>(ziel + i), _mm_loadu_si128(reinterpret_cast<const __m128i*>(quelle + i)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(ziel + n - 16),
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(quelle + n - 16)));
        return;
    }
#endif
    for (; n >= 8; n -= 8, ziel += 8, quelle += 8) {
        std::uint64_t wort;
        std::memcpy(&wort, quelle, 8);
        std::memcpy(ziel, &wort, 8);
    }
    for (; n > 0; --n)
        *ziel++ = *quelle++;
}

} // namespace zem::Bytesuche
