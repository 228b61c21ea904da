#!/usr/bin/env python3
"""Starts zemviewer as in a Wayland session (XDG_SESSION_TYPE=wayland, WAYLAND_DISPLAY naming a running
compositor, DISPLAY naming the X server that XWayland would be): it must come up on the X server, where it
can place and restack its windows. With QT_QPA_PLATFORM set, the user's choice is kept: it comes up on the
compositor. The compositor is weston without a screen (its headless backend).

    wayland.py ZEMVIEWER"""
import os, queue, subprocess, sys, tempfile, threading, time

GRENZE = 60  # seconds that the program may take to show its welcome box on a busy machine
TITEL = "ZemViewer 2.3"


def x_fenster(umgebung):
    """The program on the X server: its welcome box is an X window."""
    programm = subprocess.Popen([sys.argv[1]], env=umgebung, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        return subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^%s$" % TITEL],
                              capture_output=True, timeout=GRENZE).returncode == 0
    except subprocess.TimeoutExpired:
        return False
    finally:
        programm.kill()
        programm.wait()


def wayland_fenster(umgebung):
    """The program on the compositor: libwayland's protocol log shows the welcome box's title going there."""
    programm = subprocess.Popen([sys.argv[1]], env=dict(umgebung, WAYLAND_DEBUG="client"), stdout=subprocess.DEVNULL,
                                stderr=subprocess.PIPE, text=True, errors="replace")
    zeilen = queue.Queue()
    threading.Thread(target=lambda: [zeilen.put(z) for z in programm.stderr], daemon=True).start()
    ende = time.monotonic() + GRENZE
    try:
        while time.monotonic() < ende:
            try:
                if 'set_title("%s")' % TITEL in zeilen.get(timeout=1):
                    return True
            except queue.Empty:
                if programm.poll() is not None:
                    return False
        return False
    finally:
        programm.kill()
        programm.wait()


def main():
    with tempfile.TemporaryDirectory() as laufzeit:
        os.chmod(laufzeit, 0o700)
        umgebung = {k: v for k, v in os.environ.items() if k != "QT_QPA_PLATFORM"}
        umgebung.update(XDG_RUNTIME_DIR=laufzeit, XDG_SESSION_TYPE="wayland", WAYLAND_DISPLAY="zem-wayland")
        weston = subprocess.Popen(["weston", "--backend=headless-backend.so", "--socket=zem-wayland", "--idle-time=0"],
                                  env=umgebung, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            ende = time.monotonic() + GRENZE
            while not os.path.exists(os.path.join(laufzeit, "zem-wayland")):
                if time.monotonic() > ende or weston.poll() is not None:
                    print("FEHLER weston startet nicht")
                    return 1
                time.sleep(0.05)
            fehler = [text for text, gilt in (
                ("ohne QT_QPA_PLATFORM nicht auf dem X-Server", lambda: x_fenster(umgebung)),
                ("mit QT_QPA_PLATFORM=wayland nicht auf dem Compositor",
                 lambda: wayland_fenster(dict(umgebung, QT_QPA_PLATFORM="wayland")))) if not gilt()]
        finally:
            weston.terminate()
            weston.wait()
    for text in fehler:
        print("FEHLER", text)
    print("%d passed, %d failed" % (2 - len(fehler), len(fehler)))
    return 1 if fehler else 0


if __name__ == "__main__":
    sys.exit(main())
