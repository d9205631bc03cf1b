#pragma once

#include "platform/comm/CommTypes.h"

#include <QObject>
#include <QTimer>
#include <array>
#include <bitset>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// A baud code; BaudRateValue turns it into bits per second.
using TBaudRate = uint8_t;

// The ordinals of these values go to the device as they are (data bits as
// ordinal + 5), so their order is fixed.
enum class TDataBits : uint8_t { db5BITS, db6BITS, db7BITS, db8BITS };
enum class TStopBits : uint8_t { sb1BITS, sb1HALFBITS, sb2BITS };
enum class TParity : uint8_t { ptNONE, ptODD, ptEVEN, ptMARK, ptSPACE };
// RTS off without handshake; RTS on without handshake; RTS handshake with CTS
// output flow control.
enum class THwFlowControl : uint8_t { hfNONE, hfNONERTSON, hfRTSCTS };
enum class TSwFlowControl : uint8_t { sfNONE, sfXONXOFF };
enum class TModemLine : uint8_t { mlCTS, mlDSR, mlRING, mlCD };
// A set of modem lines: bit 0 CTS, bit 1 DSR, bit 2 RING, bit 3 CD.
using TModemLines = std::bitset<4>;

// Raised once per port and poll pass in which bytes were read, after they were
// appended to the port's ReceivedText entry. DataPtr is the port's read buffer,
// valid until its next read or the next write of InBufSize.
using TReceiveDataEvent =
    std::function<void(QObject* Sender, const void* DataPtr, uint32_t DataSize)>;

// Bits per second of a baud code (0 for code 0 and for codes above 15).
uint32_t BaudRateValue(TBaudRate code);
// "W32S", "W95" or "WNT" by the system's platform id ("" for another id, "??"
// when the query fails), and its version as major << 16 | minor (0 on failure).
std::string GetWindowsPlatform();
uint32_t GetWindowsVersion();

// Talks to up to 256 serial ports at once, addressed by port number 1..256
// (COM1..COM256). One baud code per port, one set of line settings for all.
// Every operation runs on the thread that owns the component; sends
// busy-wait, and receiving is a poll of every open port on a timer, which
// appends the bytes to ReceivedText and raises OnReceiveData. Nothing here
// shows a message or throws: failures are results. A port number outside
// 1..256 counts as a closed port everywhere.
class TMultiCommPortDriver : public QObject {
    Q_OBJECT
  public:
    static constexpr int PortCount = 256;
    // An entry of ReceivedText that no receiver empties keeps at most this
    // many of its newest bytes, so a forgotten port cannot use up memory.
    static constexpr size_t MaxReceivedText = size_t(1) << 20;

    explicit TMultiCommPortDriver(QObject* owner = nullptr);
    ~TMultiCommPortDriver() override;

    // Index 0 is port 1. Ports already open keep their rate until reopened.
    void SetBaudRates(const std::array<TBaudRate, PortCount>& rates);
    const std::array<TBaudRate, PortCount>& BaudRates() const { return BaudRates_; }

    // Opens the port with the current settings and starts the poll; an open
    // port gives True without being reopened.
    bool Connect(int port);
    // Closes the port; stops the poll once no port is open.
    void Disconnect(int port);
    bool IsOpen(int port) const;
    // The modem lines that are on; empty when closed or when the device cannot
    // tell (a pseudo-terminal has no modem lines).
    TModemLines GetLineStatus(int port);
    bool FlushBuffers(bool Input, bool Output, int port);
    // Room in the output queue: OutBufSize less what the device holds, at
    // most 65535; 0 when the device holds OutBufSize or more or cannot tell;
    // 65535 when closed.
    uint16_t OutFreeSpace(int port);
    // Writes up to Size bytes; stops after more than OutputTimeout ms without
    // progress, at once when CheckLineStatus is on and no modem line is on,
    // and at once when the device fails (it vanished). Returns the bytes
    // written.
    uint32_t SendData(const void* Data, uint32_t Size, int port);
    // True when every byte of S was written (always for an empty S).
    bool SendText(const std::string& S, int port);

    TDataBits DataBits() const { return DataBits_; }
    void SetDataBits(TDataBits value) { DataBits_ = value; }
    TStopBits StopBits() const { return StopBits_; }
    void SetStopBits(TStopBits value) { StopBits_ = value; }
    TParity Parity() const { return Parity_; }
    void SetParity(TParity value) { Parity_ = value; }
    THwFlowControl HwFlow() const { return HwFlow_; }
    void SetHwFlow(THwFlowControl value) { HwFlow_ = value; }
    TSwFlowControl SwFlow() const { return SwFlow_; }
    void SetSwFlow(TSwFlowControl value) { SwFlow_ = value; }
    // Clamped to 128..131072; replaces every read buffer.
    uint32_t InBufSize() const { return InBufSize_; }
    void SetInBufSize(uint32_t value);
    // Clamped to 128..131072.
    uint32_t OutBufSize() const { return OutBufSize_; }
    void SetOutBufSize(uint32_t value);
    // At least 5 ms; a new value restarts the poll timer, even with no port open.
    uint16_t PollingDelay() const { return PollingDelay_; }
    void SetPollingDelay(uint16_t value);
    bool EnableDTROnOpen() const { return EnableDTROnOpen_; }
    void SetEnableDTROnOpen(bool value) { EnableDTROnOpen_ = value; }
    uint16_t OutputTimeout() const { return OutputTimeout_; }
    void SetOutputTimeout(uint16_t value) { OutputTimeout_ = value; }
    bool CheckLineStatus() const { return CheckLineStatus_; }
    void SetCheckLineStatus(bool value) { CheckLineStatus_ = value; }

    // Whether the poll timer runs.
    bool PollActive() const { return pollTimer_.isActive(); }

    TReceiveDataEvent OnReceiveData;

    // 257 entries; entry n holds the bytes received on port n that no receiver
    // has taken out yet, NUL bytes included; entry 0 stays unused. The poll
    // only appends; a receiver may take text out at any time.
    std::vector<std::string> ReceivedText;

  private:
    bool ApplyPortSettings(int port);
    comm::DCB PortSettingsRecord(int port) const;
    void TimerWndProc();
    void StartPoll();
    bool AnyOpen() const;
    bool QueueCounts(int port, comm::COMSTAT* counts) const;
    comm::Handle& HandleOf(int port) { return Handles_[size_t(port - 1)]; }
    comm::Handle HandleOf(int port) const { return Handles_[size_t(port - 1)]; }
    static bool InRange(int port) { return port >= 1 && port <= PortCount; }

    std::array<comm::Handle, PortCount> Handles_;
    std::array<TBaudRate, PortCount> BaudRates_;
    TDataBits DataBits_ = TDataBits::db8BITS;
    TStopBits StopBits_ = TStopBits::sb1BITS;
    TParity Parity_ = TParity::ptNONE;
    THwFlowControl HwFlow_ = THwFlowControl::hfNONERTSON;
    TSwFlowControl SwFlow_ = TSwFlowControl::sfNONE;
    uint32_t InBufSize_ = 2048;
    uint32_t OutBufSize_ = 2048;
    uint16_t PollingDelay_ = 50;
    bool EnableDTROnOpen_ = true;
    uint16_t OutputTimeout_ = 500;
    bool CheckLineStatus_ = false;
    // Stands in for the hidden window's timer 1.
    QTimer pollTimer_;
    std::array<std::vector<char>, PortCount> ReadBuffers_;
};
