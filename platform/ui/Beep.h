#pragma once

#include <functional>

// Sounds the system's default beep. Tests count the beeps with a hook, which
// then replaces the sound; an empty hook restores it.
void MessageBeep();
void SetBeepHook(std::function<void()> hook);
