#include "TestProgramm.h"

#include "ui/side/ZeigFenster.h"

#include <QFile>
#include <QLabel>

namespace zem::test {

void TestDialoge::meldung(QWidget*, const QString& text, const QString& t)
{
    texte << text;
    titel << t;
}

std::optional<QString> TestDialoge::dateiOeffnen(QWidget*, const QString& t, const QString& filter, const QString&)
{
    dialogTitel = t;
    dialogFilter = filter;
    if (naechsteDateien.empty())
        return std::nullopt;
    const bool gewaehlt = naechsteDateien.front().has_value();
    const QString pfad = naechsteDateien.front().value_or(QString());
    naechsteDateien.pop_front();
    return gewaehlt ? std::optional<QString>(pfad) : std::nullopt;
}

BlankesProgramm::BlankesProgramm(QSize flaeche)
{
    m_flaeche = std::make_unique<Zeichenflaeche>();
    m_flaeche->resize(flaeche);
    p.f.Flaeche = m_flaeche.get();
    p.f.Ausgabe = m_flaeche.get();
    for (auto& liste : m_listen)
        liste = std::make_unique<Listenfeld>();
    p.f.PunktList = m_listen[0].get();
    p.f.DreieList = m_listen[1].get();
    p.f.ViereList = m_listen[2].get();
    p.f.PolyList = m_listen[3].get();
    for (int i = 0; i < 4; ++i) {
        m_markWith[i] = std::make_unique<QAction>();
        m_markWith[i]->setCheckable(true);
        p.f.MarkWith[i] = m_markWith[i].get();
    }
    m_koords = std::make_unique<SeitenFenster>(QStringLiteral("Punkt 0000"), QSize(1110, 720), true);
    p.f.Seiten[Seite::KoordsFenster] = m_koords.get();
    for (int j = 0; j < 3; ++j) {
        p.f.Label1[j] = new QLabel(QStringLiteral("-100.0001"), m_koords.get());
    }
    p.dialoge = &dialoge;
    p.seitenfensterZustand
        = [this](bool minimiert) { minimiert ? ZeigFenster::FensterMinimieren(p) : ZeigFenster::FensterNormal(p); };
}

BlankesProgramm::~BlankesProgramm() = default;

QString schreibeDatei(const QTemporaryDir& ordner, const QString& name, const QByteArray& inhalt)
{
    const QString pfad = ordner.filePath(name);
    QFile datei(pfad);
    if (!datei.open(QIODevice::WriteOnly))
        return {};
    datei.write(inhalt);
    return pfad;
}

TestAusgabe::TestAusgabe()
    : ausgabe(std::make_unique<Ausgabe>(dialoge))
{
    ausgabe->programm().beenden = [this] { ++beendet; };
}

} // namespace zem::test
