#pragma once

#include <QWidget>

namespace velmar {

// A page of a tab widget that is measured only where its size can count:
// while it is in front, its tab is shown, or its size policy lets it take
// room from behind. A tab widget asks every page it holds for its size
// hints, hidden ones and those away from the front too, and throws the
// answers of the latter away; for a large page that stays hidden, such as
// the service pages outside service mode, that is measuring hundreds of
// texts for nothing.
class TabPage : public QWidget {
public:
    using QWidget::QWidget;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    int heightForWidth(int width) const override;

private:
    bool Counts() const;
};

}  // namespace velmar
