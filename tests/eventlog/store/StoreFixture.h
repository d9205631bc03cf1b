#pragma once

#include "eventlog/store/DataModule1.h"
#include "eventlog/store/EventLogHost.h"
#include "platform/regional/Regional.h"
#include "support/DutchSettings.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

// The main window as the record decoding sees it.
class FakeHost : public TEventLogHost {
  public:
    QString FirmwareText() const override { return firmware; }
    void SetLithiumLow() override { lithiumLow = true; }

    QString firmware = "SN 1.0 v108";
    bool lithiumLow = false;
};

// A data module with a freshly created database in a temporary folder, on a
// PC with decimal comma, dates as d-m-yyyy and today fixed at 9 December 2026.
class StoreFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        UseDutchSettings();
        Regional::SetNowHook([] { return Regional::EncodeDate(2026, 12, 9); });
        module.SetHost(&host);
        module.Beep = [this] { ++beeps; };
        path = folder.filePath("Data.gdb");
    }

    void TearDown() override { Regional::SetNowHook({}); }

    // What the main window's "Toon grafiek" does with the module.
    void ShowChart() {
        module.CreateDatabase(path);
        if (module.LocalIBTransaction->InTransaction())
            module.LocalIBTransaction->Commit();
        module.OpenView();
    }

    // What "Download gegevens" and the end of the download do around AddData.
    void Download(const QStringList& lines) {
        module.DataIBTransaction->Commit();
        module.LocalIBTransaction->SetActive(true);
        for (const QString& line : lines)
            module.AddData(line);
        if (module.LocalIBTransaction->InTransaction())
            module.LocalIBTransaction->CommitRetaining();
        module.OpenView();
    }

    QStringList Column(const QString& field) {
        TIBDataSet& view = *module.DataIBDataSet;
        QStringList values;
        view.First();
        while (!view.Eof()) {
            values << view.FieldByName(field).AsString();
            view.Next();
        }
        return values;
    }

    QTemporaryDir folder;
    QString path;
    FakeHost host;
    int beeps = 0;
    TDataModule1 module;
};
