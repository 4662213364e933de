#include "gui/modules/ac_input_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <cmath>

#include "core/link/payload_io.h"
#include "core/modules/ac_input_statistics.h"
#include "gui/link/instrument_context.h"
#include "gui/link/instrument_values.h"
#include "gui/modules/ac_input_calibration.h"
#include "gui/modules/ac_input_velmar_tab.h"
#include "gui/views/decimal_input.h"
#include "gui/views/module_controls.h"
#include "gui/views/radio_group.h"
#include "gui/views/typed_length.h"
#include "gui/views/widget_updates.h"

namespace velmar {

namespace {
QLineEdit* MakeEdit(QWidget* parent, const char* name, const char* text, int characters) {
    auto* e = new QLineEdit(QString::fromUtf8(text), parent);
    e->setObjectName(name);
    e->setFixedWidth(e->fontMetrics().horizontalAdvance(QString(characters + 2, '0')));
    return e;
}

template <std::size_t N>
RadioGroup* MakeRangeGroup(QWidget* parent, const char* name, const char* caption,
                           const std::array<const char*, N>& items) {
    QStringList texts;
    for (const char* i : items) texts << QString::fromUtf8(i);
    auto* g = new RadioGroup(QString::fromUtf8(caption), texts, 1, parent);
    g->setObjectName(name);
    g->SetItemIndex(1);
    return g;
}
}  // namespace

TForm_PXTR::TForm_PXTR(InstrumentContext& ctx)
    : ModuleDialog(ctx, "Form_PXTR", "PXTR", QString::fromUtf8("Gyári alapértékek megjelenítése")) {
    BuildLiveControls();
    BuildSettingsTab();
    TabSheet_PXTR_VelmarBeallitasok = new AcVelmarTab(ctx, PageControl_PXTR);
    TabSheet_Calbration350 = new AcCalibrationTab(ctx, kPX350CalibrationTab, PageControl_PXTR);
    TabSheet_Calbration370 = new AcCalibrationTab(ctx, kPX370CalibrationTab, PageControl_PXTR);
    PageControl_PXTR->addTab(TabSheet_PXTR_Beallitasok, QString::fromUtf8("Beállítások"));
    PageControl_PXTR->addTab(TabSheet_PXTR_VelmarBeallitasok, QString::fromUtf8("Velmar beállítások"));
    PageControl_PXTR->addTab(TabSheet_Calbration350, TabSheet_Calbration350->Caption());
    PageControl_PXTR->addTab(TabSheet_Calbration370, TabSheet_Calbration370->Caption());
    // Until an opener sets it up: the PX350, no service content.
    PrepareFor(350, false);

    connect(CheckBox_Transformer, &QCheckBox::toggled, this, &TForm_PXTR::CheckBox_TransformerClick);
    connect(&Values(), &InstrumentValues::writeAsked, this, &TForm_PXTR::WriteRequested);

    CommandRegistry& c = ctx.commands;
    c.SetDecoder(kReadAcInput, [this] { DecodeSettings(); });
    c.SetDecoder(kAcInputDefaults, [this] { DecodeSettings(); });
    c.SetDecoder(kWriteAcInput, [this] { WriteAnswered(); });
    c.SetBuilder(kWriteAcInput, [this] { BuildWrite(); });
    // The statistics run from the start, beginning with the first value.
    ClearPreciseStatistics(ctx.recRX);
}

void TForm_PXTR::BuildSettingsTab() {
    TabSheet_PXTR_Beallitasok = new QWidget(PageControl_PXTR);
    QWidget* tab = TabSheet_PXTR_Beallitasok;
    tab->setObjectName("TabSheet_PXTR_Beallitasok");
    RadioGroup_uInputType350 = MakeRangeGroup(tab, "RadioGroup_uInputType350", "Bemenet", kPX350RangeItems);
    RadioGroup_uInputType370_I = MakeRangeGroup(tab, "RadioGroup_uInputType370_I", "Bemenet", kPX370CurrentRangeItems);
    RadioGroup_uInputType370_U = MakeRangeGroup(tab, "RadioGroup_uInputType370_U", "BEMENET", kPX370ShuntRangeItems);

    Label56 = MakeLabel(tab, "Label56", "Átlagolt minták:");
    Edit_Atlagolas40ms = MakeEdit(tab, "Edit_Atlagolas40ms", "10", 2);
    LimitTypedLength(Edit_Atlagolas40ms, 2);
    Label96 = MakeLabel(tab, "Label96", "* 40 ms");
    Label26 = MakeLabel(tab, "Label26", "Zajzár:");
    Edit_3x0_Zajzar = MakeEdit(tab, "Edit_3x0_Zajzar", "0", 8);
    Label_3x0_ZajzarMertekegyseg = MakeLabel(tab, "Label_3x0_ZajzarMertekegyseg", "-------");
    GroupBox_Transformer = MakeGroup(tab, "GroupBox_Transformer", "");
    GroupBox_Transformer->hide();
    Label_CT370 = MakeLabel(GroupBox_Transformer, "Label_CT370", "Transzformátor áttétele:");
    Label_CT370->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label_CT370->setMinimumWidth(
        Label_CT370->fontMetrics().horizontalAdvance(QString::fromUtf8("Transzformátor áttétele:")) + 4);
    Edit_CT370 = MakeEdit(GroupBox_Transformer, "Edit_CT370", "1", 8);
    const auto separator = [this] { return ctx_.DecimalSeparator; };
    TranslateDecimalKeys(Edit_3x0_Zajzar, separator);
    TranslateDecimalKeys(Edit_CT370, separator);

    auto* ratio = new QHBoxLayout(GroupBox_Transformer);
    ratio->addWidget(Label_CT370);
    ratio->addWidget(Edit_CT370);
    ratio->addStretch(1);

    // Each edit with its unit beside it, the captions in one column.
    auto* values = new QGridLayout;
    const std::array<std::array<QWidget*, 3>, 2> rows{
        {{Label56, Edit_Atlagolas40ms, Label96}, {Label26, Edit_3x0_Zajzar, Label_3x0_ZajzarMertekegyseg}}};
    for (int row = 0; row < int(rows.size()); ++row) {
        auto* field = new QHBoxLayout;
        field->addWidget(rows[std::size_t(row)][1]);
        field->addWidget(rows[std::size_t(row)][2]);
        field->addStretch(1);
        values->addWidget(rows[std::size_t(row)][0], row, 0, Qt::AlignRight);
        values->addLayout(field, row, 1);
    }
    values->addWidget(GroupBox_Transformer, 2, 0, 1, 2);
    values->setColumnStretch(1, 1);
    values->setRowStretch(3, 1);

    // The three range lists share one place; the opener shows one of them.
    auto* ranges = new QVBoxLayout;
    ranges->addWidget(RadioGroup_uInputType350);
    ranges->addWidget(RadioGroup_uInputType370_I);
    ranges->addWidget(RadioGroup_uInputType370_U);
    ranges->addStretch(1);
    auto* page = new QHBoxLayout(tab);
    page->addLayout(ranges);
    page->addLayout(values, 1);
}

bool TForm_PXTR::PrepareFor(uint16_t deviceType, bool shuntVariant) {
    if (deviceType != 350 && deviceType != 370) return false;
    model_ = deviceType;
    shuntVariant_ = deviceType == 370 && shuntVariant;
    PageControl_PXTR->setCurrentWidget(TabSheet_PXTR_Beallitasok);
    SetShown(RadioGroup_uInputType350, model_ == 350);
    SetShown(RadioGroup_uInputType370_I, model_ == 370 && !shuntVariant_);
    SetShown(RadioGroup_uInputType370_U, shuntVariant_);
    if (model_ == 370)
        Label_CT370->setText(QString::fromUtf8(shuntVariant_ ? "Sönt névleges árama:" : "Transzformátor áttétele:"));
    GroupBox_Transformer->setTitle(
        QString::fromUtf8(model_ == 350 ? "Feszültségváltó transzformátor" : "Áramváltó transzformátor"));
    // The PX350's block carries no transformer, so it gets no ratio to type
    // that a write would throw away.
    SetShown(CheckBox_Transformer, model_ == 370);
    CheckBox_TransformerClick();

    const bool service = ctx_.bVelmarMode;
    PageControl_PXTR->setTabVisible(PageControl_PXTR->indexOf(TabSheet_PXTR_VelmarBeallitasok), service);
    PageControl_PXTR->setTabVisible(PageControl_PXTR->indexOf(TabSheet_Calbration350), service && model_ == 350);
    PageControl_PXTR->setTabVisible(PageControl_PXTR->indexOf(TabSheet_Calbration370), service && model_ == 370);
    // Groups shown or hidden while the dialog is closed leave the pages'
    // size hints stale; the opener sizes the dialog from fresh ones.
    for (QLayout* l : findChildren<QLayout*>()) l->invalidate();
    return true;
}

void TForm_PXTR::Open(const QString&, bool pressRead) {
    if (!PrepareFor(ctx_.recRX.uDevice, ctx_.recRX.bPt1000)) return;
    ModuleDialog::Open(QString::fromUtf8(model_ == 350 ? "TRMS és DC feszültségmérő" : "TRMS árammérő"), pressRead);
}

void TForm_PXTR::CheckBox_TransformerClick() {
    SetShown(GroupBox_Transformer, model_ == 370 && CheckBox_Transformer->isChecked());
}

RadioGroup* TForm_PXTR::RangeGroup() const {
    if (model_ == 350) return RadioGroup_uInputType350;
    return shuntVariant_ ? RadioGroup_uInputType370_U : RadioGroup_uInputType370_I;
}

// Plain decimals with the system's separator: the fewest that read back as
// the same single-precision value.
QString TForm_PXTR::FloatText(float value) const {
    if (!std::isfinite(value)) return QString("?");
    QString text = QString::number(double(value), 'g', 9);
    for (int decimals = 0; decimals <= 9; ++decimals) {
        const QString shorter = QString::number(double(value), 'f', decimals);
        if (shorter.toFloat() == value) {
            text = shorter;
            break;
        }
    }
    return text.replace('.', ctx_.DecimalSeparator);
}

// The noise gate in the measured value's format, unless that would round
// it: a read, then a write of something else, must not change it.
QString TForm_PXTR::GateText(float value) const {
    const QString masked = ctx_.FormatNumber(value, ctx_.recRX.sDecimalMask);
    double shown = 0;
    if (std::isfinite(value) && ParseDecimal(masked, ctx_.DecimalSeparator, shown) && float(shown) == value)
        return masked;
    return FloatText(value);
}

void TForm_PXTR::DecodeSettings() {
    SpeedButton_ReadFromDevice->setChecked(false);
    SpeedButton_ReadDefault->setChecked(false);
    const AcInputBlock b = ReadAnswer(ctx_.transfer, AcInputLayout<TransferReader>);
    tRX& rx = ctx_.recRX;
    rx.uPXTR_OSR = b.oversampling;
    rx.uPXTR_PGA = b.gain;
    rx.uAverage = b.averaging;
    rx.uInputType = b.range;
    rx.uPXTR_uQMHz = b.clockMHz;
    rx.bPXTR_ThereIsCT = b.transformer;
    rx.fPXTR_X = b.ratio;
    rx.fZajzar = b.noiseGate;
    RxToPXTRObjects();
    Values().Taken();
}

void TForm_PXTR::RxToPXTRObjects() {
    const tRX& rx = ctx_.recRX;
    AcVelmarTab* converter = TabSheet_PXTR_VelmarBeallitasok;
    converter->RadioGroup_PXTR_OSR->SetItemIndex(AcOversamplingItemOf(rx.uPXTR_OSR));
    converter->RadioGroup_PGA->SetItemIndex(AcGainItemOf(rx.uPXTR_PGA));
    converter->RadioGroup_PXTR_QMHz->SetItemIndex(AcClockItemOf(rx.uPXTR_uQMHz));
    converter->RadioGroup_PXTR_OSRClick();
    // Shown as the instrument holds it, even out of range: a write limits it
    // and shows what it sends.
    Edit_Atlagolas40ms->setText(QString::number(rx.uAverage));
    RangeGroup()->SetItemIndex(AcRangeItemOf(AcRangesOf(model_, shuntVariant_), rx.uInputType));
    if (model_ == 370) {
        CheckBox_Transformer->setChecked(rx.bPXTR_ThereIsCT);
        CheckBox_TransformerClick();
        // Shown, so that a write of other changes sends the ratio back as it was.
        Edit_CT370->setText(FloatText(rx.fPXTR_X));
    }
    Edit_3x0_Zajzar->setText(GateText(rx.fZajzar));
}

void TForm_PXTR::WriteRequested() {
    AcInputBlock block;
    QString problem;
    if (TakeSettings(block, problem)) {
        pending_ = block;
        return;
    }
    SpeedButton_WriteToDevice->setChecked(false);
    ctx_.Inform(problem + QString::fromUtf8("\nA beállítások nem kerültek beírásra a készülékbe."));
}

bool TForm_PXTR::TakeSettings(AcInputBlock& b, QString& problem) {
    b.range = AcRangeCodeOf(AcRangesOf(model_, shuntVariant_), RangeGroup()->ItemIndex());
    if (b.range == 0) {
        problem = QString::fromUtf8("Nincs kiválasztva a bemenet méréshatára.");
        return false;
    }
    // Averaging that is no number counts as one sample, and the count is
    // limited to what the converter takes; a noise gate that is no number,
    // or negative, is off. The edits then show what goes out.
    bool ok = false;
    const qlonglong typed = Edit_Atlagolas40ms->text().trimmed().toLongLong(&ok);
    const int averaging = ok ? int(std::clamp<qlonglong>(typed, kAveragingMin, kAveragingMax)) : 1;
    double gate = 0;
    if (!ParseDecimal(Edit_3x0_Zajzar->text(), ctx_.DecimalSeparator, gate) || gate < 0) gate = 0;
    if (!std::isfinite(float(gate))) {
        problem = QString::fromUtf8("A zajzár értéke túl nagy a készüléknek.");
        return false;
    }
    b.transformer = model_ == 370 && CheckBox_Transformer->isChecked();
    b.ratio = model_ == 370 ? 1.0f : 0.0f;
    if (b.transformer) {
        double ratio = 0;
        if (!ParseDecimal(Edit_CT370->text(), ctx_.DecimalSeparator, ratio) || ratio <= 0 ||
            !std::isfinite(float(ratio)) || float(ratio) == 0.0f) {
            problem = QString::fromUtf8(shuntVariant_ ? "A sönt névleges árama pozitív szám lehet."
                                                      : "A transzformátor áttétele pozitív szám lehet.");
            return false;
        }
        b.ratio = float(ratio);
    }
    const AcVelmarTab* converter = TabSheet_PXTR_VelmarBeallitasok;
    b.oversampling = AcOversamplingOf(converter->RadioGroup_PXTR_OSR->ItemIndex());
    b.gain = AcGainOf(converter->RadioGroup_PGA->ItemIndex());
    b.clockMHz = AcClockOf(converter->RadioGroup_PXTR_QMHz->ItemIndex());
    b.averaging = uint8_t(averaging);
    b.noiseGate = float(gate);
    Edit_Atlagolas40ms->setText(QString::number(averaging));
    Edit_3x0_Zajzar->setText(GateText(b.noiseGate));
    return true;
}

// The block checked when the write was asked for, so what goes out is what
// was checked, even after an edit while the request waited.
void TForm_PXTR::BuildWrite() {
    tTX& tx = ctx_.recTX;
    tx.uPXTR_OSR = pending_.oversampling;
    tx.uPXTR_PGA = pending_.gain;
    tx.uAverage = pending_.averaging;
    tx.uInputTypeSettings = pending_.range;
    tx.uPXTR_uQMHz = pending_.clockMHz;
    tx.bPXTR_ThereIsCT = pending_.transformer;
    tx.fPXTR_X = pending_.ratio;
    tx.fZajzar = pending_.noiseGate;
    AcInputBlock b = pending_;
    TransferWriter out(ctx_.transfer);
    AcInputLayout(out, b);
}

}  // namespace velmar
