// Every window wholly on a laptop's screen: 1366 x 768 less a 40-pixel
// panel, at 100 % and at 150 % (ctest runs these tests on that screen,
// offscreen; elsewhere they are skipped). The main window of each kind of
// instrument in normal and service mode, and every dialog, opened over a
// main window pushed to each corner of the screen.
#include <QAction>
#include <QApplication>
#include <QScreen>
#include <QtTest>
#include <gtest/gtest.h>

#include "gui/app/device_replaced_dialog.h"
#include "gui/app/form_main.h"
#include "gui/app/late_windows.h"
#include "gui/app/velmar_aid.h"
#include "gui/device/errors_dialog.h"
#include "gui/files/settings_files.h"
#include "gui/modules/ac_input_dialog.h"
#include "gui/modules/analog_input_dialog.h"
#include "gui/modules/analog_output_dialog.h"
#include "gui/modules/limit_relay_dialog.h"
#include "gui/modules/modbus_dialog.h"
#include "gui/modules/password_dialog.h"
#include "gui/modules/rtd_input_dialog.h"
#include "gui/trend/trend_window.h"
#include "gui/views/value_editor_digits.h"
#include "gui/views/value_editor_open.h"
#include "gui/views/value_editor_typed.h"
#include "gui/views/window_placement.h"
#include "tests/support/wait_for.h"
#include "tests/support/window_fixture.h"

namespace velmar {
namespace {

QRect Available() { return QGuiApplication::primaryScreen()->availableGeometry(); }

void ExpectInside(const QWidget* window, const std::string& what) {
    EXPECT_TRUE(Available().contains(window->frameGeometry()))
        << what << ": " << window->objectName().toStdString() << " at " << window->frameGeometry().x() << ","
        << window->frameGeometry().y() << " " << window->frameGeometry().width() << "x"
        << window->frameGeometry().height() << " on " << Available().width() << "x" << Available().height();
}

struct WindowPlacement : ::testing::Test {
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("VELMAR_PLACEMENT_SCREEN")) GTEST_SKIP() << "needs the laptop's screen";
    }

    // The main window started on an instrument and identified.
    static std::unique_ptr<InstrumentProgram> Start(uint16_t type, QStringList args = {}) {
        sim::InstrumentConfig cfg;
        cfg.deviceType = type;
        auto p = std::make_unique<InstrumentProgram>(
            cfg, [] { return 5.0; }, [&](StartupOptions& o) { o.arguments = args; });
        p->w->show();
        EXPECT_TRUE(QTest::qWaitFor([&] { return p->w->recRX.uDevice == type && p->w->recMBU.bOnline; }, 8000));
        QTest::qWait(2300);  // the identity load, two seconds after the first answers
        return p;
    }
};

// Each dialog as its opener opens it, without waiting in its own loop.
void OpenEveryDialog(TForm1* w, const std::function<void(QWidget*, const char*)>& check) {
    for (ModuleDialog* d : std::initializer_list<ModuleDialog*>{w->Form_PXAI, w->Form_PXAO, w->Form_PXRL, w->Form_PXMB,
                                                                w->Form_Password, w->Form_PXRT, w->Form_PXTR}) {
        d->Prepare(d->windowTitle(), false);
        d->show();
        check(d, "module dialog");
        d->hide();
    }
    PrepareTypedEditor(*w->Form_IncDecEdit, w, 0, "Érték", 0, 9999, 2, 100);
    w->Form_IncDecEdit->show();
    check(w->Form_IncDecEdit, "typed value editor");
    w->Form_IncDecEdit->hide();
    PrepareDigitEditor(*w->Form_IncDec, w, 0, "Érték", 0, 9999, 2, 100);
    w->Form_IncDec->show();
    check(w->Form_IncDec, "digit value editor");
    w->Form_IncDec->hide();
    w->Button_ErrorDetailsClick();
    check(w->Form_Errors, "errors");
    w->Form_Errors->hide();
    PositionFormToCenterOfMainForm(w->Form_Keszulekcsere, w);
    w->Form_Keszulekcsere->show();
    check(w->Form_Keszulekcsere, "instrument replaced");
    w->Form_Keszulekcsere->hide();
    TrendWindow(*w)->Open();
    check(w->Form_Trend, "trend");
    w->Form_Trend->hide();
    w->findChild<QAction*>("Action_Report")->trigger();
    QWidget* report = w->findChild<QDialog*>("Form_Report");
    check(report, "report");
    report->hide();
    w->settingsFiles->ShowHistory();
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->inherits("velmar::TForm_Journal") && top->isVisible()) {
            check(top, "journal");
            top->close();
        }
}

TEST_F(WindowPlacement, NormalModeMainWindowAndEveryDialogOverItInEachCorner) {
    for (uint16_t type : {330, 530, 210, 310, 370, 580}) {
        auto p = Start(type);
        TForm1* w = p->w;
        const std::string name = "PX" + std::to_string(type);
        ExpectInside(w, name + " main window");
        // Its size stays when the page about the program comes to the front.
        const QSize steady = w->size();
        w->ShowNoCommPage();
        QApplication::processEvents();
        EXPECT_EQ(w->size(), steady) << name;
        w->SelectDevicePage(type);
        const QRect area = Available();
        for (QPoint corner : {area.topLeft(), QPoint(area.right() - w->frameGeometry().width() + 1,
                                                     area.bottom() - w->frameGeometry().height() + 1)}) {
            w->move(corner);
            OpenEveryDialog(w, [&](QWidget* d, const char* what) { ExpectInside(d, name + " " + what); });
        }
    }
}

TEST_F(WindowPlacement, ServiceModeFitsTheScreenOnEveryServicePage) {
    for (uint16_t type : {330, 530, 210, 310, 370}) {
        auto p = Start(type, {"/QZKTRM"});
        TForm1* w = p->w;
        w->PageControl4->setCurrentWidget(w->TabSheet_Velmar);
        for (int i = 0; i < w->PageControl1->count(); ++i) {
            w->PageControl1->setCurrentIndex(i);
            QApplication::processEvents();
            ExpectInside(w, "PX" + std::to_string(type) + " service page " + std::to_string(i));
        }
        EXPECT_TRUE(w->velmarAid->isVisible());
    }
}

}  // namespace
}  // namespace velmar
