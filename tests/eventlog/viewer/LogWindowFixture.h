#pragma once

#include "eventlog/store/DataModule1.h"
#include "eventlog/store/EventLogHost.h"
#include "eventlog/viewer/DataForm.h"
#include "eventlog/viewer/StelpodLink.h"
#include "platform/data/IBQuery.h"
#include "platform/regional/Regional.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/MessageDlg.h"
#include "support/WaitUntil.h"
#include "tools/pictures/Pictures.h"

#include <QFile>
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
        Regional::TFormatSettings settings;
        settings.DecimalSeparator = ',';
        settings.DateSeparator = '-';
        settings.ShortDateFormat = "d/m/yyyy";
        settings.LongTimeFormat = "h:nn:ss";
        Regional::SetFormatSettings(settings);
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
