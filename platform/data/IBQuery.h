#pragma once

#include "platform/data/IBCustomDataSet.h"

// A query whose statement lines are SQL.
class TIBQuery : public TIBCustomDataSet {
  public:
    TIBQuery(TIBDatabase* database, TIBTransaction* transaction, QObject* owner = nullptr)
        : TIBCustomDataSet(database, transaction, owner) {}

    TStringList& SQL() { return Statement(); }
};
