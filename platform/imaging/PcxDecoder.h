#pragma once

#include <QByteArray>
#include <QImage>

// Decodes a ZSoft PCX picture, version 5, run-length encoded, with 8 bits per
// plane: either three planes (red, green, blue; 24-bit colour) or one plane
// indexing the 256-colour palette at the end of the file. The result has the
// format QImage::Format_RGB32. Throws EInvalidOperation for anything else and
// for damaged or truncated data; it never reads past the end of `data`.
QImage DecodePcx(const QByteArray& data);
