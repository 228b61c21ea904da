#include "platform/FeldText.h"

#include <QStringDecoder>

namespace zem {

namespace {

// Windows-1252 from 0x80 to 0x9F, as the WHATWG encoding standard maps it: the five bytes that the code
// page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the C1 controls of the same number. Every
// other byte is the Latin-1 character of its number.
constexpr char16_t Windows1252[32] = { 0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030,
    0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178 };

} // namespace

QString feldText(QByteArrayView feld)
{
    // Stateless: a sequence cut off at the field's end is an error of this field, not carried over.
    QStringDecoder utf8(
        QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8(feld);
    if (!utf8.hasError())
        return text;
    text.resize(feld.size());
    QChar* z = text.data();
    for (const char c : feld) {
        const auto b = static_cast<unsigned char>(c);
        *z++ = QChar(b >= 0x80 && b < 0xA0 ? Windows1252[b - 0x80] : char16_t(b));
    }
    return text;
}

} // namespace zem
