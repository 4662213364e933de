#pragma once
// A small filled rectangle used as an indicator lamp (online, activity,
// limit outputs). Off is the button-face colour of the palette.

#include <QColor>
#include <QWidget>

namespace velmar {

class Lamp : public QWidget {
    Q_OBJECT
public:
    explicit Lamp(QWidget* parent = nullptr);

    QColor brushColor() const { return brush_; }
    void setBrushColor(const QColor& color);
    // Back to the unlit colour.
    void switchOff();
    bool isLit() const { return lit_; }

    QSize sizeHint() const override { return {16, 16}; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QColor brush_;
    bool lit_ = false;
};

}  // namespace velmar
