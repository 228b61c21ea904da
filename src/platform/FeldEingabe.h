#pragma once

#include "platform/Bytesuche.h"
#include "platform/LeseFehler.h"

#include <string>
#include <string_view>

namespace zem {

// A failure of the sequential input: the file cannot be opened, a read beyond its end, a read error.
class EingabeFehler : public LeseFehler {
public:
    using LeseFehler::LeseFehler;
};

// The bytes of a field, followed by a zero byte that ends every scan of them: a string's, or a field's
// in the input buffer.
class Feld : public std::string_view {
public:
    Feld(const std::string& text)
        : std::string_view(text)
    {
    }

private:
    friend class FeldEingabe;
    explicit Feld(std::string_view imPuffer)
        : std::string_view(imPuffer)
    {
    }
};

// Sequential field input from a text file. A field is the text of a line up to the first comma or the
// line end; blanks and tabs in front of it are skipped; a field that begins with a double quotation mark
// ends at the next one (or at the line end), and what follows the closing mark up to the next comma or
// line end is dropped. An empty line is one empty field. LF, CR LF and a lone CR all end a line, and the
// line end after the last line makes no field of its own. The file is read in blocks, so its size does
// not matter; only one field is held at a time.
class FeldEingabe {
public:
    // Longest field kept; a longer one is a failure, so that no file can exhaust the memory.
    static constexpr std::size_t FeldMax = std::size_t(16) << 20;

    FeldEingabe() = default;
    ~FeldEingabe();
    FeldEingabe(const FeldEingabe&) = delete;
    FeldEingabe& operator=(const FeldEingabe&) = delete;

    // Opens a regular file by name; throws EingabeFehler when that is not possible. Allocates nothing
    // when it succeeds.
    void oeffnen(std::string_view dateiname);
    // Reads the next field; throws at the end of the file. Its bytes stay in the input buffer where they
    // lie whole (the usual case, no copy) and go into puffer otherwise (its capacity is reused); either
    // way they are valid until the next read.
    Feld naechstesFeld(std::string& puffer)
    {
        if (m_pos >= m_fuellung)
            fuellen();
        // The usual case inline, as a reading takes thousands of fields.
        if (const Feld feld = feldImPufferLesen(puffer); feld.data())
            return feld;
        return feldZeichenweise(puffer);
    }
    // Reads fields until one contains the word, as naechstesFeld and a search of each field would, and
    // leaves that field in feld; false when the file ends first, feld then holding no particular field.
    // Fields without the word are passed over in the buffer, not copied.
    bool feldMitWortLesen(std::string& feld, std::string_view wort);
    // True when every field has been read.
    bool dateiende() { return m_pos >= m_fuellung && !auffuellen(); }
    void schliessen();
    bool offen() const { return m_datei >= 0; }

private:
    bool auffuellen(); // false at the end of the file
    int naechstesZeichen(); // -1 at the end of the file
    int zeichenAnsehen(); // the next character without taking it, -1 at the end
    void zeilenendeNehmen(int zeichen);
    // Refills the buffer for the next field; throws when no file is open or every field has been read.
    void fuellen();
    // The next field read character by character, for every field that feldImPufferLesen does not take.
    Feld feldZeichenweise(std::string& puffer);
    // The next field when it is unquoted and its delimiter, and the byte after that for a CR LF, are in
    // the buffer: the usual case, taken in one step. Otherwise a view without data.
    std::string_view feldImPuffer() const
    {
        std::size_t anfang = m_pos;
        while (anfang < m_fuellung && (m_puffer[anfang] == ' ' || m_puffer[anfang] == '\t'))
            ++anfang;
        if (anfang >= m_fuellung || m_puffer[anfang] == '"')
            return {};
        const std::size_t ende = Bytesuche::finde(m_puffer, anfang, m_fuellung, ',', '\r', '\n');
        if (ende + 1 >= m_fuellung)
            return {};
        return { m_puffer + anfang, ende - anfang };
    }
    // Moves past that field and its delimiter.
    void feldImPufferNehmen(std::string_view feld)
    {
        const std::size_t ende = std::size_t(feld.data() + feld.size() - m_puffer);
        m_pos = ende + 1;
        if (m_puffer[ende] == '\r' && m_puffer[m_pos] == '\n')
            ++m_pos;
    }
    // That field taken: its bytes stay in the buffer, with a zero byte over the delimiter, when bytes
    // are left after it, so that no refill comes before the next read, which may be a test for the end;
    // they go into puffer otherwise. Without such a field, a Feld without data.
    Feld feldImPufferLesen(std::string& puffer)
    {
        const std::string_view feld = feldImPuffer();
        if (!feld.data())
            return Feld(feld);
        feldImPufferNehmen(feld);
        if (m_pos < m_fuellung) {
            m_puffer[feld.data() + feld.size() - m_puffer] = '\0';
            return Feld(feld);
        }
        puffer.assign(feld);
        return Feld(puffer);
    }
    // Moves past the next field when it lies in the buffer like that and does not hold the word; false,
    // and nothing taken, when it may hold the word or is no such field.
    bool ohneWortUebergangen(std::string_view wort);

    int m_datei = -1; // read directly into m_puffer: a C stream would allocate a buffer of its own
    char m_puffer[1 << 16];
    std::size_t m_pos = 0;
    std::size_t m_fuellung = 0;
};

} // namespace zem
