#include "ui/main/Ausgabe.h"

#include "platform/Twips.h"

#include <QGuiApplication>
#include <QScreen>

namespace zem {

Ausgabe::Ausgabe(Dialoge& dialoge)
{
    setObjectName(QStringLiteral("Ausgabe"));
    setWindowTitle(QStringLiteral("ZemViewer"));
    m_p.dialoge = &dialoge;
    auto* flaeche = new Zeichenflaeche(this);
    flaeche->setObjectName(QStringLiteral("Flaeche"));
    flaeche->setEmpfaenger(this);
    setCentralWidget(flaeche);
    m_p.f.Ausgabe = this;
    m_p.f.Flaeche = flaeche;
    resize(twipsZuPixel(4680), twipsZuPixel(4380));
}

Ausgabe::~Ausgabe() = default;

void Ausgabe::zeigen()
{
    if (const QScreen* schirm = QGuiApplication::primaryScreen())
        move(schirm->availableGeometry().center() - rect().center());
    show();
}

void Ausgabe::mausRunter(int, int, float, float) {}
void Ausgabe::mausBewegt(int, int, float, float) {}
void Ausgabe::mausHoch(int, int, float, float) {}

} // namespace zem
