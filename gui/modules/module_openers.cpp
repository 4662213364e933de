#include "gui/modules/module_openers.h"

#include <QPushButton>

#include "gui/app/form_main.h"
#include "gui/modules/ac_input_dialog.h"
#include "gui/modules/analog_input_dialog.h"
#include "gui/modules/analog_output_dialog.h"
#include "gui/modules/limit_relay_dialog.h"
#include "gui/modules/modbus_dialog.h"
#include "gui/modules/password_dialog.h"
#include "gui/modules/rtd_input_dialog.h"
#include "gui/device/px530_page.h"
#include "core/modules/module_map.h"
#include "gui/modules/module_tabs.h"

namespace velmar {

namespace {
ModuleDialog* DialogOf(TForm1& main, ModuleKind kind) {
    switch (kind) {
    case ModuleKind::PXAI: return main.Form_PXAI;
    case ModuleKind::PXAO: return main.Form_PXAO;
    case ModuleKind::PXRL: return main.Form_PXRL;
    case ModuleKind::PXMB: return main.Form_PXMB;
    case ModuleKind::PXRT: return main.Form_PXRT;
    case ModuleKind::PXTR: return main.Form_PXTR;
    default: return nullptr;  // its dialog is not part of the program yet
    }
}
}  // namespace

void ConnectModuleOpeners(TForm1& main) {
    for (const ModuleGroup& group : ModuleGroups()) {
        for (const ModuleControl& c : group.controls) {
            if (!c.name || c.lamp) continue;
            ModuleDialog* dialog = DialogOf(main, c.dialog);
            QPushButton* button = main.moduleTabs->Button(c.name);
            if (!dialog || !button) continue;
            const QString caption = QString::fromUtf8(c.dialogCaption ? c.dialogCaption : "");
            QObject::connect(button, &QPushButton::clicked, dialog, [&main, dialog, c, caption] {
                if (c.slot != SlotFlag::Keep) main.bFoKimenetiModulVanNyitva = c.slot == SlotFlag::Primary;
                dialog->Open(caption.isEmpty() ? dialog->windowTitle() : caption, c.pressRead);
            });
        }
    }
}

void ConnectPasswordOpeners(TForm1& main) {
    for (QPushButton* button : {main.px530Page->Button1, main.findChild<QPushButton*>("Button_ChangePassword_PX210")}) {
        if (!button) continue;
        // The passwords belong to the instrument, not to a slot: the slot
        // flag stays as it is.
        QObject::connect(button, &QPushButton::clicked, main.Form_Password,
                         [&main] { main.Form_Password->Open(QString::fromUtf8("Jelszó módosítása")); });
    }
}

}  // namespace velmar
