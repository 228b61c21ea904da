#include "ui/widgets/Dialoge.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>

namespace zem {

void QtDialoge::meldung(QWidget* eltern, const QString& text, const QString& titel)
{
    QMessageBox box(
        QMessageBox::NoIcon, titel.isEmpty() ? QApplication::applicationName() : titel, text, QMessageBox::Ok, eltern);
    // Qt sizes a box for its title in a normal font and a small allowance. Window managers draw the
    // title in bold, beside an icon and up to three buttons, and cut a title that does not fit: the box
    // is made at least that wide, with room for those four at a title bar's height each.
    QFont fett = box.font();
    fett.setBold(true);
    const QFontMetrics mass(fett);
    if (auto* gitter = qobject_cast<QGridLayout*>(box.layout())) {
        const int breite = mass.horizontalAdvance(box.windowTitle()) + 4 * 2 * mass.height();
        gitter->addItem(new QSpacerItem(breite, 0, QSizePolicy::Fixed, QSizePolicy::Minimum), gitter->rowCount(), 0, 1,
            gitter->columnCount());
    }
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
    // Only an existing file; Qt's dialog has no read-only check box to hide and always takes long names.
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(qtNamensfilter(filter));
    if (!bisher.isEmpty())
        dialog.selectFile(bisher);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QFileInfo(dialog.selectedFiles().constFirst()).absoluteFilePath();
}

} // namespace zem
