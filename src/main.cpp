#include "platform/Desktop.h"
#include "ui/main/Ausgabe.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    zem::plattformWaehlen();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZemViewer"));
    zem::qtTexteDeutsch(app);
    zem::QtDialoge dialoge;
    zem::Ausgabe ausgabe(dialoge);
    ausgabe.zeigen();
    return QApplication::exec();
}
