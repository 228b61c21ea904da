#include "platform/Dialoge.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace zem {

void QtDialoge::meldung(QWidget* eltern, const QString& text, const QString& titel)
{
    QMessageBox box(
        QMessageBox::NoIcon, titel.isEmpty() ? QApplication::applicationName() : titel, text, QMessageBox::Ok, eltern);
    box.exec();
}

QStringList qtNamensfilter(const QString& filter)
{
    // Qt shows the description and filters by the patterns in its parentheses, so each entry keeps its
    // description and gets its pattern list there when the description does not already name it.
    QStringList ergebnis;
    const QStringList teile = filter.split(QLatin1Char('|'));
    for (int i = 0; i + 1 < teile.size(); i += 2) {
        const QString& text = teile[i];
        const QString& muster = teile[i + 1];
        ergebnis << (text.contains(QLatin1Char('(')) ? text : text + QStringLiteral(" (") + muster + QLatin1Char(')'));
    }
    return ergebnis;
}

std::optional<QString> QtDialoge::dateiOeffnen(
    QWidget* eltern, const QString& titel, const QString& filter, const QString& bisher)
{
    QFileDialog dialog(eltern, titel);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setNameFilters(qtNamensfilter(filter));
    if (!bisher.isEmpty())
        dialog.selectFile(bisher);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QFileInfo(dialog.selectedFiles().constFirst()).absoluteFilePath();
}

} // namespace zem
