#include "TestProgramm.h"

#include <QFile>

namespace zem::test {

void TestDialoge::meldung(QWidget*, const QString& text, const QString& titel)
{
    meldungen << titel + '|' + text;
}

std::optional<QString> TestDialoge::dateiOeffnen(QWidget*, const QString& t, const QString& filter, const QString&)
{
    dialogTitel = t;
    dialogFilter = filter;
    return naechsteDateien.isEmpty() ? std::nullopt : std::optional<QString>(naechsteDateien.takeFirst());
}

QString schreibeDatei(const QTemporaryDir& ordner, const QString& name, const QByteArray& inhalt)
{
    QFile datei(ordner.filePath(name));
    return datei.open(QIODevice::WriteOnly) && datei.write(inhalt) == inhalt.size() ? datei.fileName() : QString();
}

TestAusgabe::TestAusgabe(QSize flaeche)
    : ausgabe(std::make_unique<Ausgabe>(dialoge))
{
    ausgabe->programm().beenden = [] {};
    if (flaeche.isValid())
        p().f.Flaeche->resize(flaeche);
}

} // namespace zem::test
