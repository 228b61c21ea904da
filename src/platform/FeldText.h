#pragma once

#include <QByteArrayView>
#include <QString>

namespace zem {

// The text of a field of a model file, as the lists and the messages show it. A field that is valid
// UTF-8 as a whole is read as UTF-8, which today's tools write; any other field is read as a whole as
// Windows-1252, in which older model files with German comments were written. Deciding per field keeps
// the bytes of one field in one encoding: a stray byte does not turn the rest of a UTF-8 field into
// Windows-1252, nor a Windows-1252 field half into UTF-8. ASCII reads the same either way. A byte order
// mark at the front of a UTF-8 field is kept as a character.
QString feldText(QByteArrayView feld);

} // namespace zem
