#include "gui/views/frame_dump_view.h"

#include <QPainter>

namespace velmar {

FrameDumpView::FrameDumpView(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    QFont f = font();
    f.setFamily("Courier New");
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    setFont(f);
    setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
}

void FrameDumpView::setPlainText(const QString& text) {
    if (text == text_) return;
    text_ = text;
    update();
}

QSize FrameDumpView::sizeHint() const {
    const QFontMetrics m(font());
    const int chrome = 2 * frameWidth() + 8;
    return {m.horizontalAdvance(QString(kColumns, u'0')) + chrome, m.lineSpacing() * kLines + chrome};
}

void FrameDumpView::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter p(this);
    p.setFont(font());
    const QFontMetrics m(font());
    const QRect area = contentsRect().adjusted(4, 4, -4, -4);
    int y = area.top() + m.ascent();
    for (int at = 0; at < text_.size() && y <= area.bottom() + m.ascent(); at += kColumns, y += m.lineSpacing())
        p.drawText(area.left(), y, text_.mid(at, kColumns));
}

}  // namespace velmar
