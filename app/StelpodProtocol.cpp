#include "app/StelpodProtocol.h"

#include "platform/errors/Exception.h"

namespace StelpodProtocol {

std::string Copy(const std::string& line, int first, int count) {
    if (first < 1 || count <= 0 || first > static_cast<int>(line.size()))
        return {};
    return line.substr(static_cast<size_t>(first - 1), static_cast<size_t>(count));
}

long long HexValue(const std::string& text) {
    if (text.empty() || text.size() > 15)
        throw EConvertError(QStringLiteral("'$%1' is not a valid integer value")
                                .arg(QString::fromLatin1(text.data(), int(text.size()))));
    long long value = 0;
    for (char c : text) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else
            throw EConvertError(QStringLiteral("'$%1' is not a valid integer value")
                                    .arg(QString::fromLatin1(text.data(), int(text.size()))));
        value = value * 16 + digit;
    }
    return value;
}

long long HexField(const std::string& line, int first, int count) {
    return HexValue(Copy(line, first, count));
}

QString HardwareKind(const QString& firmware) {
    return firmware.left(2);
}

int FirmwareVersion(const QString& firmware, int digits) {
    return Regional::DigitsToInt(firmware.mid(10, digits));
}

namespace {

QString twoDigits(int value) {
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

} // namespace

QString ClockCommand(TDateTime timeOfDay, TDateTime date) {
    int hour, minute, second, millisecond;
    Regional::DecodeTime(timeOfDay, hour, minute, second, millisecond);
    int year, month, day;
    Regional::DecodeDate(date, year, month, day);
    const long long dayBcd = HexValue(std::to_string(day));
    const long long yearAndDay = dayBcd | ((year % 4) << 6);
    return QStringLiteral("d") + twoDigits(second) + twoDigits(minute) + twoDigits(hour) +
           Regional::IntToHex(yearAndDay, 2) + twoDigits(month);
}

long long RecordCount(long long bytes) {
    return Regional::Round(static_cast<long double>(bytes) / 8) - 2;
}

QString VoltageText(long long raw16) {
    return Regional::FloatToStr(
        static_cast<long double>(Regional::Round(static_cast<long double>(raw16) / 2000)) / 10);
}

int BarPercentage(int position) {
    return static_cast<int>(Regional::Round(static_cast<long double>(255 - position) * 100 / 255));
}

std::optional<int> BarPositionOfPower(const QString& firmware, int value) {
    const QString kind = HardwareKind(firmware);
    if (kind == QLatin1String("SN"))
        return 255 - value;
    if (kind == QLatin1String("HM"))
        return FirmwareVersion(firmware) >= 108 ? value : value * 8;
    return std::nullopt;
}

std::optional<int> PowerCodeOfBar(const QString& firmware, int position) {
    const QString kind = HardwareKind(firmware);
    if (kind == QLatin1String("SN"))
        return 255 - position;
    if (kind == QLatin1String("HM"))
        return FirmwareVersion(firmware) < 108 ? (position + 7) / 8 : position;
    return std::nullopt;
}

bool IsSaveWrite(const QString& command) {
    return !command.isEmpty() && QStringLiteral("sctp").contains(command[0]);
}

bool AcknowledgesWrite(const std::string& line, const QString& command) {
    if (line.empty() || !IsSaveWrite(command) || command[0] != QLatin1Char(line[0]))
        return false;
    return line[0] != 'p' ||
           (line.size() > 1 && command.size() > 1 && command[1] == QLatin1Char(line[1]));
}

QString CalibrationCommand(long double volts) {
    const long long units = Regional::Trunc(volts * 20000);
    return QStringLiteral("K") + Regional::IntToHex(units, 6);
}

} // namespace StelpodProtocol
