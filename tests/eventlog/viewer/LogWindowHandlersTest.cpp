#include "LogWindowFixture.h"

using LogWindowHandlersTest = LogWindowFixture;

TEST_F(LogWindowHandlersTest, Pie_CountsEachPowerLevelOverTheWholeTable) {
    download({"M1007146503080066", "M1107146503080066", "M1207146503080066",
              "M1307146503080040", "M1407146503007530"});
    form.ui.PowerstandenRadioButton->setChecked(true);
    ASSERT_EQ(form.Series1->Count(), 2);
    EXPECT_TRUE(form.Series1->Active());
    EXPECT_FALSE(form.Series2->Active());
    EXPECT_EQ(form.Series1->Label(0), "Vermogensstand: 25%");
    EXPECT_EQ(form.Series1->PieValue(0), 1);
    EXPECT_EQ(form.Series1->Label(1), "Vermogensstand: 40%");
    EXPECT_EQ(form.Series1->PieValue(1), 3);
    EXPECT_EQ(form.Series1->ValueColor(1), 0x00FFC8);

    form.ui.AccuRadioButton->setChecked(true);
    EXPECT_FALSE(form.Series1->Active());
    EXPECT_TRUE(form.Series10->Active());
}

TEST_F(LogWindowHandlersTest, SortAndFilter_RewriteTheStatementAndReopenTheView) {
    download(kRecords);
    form.DBGrid1TitleClick("DATUM");
    form.DBGrid1TitleClick("DATUM");
    EXPECT_EQ(module.DataIBDataSet->SelectSQL().Strings(2), "ORDER BY DATUM DESC, TIJD DESC");
    EXPECT_EQ(rows().front().left(2), "4;");

    for (QCheckBox* box : {form.ui.wijzigenvermogensstanden, form.ui.Startladen})
        box->setChecked(false);
    form.wijzigenvermogensstandenClick(nullptr);
    EXPECT_TRUE(form.ui.DateOkButton->isEnabled());
    form.DateOkButtonClick(nullptr);
    EXPECT_EQ(rows(), QStringList{"3;25-3-2025;14:07:11;Accu voltage sample;19,2 Volt"});
    EXPECT_FALSE(form.ui.DateOkButton->isEnabled());
    EXPECT_EQ(module.DataIBDataSet->SelectSQL().Lines().last(), "ORDER BY DATUM DESC, TIJD DESC");
}

TEST_F(LogWindowHandlersTest, WheelAndUndo_ZoomAboutTheCursorAndPutTheBandAtTheBottom) {
    download(kRecords);
    TChart* chart = form.ui.Chart1;
    chart->LeftAxis().SetMinMax(0, 40);
    chart->BottomAxis().SetMinMax(100, 200);
    QCursor::setPos(chart->mapToGlobal(chart->ClientRect().center()));
    bool handled = false;
    form.Chart1MouseWheel(chart, {}, 120, {}, handled);
    EXPECT_TRUE(handled);
    EXPECT_FALSE(chart->LeftAxis().Automatic());
    EXPECT_NEAR(chart->LeftAxis().Maximum() - chart->LeftAxis().Minimum(), 34, 1e-9);
    EXPECT_NEAR(chart->BottomAxis().Maximum() - chart->BottomAxis().Minimum(), 85, 1e-9);
    const double bandY =
        chart->LeftAxis().Minimum() + (chart->LeftAxis().Maximum() - chart->LeftAxis().Minimum()) / 100;
    for (int i = 0; i < form.Series10->Count(); ++i)
        EXPECT_NEAR(form.Series10->YValue(i), bandY, 1e-6);

    chart->UndoZoom();
    EXPECT_TRUE(chart->LeftAxis().Automatic());
    EXPECT_TRUE(chart->BottomAxis().Automatic());
}
