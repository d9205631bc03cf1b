#pragma once

// A handle of the client library (attachment, transaction, statement). The
// sources check that it is the library's own handle type, so the public
// headers need not include the client library's header.
using TIBHandle = unsigned int;
