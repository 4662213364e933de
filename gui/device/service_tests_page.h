#pragma once
// The tests page of the service tab: memory erase, the display test
// patterns carried by the status request, and the instrument's display
// image read back and drawn at its own size and four times enlarged.

#include <QImage>
#include <QWidget>
#include <array>

class QLabel;
class QPushButton;

namespace velmar {

struct InstrumentContext;

class ServiceTestsPage : public QWidget {
    Q_OBJECT
public:
    ServiceTestsPage(InstrumentContext& ctx, QWidget* parent = nullptr);

    QPushButton* SpeedButton_EraseFRAM1;
    // Patterns 1..6 in order.
    std::array<QPushButton*, 6> testButtons{};
    QPushButton* SpeedButton_ReadDisplay;
    QLabel *Image_OLEDNormalSize, *Image_OLED;
    QImage normalImage{128, 64, QImage::Format_RGB32};
    QImage largeImage{512, 256, QImage::Format_RGB32};

    // The display test pattern of the next status request: only while the
    // PX580 page is in front, so a pattern chosen here waits for it.
    uint8_t TestForce(bool inFront) const;

private:
    void DecodeImage();
    void PlotImagePixel(int x, int y, int blockSize, QRgb colour);

    InstrumentContext& ctx_;
};

}  // namespace velmar
