#include "TestDatabase.h"

#include "platform/data/IBQuery.h"
#include "platform/errors/Exception.h"

namespace {

class Statement : public TestDatabase {
  protected:
    void SetUp() override {
        TestDatabase::SetUp();
        write.StartTransaction();
        insert.SQL().Assign(
            {"INSERT INTO T(", "ID, DATUM, TIJD, TEKST)", "VALUES(", ":ID,:DATUM,:TIJD, :TEKST)"});
        insert.Prepare();
    }

    // The stored row of `id`, read in a fresh query of the writing transaction.
    TIBQuery& Row(int id) {
        query.Close();
        query.SQL().Clear();
        query.SQL().Add(QString("SELECT * FROM T WHERE ID = %1").arg(id));
        query.Open();
        return query;
    }

    TIBSQL insert{&database, &write};
    TIBQuery query{&database, &write};
};

TEST_F(Statement, StaysPreparedAcrossCommitsAndRunsInTheNextTransaction) {
    insert.ParamByName("ID").SetAsInteger(1);
    insert.ExecQuery();
    write.CommitRetaining();
    EXPECT_TRUE(insert.Prepared());
    write.Commit();
    EXPECT_TRUE(insert.Prepared());

    write.StartTransaction();
    insert.ParamByName("ID").SetAsInteger(2);
    insert.ExecQuery();
    EXPECT_EQ(Row(2).RecordCount(), 1);
    EXPECT_EQ(Row(1).RecordCount(), 1);
}

TEST_F(Statement, ReplacingTheTextUndoesThePreparation) {
    insert.SQL().Clear();
    EXPECT_FALSE(insert.Prepared());
    insert.SQL().Add("DELETE FROM T");
    insert.Prepare();
    insert.SQL().SetStrings(0, "DELETE FROM T WHERE ID = 1");
    EXPECT_FALSE(insert.Prepared());
}

TEST_F(Statement, ExecutingOutsideATransactionFails) {
    write.Commit();
    try {
        insert.ExecQuery();
        FAIL() << "executed without a transaction";
    } catch (const EDatabaseError& error) {
        EXPECT_EQ(error.Message(), "Transaction is not active");
    }
}

TEST_F(Statement, ParametersRoundTrip) {
    // A date-time goes in whole; the DATE column keeps the day, the TIME
    // column the time of day.
    const TDateTime moment = Regional::EncodeDate(2025, 3, 25) + Regional::EncodeTime(14, 7, 9, 0);
    insert.ParamByName("ID").SetAsInteger(7);
    insert.ParamByName("DATUM").SetAsDateTime(moment);
    insert.ParamByName("TIJD").SetAsDateTime(moment);
    insert.ParamByName("TEKST").SetAsString("Accu voltage sample");
    insert.ExecQuery();

    TIBQuery& row = Row(7);
    EXPECT_DOUBLE_EQ(row.FieldByName("DATUM").AsDateTime(), Regional::EncodeDate(2025, 3, 25));
    EXPECT_DOUBLE_EQ(row.FieldByName("TIJD").AsDateTime(), Regional::EncodeTime(14, 7, 9, 0));
    EXPECT_EQ(row.FieldByName("DATUM").AsString(), "25-3-2025");
    EXPECT_EQ(row.FieldByName("TIJD").AsString(), "14:07:09");
    EXPECT_EQ(row.FieldByName("TEKST").AsString(), "Accu voltage sample");
    EXPECT_EQ(row.FieldByName("ID").AsString(), "7");
}

TEST_F(Statement, UnsetAndClearedParametersAreNull) {
    insert.ParamByName("ID").SetAsInteger(8);
    insert.ParamByName("TEKST").SetAsString("een");
    insert.ParamByName("DATUM").SetAsDateTime(1);
    insert.ParamByName("DATUM").Clear();
    insert.ExecQuery();
    // Nothing carries over from the execution before.
    insert.ParamByName("ID").SetAsInteger(9);
    insert.ExecQuery();

    TIBQuery& eight = Row(8);
    EXPECT_TRUE(eight.FieldByName("DATUM").IsNull());
    EXPECT_TRUE(eight.FieldByName("TIJD").IsNull());
    EXPECT_EQ(eight.FieldByName("DATUM").AsString(), "");
    EXPECT_EQ(eight.FieldByName("TEKST").AsString(), "een");
    TIBQuery& nine = Row(9);
    EXPECT_TRUE(nine.FieldByName("TEKST").IsNull());
    EXPECT_EQ(nine.FieldByName("TEKST").AsString(), "");
}

TEST_F(Statement, TextsKeepTheirEightBitCharacters) {
    insert.ParamByName("ID").SetAsInteger(10);
    insert.ParamByName("TEKST").SetAsString(QString::fromLatin1("caf\xe9 ';:X"));
    insert.ExecQuery();
    EXPECT_EQ(Row(10).FieldByName("TEKST").AsString(), QString::fromLatin1("caf\xe9 ';:X"));
}

// A text is passed whole or refused: the engine refuses one longer than the
// column, and one longer than a parameter can carry never reaches it, where
// its length would wrap (a crash from 32768, a cut text from 65536).
TEST_F(Statement, ATextIsNeverCutWhateverItsLength) {
    const struct {
        int length;
        const char* refusal;
    } table[] = {{30, nullptr},
                 {31, "truncation"},
                 {32767, "truncation"},
                 {32768, "parameter TEKST: a text of 32768 characters is longer than the 32767"},
                 {65535, "parameter TEKST: a text of 65535 characters"},
                 {65536 + 5, "parameter TEKST: a text of 65541 characters"}};
    int id = 100;
    for (const auto& [length, refusal] : table) {
        SCOPED_TRACE(length);
        ++id;
        insert.ParamByName("ID").SetAsInteger(id);
        insert.ParamByName("TEKST").SetAsString(QString(length, 'x'));
        if (!refusal) {
            insert.ExecQuery();
            EXPECT_EQ(Row(id).FieldByName("TEKST").AsString(), QString(length, 'x'));
            continue;
        }
        try {
            insert.ExecQuery();
            ADD_FAILURE() << "stored a text of " << length << " characters in VARCHAR(30)";
        } catch (const EDatabaseError& error) {
            EXPECT_TRUE(error.Message().startsWith("executing: INSERT INTO T(")) << error.what();
            EXPECT_TRUE(error.Message().contains(refusal)) << error.what();
        }
        EXPECT_EQ(Row(id).RecordCount(), 0);
        // The refused values are gone: the next run stores NULL beside its ID.
        insert.ParamByName("ID").SetAsInteger(id);
        insert.ExecQuery();
        EXPECT_TRUE(Row(id).FieldByName("TEKST").IsNull());
    }
}

TEST_F(Statement, AnUnknownParameterOrABadStatementIsReported) {
    EXPECT_THROW(insert.ParamByName("NOPE"), EDatabaseError);
    TIBSQL bad(&database, &write);
    bad.SQL().Add("INSERT INTO NOSUCHTABLE VALUES (1)");
    try {
        bad.Prepare();
        FAIL() << "prepared a statement on a missing table";
    } catch (const EDatabaseError& error) {
        EXPECT_TRUE(error.Message().startsWith("preparing: INSERT INTO NOSUCHTABLE"))
            << error.what();
        EXPECT_TRUE(error.Message().contains("NOSUCHTABLE")) << error.what();
        EXPECT_TRUE(error.Message().contains("Table unknown")) << error.what();
    }
}

} // namespace
