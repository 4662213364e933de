#pragma once
// A request button of the priority list pressed as a person presses it: in
// its dialog, which may be shown first and closed again after. The window
// fuzzer and the soak drive the program with it.
#include <QAbstractButton>
#include <QWidget>

#include "core/link/priority_list.h"
#include "gui/app/form_main.h"

namespace velmar::test {

struct ButtonPress {
    std::size_t row = 0;  // of the priority list, taken modulo its size
    bool show = false;  // the dialog is shown before the press
    bool second = false;  // the row's second button, where it has one
    bool close = false;  // the dialog is closed after the press
};

inline void PressRequestButton(TForm1& main, const ButtonPress& p) {
    const auto list = PriorityList();
    const PriorityRank& r = list[p.row % list.size()];
    QWidget* dialog = r.window ? main.findChild<QWidget*>(r.window) : nullptr;
    if (r.window && !dialog) return;
    if (dialog && p.show) dialog->show();
    QObject* owner = dialog ? static_cast<QObject*>(dialog) : &main;
    const char* name = p.second && r.button2 ? r.button2 : r.button;
    if (auto* b = owner->findChild<QAbstractButton*>(name); b && b->isEnabled()) b->click();
    if (dialog && p.close) dialog->hide();
}

// Every request button of the priority list let up again, as after start.
inline void ReleaseRequestButtons(TForm1& main) {
    for (const PriorityRank& r : PriorityList()) {
        QObject* owner = r.window ? main.findChild<QWidget*>(r.window) : &main;
        if (!owner) continue;
        for (const char* name : {r.button, r.button2})
            if (auto* b = name ? owner->findChild<QAbstractButton*>(name) : nullptr) b->setChecked(false);
    }
}

}  // namespace velmar::test
