#include "platform/comm/Comm.h"
#include "platform/comm/DeviceTable.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace comm {

namespace {

bool IsListed(Handle handle) {
    return DeviceTable::Get(handle).has_value();
}

// Waits for room to write; false when the device failed or hung up. A time
// of -1 waits as long as it takes.
bool WaitWritable(Handle handle, int timeoutMs, bool* ready) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        pollfd request{handle, POLLOUT, 0};
        int wait = timeoutMs;
        if (timeoutMs >= 0) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            wait = left.count() > 0 ? int(left.count()) : 0;
        }
        const int result = poll(&request, 1, wait);
        if (result < 0 && errno == EINTR)
            continue;
        if (result < 0 || (request.revents & (POLLERR | POLLHUP | POLLNVAL)))
            return false;
        *ready = result > 0;
        return true;
    }
}

} // namespace

Handle OpenPort(int portNumber) {
    const std::string path = PortDevicePath(portNumber);
    if (path.empty())
        return InvalidHandle;
    int fd;
    do
        fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return InvalidHandle;
    // The lock keeps out every other user of this layer, root included; the
    // exclusive mode keeps out other programs that open the terminal (except
    // root's).
    if (!isatty(fd) || flock(fd, LOCK_EX | LOCK_NB) != 0 || ioctl(fd, TIOCEXCL) != 0) {
        ::close(fd);
        return InvalidHandle;
    }
    DeviceTable::Add(fd);
    return fd;
}

bool CloseHandle(Handle handle) {
    if (!DeviceTable::Remove(handle))
        return false;
    // Exclusive mode belongs to the terminal, not to this descriptor: left on,
    // it would refuse the next open while anyone else still holds the device.
    ioctl(handle, TIOCNXCL);
    ::close(handle);
    return true;
}

bool SetupComm(Handle handle, uint32_t inQueue, uint32_t outQueue) {
    std::optional<DeviceState> state = DeviceTable::Get(handle);
    if (!state)
        return false;
    state->InQueue = inQueue;
    state->OutQueue = outQueue;
    return DeviceTable::Put(handle, *state);
}

bool SetCommTimeouts(Handle handle, const COMMTIMEOUTS& timeouts) {
    std::optional<DeviceState> state = DeviceTable::Get(handle);
    if (!state)
        return false;
    state->Timeouts = timeouts;
    return DeviceTable::Put(handle, *state);
}

bool PurgeComm(Handle handle, uint32_t flags) {
    if (!IsListed(handle))
        return false;
    const bool input = flags & PURGE_RXCLEAR;
    const bool output = flags & PURGE_TXCLEAR;
    if (!input && !output)
        return true;
    return tcflush(handle, input && output ? TCIOFLUSH : input ? TCIFLUSH : TCOFLUSH) == 0;
}

bool ClearCommError(Handle handle, uint32_t* errors, COMSTAT* status) {
    if (!IsListed(handle))
        return false;
    int waiting = 0;
    int queued = 0;
    if (ioctl(handle, FIONREAD, &waiting) != 0 || ioctl(handle, TIOCOUTQ, &queued) != 0)
        return false;
    if (errors)
        *errors = 0;
    if (status) {
        status->cbInQue = uint32_t(waiting < 0 ? 0 : waiting);
        status->cbOutQue = uint32_t(queued < 0 ? 0 : queued);
    }
    return true;
}

bool ReadFile(Handle handle, void* buffer, uint32_t count, uint32_t* read) {
    *read = 0;
    if (!IsListed(handle))
        return false;
    if (count == 0)
        return true;
    const ssize_t result = ::read(handle, buffer, count);
    if (result > 0) {
        *read = uint32_t(result);
        return true;
    }
    // With the device non-blocking, "nothing queued" is EAGAIN; 0 is the end
    // of the device (hung up).
    return result < 0 && (errno == EAGAIN || errno == EINTR);
}

bool WriteFile(Handle handle, const void* data, uint32_t count, uint32_t* written) {
    *written = 0;
    const std::optional<DeviceState> state = DeviceTable::Get(handle);
    if (!state)
        return false;
    if (count == 0)
        return true;
    const COMMTIMEOUTS& timeouts = state->Timeouts;
    const uint64_t limit = uint64_t(timeouts.WriteTotalTimeoutConstant) +
                           uint64_t(timeouts.WriteTotalTimeoutMultiplier) * count;
    const int timeoutMs = limit == 0 ? -1 : int(std::min<uint64_t>(limit, 0x7fffffff));
    bool ready = false;
    if (!WaitWritable(handle, timeoutMs, &ready))
        return false;
    if (!ready)
        return true;
    const ssize_t result = ::write(handle, data, count);
    if (result >= 0) {
        *written = uint32_t(result);
        return true;
    }
    return errno == EAGAIN || errno == EINTR;
}

bool GetCommModemStatus(Handle handle, uint32_t* status) {
    *status = 0;
    if (!IsListed(handle))
        return false;
    int lines = 0;
    if (ioctl(handle, TIOCMGET, &lines) != 0)
        return false;
    if (lines & TIOCM_CTS)
        *status |= MS_CTS_ON;
    if (lines & TIOCM_DSR)
        *status |= MS_DSR_ON;
    if (lines & TIOCM_RNG)
        *status |= MS_RING_ON;
    if (lines & TIOCM_CAR)
        *status |= MS_RLSD_ON;
    return true;
}

} // namespace comm
