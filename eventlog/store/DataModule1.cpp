#include "eventlog/store/DataModule1.h"

#include "eventlog/store/ChartRefill.h"
#include "eventlog/store/EventLogHost.h"
#include "eventlog/store/EventRecord.h"
#include "platform/errors/Exception.h"

#include <QApplication>
#include <QFile>

namespace {

const QStringList GeneratorLines = {"CREATE GENERATOR GEN_DATATBL_ID"};
const QStringList TableLines = {"CREATE TABLE DATATBL",
                                "(ID INTEGER,",
                                "DATUM DATE,",
                                "TIJD TIME,",
                                QString("AKTIE VARCHAR(%1),").arg(TDataModule1::AktieLength),
                                QString("DATA VARCHAR(%1))").arg(TDataModule1::DataLength)};
const QStringList InsertLines = {
    "INSERT INTO DATATBL(",      "ID,",   "DATUM,", "TIJD,", "AKTIE,", "DATA)", "VALUES(",
    ":ID,:DATUM,:TIJD, :AKTIE,", ":DATA)"};
const QString InUse =
    "het bestand is in gebruik door een ander geopend exemplaar van dit programma";
const QString GeneratorQuery = "SELECT GEN_ID(GEN_DATATBL_ID, 1) FROM RDB$DATABASE";

template <class T> T* Named(T* component, const char* name) {
    component->setObjectName(name);
    return component;
}

} // namespace

const QStringList& TDataModule1::InsertionLines() {
    return InsertLines;
}

TDataModule1::TDataModule1(QObject* owner)
    : QObject(owner), IBDatabase1(Named(new TIBDatabase(this), "IBDatabase1")),
      DataIBTransaction(Named(new TIBTransaction(IBDatabase1, this), "DataIBTransaction")),
      LocalIBTransaction(Named(new TIBTransaction(IBDatabase1, this), "LocalIBTransaction")),
      LocalIBSQL(Named(new TIBSQL(IBDatabase1, LocalIBTransaction, this), "LocalIBSQL")),
      DataDataSource(Named(new TDataSource(this), "DataDataSource")),
      DataIBDataSet(Named(new TIBDataSet(IBDatabase1, DataIBTransaction, this), "DataIBDataSet")),
      LocalIBQuery(Named(new TIBQuery(IBDatabase1, LocalIBTransaction, this), "LocalIBQuery")),
      Beep([] { QApplication::beep(); }) {
    setObjectName("DataModule1");
    IBDatabase1->SetLoginPrompt(false);
    DataDataSource->SetDataSet(DataIBDataSet);
    DataIBDataSet->AfterOpen = Bind(this, &TDataModule1::DataIBDataSetAfterOpen);
    DataIBDataSet->SelectSQL().Assign({"SELECT *", "FROM DATATBL", "ORDER BY ID ASC"});
    LocalIBQuery->SQL().Assign({"SELECT * FROM DATATBL"});
}

TDataModule1::~TDataModule1() = default;

void TDataModule1::CreateDatabase(const QString& path) {
    databasePath_ = path;
    creationError_.clear();
    try {
        DataIBTransaction->SetActive(false);
        IBDatabase1->Close();
        lock_.Release();
        IBDatabase1->SetDatabaseName(path);
        IBDatabase1->Params().clear();
        IBDatabase1->Params() << QString("USER \"%1\"").arg("SYSDBA")
                              << QString("PASSWORD \"%1\"").arg("brugwacht");
        if (QFile::exists(path)) {
            if (TDatabaseLock::HeldElsewhere(path))
                throw EDatabaseError(InUse);
            QFile::remove(path);
        }
        IBDatabase1->CreateDatabase();
        lock_.Acquire(path);
        IBDatabase1->Open();
        LocalIBTransaction->SetActive(true);

        LocalIBSQL->SQL().Clear();
        LocalIBSQL->SQL().Assign(GeneratorLines);
        LocalIBSQL->ExecQuery();
        if (LocalIBTransaction->InTransaction())
            LocalIBTransaction->CommitRetaining();

        LocalIBSQL->SQL().Clear();
        LocalIBSQL->SQL().Assign(TableLines);
        LocalIBSQL->ExecQuery();
        if (LocalIBTransaction->InTransaction())
            LocalIBTransaction->CommitRetaining();

        LocalIBSQL->SQL().Clear();
        LocalIBSQL->SQL().Assign(InsertLines);
        LocalIBSQL->Prepare();
    } catch (const Exception& error) {
        creationError_ = error.Message();
    } catch (const std::exception& error) {
        creationError_ = QString::fromUtf8(error.what());
    }
}

void TDataModule1::OpenView() {
    try {
        DataIBDataSet->Open();
    } catch (const EDatabaseError& error) {
        if (creationError_.isEmpty() || DataIBDataSet->Active())
            throw;
        throw EDatabaseError(QString("De database \"%1\" kon niet worden aangemaakt: %2")
                                 .arg(databasePath_, creationError_));
    }
}

void TDataModule1::FormClose() {
    if (DataIBTransaction->InTransaction())
        DataIBTransaction->Commit();
}

void TDataModule1::AddData(const QString& S) {
    LocalIBQuery->Close();
    LocalIBQuery->SQL().Clear();
    LocalIBQuery->SQL().Add(GeneratorQuery);
    LocalIBQuery->Open();
    const int id = LocalIBQuery->FieldByName("Gen_ID").AsInteger();
    LocalIBSQL->ParamByName("ID").SetAsInteger(id);
    if (id == 1524 && Beep)
        Beep();
    LocalIBQuery->Close();

    const TEventRecord record =
        TEventRecord::Decode(S, host_ ? host_->FirmwareText() : QString(), Regional::Now());
    if (record.LithiumLow && host_)
        host_->SetLithiumLow();

    LocalIBSQL->ParamByName("DATUM").SetAsDateTime(record.Datum);
    LocalIBSQL->ParamByName("TIJD").SetAsDateTime(record.Tijd);
    LocalIBSQL->ParamByName("AKTIE").SetAsString(record.Aktie);
    LocalIBSQL->ParamByName("DATA").SetAsString(record.Data);
    LocalIBSQL->ExecQuery();
}

void TDataModule1::DataIBDataSetAfterOpen(QObject* /*DataSet*/) {
    TChartRefill::Run(*DataIBDataSet, series_, LastPowerColor);
}
