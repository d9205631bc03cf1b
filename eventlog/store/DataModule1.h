#pragma once

#include "eventlog/store/ChartSeriesLinks.h"
#include "eventlog/store/DatabaseLock.h"
#include "platform/data/DataSource.h"
#include "platform/data/IBDataSet.h"
#include "platform/data/IBDatabase.h"
#include "platform/data/IBQuery.h"
#include "platform/data/IBSQL.h"
#include "platform/data/IBTransaction.h"

#include <QObject>
#include <functional>

class TEventLogHost;

// The data module of the event log: the database components, the creation
// of the event database, the decoding of downloaded records into rows and
// the refill of the log window's voltage chart whenever the view opens.
class TDataModule1 : public QObject {
  public:
    explicit TDataModule1(QObject* owner = nullptr);
    ~TDataModule1() override;

    // The components, with their design-time values and links.
    TIBDatabase* const IBDatabase1;
    TIBTransaction* const DataIBTransaction;  // the browsing data set's only
    TIBTransaction* const LocalIBTransaction; // all writing and one-off queries
    TIBSQL* const LocalIBSQL;                 // holds the prepared row insertion
    TDataSource* const DataDataSource;        // the log window's grid is bound to it
    TIBDataSet* const DataIBDataSet;          // the view
    TIBQuery* const LocalIBQuery;

    // The main window: firmware text and the lithium flag.
    void SetHost(TEventLogHost* host) { host_ = host; }
    // The log window's series that every opening of the view refills.
    void SetChartSeries(const TChartSeriesLinks& links) { series_ = links; }
    // The system's default beep; tests count it.
    std::function<void()> Beep;

    // Deletes the database file at `path` and creates it afresh with the
    // generator and the table, leaving the row insertion prepared in
    // LocalIBSQL and LocalIBTransaction running. A file that another running
    // copy of the program has open is left alone. Any failure ends the
    // creation silently; its reason is kept for OpenView.
    void CreateDatabase(const QString& path);
    // The reason the last creation failed; empty when it succeeded.
    const QString& CreationError() const { return creationError_; }
    // Opens DataIBDataSet. When that fails after a failed creation, the
    // error names the database file and the reason the creation failed.
    void OpenView();
    // The main window's closing: commits the browsing transaction when it is
    // in progress.
    void FormClose();

    // The widths of the text columns AKTIE and DATA.
    static constexpr int AktieLength = 30;
    static constexpr int DataLength = 25;

    // The nine lines of the row insertion with the parameters ID, DATUM,
    // TIJD, AKTIE and DATA; the creation and the import prepare it.
    static const QStringList& InsertionLines();

    // One downloaded event record line ("M" and 16 hexadecimal digits)
    // becomes one row, inside LocalIBTransaction; nothing is committed.
    void AddData(const QString& S);

    // AfterOpen of DataIBDataSet: titles the grid's columns and refills the
    // voltage chart from the rows of the view, in the view's order.
    void DataIBDataSetAfterOpen(QObject* DataSet);

  private:
    TEventLogHost* host_ = nullptr;
    TChartSeriesLinks series_;
    QString databasePath_;
    QString creationError_;
    TDatabaseLock lock_; // held while IBDatabase1 is attached
    int LastPowerColor = 0;
};
