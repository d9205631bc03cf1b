#pragma once

#include <QString>

// An advisory lock on the event database file while this copy of the program
// has it open, so that another running copy leaves the file alone instead of
// deleting it under this one. The lock belongs to an open file description of
// its own: the engine's own locks and descriptors of the file play no part,
// and the system drops it when the program ends in any way.
class TDatabaseLock {
  public:
    TDatabaseLock() = default;
    TDatabaseLock(const TDatabaseLock&) = delete;
    TDatabaseLock& operator=(const TDatabaseLock&) = delete;
    ~TDatabaseLock() { Release(); }

    // Locks the file at `path`, when it can be opened and nobody else holds it.
    void Acquire(const QString& path);
    void Release();

    // Whether another holder (another copy of the program) has the file locked.
    static bool HeldElsewhere(const QString& path);

  private:
    int fd_ = -1;
};
