#include "tools/stelpod-sim/RecordGenerator.h"
#include "tools/stelpod-sim/RecordFile.h"

#include <cmath>
#include <ctime>
#include <fstream>
#include <gtest/gtest.h>
#include <tuple>
#include <unistd.h>

using namespace sim;

namespace {

struct Decoded {
    bool lithiumLow;
    std::tuple<int, int, int, int, int> moment; // month, day, hour, minute, second
    int yearMod4;
    char code;
    unsigned raw;
};

int Bcd(unsigned byte) {
    return static_cast<int>((byte >> 4) * 10 + (byte & 0x0F));
}

// Reads a record the way the program does.
Decoded Decode(const std::string& hex) {
    auto byte = [&](int i) {
        return static_cast<unsigned>(std::stoul(hex.substr(i * 2, 2), nullptr, 16));
    };
    const unsigned yearDay = byte(3);
    return {
        (byte(0) & 0x80) != 0,
        {Bcd(byte(4) & 0x1F), Bcd(yearDay & 0x3F), Bcd(byte(2)), Bcd(byte(1)), Bcd(byte(0) & 0x7F)},
        static_cast<int>(yearDay >> 6),
        hex[11],
        static_cast<unsigned>(std::stoul(hex.substr(12, 4), nullptr, 16))};
}

std::chrono::system_clock::time_point LocalMoment(int year, int month, int day, int hour) {
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_isdst = -1;
    return std::chrono::system_clock::from_time_t(std::mktime(&local));
}

TEST(RecordGenerator, FullMemory_IsPlausibleAndEndsAtTheChosenMoment) {
    for (const char* kind : {"SN", "HM"}) {
        RecordGeneratorOptions options;
        options.count = 8000;
        options.seed = 7;
        options.hardwareKind = kind;
        options.lithiumLowShare = 0.1;
        options.end = LocalMoment(2025, 6, 15, 12);
        const auto records = RecordGenerator::GenerateHex(options);
        ASSERT_EQ(records.size(), 8000u);

        int kinds[9] = {};
        for (std::size_t i = 0; i < records.size(); ++i) {
            ASSERT_EQ(records[i].size(), 16u);
            const Decoded record = Decode(records[i]);
            EXPECT_EQ(record.yearMod4, 1);
            EXPECT_EQ(record.lithiumLow, i >= 7200) << i;
            ASSERT_GE(record.code, '0');
            ASSERT_LE(record.code, '8');
            ++kinds[record.code - '0'];
            if (i > 0) {
                EXPECT_LT(Decode(records[i - 1]).moment, record.moment) << i;
            }
            if (record.code == '8') {
                const double percent = std::string(kind) == "SN"
                                           ? record.raw / 2.55
                                           : (255 - std::min(record.raw * 8, 255u)) * 100 / 255.0;
                EXPECT_GE(percent, 20.0);
                EXPECT_LE(percent, 100.0);
            } else {
                const double volts = record.raw * 16 / 20000.0;
                EXPECT_GE(volts, 23.0);
                EXPECT_LE(volts, 38.5);
            }
        }
        EXPECT_EQ(Decode(records.back()).moment, std::make_tuple(6, 15, 12, 0, 0));
        EXPECT_GT(kinds[0], 6000);
        for (int code = 1; code <= 8; ++code)
            EXPECT_GT(kinds[code], 0) << code;
        EXPECT_EQ(RecordGenerator::GenerateHex(options), records); // same seed, same memory
    }
}

TEST(RecordGenerator, MoreThanTheMemoryHolds_IsRefused) {
    RecordGeneratorOptions options;
    options.count = 8001;
    EXPECT_THROW(RecordGenerator::Generate(options), std::invalid_argument);
}

TEST(RecordFile, KeepsRecordLinesWithOrWithoutTheirLetter) {
    char path[] = "/tmp/stelpod-records-XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    close(fd);
    std::ofstream(path) << "# a memory\r\nM8907146503007530\r\n\n0110146503015DC0\nMZZ\n";
    EXPECT_EQ(RecordFile::Read(path),
              (std::vector<std::string>{"8907146503007530", "0110146503015DC0", "ZZ"}));
    unlink(path);
    EXPECT_THROW(RecordFile::Read(path), std::runtime_error);
}

} // namespace
