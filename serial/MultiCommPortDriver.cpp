#include "serial/MultiCommPortDriver.h"

#include "platform/comm/Comm.h"
#include "platform/ui/Handler.h"

#include <QPointer>
#include <algorithm>

namespace {

constexpr uint32_t MinBufSize = 128;
constexpr uint32_t MaxBufSize = 131072;

uint32_t ClampBufSize(uint32_t value) {
    return std::clamp(value, MinBufSize, MaxBufSize);
}

} // namespace

uint32_t BaudRateValue(TBaudRate code) {
    static constexpr uint32_t rates[] = {0,     110,   300,   600,   1200,  2400,   4800,   9600,
                                         14400, 19200, 38400, 56000, 57600, 115200, 128000, 256000};
    return code < std::size(rates) ? rates[code] : 0;
}

std::string GetWindowsPlatform() {
    comm::OSVERSIONINFO info;
    info.dwOSVersionInfoSize = sizeof info;
    if (!comm::GetVersionEx(&info))
        return "??";
    switch (info.dwPlatformId) {
    case comm::VER_PLATFORM_WIN32s:
        return "W32S";
    case comm::VER_PLATFORM_WIN32_WINDOWS:
        return "W95";
    case comm::VER_PLATFORM_WIN32_NT:
        return "WNT";
    default:
        return "";
    }
}

uint32_t GetWindowsVersion() {
    comm::OSVERSIONINFO info;
    info.dwOSVersionInfoSize = sizeof info;
    if (!comm::GetVersionEx(&info))
        return 0;
    return (uint32_t(uint16_t(info.dwMajorVersion)) << 16) | uint16_t(info.dwMinorVersion);
}

TMultiCommPortDriver::TMultiCommPortDriver(QObject* owner)
    : QObject(owner), ReceivedText(PortCount + 1) {
    Handles_.fill(comm::InvalidHandle);
    BaudRates_.fill(7);
    for (std::vector<char>& buffer : ReadBuffers_)
        buffer.assign(InBufSize_, 0);
    pollTimer_.setTimerType(Qt::PreciseTimer);
    BindEvent(&pollTimer_, &QTimer::timeout, this, [this] { TimerWndProc(); });
}

TMultiCommPortDriver::~TMultiCommPortDriver() {
    for (int port = 1; port <= PortCount; ++port)
        Disconnect(port);
}

void TMultiCommPortDriver::SetBaudRates(const std::array<TBaudRate, PortCount>& rates) {
    BaudRates_ = rates;
}

void TMultiCommPortDriver::SetInBufSize(uint32_t value) {
    InBufSize_ = ClampBufSize(value);
    for (std::vector<char>& buffer : ReadBuffers_)
        buffer = std::vector<char>(InBufSize_, 0);
}

void TMultiCommPortDriver::SetOutBufSize(uint32_t value) {
    OutBufSize_ = ClampBufSize(value);
}

void TMultiCommPortDriver::SetPollingDelay(uint16_t value) {
    value = std::max<uint16_t>(value, 5);
    if (value == PollingDelay_)
        return;
    pollTimer_.stop();
    PollingDelay_ = value;
    StartPoll();
}

bool TMultiCommPortDriver::IsOpen(int port) const {
    return InRange(port) && HandleOf(port) != comm::InvalidHandle;
}

bool TMultiCommPortDriver::AnyOpen() const {
    return std::any_of(Handles_.begin(), Handles_.end(),
                       [](comm::Handle handle) { return handle != comm::InvalidHandle; });
}

void TMultiCommPortDriver::StartPoll() {
    pollTimer_.start(PollingDelay_);
}

bool TMultiCommPortDriver::Connect(int port) {
    if (!InRange(port))
        return false;
    if (IsOpen(port))
        return true;
    const comm::Handle handle = comm::OpenPort(port);
    if (handle == comm::InvalidHandle)
        return false;
    HandleOf(port) = handle;
    if (!ApplyPortSettings(port)) {
        Disconnect(port);
        return false;
    }
    // A read returns at once with what is queued; one write waits at most 10 ms.
    comm::COMMTIMEOUTS timeouts;
    timeouts.ReadIntervalTimeout = 1;
    timeouts.ReadTotalTimeoutMultiplier = 0;
    timeouts.ReadTotalTimeoutConstant = 1;
    timeouts.WriteTotalTimeoutMultiplier = 0;
    timeouts.WriteTotalTimeoutConstant = 10;
    comm::SetCommTimeouts(handle, timeouts);
    StartPoll();
    return true;
}

void TMultiCommPortDriver::Disconnect(int port) {
    if (IsOpen(port)) {
        comm::CloseHandle(HandleOf(port));
        HandleOf(port) = comm::InvalidHandle;
    }
    if (!AnyOpen())
        pollTimer_.stop();
}

comm::DCB TMultiCommPortDriver::PortSettingsRecord(int port) const {
    comm::DCB record;
    record.DCBlength = sizeof(comm::DCB);
    record.BaudRate = BaudRateValue(BaudRates_[size_t(port - 1)]);
    record.fBinary = 1;
    record.fDtrControl = EnableDTROnOpen_ ? comm::DTR_CONTROL_ENABLE : comm::DTR_CONTROL_DISABLE;
    switch (HwFlow_) {
    case THwFlowControl::hfNONE:
        record.fRtsControl = comm::RTS_CONTROL_DISABLE;
        break;
    case THwFlowControl::hfNONERTSON:
        record.fRtsControl = comm::RTS_CONTROL_ENABLE;
        break;
    case THwFlowControl::hfRTSCTS:
        record.fRtsControl = comm::RTS_CONTROL_HANDSHAKE;
        record.fOutxCtsFlow = 1;
        break;
    }
    if (SwFlow_ == TSwFlowControl::sfXONXOFF) {
        record.fOutX = 1;
        record.fInX = 1;
    }
    record.ByteSize = uint8_t(uint8_t(DataBits_) + 5);
    record.Parity = uint8_t(Parity_);
    record.StopBits = uint8_t(StopBits_);
    record.XonChar = 0x11;
    record.XoffChar = 0x13;
    // The NT family from 4.0 on refuses limits above 4096.
    uint32_t limit = InBufSize_ / 4;
    if (GetWindowsPlatform() == "WNT" && GetWindowsVersion() >= 0x40000)
        limit = std::min<uint32_t>(limit, 4096);
    record.XonLim = uint16_t(limit);
    record.XoffLim = uint16_t(limit);
    return record;
}

bool TMultiCommPortDriver::ApplyPortSettings(int port) {
    if (!IsOpen(port))
        return false;
    return comm::SetCommState(HandleOf(port), PortSettingsRecord(port)) &&
           FlushBuffers(true, true, port) &&
           comm::SetupComm(HandleOf(port), InBufSize_, OutBufSize_);
}

TModemLines TMultiCommPortDriver::GetLineStatus(int port) {
    TModemLines lines;
    uint32_t status = 0;
    if (!IsOpen(port) || !comm::GetCommModemStatus(HandleOf(port), &status))
        return lines;
    lines[size_t(TModemLine::mlCTS)] = status & comm::MS_CTS_ON;
    lines[size_t(TModemLine::mlDSR)] = status & comm::MS_DSR_ON;
    lines[size_t(TModemLine::mlRING)] = status & comm::MS_RING_ON;
    lines[size_t(TModemLine::mlCD)] = status & comm::MS_RLSD_ON;
    return lines;
}

bool TMultiCommPortDriver::FlushBuffers(bool Input, bool Output, int port) {
    if (!IsOpen(port))
        return false;
    uint32_t flags = 0;
    if (Output)
        flags |= comm::PURGE_TXABORT | comm::PURGE_TXCLEAR;
    if (Input)
        flags |= comm::PURGE_RXABORT | comm::PURGE_RXCLEAR;
    return comm::PurgeComm(HandleOf(port), flags);
}

bool TMultiCommPortDriver::QueueCounts(int port, comm::COMSTAT* counts) const {
    uint32_t errors = 0;
    return IsOpen(port) && comm::ClearCommError(HandleOf(port), &errors, counts);
}

namespace {

// Room left of the output queue, within what 16 bits hold.
uint16_t FreeSpace(uint32_t outBufSize, const comm::COMSTAT& counts) {
    if (counts.cbOutQue >= outBufSize)
        return 0;
    return uint16_t(std::min<uint32_t>(outBufSize - counts.cbOutQue, 0xFFFF));
}

} // namespace

uint16_t TMultiCommPortDriver::OutFreeSpace(int port) {
    if (!IsOpen(port))
        return 0xFFFF;
    comm::COMSTAT counts;
    if (!QueueCounts(port, &counts))
        return 0;
    return FreeSpace(OutBufSize_, counts);
}

uint32_t TMultiCommPortDriver::SendData(const void* Data, uint32_t Size, int port) {
    uint32_t Written = 0;
    if (!IsOpen(port) || !Data)
        return 0;
    const auto* bytes = static_cast<const char*>(Data);
    uint32_t Start = comm::GetTickCount();
    // A tight loop: no events are processed, so no poll pass runs meanwhile.
    while (Size > 0) {
        comm::COMSTAT counts;
        // A device that cannot report its queue or refuses a write has gone;
        // waiting out the time-out would only stall the caller.
        if (!QueueCounts(port, &counts))
            break;
        uint32_t N = 0;
        if (const uint16_t Free = FreeSpace(OutBufSize_, counts); Free > 0) {
            if (CheckLineStatus_ && GetLineStatus(port).none())
                break;
            const uint32_t Count = std::min<uint32_t>(Free, Size);
            if (!comm::WriteFile(HandleOf(port), bytes, Count, &N))
                break;
            if (N > 0) {
                Written += N;
                Size -= N;
                bytes += N;
                Start = comm::GetTickCount();
                continue;
            }
        }
        if (uint32_t(comm::GetTickCount() - Start) > OutputTimeout_)
            break;
    }
    return Written;
}

bool TMultiCommPortDriver::SendText(const std::string& S, int port) {
    if (S.empty())
        return true;
    return SendData(S.data(), uint32_t(S.size()), port) == S.size();
}

void TMultiCommPortDriver::TimerWndProc() {
    // Qt delivers no tick of a timer whose tick is still being handled, so the
    // timer is started anew (same period) for a handler's nested event loop,
    // a modal box, to get passes of its own.
    StartPoll();
    const QPointer<TMultiCommPortDriver> alive(this);
    for (int port = 1; port <= PortCount; ++port) {
        comm::COMSTAT counts;
        if (!QueueCounts(port, &counts) || counts.cbInQue == 0)
            continue;
        const uint32_t Count = std::min(counts.cbInQue, InBufSize_);
        std::vector<char>& buffer = ReadBuffers_[size_t(port - 1)];
        uint32_t read = 0;
        if (!comm::ReadFile(HandleOf(port), buffer.data(), Count, &read) || read == 0)
            continue;
        if (!OnReceiveData)
            continue;
        if (ReceivedText.size() <= size_t(PortCount))
            ReceivedText.resize(PortCount + 1);
        // Read afresh: a nested pass may have appended since this pass began.
        std::string& entry = ReceivedText[size_t(port)];
        entry.append(buffer.data(), read);
        if (entry.size() > MaxReceivedText)
            entry.erase(0, entry.size() - MaxReceivedText);
        // A copy, so a handler that assigns a new one keeps running safely.
        const TReceiveDataEvent handler = OnReceiveData;
        handler(this, buffer.data(), read);
        if (!alive)
            return;
    }
}
