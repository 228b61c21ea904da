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


SCHWARZ, ROT, BLAU, GRUEN, CYAN = (0, 0, 0), (255, 0, 0), (0, 0, 255), (0, 255, 0), (0, 255, 255)


class Hauptfenster:
    """The main window's drawing area and the user scale a refresh at zoom 600 gives it."""

    def __init__(self, fenster, ausdehnung, zoom=600):
        self.id = fenster
        _, _, self.breite, self.hoehe = geometrie(fenster)
        bild = Bild(fenster)
        # The menu bar is the band above the first black row of the left edge.
        self.menue = next(y for y in range(self.hoehe) if bild.pixel(2, y) == SCHWARZ)
        flaeche = self.hoehe - self.menue
        h = zoom * ausdehnung / 500
        q = self.hoehe / self.breite  # the overall shape, menu bar included
        self.massstab_breite = 2 * h / q if q <= 1 else 2 * h
        self.massstab_hoehe = -2 * h if q <= 1 else -2 * h * q
        self.flaeche = flaeche

    def pixel_von(self, x, y):
        """Window pixel of the user point (x, y) while the origin is in the middle."""
        px = (x + self.massstab_breite / 2) * self.breite / self.massstab_breite
        py = (y + self.massstab_hoehe / 2) * self.flaeche / self.massstab_hoehe
        return int(px), self.menue + int(py)

    def menue_punkt(self, links, nummer):
        """Chooses item nummer (from 1) of the menu whose title lies links pixels from the left."""
        xdotool("mousemove", "--window", self.id, links, self.menue // 2, "click", 1)
        time.sleep(0.3)
        xdotool("key", *(["Down"] * nummer), "Return")
        time.sleep(0.3)

    def maus(self, x, y):
        px, py = self.pixel_von(x, y)
        xdotool("mousemove", "--window", self.id, px, py)
        time.sleep(0.2)


def senkrechte_rote_linie(bild, zeile):
    """Columns of red pixels in a row of the picture."""
    return [x for x in range(bild.breite) if bild.pixel(x, zeile) == ROT]


def pruefe(bedingung, text):
    if not bedingung:
        raise Fehlschlag(text)
    print("ok  ", text)


def bestaetige(fenster):
    """Presses Return in a window, such as the OK of a message box."""
    xdotool("windowfocus", "--sync", fenster)
    xdotool("key", "Return")


def oeffnen(haupt, pfad):
    """Opens a model through "Datei", "Öffnen" and the dialog; gives the main window titled with it."""
    xdotool("mousemove", "--window", haupt, 20, 10, "click", 1)
    time.sleep(0.3)
    xdotool("key", "Down", "Down", "Return")
    dialog = warte_fenster("^Öffner$")
    xdotool("windowfocus", "--sync", dialog)
    xdotool("type", "--delay", 5, pfad)
    xdotool("key", "Return")
    return warte_fenster("^%s - ZemViewer$" % re.escape(os.path.basename(pfad)))


def mit_programm(zemviewer, ablauf):
    """Runs the program, hands it to ablauf, and ends it whatever happens."""
    programm = subprocess.Popen([zemviewer], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        ablauf()
    finally:
        programm.terminate()
        try:
            programm.wait(5)
        except subprocess.TimeoutExpired:
            programm.kill()


def hauptprogramm(ablauf, *argumente):
    """Runs a session and reports it in the plain form that CTest's log shows."""
    try:
        ablauf(*argumente)
    except Fehlschlag as f:
        print("FEHLER", f)
        return 1
    print("1 passed, 0 failed")
    return 0


def sitzung(zemviewer, beispiele, foto):
    mit_programm(zemviewer, lambda: wuerfel_ansehen(beispiele, foto))


def wuerfel_ansehen(beispiele, foto):
    bestaetige(warte_fenster("^ZemViewer 2.3$"))
    pruefe(True, "das Willkommensfenster erscheint zuerst")
    haupt = warte_fenster("^Neu - ZemViewer$")
    pruefe(titel(haupt) == "Neu - ZemViewer", "der Titel ist \"Neu - ZemViewer\"")
    haupt = oeffnen(haupt, os.path.join(beispiele, "wuerfel.rwx"))
    pruefe(True, "über den Dialog \"Öffner\" geöffnet, nennt der Titel die Datei: \"wuerfel.rwx - ZemViewer\"")
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
    weiter_mit_der_maus(haupt)
    if foto:
        fotografieren(haupt, beispiele, foto)


def weiter_mit_der_maus(haupt):
    """Hover, mark, mark by mode, turn, zoom and pan the open cube."""
    h = Hauptfenster(haupt, 1.0)
    fenster, optionen = 70, 125  # where the menu titles "Fenster" and "Optionen" stand
    h.menue_punkt(fenster, 7)
    koords = warte_fenster("^(Punkt 0000|no Punkt 0|Punkt [0-9]+)$")
    pruefe(True, "das Koordinatenfenster erscheint")

    # Corners 3 and 7 lie on one another; the higher number wins.
    h.maus(1, 1)
    warte_bis(lambda: titel(koords) == "Punkt 7", "über der Ecke heißt es \"Punkt 7\", nicht %r" % titel(koords))
    pruefe(True, "über der Ecke (1, 1) steht \"Punkt 7\"")
    h.maus(0.5, 0.5)
    warte_bis(lambda: titel(koords) == "no Punkt 0", "über leerer Fläche \"no Punkt 0\"")
    pruefe(True, "über leerer Fläche steht \"no Punkt 0\"")

    h.maus(1, 1)
    xdotool("click", 1)
    time.sleep(0.3)
    bild = Bild(haupt)
    x, y = h.pixel_von(1 + 0.024, 1)
    pruefe(bild.irgendwo_nahe(x, y, CYAN, 2), "die markierte Ecke hat ein cyanfarbenes Quadrat bei %d,%d" % (x, y))

    h.menue_punkt(optionen, 2)  # "Markiere mit Einem"
    bild = Bild(haupt)
    x, y = h.pixel_von(-1, 0.5)
    pruefe(bild.irgendwo_nahe(x, y, GRUEN), "die Fläche an der markierten Ecke wird grün bei %d,%d" % (x, y))

    # A right drag by one extent to the right turns the X axis end from 1 to about 0.894.
    h.maus(0, 0)
    xdotool("mousedown", 3)
    for schritt in range(1, 11):
        px, py = h.pixel_von(schritt / 10, 0)
        xdotool("mousemove", "--window", haupt, px, py)
        time.sleep(0.03)
    xdotool("mouseup", 3)
    time.sleep(0.3)
    bild = Bild(haupt)
    x_spitze, y_achse = h.pixel_von(0.894, 0)
    x_vorher, _ = h.pixel_von(0.97, 0)
    pruefe(bild.irgendwo_nahe(x_spitze, y_achse, ROT), "die gedrehte X-Achse endet bei %d,%d" % (x_spitze, y_achse))
    pruefe(bild.pixel(x_vorher, y_achse) != ROT, "wo die X-Achse vorher endete, ist sie nicht mehr")

    # A right double click on the origin: zoom 600 becomes 303 and the picture grows about it.
    h.maus(0, 0)
    xdotool("click", "--repeat", 2, "--delay", 80, 3)
    time.sleep(0.4)
    naeher = Hauptfenster(haupt, 1.0, zoom=303)
    x, y = naeher.pixel_von(0.894, 0)
    pruefe(Bild(haupt).irgendwo_nahe(x, y, ROT), "nach dem Doppelklick steht die Achsenspitze weiter außen bei %d,%d" % (x, y))

    # Holding the mouse right of the movement window's centre moves the view right, the model left.
    mitte_spalte = min(senkrechte_rote_linie(Bild(haupt), naeher.pixel_von(0, 0.3)[1]), key=lambda c: abs(c - naeher.breite // 2))
    naeher.menue_punkt(fenster, 5)
    bewegung = warte_fenster("^Bewegungen$")
    _, _, breite, hoehe = geometrie(bewegung)
    xdotool("mousemove", "--window", bewegung, int(breite * 0.9), hoehe // 2)
    xdotool("mousedown", 1)
    time.sleep(0.6)
    xdotool("mouseup", 1)
    time.sleep(0.3)
    zeile = naeher.pixel_von(0, 0.3)[1]
    spalten = senkrechte_rote_linie(Bild(haupt), zeile)
    pruefe(spalten and max(spalten) < mitte_spalte - 10,
           "die Bewegung schiebt das Modell nach links (Y-Achse von Spalte %d nach %s)" % (mitte_spalte, spalten))
    xdotool("mousemove", "--window", bewegung, breite // 2, hoehe // 2, "click", 1)
    time.sleep(0.3)
    spalten = senkrechte_rote_linie(Bild(haupt), zeile)
    pruefe(mitte_spalte in spalten, "\"Mitte\" bringt den Ursprung zurück in die Mitte (Spalten %s)" % spalten)


def fotografieren(haupt, beispiele, foto):
    """The house, larger, turned a little, with a marked corner and its elements: the README's picture."""
    xdotool("windowsize", haupt, 640, 560)
    time.sleep(0.5)
    haupt = oeffnen(haupt, os.path.join(beispiele, "haus.rwx"))
    time.sleep(0.3)
    h = Hauptfenster(haupt, 3.8)
    h.maus(0.3, -0.2)
    xdotool("mousedown", 3)
    for schritt in range(1, 11):
        px, py = h.pixel_von(0.3 - schritt * 0.35, -0.2 + schritt * 0.25)
        xdotool("mousemove", "--window", haupt, px, py)
        time.sleep(0.03)
    xdotool("mouseup", 3)
    time.sleep(0.3)
    lauf("import", "-silent", "-window", haupt, foto)
    print("Bild:", foto)


def main():
    argumente = argparse.ArgumentParser()
    argumente.add_argument("zemviewer")
    argumente.add_argument("beispiele")
    argumente.add_argument("--foto")
    a = argumente.parse_args()
    return hauptprogramm(sitzung, os.path.abspath(a.zemviewer), os.path.abspath(a.beispiele), a.foto)


if __name__ == "__main__":
    sys.exit(main())
