#include "platform/Listenfeld.h"

#include <QTest>

using namespace zem;

namespace {

QModelIndex zeile(Listenfeld& l, int k)
{
    return l.model()->index(k, 0);
}

// Runs one step of a script on the list: "add n", "sel k...", "aus k...", "ins k", "del k", "bereich a b",
// "umschalten a b", "alle", "keine", "leeren", "sortieren", "schieben von nach", "eintrag k".
void schritt(Listenfeld& l, const QString& befehl)
{
    const QStringList teile = befehl.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QString was = teile.value(0);
    QList<int> zahlen;
    for (int i = 1; i < teile.size(); ++i)
        zahlen << teile[i].toInt();
    if (was == QLatin1String("add")) {
        for (int i = 0; i < zahlen[0]; ++i)
            l.AddItem(QString::number(l.ListCount() + 1));
    } else if (was == QLatin1String("sel") || was == QLatin1String("aus")) {
        for (int k : zahlen)
            l.setSelected(k, was == QLatin1String("sel"));
    } else if (was == QLatin1String("ins")) {
        l.insertItem(zahlen[0], QStringLiteral("neu"));
    } else if (was == QLatin1String("del")) {
        delete l.takeItem(zahlen[0]);
    } else if (was == QLatin1String("bereich") || was == QLatin1String("umschalten")) {
        l.selectionModel()->select(QItemSelection(zeile(l, zahlen[0]), zeile(l, zahlen[1])),
            was == QLatin1String("bereich") ? QItemSelectionModel::Select : QItemSelectionModel::Toggle);
    } else if (was == QLatin1String("alle")) {
        l.selectAll();
    } else if (was == QLatin1String("keine")) {
        l.clearSelection();
    } else if (was == QLatin1String("leeren")) {
        l.Clear();
    } else if (was == QLatin1String("sortieren")) {
        l.sortItems(Qt::DescendingOrder);
    } else if (was == QLatin1String("schieben")) {
        l.model()->moveRow(QModelIndex(), zahlen[0], QModelIndex(), zahlen[1]);
    } else if (was == QLatin1String("eintrag")) {
        l.item(zahlen[0])->setSelected(true);
    } else {
        QFAIL(qPrintable(QStringLiteral("unknown step ") + befehl));
    }
}

// The list's answers against the selection model's, for every row and one beyond each end.
void vergleiche(Listenfeld& l, const QString& nach)
{
    int anzahl = 0;
    for (int k = -1; k <= l.count(); ++k) {
        const bool erwartet = k >= 0 && k < l.count() && l.selectionModel()->isSelected(zeile(l, k));
        anzahl += erwartet ? 1 : 0;
        QVERIFY2(l.Selected(k) == erwartet, qPrintable(QStringLiteral("row %1 after %2").arg(k).arg(nach)));
    }
    QVERIFY2(l.SelCount() == anzahl, qPrintable(QStringLiteral("count after ") + nach));
}

} // namespace

class TestListenfeld : public QObject {
    Q_OBJECT
private slots:
    // The list keeps its own record of the selection; after every step of these scripts it must agree
    // with the selection model on every row.
    void auswahlBleibtImSchritt_data()
    {
        QTest::addColumn<QString>("skript");
        QTest::newRow("waehlen und abwaehlen") << "add 10; sel 0 3 9; aus 3; sel 3 3";
        QTest::newRow("einfuegen schiebt") << "add 10; sel 2 5 9; ins 3; ins 0; ins 12";
        QTest::newRow("einfuegen in einen bereich") << "add 10; bereich 2 6; ins 4; ins 2; ins 9";
        QTest::newRow("entfernen") << "add 10; sel 2 5 7; del 5; del 0; del 7";
        QTest::newRow("bereich teilweise entfernen") << "add 10; bereich 2 6; del 3; del 2; del 3";
        QTest::newRow("alle und keine") << "add 5; alle; aus 2; keine; sel 4";
        QTest::newRow("umschalten") << "add 8; bereich 0 7; umschalten 2 5; umschalten 4 7";
        QTest::newRow("leeren und neu") << "add 5; alle; leeren; add 3; sel 1";
        QTest::newRow("sortieren") << "add 6; sel 0 1; sortieren";
        QTest::newRow("verschieben") << "add 6; sel 0 4; schieben 0 5; schieben 4 1";
        QTest::newRow("ueber eintraege") << "add 4; eintrag 2; eintrag 0";
        QTest::newRow("ueber den vorrat hinaus")
            << "add 1100; sel 5 1022 1023 1024 1099; del 3; ins 1020; bereich 1000 1050; del 1010; "
               "ins 0; ins 0; del 1030; umschalten 1020 1030";
        QTest::newRow("viele am stueck entfernen") << "add 1100; bereich 1020 1090; del 0; del 0; del 1000";
    }
    void auswahlBleibtImSchritt()
    {
        QFETCH(QString, skript);
        Listenfeld l;
        for (const QString& befehl : skript.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            schritt(l, befehl.trimmed());
            vergleiche(l, befehl.trimmed());
        }
    }

    // A click toggles one entry, and the list sees it.
    void klickSchaltetUm()
    {
        Listenfeld l;
        for (int k = 0; k < 5; ++k)
            l.AddItem(QString::number(k + 1));
        l.resize(200, 200);
        l.show();
        QVERIFY(QTest::qWaitForWindowExposed(&l));
        int losgelassen = 0;
        l.beiMausHoch = [&] { ++losgelassen; };
        const auto klick
            = [&](int k) { QTest::mouseClick(l.viewport(), Qt::LeftButton, {}, l.visualItemRect(l.item(k)).center()); };
        klick(1);
        klick(3);
        QVERIFY(l.Selected(1));
        QVERIFY(l.Selected(3));
        QCOMPARE(l.SelCount(), 2);
        klick(1);
        QVERIFY(!l.Selected(1));
        QCOMPARE(l.SelCount(), 1);
        QCOMPARE(losgelassen, 3);
        vergleiche(l, QStringLiteral("clicks"));
    }

    // Another selection model set later is followed as well.
    void neuesAuswahlmodell()
    {
        Listenfeld l;
        for (int k = 0; k < 4; ++k)
            l.AddItem(QString::number(k + 1));
        l.setSelected(1, true);
        auto* neu = new QItemSelectionModel(l.model(), &l);
        neu->select(zeile(l, 2), QItemSelectionModel::Select);
        l.setSelectionModel(neu);
        vergleiche(l, QStringLiteral("new model"));
        QVERIFY(l.Selected(2));
        l.setSelected(3, true);
        vergleiche(l, QStringLiteral("select on new model"));
        QVERIFY(l.Selected(3));
    }
};

QTEST_MAIN(TestListenfeld)
#include "tst_listenfeld.moc"
