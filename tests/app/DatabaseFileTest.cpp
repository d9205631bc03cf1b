#include "AppHarness.h"
#include "ProgramProcess.h"
#include "StoredRows.h"

#include "eventlog/store/DatabasePath.h"

#include <QDir>
#include <sys/stat.h>

namespace {

class DatabaseFileTest : public AppHarness {
  protected:
    static ino_t inodeOf(const QString& path) {
        struct stat info = {};
        return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
    }
};

} // namespace

TEST_F(DatabaseFileTest, ProgramFolderWithAQuote_HoldsTheDatabase) {
    const QString folder = data.filePath("Jan's data");
    ASSERT_TRUE(QDir().mkpath(folder));
    main().DatabaseFile = DatabasePathFor(folder);
    sim.UpdateState([](sim::StelpodState& state) { state.records.assign(5, "0907146503007530"); });
    connectAndRead();
    main().ui.Button2->click();
    EXPECT_TRUE(messages.empty());
    ASSERT_TRUE(module().DataIBDataSet->Active());

    logWindow().ui.DownLoadButton->click();
    ASSERT_TRUE(WaitUntil([&] { return countOf("V") >= 2; }, 10000));
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(StoredIds(folder + "/Data.gdb"), (std::vector<int>{1, 2, 3, 4, 5}));
}

// Another copy of the program, running as a process of its own, has the
// database open: "Toon grafiek" here says so and leaves the file alone.
TEST_F(DatabaseFileTest, DatabaseOpenInAnotherCopy_IsLeftAloneWithAMessage) {
    const QString path = main().DatabaseFile;
    ProgramProcess first(SCRIPTED_PROGRAM, {"chart", path}, ports.path());
    ASSERT_TRUE(first.WaitReady());
    const ino_t inode = inodeOf(path);
    ASSERT_NE(inode, ino_t(0));

    main().ui.Button2->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Type, TMsgDlgType::mtError);
    EXPECT_EQ(messages[0].Text, "De database \"" + path +
                                    "\" kon niet worden aangemaakt: het bestand is in gebruik "
                                    "door een ander geopend exemplaar van dit programma");
    EXPECT_EQ(inodeOf(path), inode);

    // The first copy ends with its database whole; then the file is free, and
    // this copy may recreate it as often as it likes.
    qint64 ms = 0;
    first.Send(SIGTERM);
    ASSERT_TRUE(first.EndsCleanly(10000, ms));
    EXPECT_TRUE(StoredIds(path).empty());
    messages.clear();
    main().ui.Button2->click();
    main().ui.Button2->click();
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(module().DataIBDataSet->Active());
}
