#pragma once

#include "eventlog/store/DataModule1.h"
#include "eventlog/store/EventLogHost.h"
#include "eventlog/viewer/DataForm.h"
#include "eventlog/viewer/StelpodLink.h"
#include "platform/data/IBQuery.h"
#include "platform/regional/Regional.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/MessageDlg.h"
#include "support/DutchSettings.h"
#include "support/WaitUntil.h"
#include "tools/pictures/Pictures.h"

#include <QFile>
#include <QHeaderView>
#include <QTemporaryDir>
#include <QtTest/QTest>
#include <gtest/gtest.h>
#include <ostream>
#include <tuple>
#include <vector>

// Readable failure messages for texts.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

// The main window as the log window and the record decoding see it: always
// connected, firmware of the "SN" kind; it keeps the commands sent.
struct LogWindowHost : TEventLogHost, TStelpodLink {
    QString FirmwareText() const override { return "SN-Stelpod108"; }
    void SetLithiumLow() override {}
    bool IsConnected() const override { return true; }
    void SendString(const QString& command) override { sent << command; }

    QStringList sent;
};

// The log window, shown, on a real database in a temporary folder, on a PC
// with decimal comma, dates as d-m-yyyy and today fixed at 9 December 2026.
// Message boxes are recorded and answered Yes or OK; the file dialogs choose
// `chosen`.
class LogWindowFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        InitPictures();
        UseDutchSettings();
        Regional::SetNowHook([] { return Regional::EncodeDate(2026, 12, 9); });
        SetMessageBoxHook([this](const MessageRequest& request) {
            boxes.push_back(request);
            messages.push_back(request.Text);
            return request.Buttons.front() == TMsgDlgBtn::mbYes ? int(mrYes) : int(mrOk);
        });
        SetFileDialogHook([this](const FileDialogRequest&) { return std::optional(chosen); });
        module.SetHost(&host);
        module.SetChartSeries(form.VoltageSeries());
        form.SetPeers(&host, &module);
        module.CreateDatabase(databasePath());
        module.LocalIBTransaction->Commit();
        module.OpenView();
        chosen = folder.filePath("File1.txt");
        form.show();
    }

    void TearDown() override {
        SetMessageBoxHook({});
        SetFileDialogHook({});
        Regional::SetNowHook({});
    }

    QString databasePath() const { return folder.filePath("Data.gdb"); }

    static void click(QWidget* control) { QTest::mouseClick(control, Qt::LeftButton); }

    // Downloads the given record lines: the click on "Download gegevens",
    // then what the main window does with the replies and at the end.
    void download(const std::vector<const char*>& lines) {
        click(form.ui.DownLoadButton);
        for (const char* line : lines)
            module.AddData(QString::fromLatin1(line));
        module.LocalIBTransaction->CommitRetaining();
        module.DataIBDataSet->Open();
    }

    // The rows of the view, in its order; the walk moves its current row.
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

    // Opens a connection of its own to the window's database.
    void attach(TIBDatabase& other) const {
        other.SetDatabaseName(databasePath());
        other.Params() << "USER \"SYSDBA\""
                       << "PASSWORD \"brugwacht\"";
        other.Open();
    }

    // The rows the table holds as committed, read through an attachment of
    // its own, so that nothing of the window's transactions is touched.
    QStringList committedRows() {
        TIBDatabase other;
        attach(other);
        TIBTransaction read(&other);
        TIBQuery query(&other, &read);
        query.SQL().Add("SELECT * FROM DATATBL ORDER BY ID, DATUM, TIJD, AKTIE, DATA");
        query.Open();
        QStringList texts;
        for (query.First(); !query.Eof(); query.Next()) {
            QStringList fields;
            for (int i = 0; i < query.FieldCount(); ++i)
                fields << (query.Fields(i).IsNull() ? "NULL" : query.Fields(i).AsString());
            texts << fields.join(';');
        }
        read.Commit();
        return texts;
    }

    void writeFile(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    static QByteArray readFile(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    }

    TDBGrid& grid() { return *form.ui.DBGrid1; }
    TChart& chart() { return *form.ui.Chart1; }

    // The texts of one column of the grid, top to bottom, as it shows them.
    QStringList gridColumn(int column) {
        QStringList texts;
        const QAbstractItemModel* model = grid().model();
        for (int row = 0; row < model->rowCount(); ++row)
            texts << model->index(row, column).data().toString();
        return texts;
    }

    // The IDs of the grid's rows, top to bottom.
    std::string gridIds() { return gridColumn(0).join(' ').toStdString(); }

    // A left click in the middle of a column title, scrolled into view first
    // as a user would.
    void clickTitle(const QString& title) {
        const QAbstractItemModel* model = grid().model();
        QHeaderView* header = grid().horizontalHeader();
        for (int section = 0; section < model->columnCount(); ++section) {
            if (model->headerData(section, Qt::Horizontal).toString() != title)
                continue;
            grid().scrollTo(model->index(0, section));
            const QPoint at(header->sectionViewportPosition(section) +
                                header->sectionSize(section) / 2,
                            header->height() / 2);
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
            return;
        }
        ADD_FAILURE() << "no column titled " << title.toStdString();
    }

    // For tests that need the input focus in the window.
    void activate() {
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }

    QTemporaryDir folder;
    LogWindowHost host;
    TDataForm form;
    TDataModule1 module;
    QString chosen;
    QStringList messages;
    std::vector<MessageRequest> boxes;
};

// 25 March of the year with remainder 1: 2025. Codes: '1' Start laden,
// '8' power level (raw 80 = 50 % with "SN"), '0' voltage sample.
inline const std::vector<const char*> kRecords = {"M0907146503017530", "M1007146503080080",
                                                  "M1107146503005DC0", "M1207146503080040"};

// Five record lines (rows with ID 1 to 5) whose order differs by every
// column and direction: two share a day, so the time decides between them.
//   ID  DATUM       TIJD      AKTIE                  DATA
//   1   12-3-2025   10:00:00  Start laden            23,1 Volt
//   2    5-3-2025   15:00:00  Accu voltage sample    19,5 Volt
//   3   12-3-2025    8:00:00  Uitschakel voltage     26 Volt
//   4   28-3-2025    9:00:00  Inschakel voltage      21,7 Volt
//   5    5-3-2025   11:00:00  Einde const. current   25,3 Volt
inline const std::vector<const char*> kFiveRecords = {"M00001052030170CB", "M0000154503005F37",
                                                      "M0000085203067EF4", "M00000968030569F5",
                                                      "M0000114503027B89"};
