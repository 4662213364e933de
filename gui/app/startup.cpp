#include "gui/app/startup.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>

#include "gui/app/device_replaced_dialog.h"
#include "gui/app/form_main.h"
#include "gui/app/late_windows.h"
#include "gui/device/errors_dialog.h"
#include "gui/device/header_page.h"
#include "gui/device/instrument_menu.h"
#include "gui/device/px210_page.h"
#include "gui/device/px530_page.h"
#include "gui/files/settings_files.h"
#include "gui/modules/ac_input_dialog.h"
#include "gui/modules/analog_input_dialog.h"
#include "gui/modules/analog_output_dialog.h"
#include "gui/modules/limit_relay_dialog.h"
#include "gui/modules/modbus_dialog.h"
#include "gui/modules/module_openers.h"
#include "gui/modules/password_dialog.h"
#include "gui/modules/rtd_input_dialog.h"
#include "gui/report/report_window.h"
#include "gui/trend/trend_window.h"
#include "gui/views/layout_hold.h"
#include "gui/views/program_style.h"
#include "gui/views/value_editor_digits.h"
#include "gui/views/value_editor_typed.h"
#include "program/program_date.h"

namespace velmar {

namespace {

// Keys every window of the program answers the same way: a key pressed with
// Alt as the only modifier redraws every window, and Enter presses the
// focused button as Space does, where the window has no default button to
// take it.
class ProgramKeys : public QObject {
public:
    explicit ProgramKeys(TForm1* main) : QObject(main), main_(main) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // Only the first receiver: a key travels on to the parents when
        // ignored, and must not redraw twice.
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType() ||
            !(watched == QApplication::focusWidget() ||
              (!QApplication::focusWidget() && static_cast<QWidget*>(watched)->isWindow())))
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::AltModifier) main_->Button_RefreshFormClick();
        const bool enter = (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
                           (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        auto* button = qobject_cast<QPushButton*>(watched);
        if (enter && button && button->isEnabled() && !TakenByDialog(button)) {
            button->animateClick();
            return true;
        }
        return false;
    }

private:
    // A dialog presses its default button on Enter itself.
    static bool TakenByDialog(const QPushButton* button) {
        return button->autoDefault() && qobject_cast<const QDialog*>(button->window());
    }

    TForm1* main_;
};

}  // namespace

ProgramWindows::~ProgramWindows() = default;

void ProgramWindows::ShowMain() { main->show(); }

std::unique_ptr<ProgramWindows> Startup(HidLibrary& hid, StartupOptions options) {
    InstallProgramStyle();
    auto windows = std::make_unique<ProgramWindows>();
    const StartupOptions kept = options;
    windows->main = std::make_unique<TForm1>(hid, std::move(options));
    TForm1* main = windows->main.get();
    // The dialogs, in the order the main window expects them. They are its
    // children and live as long as it does.
    {
        // Their pages are laid out when each is first shown.
        const LayoutHold hold;
        main->Form_Keszulekcsere = new TForm_Keszulekcsere(main);
        main->Form_PXAI = new TForm_PXAI(main->Context());
        main->Form_IncDec = new TForm_IncDec(main->valueDestinations, main->DecimalSeparator, main);
        main->Form_PXAO = new TForm_PXAO(main->Context());
        main->Form_PXRL = new TForm_PXRL(main->Context());
        main->Form_PXMB = new TForm_PXMB(main->Context());
        main->Form_Password = new TForm_Password(main->Context());
        main->Form_PXRT = new TForm_PXRT(main->Context());
        main->Form_PXTR = new TForm_PXTR(main->Context());
        main->Form_Errors = new TForm_Errors(main);
        main->Form_IncDecEdit = new TForm_IncDecEdit(main->valueDestinations, main->DecimalSeparator, main);
    }
    main->ResolveRequestButtons({main->Form_Keszulekcsere, main->Form_PXAI, main->Form_IncDec, main->Form_PXAO,
                                 main->Form_PXRL, main->Form_PXMB, main->Form_Password, main->Form_PXRT,
                                 main->Form_PXTR, main->Form_Errors, main->Form_IncDecEdit});
    main->HandSettingsSetParts();
    ConnectModuleOpeners(main->Context(), *main->moduleTabs, [main](ModuleKind kind) { return main->DialogOf(kind); });
    ConnectPasswordOpeners(*main->Form_Password,
                           {main->px530Page->Button1, main->px210Page->Button_ChangePassword_PX210});
    // Sized by its pages once they are all built and the link is already
    // being opened: measuring every page's texts need not hold up the
    // connection. The menu bar that follows takes its room from the pages,
    // as it always has at start.
    main->FitWindowToContent();
    main->settingsFiles = new SettingsFiles(main->Context(), main->menuBar(), kept.chooseFile, kept.journalFolder);
    // Built the first time it is opened from the settings menu.
    AddReportAction(*main);
    new InstrumentMenu(main->Context(), main->menuBar(), hid, main->header->ui.Label_InstrumentCount);
    qApp->installEventFilter(new ProgramKeys(windows->main.get()));
    // Not a dialog of the request machinery: its history listens to the
    // status answers from now on, its window is built when first opened.
    ConnectTrendOpeners(*main, kept.arguments);
    return windows;
}

StartupOptions SystemStartupOptions() {
    StartupOptions o;
    o.arguments = QApplication::arguments().mid(1);
    o.executablePath = QApplication::applicationFilePath();
    o.regional = SystemRegionalSettings();
    o.inform = [](const QString& text) { QMessageBox::information(nullptr, QString::fromUtf8(kProgramName), text); };
    o.confirm = [](const QString& text) {
        QMessageBox box(QMessageBox::Question, QString::fromUtf8(kProgramName), text,
                        QMessageBox::Yes | QMessageBox::No);
        box.button(QMessageBox::Yes)->setText("Igen");
        box.button(QMessageBox::No)->setText("Nem");
        box.setDefaultButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes;
    };
    o.terminate = [] { QMetaObject::invokeMethod(qApp, &QApplication::quit, Qt::QueuedConnection); };
    return o;
}

}  // namespace velmar
