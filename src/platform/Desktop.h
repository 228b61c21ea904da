#pragma once

class QCoreApplication;

namespace zem {

// Before the application object: the X11 platform (under Wayland through XWayland) unless the user
// chose one in QT_QPA_PLATFORM. The program places its windows and lowers the main window, which
// Wayland lets no program do.
void plattformWaehlen();

// Qt's own texts (standard dialogs, context menus) in German whatever the locale, from the system's Qt
// translations; without them they stay English.
void qtTexteDeutsch(QCoreApplication& anwendung);

} // namespace zem
