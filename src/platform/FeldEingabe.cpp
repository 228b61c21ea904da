#include "platform/FeldEingabe.h"

#include "platform/Bytesuche.h"

#include <cerrno>
#include <climits>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zem {

FeldEingabe::~FeldEingabe()
{
    schliessen();
}

void FeldEingabe::oeffnen(std::string_view dateiname)
{
    schliessen();
    if (dateiname.empty())
        throw EingabeFehler("Kein Dateiname");
    // The C library would end the name at a NUL and open some other file.
    if (dateiname.find('\0') != std::string_view::npos)
        throw EingabeFehler("Dateiname mit NUL");
    // The system takes no longer name; copied here to end it with a NUL.
    char name[PATH_MAX];
    if (dateiname.size() >= sizeof name)
        throw EingabeFehler("Dateiname zu lang");
    std::memcpy(name, dateiname.data(), dateiname.size());
    name[dateiname.size()] = '\0';
    // Opened without waiting: a plain open of a named pipe waits until some writer opens it, and the
    // whole program with it, before the type could be checked.
    const int fd = ::open(name, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw EingabeFehler("Datei nicht gefunden: " + std::string(dateiname));
    // Directories, devices and pipes are refused: they have no end that a reading could rely on.
    struct stat info { };
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        throw EingabeFehler("Keine Datei: " + std::string(dateiname));
    }
    if (fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        ::close(fd);
        throw EingabeFehler("Datei nicht lesbar: " + std::string(dateiname));
    }
    m_datei = fd;
    m_pos = m_fuellung = 0;
}

void FeldEingabe::schliessen()
{
    if (m_datei >= 0)
        ::close(m_datei);
    m_datei = -1;
    m_pos = m_fuellung = 0;
}

bool FeldEingabe::auffuellen()
{
    if (m_pos < m_fuellung)
        return true;
    if (m_datei < 0)
        return false;
    m_pos = m_fuellung = 0;
    ssize_t gelesen = 0;
    do
        gelesen = ::read(m_datei, m_puffer, sizeof m_puffer);
    while (gelesen < 0 && errno == EINTR);
    if (gelesen < 0)
        throw EingabeFehler("Lesefehler");
    m_fuellung = static_cast<std::size_t>(gelesen);
    return m_fuellung > 0;
}

int FeldEingabe::zeichenAnsehen()
{
    return auffuellen() ? static_cast<unsigned char>(m_puffer[m_pos]) : -1;
}

int FeldEingabe::naechstesZeichen()
{
    return auffuellen() ? static_cast<unsigned char>(m_puffer[m_pos++]) : -1;
}

void FeldEingabe::zeilenendeNehmen(int zeichen)
{
    if (zeichen == '\r' && zeichenAnsehen() == '\n')
        ++m_pos;
}

bool FeldEingabe::feldMitWortLesen(std::string& feld, std::string_view wort)
{
    while (!dateiende()) {
        if (!ohneWortUebergangen(wort)) {
            const Feld gelesen = naechstesFeld(feld);
            if (Bytesuche::enthaelt(gelesen, wort)) {
                if (gelesen.data() != feld.data())
                    feld.assign(gelesen);
                return true;
            }
        }
    }
    return false;
}

bool FeldEingabe::ohneWortUebergangen(std::string_view wort)
{
    std::size_t i = m_pos;
    while (i < m_fuellung && (m_puffer[i] == ' ' || m_puffer[i] == '\t'))
        ++i;
    if (i >= m_fuellung || m_puffer[i] == '"' || wort.empty())
        return false;
    // One search for the delimiters and the word's first byte together. A place where the word stands,
    // even one that reaches past the field's end or the buffer's, is left to the usual way.
    for (;; ++i) {
        i = Bytesuche::finde(m_puffer, i, m_fuellung, ',', '\r', '\n', wort[0]);
        if (i + 1 >= m_fuellung)
            return false;
        if (m_puffer[i] != wort[0])
            break;
        if (m_fuellung - i < wort.size() || Bytesuche::wortBei(m_puffer + i, wort))
            return false;
    }
    m_pos = i + 1;
    if (m_puffer[i] == '\r' && m_puffer[m_pos] == '\n')
        ++m_pos;
    return true;
}

void FeldEingabe::fuellen()
{
    if (!offen())
        throw EingabeFehler("Keine Datei offen");
    if (dateiende())
        throw EingabeFehler("Eingabe nach Dateiende");
}

Feld FeldEingabe::feldZeichenweise(std::string& puffer)
{
    puffer.clear();

    int c = naechstesZeichen();
    while (c == ' ' || c == '\t')
        c = naechstesZeichen();

    const auto anhaengen = [&](int zeichen) {
        if (puffer.size() >= FeldMax)
            throw EingabeFehler("Feld zu lang");
        puffer.push_back(static_cast<char>(zeichen));
    };

    if (c == '"') {
        for (c = naechstesZeichen(); c != '"' && c != '\n' && c != '\r' && c != -1; c = naechstesZeichen())
            anhaengen(c);
        if (c == '"') // drop the rest up to the field's end
            for (c = naechstesZeichen(); c != ',' && c != '\n' && c != '\r' && c != -1; c = naechstesZeichen()) { }
    } else {
        while (c != ',' && c != '\n' && c != '\r' && c != -1) {
            // c was just taken from the buffer: it and the run after it up to the next delimiter go into
            // the field in one step.
            const std::size_t anfang = m_pos - 1;
            const std::size_t ende = Bytesuche::finde(m_puffer, m_pos, m_fuellung, ',', '\r', '\n');
            if (puffer.size() + (ende - anfang) > FeldMax)
                throw EingabeFehler("Feld zu lang");
            puffer.append(m_puffer + anfang, ende - anfang);
            m_pos = ende;
            c = naechstesZeichen();
        }
    }
    zeilenendeNehmen(c);
    return Feld(puffer);
}

} // namespace zem
