#include "platform/comm/DeviceTable.h"

#include <map>
#include <mutex>

namespace comm {

namespace {

std::mutex& TableLock() {
    static std::mutex lock;
    return lock;
}

std::map<Handle, DeviceState>& Table() {
    static std::map<Handle, DeviceState> table;
    return table;
}

} // namespace

void DeviceTable::Add(Handle handle) {
    std::lock_guard guard(TableLock());
    Table()[handle] = DeviceState{};
}

bool DeviceTable::Remove(Handle handle) {
    std::lock_guard guard(TableLock());
    return Table().erase(handle) > 0;
}

std::optional<DeviceState> DeviceTable::Get(Handle handle) {
    std::lock_guard guard(TableLock());
    const auto found = Table().find(handle);
    if (found == Table().end())
        return std::nullopt;
    return found->second;
}

bool DeviceTable::Put(Handle handle, const DeviceState& state) {
    std::lock_guard guard(TableLock());
    const auto found = Table().find(handle);
    if (found == Table().end())
        return false;
    found->second = state;
    return true;
}

} // namespace comm
