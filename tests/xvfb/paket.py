#!/usr/bin/env python3
"""Builds the Debian package from a build folder, checks its files and control fields, unpacks it and opens a
sample model through its desktop files with the desktop's launcher (gio open, which needs a session bus): the
unpacked zemviewer on this X server. As root, installs the package to ask xdg-mime what a desktop knows of RWX
files and to make thumbnails through GNOME's thumbnail factory, and removes it again. Exits 77 where the
Debian tools lack, or where the installed package cannot be checked (not root, the package installed before,
no GNOME factory or strace).

    paket.py CPACK_CONFIG SCRATCH_DIR VERSION"""
import glob, gzip, os, re, shutil, subprocess, sys

INHALT = ["bin/zemviewer", "share/applications/zemviewer.desktop", "share/icons/hicolor/scalable/apps/zemviewer.svg",
          "share/metainfo/org.example.zemviewer.metainfo.xml", "share/man/man1/zemviewer.1.gz",
          "share/doc/zemviewer/copyright", "share/mime/packages/zemviewer.xml"] + ["share/zemviewer/examples/%s.rwx" % m
                                              for m in ("wuerfel", "haus", "grenzen", "verschachtelt")]


def lauf(*befehl):
    return subprocess.run(befehl, check=True, capture_output=True, text=True).stdout


def pruefen(konfig, ablage, version):
    fehlend = [w for w in ("dpkg-deb", "dpkg-shlibdeps", "file", "xdotool", "gio", "update-mime-database",
                           "update-desktop-database", "xdg-mime") if not shutil.which(w)]
    if fehlend:
        print("SKIP: building and starting the package needs", ", ".join(fehlend))
        return 77
    shutil.rmtree(ablage, ignore_errors=True)
    lauf("cpack", "-G", "DEB", "--config", konfig, "-B", ablage)
    [paket] = glob.glob(os.path.join(ablage, "*.deb"))
    liste = lauf("dpkg-deb", "-c", paket)
    fehler = ["not in the package: " + d for d in INHALT if " ./usr/%s\n" % d not in liste]
    felder = dict(z.split(": ", 1) for z in lauf("dpkg-deb", "-f", paket, "Package", "Version", "Depends").splitlines())
    abhaengig = {teil.split()[0] for teil in re.split(r"[,|]", felder["Depends"])}
    if (felder["Package"], felder["Version"]) != ("zemviewer", version) \
            or not {"libqt6widgets6", "qt6-qpa-plugins", "qt6-translations-l10n"} <= abhaengig:
        fehler.append("control fields: %s" % felder)
    wurzel = os.path.join(ablage, "wurzel")
    lauf("dpkg-deb", "-x", paket, wurzel)
    metainfo = os.path.join(wurzel, "usr/share/metainfo/org.example.zemviewer.metainfo.xml")
    eintrag = os.path.join(wurzel, "usr/share/applications/zemviewer.desktop")
    # The release and the media type in the metainfo, the release in the manual page, and the desktop entry's
    # program with its file, its icon and its type.
    handbuch = os.path.join(wurzel, "usr/share/man/man1/zemviewer.1.gz")
    for datei, texte in ((metainfo, ['<release version="%s"' % version, "<mediatype>model/x-rwx</mediatype>"]),
                         (handbuch, ['"ZemViewer %s"' % version]),
                         (eintrag, ["\nExec=zemviewer %f\n", "\nIcon=zemviewer\n", "\nMimeType=model/x-rwx;\n"])):
        inhalt = (gzip.open if datei.endswith(".gz") else open)(datei, "rt", encoding="utf-8").read()
        fehler += ["%s lacks %r" % (datei, text) for text in texte if text not in inhalt]
    for pruefer in (["appstreamcli", "validate", "--no-net", metainfo], ["lintian", "--fail-on", "error", paket],
                    ["desktop-file-validate", eintrag]):
        ergebnis = subprocess.run(pruefer, capture_output=True, text=True) if shutil.which(pruefer[0]) else None
        if ergebnis and ergebnis.returncode:
            fehler.append("%s failed:\n%s%s" % (pruefer[0], ergebnis.stdout, ergebnis.stderr))

    # A file manager's double click on a sample model, through the unpacked desktop files with the databases
    # that the package's triggers build (the user's own folders empty): the desktop's launcher (gio) starts the
    # unpacked program, whose welcome box comes first, and then its main window bears the model's name.
    daten, programm = os.path.join(wurzel, "usr/share"), os.path.join(wurzel, "usr/bin/zemviewer")
    lauf("update-mime-database", daten + "/mime")
    lauf("update-desktop-database", daten + "/applications")
    umgebung = dict(os.environ, XDG_DATA_DIRS=daten + ":/usr/share", XDG_DATA_HOME=ablage, XDG_CONFIG_HOME=ablage,
                    PATH=os.path.dirname(programm) + ":" + os.environ["PATH"])
    subprocess.run(["gio", "open", daten + "/zemviewer/examples/haus.rwx"], env=umgebung, cwd="/",
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    for fenster in (["^ZemViewer %s$" % re.escape(version), "windowfocus", "--sync", "key", "Return"],
                    [r"^haus\.rwx - ZemViewer$"]):
        try:
            subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", *fenster], capture_output=True,
                           timeout=60)
        except subprocess.TimeoutExpired:
            fehler.append("after gio open, no window %s" % fenster[0])
            break
    subprocess.run(["kill", *subprocess.run(["pidof", programm], capture_output=True, text=True).stdout.split()])
    installiert = installiert_pruefen(paket, wurzel, ablage)
    fehler += installiert or []
    if installiert is None and not fehler:
        print("SKIP: the installed package's checks need root, a machine without the package, strace and GNOME's "
              "thumbnail factory")
        return 77
    print("\n".join(fehler) or "1 passed, 0 failed")
    return 1 if fehler else 0


# What xdg-mime answers for files of these names and contents ({haus}: the sample house, which begins with
# "modelbegin"), and for the type's default program: the name alone tells the one that begins with a comment,
# the beginning the one without extension.
FRAGEN = [("filetype", "haus.rwx", "{haus}", "model/x-rwx"), ("filetype", "HAUS.RWX", "# Haus\n{haus}", "model/x-rwx"),
          ("filetype", "ohne_endung", "{haus}", "model/x-rwx"),
          ("filetype", "modelica", "model Kreis\nend Kreis;\n", "text/x-modelica"),
          ("default", "model/x-rwx", None, "zemviewer.desktop")]


def installiert_pruefen(paket, wurzel, ablage):
    """Installs the package, asks xdg-mime for the type of RWX files and its program, and makes a thumbnail of
    each sample model and of a file without a model through GNOME's thumbnail factory, as GNOME Files does, in
    a process without a display, with strace watching the factory start the thumbnailer in bubblewrap; then
    removes the package. Gives the faults found, None where it cannot run: not as root, where the package is
    installed already, without strace or GNOME's factory."""
    fabrik = "import gi; gi.require_version('GnomeDesktop', '3.0')"
    if os.geteuid() or "zemviewer" in lauf("dpkg-query", "-W", "-f", "${Package}\n") or not shutil.which("strace") \
            or subprocess.run([sys.executable, "-c", fabrik]).returncode:
        return None
    eintrag = open(os.path.join(wurzel, "usr/share/thumbnailers/zemviewer.thumbnailer")).read()
    leer = os.path.join(ablage, "leer.rwx")
    open(leer, "w").write("modelbegin\nclumpbegin\ntriangle 1 2 3\nclumpend\nmodelend\n")
    apt, spur = ["apt-get", "-y", "-qq", "-o", "DPkg::Lock::Timeout=300"], os.path.join(ablage, "strace.txt")
    lauf(*apt, "install", "--no-install-recommends", os.path.abspath(paket))
    try:
        typen = typen_pruefen(ablage)
        kind = subprocess.run(["strace", "-f", "-qq", "-s", "64", "-e", "trace=execve", "-o", spur, sys.executable,
                               __file__, "--vorschau", re.search(r"^MimeType=(.+);$", eintrag, re.M)[1], leer],
                              env={k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")},
                              capture_output=True, text=True)
    finally:
        lauf(*apt, "remove", "zemviewer")
    fehler = typen + kind.stdout.splitlines() + [kind.stderr] * bool(kind.returncode)
    if not re.search(r'execve\("/usr/bin/bwrap", .*"--unshare-all".*"zemviewer-thumbnailer"', open(spur).read()):
        fehler.append("GNOME's thumbnail factory did not run zemviewer-thumbnailer in bubblewrap")
    return fehler


def typen_pruefen(ordner):
    """The faults in xdg-mime's answers to FRAGEN, its files written into ordner."""
    # xdg-mime asks the desktop's own client: under GNOME gio, which reads the shared-mime-info database that
    # the package's trigger rebuilt (/usr/share/mime). Without a desktop it would ask file(1), whose libmagic
    # knows no desktop types. The user's own folders are empty.
    umgebung = dict(os.environ, XDG_CURRENT_DESKTOP="GNOME", XDG_DATA_DIRS="/usr/share", XDG_DATA_HOME=ordner,
                    XDG_CONFIG_HOME=ordner)
    haus, fehler = open("/usr/share/zemviewer/examples/haus.rwx").read(), []
    for art, name, inhalt, erwartet in FRAGEN:
        if inhalt:
            open(name := os.path.join(ordner, name), "w").write(inhalt.format(haus=haus))
        antwort = subprocess.run(["xdg-mime", "query", art, name], env=umgebung, capture_output=True, text=True)
        fehler += ["xdg-mime query %s %s: %r, not %s" % (art, name, antwort.stdout, erwartet)] \
            if antwort.stdout != erwartet + "\n" else []
    return fehler


def vorschau_bilder(typ, leer):
    """In the process without a display: prints the faults of the 256-pixel thumbnails of the installed
    sample models, checked against each model's edges projected here as the viewer fits a model after
    opening it (zoom value 600: the side spans 2.4 times the largest coordinate about the origin): lit within
    a pixel along each edge, in an element's colour, and black two pixels away from every edge. A file
    without a model has no thumbnail."""
    import gi
    gi.require_version("GnomeDesktop", "3.0")
    from gi.repository import GLib, GnomeDesktop
    fabrik = GnomeDesktop.DesktopThumbnailFactory.new(GnomeDesktop.DesktopThumbnailSize.LARGE)
    for modell in sorted(glob.glob("/usr/share/zemviewer/examples/*.rwx")) + [leer]:
        try:
            bild = fabrik.generate_thumbnail("file://" + modell, typ, None)
        except GLib.Error as fehler:
            if modell != leer:
                print("%s: no thumbnail: %s" % (modell, fehler.message))
            continue
        if modell == leer:
            print("a thumbnail of %s, which holds no model" % leer)
            continue
        daten, zeile, n = bild.get_pixels(), bild.get_rowstride(), bild.get_n_channels()
        farbe = lambda x, y: tuple(daten[y * zeile + x * n + k] for k in range(3)) if 0 <= x < 256 and 0 <= y < 256 \
            else (0, 0, 0)
        # The first clump ends at its end or at a clump inside it, where the viewer stops reading.
        klumpen = open(modell).read().split("clumpbegin")[1].split("clumpend")[0]
        punkte = [None] + [[float(k) for k in z.split()] for z in re.findall(r"^vertex (.*)", klumpen, re.M)]
        h, kanten, nah, falsch = 1.2 * max(abs(k) for p in punkte[1:] for k in p), set(), set(), []
        for art, ecken in re.findall(r"^(triangle|quad|polygon) (.*)", klumpen, re.M):
            e = [int(k) for k in ecken.split()][art == "polygon":]
            kanten.update(zip(e, e[1:] + e[:1]))
        for a, b in kanten:
            (x1, y1), (x2, y2) = [((punkte[i][0] + h) * 128 / h, (h - punkte[i][1]) * 128 / h) for i in (a, b)]
            m = int(max(abs(x2 - x1), abs(y2 - y1))) + 1
            for x, y in {(int(x1 + (x2 - x1) * k / m), int(y1 + (y2 - y1) * k / m)) for k in range(m + 1)}:
                nah.update((x + i, y + j) for i in range(-2, 3) for j in range(-2, 3))
                falsch += [(x, y)] * all(farbe(x + i, y + j) == (0, 0, 0) for i in (-1, 0, 1) for j in (-1, 0, 1))
        falsch += [(x, y) for y in range(256) for x in range(256) if farbe(x, y) not in ((0, 0, 0), (0, 100, 255),
                   (0, 0, 255)) or (x, y) not in nah and any(farbe(x, y))]
        if (bild.get_width(), bild.get_height()) != (256, 256) or falsch:
            print("%s: %d x %d pixels, wrong at %s" % (modell, bild.get_width(), bild.get_height(), falsch[:5]))


if __name__ == "__main__":
    sys.exit(vorschau_bilder(*sys.argv[2:]) if sys.argv[1] == "--vorschau" else pruefen(*sys.argv[1:]))
