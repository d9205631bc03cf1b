// The event store against the client library used bare, in the same run:
// each benchmark times both sides and reports their ratio.
#include "BareClient.h"
#include "eventlog/store/DataModule1.h"
#include "eventlog/store/EventLogHost.h"
#include "platform/chart/LineSeries.h"
#include "platform/chart/PointSeries.h"
#include "platform/data/IBSQL.h"
#include "tests/support/DutchSettings.h"
#include "platform/regional/Regional.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <array>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstring>
#include <ibase.h>
#include <stdexcept>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from) {
    return std::chrono::duration<double>(Clock::now() - from).count();
}

const char* const Lines[] = {"M0907146503007530", "M8907146503015DC0", "M2530098112080080",
                             "M0000128105040BB8", "M5959239112001234"};

class Host : public TEventLogHost {
  public:
    QString FirmwareText() const override { return "SN 2.1 v108"; }
    void SetLithiumLow() override {}
};

// ---- the bare side -------------------------------------------------------

class BareDatabase {
  public:
    explicit BareDatabase(const std::string& path) : path_(path) {}
    ~BareDatabase() { Release(); }

    void Create() {
        Release();
        attachment_.Create(path_);
        ISC_STATUS_ARRAY status;
        isc_dsql_allocate_statement(status, &attachment_.Database(), &insert_);
        Bare::Check(status);
        isc_dsql_prepare(status, &attachment_.Transaction(), &insert_, 0,
                         "INSERT INTO DATATBL(ID, DATUM, TIJD, AKTIE, DATA) VALUES(?,?,?,?,?)", 3,
                         nullptr);
        Bare::Check(status);
        isc_dsql_allocate_statement(status, &attachment_.Database(), &generator_);
        Bare::Check(status);
    }

    // One record: the generator query prepared afresh, the line decoded, the
    // prepared insertion executed.
    void Add(const char* line) {
        ISC_STATUS_ARRAY status;
        XSQLDA* out = Bare::NewSqlda(1);
        isc_dsql_prepare(status, &attachment_.Transaction(), &generator_, 0,
                         "SELECT GEN_ID(GEN_DATATBL_ID, 1) FROM RDB$DATABASE", 3, out);
        Bare::Check(status);
        ISC_INT64 id = 0;
        short idNull = 0;
        out->sqlvar[0].sqldata = reinterpret_cast<char*>(&id);
        out->sqlvar[0].sqlind = &idNull;
        isc_dsql_execute(status, &attachment_.Transaction(), &generator_, 3, nullptr);
        Bare::Check(status);
        isc_dsql_fetch(status, &generator_, 3, out);
        Bare::Check(status);
        isc_dsql_free_statement(status, &generator_, DSQL_close);
        std::free(out);

        auto hex = [&](int i) {
            const char c = line[i];
            return c <= '9' ? c - '0' : (c & ~0x20) - 'A' + 10;
        };
        auto byte = [&](int i) { return hex(i) * 16 + hex(i + 1); };
        const int seconds = byte(1) & 0x7F, minutes = byte(3), hours = byte(5);
        const int day = (hex(7) & 3) * 10 + hex(8), month = (hex(9) & 1) * 10 + hex(10);
        const int year = 2024 + (hex(7) & 12) / 4;
        const int raw = hex(13) << 12 | hex(14) << 8 | hex(15) << 4 | hex(16);
        // Days since 17 November 1858 by the civil-calendar formula.
        const int y = month <= 2 ? year - 1 : year, era = y / 400, yoe = y - era * 400;
        const int doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
        ISC_DATE date = era * 146097 + yoe * 365 + yoe / 4 - yoe / 100 + doy - 678881;
        ISC_TIME time =
            ((((seconds >> 4) * 10 + (seconds & 15)) + ((minutes >> 4) * 10 + (minutes & 15)) * 60 +
              ((hours >> 4) * 10 + (hours & 15)) * 3600) *
             10000);
        char data[32];
        const int tenths = (raw * 16 + 1000) / 2000;
        std::snprintf(data, sizeof data, "%d,%d Volt", tenths / 10, tenths % 10);
        const char* aktie = "Accu voltage sample";

        XSQLDA* in = Bare::NewSqlda(5);
        in->sqld = 5;
        ISC_LONG id32 = static_cast<ISC_LONG>(id);
        short nulls[5] = {};
        XSQLVAR* v = in->sqlvar;
        v[0] = {SQL_LONG + 1, 0, 0, 4, reinterpret_cast<char*>(&id32), &nulls[0], 0, {}, 0, {}, 0,
                {},           0, {}};
        v[1] = {SQL_TYPE_DATE + 1,
                0,
                0,
                4,
                reinterpret_cast<char*>(&date),
                &nulls[1],
                0,
                {},
                0,
                {},
                0,
                {},
                0,
                {}};
        v[2] = {SQL_TYPE_TIME + 1,
                0,
                0,
                4,
                reinterpret_cast<char*>(&time),
                &nulls[2],
                0,
                {},
                0,
                {},
                0,
                {},
                0,
                {}};
        v[3] = {SQL_TEXT + 1,
                0,
                0,
                static_cast<ISC_SHORT>(std::strlen(aktie)),
                const_cast<char*>(aktie),
                &nulls[3],
                0,
                {},
                0,
                {},
                0,
                {},
                0,
                {}};
        v[4] = {SQL_TEXT + 1,
                0,
                0,
                static_cast<ISC_SHORT>(std::strlen(data)),
                data,
                &nulls[4],
                0,
                {},
                0,
                {},
                0,
                {},
                0,
                {}};
        isc_dsql_execute(status, &attachment_.Transaction(), &insert_, 3, in);
        std::free(in);
        Bare::Check(status);
    }

    void CommitRetaining() { attachment_.CommitRetaining(); }

  private:
    void Release() {
        ISC_STATUS_ARRAY status;
        if (insert_)
            isc_dsql_free_statement(status, &insert_, DSQL_drop);
        if (generator_)
            isc_dsql_free_statement(status, &generator_, DSQL_drop);
        insert_ = generator_ = 0;
        attachment_.Detach();
    }

    std::string path_;
    Bare::Attachment attachment_;
    isc_stmt_handle insert_ = 0;
    isc_stmt_handle generator_ = 0;
};

// ---- the store side ------------------------------------------------------

struct Store {
    explicit Store(const QString& path) : path(path) {
        module.SetHost(&host);
        module.Beep = [] {};
        TChartSeriesLinks links;
        links.Series2 = &voltage;
        links.Series10 = &band;
        links.Series3 = &markers[0];
        links.Series4 = &markers[1];
        links.Series5 = &markers[2];
        links.Series6 = &markers[3];
        links.Series7 = &markers[4];
        links.Series8 = &markers[5];
        links.Series9 = &markers[6];
        module.SetChartSeries(links);
    }

    // "Toon grafiek", then the start of a download.
    void CreateAndStartDownload() {
        module.CreateDatabase(path);
        if (!module.CreationError().isEmpty())
            throw std::runtime_error(module.CreationError().toStdString());
        if (module.LocalIBTransaction->InTransaction())
            module.LocalIBTransaction->Commit();
        module.OpenView();
        module.DataIBTransaction->Commit();
        module.LocalIBTransaction->SetActive(true);
    }

    QString path;
    Host host;
    TDataModule1 module;
    TLineSeries voltage, band;
    std::array<TPointSeries, 7> markers;
};

void Report(benchmark::State& state, double store, double bare, double perItemScale) {
    state.counters["store_us"] = store / double(state.iterations()) * perItemScale;
    state.counters["bare_us"] = bare / double(state.iterations()) * perItemScale;
    state.counters["ratio"] = bare > 0 ? store / bare : 0;
}

void BM_AddData(benchmark::State& state) {
    QTemporaryDir folder;
    Store store(folder.filePath("Store.gdb"));
    store.CreateAndStartDownload();
    BareDatabase bare(QFile::encodeName(folder.filePath("Bare.gdb")).toStdString());
    bare.Create();
    double storeTime = 0, bareTime = 0;
    size_t n = 0;
    for (auto _ : state) {
        const char* line = Lines[n++ % std::size(Lines)];
        const QString text = QString::fromLatin1(line);
        auto start = Clock::now();
        store.module.AddData(text);
        storeTime += Seconds(start);
        start = Clock::now();
        bare.Add(line);
        bareTime += Seconds(start);
    }
    Report(state, storeTime, bareTime, 1e6);
}
BENCHMARK(BM_AddData)->Unit(benchmark::kMicrosecond);

void BM_Creation(benchmark::State& state) {
    QTemporaryDir folder;
    Store store(folder.filePath("Store.gdb"));
    BareDatabase bare(QFile::encodeName(folder.filePath("Bare.gdb")).toStdString());
    store.module.CreateDatabase(store.path); // the engine is loaded before timing
    bare.Create();
    double storeTime = 0, bareTime = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        store.module.CreateDatabase(store.path);
        storeTime += Seconds(start);
        if (!store.module.CreationError().isEmpty())
            state.SkipWithError(store.module.CreationError().toStdString().c_str());
        start = Clock::now();
        bare.Create();
        bareTime += Seconds(start);
    }
    Report(state, storeTime, bareTime, 1e3);
    state.counters["store_ms"] = state.counters["store_us"];
    state.counters["bare_ms"] = state.counters["bare_us"];
    state.counters.erase("store_us");
    state.counters.erase("bare_us");
}
BENCHMARK(BM_Creation)->Unit(benchmark::kMillisecond);

// A view of `rows` rows in time order: mostly voltage samples, with power
// levels and charging markers in between.
void FillView(Store& store, int rows) {
    store.CreateAndStartDownload();
    TIBSQL& insert = *store.module.LocalIBSQL;
    const TDateTime start = Regional::EncodeDate(2025, 1, 1);
    for (int i = 0; i < rows; ++i) {
        insert.ParamByName("ID").SetAsInteger(i + 1);
        const TDateTime moment = start + i / 288.0;
        insert.ParamByName("DATUM").SetAsDateTime(moment);
        insert.ParamByName("TIJD").SetAsDateTime(moment);
        if (i % 50 == 0) {
            insert.ParamByName("AKTIE").SetAsString("Insch./wijz. vermogensstand");
            insert.ParamByName("DATA").SetAsString(QString::number(20 + i % 80) + "%");
        } else {
            insert.ParamByName("AKTIE").SetAsString(i % 37 == 0 ? "Start laden"
                                                                : "Accu voltage sample");
            insert.ParamByName("DATA").SetAsString(QString("2%1,%2 Volt").arg(i % 10).arg(i % 7));
        }
        insert.ExecQuery();
    }
    store.module.LocalIBTransaction->CommitRetaining();
    store.module.OpenView();
}

void BM_Refill(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    QTemporaryDir folder;
    Store store(folder.filePath("Store.gdb"));
    FillView(store, rows);
    // The bare fetch reads the same file through an attachment of its own.
    Bare::Attachment bare;
    bare.Attach(QFile::encodeName(store.path).toStdString());

    double storeTime = 0, bareTime = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        store.module.DataIBDataSet->Close();
        store.module.OpenView();
        storeTime += Seconds(start);

        start = Clock::now();
        bare.Start();
        const long long fetched = bare.FetchAll("SELECT *\r\nFROM DATATBL\r\nORDER BY ID ASC");
        bare.Commit();
        bareTime += Seconds(start);
        if (fetched != rows || store.voltage.Count() == 0)
            state.SkipWithError("the two sides saw different rows");
    }
    Report(state, storeTime, bareTime, 1e3);
    state.counters["store_ms"] = state.counters["store_us"];
    state.counters["bare_ms"] = state.counters["bare_us"];
    state.counters.erase("store_us");
    state.counters.erase("bare_us");
    state.counters["bare_rows_per_s"] =
        bareTime > 0 ? double(rows) * double(state.iterations()) / bareTime : 0;
}
BENCHMARK(BM_Refill)->Arg(8000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    UseDutchSettings();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
