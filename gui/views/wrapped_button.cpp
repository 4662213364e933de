#include "gui/views/wrapped_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace velmar {

namespace {
// Room between the bevel and the text, each side.
constexpr int kMarginX = 8, kMarginY = 5;
}  // namespace

WrappedButton::WrappedButton(const QString& caption, QWidget* parent, int preferredWidth)
    : QPushButton(caption, parent), preferredWidth_(preferredWidth) {
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

int WrappedButton::heightForWidth(int width) const {
    const QRect text = fontMetrics().boundingRect(QRect(0, 0, std::max(width - 2 * kMarginX, 1), 100000),
                                                  Qt::TextWordWrap, this->text());
    return text.height() + 2 * kMarginY;
}

QSize WrappedButton::sizeHint() const {
    const int width = std::min(preferredWidth_, fontMetrics().horizontalAdvance(text()) + 2 * kMarginX + 1);
    return {width, heightForWidth(width)};
}

QSize WrappedButton::minimumSizeHint() const {
    // Never narrower than its longest word.
    int widest = 0;
    for (const QString& word : text().split(' ', Qt::SkipEmptyParts))
        widest = std::max(widest, fontMetrics().horizontalAdvance(word));
    const int width = widest + 2 * kMarginX + 1;
    return {width, heightForWidth(width)};
}

void WrappedButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();  // the style would draw it on one line
    painter.drawControl(QStyle::CE_PushButton, option);
    const QRect area = rect().adjusted(kMarginX, kMarginY, -kMarginX, -kMarginY);
    painter.drawItemText(area, Qt::AlignCenter | Qt::TextWordWrap, palette(), isEnabled(), text(),
                         QPalette::ButtonText);
}

}  // namespace velmar
