#include "gui/modules/module_openers.h"

#include <QPushButton>

#include "gui/link/instrument_context.h"
#include "gui/modules/module_dialog.h"
#include "gui/modules/module_tabs.h"
#include "gui/modules/password_dialog.h"

namespace velmar {

void ConnectModuleOpeners(InstrumentContext& ctx, ModuleTabs& tabs, const ModuleDialogOf& dialogOf) {
    for (const ModuleGroup& group : ModuleGroups()) {
        for (const ModuleControl& c : group.controls) {
            if (!c.name || c.lamp) continue;
            ModuleDialog* dialog = dialogOf(c.dialog);
            QPushButton* button = tabs.Button(c.name);
            if (!dialog || !button) continue;
            const QString caption = QString::fromUtf8(c.dialogCaption ? c.dialogCaption : "");
            QObject::connect(button, &QPushButton::clicked, dialog, [&ctx, dialog, c, caption] {
                if (c.slot != SlotFlag::Keep) ctx.bFoKimenetiModulVanNyitva = c.slot == SlotFlag::Primary;
                dialog->Open(caption.isEmpty() ? dialog->windowTitle() : caption, c.pressRead);
            });
        }
    }
}

void ConnectPasswordOpeners(TForm_Password& dialog, std::initializer_list<QPushButton*> buttons) {
    for (QPushButton* button : buttons) {
        if (!button) continue;
        // The passwords belong to the instrument, not to a slot: the slot
        // flag stays as it is.
        QObject::connect(button, &QPushButton::clicked, &dialog,
                         [&dialog] { dialog.Open(QString::fromUtf8("Jelszó módosítása")); });
    }
}

}  // namespace velmar
