#pragma once

#include <QString>
#include <ibase.h>

// Reading Firebird's status vector. Used inside the data-access components
// only; their public headers do not include the client library's header.
namespace IBError {

// True when the status vector reports an error.
bool Failed(const ISC_STATUS* status);

// The engine's own message lines (fb_interpret over the whole vector), joined
// by newlines.
QString StatusText(const ISC_STATUS* status);

// Raises EDatabaseError with the engine's text, preceded by our context
// ("preparing: INSERT INTO ...") when one is given.
[[noreturn]] void Raise(const ISC_STATUS* status, const QString& context = {});

// Raises when the status vector reports an error.
inline void Check(const ISC_STATUS* status, const QString& context = {}) {
    if (Failed(status))
        Raise(status, context);
}

} // namespace IBError
