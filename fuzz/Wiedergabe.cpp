// The replay program of a fuzz target built without libFuzzer: runs the files given, or every file of the
// folders given, through the target once each, so that the seed corpus and every input that ever failed
// stay a regression test with any compiler.

#include <QDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse);

int main(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        const QFileInfo pfad(QString::fromLocal8Bit(argv[i]));
        // A folder's files in the order of their names; hidden ones such as .gitkeep are no inputs.
        const QFileInfoList dateien
            = pfad.isDir() ? QDir(pfad.filePath()).entryInfoList(QDir::Files) : QFileInfoList { pfad };
        for (const QFileInfo& datei : dateien) {
            QFile f(datei.filePath());
            // A wrong path must not pass as an empty folder.
            if (!f.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "broken: %s cannot be read\n", argv[i]);
                std::abort();
            }
            const QByteArray inhalt = f.readAll();
            std::fprintf(stderr, "%s\n", qPrintable(datei.filePath()));
            LLVMFuzzerTestOneInput(
                reinterpret_cast<const std::uint8_t*>(inhalt.constData()), std::size_t(inhalt.size()));
        }
    }
}
