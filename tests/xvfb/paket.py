#!/usr/bin/env python3
"""Builds the Debian package from a build folder, checks its files and control fields, unpacks it and starts
the unpacked zemviewer on this X server until its welcome box shows. Exits 77 where the Debian tools lack.

    paket.py CPACK_CONFIG SCRATCH_DIR VERSION"""
import glob, gzip, os, re, shutil, subprocess, sys

INHALT = ["bin/zemviewer", "share/applications/zemviewer.desktop", "share/icons/hicolor/scalable/apps/zemviewer.svg",
          "share/metainfo/org.example.zemviewer.metainfo.xml", "share/man/man1/zemviewer.1.gz",
          "share/doc/zemviewer/copyright"] + ["share/zemviewer/examples/%s.rwx" % m
                                              for m in ("wuerfel", "haus", "grenzen", "verschachtelt")]


def lauf(*befehl):
    return subprocess.run(befehl, check=True, capture_output=True, text=True).stdout


def pruefen(konfig, ablage, version):
    fehlend = [w for w in ("dpkg-deb", "dpkg-shlibdeps", "file", "xdotool") if not shutil.which(w)]
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
    # The release in the metainfo and the manual page, and the desktop entry's program and icon.
    handbuch = os.path.join(wurzel, "usr/share/man/man1/zemviewer.1.gz")
    for datei, texte in ((metainfo, ['<release version="%s"' % version]), (handbuch, ['"ZemViewer %s"' % version]),
                         (eintrag, ["\nExec=zemviewer\n", "\nIcon=zemviewer\n"])):
        inhalt = (gzip.open if datei.endswith(".gz") else open)(datei, "rt", encoding="utf-8").read()
        fehler += ["%s lacks %r" % (datei, text) for text in texte if text not in inhalt]
    for pruefer in (["appstreamcli", "validate", "--no-net", metainfo], ["lintian", "--fail-on", "error", paket],
                    ["desktop-file-validate", eintrag]):
        ergebnis = subprocess.run(pruefer, capture_output=True, text=True) if shutil.which(pruefer[0]) else None
        if ergebnis and ergebnis.returncode:
            fehler.append("%s failed:\n%s%s" % (pruefer[0], ergebnis.stdout, ergebnis.stderr))

    programm = subprocess.Popen([os.path.join(wurzel, "usr/bin/zemviewer")])
    try:
        subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name",
                        "^ZemViewer %s$" % re.escape(version)], capture_output=True, timeout=60)
    except subprocess.TimeoutExpired:
        fehler.append("the unpacked zemviewer shows no welcome box \"ZemViewer %s\"" % version)
    programm.kill()
    programm.wait()
    print("\n".join(fehler) or "1 passed, 0 failed")
    return 1 if fehler else 0


if __name__ == "__main__":
    sys.exit(pruefen(*sys.argv[1:]))
