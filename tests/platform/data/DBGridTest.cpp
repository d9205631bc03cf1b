#include "TestDatabase.h"

#include "platform/data/DBGrid.h"
#include "platform/data/DataSource.h"
#include "platform/data/IBDataSet.h"
#include "support/WaitUntil.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTest>

namespace {

class Grid : public TestDatabase {
  protected:
    void SetUp() override {
        TestDatabase::SetUp();
        Fill(20);
        view.SelectSQL().Assign({"SELECT *", "FROM T", "ORDER BY ID ASC"});
        source.SetDataSet(&view);
        grid.SetDataSource(&source);
        grid.resize(400, 300);
        grid.show();
    }

    QString Cell(int row, int column) const {
        return grid.model()->index(row, column).data().toString();
    }

    TIBTransaction read{&database};
    TIBDataSet view{&database, &read};
    TDataSource source;
    TDBGrid grid{nullptr};
};

TEST_F(Grid, ShowsOneColumnPerFieldTitledByItsLabel) {
    EXPECT_EQ(grid.model()->columnCount(), 0);
    view.Open();
    view.FieldByName("ID").SetDisplayLabel("RecNo");
    ASSERT_EQ(grid.model()->columnCount(), 4);
    EXPECT_EQ(grid.model()->rowCount(), 20);
    EXPECT_EQ(grid.model()->headerData(0, Qt::Horizontal).toString(), "RecNo");
    EXPECT_EQ(grid.model()->headerData(1, Qt::Horizontal).toString(), "DATUM");
    EXPECT_EQ(Cell(2, 0), "3");
    EXPECT_EQ(Cell(2, 1), "3-3-2004");
    EXPECT_EQ(Cell(2, 3), "rij 3");
    view.Close();
    EXPECT_EQ(grid.model()->rowCount(), 0);
}

// Each column holds its field's display width in digits, or its title when
// that is wider; the grid scrolls sideways to the columns that do not fit.
TEST_F(Grid, ColumnsAreAsWideAsTheirFieldsTextsOrTitles) {
    view.Open();
    const int expectedWidths[] = {11, 10, 8, 30}; // INTEGER, d-m-yyyy, h:nn:ss, VARCHAR(30)
    const int digit = grid.fontMetrics().horizontalAdvance('0');
    QHeaderView* header = grid.horizontalHeader();
    for (int column = 0; column < 4; ++column) {
        const int characters = view.Fields(column).DisplayWidth();
        EXPECT_EQ(characters, expectedWidths[column]) << column;
        EXPECT_GE(header->sectionSize(column), characters * digit) << column;
        EXPECT_LE(header->sectionSize(column), characters * digit + 12) << column;
    }
    EXPECT_GT(grid.horizontalScrollBar()->maximum(), 0);

    view.FieldByName("TIJD").SetDisplayLabel("Tijd van de gebeurtenis");
    EXPECT_EQ(header->sectionSize(2), header->sectionSizeHint(2));
    EXPECT_GT(header->sectionSize(2), 8 * digit + 12);

    view.Close();
    view.Open();
    EXPECT_LE(header->sectionSize(2), 8 * digit + 12) << "the fields are new at every opening";
    EXPECT_GE(header->sectionSize(3), 30 * digit);
}

TEST_F(Grid, TheCurrentRowFollowsTheDataSetAndAClickMovesIt) {
    view.Open();
    view.Last();
    EXPECT_TRUE(WaitUntil([&] { return grid.currentIndex().row() == 19; }));
    grid.setCurrentIndex(grid.model()->index(4, 0));
    EXPECT_EQ(view.RecNo(), 5);
}

// A click at a title's own place in the header. The handler closes the data
// set and opens it with other columns before it reads the name, as the log
// window's sort closes the view first: the name must outlive the fields.
TEST_F(Grid, ATitleClickHandsOverAFieldNameThatOutlivesTheFields) {
    const QStringList table = {"SELECT *", "FROM T", "ORDER BY ID ASC"};
    const QStringList others = {"SELECT TEKST AS A1, TEKST AS A2, TEKST AS A3, TEKST AS A4",
                                "FROM T"};
    QString clicked;
    grid.OnTitleClick = [&](const QString& fieldName) {
        view.Close();
        view.SelectSQL().Assign(others);
        view.Open();
        clicked = fieldName;
    };
    const char* const names[] = {"ID", "DATUM", "TIJD", "TEKST"};
    for (int section = 0; section < 4; ++section) {
        view.SelectSQL().Assign(table);
        view.Open();
        QHeaderView* header = grid.horizontalHeader();
        const QPoint at(header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
                        header->height() / 2);
        clicked.clear();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
        EXPECT_EQ(clicked, QString(names[section])) << section;
    }
}

// At exit the data module frees its data source before the data set, and
// both before the log window: the grid lets go of the data set with the
// source, so a later repaint or row follow touches neither.
TEST_F(Grid, OutlivesItsDataSourceAndTheDataSetBehindIt) {
    auto* linked = new TDataSource;
    auto* data = new TIBDataSet(&database, &read);
    data->SelectSQL().Assign({"SELECT *", "FROM T"});
    linked->SetDataSet(data);
    grid.SetDataSource(linked);
    data->Open();
    ASSERT_EQ(grid.model()->rowCount(), 20);
    delete linked;
    EXPECT_EQ(grid.DataSource(), nullptr);
    EXPECT_EQ(grid.model()->rowCount(), 0);
    EXPECT_EQ(grid.model()->columnCount(), 0);
    delete data;
    grid.viewport()->repaint();
    RunEventLoopFor(20);
}

} // namespace
