#pragma once

#include <QTemporaryDir>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <stdexcept>
#include <string>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

// A ports folder of its own for one test: DORVEL_PORTS points at a temporary
// folder while the object lives.
class PortsFolder {
  public:
    PortsFolder() {
        if (const char* old = std::getenv("DORVEL_PORTS"))
            previous_ = old, hadPrevious_ = true;
        setenv("DORVEL_PORTS", Path().c_str(), 1);
    }
    ~PortsFolder() {
        if (hadPrevious_)
            setenv("DORVEL_PORTS", previous_.c_str(), 1);
        else
            unsetenv("DORVEL_PORTS");
    }
    std::string Path() const { return dir_.path().toStdString(); }
    std::string Link(int port) const { return Path() + "/com" + std::to_string(port); }

  private:
    QTemporaryDir dir_;
    std::string previous_;
    bool hadPrevious_ = false;
};

// A pseudo-terminal published as comN: the device side is what the program
// opens, the controlling side (master) plays the unit. The test keeps a device
// descriptor of its own, as the simulated unit does, so the master sees no
// hang-up when the program closes the port; through it the test also reads
// the line settings the program applied.
class PseudoPort {
  public:
    PseudoPort(const PortsFolder& folder, int port) {
        char name[128];
        if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0)
            throw std::runtime_error("openpty failed");
        slavePath_ = name;
        fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
        fcntl(slave_, F_SETFL, fcntl(slave_, F_GETFL) | O_NONBLOCK);
        termios raw{};
        tcgetattr(slave_, &raw);
        cfmakeraw(&raw);
        tcsetattr(slave_, TCSANOW, &raw);
        link_ = folder.Link(port);
        if (symlink(name, link_.c_str()) != 0)
            throw std::runtime_error("cannot publish " + link_);
    }
    ~PseudoPort() {
        unlink(link_.c_str());
        CloseMaster();
        if (slave_ >= 0)
            close(slave_);
    }
    PseudoPort(const PseudoPort&) = delete;
    PseudoPort& operator=(const PseudoPort&) = delete;

    int Master() const { return master_; }
    int Device() const { return slave_; }
    const std::string& DevicePath() const { return slavePath_; }

    // The device disappears as an unplugged adapter does: the program's
    // descriptor is hung up.
    void CloseMaster() {
        if (master_ >= 0)
            close(master_);
        master_ = -1;
    }

    // Writes what the program's side takes now; returns the count.
    size_t WriteSome(const char* data, size_t size) {
        const ssize_t n = write(master_, data, size);
        return n > 0 ? size_t(n) : 0;
    }

    // Writes everything, waiting for room; false when time ran out.
    bool Write(const std::string& data, int timeoutMs = 5000) {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        size_t done = 0;
        while (done < data.size()) {
            done += WriteSome(data.data() + done, data.size() - done);
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            if (done < data.size())
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return true;
    }

    // What the program sent, until count bytes came or the line stayed quiet
    // for quietMs.
    std::string Read(size_t count, int quietMs = 500) {
        std::string received;
        char buffer[4096];
        while (received.size() < count) {
            pollfd request{master_, POLLIN, 0};
            if (poll(&request, 1, quietMs) <= 0)
                break;
            const ssize_t n = read(master_, buffer, sizeof buffer);
            if (n <= 0)
                break;
            received.append(buffer, size_t(n));
        }
        return received;
    }

    // Bytes waiting for the program to read them.
    int Waiting() const {
        int waiting = 0;
        ioctl(slave_, FIONREAD, &waiting);
        return waiting;
    }

    termios Settings() const {
        termios settings{};
        tcgetattr(slave_, &settings);
        return settings;
    }

  private:
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
    std::string link_;
};

// Waits (without an event loop) until the device side has count bytes queued.
inline bool WaitForQueued(const PseudoPort& port, int count, int timeoutMs = 3000) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (port.Waiting() < count) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}
