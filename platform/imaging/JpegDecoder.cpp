#include "platform/imaging/JpegDecoder.h"

#include "platform/errors/Exception.h"
#include "platform/imaging/PictureLimits.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace {

// libjpeg's own error handler ends the process; this one jumps back to the
// decoder with libjpeg's message instead.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr info) {
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    errors->base.format_message(info, errors->message);
    std::longjmp(errors->jump, 1);
}

// Warnings (such as premature end of data, which libjpeg pads with grey)
// count as damage too: a damaged picture is refused, not shown half grey.
void OnMessage(j_common_ptr info, int level) {
    if (level < 0)
        OnError(info);
}

// Everything that longjmp may skip lives in the caller, and this function
// holds no C++ objects with destructors, so the jump is safe.
bool Decode(jpeg_decompress_struct& info, ErrorManager& errors, const QByteArray& data,
            QImage& image) {
    if (setjmp(errors.jump))
        return false;
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(&info, TRUE);
    // Checked before the decompression starts, which allocates its buffers
    // for the declared size.
    if (info.image_width > JDIMENSION(MaxPictureSide) ||
        info.image_height > JDIMENSION(MaxPictureSide)) {
        std::snprintf(errors.message, sizeof errors.message,
                      "%u x %u pixels is larger than %d x %d", unsigned(info.image_width),
                      unsigned(info.image_height), MaxPictureSide, MaxPictureSide);
        return false;
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    image = QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB32);
    if (image.isNull()) {
        std::snprintf(errors.message, sizeof errors.message, "the picture is too large");
        return false;
    }
    JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                               info.output_width * 3, 1);
    while (info.output_scanline < info.output_height) {
        const int y = int(info.output_scanline);
        jpeg_read_scanlines(&info, row, 1);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (JDIMENSION x = 0; x < info.output_width; ++x)
            out[x] = qRgb(row[0][3 * x], row[0][3 * x + 1], row[0][3 * x + 2]);
    }
    jpeg_finish_decompress(&info);
    return true;
}

} // namespace

QImage DecodeJpeg(const QByteArray& data) {
    if (data.isEmpty())
        throw EInvalidOperation(QStringLiteral("Invalid JPEG picture: the file is empty"));
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = OnError;
    errors.base.emit_message = OnMessage;
    QImage image;
    const bool decoded = Decode(info, errors, data, image);
    jpeg_destroy_decompress(&info);
    if (!decoded)
        throw EInvalidOperation(QStringLiteral("Invalid JPEG picture: ") +
                                QString::fromLocal8Bit(errors.message));
    return image;
}
