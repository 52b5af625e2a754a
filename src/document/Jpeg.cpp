#include "document/Jpeg.h"

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

// Pictures larger than this are refused rather than exhausting memory on a damaged header.
constexpr unsigned long kMaxPixels = 200UL * 1000 * 1000;
} // namespace

QImage DecodeJpegFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QImage();
    const QByteArray data = file.readAll();
    if (data.isEmpty())
        return QImage();

    jpeg_decompress_struct cinfo{};
    ErrorManager err{};
    cinfo.err = jpeg_std_error(&err.base);
    err.base.error_exit = OnError;
    err.base.output_message = OnMessage;
    // Everything that must survive a longjmp lives outside this frame's automatic variables
    // that change after setjmp; the image is volatile-safe because it is only assigned before.
    QImage* volatile result = new QImage();
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        delete result;
        return QImage();
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    const unsigned long pixels =
        static_cast<unsigned long>(cinfo.output_width) * cinfo.output_height;
    if (cinfo.output_components != 3 || pixels == 0 || pixels > kMaxPixels) {
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
