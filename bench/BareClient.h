#pragma once

// The client library used bare, as the benchmarks' baselines: no data-access
// components, no texts, only isc_ calls with buffers of the engine's own
// layout.
#include <ibase.h>
#include <string>
#include <vector>

namespace Bare {

// Throws std::runtime_error with the engine's text when the call failed.
void Check(const ISC_STATUS* status);

// An XSQLDA of `n` columns, to be freed with std::free.
XSQLDA* NewSqlda(int n);

// A row of DATATBL in the engine's units, ready to insert.
struct Row {
    ISC_LONG Id = 0;
    ISC_DATE Date = 0;
    ISC_TIME Time = 0;
    std::string Aktie;
    std::string Data;
};

// One attachment with one transaction at a time.
class Attachment {
  public:
    Attachment() = default;
    ~Attachment();
    Attachment(const Attachment&) = delete;
    Attachment& operator=(const Attachment&) = delete;

    void Attach(const std::string& path);
    // Deletes the file and creates the database afresh with the generator
    // and the table of the event log.
    void Create(const std::string& path);
    void Detach();

    void Start();
    void Commit();
    void CommitRetaining();
    void Execute(const std::string& statement);

    // Runs a select and fetches every row into the statement's buffers;
    // gives the number of rows, and the texts of a first column of
    // characters when asked.
    long long FetchAll(const std::string& statement,
                       std::vector<std::string>* firstColumn = nullptr);

    // Prepares the insertion once and executes it for every row, in the
    // running transaction.
    void InsertAll(const std::vector<Row>& rows);

    isc_db_handle& Database() { return db_; }
    isc_tr_handle& Transaction() { return tr_; }

  private:
    isc_db_handle db_ = 0;
    isc_tr_handle tr_ = 0;
};

} // namespace Bare
