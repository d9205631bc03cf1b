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
