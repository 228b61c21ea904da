#include "platform/Desktop.h"
#include "ui/main/Aufruf.h"
#include "ui/main/Ausgabe.h"
#include "ui/main/DateiBefehle.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // Read before the application object, which needs a display.
    const zem::Aufruf::Auftrag auftrag = zem::Aufruf::lesen(QStringList(argv, argv + argc));
    if (auftrag.ende)
        return zem::Aufruf::beantworten(auftrag);
    zem::plattformWaehlen();
    int nurName = 1; // the arguments are the program's: Qt sees none of them
    QApplication app(nurName, argv);
    QApplication::setApplicationName(QStringLiteral("ZemViewer"));
    zem::qtTexteDeutsch(app);
    zem::QtDialoge dialoge;
    zem::Ausgabe ausgabe(dialoge);
    ausgabe.zeigen();
    if (auftrag.datei)
        zem::DateiBefehle::dateiOeffnen(ausgabe.programm(), *auftrag.datei);
    return QApplication::exec();
}
