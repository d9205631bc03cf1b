#include "LogWindowFixture.h"

namespace {

// The log window's filter driven by clicks on its check boxes and buttons
// and by keys typed into the masked date edits.
class LogWindowDateFilterTest : public LogWindowFixture {
  protected:
    void SetUp() override {
        LogWindowFixture::SetUp();
        activate();
        download(kFiveRecords);
        ASSERT_EQ(gridIds(), "1 2 3 4 5");
    }

    TMaskEdit& start() { return *form.ui.StartDateEdit; }
    TMaskEdit& end() { return *form.ui.EndDateEdit; }
    QPushButton& ok() { return *form.ui.DateOkButton; }
    QStringList statement() { return module.DataIBDataSet->SelectSQL().Lines(); }

    // Clicks into a date edit and types over its places from the first one;
    // a blank erases a place.
    void type(TMaskEdit& edit, const QString& keys) {
        click(&edit);
        QTest::keyClick(&edit, Qt::Key_Home);
        for (QChar key : keys) {
            if (key == QLatin1Char(' ')) {
                QTest::keyClick(&edit, Qt::Key_Delete);
                QTest::keyClick(&edit, Qt::Key_Right);
            } else
                QTest::keyClick(&edit, key.toLatin1());
        }
    }
};

} // namespace

// A date with a blank place makes the OK click do nothing, whether or not
// the date range is on; once both dates are complete the click filters.
TEST_F(LogWindowDateFilterTest, ABlankInADate_KeepsOkFromDoingAnythingUntilTheDateIsComplete) {
    click(form.ui.DatumTijd);
    ASSERT_TRUE(start().isVisible());
    type(start(), "  ");
    type(end(), "120325");
    ASSERT_EQ(start().text().left(2).toStdString(), "  ");
    const QStringList before = statement();

    click(&ok());
    EXPECT_EQ(statement(), before);
    EXPECT_TRUE(ok().isEnabled());
    EXPECT_EQ(gridIds(), "");
    click(form.ui.DatumTijd);
    EXPECT_FALSE(start().isVisible());
    click(&ok());
    EXPECT_EQ(statement(), before);
    EXPECT_EQ(gridIds(), "");
    EXPECT_TRUE(boxes.empty());

    click(form.ui.DatumTijd);
    type(start(), "050325");
    click(&ok());
    EXPECT_EQ(statement().at(statement().size() - 2).toStdString(),
              "AND DATUM BETWEEN '2025-03-05' AND '2025-03-12'");
    EXPECT_EQ(gridIds(), "1 2 3 5");
    EXPECT_FALSE(ok().isEnabled());
    EXPECT_TRUE(boxes.empty());
}

// Entering a date edit, by the mouse or by the Tab key, closes the view and
// leaves OK as it was; a change enables OK, whose click opens the view.
TEST_F(LogWindowDateFilterTest, EnteringADateEdit_ClosesTheViewAndLeavesOkAlone) {
    click(form.ui.DatumTijd);
    type(start(), "010125");
    type(end(), "010126");
    click(&ok());
    ASSERT_EQ(gridIds(), "1 2 3 4 5");
    ASSERT_FALSE(ok().isEnabled());

    click(&end());
    EXPECT_TRUE(end().hasFocus());
    EXPECT_EQ(gridIds(), "");
    EXPECT_FALSE(module.DataIBDataSet->Active());
    EXPECT_FALSE(ok().isEnabled());
    // Leaving it without a change keeps the view closed.
    click(&chart());
    EXPECT_EQ(gridIds(), "");

    type(end(), "310326");
    EXPECT_TRUE(ok().isEnabled());
    click(&ok());
    EXPECT_EQ(gridIds(), "1 2 3 4 5");

    chart().setFocus(Qt::MouseFocusReason);
    QTest::keyClick(&chart(), Qt::Key_Tab);
    ASSERT_TRUE(start().hasFocus());
    EXPECT_EQ(gridIds(), "");
    EXPECT_FALSE(module.DataIBDataSet->Active());
}
