#include "AppHarness.h"
#include "StoredRows.h"

#include "tools/stelpod-sim/RecordGenerator.h"

#include <QApplication>
#include <functional>

namespace {

const QString kLithium = QStringLiteral(
    "De lithium batterij in de stelpod is bijna leeg of reeds leeg, vervang deze.");
const QString kNotDelivered =
    QStringLiteral("De gegevens konden niet worden opgehaald.\rControleer de stelpod.");

class DownloadTest : public AppHarness {
protected:
    void SetUp() override {
        AppHarness::SetUp();
        sim::RecordGeneratorOptions options;
        options.count = 60;
        options.lithiumLowShare = 0.1;
        sim.UpdateState([&](sim::StelpodState& state) {
            state.records = sim::RecordGenerator::GenerateHex(options);
        });
    }

    // Connected, read, and the log window shown on a fresh database.
    void openLogWindow() {
        connectAndRead();
        main().ui.Button2->click();
        ASSERT_TRUE(logWindow().isVisible());
        ASSERT_TRUE(module().DataIBDataSet->Active());
    }

    void download() {
        sim.ClearReceived();
        logWindow().ui.DownLoadButton->click();
        ASSERT_TRUE(WaitUntil([&] { return countOf("V") >= 1; }, 10000));
    }

    std::vector<int> rowIds() {
        std::vector<int> ids;
        TIBDataSet* view = module().DataIBDataSet;
        for (view->First(); !view->Eof(); view->Next())
            ids.push_back(view->FieldByName("ID").AsInteger());
        return ids;
    }

    static std::vector<int> oneTo(int n) {
        std::vector<int> ids(n);
        std::iota(ids.begin(), ids.end(), 1);
        return ids;
    }
};

} // namespace

TEST_F(DownloadTest, Download_StoresEveryRecordInArrivalOrderAndEndsMaximisedOnTheVoltageView) {
    openLogWindow();
    EXPECT_EQ(logWindow().ui.DownLoadBar->maximum(), 60);
    logWindow().ui.PowerstandenRadioButton->setChecked(true);
    int steps = 0;
    QObject::connect(logWindow().ui.DownLoadBar, &QProgressBar::valueChanged, [&](int) { ++steps; });
    download();

    EXPECT_EQ(commands().front(), "M");
    EXPECT_EQ(rowIds(), oneTo(60));
    EXPECT_EQ(steps, 60);
    EXPECT_FALSE(logWindow().ui.DownLoadBar->isVisible());
    EXPECT_TRUE(logWindow().windowState() & Qt::WindowMaximized);
    EXPECT_TRUE(logWindow().ui.AccuRadioButton->isChecked());
    EXPECT_GT(logWindow().Series2->Count(), 0);
    EXPECT_EQ(messagesWith(kLithium), 1);
    EXPECT_FALSE(main().LithiumLow);
}

TEST_F(DownloadTest, SecondDownload_AppendsAfterTheFirst) {
    openLogWindow();
    download();
    download();
    EXPECT_EQ(rowIds(), oneTo(120));
    EXPECT_EQ(messagesWith(kLithium), 2);
}

TEST_F(DownloadTest, SecondClickDuringADownload_IsRefusedAndSendsNothing) {
    sim.SetPaced(true);
    openLogWindow();
    sim.ClearReceived();
    logWindow().ui.DownLoadButton->click();
    ASSERT_TRUE(WaitUntil([&] { return countOf("M") == 1; }, 3000));
    logWindow().ui.DownLoadButton->click();
    ASSERT_TRUE(WaitUntil([&] { return countOf("V") >= 1; }, 10000));
    EXPECT_EQ(countOf("M"), 1);
    EXPECT_EQ(messagesWith("Transaction is not active"), 1);
    EXPECT_EQ(rowIds(), oneTo(60));
}

TEST_F(DownloadTest, NotConnected_OnlyTellsSo) {
    main().ui.Button2->click();
    logWindow().ui.DownLoadButton->click();
    EXPECT_EQ(messagesWith("Er is geen verbinding met een stelpod."), 1);
    EXPECT_TRUE(module().DataIBDataSet->Active());
    EXPECT_FALSE(logWindow().ui.DownLoadBar->isVisible());
}

TEST_F(DownloadTest, NoAnswer_KeepsTheRowsBeforeItAndShowsTheMessage) {
    sim.SetDownloadEnd(sim::DownloadEnd::No);
    sim.SetDownloadLimit(25);
    openLogWindow();
    download();
    EXPECT_EQ(messagesWith(kNotDelivered), 1);
    EXPECT_EQ(rowIds(), oneTo(25));
}

// End lines fed straight into the reply handler after a download start.
TEST_F(DownloadTest, EndLines_MokAnywhereEndsItWhileMnoFollowedByMoreIsARecord) {
    openLogWindow();
    sim.SetSilent(true);
    logWindow().ui.DownLoadButton->click();
    std::string& text = main().MultiCommPortDriver1->ReceivedText[1];
    text += "M8907146503007530\rMNO1\rMxxMOKyy\r";
    RunHandler([&] { main().MultiCommPortDriver1ReceiveData(nullptr, nullptr, 0); });
    EXPECT_EQ(rowIds(), oneTo(2));
    EXPECT_EQ(messagesWith(kLithium), 1); // the first record carries the lithium bit
    EXPECT_EQ(main().LastCommand, "V");
    EXPECT_FALSE(logWindow().ui.DownLoadBar->isVisible());
}

// The unit stops after 25 records without an end line: five seconds of
// silence end the download as "MNO" does.
TEST_F(DownloadTest, UnitFallingSilent_EndsTheDownloadAsNoAnswerDoes) {
    sim.SetDownloadEnd(sim::DownloadEnd::None);
    sim.SetDownloadLimit(25);
    openLogWindow();
    download();
    EXPECT_EQ(messagesWith(kNotDelivered), 1);
    EXPECT_EQ(rowIds(), oneTo(25));
    EXPECT_FALSE(logWindow().ui.DownLoadBar->isVisible());
    EXPECT_TRUE(logWindow().isMaximized());

    // A line that comes later is handled as any other: the record is added
    // and the end line makes it permanent.
    sim.SetSilent(true);
    sim.ClearReceived();
    sim.Inject("M0907146503007530\rMOK\r");
    ASSERT_TRUE(WaitUntil([&] { return countOf("V") >= 1; }, 3000));
    EXPECT_EQ(StoredIds(main().DatabaseFile), oneTo(26));
    EXPECT_EQ(messagesWith(kNotDelivered), 1);
}

// What the user did with the log window during the download; at its end the
// window is shown maximised in front before the lithium box opens.
TEST_F(DownloadTest, EndOfDownload_BringsTheLogWindowForwardBeforeTheLithiumBox) {
    const std::pair<const char*, std::function<void()>> actions[] = {
        {"minimised", [&] { logWindow().showMinimized(); }},
        {"behind the main window",
         [&] {
             main().raise();
             main().activateWindow();
         }},
        {"closed", [&] { logWindow().close(); }},
    };
    openLogWindow();
    for (const auto& [action, act] : actions) {
        SCOPED_TRACE(action);
        bool shown = false;
        SetMessageBoxHook([&](const MessageRequest& request) {
            messages.push_back(request);
            if (request.Text == kLithium)
                shown = logWindow().isVisible() && logWindow().isMaximized() &&
                        !logWindow().isMinimized();
            return int(mrOk);
        });
        logWindow().showNormal();
        sim.ClearReceived();
        logWindow().ui.DownLoadButton->click();
        act();
        ASSERT_TRUE(WaitUntil([&] { return countOf("V") >= 1; }, 10000));
        EXPECT_TRUE(shown);
        EXPECT_TRUE(logWindow().isVisible());
        EXPECT_FALSE(logWindow().isMinimized());
        EXPECT_TRUE(logWindow().isMaximized());
        EXPECT_TRUE(WaitUntil([&] { return QApplication::activeWindow() == &logWindow(); }, 2000));
    }
}
