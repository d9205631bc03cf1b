#include "tools/pictures/Pictures.h"

#include <QtGlobal>

void InitPictures() {
    Q_INIT_RESOURCE(pictures);
}
