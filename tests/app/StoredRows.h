#pragma once

#include "platform/data/IBDatabase.h"
#include "platform/data/IBQuery.h"
#include "platform/data/IBTransaction.h"

#include <QString>
#include <vector>

// The IDs of the rows that an event database file holds for good, read over
// a connection of its own, as the next start of the program would find them.
inline std::vector<int> StoredIds(const QString& path) {
    TIBDatabase database;
    database.SetDatabaseName(path);
    database.Params() << "USER \"SYSDBA\""
                      << "PASSWORD \"brugwacht\"";
    database.Open();
    TIBTransaction transaction(&database);
    TIBQuery query(&database, &transaction);
    query.SQL().Add("SELECT ID FROM DATATBL ORDER BY ID");
    query.Open();
    std::vector<int> ids;
    for (query.First(); !query.Eof(); query.Next())
        ids.push_back(query.FieldByName("ID").AsInteger());
    query.Close();
    transaction.Commit();
    database.Close();
    return ids;
}
