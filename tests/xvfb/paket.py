#!/usr/bin/env python3
"""Builds the Debian package from a build folder, checks its files and control fields, unpacks it and starts
the unpacked zemviewer on this X server until its welcome box shows. Exits 77 where the Debian tools lack.

    paket.py CPACK_CONFIG SCRATCH_DIR VERSION"""
import glob, gzip, os, re, shutil, subprocess, sys, time

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
            or not {"libqt6widgets6", "qt6-qpa-plugins"} <= abhaengig:
        fehler.append("control fields: %s" % felder)
    wurzel = os.path.join(ablage, "wurzel")
    lauf("dpkg-deb", "-x", paket, wurzel)
    metainfo = os.path.join(wurzel, "usr/share/metainfo/org.example.zemviewer.metainfo.xml")
    if '<release version="%s"' % version not in open(metainfo, encoding="utf-8").read():
        fehler.append("the metainfo names another release")
    handbuch = gzip.open(os.path.join(wurzel, "usr/share/man/man1/zemviewer.1.gz"), "rt").read()
    if '"ZemViewer %s"' % version not in handbuch:
        fehler.append("the manual page names another version")
    eintrag = os.path.join(wurzel, "usr/share/applications/zemviewer.desktop")
    if not {"Exec=zemviewer", "Icon=zemviewer"} <= set(open(eintrag, encoding="utf-8").read().splitlines()):
        fehler.append("the desktop entry does not start zemviewer with its icon")
    for pruefer in (["appstreamcli", "validate", "--no-net", metainfo], ["lintian", "--fail-on", "error", paket],
                    ["desktop-file-validate", eintrag]):
        ergebnis = subprocess.run(pruefer, capture_output=True, text=True) if shutil.which(pruefer[0]) else None
        if ergebnis and ergebnis.returncode:
            fehler.append("%s failed:\n%s%s" % (pruefer[0], ergebnis.stdout, ergebnis.stderr))

    programm = subprocess.Popen([os.path.join(wurzel, "usr/bin/zemviewer")])
    ende = time.time() + 60
    while subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^ZemViewer %s$" % re.escape(version)],
                         capture_output=True).returncode != 0:
        if time.time() > ende or programm.poll() is not None:
            fehler.append("the unpacked zemviewer shows no welcome box \"ZemViewer %s\"" % version)
            break
        time.sleep(0.2)
    programm.kill()
    programm.wait()
    print("\n".join(fehler) or "1 passed, 0 failed")
    return 1 if fehler else 0


if __name__ == "__main__":
    sys.exit(pruefen(*sys.argv[1:]))
