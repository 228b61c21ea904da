#!/usr/bin/env python3
"""Drives the real zemviewer on an X server (Xvfb) as a user would: keys and mouse through xdotool,
window captions through xdotool, pixels from screenshots taken with ImageMagick's import.

    sitzung.py ZEMVIEWER EXAMPLES_DIR [--foto BILD.png]

Exits 0 when every check held; prints what failed otherwise."""
import argparse
import os
import re
import subprocess
import sys
import time


class Fehlschlag(Exception):
    pass


def lauf(*befehl, eingabe=None):
    return subprocess.run(befehl, check=True, capture_output=True, input=eingabe).stdout


def xdotool(*argumente):
    return lauf("xdotool", *map(str, argumente)).decode()


def warte_fenster(muster, sekunden=20):
    """The id of a visible window whose caption matches the regular expression."""
    ende = time.time() + sekunden
    while time.time() < ende:
        try:
            ids = xdotool("search", "--onlyvisible", "--name", muster).split()
        except subprocess.CalledProcessError:
            ids = []
        if ids:
            return ids[-1]
        time.sleep(0.1)
    raise Fehlschlag("kein Fenster mit dem Titel %r" % muster)


def warte_bis(bedingung, text, sekunden=10):
    ende = time.time() + sekunden
    while time.time() < ende:
        if bedingung():
            return
        time.sleep(0.1)
    raise Fehlschlag(text)


def titel(fenster):
    return xdotool("getwindowname", fenster).strip()


def geometrie(fenster):
    werte = dict(zeile.split("=") for zeile in xdotool("getwindowgeometry", "--shell", fenster).split())
    return int(werte["X"]), int(werte["Y"]), int(werte["WIDTH"]), int(werte["HEIGHT"])


class Bild:
    """A screenshot of one window as rows of (r, g, b)."""

    def __init__(self, fenster):
        roh = lauf("import", "-silent", "-window", fenster, "-depth", "8", "ppm:-")
        kopf = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", roh)
        self.breite, self.hoehe = int(kopf.group(1)), int(kopf.group(2))
        self.daten = roh[kopf.end():]

    def pixel(self, x, y):
        i = 3 * (y * self.breite + x)
        return tuple(self.daten[i:i + 3])

    def irgendwo_nahe(self, x, y, farbe, rand=1):
        return any(self.pixel(x + dx, y + dy) == farbe
                   for dx in range(-rand, rand + 1) for dy in range(-rand, rand + 1))


SCHWARZ, ROT, BLAU, GRUEN = (0, 0, 0), (255, 0, 0), (0, 0, 255), (0, 255, 0)


class Hauptfenster:
    """The main window's drawing area and the user scale a refresh at zoom 600 gives it."""

    def __init__(self, fenster, ausdehnung):
        self.id = fenster
        _, _, self.breite, self.hoehe = geometrie(fenster)
        bild = Bild(fenster)
        # The menu bar is the band above the first black row of the left edge.
        self.menue = next(y for y in range(self.hoehe) if bild.pixel(2, y) == SCHWARZ)
        flaeche = self.hoehe - self.menue
        h = 600 * ausdehnung / 500
        q = self.hoehe / self.breite  # the overall shape, menu bar included
        self.massstab_breite = 2 * h / q if q <= 1 else 2 * h
        self.massstab_hoehe = -2 * h if q <= 1 else -2 * h * q
        self.flaeche = flaeche

    def pixel_von(self, x, y):
        """Window pixel of the user point (x, y) while the origin is in the middle."""
        px = (x + self.massstab_breite / 2) * self.breite / self.massstab_breite
        py = (y + self.massstab_hoehe / 2) * self.flaeche / self.massstab_hoehe
        return int(px), self.menue + int(py)


def pruefe(bedingung, text):
    if not bedingung:
        raise Fehlschlag(text)
    print("ok  ", text)


def sitzung(zemviewer, beispiele, foto):
    programm = subprocess.Popen([zemviewer], stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    try:
        willkommen = warte_fenster("^ZemViewer 2.3$")
        pruefe(True, "das Willkommensfenster erscheint zuerst")
        xdotool("windowfocus", "--sync", willkommen)
        xdotool("key", "Return")
        haupt = warte_fenster("^Neu - ZemViewer$")
        pruefe(titel(haupt) == "Neu - ZemViewer", "der Titel ist \"Neu - ZemViewer\"")

        # Datei, then the second item, "Öffnen".
        xdotool("mousemove", "--window", haupt, 20, 10, "click", 1)
        time.sleep(0.3)
        xdotool("key", "Down", "Down", "Return")
        dialog = warte_fenster("^Öffner$")
        pruefe(True, "der Dialog \"Öffner\" erscheint")
        xdotool("windowfocus", "--sync", dialog)
        xdotool("type", "--delay", 5, os.path.join(beispiele, "wuerfel.rwx"))
        xdotool("key", "Return")
        haupt = warte_fenster("^wuerfel.rwx - ZemViewer$")
        pruefe(True, "der Titel nennt die Datei: \"wuerfel.rwx - ZemViewer\"")

        time.sleep(0.3)
        h = Hauptfenster(haupt, 1.0)
        bild = Bild(haupt)
        links, mitte = h.pixel_von(-1, 0.5)
        rechts, _ = h.pixel_von(1, 0.5)
        _, oben = h.pixel_von(0.5, 1)
        x_halb, unten = h.pixel_von(0.5, -1)
        x_null, _ = h.pixel_von(0, 0.5)
        pruefe(bild.irgendwo_nahe(links, mitte, BLAU), "linke Würfelkante blau bei %d,%d" % (links, mitte))
        pruefe(bild.irgendwo_nahe(rechts, mitte, BLAU), "rechte Würfelkante blau bei %d,%d" % (rechts, mitte))
        pruefe(bild.irgendwo_nahe(x_halb, oben, BLAU), "obere Würfelkante blau bei %d,%d" % (x_halb, oben))
        pruefe(bild.irgendwo_nahe(x_halb, unten, BLAU), "untere Würfelkante blau bei %d,%d" % (x_halb, unten))
        pruefe(bild.irgendwo_nahe(x_null, mitte, ROT), "die Y-Achse rot bei %d,%d" % (x_null, mitte))
        pruefe(bild.pixel(x_halb, mitte) == SCHWARZ, "innen schwarz bei %d,%d" % (x_halb, mitte))
        if foto:
            lauf("import", "-silent", "-window", haupt, foto)
            print("Bild:", foto)
    finally:
        programm.terminate()
        try:
            programm.wait(5)
        except subprocess.TimeoutExpired:
            programm.kill()


def main():
    argumente = argparse.ArgumentParser()
    argumente.add_argument("zemviewer")
    argumente.add_argument("beispiele")
    argumente.add_argument("--foto")
    a = argumente.parse_args()
    try:
        sitzung(os.path.abspath(a.zemviewer), os.path.abspath(a.beispiele), a.foto)
    except Fehlschlag as f:
        print("FEHLER", f)
        return 1
    print("1 passed, 0 failed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
