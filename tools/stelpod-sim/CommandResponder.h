#pragma once

#include "tools/stelpod-sim/FaultSwitches.h"
#include "tools/stelpod-sim/StelpodState.h"

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

// The unit's command interpreter: applies one command line (without its
// carriage return) to the state and gives the reply lines (without their line
// ends). Unknown or malformed commands get no reply, as from a unit that did
// not understand them; a write whose value field is bad is answered with the
// letter and "NO" and stores nothing.
class CommandResponder {
  public:
    CommandResponder(StelpodState& state, const FaultSwitches& faults);

    // uptime drives the wandering voltage reading.
    std::vector<std::string> Answer(std::string_view command,
                                    std::chrono::steady_clock::duration uptime);

  private:
    std::vector<std::string> Download() const;
    std::string VoltageReply(std::chrono::steady_clock::duration uptime) const;

    StelpodState& state_;
    const FaultSwitches& faults_;
};

} // namespace sim
