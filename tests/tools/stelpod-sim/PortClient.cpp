#include "PortClient.h"

#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

PortClient::PortClient(const std::string& path) {
    fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd_ < 0)
        return;
    termios settings{};
    tcgetattr(fd_, &settings);
    cfmakeraw(&settings);
    cfsetispeed(&settings, B38400);
    cfsetospeed(&settings, B38400);
    tcsetattr(fd_, TCSANOW, &settings);
}

PortClient::~PortClient() {
    if (fd_ >= 0)
        ::close(fd_);
}

void PortClient::Send(const std::string& command) {
    const std::string line = command + "\r";
    std::size_t done = 0;
    while (done < line.size()) {
        const ssize_t written = ::write(fd_, line.data() + done, line.size() - done);
        if (written <= 0)
            return;
        done += static_cast<std::size_t>(written);
    }
}

bool PortClient::Fill(int timeoutMs) {
    pollfd fd{fd_, POLLIN, 0};
    if (::poll(&fd, 1, timeoutMs) <= 0)
        return false;
    char chunk[4096];
    const ssize_t got = ::read(fd_, chunk, sizeof chunk);
    if (got <= 0)
        return false;
    buffer_.append(chunk, static_cast<std::size_t>(got));
    return true;
}

std::optional<std::string> PortClient::ReadLine(int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (const auto end = buffer_.find('\r'); end != std::string::npos) {
            std::string line = buffer_.substr(0, end);
            buffer_.erase(0, end + 1);
            return line;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        if (left <= 0 || !Fill(static_cast<int>(left)))
            return std::nullopt;
    }
}

std::string PortClient::ReadUntilQuiet(int quietMs) {
    while (Fill(quietMs)) {
    }
    std::string all;
    all.swap(buffer_);
    return all;
}
