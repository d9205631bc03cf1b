#pragma once

#include "tools/stelpod-sim/FaultSwitches.h"
#include "tools/stelpod-sim/StelpodState.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace sim {

class PortLink;
class PseudoTerminal;

struct ReceivedCommand {
    std::string text; // the command line without its carriage return
    std::chrono::steady_clock::time_point time;
};

// A simulated Stelpod on a pseudo-terminal, published as "comN" in the ports
// folder. Its I/O runs on a thread of its own, so a test can run the
// program's event loop while the unit answers. All methods may be called from
// any thread; state and fault changes apply from the next command on.
class StelpodSimulator {
  public:
    explicit StelpodSimulator(int port, StelpodState state = StelpodState::Defaults());
    ~StelpodSimulator();
    StelpodSimulator(const StelpodSimulator&) = delete;
    StelpodSimulator& operator=(const StelpodSimulator&) = delete;

    // The folder for the link; PortLink::DefaultFolder() unless set before Start.
    void SetPortsFolder(std::string folder);
    // Opens the pseudo-terminal, publishes the link and starts answering.
    // Throws std::runtime_error.
    void Start();
    // Stops answering, removes the link and closes the pseudo-terminal.
    void Stop();
    bool Running() const;

    int Port() const { return port_; }
    std::string LinkPath() const;
    std::string DevicePath() const;

    StelpodState State() const;
    void SetState(StelpodState state);
    // Changes the state in place, under the simulator's lock.
    void UpdateState(const std::function<void(StelpodState&)>& change);

    FaultSwitches Faults() const;
    void SetFaults(const FaultSwitches& faults);
    void SetSilent(bool on);
    void SetDropReplies(int count);
    void SetCrLf(bool on);
    void SetSplitReplies(bool on);
    void SetGarbage(bool on);
    void SetClockRefused(bool on);
    void SetDownloadEnd(DownloadEnd end);
    void SetDownloadLimit(std::optional<std::size_t> records);
    void SetMalformedRecordAt(std::optional<std::size_t> index);
    void SetPaced(bool on);

    // Writes bytes on the line as they stand, outside any reply: noise, or a
    // stray or late reply line. Throws std::runtime_error when not running.
    void Inject(const std::string& bytes);

    std::vector<ReceivedCommand> Received() const;
    void ClearReceived();

    // Receives one message a line: each received command with its local
    // time, and the link's coming and going. Called on the simulator's thread.
    void SetLog(std::function<void(const std::string&)> log);

  private:
    void Run();
    void HandleLine(const std::string& line);
    bool SendLine(const std::string& line, const FaultSwitches& faults);
    bool SendPiece(const std::string& bytes, bool paced);
    bool WriteAll(const std::string& bytes);
    // Waits until the moment or a stop request; false on a stop request.
    bool WaitUntil(std::chrono::steady_clock::time_point moment);
    void Log(const std::string& message);

    const int port_;
    std::string portsFolder_;
    std::unique_ptr<PseudoTerminal> terminal_;
    std::unique_ptr<PortLink> link_;
    std::thread thread_;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    std::atomic<bool> stopping_{false};

    mutable std::mutex mutex_; // guards state_, faults_, dropsLeft_, log_
    StelpodState state_;
    FaultSwitches faults_;
    int dropsLeft_ = 0;
    std::function<void(const std::string&)> log_;

    std::mutex writeMutex_; // one writer at a time on the line

    mutable std::mutex receivedMutex_;
    std::vector<ReceivedCommand> received_;

    // Used only on the simulator's thread.
    std::chrono::steady_clock::time_point started_;
    std::chrono::steady_clock::time_point lineFree_;
    std::mt19937 noise_{12345};
};

} // namespace sim
