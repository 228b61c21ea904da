#!/usr/bin/env python3
"""Reads the real zemviewer through the AT-SPI accessibility bus, as a screen reader would: after an
open, the captions of the four list windows, the rows of the points list and which of them are marked,
the check marks of the menus and the side windows' controls.

    barrierefrei.py ZEMVIEWER EXAMPLES_DIR

Needs a session bus (dbus-run-session), an X server (xvfb-run), at-spi2-core and python3-pyatspi."""
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from sitzung import Ansicht, Fehlschlag, Sitzung, bestaetige, fenster, warte, xdotool  # noqa: E402

import pyatspi  # noqa: E402


def anwendung():
    desktop = pyatspi.Registry.getDesktop(0)
    kinder = (desktop.getChildAtIndex(i) for i in range(desktop.childCount))
    return next((k for k in kinder if k is not None and k.name == "ZemViewer"), None)


def alle(wurzel):
    """Every accessible object below wurzel, depth first."""
    stapel = [wurzel]
    while stapel:
        objekt = stapel.pop()
        yield objekt
        stapel.extend(k for k in (objekt.getChildAtIndex(i) for i in range(objekt.childCount)) if k)


def finde(rolle, name=None):
    return [o for o in alle(anwendung()) if o.getRoleName() == rolle and name in (None, o.name)]


def vorlesen(s):
    willkommen = fenster("^ZemViewer 2.3$")
    warte(lambda: anwendung() and any("This program is a program" in (o.name or "") for o in alle(anwendung())),
          "der Text des Willkommensfensters ist nicht lesbar")
    bestaetige(willkommen)
    s.haupt = fenster("^Neu - ZemViewer$")
    s.ansicht = Ansicht(s.haupt, 1.0)
    s.oeffnen("wuerfel.rwx")
    s.maus(1, 1)
    xdotool("click", 1)  # marks corner 7; the captions follow at the next refresh
    for nummer in (1, 2, 3, 4, 6, 7):
        s.menue("Fenster", nummer)
    # What a screen reader reads, and what it must read there.
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


def zeilen():
    listen = finde("list", "Punkte")
    return [listen[0].getChildAtIndex(i) for i in range(listen[0].childCount)] if listen else []


def main():
    # What a desktop does when a screen reader starts: the accessibility bus says it is wanted.
    subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
                    "org.freedesktop.DBus.Properties.Set", "string:org.a11y.Status", "string:IsEnabled",
                    "variant:boolean:true"], check=True, capture_output=True)
    s = Sitzung(os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2]), "keiner")
    try:
        vorlesen(s)
    except Fehlschlag as f:
        print("FEHLER", f)
        return 1
    finally:
        s.ende()
    print("1 passed, 0 failed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
