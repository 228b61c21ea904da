// The reader on whole files, in a German locale, into the program's element lists and message boxes
// without its windows: the scene is compared as a short text "P(x y z).. D(a b c).. V(a b c d)..
// G(n: a ..).. A<extent>" (data/rwxleser.txt tells the form), the list entries and messages with it.

#include "TestProgramm.h"

#include "model/Anfang.h"
#include "model/RwxToZem.h"

#include <QDir>
#include <QRegularExpression>
#include <QTest>

#include <array>
#include <charconv>
#include <clocale>
#include <cstdlib>

using namespace zem;

namespace {
// The fixture's text as bytes: %XX is the byte of that hex number.
QByteArray bytes(const QString& text)
{
    return QByteArray::fromPercentEncoding(text.toUtf8());
}

// Numbers with the sign of a negative zero, which Qt leaves out.
template <typename Werte> QString zahlen(const Werte& werte, int von, int bis)
{
    QString t;
    for (int i = von; i < bis; ++i) {
        char zahl[32] = { ' ' };
        const double w = werte[std::size_t(i)];
        t += QLatin1String(zahl, std::to_chars(zahl + 1, zahl + 32, w, std::chars_format::general, 9).ptr);
    }
    return t;
}

// The element list of a kind, P D V G.
const Listenfeld* liste(const Programm& p, QChar art)
{
    const std::array listen { p.f.PunktList, p.f.DreieList, p.f.ViereList, p.f.PolyList };
    return listen[std::size_t(QStringLiteral("PDVG").indexOf(art))];
}

QString szeneText(const Programm& p)
{
    const Szene& s = p.s;
    QString t;
    const auto art = [&](const char* name, int n, auto element) {
        const int eintraege = liste(p, QLatin1Char(name[1]))->ListCount();
        t += n != 0 || eintraege != 0 ? QLatin1String(name) : QLatin1String();
        for (int i = 1; i <= n && n <= 9; ++i)
            t += QLatin1Char('(') + element(i).trimmed() + QLatin1Char(')');
        t += n > 9 ? QStringLiteral("#%1").arg(n) : QString();
        t += eintraege != n ? QStringLiteral("[%1]").arg(eintraege) : QString();
    };
    art(" P", s.AnzPunkte, [&](int i) {
        return zahlen(std::array { s.Punkte(i).X, s.Punkte(i).Y, s.Punkte(i).Z }, 0, 3);
    });
    art(" D", s.AnzDreiecke, [&](int i) { return zahlen(s.Dreiecke(i).ecke, 0, 3); });
    art(" V", s.AnzVierecke, [&](int i) { return zahlen(s.Vierecke(i).ecke, 0, 4); });
    art(" G", s.AnzPolygone, [&](int i) {
        const auto& g = s.Polygone(i).slot;
        return QString::number(g[0]) + ':' + zahlen(g, 1, std::clamp(g[0] + 1, 1, int(g.size())));
    });
    return (t + QStringLiteral(" A") + QString::number(s.Ausdehnung, 'g', 9)).trimmed();
}

} // namespace

class TestRwxLeser : public QObject {
    Q_OBJECT
private slots:
    // Qt sets the C library's locale from the environment; in a German one, strtod reads "1.5" as 1.
    void initTestCase()
    {
        QVERIFY2(std::setlocale(LC_ALL, "de_DE.UTF-8"), "no German locale: scripts/abhaengigkeiten test makes it");
        QCOMPARE(std::strtod("1.5", nullptr), 1.0);
    }

    void lesen_data()
    {
        QTest::addColumn<QByteArray>("inhalt");
        QTest::addColumn<QString>("szene");
        QTest::addColumn<QString>("fehler");
        QTest::addColumn<QString>("meldung"); // "title|text" of each message box
        QTest::addColumn<QStringList>("eintraege"); // "P12> text": entry 12 of the points list
        QTest::addColumn<QString>("datei"); // a file of examples/ read instead of inhalt

        QFile faelle(QStringLiteral(ZEM_TESTDATA_DIR "/rwxleser.txt"));
        QVERIFY(faelle.open(QIODevice::ReadOnly));
        for (const QString& fall : QString::fromUtf8(faelle.readAll()).split(QStringLiteral("\n== ")).mid(1)) {
            QStringList z = fall.split(u'\n');
            const QByteArray name = z.takeFirst().toUtf8();
            const qsizetype ergebnis = z.indexOf(QRegularExpression(QStringLiteral("=> .*")));
            const auto wert = [&](const char* marke) {
                const QStringList treffer = z.mid(ergebnis).filter(QRegularExpression(QLatin1Char('^') + marke));
                return treffer.isEmpty() ? QString() : QString::fromUtf8(bytes(treffer[0].mid(3))).replace("\\n", "\n");
            };
            QString inhalt;
            for (const QString& m : z.first(ergebnis)) {
                const auto n = QRegularExpression(QStringLiteral("^(\\d+)\\* (.*)$")).match(m);
                const QString zeile = n.hasMatch() ? n.captured(2) : m;
                inhalt += (zeile.endsWith(u'%') ? zeile.chopped(1) : zeile + u'\n')
                              .repeated(n.hasMatch() ? n.captured(1).toInt() : 1);
            }
            QTest::newRow(name.constData())
                << bytes(inhalt) << wert("=> ") << wert("!> ") << wert("\\?> ")
                << z.mid(ergebnis).filter(QRegularExpression(QStringLiteral("^[PDVG]\\d+> ")))
                << (inhalt.startsWith(u'<') ? inhalt.mid(2).trimmed() : QString());
        }
    }
    void lesen()
    {
        QFETCH(QByteArray, inhalt);
        QFETCH(QString, datei);
        QFETCH(QStringList, eintraege);
        QTemporaryDir ordner;
        test::TestAusgabe t;
        t.dialoge.titel.clear(); // the welcome box
        t.dialoge.texte.clear();
        Programm& p = t.p();
        Anfang::SzeneZuruecksetzen(p.s);
        const uint offen = QDir(QStringLiteral("/proc/self/fd")).count();
        QString fehler;
        try {
            RwxToZem::ModellLesen(p,
                datei.isEmpty() ? test::schreibeDatei(ordner, QStringLiteral("m.rwx"), inhalt)
                                : QStringLiteral(ZEM_EXAMPLES_DIR "/") + datei);
        } catch (const ZahlFehler&) {
            fehler = QStringLiteral("Zahl");
        } catch (const EingabeFehler&) {
            fehler = QStringLiteral("Eingabe");
        }
        QTEST(fehler, "fehler");
        QCOMPARE(QDir(QStringLiteral("/proc/self/fd")).count(), offen); // the file is closed
        QTEST(szeneText(p), "szene");
        QString meldungen;
        for (qsizetype i = 0; i < t.dialoge.titel.size(); ++i)
            meldungen += t.dialoge.titel[i] + u'|' + t.dialoge.texte[i];
        QTEST(meldungen, "meldung");
        for (const QString& e : eintraege) {
            const qsizetype pfeil = e.indexOf(u'>');
            QCOMPARE(liste(p, e[0])->model()->index(e.mid(1, pfeil - 1).toInt() - 1, 0).data().toString(),
                QString::fromUtf8(bytes(e.mid(pfeil + 2))));
        }
    }
};

QTEST_MAIN(TestRwxLeser)
#include "tst_rwxleser.moc"
