#pragma once

#include <exception>

// Failures at start-up, before the message loop runs, reach the user with
// their reason: on standard error always, and in the standard error box
// where there is a screen to show it on.

// From now until StartFailureQtReady(), a fatal error of Qt's (no display to
// connect to, no platform plugin) ends the program with exit code 1 and
// Qt's reasons on standard error, instead of aborting it.
void StartFailureWatchQt();
void StartFailureQtReady();

// Reports an exception that stopped the start-up: its text on standard
// error, then the standard error box, unless Qt runs without a screen (the
// offscreen and minimal platforms).
void ReportStartFailure(const std::exception& error);
