#include "platform/FeldText.h"

#include <QTest>

using namespace zem;

// A field that is valid UTF-8 as a whole reads as UTF-8, any other as Windows-1252 as a whole.
class TestFeldText : public QObject {
    Q_OBJECT
private slots:
    void feldText_data()
    {
        QTest::addColumn<QByteArray>("feld");
        QTest::addColumn<QString>("text");
        QTest::newRow("ascii") << QByteArray("vertex 1 2 3") << QStringLiteral("vertex 1 2 3");
        QTest::newRow("utf-8") << QByteArray("# W\xC3\xBCrfel \xE2\x82\xAC") << QStringLiteral("# Würfel €");
        QTest::newRow("1252") << QByteArray("# W\xFCrfel \x80\x9F") << QStringLiteral("# Würfel €Ÿ");
        // One byte that is no UTF-8 makes the whole field Windows-1252, the valid sequence too.
        QTest::newRow("gemischt") << QByteArray("\xC3\xBC \xFC") << QStringLiteral("Ã¼ ü");
        QTest::newRow("undefiniert") << QByteArray("\x81\x8D\x8F\x90\x9D")
                                     << QString::fromUtf16(u"\u0081\u008D\u008F\u0090\u009D");
        QTest::newRow("abgeschnitten") << QByteArray("a\xC3") << QStringLiteral("aÃ");
    }
    void feldText()
    {
        QFETCH(QByteArray, feld);
        QTEST(FeldText(feld), "text");
    }
};

QTEST_MAIN(TestFeldText)
#include "tst_feldtext.moc"
