// The floor of any Qt program's start: loads Qt Gui, makes one image with it and exits.

#include <QImage>

int main()
{
    return QImage(1, 1, QImage::Format_RGB32).isNull() ? 1 : 0;
}
