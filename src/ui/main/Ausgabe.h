#pragma once

#include "platform/Baender.h"
#include "ui/main/Programm.h"
#include "ui/widgets/Dialoge.h"
#include "ui/widgets/Zeichenflaeche.h"

#include <QMainWindow>

#include <memory>
#include <optional>

class QMenu;
class QMimeData;

namespace zem {

class BewegungsFenster;
class KoordsFenster;
class ListenFenster;
class ZoomFenster;

// The main window: the drawing surface, the menus "Datei", "Fenster" and "Optionen", and the owner of
// the seven side windows. Its handlers only pass events on to the procedures.
class Ausgabe : public QMainWindow, public MausEmpfaenger, public MarkierartAnzeige, public Fensterlage {
    Q_OBJECT
public:
    // Builds every window, shows the welcome box and starts into the empty state. The window itself is
    // shown by zeigen().
    explicit Ausgabe(Dialoge& dialoge);
    ~Ausgabe() override;

    // Shows the window in the centre of the screen.
    void zeigen();

    Programm& programm() { return m_p; }
    BewegungsFenster& bewegungsFenster() const { return *m_bewegung; }

    void mausRunter(int taste, float x, float y) override;
    void mausBewegt(int tasten, float x, float y) override;
    void mausHoch(int taste, float x, float y) override;
    void klick() override;
    void doppelklick() override;

    void markierartZeigen(int art) override;
    int zoomWert() const override;
    bool hauptfensterMinimiert() const override;
    QSize hauptfensterRahmen() const override;
    void seitenfensterMinimieren(bool minimiert) override;

    // The menu commands.
    void MachsNeu_Click();
    void Oeffnen_Click();
    void Aktualisieren_Click();
    void Beenden_Click();
    void AuReDra_Click();
    void Shows_Click(int index);
    void MarkWith_Click(int index);

protected:
    void closeEvent(QCloseEvent* ereignis) override;
    void changeEvent(QEvent* ereignis) override;
    void moveEvent(QMoveEvent* ereignis) override;
    void dragEnterEvent(QDragEnterEvent* ereignis) override;
    void dropEvent(QDropEvent* ereignis) override;

private:
    // Takes the drag as a copy when it names one file (abgelegteDatei) and the source lets it copy, and
    // gives that file's path; refuses it otherwise.
    std::optional<QString> ablageAnnehmen(QDropEvent& ereignis);
    void Form_Resize();
    // Puts the window, frame included, into the middle of the screen.
    void zentrieren();
    void menuesBauen();
    void seitenfensterBauen();
    // Ends the program at once: every window goes, no side window's close handler runs.
    void programmBeenden();

    Programm m_p;
    // The threads the surface draws the picture with.
    Raster::Baender m_baender;
    Zeichenflaeche* m_flaeche;
    std::unique_ptr<ListenFenster> m_listen[4];
    std::unique_ptr<BewegungsFenster> m_bewegung;
    std::unique_ptr<ZoomFenster> m_zoom;
    std::unique_ptr<KoordsFenster> m_koords;
    bool m_endet = false;
    QSize m_gesamtGroesse; // the overall size, frame included, of the last fit
    bool m_zentrieren = false; // centred before the window manager told its frame
};

// Half the zoom value plus 3, rounded to the nearest whole number with halves to the even neighbour:
// the zoom value after a right double click.
int zoomNachDoppelklick(int wert);

// The path of the file that dragged data name, when the main window takes them: exactly one address,
// a file of this machine (file:, no host or localhost) with an absolute path. Several files, other
// schemes and other machines are refused. A folder or a missing file is taken: the open names it in a
// message with the reason, which tells the user more than a refused drag.
std::optional<QString> abgelegteDatei(const QMimeData& daten);

} // namespace zem
