#!/usr/bin/env python3
"""A drag source as a file manager is one, in Qt as KDE's is: a window titled "Quelle" that, pressed and moved
on past Qt's drag distance, drags the addresses of its command line as text/uri-list, offering to copy, move or
link them. It reports on its output, a line each: "beginn" when the drag begins; "status 1" or "status 0" for
each answer of a drop target over XDND as the X server brings it (the target takes the drop, or refuses it);
"ende N" at the release with the action that the drag ended in (Qt::DropAction: 0 none, 1 copy, 2 move, 4 link);
after a drop, "fertig 1" (or 0) when the target has finished with it and took it (or not). Then it ends; after
a drop only then, as the target reads the addresses from the source.

    quelle.py ADDRESS ..."""
import struct, sys

from PyQt6.QtCore import QAbstractNativeEventFilter, QMimeData, Qt, QUrl
from PyQt6.QtGui import QDrag
from PyQt6.QtWidgets import QApplication, QWidget
from Xlib.display import Display

STATUS, FERTIG = map(Display().intern_atom, ("XdndStatus", "XdndFinished"))
sys.stdout.reconfigure(line_buffering=True)


class Antworten(QAbstractNativeEventFilter):
    """The target's messages, which Qt reads without a word to the program: a client message's type, and the
    flags that it carries after the window."""

    def nativeEventFilter(self, art, ereignis):
        typ, _, _, _, atom, _, flags = struct.unpack("=BBHIIII", ereignis.asstring(20))
        if typ & 0x7f == 33 and atom in (STATUS, FERTIG):  # XCB_CLIENT_MESSAGE
            print("status" if atom == STATUS else "fertig", flags & 1)
            if atom == FERTIG:
                programm.quit()
        return False, 0


class Quelle(QWidget):
    def mousePressEvent(self, e):
        self.druck = e.position()

    def mouseMoveEvent(self, e):
        if (e.position() - self.druck).manhattanLength() >= QApplication.startDragDistance():
            ziehen = QDrag(self)
            ziehen.setMimeData(QMimeData())
            ziehen.mimeData().setUrls([QUrl(a) for a in sys.argv[1:]])
            print("beginn")
            aktion = ziehen.exec(Qt.DropAction.CopyAction | Qt.DropAction.MoveAction | Qt.DropAction.LinkAction)
            print("ende", aktion.value)
            if aktion == Qt.DropAction.IgnoreAction:
                programm.quit()


programm = QApplication(sys.argv)
programm.installNativeEventFilter(antworten := Antworten())
(quelle := Quelle(windowTitle="Quelle")).setGeometry(20, 20, 200, 120)
quelle.show()
programm.exec()
