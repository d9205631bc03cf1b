#pragma once

#include <string>

namespace sim {

// A pseudo-terminal whose slave side is the device a client opens. The slave
// is set to raw mode so bytes pass unchanged. While no client has the device
// open, a slave descriptor of our own is held, so the master sees no hangup.
class PseudoTerminal {
  public:
    PseudoTerminal(); // throws std::runtime_error
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    int MasterFd() const { return master_; }
    const std::string& SlavePath() const { return slavePath_; }

    // Returns whether a slave descriptor is held afterwards.
    bool HoldSlave();
    // Lets the client's descriptor be the last one, so that its close ends
    // the session: the master then sees a hangup and the client's settings,
    // exclusive use included, go with it.
    void ReleaseSlave();
    bool HoldsSlave() const { return slave_ >= 0; }

  private:
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
};

} // namespace sim
