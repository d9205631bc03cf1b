#include "LogWindowFixture.h"

namespace {

class LogWindowSortClickTest : public LogWindowFixture {
  protected:
    void SetUp() override {
        LogWindowFixture::SetUp();
        download(kFiveRecords);
        ASSERT_EQ(gridIds(), "1 2 3 4 5");
    }

    std::string orderLine() { return module.DataIBDataSet->SelectSQL().Lines().last().toStdString(); }
    QStringList filterLines() {
        const QStringList lines = module.DataIBDataSet->SelectSQL().Lines();
        return lines.mid(0, lines.size() - 1);
    }
};

} // namespace

// From start (by ID ascending) the first click on "RecNo" reverses it; a
// first click on another title sorts ascending and each further click on it
// reverses; "Datum" sorts by the time within a day.
TEST_F(LogWindowSortClickTest, EveryTitleSortsByARealClickWithTheDirectionRules) {
    const struct {
        const char* title;
        const char* line;
        const char* ids;
    } clicks[] = {
        {"RecNo", "ORDER BY ID DESC", "5 4 3 2 1"},
        {"Datum", "ORDER BY DATUM ASC, TIJD ASC", "5 2 3 1 4"},
        {"Datum", "ORDER BY DATUM DESC, TIJD DESC", "4 1 3 2 5"},
        {"Datum", "ORDER BY DATUM ASC, TIJD ASC", "5 2 3 1 4"},
        {"Tijd", "ORDER BY TIJD ASC", "3 4 1 5 2"},
        {"Tijd", "ORDER BY TIJD DESC", "2 5 1 4 3"},
        {"Aktie", "ORDER BY AKTIE ASC", "2 5 4 1 3"},
        {"Aktie", "ORDER BY AKTIE DESC", "3 1 4 5 2"},
        {"Data", "ORDER BY DATA ASC", "2 4 1 5 3"},
        {"Data", "ORDER BY DATA DESC", "3 5 1 4 2"},
        {"RecNo", "ORDER BY ID ASC", "1 2 3 4 5"},
    };
    int step = 0;
    for (const auto& click : clicks) {
        ++step;
        clickTitle(click.title);
        EXPECT_EQ(orderLine(), click.line) << "click " << step << " on " << click.title;
        EXPECT_EQ(gridIds(), click.ids) << "click " << step << " on " << click.title;
    }
    EXPECT_TRUE(boxes.empty());
    // The view reopened each time: its titles and the chart are back.
    EXPECT_EQ(grid().model()->headerData(1, Qt::Horizontal).toString(), "Datum");
    EXPECT_EQ(form.Series2->Count(), 5);
}

// The sort replaces only the ORDER BY line; the filter's lines stay, and the
// next filter keeps the sort.
TEST_F(LogWindowSortClickTest, SortAndFilterKeepEachOthersLines) {
    click(form.ui.Startladen);
    click(form.ui.Accusamples);
    click(form.ui.DateOkButton);
    ASSERT_EQ(gridIds(), "3 4 5");
    const QStringList filter = filterLines();
    ASSERT_EQ(filter.size(), 11);

    clickTitle("Tijd");
    EXPECT_EQ(gridIds(), "3 4 5");
    clickTitle("Tijd");
    EXPECT_EQ(gridIds(), "5 4 3");
    EXPECT_EQ(filterLines(), filter);

    click(form.ui.Accusamples);
    click(form.ui.DateOkButton);
    EXPECT_EQ(gridIds(), "2 5 4 3");
    EXPECT_EQ(orderLine(), "ORDER BY TIJD DESC");
}
