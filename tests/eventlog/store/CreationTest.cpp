#include "StoreFixture.h"

#include "eventlog/store/DatabasePath.h"
#include "platform/errors/Exception.h"

#include <QDir>
#include <QFile>

namespace {

const QString Sample = "M0907146503007530";

TEST_F(StoreFixture, CreationLeavesAnEmptyViewAndThePreparedInsertion) {
    module.CreateDatabase(path);
    EXPECT_EQ(module.CreationError(), "");
    EXPECT_TRUE(module.IBDatabase1->Connected());
    EXPECT_EQ(module.IBDatabase1->Params(),
              QStringList({"USER \"SYSDBA\"", "PASSWORD \"brugwacht\""}));
    EXPECT_TRUE(module.LocalIBSQL->Prepared());
    EXPECT_TRUE(module.LocalIBTransaction->InTransaction());
    module.LocalIBTransaction->Commit();
    EXPECT_TRUE(module.LocalIBSQL->Prepared());
    module.OpenView();
    EXPECT_TRUE(module.DataIBDataSet->Active());
    EXPECT_TRUE(module.DataIBTransaction->InTransaction());
    EXPECT_EQ(module.DataIBDataSet->RecordCount(), 0);
    EXPECT_TRUE(QFile::exists(path));
}

TEST_F(StoreFixture, ASecondCreationDeletesTheRowsAndRestartsTheNumbering) {
    ShowChart();
    Download({Sample, Sample, Sample});
    EXPECT_EQ(Column("ID"), QStringList({"1", "2", "3"}));
    // The sort in force survives the creation.
    module.DataIBDataSet->SelectSQL().SetStrings(2, "ORDER BY ID DESC");

    ShowChart();
    EXPECT_EQ(module.CreationError(), "");
    EXPECT_EQ(module.DataIBDataSet->RecordCount(), 0);
    EXPECT_EQ(module.DataIBDataSet->SelectSQL().Strings(2), "ORDER BY ID DESC");
    Download({Sample, Sample});
    EXPECT_EQ(Column("ID"), QStringList({"2", "1"}));
}

TEST_F(StoreFixture, AnOldFileIsReplaced) {
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("not a database");
    old.close();
    ShowChart();
    EXPECT_EQ(module.CreationError(), "");
    EXPECT_EQ(module.DataIBDataSet->RecordCount(), 0);
}

TEST_F(StoreFixture, AFailedCreationIsSilentAndTheViewNamesFileAndReason) {
    ShowChart(); // a working database first: the failure must not leave it in use
    Download({Sample});
    const QString missingFolder = folder.filePath("missing/Data.gdb");
    const QString folderInTheWay = folder.filePath("InTheWay.gdb");
    ASSERT_TRUE(QDir().mkpath(folderInTheWay));

    for (const QString& badPath : {missingFolder, folderInTheWay}) {
        EXPECT_NO_THROW(module.CreateDatabase(badPath));
        EXPECT_NE(module.CreationError(), "");
        EXPECT_FALSE(module.IBDatabase1->Connected());
        EXPECT_FALSE(module.LocalIBTransaction->InTransaction());
        try {
            module.OpenView();
            FAIL() << "the view opened after a failed creation";
        } catch (const EDatabaseError& error) {
            const QString text = error.Message();
            EXPECT_TRUE(
                text.startsWith("De database \"" + badPath + "\" kon niet worden aangemaakt: "))
                << error.what();
            EXPECT_TRUE(text.contains(module.CreationError())) << error.what();
        }
        EXPECT_FALSE(module.DataIBDataSet->Active());
        // The rest of the program keeps failing cleanly.
        EXPECT_THROW(module.DataIBTransaction->Commit(), EDatabaseError);
        EXPECT_THROW(module.AddData(Sample), EDatabaseError);
        EXPECT_NO_THROW(module.FormClose());
    }
    // A later creation at a good place works again.
    ShowChart();
    EXPECT_EQ(module.CreationError(), "");
    EXPECT_TRUE(module.DataIBDataSet->Active());
}

TEST_F(StoreFixture, ClosingTheMainWindowCommitsTheBrowsingTransactionWhenRunning) {
    EXPECT_NO_THROW(module.FormClose()); // nothing created yet
    ShowChart();
    module.FormClose();
    EXPECT_FALSE(module.DataIBTransaction->InTransaction());
    EXPECT_FALSE(module.DataIBDataSet->Active());
    EXPECT_NO_THROW(module.FormClose());
}

TEST_F(StoreFixture, TheComponentsCarryTheirDesignTimeValues) {
    EXPECT_EQ(module.DataIBDataSet->SelectSQL().Lines(),
              QStringList({"SELECT *", "FROM DATATBL", "ORDER BY ID ASC"}));
    EXPECT_EQ(module.LocalIBQuery->SQL().Lines(), QStringList({"SELECT * FROM DATATBL"}));
    EXPECT_FALSE(module.IBDatabase1->LoginPrompt());
    EXPECT_EQ(module.DataDataSource->DataSet(), module.DataIBDataSet);
    EXPECT_EQ(module.DataIBDataSet->Transaction(), module.DataIBTransaction);
    EXPECT_EQ(module.LocalIBSQL->Transaction(), module.LocalIBTransaction);
    EXPECT_EQ(module.LocalIBQuery->Transaction(), module.LocalIBTransaction);
    EXPECT_EQ(module.DataIBDataSet->Name(), "DataIBDataSet");
}

TEST(DatabasePath, TheProgramFolderOrTheUsersDataFolder) {
    QTemporaryDir program;
    EXPECT_EQ(DatabasePathFor(program.path()), program.filePath("Data.gdb"));

    QTemporaryDir data;
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    const QString fallback = DatabasePathFor(program.filePath("no/such/folder"));
    EXPECT_EQ(fallback, data.filePath("dorvel/Data.gdb"));
    EXPECT_TRUE(QDir(data.filePath("dorvel")).exists());
    qputenv("XDG_DATA_HOME", saved);
}

} // namespace
