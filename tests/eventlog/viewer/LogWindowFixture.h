#pragma once

#include "eventlog/store/StoreFixture.h"
#include "eventlog/viewer/DataForm.h"
#include "eventlog/viewer/StelpodLink.h"
#include "platform/ui/FileDialogs.h"
#include "support/MessageRecorder.h"
#include "support/WaitUntil.h"
#include "tools/pictures/Pictures.h"

#include <QHeaderView>
#include <QTest>
#include <memory>

// Five downloaded record lines (rows with ID 1 to 5) whose order differs by
// every column and direction: two share a day, so the time decides between
// them.
//   ID  DATUM       TIJD      AKTIE                  DATA
//   1   12-3-2025   10:00:00  Start laden            23,1 Volt
//   2    5-3-2025   15:00:00  Accu voltage sample    19,5 Volt
//   3   12-3-2025    8:00:00  Uitschakel voltage     26 Volt
//   4   28-3-2025    9:00:00  Inschakel voltage      21,7 Volt
//   5    5-3-2025   11:00:00  Einde const. current   25,3 Volt
inline const QStringList kFiveRecords = {"M00001052030170CB", "M0000154503005F37",
                                         "M0000085203067EF4", "M00000968030569F5",
                                         "M0000114503027B89"};

// The log window over the data module, shown as "Toon grafiek" shows it, on
// a fresh database. Message boxes are recorded and answered as a user would
// (Yes to a question, OK otherwise); file dialogs choose `chosen`; the link
// to the main window records what the window sends.
class LogWindowFixture : public StoreFixture {
  protected:
    struct Link : TStelpodLink {
        bool IsConnected() const override { return connected; }
        void SendString(const QString& Cmd) override { sent << Cmd; }
        bool connected = true;
        QStringList sent;
    };

    void SetUp() override {
        StoreFixture::SetUp();
        InitPictures();
        chosen = folder.filePath("File1.txt");
        SetFileDialogHook([this](const FileDialogRequest&) { return std::optional(chosen); });
        // Made after the regional settings, so the date edits' masks take the
        // regional date separator.
        form = std::make_unique<TDataForm>();
        module.SetChartSeries(form->VoltageSeries());
        form->SetPeers(&link, &module);
        ShowChart();
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    void TearDown() override {
        form.reset();
        SetFileDialogHook({});
        StoreFixture::TearDown();
    }

    TDBGrid& grid() { return *form->ui.DBGrid1; }
    TChart& chart() { return *form->ui.Chart1; }

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
            const QPoint at(header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
                            header->height() / 2);
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
            return;
        }
        ADD_FAILURE() << "no column titled " << title.toStdString();
    }

    MessageRecorder boxes;
    Link link;
    QString chosen;
    std::unique_ptr<TDataForm> form;
};
