#include "TestDatabase.h"

#include "platform/data/IBClientLibrary.h"
#include "platform/data/IBDataSet.h"
#include "platform/data/IBDateTime.h"
#include "platform/data/IBQuery.h"
#include "platform/data/IBSqlParams.h"
#include "platform/errors/Exception.h"

namespace {

QString ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Exception& error) {
        return error.Message();
    }
    return "no error";
}

class Transactions : public TestDatabase {
  protected:
    void SetUp() override {
        TestDatabase::SetUp();
        Fill(3);
        view.setObjectName("View");
        view.SelectSQL().Assign({"SELECT *", "FROM T", "ORDER BY ID ASC"});
    }

    TIBTransaction read{&database};
    TIBDataSet view{&database, &read};
};

TEST_F(Transactions, OpeningTheViewStartsItsTransaction) {
    ASSERT_FALSE(read.InTransaction());
    view.Open();
    EXPECT_TRUE(read.InTransaction());
    EXPECT_EQ(view.RecordCount(), 3);
}

TEST_F(Transactions, CommitClosesTheDataSetsOfItsTransactionOnly) {
    TIBQuery other(&database, &write);
    other.SQL().Add("SELECT * FROM T");
    view.Open();
    other.Open();
    read.Commit();
    EXPECT_FALSE(view.Active());
    EXPECT_FALSE(read.InTransaction());
    EXPECT_TRUE(other.Active());
}

TEST_F(Transactions, CommitRetainingKeepsTheDataSetsOpen) {
    view.Open();
    read.CommitRetaining();
    EXPECT_TRUE(view.Active());
    EXPECT_TRUE(read.InTransaction());
}

TEST_F(Transactions, CommittingAnInactiveTransactionFails) {
    EXPECT_EQ(ErrorOf([&] { read.Commit(); }), "Transaction is not active");
    EXPECT_EQ(ErrorOf([&] { read.CommitRetaining(); }), "Transaction is not active");
    view.Open();
    read.Commit();
    EXPECT_EQ(ErrorOf([&] { read.Commit(); }), "Transaction is not active");
}

TEST_F(Transactions, ActiveStartsOnlyWhenNotRunningAndFalseRollsBack) {
    write.SetActive(true);
    write.SetActive(true); // running already: nothing
    Exec("DELETE FROM T");
    TIBQuery query(&database, &write);
    query.SQL().Add("SELECT * FROM T");
    query.Open();
    EXPECT_EQ(query.RecordCount(), 0);
    write.SetActive(false);
    EXPECT_FALSE(query.Active());
    view.Open();
    EXPECT_EQ(view.RecordCount(), 3); // the deletion was rolled back
}

TEST_F(Transactions, ClosingTheConnectionClosesCommitsAndUnprepares) {
    TIBSQL insert(&database, &write);
    write.StartTransaction();
    insert.SQL().Add("INSERT INTO T (ID) VALUES (:ID)");
    insert.Prepare();
    insert.ParamByName("ID").SetAsInteger(4);
    insert.ExecQuery();
    view.Open();
    database.Close();
    EXPECT_FALSE(database.Connected());
    EXPECT_FALSE(view.Active());
    EXPECT_FALSE(insert.Prepared());
    EXPECT_FALSE(write.InTransaction());

    database.Open();
    database.Open(); // attached already: nothing
    view.Open();
    EXPECT_EQ(view.RecordCount(), 4); // the open transaction was committed
}

TEST_F(Transactions, ADataSetOnAClosedConnectionFails) {
    database.Close();
    EXPECT_EQ(ErrorOf([&] { view.Open(); }), "Cannot perform operation -- DB is not open");
}

TEST_F(TestDatabase, AFailedCreationReportsTheEnginesText) {
    database.Close();
    for (const QString& path : {database.DatabaseName(), folder.filePath("missing/Data.gdb")}) {
        TIBDatabase second;
        second.SetDatabaseName(path);
        second.Params() << "USER \"SYSDBA\"";
        const QString error = ErrorOf([&] { second.CreateDatabase(); });
        EXPECT_TRUE(error.contains("I/O error")) << error.toStdString();
        EXPECT_TRUE(error.contains(path)) << error.toStdString();
        EXPECT_FALSE(second.Connected());
    }
}

TEST(IBDateTime, EngineUnitsFromDayCounts) {
    using namespace IBDateTime;
    EXPECT_EQ(ToIsc(0).date, 15018);        // 30 December 1899
    EXPECT_EQ(ToIsc(-15018).date, 0);       // 17 November 1858
    EXPECT_EQ(ToIsc(0.5).time, 432000000u); // noon
    EXPECT_EQ(ToIsc(1.75).date, 15019);
    EXPECT_EQ(ToIsc(1.75).time, 648000000u);
    EXPECT_EQ(ToIsc(-1.25).date, 15017); // 29 December 1899, 06:00
    EXPECT_EQ(ToIsc(-1.25).time, 216000000u);
    const double almostMidnight = 2 + 86399999.6 / 86400000.0;
    EXPECT_EQ(ToIsc(almostMidnight).date, 15021);
    EXPECT_EQ(ToIsc(almostMidnight).time, 0u);
    EXPECT_DOUBLE_EQ(FromIsc(15019, 648000000u), 1.75);
    EXPECT_DOUBLE_EQ(FromIsc(15017, 216000000u), -1.25);
}

TEST(IBSqlParams, NamesOutsideQuotesAndCommentsBecomeMarkers) {
    struct Case {
        QString sql, text;
        QStringList names;
    } cases[] = {
        {":ID,:DATUM,:TIJD, :AKTIE,", "?,?,?, ?,", {"ID", "DATUM", "TIJD", "AKTIE"}},
        {"WHERE A = :x OR B = :X", "WHERE A = ? OR B = ?", {"X", "X"}},
        {"WHERE A = ':NO' AND B = 'it''s :no' AND C = :YES",
         "WHERE A = ':NO' AND B = 'it''s :no' AND C = ?",
         {"YES"}},
        {"SELECT \"A:B\" FROM T -- :C\n/* :D */ WHERE E=:E",
         "SELECT \"A:B\" FROM T -- :C\n/* :D */ WHERE E=?",
         {"E"}},
        {"SELECT '10:30' FROM T WHERE X = : Y", "SELECT '10:30' FROM T WHERE X = : Y", {}},
    };
    for (const Case& c : cases) {
        const TIBSqlParams parsed = TIBSqlParams::Parse(c.sql);
        EXPECT_EQ(parsed.text, c.text) << c.sql.toStdString();
        EXPECT_EQ(parsed.names, c.names) << c.sql.toStdString();
    }
}

// The client library is loaded by name when the first connection is made; a
// library that is missing is an error naming it and the system's reason.
TEST(IBClientLibrary, AMissingLibraryIsAnErrorWithItsReason) {
    try {
        IBClientLibrary::Open("libfbclient-missing.so.2");
        FAIL() << "no error";
    } catch (const EDatabaseError& error) {
        EXPECT_TRUE(error.Message().startsWith(
            "Unable to load the client library libfbclient-missing.so.2: "))
            << error.what();
        EXPECT_TRUE(error.Message().contains("No such file")) << error.what();
    }
    EXPECT_NE(IBClientLibrary::Open(IBClientLibrary::FileName), nullptr);
}

} // namespace
