#pragma once

// The program's own pictures, drawn at build time and compiled into the
// `pictures` library as a resource. A resource in a static library is only
// registered when something calls its initialiser, so the program's start-up
// and every test program that builds a window call InitPictures() once,
// before the first window is created. A picture that the resource lacks
// raises EFileError naming it, so that the program does not start without it.
void InitPictures();

namespace Pictures {
inline constexpr char Logo[] = ":/pictures/logo.png";                        // 121 x 126
inline constexpr char LogPicture[] = ":/pictures/log-picture.png";           // 132 x 136
inline constexpr char ChartBackground[] = ":/pictures/chart-background.png"; // 197 x 184
inline constexpr char Hand[] = ":/pictures/hand.png";                        // 16 x 16
inline constexpr char HandDisabled[] = ":/pictures/hand-disabled.png";
inline constexpr char Refresh[] = ":/pictures/refresh.png"; // 23 x 21
inline constexpr char RefreshDisabled[] = ":/pictures/refresh-disabled.png";
inline constexpr char Print[] = ":/pictures/print.png"; // 16 x 16
inline constexpr char PrintDisabled[] = ":/pictures/print-disabled.png";
inline constexpr char Import[] = ":/pictures/import.png"; // 16 x 16
inline constexpr char ImportDisabled[] = ":/pictures/import-disabled.png";
inline constexpr char Export[] = ":/pictures/export.png"; // 16 x 16
inline constexpr char ExportDisabled[] = ":/pictures/export-disabled.png";
inline constexpr char Panel[] = ":/pictures/panel.jpg";              // 502 x 507, JPEG
inline constexpr char BarOutline[] = ":/pictures/bar-outline.pcx";   // 384 x 96, 24-bit PCX
inline constexpr char KnobOutline[] = ":/pictures/knob-outline.pcx"; // 98 x 98, 24-bit PCX

inline constexpr const char* All[] = {Logo,           LogPicture, ChartBackground, Hand,
                                      HandDisabled,   Refresh,    RefreshDisabled, Print,
                                      PrintDisabled,  Import,     ImportDisabled,  Export,
                                      ExportDisabled, Panel,      BarOutline,      KnobOutline};
} // namespace Pictures
