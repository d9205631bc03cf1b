#include "eventlog/store/DataModule1.h"
#include "eventlog/viewer/DataForm.h"
#include "eventlog/viewer/StelpodLink.h"
#include "support/WaitUntil.h"
#include "tools/pictures/Pictures.h"

#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct SilentLink : TStelpodLink {
    bool IsConnected() const override { return false; }
    void SendString(const QString&) override {}
};

class DataFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        InitPictures();
        form.SetPeers(&link, &module);
        module.SetChartSeries(form.VoltageSeries());
        form.show();
        ASSERT_TRUE(WaitUntil([&] { return form.isVisible(); }));
    }

    QRect place(QWidget* control) const { return control->geometry(); }

    SilentLink link;
    TDataForm form;
    TDataModule1 module;
};

} // namespace

TEST_F(DataFormTest, AtTheMinimumSize_TheChartIs640Wide) {
    EXPECT_EQ(form.size(), QSize(792, 556));
    EXPECT_EQ(form.minimumSize(), QSize(792, 556));
    EXPECT_EQ(place(form.ui.Chart1), QRect(8, 16, 640, 313));
    EXPECT_EQ(form.windowTitle(), "DataForm");
}

TEST_F(DataFormTest, Resizing_MovesAnchoredControlsAndStretchesTheChart) {
    const QRect image1 = place(form.ui.Image1), panel = place(form.ui.Panel1),
                print = place(form.ui.PrintBTN), image2 = place(form.ui.Image2),
                grid = place(form.ui.DBGrid1), bevel = place(form.ui.Bevel1),
                download = place(form.ui.DownLoadButton);
    form.resize(892, 656);
    ASSERT_TRUE(WaitUntil([&] { return form.size() == QSize(892, 656); }));
    EXPECT_EQ(place(form.ui.Chart1), QRect(8, 16, 740, 413));
    EXPECT_EQ(place(form.ui.Image1), image1.translated(100, 0));
    EXPECT_EQ(place(form.ui.Panel1), panel.translated(100, 0));
    EXPECT_EQ(place(form.ui.PrintBTN), print.translated(100, 100));
    EXPECT_EQ(place(form.ui.Image2), image2.translated(100, 100));
    EXPECT_EQ(place(form.ui.DBGrid1), grid.translated(0, 100));
    EXPECT_EQ(place(form.ui.DownLoadButton), download.translated(0, 100));
    EXPECT_EQ(place(form.ui.Bevel1), bevel.adjusted(0, 100, 100, 100));
    // The grid is held at 440 pixels even when something stretches it.
    form.ui.DBGrid1->resize(600, form.ui.DBGrid1->height());
    EXPECT_EQ(form.ui.DBGrid1->width(), 440);
}

TEST_F(DataFormTest, FreshWindow_ShowsTheVoltageViewAndTheFilterOff) {
    EXPECT_TRUE(form.ui.AccuRadioButton->isChecked());
    EXPECT_FALSE(form.Series1->Active());
    for (TChartSeries* series : std::initializer_list<TChartSeries*>{
             form.Series2, form.Series3, form.Series9, form.Series10})
        EXPECT_TRUE(series->Active());
    for (QCheckBox* box : {form.ui.wijzigenvermogensstanden, form.ui.Accusamples,
                           form.ui.Ladenklaar, form.ui.Shutoffvoltage})
        EXPECT_TRUE(box->isChecked());
    EXPECT_FALSE(form.ui.DatumTijd->isChecked());
    EXPECT_FALSE(form.ui.StartDateEdit->isVisible());
    EXPECT_FALSE(form.ui.DateOkButton->isEnabled());
    EXPECT_FALSE(form.ui.DownLoadBar->isVisible());
    EXPECT_EQ(form.ui.Chart1->SeriesCount(), 10);
    EXPECT_EQ(form.ui.Chart1->Series(1), form.Series10);
}

TEST_F(DataFormTest, OpeningTheView_TitlesTheGridsColumns) {
    QTemporaryDir folder;
    module.CreateDatabase(folder.filePath("Data.gdb"));
    module.OpenView();
    QAbstractItemModel* model = form.ui.DBGrid1->model();
    ASSERT_NE(model, nullptr);
    QStringList titles;
    for (int column = 0; column < model->columnCount(); ++column)
        titles << model->headerData(column, Qt::Horizontal).toString();
    EXPECT_EQ(titles, (QStringList{"RecNo", "Datum", "Tijd", "Aktie", "Data"}));
}

// The user's close only hides the window: it lives on with every control
// as the user left it.
TEST_F(DataFormTest, Closing_HidesTheWindowAndKeepsItsControls) {
    QTest::mouseClick(form.ui.Startladen, Qt::LeftButton);
    QTest::mouseClick(form.ui.DatumTijd, Qt::LeftButton);
    form.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(form.isVisible());

    form.show();
    EXPECT_FALSE(form.ui.Startladen->isChecked());
    EXPECT_TRUE(form.ui.DatumTijd->isChecked());
    EXPECT_TRUE(form.ui.StartDateEdit->isVisible());
    EXPECT_TRUE(form.ui.DateOkButton->isEnabled());
}
