#pragma once

#include <QByteArray>
#include <QImage>

// Encodes a picture as a 24-bit PCX file: version 5, run-length encoded, three
// 8-bit planes (red, green, blue) per line. Alpha is dropped.
QByteArray EncodePcx(const QImage& image);
