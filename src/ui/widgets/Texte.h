#pragma once

#include <QLatin1StringView>
#include <QStringView>

class QLabel;
class QWidget;

namespace zem {

// A window's title, vorne followed by hinten, and a label's text, each set only when it changes: a new
// QString allocates, and they are set on every mouse move and every load, mostly to what they were.
void titelSetzen(QWidget& fenster, QStringView vorne, QLatin1StringView hinten);
void titelSetzen(QWidget& fenster, QLatin1StringView titel);
void textSetzen(QLabel& label, QLatin1StringView text);

} // namespace zem
