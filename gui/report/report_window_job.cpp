// What the report window keeps: the technician and the reference from
// instrument to instrument and between runs, the job's fields only for the
// same job.

#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTableWidget>

#include "core/device/status_texts.h"
#include "gui/link/instrument_context.h"
#include "gui/report/report_window.h"

namespace velmar {

namespace {

QString U(const char* s) { return QString::fromUtf8(s); }

QSettings Remembered() { return QSettings(QStringLiteral("Velmar"), QStringLiteral("velmar-setup")); }

}  // namespace

void TForm_Report::RememberTexts() const {
    QSettings s = Remembered();
    s.setValue("report/technician", Edit_Technician->text());
    s.setValue("report/referenceType", Edit_ReferenceType->text());
    s.setValue("report/referenceSerial", Edit_ReferenceSerial->text());
    const QDate due = DateEdit_ReferenceDue->date();
    s.setValue("report/referenceDue",
               due == DateEdit_ReferenceDue->minimumDate() ? QString() : due.toString(Qt::ISODate));
    s.setValue("report/site", Edit_Site->text());
    s.setValue("report/tag", Edit_Tag->text());
    s.setValue("report/customer", Edit_Customer->text());
    s.setValue("report/order", Edit_Order->text());
    s.setValue("report/note", Memo_Note->toPlainText());
    s.setValue("report/ambient", Edit_Ambient->text());
    s.setValue("report/humidity", Edit_Humidity->text());
    s.setValue("report/sameJob", CheckBox_SameJob->isChecked());
    s.setValue("report/instrument", instrument_);
    s.setValue("report/tolerance", Edit_Tolerance->text());
    s.setValue("report/steadyLimit", Edit_SteadyLimit->text());
}

void TForm_Report::RecallTexts() {
    QSettings s = Remembered();
    Edit_Technician->setText(s.value("report/technician").toString());
    Edit_ReferenceType->setText(s.value("report/referenceType").toString());
    Edit_ReferenceSerial->setText(s.value("report/referenceSerial").toString());
    const QDate due = QDate::fromString(s.value("report/referenceDue").toString(), Qt::ISODate);
    DateEdit_ReferenceDue->setDate(due.isValid() ? due : DateEdit_ReferenceDue->minimumDate());
    Edit_Site->setText(s.value("report/site").toString());
    Edit_Tag->setText(s.value("report/tag").toString());
    Edit_Customer->setText(s.value("report/customer").toString());
    Edit_Order->setText(s.value("report/order").toString());
    Memo_Note->setPlainText(s.value("report/note").toString());
    Edit_Ambient->setText(s.value("report/ambient").toString());
    Edit_Humidity->setText(s.value("report/humidity").toString());
    CheckBox_SameJob->setChecked(s.value("report/sameJob", false).toBool());
    instrument_ = s.value("report/instrument").toString();
    Edit_Tolerance->setText(s.value("report/tolerance", Number(0.5, 1)).toString());
    Edit_SteadyLimit->setText(s.value("report/steadyLimit", Number(kSteadyPercent, 1)).toString());
    ShowReferenceDue();
}

void TForm_Report::FollowInstrument() {
    const tRX& rx = ctx_.recRX;
    if (rx.uDevice == 0) return;
    const uint64_t key = uint64_t(rx.uDevice) << 32 | rx.uDeviceID;
    if (key == followed_) return;
    followed_ = key;
    const QString now = QString::fromStdString(InstrumentTag(rx.uDevice, rx.uDeviceID));
    if (now == instrument_) return;
    const bool known = !instrument_.isEmpty();
    instrument_ = now;
    if (!known) {  // the first instrument the job's fields are typed for
        if (isVisible()) ReadScales();
        return;
    }
    // What is known of the blocks may still be the last instrument's.
    if (isVisible()) ReadScales(true);
    // Points and tests of one instrument never go into another's report.
    if (capturing_) disconnect(sampling_);
    unsteady_.reset();
    checks_.points.clear();
    ShowPoints();
    StringGrid_Relays->setRowCount(0);
    relayBlocks_.clear();
    if (CheckBox_SameJob->isChecked()) {
        CheckMessage(U("Másik készülék (%1): a munka adatai megmaradtak, az ellenőrző pontok törölve.").arg(now),
                     false);
        return;
    }
    for (QLineEdit* e : {Edit_Site, Edit_Tag, Edit_Customer, Edit_Order, Edit_Ambient, Edit_Humidity}) e->clear();
    Memo_Note->clear();
    CheckMessage(U("Másik készülék (%1): a munka adatai és az ellenőrző pontok törölve. "
                   "Ha ugyanaz a munka folytatódik, jelölje be: „Ugyanaz a munka”.")
                     .arg(now),
                 false);
}

}  // namespace velmar
