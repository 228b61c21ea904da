#include "platform/FeldEingabe.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zem {

FeldEingabe::~FeldEingabe()
{
    schliessen();
}

void FeldEingabe::oeffnen(const std::string& dateiname)
{
    schliessen();
    if (dateiname.empty())
        throw EingabeFehler("Kein Dateiname");
    // The C library would end the name at a NUL and open some other file.
    if (dateiname.find('\0') != std::string::npos)
        throw EingabeFehler("Dateiname mit NUL");
    // Opened without waiting: a plain open of a named pipe waits until some writer opens it, and the
    // whole program with it, before the type could be checked.
    const int fd = ::open(dateiname.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw EingabeFehler("Datei nicht gefunden: " + dateiname);
    // Directories, devices and pipes are refused: they have no end that a reading could rely on.
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        throw EingabeFehler("Keine Datei: " + dateiname);
    }
    std::FILE* datei = fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) == 0 ? fdopen(fd, "rb") : nullptr;
    if (!datei) {
        ::close(fd);
        throw EingabeFehler("Datei nicht lesbar: " + dateiname);
    }
    m_datei = datei;
    m_pos = m_fuellung = 0;
}

void FeldEingabe::schliessen()
{
    if (m_datei)
        std::fclose(m_datei);
    m_datei = nullptr;
    m_pos = m_fuellung = 0;
}

bool FeldEingabe::auffuellen()
{
    if (m_pos < m_fuellung)
        return true;
    if (!m_datei)
        return false;
    m_fuellung = std::fread(m_puffer, 1, sizeof m_puffer, m_datei);
    m_pos = 0;
    if (m_fuellung == 0 && std::ferror(m_datei))
        throw EingabeFehler("Lesefehler");
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

bool FeldEingabe::dateiende()
{
    return !auffuellen();
}

void FeldEingabe::zeilenendeNehmen(int zeichen)
{
    if (zeichen == '\r' && zeichenAnsehen() == '\n')
        ++m_pos;
}

void FeldEingabe::naechstesFeld(std::string& feld)
{
    if (!m_datei)
        throw EingabeFehler("Keine Datei offen");
    if (dateiende())
        throw EingabeFehler("Eingabe nach Dateiende");
    feld.clear();

    int c = naechstesZeichen();
    while (c == ' ' || c == '\t')
        c = naechstesZeichen();

    const auto anhaengen = [&](int zeichen) {
        if (feld.size() >= FeldMax)
            throw EingabeFehler("Feld zu lang");
        feld.push_back(static_cast<char>(zeichen));
    };

    if (c == '"') {
        for (c = naechstesZeichen(); c != '"' && c != '\n' && c != '\r' && c != -1; c = naechstesZeichen())
            anhaengen(c);
        if (c == '"') // drop the rest up to the field's end
            for (c = naechstesZeichen(); c != ',' && c != '\n' && c != '\r' && c != -1; c = naechstesZeichen()) {
            }
    } else {
        while (c != ',' && c != '\n' && c != '\r' && c != -1) {
            // Take the plain run of characters up to the next delimiter in one step.
            std::size_t ende = m_pos;
            while (ende < m_fuellung) {
                const char z = m_puffer[ende];
                if (z == ',' || z == '\n' || z == '\r')
                    break;
                ++ende;
            }
            anhaengen(c);
            if (feld.size() + (ende - m_pos) > FeldMax)
                throw EingabeFehler("Feld zu lang");
            feld.append(m_puffer + m_pos, ende - m_pos);
            m_pos = ende;
            c = naechstesZeichen();
        }
    }
    zeilenendeNehmen(c);
}

} // namespace zem
