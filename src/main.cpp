#include "ui/main/Ausgabe.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZemViewer"));
    zem::QtDialoge dialoge;
    zem::Ausgabe ausgabe(dialoge);
    ausgabe.zeigen();
    return QApplication::exec();
}
