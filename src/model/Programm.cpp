#include "model/Programm.h"

#include <QFileInfo>

namespace zem {

QString DateiDialog::FileTitle() const
{
    return QFileInfo(FileName).fileName();
}

} // namespace zem
