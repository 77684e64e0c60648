#include "dialogs/jpegimage.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace jpegimage {

namespace {

// libjpeg's own error handler ends the process; this one jumps back to the decoder instead.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

[[noreturn]] void jumpBack(j_common_ptr cinfo) {
    auto *manager = reinterpret_cast<ErrorManager *>(cinfo->err);
    std::longjmp(manager->jump, 1);
}

// Warnings (corrupt data, a premature end) count as errors: a damaged picture is not shown
// half-drawn. Trace messages are dropped.
void onMessage(j_common_ptr cinfo, int level) {
    if (level < 0)
        jumpBack(cinfo);
}

void silent(j_common_ptr) {}

// Pictures larger than this are not decoded: a damaged header must not ask for gigabytes.
constexpr unsigned long MaxPixels = 64ul * 1024 * 1024;
// A progressive picture is decoded in full once per scan; real ones have about ten. A damaged or
// hand-made one with thousands of scans would keep the decoder busy for minutes.
constexpr int MaxScans = 100;

void countScans(j_common_ptr cinfo) {
    if (cinfo->is_decompressor && reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > MaxScans)
        jumpBack(cinfo);
}

// Only plain C data lives in this frame, so the jump back leaves nothing half-destroyed. The
// image belongs to the caller; if the jump comes while it is being filled, the caller drops it.
bool decodeInto(jpeg_decompress_struct *cinfo, ErrorManager *errors, jpeg_progress_mgr *progress,
                const unsigned char *data, unsigned long size, QImage *out) {
    progress->progress_monitor = countScans;
    cinfo->err = jpeg_std_error(&errors->base);
    errors->base.error_exit = jumpBack;
    errors->base.emit_message = onMessage;
    errors->base.output_message = silent;
    if (setjmp(errors->jump)) {
        jpeg_destroy_decompress(cinfo);
        return false;
    }
    jpeg_create_decompress(cinfo);
    cinfo->progress = progress;
    jpeg_mem_src(cinfo, data, size);
    jpeg_read_header(cinfo, TRUE);
    // The size is known from the header: a progressive picture would otherwise be read and held
    // whole before its size is checked below.
    if (static_cast<unsigned long>(cinfo->image_width) * cinfo->image_height > MaxPixels) {
        jpeg_destroy_decompress(cinfo);
        return false;
    }
    cinfo->out_color_space = JCS_RGB;
    jpeg_start_decompress(cinfo);
    const JDIMENSION width = cinfo->output_width;
    const JDIMENSION height = cinfo->output_height;
    if (cinfo->output_components != 3 || width == 0 || height == 0 ||
        static_cast<unsigned long>(width) * height > MaxPixels) {
        jpeg_destroy_decompress(cinfo);
        return false;
    }
    *out = QImage(int(width), int(height), QImage::Format_RGB888);
    if (out->isNull()) {
        jpeg_destroy_decompress(cinfo);
        return false;
    }
    while (cinfo->output_scanline < height) {
        JSAMPROW row = out->scanLine(int(cinfo->output_scanline));
        jpeg_read_scanlines(cinfo, &row, 1);
    }
    jpeg_finish_decompress(cinfo);
    jpeg_destroy_decompress(cinfo);
    return true;
}

} // namespace

QImage decode(QByteArrayView data) {
    if (data.isEmpty())
        return {};
    jpeg_decompress_struct cinfo{};
    ErrorManager errors{};
    jpeg_progress_mgr progress{};
    QImage image;
    if (!decodeInto(&cinfo, &errors, &progress, reinterpret_cast<const unsigned char *>(data.data()),
                    static_cast<unsigned long>(data.size()), &image))
        return {};
    return image;
}

} // namespace jpegimage
