#pragma once
// A read-only box for a frame's hex dump. The protocol monitor hands it
// every frame, so it only keeps the frame's bytes and makes their text when
// it is drawn or asked for: a monitor that is not shown costs a copy.

#include <QFrame>
#include <QString>
#include <array>
#include <cstdint>

namespace velmar {

class FrameDumpView : public QFrame {
    Q_OBJECT
public:
    static constexpr int kColumns = 48;  // 16 bytes of "XX " per line
    static constexpr int kLines = 4;

    explicit FrameDumpView(QWidget* parent = nullptr);

    // report: the report id and the 64 bytes of the frame; an answer's dump
    // fences its error code.
    void setFrame(const uint8_t* report, bool answer);
    void clear();
    QString toPlainText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<uint8_t, 65> report_{};
    bool answer_ = false;
    bool empty_ = true;
};

}  // namespace velmar
