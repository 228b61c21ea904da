#include "ui/main/Ausgabe.h"

#include "ZemVersion.h"
#include "selection/Auswahl.h"
#include "ui/main/Auffrischen.h"
#include "ui/main/DateiBefehle.h"
#include "ui/side/BewegungsFenster.h"
#include "ui/side/KoordsFenster.h"
#include "ui/side/ListenFenster.h"
#include "ui/side/ZeigFenster.h"
#include "ui/side/ZoomFenster.h"
#include "ui/widgets/Listenfeld.h"
#include "ui/widgets/Twips.h"
#include "view/Bewegungen.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDropEvent>
#include <QLayout>
#include <QMenuBar>
#include <QMimeData>
#include <QMoveEvent>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QUrl>

#include <cmath>

namespace zem {

namespace {

// A menu item whose check mark only the program sets: Qt's own toggle on a click is undone before the
// command runs, so that the command sees the mark as it stood.
QAction* menuePunkt(QMenu* menue, const QString& name, const QString& text, bool abhakbar, std::function<void()> befehl)
{
    QAction* punkt = menue->addAction(text);
    punkt->setObjectName(name);
    punkt->setCheckable(abhakbar);
    QObject::connect(punkt, &QAction::triggered, punkt, [punkt, abhakbar, befehl = std::move(befehl)] {
        if (abhakbar)
            punkt->setChecked(!punkt->isChecked());
        befehl();
    });
    return punkt;
}

} // namespace

int zoomNachDoppelklick(int wert)
{
    return static_cast<int>(std::nearbyint(wert / 2.0 + 3));
}

std::optional<QString> abgelegteDatei(const QMimeData& daten)
{
    const QList<QUrl> adressen = daten.urls();
    if (adressen.size() != 1 || !adressen[0].isLocalFile())
        return std::nullopt;
    const QString rechner = adressen[0].host(), pfad = adressen[0].path();
    if ((!rechner.isEmpty() && rechner != QLatin1String("localhost")) || !pfad.startsWith(u'/'))
        return std::nullopt;
    return pfad;
}

Ausgabe::Ausgabe(Dialoge& dialoge)
    : m_flaeche(new Zeichenflaeche(this))
{
    setObjectName(QStringLiteral("Ausgabe"));
    setWindowTitle(QStringLiteral("ZemViewer"));
    m_p.dialoge = &dialoge;
    m_p.beenden = [this] { programmBeenden(); };
    m_p.f.Ausgabe = this;
    m_p.f.haken = this;
    m_p.f.lage = this;
    m_p.f.flaeche = m_flaeche;
    m_p.f.leinwand = &m_flaeche->leinwand();

    m_flaeche->setObjectName(QStringLiteral("Flaeche"));
    m_flaeche->setAccessibleName(QStringLiteral("Zeichnung"));
    m_flaeche->leinwand().setHintergrund(qRgb(0, 0, 0));
    m_flaeche->leinwand().setBaender(&m_baender);
    m_flaeche->setEmpfaenger(this);
    setCentralWidget(m_flaeche);
    setAcceptDrops(true);
    connect(m_flaeche, &Zeichenflaeche::groesseGeaendert, this, [this] { Form_Resize(); });

    menuesBauen();
    seitenfensterBauen();
    resize(twipsZuPixel(4680), twipsZuPixel(4380) + menuBar()->sizeHint().height());
    // Lays the client area out at its size of 4680 x 4380 twips now, before the start-up measures and
    // draws it.
    layout()->activate();

    // Creation: the welcome box, then the empty start state.
    dialoge.meldung(nullptr, QStringLiteral("This program is a program\n"), QStringLiteral("ZemViewer " ZEM_VERSION));
    Auffrischen::Starten(m_p);
    m_gesamtGroesse = frameGeometry().size();
}

Ausgabe::~Ausgabe() = default; // here, where the side windows' types are complete

void Ausgabe::menuesBauen()
{
    QMenu* datei = menuBar()->addMenu(QStringLiteral("Datei"));
    datei->setObjectName(QStringLiteral("Datei"));
    menuePunkt(datei, QStringLiteral("MachsNeu"), QStringLiteral("Neu"), false, [this] { MachsNeu_Click(); });
    menuePunkt(datei, QStringLiteral("Öffnen"), QStringLiteral("Öffnen"), false, [this] { Oeffnen_Click(); });
    menuePunkt(datei, QStringLiteral("Aktualisieren"), QStringLiteral("Aktualisieren"), false,
        [this] { Aktualisieren_Click(); });
    menuePunkt(datei, QStringLiteral("Beenden"), QStringLiteral("Beenden"), false, [this] { Beenden_Click(); });

    QMenu* fenster = menuBar()->addMenu(QStringLiteral("Fenster"));
    fenster->setObjectName(QStringLiteral("Fenster"));
    const char* seiten[] = { "Punkte", "Dreiecke", "Vierecke", "Polygone", "Bewegungen", "Zoom", "Koordinaten" };
    for (int i = 0; i < Seite::Anzahl; ++i)
        m_p.f.Shows[i] = menuePunkt(fenster, QStringLiteral("Shows_%1").arg(i), QString::fromLatin1(seiten[i]), true,
            [this, i] { Shows_Click(i); });

    QMenu* optionen = menuBar()->addMenu(QStringLiteral("Optionen"));
    optionen->setObjectName(QStringLiteral("Optionen"));
    const char* arten[] = { "Markieren manuell", "Markiere mit Einem", "Markiere mit Zweien", "Markiere mit Dreien" };
    for (int i = 0; i < 4; ++i)
        m_p.f.MarkWith[i] = menuePunkt(optionen, QStringLiteral("MarkWith_%1").arg(i), QString::fromLatin1(arten[i]),
            true, [this, i] { MarkWith_Click(i); });
    m_p.f.AuReDra = menuePunkt(optionen, QStringLiteral("AuReDra"),
        QStringLiteral("Automatische Wiederselbstherstellung"), true, [this] { AuReDra_Click(); });
}

void Ausgabe::seitenfensterBauen()
{
    const struct {
        const char *name, *titel, *liste;
        QSize twips;
    } listen[ArtAnzahl] = { { "Punkts", "Punkte", "PunktList", { 2970, 4185 } },
        { "Dreie", "Dreiecke", "DreieList", { 2130, 3255 } }, { "Viere", "Vierecke", "ViereList", { 2220, 3195 } },
        { "Polys", "Polygone", "PolyList", { 4065, 1725 } } };
    for (std::size_t i = 0; i < ArtAnzahl; ++i) {
        m_listen[i] = std::make_unique<ListenFenster>(m_p.listen[Art(i)], QString::fromLatin1(listen[i].name),
            QString::fromLatin1(listen[i].titel), QString::fromLatin1(listen[i].liste), listen[i].twips);
        m_p.f.seiten[i] = m_listen[i].get();
    }

    m_bewegung = std::make_unique<BewegungsFenster>(m_p);
    m_p.f.seiten[Seite::BewegungsFenster] = m_bewegung.get();
    m_p.f.MoveTimer = m_bewegung->MoveTimer;

    m_zoom = std::make_unique<ZoomFenster>(m_p);
    m_p.f.seiten[Seite::ZoomFenster] = m_zoom.get();
    m_p.f.ZoomScroll = m_zoom->ZoomScroll;

    m_koords = std::make_unique<KoordsFenster>();
    m_p.f.seiten[Seite::KoordsFenster] = m_koords.get();
    m_p.f.Label1 = m_koords->Label1;
    m_p.f.koords = m_koords.get();

    for (int i = 0; i < Seite::Anzahl; ++i)
        m_p.f.seiten[i]->beiSchliessen = [this, i] { ZeigFenster::fensterSchliessen(m_p, i); };

    // A release in the points list re-marks the elements by the marking mode; in the other lists it
    // shows the new selection.
    m_listen[0]->liste()->beiMausHoch = [this] {
        MarkierungAnwenden(m_p);
        ZeigFenster::ListenTitelSetzen(m_p);
    };
    for (int i = 1; i < 4; ++i)
        m_listen[i]->liste()->beiMausHoch = [this] {
            ZeigFenster::ListenTitelSetzen(m_p);
            AllesZeichnen(m_p);
        };
}

void Ausgabe::zeigen()
{
    zentrieren();
    m_zentrieren = true;
    show();
}

void Ausgabe::zentrieren()
{
    if (const QScreen* schirm = screen()) {
        const QSize gesamt = frameGeometry().size();
        move(schirm->availableGeometry().center() - QPoint(gesamt.width() / 2, gesamt.height() / 2));
    }
}

void Ausgabe::Form_Resize()
{
    m_gesamtGroesse = frameGeometry().size();
    ZoomSetzen(m_p);
    AllesZeichnen(m_p);
}

void Ausgabe::changeEvent(QEvent* ereignis)
{
    QMainWindow::changeEvent(ereignis);
    // Minimising and restoring change no size of the client area, yet they refit the view.
    if (ereignis->type() == QEvent::WindowStateChange)
        Form_Resize();
}

void Ausgabe::moveEvent(QMoveEvent* ereignis)
{
    QMainWindow::moveEvent(ereignis);
    // A window manager puts its frame around the window only when it maps it, after the start-up fitted
    // the view. The client area keeps its size, so no resize tells of it, but the overall size that the
    // view is fitted to has grown, and the window moved in its frame: the view is fitted anew, and the
    // window centred by its whole size.
    if (frameGeometry().size() == m_gesamtGroesse)
        return;
    if (m_zentrieren) {
        m_zentrieren = false;
        zentrieren();
    }
    Form_Resize();
}

void Ausgabe::dragEnterEvent(QDragEnterEvent* ereignis)
{
    // The moves over the window keep this answer: a drag's data stay as they are.
    ablageAnnehmen(*ereignis);
}

void Ausgabe::dropEvent(QDropEvent* ereignis)
{
    // Opened once the drop is over: the source waits for its end, which the open's boxes would hold up.
    if (const auto pfad = ablageAnnehmen(*ereignis))
        QMetaObject::invokeMethod(
            this, [this, pfad = *pfad] { DateiBefehle::dateiOeffnen(m_p, pfad); }, Qt::QueuedConnection);
}

std::optional<QString> Ausgabe::ablageAnnehmen(QDropEvent& ereignis)
{
    // A copy, never a move: a file manager deletes the file after a move.
    auto pfad = abgelegteDatei(*ereignis.mimeData());
    if (!pfad || !(ereignis.possibleActions() & Qt::CopyAction)) {
        ereignis.ignore();
        return std::nullopt;
    }
    ereignis.setDropAction(Qt::CopyAction);
    ereignis.accept();
    return pfad;
}

void Ausgabe::closeEvent(QCloseEvent* ereignis)
{
    ereignis->accept();
    m_p.beenden();
}

void Ausgabe::programmBeenden()
{
    if (m_endet)
        return;
    m_endet = true;
    // QApplication::quit() would first ask every window to close and give up when a side window
    // refuses; exit() leaves the event loop at once.
    for (SeitenFenster* fenster : m_p.f.seiten) {
        fenster->schliessenErlauben();
        fenster->hide();
    }
    hide();
    QCoreApplication::exit(0);
}

void Ausgabe::MachsNeu_Click()
{
    Auffrischen::Starten(m_p);
}

void Ausgabe::Oeffnen_Click()
{
    DateiBefehle::RwxOeffnen(m_p);
}

void Ausgabe::Aktualisieren_Click()
{
    DateiBefehle::RwxNeuLaden(m_p);
}

void Ausgabe::Beenden_Click()
{
    m_p.beenden();
}

void Ausgabe::AuReDra_Click()
{
    // The surface keeps its picture whatever the item says (a covered part of it always comes back), so
    // the item is left with its check mark, its clearing and its redraw.
    m_p.f.leinwand->loeschen();
    m_p.f.AuReDra->setChecked(!m_p.f.AuReDra->isChecked());
    AllesZeichnen(m_p);
}

void Ausgabe::Shows_Click(int index)
{
    ZeigFenster::FensterUmschalten(m_p, index);
}

void Ausgabe::MarkWith_Click(int index)
{
    m_p.s.Markierart = static_cast<std::int16_t>(index);
    MarkierungAnwenden(m_p);
}

void Ausgabe::mausRunter(int taste, float x, float y)
{
    Szene& s = m_p.s;
    s.Maustaste = static_cast<float>(taste);
    Auswahl::PunktFangen(s, *m_p.f.leinwand, x, y);
    // Every button but the left one may begin a drag: the rotation starts from this press.
    if (taste != 1) {
        s.Druckmatrix = s.Drehmatrix;
        Mathe::NeuerVektor(s.Druckvektor, x, y, 2 * s.Ausdehnung);
    }
    AllesZeichnen(m_p);
}

void Ausgabe::mausBewegt(int tasten, float x, float y)
{
    if (tasten == 2)
        Bewegungen::MausDrehen(m_p.s, m_p.listen, *m_p.f.leinwand, x, y);
    Auswahl::PunktZeigen(m_p.s, *m_koords, x, y);
}

void Ausgabe::mausHoch(int, float, float)
{
    // The main window goes behind every other window and the coordinates window to the front; neither
    // is shown or hidden by it.
    lower();
    m_p.f.seiten[Seite::KoordsFenster]->raise();
}

void Ausgabe::klick()
{
    if (m_p.s.Maustaste == 1.0f)
        Auswahl::PunktUmschalten(m_p.s, m_p.listen, *this, *m_p.f.leinwand);
    else if (m_p.s.Maustaste == 2.0f)
        AllesZeichnen(m_p);
}

void Ausgabe::doppelklick()
{
    if (m_p.s.Maustaste == 2.0f)
        m_p.f.ZoomScroll->setValue(zoomNachDoppelklick(m_p.f.ZoomScroll->value()));
}

void Ausgabe::markierartZeigen(int art)
{
    // Each item set to its state at once: one that keeps its check mark sends no change to its menu.
    for (std::size_t i = 0; i < m_p.f.MarkWith.size(); ++i)
        m_p.f.MarkWith[i]->setChecked(static_cast<int>(i) == art);
}

int Ausgabe::zoomWert() const
{
    return m_p.f.ZoomScroll->value();
}

bool Ausgabe::hauptfensterMinimiert() const
{
    return isMinimized();
}

QSize Ausgabe::hauptfensterRahmen() const
{
    return frameGeometry().size();
}

void Ausgabe::seitenfensterMinimieren(bool minimiert)
{
    if (minimiert)
        ZeigFenster::FensterMinimieren(m_p);
    else
        ZeigFenster::FensterNormal(m_p);
}

} // namespace zem
