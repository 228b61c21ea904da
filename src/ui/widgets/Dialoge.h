#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace zem {

// The modal dialogs of the program, behind one seam so that tests can answer them without a modal loop.
class Dialoge {
public:
    virtual ~Dialoge() = default;
    // A message box with an OK button and no icon; an empty title shows the program's title.
    virtual void meldung(QWidget* eltern, const QString& text, const QString& titel) = 0;
    // The file-open dialog: only an existing file may be chosen. The filter holds description and pattern
    // pairs, all separated by "|" ("Text (*.a)|*.a|Alle (*.*)|*.*"). Gives the chosen file's full path,
    // or nothing when the user cancels.
    virtual std::optional<QString> dateiOeffnen(
        QWidget* eltern, const QString& titel, const QString& filter, const QString& bisher)
        = 0;
};

// The dialogs on screen: QMessageBox and QFileDialog.
class QtDialoge : public Dialoge {
public:
    void meldung(QWidget* eltern, const QString& text, const QString& titel) override;
    std::optional<QString> dateiOeffnen(
        QWidget* eltern, const QString& titel, const QString& filter, const QString& bisher) override;
};

// Turns a filter of description and pattern pairs separated by "|"
// ("Text (*.a)|*.a|Alle (*.*)|*.*"), into Qt's name filters.
QStringList qtNamensfilter(const QString& filter);

} // namespace zem
