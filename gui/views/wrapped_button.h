#pragma once
// A push button whose caption runs over as many lines as its width needs,
// for the buttons that say in a sentence what they do. text() keeps the
// whole caption.

#include <QPushButton>

namespace velmar {

class WrappedButton : public QPushButton {
    Q_OBJECT
public:
    // preferredWidth: the width the button asks for in a layout.
    WrappedButton(const QString& caption, QWidget* parent = nullptr, int preferredWidth = 240);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int preferredWidth_;
};

}  // namespace velmar
