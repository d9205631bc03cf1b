#pragma once

// What the fuzz targets share: regional settings picked by one byte of the
// input from those of real regions, a fixed "now", and a check that stops the
// fuzzer when a property that must hold is broken.
#include "platform/regional/Regional.h"

#include <QLocale>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>

namespace Fuzz {

// Dutch and English first: the program's users; then regions whose
// separators and orders differ from theirs.
inline void UseRegion(std::uint8_t byte) {
    static const char* const names[] = {"nl_NL", "en_US", "en_GB", "de_DE",
                                        "fr_FR", "fi_FI", "ja_JP", "hu_HU"};
    static Regional::TFormatSettings settings[std::size(names)];
    static bool read = false;
    if (!read) {
        for (std::size_t i = 0; i < std::size(names); ++i)
            settings[i] = Regional::FromLocale(QLocale(QString::fromLatin1(names[i])));
        Regional::SetNowHook([] { return Regional::EncodeDate(2026, 12, 9); });
        read = true;
    }
    Regional::SetFormatSettings(settings[byte % std::size(names)]);
}

inline void Require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", what);
        std::abort();
    }
}

} // namespace Fuzz
