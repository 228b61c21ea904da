#!/usr/bin/env python3
"""Drives the real zemviewer on an X server (Xvfb) as a user would, on a bare server or under the
openbox window manager: keys and mouse through xdotool, captions and window places through xdotool,
xprop and xwininfo, pixels from screenshots (ImageMagick's import). With --wm leser, on a bare server,
it reads the program through the AT-SPI accessibility bus as a screen reader would (needs a session bus
of its own, dbus-run-session, and python3-pyatspi). Every wait is on a condition with a generous limit,
so that a busy machine only makes the session slower.

    sitzung.py ZEMVIEWER EXAMPLES_DIR [--wm keiner|openbox|leser]

Exits 0 when every step held; prints what failed otherwise."""
import argparse
import os
import re
import subprocess
import sys
import tempfile
import time

GRENZE = 60  # seconds that one condition may take on a busy machine
DPI = 96  # Qt's logical dpi on an X server without Xft.dpi: design twips / 15 are pixels
SCHWARZ, ROT, BLAU, GRUEN, CYAN = (0, 0, 0), (255, 0, 0), (0, 0, 255), (0, 255, 0), (0, 255, 255)
MENUE_X = {"Datei": 20, "Fenster": 70, "Optionen": 125}  # where the menu titles stand
LISTE = r"^ [0-9]+ %s \( [0-9]+ selected\)$"


class Fehlschlag(Exception):
    pass


def lauf(*befehl):
    return subprocess.run(list(map(str, befehl)), check=True, capture_output=True).stdout


def xdotool(*argumente):
    return lauf("xdotool", *argumente).decode()


def warte(bedingung, text):
    """The first true result of bedingung, asked again and again until GRENZE has passed."""
    ende = time.monotonic() + GRENZE
    while True:
        ergebnis = bedingung()
        if ergebnis:
            return ergebnis
        if time.monotonic() > ende:
            raise Fehlschlag(text() if callable(text) else text)
        time.sleep(0.05)


def suche(*argumente):
    try:
        return xdotool("search", "--onlyvisible", *argumente).split()
    except subprocess.CalledProcessError:
        return []


def fenster(muster):
    """The id of a shown window whose caption matches the regular expression."""
    return warte(lambda: (suche("--name", muster) or [None])[-1], "kein Fenster mit dem Titel %r" % muster)


def titel(kennung):
    return xdotool("getwindowname", kennung).rstrip("\n")


def ort(kennung=None):
    """The client area's place on the screen and its size: x, y, width, height; the screen's without an id."""
    aus = lauf("xwininfo", *(("-id", kennung) if kennung else ("-root",))).decode()
    return [int(re.search(feld + r":\s+(-?\d+)", aus).group(1))
            for feld in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height")]


def rahmen(kennung):
    """The window manager's frame around the client area: left, right, top, bottom (0 without one)."""
    zahlen = re.findall(r"\d+", lauf("xprop", "-id", kennung, "_NET_FRAME_EXTENTS").decode().partition("=")[2])
    return [int(z) for z in zahlen] if len(zahlen) == 4 else [0, 0, 0, 0]


class Bild:
    """A screenshot of one window as rows of (r, g, b)."""

    def __init__(self, kennung):
        roh = lauf("import", "-silent", "-window", kennung, "-depth", "8", "ppm:-")
        kopf = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", roh)
        self.breite, self.hoehe = int(kopf.group(1)), int(kopf.group(2))
        self.daten = roh[kopf.end():]

    def pixel(self, x, y):
        i = 3 * (y * self.breite + x)
        return tuple(self.daten[i:i + 3])

    def nahe(self, punkt, farbe, rand=1):
        x, y = punkt
        return any(self.pixel(x + dx, y + dy) == farbe for dx in range(-rand, rand + 1) for dy in range(-rand, rand + 1))

    def rote_spalten(self, zeile):
        return [x for x in range(self.breite) if self.pixel(x, zeile) == ROT]

    def rot(self):
        """The box around every red pixel: the axes."""
        punkte = [(i // 3 % self.breite, i // 3 // self.breite) for i in range(0, len(self.daten), 3)
                  if self.daten[i:i + 3] == bytes(ROT)]
        return punkte and (min(p[0] for p in punkte), max(p[0] for p in punkte),
                           min(p[1] for p in punkte), max(p[1] for p in punkte))


class Ansicht:
    """The main window's drawing area and the user scale that a fit gives it with the origin in the middle:
    the shorter side of the overall size, frame included, spans 2 * zoom * extent / 500."""

    def __init__(self, kennung, ausdehnung, zoom=600):
        _, _, self.breite, hoehe = ort(kennung)
        links, rechts, oben, unten = rahmen(kennung)
        bild = Bild(kennung)
        self.menue = next(y for y in range(hoehe) if bild.pixel(2, y) == SCHWARZ)
        self.flaeche = hoehe - self.menue
        h = zoom * ausdehnung / 500
        q = (hoehe + oben + unten) / (self.breite + links + rechts)
        self.massstab = (2 * h / q, -2 * h) if q <= 1 else (2 * h, -2 * h * q)

    def pixel(self, x, y):
        breite, hoehe = self.massstab
        return int((x + breite / 2) * self.breite / breite), self.menue + int((y + hoehe / 2) * self.flaeche / hoehe)


class Sitzung:
    """The program under test and what the steps hand on to each other."""

    def __init__(self, zemviewer, beispiele, wm):
        self.wm = wm
        # Started in the folder of the sample models, where its file dialog opens: the name alone chooses
        # one, and the dialog's completion never has to list a large folder on a busy machine.
        self.programm = subprocess.Popen([zemviewer], cwd=beispiele, stdout=subprocess.DEVNULL,
                                         stderr=subprocess.DEVNULL)
        self.haupt = self.ansicht = None

    def fenster_des_programms(self):
        return set(suche("--pid", self.programm.pid))

    def menue(self, menue, nummer):
        """Chooses item nummer (from 1) of the menu "Datei", "Fenster" or "Optionen"."""
        vorher = self.fenster_des_programms()
        xdotool("mousemove", "--window", self.haupt, MENUE_X[menue], self.ansicht.menue // 2, "click", 1)
        aufgeklappt = warte(lambda: self.fenster_des_programms() - vorher, "das Menü %s geht nicht auf" % menue)
        xdotool("key", *(["Down"] * nummer), "Return")
        warte(lambda: not self.fenster_des_programms() & aufgeklappt, "das Menü %s geht nicht zu" % menue)

    def maus(self, x, y, ansicht=None):
        xdotool("mousemove", "--window", self.haupt, *(ansicht or self.ansicht).pixel(x, y))

    def zeigt(self, pruefung, text):
        """Waits until a screenshot of the main window passes the check."""
        warte(lambda: pruefung(Bild(self.haupt)), text)

    def oeffnen(self, name):
        self.menue("Datei", 2)
        bestaetige(fenster("^Öffner$"), name)
        self.haupt = fenster("^%s - ZemViewer$" % re.escape(name))

    def ende(self):
        self.programm.terminate()
        try:
            self.programm.wait(10)
        except subprocess.TimeoutExpired:
            self.programm.kill()


def bestaetige(kennung, text=None):
    """Types a text, if any, into a window such as a dialog or a message box, and presses Return until the
    window has gone: a file dialog's completion list, which may come up while the path is typed, takes
    the first Return."""
    xdotool("windowfocus", "--sync", kennung)
    if text:
        xdotool("type", "--delay", 5, text)
    gedrueckt = [0.0]

    def zu():
        if kennung not in suche("--name", ""):
            return True
        if time.monotonic() - gedrueckt[0] > 2:
            # The completion list, closing, may leave the focus with another window of the program.
            subprocess.run(["xdotool", "windowfocus", kennung], capture_output=True)
            xdotool("key", "Return")
            gedrueckt[0] = time.monotonic()
        return False
    warte(zu, "das Fenster %s geht mit Return nicht zu" % titel(kennung))


def willkommen(s):
    box = fenster("^ZemViewer 2.3$")
    if suche("--name", "^Neu - ZemViewer$"):
        raise Fehlschlag("das Hauptfenster steht vor dem Willkommensfenster auf dem Schirm")
    bestaetige(box)
    s.haupt = fenster("^Neu - ZemViewer$")
    s.ansicht = Ansicht(s.haupt, 1.0)


def startmassstab(s):
    """The start-up picture, zoomed in by a right double click and fitted anew by "Neu"."""
    start = warte(lambda: Bild(s.haupt).rot(), "die Achsen erscheinen nicht")
    s.maus(0, 0)
    xdotool("click", "--repeat", 2, "--delay", 80, 3)  # 600 becomes 303
    gross = Ansicht(s.haupt, 1.0, zoom=303)
    s.zeigt(lambda b: b.nahe(gross.pixel(1, 0), ROT), "ein rechter Doppelklick vergrößert nicht")
    s.menue("Datei", 1)
    s.zeigt(lambda b: b.rot() == start, lambda: "nach \"Neu\" %s statt %s" % (Bild(s.haupt).rot(), start))


def plaetze(s):
    s.menue("Fenster", 5)
    s.menue("Fenster", 6)
    for muster, links, oben in (("^Bewegungen$", 4050, 4290), ("^Zoom$", 4050, 4485)):
        soll = [links * DPI // 1440, oben * DPI // 1440]
        ist = ort(fenster(muster))[:2]
        if ist != soll:
            raise Fehlschlag("die Fläche von %s steht bei %s statt %s" % (muster, ist, soll))
    s.menue("Fenster", 6)
    x, y, breite, hoehe = ort(s.haupt)
    links, rechts, oben, unten = rahmen(s.haupt)
    _, _, schirm_breite, schirm_hoehe = ort()
    mitte = (x - links + (links + breite + rechts) / 2, y - oben + (oben + hoehe + unten) / 2)
    if abs(mitte[0] - schirm_breite / 2) > 1 or abs(mitte[1] - schirm_hoehe / 2) > 1:
        raise Fehlschlag("die Mitte des Hauptfensters mit Rahmen steht bei %s" % (mitte,))


def wuerfel(s):
    s.oeffnen("wuerfel.rwx")
    s.ansicht = Ansicht(s.haupt, 1.0)
    p = s.ansicht.pixel
    s.zeigt(lambda b: all(b.nahe(p(x, y), BLAU) for x, y in ((-1, 0.5), (1, 0.5), (0.5, 1), (0.5, -1)))
            and b.nahe(p(0, 0.5), ROT) and b.pixel(*p(0.5, 0.5)) == SCHWARZ, "der Würfel ist nicht zu sehen")


def schweben(s):
    s.menue("Fenster", 7)
    koords = fenster("^(Punkt 0000|no Punkt 0|Punkt [0-9]+)$")
    for x, y, text in ((1, 1, "Punkt 7"), (0.5, 0.5, "no Punkt 0")):  # corners 3 and 7 lie on one another
        s.maus(x, y)
        warte(lambda: titel(koords) == text, lambda: "bei (%s, %s) steht %r statt %r" % (x, y, titel(koords), text))


def markieren(s):
    s.maus(1, 1)
    xdotool("click", 1)
    s.zeigt(lambda b: b.nahe(s.ansicht.pixel(1.024, 1), CYAN, 2), "die Ecke bekommt kein cyanfarbenes Quadrat")
    s.menue("Optionen", 2)  # "Markiere mit Einem"
    s.zeigt(lambda b: b.nahe(s.ansicht.pixel(-1, 0.5), GRUEN), "die Fläche an der Ecke wird nicht grün")


def liste(s):
    """A press on the first entry, held while the pointer passes over the next ones, marks that one only."""
    s.menue("Fenster", 1)
    punkte = fenster(LISTE % "Punkte")
    xdotool("mousemove", "--window", punkte, 30, 5, "mousedown", 1)
    for y in range(10, 70, 10):
        xdotool("mousemove", "--window", punkte, 30, y)
    xdotool("mouseup", 1)
    warte(lambda: titel(punkte) == " 8 Punkte ( 2 selected)", lambda: "die Liste heißt %r" % titel(punkte))


def drehen(s):
    s.maus(0, 0)
    xdotool("mousedown", 3)
    for schritt in range(1, 11):  # by one extent to the right: the X axis end goes from 1 to 0.894
        s.maus(schritt / 10, 0)
    xdotool("mouseup", 3)
    s.zeigt(lambda b: b.nahe(s.ansicht.pixel(0.894, 0), ROT) and b.pixel(*s.ansicht.pixel(0.97, 0)) != ROT,
            "die X-Achse ist nicht gedreht")


def verschieben(s):
    zeile = s.ansicht.pixel(0, 0.3)[1]
    mitte = min(Bild(s.haupt).rote_spalten(zeile), key=lambda x: abs(x - s.ansicht.breite // 2))
    bewegung = fenster("^Bewegungen$")
    _, _, breite, hoehe = ort(bewegung)
    xdotool("mousemove", "--window", bewegung, int(breite * 0.9), hoehe // 2, "mousedown", 1)
    s.zeigt(lambda b: b.rote_spalten(zeile) and max(b.rote_spalten(zeile)) < mitte - 10,
            "das Modell wandert nicht nach links")
    xdotool("mouseup", 1)
    xdotool("mousemove", "--window", bewegung, breite // 2, hoehe // 2, "click", 1)  # "Mitte"
    s.zeigt(lambda b: mitte in b.rote_spalten(zeile), "\"Mitte\" bringt den Ursprung nicht zurück")


def zudecken(s):
    """A window moved over the picture and away leaves it as it was, whatever the item
    "Automatische Wiederselbstherstellung" says."""
    bewegung = fenster("^Bewegungen$")
    x, y, _, _ = ort(bewegung)
    links, _, oben, _ = rahmen(bewegung)
    hx, hy, _, _ = ort(s.haupt)
    for _ in range(2):
        vorher = Bild(s.haupt).daten
        xdotool("windowmove", bewegung, hx + 20, hy + 40)
        # A press in the main window put it in front of the side windows: bring the movement window up.
        xdotool("windowactivate" if s.wm == "openbox" else "windowraise", bewegung)
        s.zeigt(lambda b: b.daten != vorher, "das Fenster deckt das Bild nicht zu")
        xdotool("windowmove", bewegung, x - links, y - oben)
        s.zeigt(lambda b: b.daten == vorher, "das Bild bleibt beschädigt, wo es zugedeckt war")
        s.menue("Optionen", 5)


def minimieren(s):
    """Minimised and restored, hidden side windows stay hidden, shown ones follow the main window, and
    the check marks of the "Fenster" menu stay as they were."""
    gezeigt = {fenster(muster) for muster in ("^Bewegungen$", LISTE % "Punkte", "^(no )?Punkt [0-9]+$")}
    vorher = Bild(s.haupt).daten
    xdotool("windowminimize", s.haupt)
    warte(lambda: not s.fenster_des_programms(), "nicht alle Fenster verschwinden mit dem Hauptfenster")
    xdotool("windowactivate", s.haupt)
    warte(lambda: s.fenster_des_programms() >= gezeigt | {s.haupt}, "die gezeigten Fenster kommen nicht wieder")
    s.zeigt(lambda b: b.daten == vorher, "das Bild ist nach dem Wiederherstellen ein anderes")
    zuviel = {titel(k) for k in s.fenster_des_programms() - gezeigt - {s.haupt}}
    if zuviel:
        raise Fehlschlag("verborgene Fenster erscheinen: %s" % sorted(zuviel))
    s.menue("Fenster", 2)
    fenster(LISTE % "Dreiecke")
    s.menue("Fenster", 7)
    warte(lambda: not suche("--name", "^(no )?Punkt [0-9]+$"), "das Koordinatenfenster bleibt stehen")


def anwendung():
    import pyatspi
    desktop = pyatspi.Registry.getDesktop(0)
    kinder = (desktop.getChildAtIndex(i) for i in range(desktop.childCount))
    return next((k for k in kinder if k is not None and k.name == "ZemViewer"), None)


def alle(wurzel):
    """Every accessible object below wurzel, depth first."""
    stapel = [wurzel] if wurzel else []
    while stapel:
        objekt = stapel.pop()
        yield objekt
        stapel.extend(k for k in (objekt.getChildAtIndex(i) for i in range(objekt.childCount)) if k)


def finde(rolle, name=None):
    return [o for o in alle(anwendung()) if o.getRoleName() == rolle and name in (None, o.name)]


def zeilen():
    listen = finde("list", "Punkte")
    return [listen[0].getChildAtIndex(i) for i in range(listen[0].childCount)] if listen else []


def willkommen_lesen(s):
    fenster("^ZemViewer 2.3$")
    warte(lambda: any("This program is a program" in (o.name or "") for o in alle(anwendung())),
          "der Text des Willkommensfensters ist nicht lesbar")


def vorlesen(s):
    """After the cube is open, corner 7 marked and the side windows shown: what a screen reader reads, and
    what it must read there."""
    import pyatspi
    s.maus(1, 1)
    xdotool("click", 1)  # marks corner 7; the captions follow at the next refresh
    for nummer in (1, 2, 3, 4, 6, 7):
        s.menue("Fenster", nummer)
    erwartet = [
        (lambda: {o.name for o in alle(anwendung())} >= {" 8 Punkte ( 0 selected)", " 0 Dreiecke ( 0 selected)",
                                                         " 6 Vierecke ( 0 selected)", " 0 Polygone ( 0 selected)"},
         "die Überschriften der Listenfenster"),
        (lambda: [z.name for z in zeilen()][:1] == ["     1  vertex -1 -1 -1"] and len(zeilen()) == 8,
         "die Zeilen der Punkteliste"),
        (lambda: [i for i, z in enumerate(zeilen()) if z.getState().contains(pyatspi.STATE_SELECTED)] == [6],
         "die Zeile der markierten Ecke 7 als ausgewählt"),
        (lambda: any(p.getState().contains(pyatspi.STATE_CHECKED) for p in finde("check menu item", "Punkte")
                     + finde("menu item", "Punkte")),
         "das Häkchen des Menüpunkts \"Punkte\""),
        (lambda: finde("label", "X:") and finde("label", " 1") and finde("push button", "Normal"),
         "die Beschriftungen des Koordinatenfensters und den Knopf \"Normal\""),
        (lambda: [z.queryValue().currentValue for z in finde("scroll bar")] == [600.0],
         "den Wert 600 der Zoom-Bildlaufleiste"),
    ]
    for pruefung, was in erwartet:
        warte(pruefung, "AT-SPI liest nicht " + was)


# What a user sees, step by step, and the window managers (or the screen reader) under which it is seen.
SCHRITTE = [
    ("ein Bildschirmleser liest das Willkommensfenster", willkommen_lesen, ("leser",)),
    ("das Willkommensfenster kommt vor dem Hauptfenster", willkommen, ("keiner", "openbox", "leser")),
    ("ein rechter Doppelklick vergrößert, das erste Bild hat den Maßstab von \"Neu\"", startmassstab, ("keiner", "openbox")),
    ("Seitenfenster stehen am Entwurfsort, das Hauptfenster mit Rahmen in der Mitte", plaetze, ("keiner", "openbox")),
    ("\"Öffnen\" zeigt den Würfel im Maßstab seiner Ausdehnung", wuerfel, ("keiner", "openbox", "leser")),
    ("ein Bildschirmleser liest Listen, Häkchen und Seitenfenster", vorlesen, ("leser",)),
    ("das Koordinatenfenster nennt den Punkt unter dem Zeiger", schweben, ("keiner", "openbox")),
    ("ein Klick markiert die Ecke, \"Markiere mit Einem\" ihre Flächen", markieren, ("keiner", "openbox")),
    ("ein gehaltener Druck in der Liste markiert nur den Eintrag darunter", liste, ("keiner", "openbox")),
    ("ein Rechtsziehen dreht die X-Achse", drehen, ("keiner", "openbox")),
    ("das Bewegungsfenster schiebt, \"Mitte\" holt zurück", verschieben, ("keiner", "openbox")),
    ("ein darübergeschobenes Fenster hinterlässt kein Loch", zudecken, ("keiner", "openbox")),
    ("Minimieren und Wiederherstellen zeigen nur, was gezeigt war", minimieren, ("openbox",)),
]


def fensterverwalter(name):
    """Starts the window manager and waits until it manages the screen; None for a bare server."""
    if name == "leser":
        # What a desktop does when a screen reader starts: the accessibility bus says it is wanted.
        lauf("dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
             "org.freedesktop.DBus.Properties.Set", "string:org.a11y.Status", "string:IsEnabled",
             "variant:boolean:true")
    if name in ("keiner", "leser"):
        return None
    # A window manager that ended before leaves its mark on the root window: it goes first, so that only
    # the new one's counts.
    lauf("xprop", "-root", "-remove", "_NET_SUPPORTING_WM_CHECK")
    meldungen = tempfile.TemporaryFile()
    verwalter = subprocess.Popen([name], stdout=subprocess.DEVNULL, stderr=meldungen)
    def bericht():
        meldungen.seek(0)
        return "%s (DISPLAY %s, Ende %s): %s" % (name, os.environ.get("DISPLAY"), verwalter.poll(),
                                                meldungen.read().decode(errors="replace").strip())

    warte(lambda: b"window id" in lauf("xprop", "-root", "_NET_SUPPORTING_WM_CHECK") or verwalter.poll() is not None,
          lambda: "startet nicht: " + bericht())
    if verwalter.poll() is not None:
        raise Fehlschlag("endet beim Start: " + bericht())
    return verwalter


def main():
    argumente = argparse.ArgumentParser()
    argumente.add_argument("zemviewer")
    argumente.add_argument("beispiele")
    argumente.add_argument("--wm", default="keiner", choices=("keiner", "openbox", "leser"))
    a = argumente.parse_args()
    verwalter = s = None
    try:
        verwalter = fensterverwalter(a.wm)
        s = Sitzung(os.path.abspath(a.zemviewer), os.path.abspath(a.beispiele), a.wm)
        for text, schritt, verwalter_namen in SCHRITTE:
            if a.wm in verwalter_namen:
                schritt(s)
                print("ok  ", text)
    except Fehlschlag as f:
        print("FEHLER", f)
        # What the screen showed then, for whoever reads the failure.
        subprocess.run(["import", "-silent", "-window", "root", "sitzung-%s.png" % a.wm])
        print("Bildschirm:", os.path.abspath("sitzung-%s.png" % a.wm))
        return 1
    finally:
        if s:
            s.ende()
        if verwalter:
            verwalter.terminate()
    print("1 passed, 0 failed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
