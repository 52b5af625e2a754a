#include "document/Jpeg.h"

#include "document/PictureLimits.h"

#include <QFile>

#include <csetjmp>
#include <cstdio>

extern "C" {
#include <jpeglib.h>
}

namespace {
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

// libjpeg's default error handler exits the process; jump back to the caller instead.
void OnError(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    std::longjmp(err->jump, 1);
}

void OnMessage(j_common_ptr) {} // warnings are not the user's business

// Called as the decoder goes; ends a progressive file with more scans than any real one has.
void OnProgress(j_common_ptr cinfo) {
    const auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (cinfo->is_decompressor && d->input_scan_number > PictureLimits::MaxJpegScans)
        OnError(cinfo);
}
} // namespace

QImage DecodeJpegFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > PictureLimits::MaxJpegFileBytes)
        return QImage();
    const QByteArray data = file.readAll();
    if (data.isEmpty())
        return QImage();

    jpeg_decompress_struct cinfo{};
    ErrorManager err{};
    cinfo.err = jpeg_std_error(&err.base);
    err.base.error_exit = OnError;
    err.base.output_message = OnMessage;
    jpeg_progress_mgr progress{};
    progress.progress_monitor = OnProgress;
    // Everything that must survive a longjmp lives outside this frame's automatic variables
    // that change after setjmp; the image is volatile-safe because it is only assigned before.
    QImage* volatile result = new QImage();
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        delete result;
        return QImage();
    }
    jpeg_create_decompress(&cinfo);
    cinfo.progress = &progress; // creating clears every other field
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(&cinfo, TRUE);
    // Checked before the decoder allocates anything for the picture.
    if (!PictureLimits::JpegSizeAllowed(cinfo.image_width, cinfo.image_height, data.size())) {
        jpeg_destroy_decompress(&cinfo);
        delete result;
        return QImage();
    }
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    if (cinfo.output_components != 3 ||
        !PictureLimits::JpegSizeAllowed(cinfo.output_width, cinfo.output_height, data.size())) {
        jpeg_destroy_decompress(&cinfo);
        delete result;
        return QImage();
    }
    *result = QImage(int(cinfo.output_width), int(cinfo.output_height), QImage::Format_RGB888);
    if (result->isNull()) {
        jpeg_destroy_decompress(&cinfo);
        delete result;
        return QImage();
    }
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = result->scanLine(int(cinfo.output_scanline));
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    QImage out = std::move(*result);
    delete result;
    return out;
}
