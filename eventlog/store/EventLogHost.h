#pragma once

#include <QString>

// What the record decoding needs of the main window: the firmware text of
// the last "V" reply (its first two characters name the hardware kind) and
// the flag that the Stelpod's lithium battery is low.
class TEventLogHost {
  public:
    virtual QString FirmwareText() const = 0;
    virtual void SetLithiumLow() = 0;

  protected:
    ~TEventLogHost() = default;
};
