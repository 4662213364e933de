#include "gui/device/header_page.h"

#include <QTabBar>

#include "gui/views/jpeg_image.h"
#include "gui/views/widget_updates.h"

namespace velmar {

HeaderPage::HeaderPage(QWidget* parent) : QWidget(parent) {
    ui.setupUi(this);
    // The pages are switched by the link state, never by the user.
    ui.PageControl5->tabBar()->hide();
    // Shown only while the last frame reported an error.
    ui.Label_MBURxError2->hide();
    // The second value only exists with a Modbus module used as input.
    ui.GroupBox_Value2->hide();
    ui.Image1->setPixmap(LogoPixmap());
    ui.Image2->setPixmap(LogoPixmap());
    // Rewritten with every status answer or every second.
    FixTextSize(ui.Label_fValue1, "-88888.888");
    FixTextSize(ui.Label_fValue2, "-88888.888");
    FixTextSize(ui.Label_uSecondsOfOperation, QString::fromUtf8("49 710 nap, 23 óra, 59 perc, 59 mp"));
    ClipForFlushLeft(ui.Label_uSecondsOfOperation);
    FixTextSize(ui.Label_FPS2, "888 FpS");
    ui.Label_AccessProblem->hide();
    ui.Label_InstrumentCount->hide();
}

void HeaderPage::ShowAccessProblem(const QString& text) {
    ui.Label_AccessProblem->setText(text);
    ui.Label_AccessProblem->setVisible(!text.isEmpty());
    // The general advice about power and cable would mislead meanwhile.
    ui.caption_NoCommAdvice->setVisible(text.isEmpty());
}

}  // namespace velmar
