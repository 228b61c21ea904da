#pragma once

// Helpers for the reader's tests: read a file the way the open command does, and describe the scene
// as a short text that a test can compare whole.

#include "TestProgramm.h"

#include "model/Anfang.h"
#include "model/RwxToZem.h"
#include "model/ZahlFehler.h"
#include "platform/FeldEingabe.h"

#include <QByteArray>
#include <QString>

#include <algorithm>

namespace zem::test {

// Resets the scene and reads the file. Gives "" when the reading ends normally, "Eingabe" or "Zahl"
// for the error it ends with; any other exception reaches the test.
inline QString liesDatei(Programm& p, const QString& pfad)
{
    Anfang::Zuruecksetzen(p);
    try {
        RwxToZem::ModellLesen(p, pfad);
    } catch (const ZahlFehler&) {
        return QStringLiteral("Zahl");
    } catch (const EingabeFehler&) {
        return QStringLiteral("Eingabe");
    }
    return {};
}

inline QString lies(Programm& p, const QByteArray& inhalt)
{
    QTemporaryDir ordner;
    return liesDatei(p, schreibeDatei(ordner, QStringLiteral("modell.rwx"), inhalt));
}

// A file with the statements in its first clump, one field per line.
inline QByteArray modell(const QByteArray& anweisungen)
{
    return "modelbegin\nclumpbegin\n" + anweisungen + "\nclumpend\nmodelend\n";
}

// The model as read, bounded by the counts: "P(x y z).. D(a b c).. V(a b c d).. G(n: a ..).. A<extent>
// L<list entry counts>", for example "P(1 0 0) D V G A1 L1 0 0 0".
inline QString szeneText(const Programm& p)
{
    const Szene& s = p.s;
    const auto zahl = [](double w) { return QString::number(w, 'g', 9); };
    QString t = QStringLiteral("P");
    for (int i = 1; i <= s.AnzPunkte; ++i)
        t += QStringLiteral("(%1 %2 %3)").arg(zahl(s.Punkte(i).X), zahl(s.Punkte(i).Y), zahl(s.Punkte(i).Z));
    const auto ecken = [&](const auto& ecke) {
        QStringList teile;
        for (auto e : ecke)
            teile << QString::number(e);
        return QLatin1Char('(') + teile.join(QLatin1Char(' ')) + QLatin1Char(')');
    };
    t += QStringLiteral(" D");
    for (int i = 1; i <= s.AnzDreiecke; ++i)
        t += ecken(s.Dreiecke(i).ecke);
    t += QStringLiteral(" V");
    for (int i = 1; i <= s.AnzVierecke; ++i)
        t += ecken(s.Vierecke(i).ecke);
    t += QStringLiteral(" G");
    for (int i = 1; i <= s.AnzPolygone; ++i) {
        const auto& slot = s.Polygone(i).slot;
        t += QStringLiteral("(%1:").arg(slot[0]);
        for (int j = 1; j <= std::min<int>(slot[0], 50); ++j)
            t += QStringLiteral(" %1").arg(slot[j]);
        t += QLatin1Char(')');
    }
    t += QStringLiteral(" A") + zahl(s.Ausdehnung);
    t += QStringLiteral(" L%1 %2 %3 %4")
             .arg(p.f.PunktList->ListCount())
             .arg(p.f.DreieList->ListCount())
             .arg(p.f.ViereList->ListCount())
             .arg(p.f.PolyList->ListCount());
    return t;
}

} // namespace zem::test
