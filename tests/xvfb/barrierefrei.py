#!/usr/bin/env python3
"""Reads the real zemviewer through the AT-SPI accessibility bus, as a screen reader would: after an
open, the captions of the four list windows, the rows of the points list and which of them are marked,
and the check marks of the menus.

    barrierefrei.py ZEMVIEWER EXAMPLES_DIR

Needs a session bus (dbus-run-session), an X server (xvfb-run), at-spi2-core and python3-pyatspi."""
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from sitzung import (Hauptfenster, bestaetige, hauptprogramm, mit_programm, oeffnen, pruefe,  # noqa: E402
                     warte_bis, warte_fenster, xdotool)

import pyatspi  # noqa: E402


def anwendung():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        kind = desktop.getChildAtIndex(i)
        if kind is not None and kind.name == "ZemViewer":
            return kind
    return None


def alle(wurzel):
    """Every accessible object below wurzel, depth first."""
    stapel = [wurzel]
    while stapel:
        objekt = stapel.pop()
        yield objekt
        for i in range(objekt.childCount - 1, -1, -1):
            kind = objekt.getChildAtIndex(i)
            if kind is not None:
                stapel.append(kind)


def finde(wurzel, rolle, name=None):
    return [o for o in alle(wurzel)
            if o.getRoleName() == rolle and (name is None or o.name == name)]


def zugaenglichkeit_einschalten():
    # What a desktop does when a screen reader starts: the accessibility bus says it is wanted.
    subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
                    "org.freedesktop.DBus.Properties.Set", "string:org.a11y.Status", "string:IsEnabled",
                    "variant:boolean:true"], check=True, capture_output=True)


def lauf(zemviewer, beispiele):
    zugaenglichkeit_einschalten()
    mit_programm(zemviewer, lambda: vorlesen(beispiele))


def vorlesen(beispiele):
    willkommen = warte_fenster("^ZemViewer 2.3$")
    warte_bis(lambda: anwendung() is not None, "das Programm meldet sich nicht am AT-SPI-Bus")
    app = anwendung()
    pruefe(any("This program is a program" in (o.name or "") for o in alle(app)),
           "der Text des Willkommensfensters ist lesbar")
    bestaetige(willkommen)
    haupt = oeffnen(warte_fenster("^Neu - ZemViewer$"), os.path.join(beispiele, "wuerfel.rwx"))
    h = Hauptfenster(haupt, 1.0)
    # Mark corner 7 with a left click, and show the four lists through the "Fenster" menu.
    h.maus(1, 1)
    xdotool("click", 1)
    for nummer in (1, 2, 3, 4, 6, 7):
        h.menue_punkt(70, nummer)
    for liste in ("Punkte", "Dreiecke", "Vierecke", "Polygone"):
        warte_fenster("^ [0-9]+ %s \\( [0-9]+ selected\\)$" % liste)

    app = anwendung()
    # A click on the main window marks without touching the caption, which follows at the next refresh.
    erwartet = [" 8 Punkte ( 0 selected)", " 0 Dreiecke ( 0 selected)", " 6 Vierecke ( 0 selected)",
                " 0 Polygone ( 0 selected)"]
    namen = {o.name for o in alle(app)}
    for text in erwartet:
        pruefe(text in namen, "AT-SPI liest die Fensterüberschrift %r" % text)

    listen = finde(app, "list", "Punkte")
    pruefe(len(listen) == 1, "die Liste der Punkte heißt \"Punkte\"")
    zeilen = [listen[0].getChildAtIndex(i) for i in range(listen[0].childCount)]
    texte = [z.name for z in zeilen]
    pruefe(len(texte) == 8 and texte[0] == "     1  vertex -1 -1 -1",
           "AT-SPI liest die Zeilen der Punkteliste: %r ..." % texte[:2])
    markiert = [i for i, z in enumerate(zeilen) if z.getState().contains(pyatspi.STATE_SELECTED)]
    pruefe(markiert == [6], "die Zeile der markierten Ecke 7 ist als ausgewählt gemeldet (%r)" % markiert)

    punkte = finde(app, "check menu item", "Punkte") + finde(app, "menu item", "Punkte")
    pruefe(any(p.getState().contains(pyatspi.STATE_CHECKED) for p in punkte),
           "der Menüpunkt \"Punkte\" meldet sein Häkchen")
    pruefe(finde(app, "label", "X:") and finde(app, "label", " 1"),
           "die Beschriftungen des Koordinatenfensters sind lesbar")
    pruefe(finde(app, "push button", "Normal"), "der Knopf \"Normal\" ist lesbar")
    zoom = finde(app, "scroll bar")
    pruefe(len(zoom) == 1 and zoom[0].queryValue().currentValue == 600,
           "die Zoom-Bildlaufleiste meldet den Wert 600")


def main():
    return hauptprogramm(lauf, os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2]))


if __name__ == "__main__":
    sys.exit(main())
