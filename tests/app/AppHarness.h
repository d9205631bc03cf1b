#pragma once

#include "app/ComportForm.h"
#include "app/MainForm.h"
#include "app/Program.h"
#include "eventlog/store/DataModule1.h"
#include "eventlog/viewer/DataForm.h"
#include "platform/regional/Regional.h"
#include "platform/ui/Handler.h"
#include "platform/ui/MessageDlg.h"
#include "support/DutchSettings.h"
#include "support/WaitUntil.h"
#include "tools/pictures/Pictures.h"
#include "tools/stelpod-sim/StelpodSimulator.h"

#include <QFile>
#include <QTemporaryDir>
#include <deque>
#include <gtest/gtest.h>

// The whole program against a simulated Stelpod on a pseudo-terminal,
// published as COM1 in a ports folder of the test's own. Message boxes are
// answered from a queue (Yes or OK when it is empty) after a short nested
// loop, as a person would, and recorded.
class AppHarness : public ::testing::Test {
  protected:
    void SetUp() override {
        InitPictures();
        ASSERT_TRUE(ports.isValid());
        qputenv("DORVEL_PORTS", ports.path().toLocal8Bit());
        UseDutchSettings();
        SetMessageBoxHook([this](const MessageRequest& request) {
            messages.push_back(request);
            RunEventLoopFor(boxOpenMs);
            if (!answers.empty()) {
                const int answer = answers.front();
                answers.pop_front();
                return answer;
            }
            for (TMsgDlgBtn button : request.Buttons)
                if (button == TMsgDlgBtn::mbYes)
                    return int(mrYes);
            return int(mrOk);
        });
        sim.SetPortsFolder(ports.path().toStdString());
        sim.SetPaced(false);
        program = std::make_unique<TProgram>();
        main().DatabaseFile = data.filePath("Data.gdb");
    }

    void TearDown() override {
        program.reset();
        sim.Stop();
        SetMessageBoxHook({});
        Regional::SetNowHook({});
    }

    TMainForm& main() { return *program->MainForm; }
    TComportForm& dialog() { return *program->ComportForm; }
    TDataForm& logWindow() { return *program->DataForm; }
    TDataModule1& module() { return *program->DataModule1; }

    // Starts the simulator and connects through the port dialog.
    void connect(int port = 1) {
        sim.Start();
        dialog().ui.ComportSpinEdit->SetValue(port);
        dialog().ConnectButtonClick(dialog().ui.ConnectButton);
    }

    // Connects and waits until the read sequence reached the voltage poll.
    void connectAndRead() {
        connect();
        ASSERT_TRUE(WaitUntil([&] { return countOf("H") >= 1; }, 8000));
        ASSERT_TRUE(WaitUntil([&] { return !main().ui.VoltageEdit->text().isEmpty(); }, 3000));
    }

    // Makes COMn a device that cannot take line settings (a plain file), so
    // that the machine's own serial ports play no part in a test.
    void blockPort(int port) {
        const QString file = ports.filePath(QStringLiteral("plain%1").arg(port));
        QFile(file).open(QIODevice::WriteOnly);
        QFile::link(file, ports.filePath(QStringLiteral("com%1").arg(port)));
    }

    std::vector<std::string> commands() const {
        std::vector<std::string> texts;
        for (const auto& command : sim.Received())
            texts.push_back(command.text);
        return texts;
    }

    int countOf(const std::string& text) const {
        int count = 0;
        for (const auto& command : sim.Received())
            count += command.text == text;
        return count;
    }

    int messagesWith(const QString& text) const {
        int count = 0;
        for (const auto& message : messages)
            count += message.Text == text;
        return count;
    }

    QTemporaryDir ports;
    QTemporaryDir data;
    sim::StelpodSimulator sim{1};
    std::unique_ptr<TProgram> program;
    std::vector<MessageRequest> messages;
    std::deque<int> answers;
    int boxOpenMs = 20;
};
