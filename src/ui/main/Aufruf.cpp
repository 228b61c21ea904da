#include "ui/main/Aufruf.h"

#include "ZemVersion.h"

#include <QCommandLineParser>

#include <cstdio>

namespace zem::Aufruf {

namespace {

const QString Hilfe
    = QStringLiteral("Aufruf: zemviewer [DATEI]\n"
                     "        zemviewer --help | --version\n"
                     "\n"
                     "Zeigt dreidimensionale Modelle aus RWX-Dateien als Drahtgitter. Eine DATEI öffnet ZemViewer\n"
                     "nach dem Start, wie wenn sie in »Datei > Öffnen« gewählt wäre.\n"
                     "\n"
                     "  -h, --help     zeigt diese Hilfe\n"
                     "      --version  zeigt Namen und Version\n");

Auftrag falsch(const QString& was)
{
    return { {}, {}, QStringLiteral("zemviewer: %1\n»zemviewer --help« zeigt den Aufruf.\n").arg(was), 2 };
}

} // namespace

Auftrag lesen(const QStringList& argumente)
{
    QCommandLineParser parser;
    // "-word" is read as "--word", so that an unknown one is named whole. Qt's own options (-platform, -style)
    // are not taken: QT_QPA_PLATFORM chooses the platform.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption hilfe(QStringList { QStringLiteral("h"), QStringLiteral("help") });
    const QCommandLineOption version(QStringLiteral("version"));
    parser.addOptions({ hilfe, version });
    if (!parser.parse(argumente)) {
        const QStringList unbekannt = parser.unknownOptionNames();
        if (unbekannt.isEmpty()) // a value given to an option
            return falsch(QStringLiteral("--help und --version nehmen keinen Wert"));
        const QString& name = unbekannt.constFirst();
        return falsch(QStringLiteral("unbekannte Option »%1«").arg(QString(name.size() == 1 ? 1 : 2, u'-') + name));
    }
    if (parser.isSet(hilfe))
        return { {}, Hilfe, {}, 0 };
    if (parser.isSet(version))
        return { {}, QStringLiteral("ZemViewer " ZEM_VERSION "\n"), {}, 0 };
    const QStringList dateien = parser.positionalArguments();
    if (dateien.size() > 1)
        return falsch(QStringLiteral("höchstens eine Datei, nicht %1").arg(dateien.size()));
    if (dateien.contains(QString())) // a box could not name it
        return falsch(QStringLiteral("der Dateiname ist leer"));
    Auftrag auftrag;
    if (!dateien.isEmpty())
        auftrag.datei = dateien.constFirst();
    return auftrag;
}

int beantworten(const Auftrag& auftrag, std::FILE* aus, std::FILE* fehler)
{
    std::fputs(auftrag.ausgabe.toLocal8Bit().constData(), aus);
    std::fputs(auftrag.fehler.toLocal8Bit().constData(), fehler);
    return auftrag.ende.value_or(0);
}

} // namespace zem::Aufruf
