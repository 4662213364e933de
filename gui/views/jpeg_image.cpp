#include "gui/views/jpeg_image.h"

#include <QFile>

#include <csetjmp>
#include <cstdio>  // jpeglib.h uses FILE without including it
#include <cstring>

#include <jerror.h>
#include <jpeglib.h>

// The resource lives in a static library: without an explicit reference the
// linker would drop it. Q_INIT_RESOURCE only works from the global namespace.
static void InitLogoResource() { Q_INIT_RESOURCE(logo); }

namespace velmar {
namespace {

// libjpeg reports fatal errors by calling error_exit, which must not return.
// We jump back to the setjmp in the function that called into libjpeg. Only
// plain C data lives in this struct and in the functions holding the setjmp,
// so the jump never skips a destructor.
struct JpegSession {
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr err;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

JpegSession* SessionOf(j_common_ptr cinfo) { return static_cast<JpegSession*>(cinfo->client_data); }

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
    JpegSession* s = SessionOf(cinfo);
    (*cinfo->err->format_message)(cinfo, s->message);
    std::longjmp(s->jump, 1);
}

// Warnings (corrupt data, premature end of data) are counted and the first
// one kept instead of printed to stderr; the caller turns them into a failure
// after decoding. Trace messages (level >= 0) are dropped.
void EmitMessage(j_common_ptr cinfo, int level) {
    if (level >= 0) return;
    if (cinfo->err->num_warnings++ == 0) (*cinfo->err->format_message)(cinfo, SessionOf(cinfo)->message);
}

bool ReadHeader(JpegSession* s, const unsigned char* data, unsigned long size) {
    if (setjmp(s->jump)) return false;
    jpeg_create_decompress(&s->cinfo);
    jpeg_mem_src(&s->cinfo, data, size);
    jpeg_read_header(&s->cinfo, TRUE);
    return true;
}

// Fills the rows of an image already sized from the header; grey pictures
// land packed at the start of each row and are spread to RGB afterwards.
bool ReadPixels(JpegSession* s, unsigned char* bits, long bytesPerLine) {
    if (setjmp(s->jump)) return false;
    const JDIMENSION width = s->cinfo.image_width;
    const JDIMENSION height = s->cinfo.image_height;
    jpeg_start_decompress(&s->cinfo);
    if (s->cinfo.output_width != width || s->cinfo.output_height != height) {
        std::snprintf(s->message, sizeof s->message, "Unexpected output size");
        return false;
    }
    while (s->cinfo.output_scanline < height) {
        JSAMPROW row = bits + static_cast<long>(s->cinfo.output_scanline) * bytesPerLine;
        jpeg_read_scanlines(&s->cinfo, &row, 1);
    }
    jpeg_finish_decompress(&s->cinfo);
    return true;
}

void SpreadGreyToRgb(QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        uchar* row = image.scanLine(y);
        // Backwards, so no grey byte is overwritten before it is read.
        for (int x = image.width() - 1; x >= 0; --x) row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = row[x];
    }
}

QImage Fail(QString* error, const QString& why) {
    if (error) *error = why;
    return {};
}

}  // namespace

QImage DecodeJpeg(const QByteArray& data, QString* error) {
    if (data.isEmpty()) return Fail(error, QStringLiteral("Empty JPEG data"));

    JpegSession s;
    std::memset(&s, 0, sizeof s);  // lets jpeg_destroy_decompress run whatever failed
    s.cinfo.err = jpeg_std_error(&s.err);
    s.err.error_exit = ErrorExit;
    s.err.emit_message = EmitMessage;
    s.cinfo.client_data = &s;  // kept by jpeg_create_decompress

    struct Destroy {
        jpeg_decompress_struct* cinfo;
        ~Destroy() { jpeg_destroy_decompress(cinfo); }
    } destroy{&s.cinfo};

    const auto* bytes = reinterpret_cast<const unsigned char*>(data.constData());
    if (!ReadHeader(&s, bytes, static_cast<unsigned long>(data.size())))
        return Fail(error, QString::fromLatin1(s.message));

    const JDIMENSION width = s.cinfo.image_width;
    const JDIMENSION height = s.cinfo.image_height;
    if (width == 0 || height == 0 || width > kMaxJpegSide || height > kMaxJpegSide)
        return Fail(error, QStringLiteral("Unacceptable JPEG size %1x%2").arg(width).arg(height));

    const bool grey = s.cinfo.jpeg_color_space == JCS_GRAYSCALE;
    s.cinfo.out_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;

    QImage image(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB888);
    if (image.isNull()) return Fail(error, QStringLiteral("Out of memory for the JPEG image"));
    if (!ReadPixels(&s, image.bits(), static_cast<long>(image.bytesPerLine())))
        return Fail(error, QString::fromLatin1(s.message));
    // A truncated or damaged stream decodes "successfully" with grey filler
    // after a warning; such a picture is not worth showing.
    if (s.err.num_warnings > 0) return Fail(error, QString::fromLatin1(s.message));

    if (grey) SpreadGreyToRgb(image);
    if (error) error->clear();
    return image;
}

QPixmap LogoPixmap() {
    // The image is cached rather than the pixmap: a static QPixmap would
    // outlive the application object.
    static const QImage logo = [] {
        InitLogoResource();
        QFile file(QStringLiteral(":/views/logo.jpg"));
        return file.open(QIODevice::ReadOnly) ? DecodeJpeg(file.readAll()) : QImage();
    }();
    return QPixmap::fromImage(logo);
}

}  // namespace velmar
