#pragma once

#include <QString>
#include <QStringList>

// Named parameters of a statement text: every ":NAME" outside quoted text and
// comments becomes a "?" marker, and the names are listed in marker order (a
// name used twice appears twice). Names are matched without regard to case.
struct TIBSqlParams {
    QString text;      // the statement with "?" markers
    QStringList names; // upper-cased, one per marker

    static TIBSqlParams Parse(const QString& sql);
};
