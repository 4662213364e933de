#include "gui/device/service_tests_page.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/device/device_types.h"
#include "core/device/service_commands.h"
#include "core/link/payload_io.h"
#include "gui/link/instrument_context.h"
#include "gui/views/latching_group.h"
#include "gui/views/module_controls.h"

namespace velmar {

namespace {
struct TestPattern {
    const char* button;
    const char* caption;
};
constexpr TestPattern kPatterns[] = {
    {"SpeedButton_TestASCII5x7", "ASCII-kódok 5x7"},        {"SpeedButton_TestWhite", "Teli fehér"},
    {"SpeedButton_TestFrame", "Keret a kijelzőn"},          {"SpeedButton_TestPattern", "Minta"},
    {"SpeedButton_TimeAfterReset", "Reset óta eltelt idő"}, {"SpeedButton_IntADC", "Belső ADC olvasás"},
};
constexpr int kBlock = 4;  // the enlarged image's pixel size

QLabel* ImageLabel(QWidget* parent, const char* name, const QImage& image, int frame) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setFrameStyle(frame ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
    l->setLineWidth(frame);
    l->setPixmap(QPixmap::fromImage(image));
    l->setFixedSize(image.width() + 2 * frame, image.height() + 2 * frame);
    return l;
}
}  // namespace

ServiceTestsPage::ServiceTestsPage(InstrumentContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
    setObjectName("TabSheet6");
    normalImage.fill(Qt::white);
    largeImage.fill(Qt::white);

    SpeedButton_EraseFRAM1 = MakeButton(this, "SpeedButton_EraseFRAM1", "Erase FRAM");
    (new LatchingGroup(this))->add(SpeedButton_EraseFRAM1);

    QGroupBox* tests = MakeGroup(this, "GroupBox_KijelzoTeszt", "Kijelző teszt");
    auto* testRows = new QVBoxLayout(tests);
    auto* patterns = new LatchingGroup(tests);
    for (std::size_t i = 0; i < std::size(kPatterns); ++i) {
        testButtons[i] = MakeButton(tests, kPatterns[i].button, kPatterns[i].caption);
        patterns->add(testButtons[i]);
        testRows->addWidget(testButtons[i]);
    }
    testRows->addWidget(MakeLabel(tests, "Label_uTestForce", "recTX.uTestForce := 5"));
    testRows->addStretch(1);

    QGroupBox* image = MakeGroup(this, "GroupBox_KepernyoKep", "Képernyő kép");
    SpeedButton_ReadDisplay = MakeButton(image, "SpeedButton_ReadDisplay", "Kiolvasás a készülékből");
    (new LatchingGroup(image))->add(SpeedButton_ReadDisplay);
    Image_OLEDNormalSize = ImageLabel(image, "Image_OLEDNormalSize", normalImage, 0);
    Image_OLED = ImageLabel(image, "Image_OLED", largeImage, 2);
    auto* imageGrid = new QGridLayout(image);
    imageGrid->addWidget(SpeedButton_ReadDisplay, 0, 0, Qt::AlignLeft);
    imageGrid->addWidget(Image_OLEDNormalSize, 1, 0, Qt::AlignLeft | Qt::AlignTop);
    imageGrid->addWidget(Image_OLED, 2, 0, Qt::AlignLeft | Qt::AlignTop);
    // Spare height below the images, not between them.
    imageGrid->setRowStretch(3, 1);

    auto* left = new QVBoxLayout;
    left->addWidget(SpeedButton_EraseFRAM1);
    left->addWidget(tests);
    left->addStretch(1);
    auto* row = new QHBoxLayout(this);
    row->addLayout(left);
    row->addWidget(image);
    row->addStretch(1);

    ctx.commands.SetBuilder(kReadDisplayImage, [this] {
        ctx_.recTX.uYForHardCopy = 0;
        TransferWriter(ctx_.transfer).U8(ctx_.recTX.uYForHardCopy);
    });
    ctx.commands.SetDecoder(kReadDisplayImage, [this] { DecodeImage(); });
}

uint8_t ServiceTestsPage::TestForce(bool inFront) const {
    if (!inFront) return 0;
    for (std::size_t i = 0; i < testButtons.size(); ++i)
        if (testButtons[i]->isChecked()) return uint8_t(i + 1);
    return 0;
}

void ServiceTestsPage::PlotImagePixel(int x, int y, int blockSize, QRgb colour) {
    normalImage.setPixel(x, y, colour);
    for (int dy = 0; dy < blockSize; ++dy)
        for (int dx = 0; dx < blockSize; ++dx) largeImage.setPixel(blockSize * x + dx, blockSize * y + dy, colour);
}

void ServiceTestsPage::DecodeImage() {
    tRX& rx = ctx_.recRX;
    for (uint8_t& b : rx.uBitmap) b = ctx_.transfer.ReadByte();
    // Rows beyond the image would be read past the bitmap: at most its 64.
    const int rows = std::min(kImageHeight + rx.uYForHardCopy, kImageHeight);
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < kImageWidth; ++x)
            PlotImagePixel(x, y, kBlock, ImagePixelLit(rx.uBitmap, x, y) ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    Image_OLEDNormalSize->setPixmap(QPixmap::fromImage(normalImage));
    Image_OLED->setPixmap(QPixmap::fromImage(largeImage));
    SpeedButton_ReadDisplay->setChecked(false);
}

}  // namespace velmar
