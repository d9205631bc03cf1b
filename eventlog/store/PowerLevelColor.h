#pragma once

// The power-level colour ramp: a whole percentage becomes a colour value
// ($00BBGGRR) from green at 1% through yellow to red at 100%. 0% and below
// give $00FEFF; 101% and above give negative numbers, no colour at all.
int PowerLevelColor(int percent);

// The ramp's two counters, walked a number of steps: red climbs to 256 first,
// then green falls. A percentage restarts them at red 0, green 256; the
// chart refill steps them on from where the last power level left them for a
// power-level row without a percentage.
struct TPowerRamp {
    long long R = 0;
    long long G = 0;

    // Sets the counters for `percent` and gives its colour.
    int Start(int percent);
    // Makes steps + 1 passes from the counters as they are (none when steps
    // is negative) and gives the colour they then stand for.
    int Walk(long long steps);
    int Color() const;
};
