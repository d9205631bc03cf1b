#include "tools/pictures/Pictures.h"

#include "platform/errors/Exception.h"

#include <QFileInfo>
#include <QtGlobal>

void InitPictures() {
    Q_INIT_RESOURCE(pictures);
    for (const char* picture : Pictures::All)
        if (QFileInfo(QString::fromLatin1(picture)).size() <= 0)
            throw EFileError(QStringLiteral("Picture not found: ") + QLatin1String(picture));
}
