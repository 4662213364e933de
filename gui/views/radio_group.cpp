#include "gui/views/radio_group.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

namespace velmar {

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, int columns, QWidget* parent)
    : QGroupBox(caption, parent), group_(new QButtonGroup(this)) {
    auto* layout = new QGridLayout(this);
    columns = std::max(columns, 1);
    const int rows = int((items.size() + columns - 1) / columns);
    for (int i = 0; i < items.size(); ++i) {
        auto* b = new QRadioButton(items[i], this);
        group_->addButton(b, i);
        buttons_.push_back(b);
        layout->addWidget(b, i % rows, i / rows);  // filled column by column
    }
    connect(group_, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (!on) return;
        KeepTabOnChosen();
        emit itemIndexChanged(id);
    });
    connect(group_, &QButtonGroup::idClicked, this, &RadioGroup::itemClicked);
    KeepTabOnChosen();
}

void RadioGroup::KeepTabOnChosen() {
    // Tab enters the group at the chosen item (the first when none is), so
    // an arrow key pressed next moves from what is chosen; Qt itself only
    // moves this once a button of the group has had the focus.
    const int chosen = std::max(group_->checkedId(), 0);
    for (int i = 0; i < buttons_.size(); ++i)
        buttons_[i]->setFocusPolicy(i == chosen ? Qt::StrongFocus : Qt::ClickFocus);
}

int RadioGroup::ItemIndex() const { return group_->checkedId(); }

void RadioGroup::SetItemIndex(int index) {
    if (buttons_.isEmpty()) return;
    if (index < 0) {
        // An exclusive group cannot be emptied by unchecking its button.
        group_->setExclusive(false);
        for (auto* b : buttons_) b->setChecked(false);
        group_->setExclusive(true);
        KeepTabOnChosen();
        return;
    }
    buttons_[std::min<int>(index, int(buttons_.size()) - 1)]->setChecked(true);
}

}  // namespace velmar
