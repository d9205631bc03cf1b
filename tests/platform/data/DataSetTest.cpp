#include "TestDatabase.h"

#include "platform/data/DataSource.h"
#include "platform/data/IBDataSet.h"
#include "platform/data/IBQuery.h"
#include "platform/errors/Exception.h"

namespace {

class DataSet : public TestDatabase {
  protected:
    void SetUp() override {
        TestDatabase::SetUp();
        view.setObjectName("DataIBDataSet");
        view.SelectSQL().Assign({"SELECT *", "FROM T", "ORDER BY ID ASC"});
    }

    TIBTransaction read{&database};
    TIBDataSet view{&database, &read};
};

TEST_F(DataSet, WalksItsRowsWithTheClassLibrarysPositions) {
    Fill(3);
    view.Open();
    EXPECT_EQ(view.RecNo(), 1);
    EXPECT_FALSE(view.Eof());
    view.Last();
    EXPECT_EQ(view.RecNo(), 3);
    EXPECT_TRUE(view.Eof());
    view.First();
    QStringList ids;
    while (!view.Eof()) {
        ids << view.FieldByName("ID").AsString();
        view.Next();
    }
    EXPECT_EQ(ids, QStringList({"1", "2", "3"}));
    EXPECT_EQ(view.RecNo(), 3); // the walk ends on the last row
}

TEST_F(DataSet, AnEmptyViewHasRecordNumberZeroAndIsAtItsEnd) {
    view.Open();
    EXPECT_TRUE(view.Eof());
    view.Last();
    EXPECT_EQ(view.RecNo(), 0);
    view.First();
    EXPECT_TRUE(view.Eof());
    EXPECT_EQ(view.FieldByName("ID").AsString(), "");
}

TEST_F(DataSet, FieldsAreFoundWithoutRegardToCase) {
    write.StartTransaction();
    TIBQuery generator(&database, &write);
    Exec("CREATE GENERATOR G");
    generator.SQL().Add("SELECT GEN_ID(G, 1) FROM RDB$DATABASE");
    generator.Open();
    EXPECT_EQ(generator.FieldByName("Gen_ID").AsInteger(), 1);
    generator.Close();
    generator.Open();
    EXPECT_EQ(generator.FieldByName("gen_id").AsInteger(), 2);
    try {
        generator.FieldByName("NOPE");
        FAIL();
    } catch (const EDatabaseError& error) {
        EXPECT_TRUE(error.Message().contains("'NOPE' not found")) << error.what();
    }
}

TEST_F(DataSet, OperationsOnAClosedDataSetFailWithItsName) {
    for (auto operation : {&TIBDataSet::First, &TIBDataSet::Last, &TIBDataSet::Next}) {
        try {
            (view.*operation)();
            FAIL() << "moved on a closed data set";
        } catch (const EDatabaseError& error) {
            EXPECT_EQ(error.Message(),
                      "DataIBDataSet: Cannot perform this operation on a closed dataset");
        }
    }
    EXPECT_THROW(view.FieldByName("ID"), EDatabaseError);
    EXPECT_EQ(view.RecNo(), 0);
}

TEST_F(DataSet, AfterOpenRunsOnceTheRowsAreThereAndItsErrorLeavesOpen) {
    Fill(4);
    int seen = -1;
    QObject* sender = nullptr;
    view.AfterOpen = [&](QObject* s) {
        sender = s;
        view.Last();
        seen = view.RecNo();
        throw EConvertError("'x' is not a valid floating point value");
    };
    EXPECT_THROW(view.Open(), EConvertError);
    EXPECT_EQ(seen, 4);
    EXPECT_EQ(sender, &view);
    EXPECT_TRUE(view.Active());
}

TEST_F(DataSet, TextFormsFollowTheRegionalSettings) {
    Fill(1);
    view.Open();
    EXPECT_EQ(view.FieldByName("DATUM").AsString(), "1-3-2004");
    EXPECT_EQ(view.FieldByName("TIJD").AsString(), "14:02:01");
    EXPECT_EQ(view.FieldByName("TEKST").AsString(), "rij 1");
    EXPECT_EQ(view.FieldByName("ID").AsInteger(), 1);
    EXPECT_EQ(view.FieldByName("DATUM").DisplayLabel(), "DATUM");
    view.FieldByName("DATUM").SetDisplayLabel("Datum");
    EXPECT_EQ(view.FieldByName("DATUM").DisplayLabel(), "Datum");
    EXPECT_EQ(view.FieldByName("DATUM").FieldName(), "DATUM");
}

TEST_F(DataSet, ChangingTheStatementClosesAndRunsTheNewOne) {
    Fill(5);
    view.Open();
    view.SelectSQL().SetStrings(view.SelectSQL().Count() - 1, "ORDER BY ID DESC");
    EXPECT_FALSE(view.Active());
    view.Open();
    EXPECT_EQ(view.FieldByName("ID").AsInteger(), 5);
    EXPECT_EQ(view.RecordCount(), 5);
}

TEST_F(DataSet, ABadStatementLeavesTheViewClosed) {
    view.SelectSQL().Assign({"SELECT *", "FROM NOSUCH", "ORDER BY ID ASC"});
    EXPECT_THROW(view.Open(), EDatabaseError);
    EXPECT_FALSE(view.Active());
}

// Each source of a data set is told of its openings and closings; one told
// may unlink another, or itself. A source unlinked is told nothing more by
// the data set, every source still linked is told once.
TEST_F(DataSet, SourcesUnlinkedWhileTheSourcesAreToldHearNoMore) {
    TDataSource a, b, c;
    QStringList heard;
    for (auto [source, name] : {std::pair{&a, "a"}, {&b, "b"}, {&c, "c"}}) {
        source->SetDataSet(&view);
        source->AddObserver([&heard, name = QString(name)](TDataEvent event) {
            if (event == TDataEvent::Opened || event == TDataEvent::Closed)
                heard << name + (event == TDataEvent::Opened ? " opened" : " closed");
        });
    }
    a.AddObserver([&](TDataEvent event) {
        if (event == TDataEvent::Opened)
            b.SetDataSet(nullptr); // b hears its own unlinking as a closing
        else if (event == TDataEvent::Closed)
            a.SetDataSet(nullptr);
    });
    view.Open();
    EXPECT_EQ(heard, (QStringList{"a opened", "b closed", "c opened"}));
    heard.clear();
    view.Close();
    EXPECT_EQ(heard, (QStringList{"a closed", "a closed", "c closed"}));
    heard.clear();
    view.Open();
    EXPECT_EQ(heard, QStringList{"c opened"});
}

} // namespace
