#pragma once

// RwxToZem: reading RWX model files into the scene tables, and setting the axis ends and view points
// from them. The commands that open and reload a file, with their dialog, are DateiBefehle
// (ui/main/DateiBefehle.h).

#include "model/Szene.h"
#include "platform/FeldEingabe.h"
#include "platform/LeseFehler.h"

#include <QString>

#include <cstdint>
#include <string>
#include <string_view>

namespace zem {

// A number of a model file that does not fit its target (single precision, a 16-bit integer), or a
// reading position that a 16-bit integer cannot hold. The reading ends; what was stored stays.
class ZahlFehler : public LeseFehler {
public:
    using LeseFehler::LeseFehler;
};

namespace RwxToZem {

// What the reader reports besides the scene tables, each at the moment it happens: one entry for every
// element it stores, and the message boxes.
class Bericht {
public:
    virtual ~Bericht() = default;
    // An element of the kind was stored; feld is the whole field it was read from, the file's bytes.
    // The view is valid during the call only.
    virtual void eintrag(Art art, std::string_view feld) = 0;
    // A message box with an OK button; an empty title shows the program's title.
    virtual void meldung(const QString& text, const QString& titel) = 0;
};

// Reads the first clump of the file into the scene tables and reports the entries and messages. A file
// that cannot be opened or a number that does not fit its target throws a LeseFehler, after the file is
// closed. What was stored stays.
void ModellLesen(Szene& s, Bericht& bericht, const QString& dateiname);
// The same with the buffer that holds the current field given, so that its memory serves the next
// reading too.
void ModellLesen(Szene& s, Bericht& bericht, const QString& dateiname, std::string& feldpuffer);
// Sets the three axis end points from Ausdehnung, then copies the points into the view table.
void AchsenSetzen(Szene& s);
// Copies Punkte(-4 .. AnzPunkte) unchanged into Sichtpunkte.
void PunkteKopieren(Szene& s);

} // namespace RwxToZem
} // namespace zem
