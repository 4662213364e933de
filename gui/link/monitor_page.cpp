#include "gui/link/monitor_page.h"

#include "gui/views/widget_updates.h"

#include <QFont>

#include <initializer_list>

namespace velmar {

namespace {

// Courier New is missing on most Linux systems; the hint lets the font
// matcher fall back to another fixed-pitch face so the columns align.
void preferFixedPitch(QWidget* w) {
    QFont f = w->font();
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    w->setFont(f);
}

}  // namespace

MonitorPage::MonitorPage(QWidget* parent) : QWidget(parent) {
    ui.setupUi(this);
    for (QWidget* w : std::initializer_list<QWidget*>{ui.Label_VendorID, ui.Label_ProductID}) preferFixedPitch(w);
    // Rewritten with every frame.
    for (QLabel* l :
         {ui.Label_MBUTxDevice, ui.Label_MBURxDevice, ui.Label_MBUTxCommand, ui.Label_MBURxCounter, ui.Label_FPS})
        FixTextSize(l, "88888");
    for (QLabel* l : {ui.Label_MBUTxVerL, ui.Label_MBUTxVerH, ui.Label_MBURxVer}) FixTextSize(l, "8888.88.88.");
    for (QLabel* l : {ui.Label_HostID, ui.Label_DeviceID}) FixTextSize(l, "8 888 888 888");
    for (QLabel* l : {ui.Label_uIndexForDataWrite, ui.Label_uSumDataByteFromRx}) FixTextSize(l, "88888 / 88888");
    // Shown only while the command payload buffer is full.
    ui.Label_TXBufferIsFull->hide();
}

}  // namespace velmar
