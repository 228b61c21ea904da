#include "ui/side/ZeigFenster.h"

#include "platform/ZahlText.h"
#include "ui/main/Programm.h"
#include "ui/widgets/SeitenFenster.h"
#include "ui/widgets/Texte.h"

#include <QAction>

#include <algorithm>
#include <cstring>

namespace zem::ZeigFenster {

namespace {

// The caption is formed on the stack: every load sets all four captions.
void listenTitel(QWidget* fenster, const Liste& liste, const char* wort)
{
    if (!fenster)
        return;
    char puffer[96];
    char* z = puffer + zahlTextSchreiben(liste.ListCount(), puffer);
    z = std::copy_n(wort, std::strlen(wort), z);
    z += zahlTextSchreiben(liste.SelCount(), z);
    z = std::copy_n(" selected)", 10, z);
    titelSetzen(*fenster, QLatin1StringView(puffer, z - puffer));
}

void zustandSetzen(Programm& p, Qt::WindowState zustand)
{
    // Only a shown window takes the state: on X11 setting it creates and maps the native window of a
    // hidden one, which would then stand on the screen black, unpainted and not to be closed. A hidden
    // window is shown later in the normal state, as the main window then is.
    for (SeitenFenster* fenster : p.f.seiten) {
        if (!fenster || !fenster->isVisible())
            continue;
        const Qt::WindowStates ohne = fenster->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
        fenster->setWindowState(ohne | zustand);
    }
}

} // namespace

void ListenTitelSetzen(Programm& p)
{
    // The list windows are the first side windows, in the order of the kinds.
    const char* const woerter[ArtAnzahl] = { " Punkte (", " Dreiecke (", " Vierecke (", " Polygone (" };
    for (std::size_t art = 0; art < ArtAnzahl; ++art)
        listenTitel(p.f.seiten[art], p.listen[Art(art)], woerter[art]);
}

void FensterUmschalten(Programm& p, int i)
{
    if (i < 0 || i >= Seite::Anzahl)
        return;
    QAction* punkt = p.f.Shows[i];
    SeitenFenster* fenster = p.f.seiten[i];
    if (punkt->isChecked()) {
        punkt->setChecked(false);
        fenster->hide();
    } else {
        punkt->setChecked(true);
        fenster->show();
    }
}

void FensterMinimieren(Programm& p)
{
    zustandSetzen(p, Qt::WindowMinimized);
}

void FensterNormal(Programm& p)
{
    zustandSetzen(p, Qt::WindowNoState);
}

void fensterSchliessen(Programm& p, int i)
{
    p.f.Shows[i]->setChecked(false);
    p.f.seiten[i]->hide();
}

} // namespace zem::ZeigFenster
