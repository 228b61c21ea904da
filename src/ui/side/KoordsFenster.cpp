#include "ui/side/KoordsFenster.h"

#include "ui/widgets/Texte.h"
#include "ui/widgets/Twips.h"

#include <QLabel>

namespace zem {

KoordsFenster::KoordsFenster()
    : SeitenFenster(QStringLiteral("Punkt 0000"), { 1110, 720 }, true)
{
    setObjectName(QStringLiteral("KoordsFenster"));
    const char* achsen[3] = { "X:", "Y:", "Z:" };
    // The axis letters' labels are only 135 twips wide: "X:" fits there at 6 point.
    QFont buchstaben = font();
    buchstaben.setPointSizeF(6);
    for (int j = 0; j < 3; ++j) {
        Label3[j] = new QLabel(QLatin1String(achsen[j]), this);
        Label3[j]->setFont(buchstaben);
        Label3[j]->setObjectName(QStringLiteral("Label3_%1").arg(j));
        Label3[j]->setGeometry(twipsRechteck(0, 240 * j, 135, 255));
        Label1[j] = new QLabel(QStringLiteral("-100.0001"), this);
        Label1[j]->setObjectName(QStringLiteral("Label1_%1").arg(j));
        Label1[j]->setGeometry(twipsRechteck(240, 240 * j, 855, 255));
        Label3[j]->setBuddy(Label1[j]);
    }
    Label1[1]->setToolTip(QStringLiteral("y Koordinate"));
}

void KoordsFenster::koordinatenZeigen(QLatin1StringView titel, const std::array<QLatin1StringView, 3>& werte)
{
    titelSetzen(*this, titel);
    for (std::size_t j = 0; j < 3; ++j)
        textSetzen(*Label1[j], werte[j]);
}

} // namespace zem
