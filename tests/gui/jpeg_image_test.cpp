// The libjpeg decoder: the compiled-in logo, grey pictures, and damaged or
// hostile data, which must fail cleanly with a reason instead of crashing.
#include <QFile>
#include <QLabel>
#include <QRandomGenerator>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

#include "gui/device/header_page.h"
#include "gui/views/jpeg_image.h"

static void InitLogoResource() { Q_INIT_RESOURCE(logo); }

namespace velmar {
namespace {

QByteArray LogoBytes() {
    InitLogoResource();
    QFile file(QStringLiteral(":/views/logo.jpg"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

// A grey picture whose brightness rises 16 per column, written with libjpeg.
QByteArray GreyJpeg(int width, int height) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &out, &size);
    cinfo.image_width = width;
    cinfo.image_height = height;
    cinfo.input_components = 1;
    cinfo.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 100, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    QByteArray row(width, 0);
    for (int x = 0; x < width; ++x) row[x] = char(x * 16);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW p = reinterpret_cast<JSAMPROW>(row.data());
        jpeg_write_scanlines(&cinfo, &p, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    QByteArray result(reinterpret_cast<const char*>(out), qsizetype(size));
    std::free(out);
    return result;
}

void ExpectNear(QRgb actual, QRgb expected) {
    EXPECT_NEAR(qRed(actual), qRed(expected), 12);
    EXPECT_NEAR(qGreen(actual), qGreen(expected), 12);
    EXPECT_NEAR(qBlue(actual), qBlue(expected), 12);
}

void ExpectRefused(const QByteArray& data) {
    QString error;
    EXPECT_TRUE(DecodeJpeg(data, &error).isNull());
    EXPECT_FALSE(error.isEmpty());
}

TEST(JpegImage, LogoDecodesWithItsColours) {
    const QImage logo = LogoPixmap().toImage();
    ASSERT_EQ(logo.size(), QSize(160, 60));
    // Deep blue at the top left, darker at the bottom right.
    ExpectNear(logo.pixel(2, 2), qRgb(29, 77, 151));
    ExpectNear(logo.pixel(157, 57), qRgb(12, 39, 92));
}

TEST(JpegImage, GreyPictureBecomesRgb) {
    QString error = "stale";
    const QImage image = DecodeJpeg(GreyJpeg(16, 8), &error);
    ASSERT_EQ(image.size(), QSize(16, 8));
    EXPECT_EQ(image.format(), QImage::Format_RGB888);
    EXPECT_TRUE(error.isEmpty());
    for (int x : {0, 1, 7, 15}) ExpectNear(image.pixel(x, 4), qRgb(x * 16, x * 16, x * 16));
}

TEST(JpegImage, TruncatedDataIsRefused) {
    const QByteArray logo = LogoBytes();
    ExpectRefused(logo.left(logo.size() / 2));
    ExpectRefused(logo.left(20));  // inside the header
}

TEST(JpegImage, EmptyAndRandomDataAreRefused) {
    ExpectRefused({});
    QRandomGenerator random(1234);
    QByteArray noise(4096, 0);
    for (char& c : noise) c = char(random.bounded(256));
    ExpectRefused(noise);
    // Past the start marker, so the parser itself meets the noise.
    ExpectRefused(QByteArray("\xFF\xD8\xFF", 3) + noise);
}

TEST(JpegImage, HugeSizeIsRefusedBeforeDecoding) {
    QByteArray logo = LogoBytes();
    const qsizetype sof = logo.indexOf(QByteArray("\xFF\xC0", 2));
    ASSERT_GT(sof, 0);
    // Marker, length, precision, then height and width.
    for (int i = 5; i < 9; ++i) logo[sof + i] = char(0xFF);
    ExpectRefused(logo);
}

TEST(JpegImage, WellFormedButOversizedPictureIsRefused) { ExpectRefused(GreyJpeg(kMaxJpegSide + 1, 1)); }

TEST(JpegImage, HeaderPageShowsTheLogo) {
    HeaderPage page;
    EXPECT_FALSE(page.ui.Image1->pixmap().isNull());
    EXPECT_FALSE(page.ui.Image2->pixmap().isNull());
}

}  // namespace
}  // namespace velmar
