#include "platform/Desktop.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace zem {

void plattformWaehlen()
{
    // Without an X server (a Wayland session without XWayland) Qt's own choice is the only one that runs.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

void qtTexteDeutsch(QCoreApplication& anwendung)
{
    auto* uebersetzer = new QTranslator(&anwendung);
    if (uebersetzer->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(uebersetzer);
    else
        delete uebersetzer;
}

} // namespace zem
