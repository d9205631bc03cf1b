#pragma once

#include "platform/comm/CommTypes.h"

#include <optional>

namespace comm {

// What the device calls remember of an open handle beyond the kernel's own
// state.
struct DeviceState {
    COMMTIMEOUTS Timeouts;
    uint32_t InQueue = 0;
    uint32_t OutQueue = 0;
};

// The handles that OpenPort gave out. A handle is valid only while it is
// listed, so a stray number never reaches a descriptor this layer did not open.
class DeviceTable {
  public:
    static void Add(Handle handle);
    static bool Remove(Handle handle);
    static std::optional<DeviceState> Get(Handle handle);
    // False when the handle is not listed.
    static bool Put(Handle handle, const DeviceState& state);
};

} // namespace comm
