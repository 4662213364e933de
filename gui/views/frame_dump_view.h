#pragma once
// A read-only box for a frame's hex dump. The protocol monitor rewrites it
// for every frame, so it only keeps the text and draws it when shown,
// instead of laying out a text document for every frame.

#include <QFrame>
#include <QString>

namespace velmar {

class FrameDumpView : public QFrame {
    Q_OBJECT
public:
    static constexpr int kColumns = 48;  // 16 bytes of "XX " per line
    static constexpr int kLines = 4;

    explicit FrameDumpView(QWidget* parent = nullptr);

    void setPlainText(const QString& text);
    QString toPlainText() const { return text_; }
    void clear() { setPlainText({}); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
};

}  // namespace velmar
