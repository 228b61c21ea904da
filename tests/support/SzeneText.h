#pragma once

// The scene as data/rwxleser.txt and data/ausgabe.txt write it, for the reader's test and the sessions.

#include "model/Szene.h"

#include <QList>
#include <QString>

#include <cmath>

namespace zem::test {

// "P(x y z).. D(a b c).. V(a b c d).. G(n: a ..).. A<extent>", more than nine elements as #count, a
// kind's entries (eintraege(k), k in the order P D V G) in brackets where they differ from its count.
inline QString szeneText(const Szene& s, auto eintraege)
{
    QString text;
    const auto zahlen = [](const auto& werte) { // -0 with its sign
        QString t;
        for (double w : werte)
            t += w == 0 && std::signbit(w) ? " -0" : ' ' + QString::number(w, 'g', 9);
        return t;
    };
    const auto art = [&](const char* name, int n, auto element) {
        const int e = eintraege(int(QString("PDVG").indexOf(name[1])));
        text += n != 0 || e != 0 ? name : "";
        for (int i = 1; i <= n && n <= 9; ++i)
            text += '(' + element(i).trimmed() + ')';
        text += (n > 9 ? QString("#%1").arg(n) : "") + (e != n ? QString("[%1]").arg(e) : "");
    };
    art(" P", s.AnzPunkte, [&](int i) { return zahlen(QList { s.Punkte(i).X, s.Punkte(i).Y, s.Punkte(i).Z }); });
    art(" D", s.AnzDreiecke, [&](int i) { return zahlen(s.Dreiecke(i).ecke); });
    art(" V", s.AnzVierecke, [&](int i) { return zahlen(s.Vierecke(i).ecke); });
    art(" G", s.AnzPolygone, [&](int i) { // the corner count, then the corners
        const auto& g = s.Polygone(i).slot;
        return QString::number(g[0]) + ':' + zahlen(QList(g.begin() + 1, g.begin() + 1 + qBound(0, int(g[0]), 51)));
    });
    return (text + " A" + QString::number(s.Ausdehnung, 'g', 9)).trimmed();
}

} // namespace zem::test
