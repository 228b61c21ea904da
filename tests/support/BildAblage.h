#pragma once

// For picture tests: a failure leaves the drawn and the expected picture beside the test's output, where
// an image viewer can put them side by side.

#include <QDir>
#include <QImage>
#include <QRegularExpression>
#include <QTest>

namespace zem::test {

// Writes both pictures as PNG files named after the test function and its row into the working folder,
// and returns a failure message that names them.
inline QString bilderAblegen(const QImage& gezeichnet, const QImage& erwartet)
{
    QString name = QString::fromUtf8(QTest::currentTestFunction()) + '-' + QString::fromUtf8(QTest::currentDataTag());
    name.replace(QRegularExpression("[^A-Za-z0-9_-]+"), "_");
    const QString drawn = QDir::current().absoluteFilePath(name + "-drawn.png");
    const QString expected = QDir::current().absoluteFilePath(name + "-expected.png");
    gezeichnet.save(drawn);
    erwartet.save(expected);
    return QStringLiteral("the pictures differ; see %1 and %2").arg(drawn, expected);
}

} // namespace zem::test
