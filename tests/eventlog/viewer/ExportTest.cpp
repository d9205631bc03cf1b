#include "LogWindowFixture.h"

#include <QDir>
#include <csignal>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QString kSuccess = "De gegevens uit de tabel zijn succesvol geexporteerd.";
const QByteArray kOldFile = "1;1-1-2004;0:00:00;oude regel;12 Volt\r\n";

class ExportTest : public LogWindowFixture {
  protected:
    void SetUp() override {
        LogWindowFixture::SetUp();
        download(kRecords);
    }

    // Runs `body` in a child process whose files cannot grow past `limit`
    // bytes: a write beyond it fails as on a full disk (SIGXFSZ is ignored,
    // so the write reports EFBIG). Gives what `body` returned.
    static QByteArray inChildWithFileLimit(rlim_t limit, const std::function<QByteArray()>& body) {
        int pipeEnds[2];
        if (pipe(pipeEnds) != 0)
            return "pipe failed";
        const pid_t child = fork();
        if (child == 0) {
            close(pipeEnds[0]);
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit fileSize{limit, limit};
            setrlimit(RLIMIT_FSIZE, &fileSize);
            const QByteArray result = body();
            const bool written =
                write(pipeEnds[1], result.constData(), size_t(result.size())) == result.size();
            _exit(written ? 0 : 1);
        }
        close(pipeEnds[1]);
        QByteArray result;
        char buffer[4096];
        pollfd readable{pipeEnds[0], POLLIN, 0};
        bool ended = false;
        while (!ended && poll(&readable, 1, 60000) > 0) {
            const ssize_t n = read(pipeEnds[0], buffer, sizeof buffer);
            ended = n <= 0;
            result.append(buffer, std::max<ssize_t>(n, 0));
        }
        close(pipeEnds[0]);
        if (!ended)
            kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        if (!ended)
            return "the child hung";
        return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? result : "the child failed";
    }
};

} // namespace

// The file holds the view's rows in its order, one CR LF line each, and
// replaces a file of that name; importing it gives back the same table.
TEST_F(ExportTest, Export_WritesTheViewAndImportsBackToTheSameTable) {
    writeFile(chosen, kOldFile);
    click(form.ui.ExportBTN);
    EXPECT_EQ(messages.back(), kSuccess);
    const QByteArray exported = readFile(chosen);
    EXPECT_EQ(exported, "1;25-3-2025;14:07:09;Start laden;24 Volt\r\n"
                        "2;25-3-2025;14:07:10;Insch./wijz. vermogensstand;50%\r\n"
                        "3;25-3-2025;14:07:11;Accu voltage sample;19,2 Volt\r\n"
                        "4;25-3-2025;14:07:12;Insch./wijz. vermogensstand;25%\r\n");

    const QStringList table = committedRows();
    download({"M1307146503007530"});
    click(form.ui.ImportBTN);
    EXPECT_EQ(messages.back(), "De gegevens uit het bestand zijn succesvol geimporteerd.");
    EXPECT_EQ(committedRows(), table);
    QFile::remove(chosen);
    click(form.ui.ExportBTN);
    EXPECT_EQ(readFile(chosen), exported);
}

// A write that the system refuses halfway (a file size limit, as a full
// disk would) leaves the old file as it was, with no temporary file beside
// it, and an error box in place of the success message.
TEST_F(ExportTest, AFailedWrite_LeavesTheOldFileAndReportsNoSuccess) {
    writeFile(chosen, kOldFile);
    const QStringList filesBefore = QDir(folder.path()).entryList(QDir::Files);
    const QByteArray shown = inChildWithFileLimit(64, [this] {
        messages.clear();
        click(form.ui.ExportBTN);
        return messages.join('|').toUtf8();
    });
    EXPECT_EQ(shown.toStdString(),
              QString("De gegevens konden niet worden geexporteerd naar \"%1\": File too large.\r"
                      "Het bestand is niet gewijzigd.")
                  .arg(chosen)
                  .toStdString());
    EXPECT_EQ(readFile(chosen), kOldFile);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), filesBefore);
}

TEST_F(ExportTest, AFolderThatDoesNotExist_IsReportedWithoutSuccess) {
    chosen = folder.filePath("geen map/File1.txt");
    click(form.ui.ExportBTN);
    EXPECT_TRUE(messages.back().startsWith("Cannot create file \"" + chosen + "\"."))
        << messages.back().toStdString();
    EXPECT_EQ(boxes.back().Type, TMsgDlgType::mtError);
    EXPECT_FALSE(QFile::exists(chosen));
}
