#!/usr/bin/env python3
"""Drives the real zemviewer on an X server (Xvfb) as a user would, on a bare server or under the
openbox or xfwm4 window manager, on a bare server at a Qt scale factor of 2 or 1.5 (skala2, skala15), or beside
a Wayland compositor (wayland): keys and mouse through xdotool, captions and window places through xdotool,
xprop and xwininfo, pixels from screenshots (ImageMagick's import). With --wm leser, on a bare server,
it reads the program through the AT-SPI accessibility bus as a screen reader would (needs a session bus
of its own, dbus-run-session, and python3-pyatspi). Every wait is on a condition with a generous limit,
so that a busy machine only makes the session slower.

The steps, what the user does and what must then show, are in sitzung.txt beside this script (or in
another file of the same language, such as ablegen.txt or the README picture's); its head explains the
language. This script holds the means: the commands of that language and their interpreter.

    sitzung.py ZEMVIEWER EXAMPLES_DIR [--wm keiner|openbox|xfwm4|leser|skala2|skala15|wayland] [--schritte FILE]

Exits 0 when every step held; prints what failed otherwise."""
import argparse, itertools, math, os, pathlib, re, shlex, subprocess, sys, tempfile, time

GRENZE = 60  # seconds that one condition may take on a busy machine
DPI = 96  # Qt's logical dpi on an X server without Xft.dpi: design twips / 15 are pixels
FARBEN = {"schwarz": (0, 0, 0), "rot": (255, 0, 0), "blau": (0, 0, 255), "gruen": (0, 255, 0), "cyan": (0, 255, 255),
          "dreieck": (0, 100, 255)}
# The modes: a bare server, two window managers, a screen reader, a bare server at two scale factors, and a
# bare server in a Wayland session.
WM = ("keiner", "openbox", "xfwm4", "leser", "skala2", "skala15", "wayland")
KNOEPFE = ("CLOSE", "MINIMIZE", "MAXIMIZE_HORZ", "MAXIMIZE_VERT", "RESIZE")  # what a frame's buttons and edges do
MENUE_X = {"Datei": 20, "Fenster": 70, "Optionen": 125}  # where the menu titles stand


class Fehlschlag(Exception):
    pass


def lauf(*befehl, pruefen=True):
    """A command's standard output as bytes; with pruefen=False that of a command that fails too."""
    return subprocess.run(list(map(str, befehl)), check=pruefen, capture_output=True).stdout


def xdotool(*argumente, pruefen=True):
    return lauf("xdotool", *argumente, pruefen=pruefen).decode()


def warte(bedingung, text):
    """The first true result of bedingung, asked again and again until GRENZE has passed."""
    ende = time.monotonic() + GRENZE
    while not (ergebnis := bedingung()):
        if time.monotonic() > ende:
            raise Fehlschlag(text() if callable(text) else text)
        time.sleep(0.05)
    return ergebnis


def suche(*argumente):
    """The ids of the shown windows that xdotool finds; none when it finds none and fails."""
    return xdotool("search", "--onlyvisible", *argumente, pruefen=False).split()


def titel(kennung):
    """A window's caption; empty for a window that has gone."""
    return xdotool("getwindowname", kennung, pruefen=False).rstrip("\n")


def ort(kennung=None):
    """The client area's place on the screen and its size: x, y, width, height; the screen's without an id."""
    aus = lauf("xwininfo", *(("-id", kennung) if kennung else ("-root",))).decode()
    return [int(re.search(feld + r":\s+(-?\d+)", aus).group(1))
            for feld in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height")]


def eigenschaft(kennung, name):
    """The words of a window's property: _NET_WM_STATE gives _NET_WM_STATE_SKIP_TASKBAR and the like."""
    return re.findall(r"\w+", lauf("xprop", "-id", kennung, name).decode().partition("=")[2])


def rahmen(kennung):
    """The window manager's frame around the client area: left, right, top, bottom (0 without one)."""
    return [int(z) for z in eigenschaft(kennung, "_NET_FRAME_EXTENTS")] or [0, 0, 0, 0]


class Bild:
    """A screenshot of one window as rows of (r, g, b)."""

    def __init__(self, kennung, ausschnitt=None):
        roh = lauf("import", "-silent", "-window", kennung, *(("-crop", ausschnitt) if ausschnitt else ()),
                   "-depth", "8", "ppm:-")
        kopf = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", roh)
        self.breite, self.hoehe = int(kopf.group(1)), int(kopf.group(2))
        self.daten = roh[kopf.end():]

    def pixel(self, x, y):
        i = 3 * (y * self.breite + x)
        return tuple(self.daten[i:i + 3])


class Ansicht:
    """The main window's drawing area and the user scale that a fit gives it with the origin in the middle:
    the shorter side of the overall size, frame included, spans 2 * zoom * extent / 500."""

    def __init__(self, kennung, ausdehnung, zoom):
        (_, _, self.breite, hoehe), (links, rechts, oben, unten) = ort(kennung), rahmen(kennung)
        bild = Bild(kennung)
        self.menue = next(y for y in range(hoehe) if bild.pixel(2, y) == FARBEN["schwarz"])
        self.flaeche = hoehe - self.menue
        h = zoom * ausdehnung / 500
        q = (hoehe + oben + unten) / (self.breite + links + rechts)
        self.massstab = (2 * h / q, -2 * h) if q <= 1 else (2 * h, -2 * h * q)

    def pixel(self, x, y):
        breite, hoehe = self.massstab
        return int((x + breite / 2) * self.breite / breite), self.menue + int((y + hoehe / 2) * self.flaeche / hoehe)


def kinder(objekt):
    return [k for k in map(objekt.getChildAtIndex, range(objekt.childCount)) if k is not None]


def alle():
    """Every accessible object of the program, depth first."""
    import pyatspi
    stapel = [k for k in kinder(pyatspi.Registry.getDesktop(0)) if k.name == "ZemViewer"][:1]
    while stapel:
        objekt = stapel.pop()
        yield objekt
        stapel.extend(kinder(objekt))


def zustand(objekt, name):
    import pyatspi
    return objekt.getState().contains(getattr(pyatspi, "STATE_" + name.upper()))


class Sitzung:
    """The program under test, the windows and values that the steps name, and the commands of the steps:
    tu_* acts, ist_* checks and says whether it holds and what is there (or None)."""

    def __init__(self, zemviewer, beispiele, wm):
        self.zemviewer, self.beispiele, self.prozesse = zemviewer, beispiele, []
        self.skala, self.umgebung = {"skala2": 2, "skala15": 1.5}.get(wm, 1), {}
        self.fenster, self.werte, self.heim, self.ansicht, self.bild = {}, {}, {}, None, None

    def starten(self, befehl, ausgaben=False, **optionen):
        """Starts a program that ends with the session; with ausgaben its standard and error output go to files
        of their own, which "ausgabe" reads, otherwise nowhere."""
        if ausgaben:
            self.ausgaben = [tempfile.TemporaryFile(), tempfile.TemporaryFile()]
        aus = self.ausgaben if ausgaben else [subprocess.DEVNULL] * 2
        optionen.setdefault("env", dict(os.environ, **self.umgebung))
        self.prozesse.append(prozess := subprocess.Popen(befehl, stdout=aus[0], stderr=aus[1], **optionen))
        return prozess

    def tu_verwalter(self, name, *optionen):
        """Starts a window manager and waits until it manages the screen."""
        # A window manager that ended before leaves its mark on the root window: it goes first, so that only
        # the new one's counts.
        lauf("xprop", "-root", "-remove", "_NET_SUPPORTING_WM_CHECK")
        verwalter = self.starten([name, *optionen])
        warte(lambda: b"window id" in lauf("xprop", "-root", "_NET_SUPPORTING_WM_CHECK")
              or verwalter.poll() is not None, name + " does not start")
        if verwalter.poll() is not None:
            raise Fehlschlag("%s ends at its start with %s" % (name, verwalter.poll()))

    def tu_bildschirmleser(self):
        """What a desktop does when a screen reader starts: the accessibility bus says it is wanted."""
        lauf("dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
             "org.freedesktop.DBus.Properties.Set", "string:org.a11y.Status", "string:IsEnabled",
             "variant:boolean:true")

    def tu_compositor(self):
        """Starts weston without a screen: what starts after it is in a Wayland session, as beside XWayland."""
        laufzeit = tempfile.mkdtemp()  # weston's socket; it must be private, as mkdtemp makes it
        self.umgebung.update(XDG_RUNTIME_DIR=laufzeit, XDG_SESSION_TYPE="wayland", WAYLAND_DISPLAY="zem-wayland")
        self.starten(["weston", "--backend=headless-backend.so", "--socket=zem-wayland"])
        warte(lambda: os.path.exists(os.path.join(laufzeit, "zem-wayland")), "weston does not start")

    def tu_starte(self, *woerter):
        """Starts the program in the folder of the sample models, where its file dialog opens: the name alone
        chooses one, and the dialog's completion never has to list a large folder on a busy machine. A first
        word without "=" names another folder, relative to that one. Words NAME=WERT set its environment
        (NAME= removes it); the mode sets its scale factor. Words after "--" are its arguments."""
        teil = woerter.index("--") if "--" in woerter else len(woerter)
        woerter, argumente = woerter[:teil], woerter[teil + 1:]
        ordner = os.path.join(self.beispiele, *woerter[:1]) if woerter[:1] and "=" not in woerter[0] else None
        env = dict(os.environ, **self.umgebung, QT_SCALE_FACTOR=str(self.skala))
        env = {k: v for k, v in dict(env, **dict(w.split("=", 1) for w in woerter[bool(ordner):])).items() if v}
        self.programm = self.starten([self.zemviewer, *argumente], True, cwd=ordner or self.beispiele, env=env)

    def tu_quelle(self, *adressen):
        """Starts the drag source quelle.py, a file manager's stand-in, with these addresses (a word without ":" is
        a file of the folder of the sample models) and names its window "quelle"."""
        quelle = self.starten([sys.executable, os.path.join(os.path.dirname(__file__), "quelle.py"),
                               *(a if ":" in a else pathlib.Path(self.beispiele, a).as_uri() for a in adressen)], True)
        # Its own window: the last source's may still be there.
        self.fenster["quelle"] = warte(lambda: suche("--pid", quelle.pid, "--name", "^Quelle$")[-1:],
                                       "the source shows no window")[0]

    def ist_ausgabe(self, muster, strom="2"):
        """The error output (2) or the standard output (1) of the program started last, zemviewer or the drag
        source, has a line that the regular expression matches."""
        zeilen = self.zeilen(strom)
        return any(re.search(muster, zeile) for zeile in zeilen), zeilen[-8:]

    def zeilen(self, strom="2"):
        """What the program started last wrote so far to its error output (2) or standard output (1)."""
        # Read without moving the offset that the writer shares: a seek would put its next line elsewhere.
        datei = self.ausgaben[int(strom) - 1].fileno()
        return os.pread(datei, os.fstat(datei).st_size, 0).decode(errors="replace").splitlines()

    def programmfenster(self):
        return set(suche("--pid", self.programm.pid))

    def foto(self):
        """The main window's screenshot, one for all checks of a round."""
        self.bild = self.bild or Bild(self.fenster["haupt"])
        return self.bild

    def tu_fenster(self, name, muster):
        """Waits for a shown window whose caption matches the regular expression, and names it."""
        self.fenster[name] = warte(lambda: suche("--name", muster)[-1:], "no window titled %r" % muster)[0]

    def tu_bestaetige(self, name, text=None):
        """Types a text, if any, into a window such as a dialog or a message box, and presses Return until the
        window has gone: a file dialog's completion list, which may come up while the path is typed, takes
        the first Return."""
        kennung, gedrueckt = self.fenster[name], [0.0]
        xdotool("windowfocus", "--sync", kennung)
        if text:
            xdotool("type", "--delay", 5, text)

        def zu():
            offen = kennung in suche("--name", "")
            if offen and time.monotonic() - gedrueckt[0] > 2:
                # The completion list, closing, may leave the focus with another window of the program.
                xdotool("windowfocus", kennung, pruefen=False)
                xdotool("key", "Return")
                gedrueckt[0] = time.monotonic()
            return not offen
        warte(zu, "the window %s does not close with Return" % titel(kennung))

    def tu_ansicht(self, ausdehnung, zoom="600"):
        self.ansicht = Ansicht(self.fenster["haupt"], float(ausdehnung), float(zoom))

    def tu_menue(self, menue, nummer):
        """Chooses item nummer (from 1) of the menu "Datei", "Fenster" or "Optionen"."""
        vorher = self.programmfenster()
        xdotool("mousemove", "--window", self.fenster["haupt"], int(MENUE_X[menue] * self.skala),
                self.ansicht.menue // 2, "click", 1)
        aufgeklappt = warte(lambda: self.programmfenster() - vorher, "the menu %s does not open" % menue)
        xdotool("key", *(["Down"] * int(nummer)), "Return")
        warte(lambda: not self.programmfenster() & aufgeklappt, "the menu %s does not close" % menue)

    def tu_maus(self, *punkte):
        """Moves the pointer through points of the user scale in the main window."""
        for x, y in zip(punkte[::2], punkte[1::2]):
            xdotool("mousemove", "--window", self.fenster["haupt"], *self.ansicht.pixel(float(x), float(y)))

    def tu_xdotool(self, *argumente):
        xdotool(*(self.fenster.get(a, a) for a in argumente))

    def tu_fuelle(self, name):
        """Makes the window's client area as large as the screen, from its top left corner, again until it holds:
        the program sets its own size once more after it has read a model."""
        def fuellt():
            if ort(self.fenster[name])[2:] == ort()[2:]:
                return True
            xdotool("windowmove", self.fenster[name], 0, 0, "windowsize", self.fenster[name], "100%", "100%")
        warte(fuellt, "the window does not fill the screen")

    def tu_ziehe(self, anzahl):
        """A right drag around the middle of the main window's drawing area: anzahl mouse moves along a circle,
        60 a second as a mouse gives them, the first after the press."""
        x, y, breite, hoehe = ort(self.fenster["haupt"])
        mitte, r = (breite // 2, self.ansicht.menue + (hoehe - self.ansicht.menue) // 2), min(breite, hoehe) // 4
        punkte = [(mitte[0] + int(r * math.cos(w)), mitte[1] + int(r * math.sin(w)))
                  for w in (2 * math.pi * i / 90 for i in range(int(anzahl) + 1))]
        xdotool("mousemove", "--window", self.fenster["haupt"], *punkte[0], "mousedown", 3,
                *itertools.chain.from_iterable(("sleep", "0.016", "mousemove", "--window", self.fenster["haupt"], *p)
                                               for p in punkte[1:]), "mouseup", 3)

    def ist_bildrate(self, anzahl):
        """The program logged at least anzahl frames (zem.frames), each drawn within the time from its mouse event
        to the picture; prints the median and the 95th percentile of both times."""
        werte = [tuple(map(float, m.groups())) for m in (re.search(r"zem\.frames: drawn_ms=([\d.]+) "
                 r"mouse_to_picture_ms=(\d+)", z) for z in self.zeilen()) if m]
        if len(werte) < int(anzahl):
            return False, "%d frames" % len(werte)
        stelle = lambda w, q: sorted(w)[min(len(w) - 1, int(q * len(w)))]
        print("bildrate: frames=%d" % len(werte), *("%s median=%.1f p95=%.1f" % (n, stelle(w, 0.5), stelle(w, 0.95))
              for n, w in zip(("drawn_ms", "mouse_to_picture_ms"), zip(*werte))))
        # A frame is drawn between the mouse event and the picture; the event's time has whole milliseconds.
        return all(d <= m + 1 < 60000 for d, m in werte), "a drawing longer than its wait, or an event time from " \
            "another clock than the X server's"

    def tu_foto(self, datei):
        lauf("import", "-silent", "-window", self.fenster["haupt"], datei)

    def tu_schiebe(self, name, ziel=None, dx=0, dy=0):
        """Moves a window's frame to a place in another one's client area, or back to where it first stood."""
        kennung = self.fenster[name]
        heim = self.heim.setdefault(name, [a - b for a, b in zip(ort(kennung)[:2], rahmen(kennung)[::2])])
        x, y = ort(self.fenster[ziel])[:2] if ziel else heim
        xdotool("windowmove", kennung, x + int(dx), y + int(dy))

    def tu_merke(self, name, mass, *argumente):
        """Keeps a measure of the main window's picture, once it has one."""
        def messen():
            self.bild = None
            return [wert] if (wert := self.MASSE[mass](self, *argumente)) is not None else None
        self.werte[name] = warte(messen, "the picture has no measure " + mass)[0]

    def rotspalten(self, y):
        """The red columns of the main window's picture in the row at height y of the user scale."""
        bild, zeile = self.foto(), self.ansicht.pixel(0, float(y))[1]
        return [x for x in range(bild.breite) if bild.pixel(x, zeile) == FARBEN["rot"]]

    # What merke keeps and gleich compares: every pixel of the drawing area (the menu bar, which the pointer
    # may light up, left out), the red column nearest the middle of the drawing area in the row at height y,
    # and where a window's client area stands.
    MASSE = {"bild": lambda s: s.foto().daten[3 * s.foto().breite * s.ansicht.menue:],
             "rotspalte": lambda s, y: min(s.rotspalten(y), key=lambda x: abs(x - s.ansicht.breite // 2), default=None),
             "platz": lambda s, name: ort(s.fenster[name])[:2]}

    def ist_gleich(self, name, mass, *argumente):
        wert = self.MASSE[mass](self, *argumente)
        return wert == self.werte[name], None if isinstance(wert, bytes) else "%s, not %s" % (wert, self.werte[name])

    def ist_pixel(self, x, y, farbe, rand="0"):
        """The colour at a point of the user scale, or within rand pixels of it."""
        (x, y), umkreis = self.ansicht.pixel(float(x), float(y)), range(-int(rand), int(rand) + 1)
        nahe = {self.foto().pixel(x + i, y + j) for i in umkreis for j in umkreis}
        return FARBEN[farbe] in nahe, self.foto().pixel(x, y)

    def ist_rot_links(self, y, name, abstand):
        """The row at height y has red columns, all more than abstand pixels left of the kept column."""
        spalten = self.rotspalten(y)
        return spalten and max(spalten) < self.werte[name] - int(abstand), spalten

    def ist_linie(self, farbe, x0, x1, y0, y1, dicke):
        """In the box, each column has one run of dicke pixels of the colour, one pixel from the last or none."""
        (links, oben), (rechts, unten) = [self.ansicht.pixel(float(x), float(y)) for x, y in ((x0, y1), (x1, y0))]
        zeilen = [[y for y in range(oben, unten + 1) if self.foto().pixel(x, y) == FARBEN[farbe]]
                  for x in range(links, rechts + 1)]
        laeufe = all(z and z == list(range(z[0], z[0] + int(dicke))) for z in zeilen)
        stufen = {b[0] - a[0] for a, b in zip(zeilen, zeilen[1:])} if laeufe else set()
        return laeufe and stufen <= {-1, 0, 1} and len(stufen) > 1, [z[:1] + z[-1:] for z in zeilen][:60]

    def ist_hat(self, name, art, *atome):
        """The window's _NET_WM_STATE or _NET_WM_ALLOWED_ACTIONS holds the atoms, and of KNOEPFE no others."""
        vorsilbe = "_NET_WM_" + art.replace("ALLOWED_ACTIONS", "ACTION") + "_"
        ist = {a.removeprefix(vorsilbe) for a in eigenschaft(self.fenster[name], "_NET_WM_" + art)}
        return set(atome) <= ist and not ist & set(KNOEPFE) - set(atome), sorted(ist)

    def titelschrift(self, kennung):
        """The pixels of a window's title bar that differ from their row's most frequent colour: the writing."""
        (x, y, breite, _), (links, rechts, oben, _) = ort(kennung), rahmen(kennung)
        bild = Bild("root", "%dx%d+%d+%d" % (links + breite + rechts, oben, x - links, y - oben))
        zeilen = [[bild.pixel(i, j) for i in range(bild.breite)] for j in range(bild.hoehe)]
        return sum(len(z) - max(map(z.count, set(z))) for z in zeilen)

    def ist_ganzer_titel(self, name):
        """As much writing in the title bar as on a wide window (xmessage) of the same title, both active."""
        kennung = self.fenster[name]
        xdotool("windowactivate", "--sync", kennung)
        hier = self.titelschrift(kennung)
        vergleich = self.starten(["xmessage", "-title", titel(kennung), "-geometry", "800x60", " "])
        breit = warte(lambda: [k for k in suche("--name", "^%s$" % re.escape(titel(kennung))) if k != kennung],
                      "xmessage shows no window")[-1]
        xdotool("windowactivate", "--sync", breit)
        ganz = self.titelschrift(breit)
        vergleich.kill()
        return hier >= 0.98 * ganz, "%d pixels, not %d" % (hier, ganz)

    def ist_sichtbar(self, muster):
        return suche("--name", muster), None

    def ist_titel(self, name, text):
        return (ist := titel(self.fenster[name])) == text, ist

    def ist_ort(self, name, links, oben):
        """The client area's top left corner at a place given in twips."""
        return (ist := ort(self.fenster[name])[:2]) == [int(links) * DPI // 1440, int(oben) * DPI // 1440], ist

    def ist_mittig(self, name):
        """The window, frame included, in the middle of the screen to a pixel."""
        (x, y, breite, hoehe), (links, rechts, oben, unten) = ort(self.fenster[name]), rahmen(self.fenster[name])
        _, _, schirm_breite, schirm_hoehe = ort()
        mitte = (x - links + (links + breite + rechts) / 2, y - oben + (oben + hoehe + unten) / 2)
        return abs(mitte[0] - schirm_breite / 2) <= 1 and abs(mitte[1] - schirm_hoehe / 2) <= 1, mitte

    def ist_programmfenster(self, art, *namen):
        """The program's shown windows: at least ("mindestens") or at most ("hoechstens") the named ones."""
        gezeigt, genannt = self.programmfenster(), {self.fenster[n] for n in namen}
        gilt = gezeigt >= genannt if art == "mindestens" else gezeigt <= genannt
        return gilt, sorted(map(titel, gezeigt - genannt))

    def ist_leser(self, rolle, name, zustand_=None):
        """An accessible object whose role and name match the regular expressions, in a state if one is given."""
        return any(re.fullmatch(rolle, o.getRoleName()) and re.fullmatch(name, o.name or "", re.S)
                   and (not zustand_ or zustand(o, zustand_)) for o in alle()), None

    def ist_liste(self, liste, anzahl, erste, *gewaehlt):
        """The rows of an accessible list: how many, the first one's text, and the numbers (from 1) of the
        selected ones."""
        zeilen = [kinder(o) for o in alle() if o.getRoleName() == "list" and o.name == liste][:1] or [[]]
        ist = (len(zeilen[0]), [z.name for z in zeilen[0][:1]],
               [i + 1 for i, z in enumerate(zeilen[0]) if zustand(z, "selected")])
        return ist == (int(anzahl), [erste], [int(n) for n in gewaehlt]), ist

    def ist_werte(self, rolle, *werte):
        """The values of all accessible objects of a role, such as scroll bars."""
        ist = [o.queryValue().currentValue for o in alle() if o.getRoleName() == rolle]
        return ist == list(map(float, werte)), ist

    def ist_beendet(self, status="0"):
        return self.programm.poll() == int(status), self.programm.poll()

    def ende(self):
        for prozess in reversed(self.prozesse):
            prozess.terminate()
            try:
                prozess.wait(10)
            except subprocess.TimeoutExpired:
                prozess.kill()


def lies(datei, wm):
    """The steps of the data file that hold in this mode: (title, lines), a line being
    (number, text, sofort, nicht, command, arguments)."""
    schritte = []
    with open(datei, encoding="utf-8") as f:
        for nummer, zeile in enumerate(f, 1):
            m = re.fullmatch(r"(?:=([\w ]+):|\[([\w ]+)\])?\s*(sofort\s+)?(nicht\s+)?(.*?)\s*", zeile)
            if not set((m[1] or m[2] or wm).split()) <= set(WM):
                raise Fehlschlag("line %d: unknown mode" % nummer)
            if m[1]:
                schritte.append((zeile.partition(":")[2].strip(), wm in m[1].split(), []))
            elif (woerter := shlex.split(m[5], comments=True)) and wm in (m[2] or wm).split():
                schritte[-1][2].append((nummer, re.sub(r"\s+#.*", "", zeile.strip()), bool(m[3]), bool(m[4]),
                                        woerter[0], woerter[1:]))
    return [(text, zeilen) for text, gilt, zeilen in schritte if gilt]


def pruefe(s, gruppe, sofort):
    """Waits until the checks all hold on one screenshot of the main window; with sofort tries them once."""
    offen = []

    def halten():
        s.bild = None
        offen.clear()
        for nummer, zeile, _, nicht, befehl, argumente in gruppe:
            gut, ist = getattr(s, "ist_" + befehl)(*argumente)
            if bool(gut) == nicht:
                offen.append((nummer, zeile, ist))
        return not offen

    def meldung():
        return "; ".join("line %d: %s does not hold%s" % (n, z, "" if ist is None else " (is: %.200s)" % (ist,))
                         for n, z, ist in offen)
    if not (halten() if sofort else warte(halten, meldung)):
        raise Fehlschlag(meldung())


def ablauf(s, schritte):
    """Plays the steps: each action alone, checks on lines that follow one another together."""
    for text, zeilen in schritte:
        for _, gruppe in itertools.groupby(zeilen, lambda z: ("ist", z[2]) if hasattr(s, "ist_" + z[4]) else z[0]):
            nummer, zeile, sofort, _, befehl, argumente = (gruppe := list(gruppe))[0]
            if hasattr(s, "ist_" + befehl):
                pruefe(s, gruppe, sofort)
                continue
            try:
                getattr(s, "tu_" + befehl)(*argumente)
            except Fehlschlag as f:
                raise Fehlschlag("line %d: %s: %s" % (nummer, zeile, f))
        print("ok  ", text)


def main():
    argumente = argparse.ArgumentParser()
    argumente.add_argument("zemviewer")
    argumente.add_argument("beispiele")
    argumente.add_argument("--wm", default="keiner", choices=WM)
    argumente.add_argument("--schritte", default=os.path.join(os.path.dirname(__file__), "sitzung.txt"))
    a = argumente.parse_args()
    s = Sitzung(os.path.abspath(a.zemviewer), os.path.abspath(a.beispiele), a.wm)
    try:
        ablauf(s, lies(a.schritte, a.wm))
    except Fehlschlag as f:
        print("FAILED", f)
        # What the screen showed then, for whoever reads the failure.
        subprocess.run(["import", "-silent", "-window", "root", "sitzung-%s.png" % a.wm])
        print("Screen:", os.path.abspath("sitzung-%s.png" % a.wm))
        return 1
    finally:
        s.ende()
    print("1 passed, 0 failed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
