#pragma once

#include "platform/regional/Regional.h"

#include <QString>
#include <optional>
#include <string>

// The pure parts of the Stelpod's command protocol: reading the fields of a
// reply line, and building the fields of the commands. Positions count the
// characters of a line from 1, as the unit's documentation does.
namespace StelpodProtocol {

// The characters from position `first` on, at most `count` of them; what
// runs past the end of the line is left out.
std::string Copy(const std::string& line, int first, int count);

// A hexadecimal number made of the given text; EConvertError when the text is
// empty or holds anything but hexadecimal digits (either case).
long long HexValue(const std::string& text);
// The hexadecimal field at a fixed place of a line (HexValue of Copy).
long long HexField(const std::string& line, int first, int count);

// The firmware text's hardware kind ("SN", "HM" or any other pair) and its
// version, the decimal number in characters 11 to 13 (EConvertError unless
// they are decimal digits only).
QString HardwareKind(const QString& firmware);
int FirmwareVersion(const QString& firmware, int digits = 3);

// The clock command for a time of day and a date: "d", seconds, minutes and
// hours as two decimal digits, the year-and-day byte (day written in decimal
// and read as hexadecimal, year modulo 4 in bits 6 and 7) as two hexadecimal
// digits, and the month as two decimal digits.
QString ClockCommand(TDateTime timeOfDay, TDateTime date);

// The number of records that a memory count in bytes holds: bytes / 8 to the
// nearest integer, halves to even, minus 2.
long long RecordCount(long long bytes);

// The volts of a raw voltage value that is already multiplied by 16:
// round(raw16 / 2000) / 10, in the general format.
QString VoltageText(long long raw16);

// The percentage of a power-level bar's position (0 is 100 %, 255 is 0 %).
int BarPercentage(int position);

// The bar position for a power value read from the unit, or none when the
// hardware kind has no rule.
std::optional<int> BarPositionOfPower(const QString& firmware, int value);

// The power code written for a bar position, or none when the hardware kind
// has no rule.
std::optional<int> PowerCodeOfBar(const QString& firmware, int position);

// Whether a command is one of the save chain's writes: "s", "c", "t", "p1",
// "p2" or "p3" with its field.
bool IsSaveWrite(const QString& command);
// Whether a reply line acknowledges that write: the same letter, and for "p"
// the same level digit.
bool AcknowledgesWrite(const std::string& line, const QString& command);

// The calibration command's value: volts × 20000, truncated toward zero.
QString CalibrationCommand(long double volts);

} // namespace StelpodProtocol
