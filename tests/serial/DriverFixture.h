#pragma once

#include "platform/comm/PseudoPort.h"
#include "platform/ui/MessageDlg.h"
#include "serial/MultiCommPortDriver.h"
#include "support/WaitUntil.h"

#include <QString>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <vector>

// One handler call as the receiver saw it.
struct ReceiveCall {
    int port;          // the entry that grew
    std::string bytes; // DataPtr[0..DataSize)
    int depth;         // 2 and more: inside an earlier call
};

// A driver configured as the main window's (no RTS, 64 KiB read buffers,
// baud code 10 for every port) and pseudo-terminals published in a ports
// folder of the test's own. Every message box is answered OK and recorded.
class DriverFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        SetMessageBoxHook([this](const MessageRequest& request) {
            boxes.push_back(request.Text);
            return onBox ? onBox(request) : int(mrOk);
        });
        driver = std::make_unique<TMultiCommPortDriver>();
        driver->SetHwFlow(THwFlowControl::hfNONE);
        driver->SetInBufSize(65536);
        driver->SetBaudRates(Codes(10));
        Port(1);
    }
    void TearDown() override {
        driver.reset();
        SetMessageBoxHook({});
    }

    static std::array<TBaudRate, 256> Codes(TBaudRate code) {
        std::array<TBaudRate, 256> codes;
        codes.fill(code);
        return codes;
    }

    PseudoPort& Port(int number) {
        auto& port = ports[number];
        if (!port)
            port = std::make_unique<PseudoPort>(folder, number);
        return *port;
    }

    // Records every handler call; the port is the entry that grew since the
    // call before. The recorder takes nothing out of the entries.
    void Record() {
        lengths.assign(257, 0);
        driver->OnReceiveData = [this](QObject* sender, const void* data, uint32_t size) {
            EXPECT_EQ(sender, driver.get());
            ++depth;
            int grown = 0;
            for (int n = 1; n <= 256; ++n)
                if (driver->ReceivedText[n].size() != lengths[n]) {
                    EXPECT_EQ(grown, 0) << "two entries grew before one call";
                    grown = n;
                    lengths[n] = driver->ReceivedText[n].size();
                }
            calls.push_back({grown, std::string(static_cast<const char*>(data), size), depth});
            if (duringCall)
                duringCall(calls.back());
            --depth;
        };
    }

    std::string Received(int port) const {
        std::string all;
        for (const ReceiveCall& call : calls)
            if (call.port == port)
                all += call.bytes;
        return all;
    }

    // Holds the poll back until Release, so that bytes can be queued on
    // several ports before one pass finds them.
    void HoldPoll() { driver->SetPollingDelay(60000); }
    void Release() { driver->SetPollingDelay(5); }

    PortsFolder folder;
    std::map<int, std::unique_ptr<PseudoPort>> ports;
    std::unique_ptr<TMultiCommPortDriver> driver;
    std::vector<ReceiveCall> calls;
    std::vector<size_t> lengths;
    std::function<void(const ReceiveCall&)> duringCall;
    std::function<int(const MessageRequest&)> onBox;
    std::vector<QString> boxes;
    int depth = 0;
};
