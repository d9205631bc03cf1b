#include "AppHarness.h"

#include "tools/stelpod-sim/RecordGenerator.h"

#include <QtTest/QTest>

namespace {

// The end of a download opens the view and charts it; nothing the user did
// to the filter, and no record the chart cannot draw, may stop it before its
// last step.
class DownloadEndTest : public AppHarness {
  protected:
    void SetUp() override {
        AppHarness::SetUp();
        sim::RecordGeneratorOptions options;
        options.count = 40;
        records = sim::RecordGenerator::GenerateHex(options);
    }

    // Connected, read, and the log window shown on a fresh database.
    void openLogWindow() {
        sim.UpdateState([&](sim::StelpodState& state) { state.records = records; });
        connectAndRead();
        main().ui.Button2->click();
        ASSERT_TRUE(module().DataIBDataSet->Active());
    }

    void download() {
        sim.ClearReceived();
        QTest::mouseClick(logWindow().ui.DownLoadButton, Qt::LeftButton);
        ASSERT_TRUE(WaitUntil([&] { return countOf("V") >= 1; }, 10000));
    }

    void expectEveryEndStep() {
        EXPECT_TRUE(module().DataIBDataSet->Active());
        EXPECT_TRUE(logWindow().windowState() & Qt::WindowMaximized);
        EXPECT_TRUE(logWindow().ui.AccuRadioButton->isChecked());
        for (const MessageRequest& message : messages)
            EXPECT_NE(message.Type, TMsgDlgType::mtError) << message.Text.toStdString();
    }

    // The kinds of the view's rows, in its order.
    QStringList kinds() {
        QStringList texts;
        TIBDataSet* view = module().DataIBDataSet;
        for (view->First(); !view->Eof(); view->Next())
            texts << view->FieldByName("AKTIE").AsString();
        return texts;
    }

    std::vector<std::string> records;
};

} // namespace

TEST_F(DownloadEndTest, AfterAFilterWithNoKind_TheDownloadEndsWithEveryStep) {
    openLogWindow();
    TDataForm& window = logWindow();
    for (QCheckBox* box :
         {window.ui.wijzigenvermogensstanden, window.ui.Accusamples, window.ui.Startladen,
          window.ui.Eindeconstcurrent, window.ui.Ladenklaar, window.ui.Verbindingverbroken,
          window.ui.Inschakelvoltage, window.ui.Uitschakelvoltage, window.ui.Shutoffvoltage})
        QTest::mouseClick(box, Qt::LeftButton);
    QTest::mouseClick(window.ui.DateOkButton, Qt::LeftButton);
    ASSERT_EQ(messagesWith("Er is geen data om weer te geven."), 1);
    messages.clear();

    download();
    expectEveryEndStep();
    EXPECT_EQ(kinds().size(), 40);
}

// A record with 'P' before an event code outside '0' to '8' is stored with a
// percentage where the chart expects volts: the row stays in the grid, out
// of the chart, and every other row is charted.
TEST_F(DownloadEndTest, ARowTheChartCannotDraw_IsLeftOutAndTheDownloadEnds) {
    records.insert(records.begin() + 10, "0907146503P90080");
    openLogWindow();
    download();
    expectEveryEndStep();
    const QStringList stored = kinds();
    ASSERT_EQ(stored.size(), 41);
    EXPECT_EQ(stored[10], "9");
    EXPECT_EQ(logWindow().Series10->Count(), 40);
    EXPECT_EQ(logWindow().Series2->Count(), 40 - stored.count("Insch./wijz. vermogensstand"));
}
