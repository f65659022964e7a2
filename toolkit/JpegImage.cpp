#include "toolkit/JpegImage.h"

#include <QFile>
#include <QString>

#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE declared first

#include <jpeglib.h>

namespace selenara {
namespace {

// libjpeg reports errors by calling error_exit, which must not return. We jump
// back to the helper that made the failing call. The helpers hold only trivial
// locals, so the longjmp skips no destructors; the QImage lives a frame above.
struct Decoder {
    jpeg_decompress_struct info{};
    jpeg_error_mgr error{};
    std::jmp_buf jump{};
};

[[noreturn]] void OnError(j_common_ptr info) {
    std::longjmp(static_cast<Decoder*>(info->client_data)->jump, 1);
}

// Level < 0 is a warning about damaged data (e.g. the data ending early); the
// rest is tracing. Nothing goes to stderr.
void OnMessage(j_common_ptr info, int level) {
    if (level < 0) OnError(info);
}

constexpr JDIMENSION kMaxSide = 16384;

bool ReadHeader(Decoder& d, const QByteArray& data) {
    if (setjmp(d.jump)) return false;
    d.info.err = jpeg_std_error(&d.error);
    d.error.error_exit = OnError;
    d.error.emit_message = OnMessage;
    d.info.client_data = &d;  // kept by jpeg_create_decompress, which may fail already
    jpeg_create_decompress(&d.info);
    jpeg_mem_src(&d.info, reinterpret_cast<const unsigned char*>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(&d.info, TRUE);
    // Straight into Format_RGB32, what a pixmap holds, so that nothing is
    // converted after decoding: 0xffRRGGBB words (libjpeg fills X with 0xff).
    d.info.out_color_space = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRX : JCS_EXT_XRGB;
    jpeg_start_decompress(&d.info);
    return d.info.output_components == 4 && d.info.output_width <= kMaxSide &&
           d.info.output_height <= kMaxSide;
}

bool ReadPixels(Decoder& d, QImage& image) {
    if (setjmp(d.jump)) return false;
    while (d.info.output_scanline < d.info.output_height) {
        JSAMPROW row = image.scanLine(static_cast<int>(d.info.output_scanline));
        jpeg_read_scanlines(&d.info, &row, 1);
    }
    jpeg_finish_decompress(&d.info);
    return true;
}

}  // namespace

QImage DecodeJpeg(const QByteArray& data) {
    Decoder d;
    QImage image;
    if (!data.isEmpty() && ReadHeader(d, data)) {
        image = QImage(static_cast<int>(d.info.output_width), static_cast<int>(d.info.output_height),
                       QImage::Format_RGB32);
        if (image.isNull() || !ReadPixels(d, image)) image = QImage();
    }
    jpeg_destroy_decompress(&d.info);  // safe on a half-made or never-made decoder
    return image;
}

QImage LoadArtwork(const char* name) {
    QFile file(QStringLiteral(":/artwork/") + QString::fromLatin1(name));
    if (!file.open(QIODevice::ReadOnly)) return QImage();
    return DecodeJpeg(file.readAll());
}

}  // namespace selenara
