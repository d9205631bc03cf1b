#include "eventlog/store/DatabaseLock.h"

#include <QFile>
#include <fcntl.h>
#include <unistd.h>

namespace {

struct flock wholeFile(short type) {
    struct flock lock = {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    return lock;
}

int openFile(const QString& path) {
    return ::open(QFile::encodeName(path).constData(), O_RDWR | O_CLOEXEC);
}

} // namespace

void TDatabaseLock::Acquire(const QString& path) {
    Release();
    fd_ = openFile(path);
    if (fd_ < 0)
        return;
    struct flock lock = wholeFile(F_WRLCK);
    if (::fcntl(fd_, F_OFD_SETLK, &lock) != 0)
        Release();
}

void TDatabaseLock::Release() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

bool TDatabaseLock::HeldElsewhere(const QString& path) {
    const int fd = openFile(path);
    if (fd < 0)
        return false;
    struct flock lock = wholeFile(F_WRLCK);
    const bool held = ::fcntl(fd, F_OFD_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
    ::close(fd);
    return held;
}
