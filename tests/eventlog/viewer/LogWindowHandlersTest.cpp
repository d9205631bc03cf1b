#include "eventlog/store/DataModule1.h"
#include "eventlog/store/EventLogHost.h"
#include "eventlog/viewer/DataForm.h"
#include "eventlog/viewer/StelpodLink.h"
#include "platform/regional/Regional.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/Handler.h"
#include "platform/ui/MessageDlg.h"
#include "support/WaitUntil.h"
#include "tools/pictures/Pictures.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Readable failure messages for texts.
inline void PrintTo(const QString& text, std::ostream* out) { *out << text.toStdString(); }

namespace {

struct Host : TEventLogHost, TStelpodLink {
    QString FirmwareText() const override { return "SN-Stelpod108"; }
    void SetLithiumLow() override {}
    bool IsConnected() const override { return true; }
    void SendString(const QString&) override {}
};

// The log window on a real database holding a few downloaded rows; message
// boxes are recorded and answered Yes or OK, file dialogs choose `chosen`.
class LogWindowHandlersTest : public ::testing::Test {
protected:
    void SetUp() override {
        InitPictures();
        Regional::TFormatSettings settings;
        settings.DecimalSeparator = ',';
        settings.DateSeparator = '-';
        settings.ShortDateFormat = "d/m/yyyy";
        settings.LongTimeFormat = "h:nn:ss";
        Regional::SetFormatSettings(settings);
        Regional::SetNowHook([] { return Regional::EncodeDate(2026, 12, 9); });
        SetMessageBoxHook([this](const MessageRequest& request) {
            messages.push_back(request.Text);
            return request.Buttons.front() == TMsgDlgBtn::mbYes ? int(mrYes) : int(mrOk);
        });
        SetFileDialogHook([this](const FileDialogRequest&) { return std::optional(chosen); });
        module.SetHost(&host);
        module.SetChartSeries(form.VoltageSeries());
        form.SetPeers(&host, &module);
        module.CreateDatabase(folder.filePath("Data.gdb"));
        module.LocalIBTransaction->Commit();
        module.OpenView();
        chosen = folder.filePath("File1.txt");
    }

    void TearDown() override {
        SetMessageBoxHook({});
        SetFileDialogHook({});
        Regional::SetNowHook({});
    }

    // Downloads the given record lines the way the download does.
    void download(const std::vector<const char*>& lines) {
        form.DownLoadButtonClick(nullptr);
        for (const char* line : lines)
            module.AddData(QString::fromLatin1(line));
        module.LocalIBTransaction->CommitRetaining();
        module.DataIBDataSet->Open();
    }

    QStringList rows() {
        QStringList texts;
        TIBDataSet* view = module.DataIBDataSet;
        for (view->First(); !view->Eof(); view->Next()) {
            QStringList fields;
            for (const char* name : {"ID", "DATUM", "TIJD", "AKTIE", "DATA"})
                fields << view->FieldByName(name).AsString();
            texts << fields.join(';');
        }
        return texts;
    }

    QTemporaryDir folder;
    Host host;
    TDataForm form;
    TDataModule1 module;
    QString chosen;
    QStringList messages;
};

// 25 March of the year with remainder 1: 2025. Codes: '1' Start laden,
// '8' power level (raw 80 = 50 % with "SN"), '0' voltage sample.
const std::vector<const char*> kRecords = {"M0907146503017530", "M1007146503080080",
                                           "M1107146503005DC0", "M1207146503080040"};

} // namespace

TEST_F(LogWindowHandlersTest, ExportThenImport_GivesBackTheSameRows) {
    download(kRecords);
    const QStringList before = rows();
    ASSERT_EQ(before.size(), 4);
    EXPECT_EQ(before[0], "1;25-3-2025;14:07:09;Start laden;24 Volt");

    form.ExportBTNClick(nullptr);
    QFile file(chosen);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("1;25-3-2025;14:07:09;Start laden;24 Volt\r\n"));
    EXPECT_EQ(messages.back(), "De gegevens uit de tabel zijn succesvol geexporteerd.");

    download({"M0907146503007530"});
    ASSERT_EQ(rows().size(), 5);
    form.ImportBTNClick(nullptr);
    EXPECT_EQ(rows(), before);
    EXPECT_EQ(messages.back(), "De gegevens uit het bestand zijn succesvol geimporteerd.");
}

TEST_F(LogWindowHandlersTest, Import_ReadsOldKindTextsAndStopsAtABadLine) {
    QFile file(chosen);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("7;1-2-2004;10:00:00;Vermogensstand gewijzigd;40%;extra\r\n"
               "8;;;Start laden;24 Volt;\n"
               ";1-2-2004;10:00:00;Start laden;24 Volt\r\n"
               "9;1-2-2004;10:00:00;Start laden;24 Volt\r\n");
    file.close();
    RunHandler([&] { form.ImportBTNClick(nullptr); });
    EXPECT_EQ(messages.back(), "'' is not a valid integer value");
    EXPECT_FALSE(module.DataIBDataSet->Active());
    module.LocalIBTransaction->CommitRetaining();
    // The row without date and time cannot be charted: the refill stops there
    // with the conversion error, and the view stays open.
    RunHandler([&] { module.DataIBDataSet->Open(); });
    EXPECT_EQ(messages.back(), "' ' is not a valid date and time");
    EXPECT_EQ(rows(), (QStringList{"7;1-2-2004;10:00:00;Insch./wijz. vermogensstand;40%",
                                   "8;;;Start laden;24 Volt"}));
}

TEST_F(LogWindowHandlersTest, Pie_CountsEachPowerLevelOverTheWholeTable) {
    download({"M1007146503080066", "M1107146503080066", "M1207146503080066",
              "M1307146503080040", "M1407146503007530"});
    form.ui.PowerstandenRadioButton->setChecked(true);
    ASSERT_EQ(form.Series1->Count(), 2);
    EXPECT_TRUE(form.Series1->Active());
    EXPECT_FALSE(form.Series2->Active());
    EXPECT_EQ(form.Series1->Label(0), "Vermogensstand: 25%");
    EXPECT_EQ(form.Series1->PieValue(0), 1);
    EXPECT_EQ(form.Series1->Label(1), "Vermogensstand: 40%");
    EXPECT_EQ(form.Series1->PieValue(1), 3);
    EXPECT_EQ(form.Series1->ValueColor(1), 0x00FFC8);

    form.ui.AccuRadioButton->setChecked(true);
    EXPECT_FALSE(form.Series1->Active());
    EXPECT_TRUE(form.Series10->Active());
}
