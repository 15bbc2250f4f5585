#include "online/window/JpegImage.h"

#include <csetjmp>
#include <cstdio>   // jpeglib.h needs FILE

#include <jpeglib.h>

namespace {
// Larger pictures are refused rather than allocated: a damaged header can claim any size.
constexpr qint64 MaxPixels = 32 * 1024 * 1024;

struct ErrorManager
{
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
};

// Both errors and corrupt-data warnings leave the decoding through the jump.
[[noreturn]] void failDecoding(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<ErrorManager *>(cinfo->err)->jump, 1);
}

void onMessage(j_common_ptr cinfo, int level)
{
    if (level < 0) failDecoding(cinfo);   // a warning: the data is damaged
}

// Kept by the caller, so nothing the jump returns to lives in the frame that calls setjmp.
struct Decoder
{
    jpeg_decompress_struct cinfo;
    ErrorManager err;
};

// Only C objects and the caller's image between setjmp and longjmp: no destructor is skipped.
bool decodeInto(Decoder *d, const QByteArray *data, QImage *out)
{
    d->cinfo.err = jpeg_std_error(&d->err.mgr);
    d->err.mgr.error_exit = failDecoding;
    d->err.mgr.emit_message = onMessage;
    if (setjmp(d->err.jump)) {
        jpeg_destroy_decompress(&d->cinfo);
        return false;
    }
    jpeg_create_decompress(&d->cinfo);
    jpeg_mem_src(&d->cinfo, reinterpret_cast<const unsigned char *>(data->constData()),
                 static_cast<unsigned long>(data->size()));
    jpeg_read_header(&d->cinfo, TRUE);
    // Checked before anything is decoded: starting the decompression already allocates for the size.
    const qint64 pixels = qint64(d->cinfo.image_width) * d->cinfo.image_height;
    if (pixels == 0 || pixels > MaxPixels) failDecoding(reinterpret_cast<j_common_ptr>(&d->cinfo));
    d->cinfo.out_color_space = JCS_EXT_RGBX;
    jpeg_start_decompress(&d->cinfo);
    *out = QImage(int(d->cinfo.output_width), int(d->cinfo.output_height), QImage::Format_RGBX8888);
    if (out->isNull()) failDecoding(reinterpret_cast<j_common_ptr>(&d->cinfo));
    while (d->cinfo.output_scanline < d->cinfo.output_height) {
        JSAMPROW row = out->scanLine(int(d->cinfo.output_scanline));
        jpeg_read_scanlines(&d->cinfo, &row, 1);
    }
    jpeg_finish_decompress(&d->cinfo);
    jpeg_destroy_decompress(&d->cinfo);
    return true;
}
}

QImage DecodeJpeg(const QByteArray &data)
{
    Decoder decoder{};
    QImage image;
    if (!decodeInto(&decoder, &data, &image)) return QImage();
    return image;
}
