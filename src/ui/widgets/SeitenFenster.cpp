#include "ui/widgets/SeitenFenster.h"

#include "ui/widgets/Twips.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QWindow>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace zem {

namespace {

xcb_atom_t atom(xcb_connection_t* verbindung, const char* name)
{
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> antwort(
        xcb_intern_atom_reply(verbindung, xcb_intern_atom(verbindung, 0, std::strlen(name), name), nullptr),
        &std::free);
    return antwort ? antwort->atom : xcb_atom_t { XCB_ATOM_NONE };
}

// Window managers that ignore the Motif hints and the utility type (openbox) would give a tool window a
// task bar entry; the states skip-taskbar and skip-pager ask every one of them. They must stand on the
// window before it is mapped: Qt then adds its own states to them, and a window manager reads them once.
void ohneTaskleiste(QWidget& fenster)
{
    // Other platforms answer the interface too, without a connection.
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* verbindung = x11 ? x11->connection() : nullptr;
    if (!verbindung)
        return;
    const auto kennung = static_cast<xcb_window_t>(fenster.winId());
    const xcb_atom_t zustand = atom(verbindung, "_NET_WM_STATE");
    std::vector<xcb_atom_t> werte;
    const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> bisher(
        xcb_get_property_reply(
            verbindung, xcb_get_property(verbindung, 0, kennung, zustand, XCB_ATOM_ATOM, 0, 1024), nullptr),
        &std::free);
    if (bisher && bisher->format == 32 && bisher->type == XCB_ATOM_ATOM) {
        const auto* daten = static_cast<const xcb_atom_t*>(xcb_get_property_value(bisher.get()));
        werte.assign(daten, daten + bisher->value_len);
    }
    for (const char* name : { "_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER" }) {
        const xcb_atom_t wert = atom(verbindung, name);
        if (std::find(werte.begin(), werte.end(), wert) == werte.end())
            werte.push_back(wert);
    }
    xcb_change_property(verbindung, XCB_PROP_MODE_REPLACE, kennung, zustand, XCB_ATOM_ATOM, 32,
        static_cast<std::uint32_t>(werte.size()), werte.data());
}

} // namespace

SeitenFenster::SeitenFenster(const QString& titel, QSize clientTwips, bool fest)
    : QWidget(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(titel);
    // Qt's default of 9 point is wider than the small sans serif that the windows' twips sizes were laid
    // out for: at 7.5 point a value of nine characters fits the coordinates window's 855 twips.
    QFont schrift = font();
    schrift.setPointSizeF(7.5);
    setFont(schrift);
    const QSize groesse(twipsZuPixel(clientTwips.width()), twipsZuPixel(clientTwips.height()));
    if (fest)
        setFixedSize(groesse);
    else
        resize(groesse);
}

void SeitenFenster::setVisible(bool sichtbar)
{
    const bool erscheint = sichtbar && !isVisible();
    if (erscheint) {
        ohneTaskleiste(*this);
        // A window placed by the window manager, or moved by the user, comes back where it stood last:
        // a position that the program has set is kept by window managers, one that Qt left to them is
        // chosen anew at every show.
        if (m_warGezeigt)
            windowHandle()->setPosition(geometry().topLeft());
        m_warGezeigt = true;
    }
    QWidget::setVisible(sichtbar);
    // A window that was minimised when it was hidden would be mapped minimised again. Leaving that state
    // maps it in the normal state, where it stood; the window manager draws it at once.
    if (erscheint && isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
}

void SeitenFenster::closeEvent(QCloseEvent* ereignis)
{
    if (beiSchliessen) {
        ereignis->ignore();
        beiSchliessen();
    } else {
        ereignis->accept();
    }
}

} // namespace zem
