#pragma once

#include "platform/errors/Exception.h"
#include "platform/regional/Regional.h"

#include <QDateTime>

#include <gtest/gtest.h>
#include <ostream>

// Lets a failed comparison show the texts.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

// Runs a test under chosen regional settings and a fixed "now", and puts the
// settings in force before the test back afterwards.
class RegionalFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        saved_ = Regional::FormatSettings();
        Use("nl_NL");
        FixNow(2025, 6, 15);
    }
    void TearDown() override {
        Regional::SetFormatSettings(saved_);
        Regional::SetNowHook({});
    }

    static void Use(const char* locale) {
        Regional::SetFormatSettings(Regional::FromLocale(QLocale(QString::fromLatin1(locale))));
    }
    static void FixNow(int year, int month, int day) {
        const TDateTime now = Regional::EncodeDate(year, month, day) + 0.5;
        Regional::SetNowHook([now] { return now; });
    }
    static TDateTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
                        int ms = 0) {
        return Regional::EncodeDate(year, month, day) +
               Regional::EncodeTime(hour, minute, second, ms);
    }

  private:
    Regional::TFormatSettings saved_;
};

// The text of the conversion error that `body` raises, or "" when it raises none.
template <typename Body> QString ConvertErrorOf(Body body) {
    try {
        body();
    } catch (const EConvertError& error) {
        return error.Message();
    }
    return {};
}
