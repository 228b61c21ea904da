#include "ui/widgets/Texte.h"

#include <QLabel>
#include <QWidget>

namespace zem {

void titelSetzen(QWidget& fenster, QStringView vorne, QLatin1StringView hinten)
{
    const QString alt = fenster.windowTitle();
    if (alt.size() == vorne.size() + hinten.size() && alt.startsWith(vorne) && alt.endsWith(hinten))
        return;
    fenster.setWindowTitle(vorne.toString() + hinten);
}

void titelSetzen(QWidget& fenster, QLatin1StringView titel)
{
    if (fenster.windowTitle() != titel)
        fenster.setWindowTitle(titel);
}

void textSetzen(QLabel& label, QLatin1StringView text)
{
    if (label.text() != text)
        label.setText(text);
}

} // namespace zem
