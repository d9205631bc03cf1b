#pragma once

#include "platform/data/IBDatabase.h"
#include "platform/data/IBSQL.h"
#include "platform/data/IBTransaction.h"
#include "platform/regional/Regional.h"
#include "support/DutchSettings.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

// A fresh embedded database in a temporary folder with one table of every
// column kind the program stores, and a transaction for writing.
class TestDatabase : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        UseDutchSettings();

        database.setObjectName("Database");
        database.SetDatabaseName(folder.filePath("Test.gdb"));
        database.Params() << "USER \"SYSDBA\""
                          << "PASSWORD \"brugwacht\"";
        database.CreateDatabase();
        write.StartTransaction();
        Exec("CREATE TABLE T (ID INTEGER, DATUM DATE, TIJD TIME, TEKST VARCHAR(30))");
        write.Commit();
    }

    void Exec(const QString& sql) {
        TIBSQL statement(&database, &write);
        statement.SQL().Add(sql);
        statement.ExecQuery();
    }

    // Inserts rows 1..count dated from 1 March 2004, one row a day.
    void Fill(int count) {
        write.SetActive(true);
        TIBSQL insert(&database, &write);
        insert.SQL().Add("INSERT INTO T VALUES (:ID, :D, :D, :S)");
        insert.Prepare();
        for (int i = 1; i <= count; ++i) {
            insert.ParamByName("ID").SetAsInteger(i);
            insert.ParamByName("D").SetAsDateTime(Regional::EncodeDate(2004, 3, 1) + i - 1 +
                                                  Regional::EncodeTime(14, 2, i % 60, 0));
            insert.ParamByName("S").SetAsString(QString("rij %1").arg(i));
            insert.ExecQuery();
        }
        write.Commit();
    }

    QTemporaryDir folder;
    TIBDatabase database;
    TIBTransaction write{&database};
};
