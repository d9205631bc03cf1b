#include "tools/stelpod-sim/StelpodSimulator.h"

#include "tools/stelpod-sim/CommandResponder.h"
#include "tools/stelpod-sim/PortLink.h"
#include "tools/stelpod-sim/PseudoTerminal.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <unistd.h>

namespace sim {

namespace {

using Clock = std::chrono::steady_clock;

// Time of one byte at 38400 bit/s with a start and a stop bit, rounded up so
// that paced output is never faster than the line.
constexpr std::chrono::nanoseconds kByteTime{260417};
constexpr std::size_t kMaxCommandLength = 1024;

std::string Escaped(const std::string& text) {
    std::string shown;
    for (unsigned char c : text) {
        if (c >= 0x20 && c < 0x7F) {
            shown += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            shown += hex;
        }
    }
    return shown;
}

std::string LocalTimestamp() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() %
        1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[48];
    const std::size_t length = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    std::snprintf(text + length, sizeof text - length, ".%03d", static_cast<int>(millis));
    return text;
}

} // namespace

StelpodSimulator::StelpodSimulator(int port, StelpodState state)
    : port_(port), state_(std::move(state)) {}

StelpodSimulator::~StelpodSimulator() {
    Stop();
}

void StelpodSimulator::SetPortsFolder(std::string folder) {
    portsFolder_ = std::move(folder);
}

void StelpodSimulator::Start() {
    if (thread_.joinable())
        return;
    int wake[2];
    if (pipe2(wake, O_CLOEXEC | O_NONBLOCK) != 0)
        throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
    wakeRead_ = wake[0];
    wakeWrite_ = wake[1];
    try {
        terminal_ = std::make_unique<PseudoTerminal>();
        link_ = std::make_unique<PortLink>(portsFolder_.empty() ? PortLink::DefaultFolder()
                                                                : portsFolder_,
                                           port_, terminal_->SlavePath());
    } catch (...) {
        link_.reset();
        terminal_.reset();
        ::close(wakeRead_);
        ::close(wakeWrite_);
        wakeRead_ = wakeWrite_ = -1;
        throw;
    }
    {
        std::lock_guard lock(mutex_);
        dropsLeft_ = faults_.dropReplies;
    }
    stopping_ = false;
    started_ = Clock::now();
    lineFree_ = started_;
    Log("published " + link_->Path() + " -> " + terminal_->SlavePath());
    thread_ = std::thread(&StelpodSimulator::Run, this);
}

void StelpodSimulator::Stop() {
    if (!thread_.joinable())
        return;
    stopping_ = true;
    const char wake = 1;
    [[maybe_unused]] const ssize_t written = ::write(wakeWrite_, &wake, 1);
    thread_.join();
    const std::string path = link_->Path();
    link_.reset();
    terminal_.reset();
    ::close(wakeRead_);
    ::close(wakeWrite_);
    wakeRead_ = wakeWrite_ = -1;
    Log("stopped, removed " + path);
}

bool StelpodSimulator::Running() const {
    return thread_.joinable();
}

std::string StelpodSimulator::LinkPath() const {
    return link_ ? link_->Path() : std::string();
}

std::string StelpodSimulator::DevicePath() const {
    return terminal_ ? terminal_->SlavePath() : std::string();
}

StelpodState StelpodSimulator::State() const {
    std::lock_guard lock(mutex_);
    return state_;
}

void StelpodSimulator::SetState(StelpodState state) {
    std::lock_guard lock(mutex_);
    state_ = std::move(state);
}

void StelpodSimulator::UpdateState(const std::function<void(StelpodState&)>& change) {
    std::lock_guard lock(mutex_);
    change(state_);
}

FaultSwitches StelpodSimulator::Faults() const {
    std::lock_guard lock(mutex_);
    return faults_;
}

void StelpodSimulator::SetFaults(const FaultSwitches& faults) {
    std::lock_guard lock(mutex_);
    faults_ = faults;
    dropsLeft_ = faults.dropReplies;
}

void StelpodSimulator::SetSilent(bool on) {
    std::lock_guard lock(mutex_);
    faults_.silent = on;
}

void StelpodSimulator::SetDropReplies(int count) {
    std::lock_guard lock(mutex_);
    faults_.dropReplies = count;
    dropsLeft_ = count;
}

void StelpodSimulator::SetCrLf(bool on) {
    std::lock_guard lock(mutex_);
    faults_.crLf = on;
}

void StelpodSimulator::SetSplitReplies(bool on) {
    std::lock_guard lock(mutex_);
    faults_.split = on;
}

void StelpodSimulator::SetGarbage(bool on) {
    std::lock_guard lock(mutex_);
    faults_.garbage = on;
}

void StelpodSimulator::SetClockRefused(bool on) {
    std::lock_guard lock(mutex_);
    faults_.refuseClock = on;
}

void StelpodSimulator::SetDownloadEnd(DownloadEnd end) {
    std::lock_guard lock(mutex_);
    faults_.downloadEnd = end;
}

void StelpodSimulator::SetDownloadLimit(std::optional<std::size_t> records) {
    std::lock_guard lock(mutex_);
    faults_.downloadLimit = records;
}

void StelpodSimulator::SetMalformedRecordAt(std::optional<std::size_t> index) {
    std::lock_guard lock(mutex_);
    faults_.malformedRecordAt = index;
}

void StelpodSimulator::SetPaced(bool on) {
    std::lock_guard lock(mutex_);
    faults_.paced = on;
}

void StelpodSimulator::Inject(const std::string& bytes) {
    if (!Running())
        throw std::runtime_error("the simulator is not running");
    std::lock_guard lock(writeMutex_);
    WriteAll(bytes);
}

std::vector<ReceivedCommand> StelpodSimulator::Received() const {
    std::lock_guard lock(receivedMutex_);
    return received_;
}

void StelpodSimulator::ClearReceived() {
    std::lock_guard lock(receivedMutex_);
    received_.clear();
}

void StelpodSimulator::SetLog(std::function<void(const std::string&)> log) {
    std::lock_guard lock(mutex_);
    log_ = std::move(log);
}

void StelpodSimulator::Run() {
    std::string pending;
    char buffer[4096];
    while (!stopping_) {
        pollfd fds[2] = {{terminal_->MasterFd(), POLLIN, 0}, {wakeRead_, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            Log(std::string("poll failed: ") + std::strerror(errno));
            return;
        }
        if (fds[1].revents != 0)
            return;
        bool hungUp = (fds[0].revents & (POLLHUP | POLLERR)) != 0 && (fds[0].revents & POLLIN) == 0;
        if (fds[0].revents & POLLIN) {
            const ssize_t got = ::read(terminal_->MasterFd(), buffer, sizeof buffer);
            if (got > 0) {
                // A client is talking: its descriptor may now be the one that
                // keeps the device open.
                terminal_->ReleaseSlave();
                for (ssize_t i = 0; i < got && !stopping_; ++i) {
                    const char c = buffer[i];
                    if (c == '\r') {
                        HandleLine(pending);
                        pending.clear();
                    } else if (c != '\n' && pending.size() < kMaxCommandLength) {
                        pending += c;
                    }
                }
            } else if (got < 0 && errno == EIO) {
                hungUp = true;
            }
        }
        if (hungUp) {
            pending.clear();
            Log("the client closed the port");
            if (!terminal_->HoldSlave() && !WaitUntil(Clock::now() + std::chrono::milliseconds(50)))
                return;
        }
    }
}

void StelpodSimulator::HandleLine(const std::string& line) {
    const auto now = Clock::now();
    {
        std::lock_guard lock(receivedMutex_);
        received_.push_back({line, now});
    }
    Log("received " + Escaped(line));

    std::vector<std::string> replies;
    FaultSwitches faults;
    {
        std::lock_guard lock(mutex_);
        if (faults_.silent)
            return;
        CommandResponder responder(state_, faults_);
        replies = responder.Answer(line, now - started_);
        if (replies.empty())
            return;
        if (dropsLeft_ > 0) {
            --dropsLeft_;
            return;
        }
        faults = faults_;
    }
    // A reply starts on an idle line; within it the line's own schedule is
    // kept, so a late wake-up is made up for by the next line but nothing goes
    // out sooner than the line allows.
    lineFree_ = std::max(lineFree_, Clock::now());
    for (const std::string& reply : replies)
        if (!SendLine(reply, faults))
            return;
}

bool StelpodSimulator::SendLine(const std::string& line, const FaultSwitches& faults) {
    if (faults.garbage) {
        // Bytes that no reply starts with, ended like a line.
        static constexpr char kPunctuation[] = "#*?~!@%&";
        std::string noise;
        const std::size_t length = 1 + noise_() % 8;
        for (std::size_t i = 0; i < length; ++i) {
            if (noise_() % 2 == 0)
                noise += kPunctuation[noise_() % (sizeof kPunctuation - 1)];
            else
                noise += static_cast<char>(0x80 + noise_() % 0x7F);
        }
        if (!SendPiece(noise + "\r", faults.paced))
            return false;
    }
    const std::string bytes = line + (faults.crLf ? "\r\n" : "\r");
    if (!faults.split)
        return SendPiece(bytes, faults.paced);
    const std::size_t pieces = std::min<std::size_t>(3, bytes.size());
    std::size_t start = 0;
    for (std::size_t i = 0; i < pieces; ++i) {
        const std::size_t end = bytes.size() * (i + 1) / pieces;
        if (i > 0 && !WaitUntil(Clock::now() + std::chrono::milliseconds(faults.splitGapMs)))
            return false;
        if (!SendPiece(bytes.substr(start, end - start), faults.paced))
            return false;
        start = end;
    }
    return true;
}

bool StelpodSimulator::SendPiece(const std::string& bytes, bool paced) {
    if (paced && !WaitUntil(lineFree_))
        return false;
    {
        std::lock_guard lock(writeMutex_);
        if (!WriteAll(bytes))
            return false;
    }
    if (paced)
        lineFree_ += kByteTime * static_cast<long>(bytes.size());
    return true;
}

bool StelpodSimulator::WriteAll(const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written =
            ::write(terminal_->MasterFd(), bytes.data() + done, bytes.size() - done);
        if (written > 0) {
            done += static_cast<std::size_t>(written);
            continue;
        }
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0 && errno != EAGAIN)
            return false; // the client went away
        pollfd fds[2] = {{terminal_->MasterFd(), POLLOUT, 0}, {wakeRead_, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0 && errno != EINTR)
            return false;
        if (fds[1].revents != 0 || (fds[0].revents & (POLLHUP | POLLERR)) != 0)
            return false;
    }
    return true;
}

bool StelpodSimulator::WaitUntil(Clock::time_point moment) {
    while (!stopping_) {
        const auto left = moment - Clock::now();
        if (left <= Clock::duration::zero())
            return true;
        const auto millis = std::chrono::ceil<std::chrono::milliseconds>(left).count();
        pollfd wake{wakeRead_, POLLIN, 0};
        if (::poll(&wake, 1, static_cast<int>(millis)) > 0)
            return false;
    }
    return false;
}

void StelpodSimulator::Log(const std::string& message) {
    std::function<void(const std::string&)> log;
    {
        std::lock_guard lock(mutex_);
        log = log_;
    }
    if (log)
        log(LocalTimestamp() + "  " + message);
}

} // namespace sim
