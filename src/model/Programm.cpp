#include "model/Programm.h"

namespace zem {

QStringView DateiDialog::FileTitle() const
{
    return QStringView(FileName).mid(FileName.lastIndexOf(u'/') + 1);
}

} // namespace zem
