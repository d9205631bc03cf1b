#pragma once

#include <QString>

// The database client library, loaded by its file name when the first
// database connection is made, as the class library loads its client DLL: a
// missing library is then an error with its reason, not a program that the
// system refuses to start. The client functions that the components call
// (the isc_ names of ibase.h) are defined here and call the library's own.
namespace IBClientLibrary {

// The library's file name: the Firebird 3 client, which embeds the engine.
inline constexpr char FileName[] = "libfbclient.so.2";

// Loads the library once; raises EDatabaseError with the library's name and
// the system's reason when it cannot be loaded.
void Load();

// Opens a library by file name for Load; the same errors. Returns its handle.
void* Open(const QString& fileName);

} // namespace IBClientLibrary
