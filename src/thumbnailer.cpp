// zemviewer-thumbnailer: a file manager's thumbnail of an RWX model, called as freedesktop thumbnailers are:
//
//     zemviewer-thumbnailer -s SIZE INPUT OUTPUT
//
// Writes a square PNG of SIZE pixels (128 to 1024; other sizes are brought into that range) and exits 0.
// A file without a model, a reading that fails, a wrong call or the time limit: exits non-zero and
// writes nothing, so that the file manager shows the type's icon.

#include "model/Szene.h"
#include "platform/LeseFehler.h"
#include "view/Vorschau.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QString>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>

#include <fcntl.h>
#include <unistd.h>

namespace {

// File managers thumbnail every file of a folder, one after the other, without asking: a file that
// takes long holds up the rest. The largest model the reader keeps takes under 0.1 s here, start
// included, and the reader passes over a file of 200 MB in well under a second, so the limit needs no
// limit on the file's size beside it; it also ends a reading that hangs on a slow disk.
constexpr unsigned ZeitlimitSekunden = 5;

bool schreiben(const char* pfad, const QByteArray& png)
{
    // From here on the time limit waits: a file written half is worse than one a little late.
    sigset_t alarm;
    sigemptyset(&alarm);
    sigaddset(&alarm, SIGALRM);
    sigprocmask(SIG_BLOCK, &alarm, nullptr);
    const int datei = ::open(pfad, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (datei < 0)
        return false;
    qsizetype geschrieben = 0;
    while (geschrieben < png.size()) {
        const ssize_t n = ::write(datei, png.constData() + geschrieben, std::size_t(png.size() - geschrieben));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        geschrieben += n;
    }
    if (::close(datei) != 0 || geschrieben != png.size()) {
        ::unlink(pfad);
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    alarm(ZeitlimitSekunden); // its signal ends the program, with nothing written
    bool zahl = false;
    const int seite = argc == 5 && std::strcmp(argv[1], "-s") == 0 ? QString::fromLocal8Bit(argv[2]).toInt(&zahl) : 0;
    if (!zahl) {
        std::fputs("usage: zemviewer-thumbnailer -s SIZE INPUT OUTPUT\n", stderr);
        return 2;
    }
    // No plugin path: the PNG writer is built into Qt Gui, and Qt would otherwise load every image format
    // plugin to ask whether one of them writes PNG instead.
    QCoreApplication::setLibraryPaths({});
    const auto s = std::make_unique<zem::Szene>();
    QImage bild;
    try {
        zem::Vorschau::lesen(*s, QString::fromLocal8Bit(argv[3]));
        bild = zem::Vorschau::bild(*s, seite);
    } catch (const zem::LeseFehler&) {
        // The main window is not refreshed after a reading that fails, so it never shows such a file
        // fitted; a picture of the part read would pass a broken file off as a model.
        return 1;
    }
    if (bild.isNull())
        return 1;
    QByteArray png;
    QBuffer puffer(&png);
    puffer.open(QIODevice::WriteOnly);
    if (!bild.save(&puffer, "PNG") || !schreiben(argv[4], png))
        return 1;
    return 0;
}
