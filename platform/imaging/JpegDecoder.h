#pragma once

#include <QByteArray>
#include <QImage>

// Decodes a JPEG picture (greyscale or colour) through libjpeg. The result has
// the format QImage::Format_RGB32. Throws EInvalidOperation when libjpeg
// rejects the data, so a damaged file never ends the program.
QImage DecodeJpeg(const QByteArray& data);
