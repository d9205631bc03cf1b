#include "eventlog/store/DatabasePath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <unistd.h>

QString DatabasePathFor(const QString& programFolder) {
    const QByteArray folder = QFile::encodeName(programFolder);
    if (!programFolder.isEmpty() && ::access(folder.constData(), W_OK | X_OK) == 0)
        return QDir(programFolder).filePath("Data.gdb");
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (dataHome.isEmpty() || !QDir::isAbsolutePath(dataHome))
        dataHome = QDir::homePath() + "/.local/share";
    const QString dorvel = dataHome + "/dorvel";
    QDir().mkpath(dorvel);
    return dorvel + "/Data.gdb";
}

QString DatabasePath() {
    return DatabasePathFor(QCoreApplication::applicationDirPath());
}
