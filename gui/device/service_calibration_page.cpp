#include "gui/device/service_calibration_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/device/number_mask.h"
#include "core/device/service_commands.h"
#include "core/device/status_texts.h"
#include "core/link/payload_io.h"
#include "core/modules/signal_options.h"
#include "gui/link/instrument_context.h"
#include "gui/views/bar_graph.h"
#include "gui/views/latching_group.h"
#include "gui/views/module_controls.h"
#include "gui/views/typed_length.h"
#include "gui/views/widget_updates.h"

namespace velmar {

namespace {
constexpr uint16_t kPX310 = 310;
constexpr uint8_t kAnalogInput = 1, kPtInput = 2;
const QColor kAqua{0x00, 0xFF, 0xFF};

// Read buttons pressed on entering the page, in no particular order: the
// scheduler serves them in its own.
constexpr const char* kReadBacks[] = {"SpeedButton_ReadCalIn", "SpeedButton_ReadPWMCal", "SpeedButton_ReadCalPt",
                                      "SpeedButton_ReadCalIn2", "SpeedButton_ReadCalIn_PX210"};

struct Row {
    const char* button;
    const char* caption;
    const char* label;  // its value, "?" until answered; null for none
};

QLabel* CentredValue(QWidget* parent, const char* name) {
    QLabel* l = MakeLabel(parent, name, "?");
    l->setAlignment(Qt::AlignCenter);
    l->setMinimumWidth(90);
    return l;
}

// Request buttons with their value labels, one group per box, a row each.
void AddRows(QWidget* box, QGridLayout* grid, LatchingGroup* group, std::initializer_list<Row> rows) {
    for (const Row& r : rows) {
        const int at = grid->rowCount();
        QPushButton* b = MakeButton(box, r.button, r.caption);
        group->add(b);
        grid->addWidget(b, at, 0);
        if (r.label) grid->addWidget(CentredValue(box, r.label), at, 1);
    }
}

void AddNote(QWidget* box, QGridLayout* grid, const char* name, const char* text) {
    grid->addWidget(MakeLabel(box, name, text), grid->rowCount(), 0, 1, 2);
}

QWidget* Tab(QTabWidget* tabs, const char* name, const char* caption) {
    auto* page = new QWidget;
    page->setObjectName(name);
    tabs->addTab(page, QString::fromUtf8(caption));
    return page;
}

// A tab holding one captioned box laid out as a grid.
QGridLayout* BoxOnTab(QWidget* tab, const char* name, const char* caption) {
    QGroupBox* box = MakeGroup(tab, name, caption);
    auto* v = new QVBoxLayout(tab);
    v->addWidget(box);
    v->addStretch(1);
    auto* grid = new QGridLayout(box);
    // Buttons and values at their natural width, the spare width after them.
    grid->setColumnStretch(2, 1);
    return grid;
}

void SetTextWhenChanged(QLabel* label, const QString& text) {
    if (label->text() != text) label->setText(text);
}
void SetTextWhenChanged(QAbstractButton* button, const QString& text) {
    if (button->text() != text) button->setText(text);
}
}  // namespace

ServiceCalibrationPage::ServiceCalibrationPage(InstrumentContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
    setObjectName("TabSheet13");
    PageControl_Kalibralasok = new QTabWidget(this);
    PageControl_Kalibralasok->setObjectName("PageControl_Kalibralasok");
    TabSheet7 = BuildAnalogInputTab();
    TabSheet8 = BuildPtTab();
    TabSheet_CalPX310 = BuildPX310Tab();
    TabSheet_CalTimer = BuildTimerTab();
    TabSheet1 = BuildPX210Tab();
    PageControl_Kalibralasok->setCurrentWidget(TabSheet_CalPX310);
    auto* v = new QVBoxLayout(this);
    v->addWidget(PageControl_Kalibralasok);
    v->addWidget(BuildComputedGroup());
    v->addStretch(1);

    ctx.commands.SetBuilder(kWritePt1000, [this] {
        ctx_.recTX.bPt1000 = CheckBox_bPt1000->isChecked();
        TransferWriter(ctx_.transfer).Bool(ctx_.recTX.bPt1000);
    });
    ctx.commands.SetBuilder(kWriteTimerConstant, [this] {
        bool ok = false;
        const int v = Edit_RAM1_iCalLow1->text().trimmed().toInt(&ok);
        ctx_.recTX.iCalLow1 = ok ? v : kNominalTimerConstant;
        TransferWriter(ctx_.transfer).S32(ctx_.recTX.iCalLow1);
    });
    connect(Button_Auto5kHzCalculation, &QPushButton::clicked, this,
            &ServiceCalibrationPage::Button_Auto5kHzCalculationClick);
}

QWidget* ServiceCalibrationPage::BuildAnalogInputTab() {
    QWidget* tab = Tab(PageControl_Kalibralasok, "TabSheet7", "PXAI");
    QGridLayout* grid = BoxOnTab(tab, "GroupBox_InputCalPXAI", "Bemenet kalibrálás PXAI");
    QWidget* box = grid->parentWidget();
    AddRows(box, grid, new LatchingGroup(box),
            {{"SpeedButton_Cal0mA", "Kalibrálás 0 mA", "Label_RAM1_iCalLow1"},
             {"SpeedButton_Cal20mA", "Kalibrálás 20 mA", "Label_RAM1_iCalHigh1"},
             {"SpeedButton_Cal0V", "Kalibrálás 0 V", "Label_RAM1_iCalLow2"},
             {"SpeedButton_Cal10V", "Kalibrálás 10 V", "Label_RAM1_iCalHigh2"},
             {"SpeedButton_ReadCalIn", "Kiolvasás a készülékből", nullptr}});
    return tab;
}

QWidget* ServiceCalibrationPage::BuildPtTab() {
    QWidget* tab = Tab(PageControl_Kalibralasok, "TabSheet8", "PXPt");
    QGridLayout* grid = BoxOnTab(tab, "GroupBox_InputCalPXPt", "Bemenet kalibrálás PXPt");
    QWidget* box = grid->parentWidget();
    auto* group = new LatchingGroup(box);
    AddNote(box, grid, "Label_Pt4Wires", "4 vezetékkel kell bekötni a kalibrátort!");
    AddRows(box, grid, group,
            {{"SpeedButton_iCalPt0ohm4W", "Kalibrálás 0 ohm", "Label_iCalPt0ohm4W"},
             {"SpeedButton_iCalPtXohm4W", "Kalibrálás 300 ohm", "Label_iCalPtXohm4W"}});
    AddNote(box, grid, "Label_Pt3Wires", "3 vezetékkel kell bekötni a kalibrátort!");
    AddRows(box, grid, group,
            {{"SpeedButton_iCalPt0ohm3W", "Kalibrálás 0 ohm", "Label_iCalPt0ohm3W"},
             {"SpeedButton_iCalPtXohm3W", "Kalibrálás 300 ohm", "Label_iCalPtXohm3W"},
             {"SpeedButton_ReadCalPt", "Kiolvasás a készülékből", nullptr}});
    CheckBox_bPt1000 = new QCheckBox(QString::fromUtf8("Pt 1000 (nem Pt 100)"), box);
    CheckBox_bPt1000->setObjectName("CheckBox_bPt1000");
    const int at = grid->rowCount();
    grid->addWidget(CheckBox_bPt1000, at, 1);
    AddRows(box, grid, group, {{"SpeedButton_bPt1000", "Készülékbe írás", nullptr}});
    return tab;
}

QWidget* ServiceCalibrationPage::BuildPX310Tab() {
    QWidget* tab = Tab(PageControl_Kalibralasok, "TabSheet_CalPX310", "PX310 kalibrálás");
    PageControl_4or3_PX310 = new QTabWidget(tab);
    PageControl_4or3_PX310->setObjectName("PageControl_4or3_PX310");
    (new QVBoxLayout(tab))->addWidget(PageControl_4or3_PX310);
    auto* group = new LatchingGroup(tab);
    // Both tabs: their calibrations and the sensor type the instrument reports.
    auto build = [this, group](const char* name, const char* caption, std::initializer_list<Row> rows,
                               const char* typeLabel) {
        QWidget* t = Tab(PageControl_4or3_PX310, name, caption);
        auto* grid = new QGridLayout(t);
        AddRows(t, grid, group, rows);
        const int at = grid->rowCount();
        grid->addWidget(MakeLabel(t, "Label_PtTypeCaption", "Pt érzékelő típusa:"), at, 0, Qt::AlignRight);
        QLabel* type = MakeLabel(t, typeLabel, "xxxxx");
        grid->addWidget(type, at, 1);
        grid->setRowStretch(at + 1, 1);
        grid->setColumnStretch(2, 1);
        return std::pair{t, type};
    };
    std::tie(TabSheet_4w, Label_310_PtType) =
        build("TabSheet_4w", "4 vezetékes kalibrálás (forced)",
              {{"SpeedButton_PX310_Cal0", "Kalibrálás 0 ohm (4 vezetékkel bekötve)", "Label_RAM1_iCalLow1_2"},
               {"SpeedButton_PX310_Cal490", "Kalibrálás 490 ohm (4 vezetékkel bekötve)", "Label_RAM1_iCalHigh1_2"}},
              "Label_310_PtType");
    std::tie(TabSheet_3w, Label_310_PtType2) =
        build("TabSheet_3w", "3 vezetékes kalibrálás (forced)",
              {{"SpeedButton_PX310_Cal3Wires", "Kalibrálás 110 ohm (3 vezetékkel bekötve)", "Label_RAM1_iCalLow_2"}},
              "Label_310_PtType2");
    PageControl_4or3_PX310->setCurrentWidget(TabSheet_4w);
    SpeedButton_PX310_Cal490 = tab->findChild<QPushButton*>("SpeedButton_PX310_Cal490");
    SpeedButton_PX310_Cal3Wires = tab->findChild<QPushButton*>("SpeedButton_PX310_Cal3Wires");
    return tab;
}

QWidget* ServiceCalibrationPage::BuildTimerTab() {
    QWidget* tab = Tab(PageControl_Kalibralasok, "TabSheet_CalTimer", "Timer");
    QGridLayout* grid = BoxOnTab(tab, "GroupBox_CalTimer", "Timer időalap kalibrálás");
    QWidget* box = grid->parentWidget();
    auto* group = new LatchingGroup(box);
    AddRows(box, grid, group,
            {{"SpeedButton_Cal0mA2", "Készülékbe írás", nullptr},
             {"SpeedButton_ReadCalIn2", "Kiolvasás a készülékből", nullptr}});
    Edit_RAM1_iCalLow1 = new QLineEdit("600000", box);
    Edit_RAM1_iCalLow1->setObjectName("Edit_RAM1_iCalLow1");
    LimitTypedLength(Edit_RAM1_iCalLow1, 6);
    Edit_RAM1_iCalLow1->setMaximumWidth(90);
    // The constant beside the button that writes it.
    int writeRow = 0, column = 0, rows = 0, columns = 0;
    grid->getItemPosition(grid->indexOf(box->findChild<QPushButton*>("SpeedButton_Cal0mA2")), &writeRow, &column, &rows,
                          &columns);
    grid->addWidget(Edit_RAM1_iCalLow1, writeRow, 1);
    AddNote(box, grid, "Label_TimerNominal", "A névleges érték 600 000,  ez tartozik az 5 kHz frekvenciához.");
    AddNote(box, grid, "Label_TimerFormula", "Beírandó érték = 600 000 * (Mért, tényleges frekvencia / 5 kHz).");
    Edit_5kHz = new QLineEdit("5.00000", box);
    Edit_5kHz->setObjectName("Edit_5kHz");
    Edit_5kHz->setMaximumWidth(90);
    const int at = grid->rowCount();
    grid->addWidget(Edit_5kHz, at, 0, Qt::AlignRight);
    grid->addWidget(MakeLabel(box, "Label_TimerMeasured", "kHz (Valódi, mért frekvencia az 5 kHz helyett)."), at, 1);
    Button_Auto5kHzCalculation = MakeButton(box, "Button_Auto5kHzCalculation", "Automatikus kiszámítás");
    grid->addWidget(Button_Auto5kHzCalculation, at + 1, 0);
    return tab;
}

QWidget* ServiceCalibrationPage::BuildPX210Tab() {
    QWidget* tab = Tab(PageControl_Kalibralasok, "TabSheet1", "PX210USB");
    QGridLayout* grid = BoxOnTab(tab, "GroupBox_InputCalPX210", "Bemenet kalibrálás PX210USB");
    QWidget* box = grid->parentWidget();
    AddRows(box, grid, new LatchingGroup(box),
            {{"SpeedButton_Cal4mA_PX210", "Kalibrálás 4 mA", "Label_Cal4mA_PX210"},
             {"SpeedButton_Cal20mA_PX210", "Kalibrálás 20 mA", "Label_Cal20mA_PX210"},
             {"SpeedButton_ReadCalIn_PX210", "Kiolvasás a készülékből", nullptr}});
    return tab;
}

QWidget* ServiceCalibrationPage::BuildComputedGroup() {
    QGroupBox* box = MakeGroup(this, "GroupBox_Szamitott", "Számított értékek:");
    auto* grid = new QGridLayout(box);
    struct Pair {
        const char* caption;
        const char* value;
        const char* initial;
        const char* widest;  // the widest text it shows, so new texts do not re-lay the page
    };
    const Pair left[] = {
        {"Fizikai érték: ", "Label_fFizikaiMennyiseg", "?", "-0 000 000.0000 ohm"},
        {"Kijelzett érték:", "Label_iSkalazottKijezesiErtek", "?", "-00 000 000 000 ohm"},
        {"Bemenet:", "Label_uInputType", "?", "Feszültség: 0 - 10 V"},
        {"ADC SpS:", "Label_uSPS", "?", "00000"},
        {"FRAM méret:", "Label_recFRAMCommon_uSizeKB", "?", "000 kB"},
        {"1. blokk:", "Label_uSizeInBytesFRAM1", "? bájt", "00 000 bájt"},
        {"2. blokk:", "Label_uSizeInBytesFRAM2", "? bájt", "00 000 bájt"},
        {"3. blokk:", "Label_uSizeInBytesFRAM3", "? bájt", "00 000 bájt"},
        {"Főhurok frekv.:", "Label_uMainLoopFrequency", "?", "0 000 000 000 Hz"},
        // Last, where its hidden row leaves no gap.
        {"", "Label_fFizikaiMennyiseg2", "", ""},
    };
    const Pair right[] = {
        {"Indításkori jó CRC1:", "Label_uCRCOKbits", "?", "RAM, RAMB, FRAM, FRAMB, "},
        {"Sikeres mentés1:", "Label_uAfterWriteOKbits", "?", "RAM, RAMB, FRAM, FRAMB, "},
        {"Indításkori jó CRC2:", "Label_uCRCOKbits2", "?", "RAM, RAMB, FRAM, FRAMB, "},
        {"Sikeres mentés2:", "Label_uAfterWriteOKbits2", "?", "RAM, RAMB, FRAM, FRAMB, "},
        {"Indításkori jó CRC3:", "Label_uCRCOKbits3", "?", "RAM, RAMB, FRAM, FRAMB, "},
        {"Sikeres mentés3:", "Label_uAfterWriteOKbits3", "?", "RAM, RAMB, FRAM, FRAMB, "},
    };
    auto place = [box, grid](const Pair& p, int row, int column) {
        grid->addWidget(MakeLabel(box, "Label_SzamitottCaption", p.caption), row, column);
        QLabel* value = MakeLabel(box, p.value, p.initial);
        FixTextSize(value, QString::fromUtf8(p.widest));
        grid->addWidget(value, row, column + 1);
    };
    for (int i = 0; i < int(std::size(left)); ++i) place(left[i], i, 0);
    // The physical value shows once, with its decimals and unit, in the
    // label above.
    box->findChild<QLabel*>("Label_fFizikaiMennyiseg2")->hide();
    for (int i = 0; i < int(std::size(right)); ++i) place(right[i], i, 2);
    auto bar = [box, grid](const char* name, const char* caption, int row) {
        auto* b = new TMBarGraph(box);
        b->setObjectName(name);
        b->setFixedSize(260, 17);
        b->setMBGMode(TMBarGraph::modeSigned);
        b->setMBGPlusColorAt1(kAqua);
        b->setMBGPlusColorAt0(kAqua);
        grid->addWidget(MakeLabel(box, "Label_SzamitottCaption", caption), row, 2);
        grid->addWidget(b, row, 3);
        return b;
    };
    MBarGraph_IRow = bar("MBarGraph_IRow", "AD nyers:", int(std::size(right)));
    MBarGraph_IAveraged = bar("MBarGraph_IAveraged", "AD szűrt:", int(std::size(right)) + 1);
    grid->setColumnStretch(4, 1);
    return box;
}

QLabel* ServiceCalibrationPage::Value(const char* name) const {
    QLabel*& label = labels_[QString::fromLatin1(name)];
    if (!label) label = findChild<QLabel*>(name);
    return label;
}

void ServiceCalibrationPage::Button_Auto5kHzCalculationClick() {
    // The measured frequency in the system's number format; anything else
    // stands for the nominal 5 kHz.
    QString text = Edit_5kHz->text().trimmed();
    const QChar other = ctx_.DecimalSeparator == ',' ? '.' : ',';
    bool ok = !text.contains(other);
    const double f = ok ? QLocale::c().toDouble(text.replace(ctx_.DecimalSeparator, '.'), &ok) : 0.0;
    const double constant = RoundHalfEven((ok ? f : 5.0) / 5.0 * kNominalTimerConstant);
    // The constant has six digits: a result that does not fit is refused.
    if (constant < 0 || constant > kMaxTimerConstant) {
        ctx_.Inform(QString::fromUtf8("A számított érték (%1) nem fér el a 0 … 999 999 tartományban; "
                                      "ellenőrizze a mért frekvenciát.")
                        .arg(ctx_.FormatNumber(constant, "0")));
        return;
    }
    Edit_RAM1_iCalLow1->setText(ctx_.FormatNumber(constant, "######0"));
}

bool ServiceCalibrationPage::AcceptTimerConstant() {
    // Text that is no number goes out as the nominal constant; a number
    // beyond six digits (an instrument may report one) is not sent back.
    bool ok = false;
    const qlonglong v = Edit_RAM1_iCalLow1->text().trimmed().toLongLong(&ok);
    if (!ok || (v >= 0 && v <= kMaxTimerConstant)) return true;
    ctx_.Inform(QString::fromUtf8("A beírt időalap állandó (%1) nem fér el a 0 … 999 999 tartományban; "
                                  "a készülékbe nem került beírásra semmi.")
                    .arg(Edit_RAM1_iCalLow1->text().trimmed()));
    return false;
}

uint8_t ServiceCalibrationPage::DirectControl(bool velmarInFront) const {
    if (ctx_.recRX.uDevice != kPX310 || !velmarInFront) return 0;
    if (PageControl_Kalibralasok->currentWidget() != TabSheet_CalPX310) return 0;
    QWidget* wiring = PageControl_4or3_PX310->currentWidget();
    return wiring == TabSheet_4w ? 4 : wiring == TabSheet_3w ? 3 : 0;
}

void ServiceCalibrationPage::RequestReadBacks() {
    for (const char* name : kReadBacks)
        if (auto* b = window()->findChild<QAbstractButton*>(name)) b->setChecked(true);
}

void ServiceCalibrationPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    ShowStatus();
}

void ServiceCalibrationPage::ShowStatus() {
    const tRX& rx = ctx_.recRX;
    const double full = rx.uDevice == kPX310 ? 2097151.0 : 8388607.0;  // 22- or 24-bit converter
    for (auto [bar, value] :
         {std::pair{MBarGraph_IRow, rx.iRawADCData}, std::pair{MBarGraph_IAveraged, rx.iAveragedADCData}}) {
        bar->setMBGValue(value / full);
        bar->setMBGText(ctx_.FormatNumber(value, "# ### ##0"));
    }

    // A current or voltage to a tenth of a microampere or millivolt, about
    // what the converter resolves.
    std::string mask;
    QString unit;
    if (rx.uPXOptIn == kAnalogInput) {
        if (rx.uInputType < std::size(kSignalTypeOptions)) {
            // "Áram 4-20 mA" of the dialogs reads "Áram: 4 - 20 mA" here.
            const QString type = QString::fromUtf8(kSignalTypeOptions[rx.uInputType].text);
            const QString range = type.section(' ', 1);
            SetTextWhenChanged(Value("Label_uInputType"),
                               type.section(' ', 0, 0) + ": " + QString(range).replace('-', " - "));
            unit = range.section(' ', -1);
            mask = "#0.0000";
        }
    }
    if (rx.uPXOptIn == kPtInput || rx.uDevice == kPX310) {
        SetTextWhenChanged(Value("Label_uInputType"), rx.bPt1000 ? QString::fromUtf8("Pt1000 mérőérzékelő")
                                                                 : QString::fromUtf8("Pt100 mérőérzékelő"));
        unit = "ohm";
        mask = rx.bPt1000 ? "#0.0" : "#0.00";
    }
    if (rx.uPXOptIn == kPtInput) {
        SetTextWhenChanged(Value("Label_uInputType"), rx.bPt1000 ? "Pt1000 PIC modul" : "Pt100 PIC modul");
        mask = rx.bPt1000 ? "#0.00" : "#0.000";
    }
    // Without a known input: the digits a single-precision value holds.
    const QString value =
        mask.empty() ? QString::number(double(rx.fFizikaiMennyiseg), 'g', 7).replace('.', ctx_.DecimalSeparator)
                     : ctx_.FormatNumber(rx.fFizikaiMennyiseg, mask);
    SetTextWhenChanged(Value("Label_fFizikaiMennyiseg"), unit.isEmpty() ? value : value + " " + unit);
    const char* shownUnit = MeasuredUnit(rx);
    const QString shown = ctx_.FormatNumber(rx.iSkalazottKijezesiErtek / double(rx.fDivider), rx.sDecimalMask);
    SetTextWhenChanged(Value("Label_iSkalazottKijezesiErtek"),
                       shownUnit && *shownUnit ? shown + " " + QString::fromUtf8(shownUnit) : shown);

    const std::pair<const char*, uint8_t> memory[] = {
        {"Label_uCRCOKbits", rx.uCRCOKbits},   {"Label_uAfterWriteOKbits", rx.uAfterWriteOKbits},
        {"Label_uCRCOKbits2", rx.uCRCOKbits2}, {"Label_uAfterWriteOKbits2", rx.uAfterWriteOKbits2},
        {"Label_uCRCOKbits3", rx.uCRCOKbits3}, {"Label_uAfterWriteOKbits3", rx.uAfterWriteOKbits3},
    };
    for (const auto& [name, bits] : memory)
        SetTextWhenChanged(Value(name), QString::fromStdString(FormatMemoryStatus(bits)));
    SetTextWhenChanged(Value("Label_uSPS"), QString::number(rx.uSPS));
    SetTextWhenChanged(Value("Label_recFRAMCommon_uSizeKB"), QString::number(rx.recFRAMCommon_uSizeKB) + " kB");
    const std::pair<const char*, uint16_t> blocks[] = {{"Label_uSizeInBytesFRAM1", rx.uSizeInBytesFRAM1},
                                                       {"Label_uSizeInBytesFRAM2", rx.uSizeInBytesFRAM2},
                                                       {"Label_uSizeInBytesFRAM3", rx.uSizeInBytesFRAM3}};
    for (const auto& [name, size] : blocks)
        SetTextWhenChanged(Value(name), ctx_.FormatNumber(size, "## ##0").trimmed() + QString::fromUtf8(" bájt"));
    // Loops per second.
    SetTextWhenChanged(Value("Label_uMainLoopFrequency"),
                       ctx_.FormatNumber(rx.uMainLoopFrequency, "# ### ##0").trimmed() + " Hz");

    const QString sensor = rx.bPt1000 ? "Pt1000" : "Pt100";
    SetTextWhenChanged(Label_310_PtType, sensor);
    SetTextWhenChanged(Label_310_PtType2, sensor);
    SetTextWhenChanged(SpeedButton_PX310_Cal490, rx.bPt1000
                                                     ? QString::fromUtf8("Kalibrálás 4900 ohm (4 vezetékkel bekötve)")
                                                     : QString::fromUtf8("Kalibrálás 490 ohm (4 vezetékkel bekötve)"));
    SetTextWhenChanged(SpeedButton_PX310_Cal3Wires,
                       rx.bPt1000 ? QString::fromUtf8("Kalibrálás 1100 ohm (3 vezetékkel bekötve)")
                                  : QString::fromUtf8("Kalibrálás 110 ohm (3 vezetékkel bekötve)"));
}

}  // namespace velmar
