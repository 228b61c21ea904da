#pragma once

// Vorschau: a model file's thumbnail for file managers, the picture the main window shows right after
// opening the file.

#include <QImage>

class QString;

namespace zem {
struct Szene;

namespace Vorschau {

// The sides of a thumbnail, in pixels: the sizes file managers ask for, from "normal" to "xx-large".
constexpr int SeiteMin = 128;
constexpr int SeiteMax = 1024;

// Resets the scene and reads the file's first clump into it, with neither list entries nor messages.
// Throws LeseFehler as the reader does.
void lesen(Szene& s, const QString& dateiname);
// The model of a scene just read, fitted and drawn as the refresh after opening does: zoom value 600 on a
// square of seite device pixels (brought into SeiteMin..SeiteMax), lines one pixel wide up to 256 and as
// on a screen of ratio seite / 256 above; the elements only, in their colours on black. A null image for a
// scene without a point, of extent 0 or without an element: nothing of it would show.
QImage bild(Szene& s, int seite);

} // namespace Vorschau
} // namespace zem
