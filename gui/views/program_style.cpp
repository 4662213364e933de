#include "gui/views/program_style.h"

#include <QApplication>
#include <QProxyStyle>
#include <QStyleOption>

namespace velmar {

namespace {
// Beside what the style itself leaves, each side of a button's text.
constexpr int kButtonTextRoom = 6;

class ProgramStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override {
        QSize s = QProxyStyle::sizeFromContents(type, option, size, widget);
        // Some styles leave a long caption a few pixels from the bevel.
        if (type == CT_PushButton) s.rwidth() += 2 * kButtonTextRoom;
        return s;
    }
};
}  // namespace

void InstallProgramStyle() {
    if (dynamic_cast<ProgramStyle*>(QApplication::style())) return;
    QApplication::setStyle(new ProgramStyle(QApplication::style()->name()));
}

}  // namespace velmar
