#pragma once

#include "platform/regional/Regional.h"

#include <QString>

// One event record of the Stelpod's memory download, decoded into the values
// of its row: the line is "M" followed by 16 hexadecimal digits (seconds with
// the lithium-low flag, minutes, hours, year bits with the day, the month,
// the event code and the raw value). Only the characters of the line are
// read; missing ones make their part fall back.
struct TEventRecord {
    bool LithiumLow = false;
    TDateTime Datum = 0; // the date, time of day 0
    TDateTime Tijd = 0;  // the time of day, on day 0
    QString Aktie;       // the event kind text
    QString Data;        // the value text

    // `today` decides the year, which the record holds modulo 4 only: the
    // latest year with that remainder whose date is not after today.
    // `firmware` is the firmware text, whose first two characters ("SN",
    // "HM") say how a power level is scaled.
    static TEventRecord Decode(const QString& S, const QString& firmware, TDateTime today);
};

// The event kind texts.
namespace EventKind {
inline const QString AccuSample = QStringLiteral("Accu voltage sample");
inline const QString StartLaden = QStringLiteral("Start laden");
inline const QString EindeCurrent = QStringLiteral("Einde const. current");
inline const QString EindeVoltage = QStringLiteral("Einde const. voltage");
inline const QString VerbindingVerbroken = QStringLiteral("Verbinding verbroken");
inline const QString Inschakel = QStringLiteral("Inschakel voltage");
inline const QString Uitschakel = QStringLiteral("Uitschakel voltage");
inline const QString Shutoff = QStringLiteral("Shutoff voltage");
inline const QString PowerLevel = QStringLiteral("Insch./wijz. vermogensstand");
inline const QString Invalid = QStringLiteral("Ongeldige aktie!");
inline const QString InvalidData = QStringLiteral("Ongeldige data!");
} // namespace EventKind
