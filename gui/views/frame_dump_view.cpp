#include "gui/views/frame_dump_view.h"

#include <QPainter>
#include <algorithm>

#include "core/link/frame_dump.h"

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

void FrameDumpView::setFrame(const uint8_t* report, bool answer) {
    if (!empty_ && answer == answer_ && std::equal(report_.begin(), report_.end(), report)) return;
    std::copy(report, report + report_.size(), report_.begin());
    answer_ = answer;
    empty_ = false;
    update();
}

void FrameDumpView::clear() {
    if (empty_) return;
    empty_ = true;
    update();
}

QString FrameDumpView::toPlainText() const {
    return empty_ ? QString() : QString::fromLatin1(HexDump(report_.data(), answer_));
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
    const QString text = toPlainText();
    int y = area.top() + m.ascent();
    for (int at = 0; at < text.size() && y <= area.bottom() + m.ascent(); at += kColumns, y += m.lineSpacing())
        p.drawText(area.left(), y, text.mid(at, kColumns));
}

}  // namespace velmar
