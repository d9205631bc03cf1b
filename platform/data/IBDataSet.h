#pragma once

#include "platform/data/IBCustomDataSet.h"

// The browsing data set whose statement lines are SelectSQL.
class TIBDataSet : public TIBCustomDataSet {
  public:
    TIBDataSet(TIBDatabase* database, TIBTransaction* transaction, QObject* owner = nullptr)
        : TIBCustomDataSet(database, transaction, owner) {}

    TStringList& SelectSQL() { return Statement(); }
};
