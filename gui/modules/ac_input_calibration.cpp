#include "gui/modules/ac_input_calibration.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/link/payload_io.h"
#include "core/modules/ac_input_codec.h"
#include "gui/link/instrument_context.h"
#include "gui/views/latching_group.h"
#include "gui/views/module_controls.h"
#include "gui/views/radio_group.h"

namespace velmar {

struct AcCalibrationModel {
    uint16_t device;
    const char* tab;
    const char* caption;
    const char* group;
    const char* radioGroup;
    std::array<const char*, 7> items;
    int ranges;
    int separatorAfter;  // item after which a line parts the ranges, -1 for none
    const char* labelSuffix;
    const char* zeroButton;
    const char* nominalButton;
    const char* readButton;
    uint8_t zeroCommand, nominalCommand, readCommand;
};

const AcCalibrationModel kPX350CalibrationTab{350,
                                              "TabSheet_Calbration350",
                                              "PX350 Kalibrálás",
                                              "GroupBox1",
                                              "RadioGroup_PX350Calibration",
                                              kPX350RangeItems,
                                              7,
                                              -1,
                                              "",
                                              "SpeedButton_PX350Cal0V",
                                              "SpeedButton_PX350CalNV",
                                              "SpeedButton_PX350CalRead",
                                              kPX350CalZero,
                                              kPX350CalNominal,
                                              kPX350CalRead};

// The current ranges, then the shunt ranges, in one table.
const AcCalibrationModel kPX370CalibrationTab{
    370,
    "TabSheet_Calbration370",
    "PX370 Kalibrálás",
    "GroupBox3",
    "RadioGroup_PX370Calibration",
    {kPX370CurrentRangeItems[0], kPX370CurrentRangeItems[1], kPX370CurrentRangeItems[2], kPX370CurrentRangeItems[3],
     kPX370ShuntRangeItems[0], kPX370ShuntRangeItems[1], nullptr},
    6,
    3,
    "2",
    "SpeedButton_PX370Cal0A",
    "SpeedButton_PX370CalNA",
    "SpeedButton_PX370CalRead",
    kPX370CalZero,
    kPX370CalNominal,
    kPX370CalRead};

namespace {
std::array<int16_t*, 14> CalibrationFields(tRX& rx) {
    return {&rx.iCal_01a, &rx.iCal_01b, &rx.iCal_02a, &rx.iCal_02b, &rx.iCal_03a, &rx.iCal_03b, &rx.iCal_04a,
            &rx.iCal_04b, &rx.iCal_05a, &rx.iCal_05b, &rx.iCal_06a, &rx.iCal_06b, &rx.iCal_07a, &rx.iCal_07b};
}

QLabel* PointLabel(QWidget* parent, int range, char point, const char* suffix) {
    auto* l = new QLabel(QString::fromUtf8("32 768"), parent);
    l->setObjectName(QString("Label_iCal_%1%2%3").arg(range, 2, 10, QChar('0')).arg(point).arg(suffix));
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setMinimumWidth(l->fontMetrics().horizontalAdvance("-32 768") + 8);
    return l;
}
}  // namespace

AcCalibrationTab::AcCalibrationTab(InstrumentContext& ctx, const AcCalibrationModel& model, QWidget* parent)
    : QWidget(parent), ctx_(ctx), model_(model) {
    setObjectName(model.tab);
    GroupBox = MakeGroup(this, model.group, "MCP3918 kalibrálása");
    QStringList items;
    for (int i = 0; i < model.ranges; ++i) items << QString::fromUtf8(model.items[std::size_t(i)]);
    RadioGroup_Calibration = new RadioGroup(QString::fromUtf8("BEMENET"), items, 1, GroupBox);
    RadioGroup_Calibration->setObjectName(model.radioGroup);
    RadioGroup_Calibration->SetItemIndex(0);

    // The two points of each range stand on the range's row; a line may
    // part the rows, so the rows are laid out here again.
    auto* grid = static_cast<QGridLayout*>(RadioGroup_Calibration->layout());
    grid->setColumnMinimumWidth(1, 12);
    for (int i = 0; i < model.ranges; ++i) {
        const int row = model.separatorAfter >= 0 && i > model.separatorAfter ? i + 1 : i;
        QRadioButton* button = RadioGroup_Calibration->Item(i);
        grid->removeWidget(button);
        grid->addWidget(button, row, 0);
        for (char point : {'a', 'b'}) {
            QLabel* l = PointLabel(RadioGroup_Calibration, i + 1, point, model.labelSuffix);
            grid->addWidget(l, row, point == 'a' ? 2 : 3);
            Labels.push_back(l);
        }
    }
    if (model.separatorAfter >= 0) {
        auto* line = new QFrame(RadioGroup_Calibration);
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Sunken);
        grid->addWidget(line, model.separatorAfter + 1, 0, 1, 4);
    }

    SpeedButton_CalZero = MakeButton(GroupBox, model.zeroButton, "Cal: 0 V");
    SpeedButton_CalNominal = MakeButton(GroupBox, model.nominalButton, "Cal: AC 125 V");
    auto* points = new LatchingGroup(this);
    points->add(SpeedButton_CalZero);
    points->add(SpeedButton_CalNominal);
    SpeedButton_CalRead = MakeButton(this, model.readButton, "Kiolvasás");
    SpeedButton_CalRead->setCheckable(true);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(SpeedButton_CalZero);
    buttons->addWidget(SpeedButton_CalNominal);
    buttons->addStretch(1);
    auto* group = new QHBoxLayout(GroupBox);
    group->addWidget(RadioGroup_Calibration);
    group->addLayout(buttons);
    auto* page = new QVBoxLayout(this);
    page->addWidget(GroupBox);
    page->addWidget(SpeedButton_CalRead, 0, Qt::AlignLeft);
    page->addStretch(1);

    connect(RadioGroup_Calibration, &RadioGroup::itemIndexChanged, this,
            [this](int item) { SpeedButton_CalNominal->setText("Cal " + RadioGroup_Calibration->Item(item)->text()); });

    CommandRegistry& c = ctx.commands;
    c.SetBuilder(model.zeroCommand, [this] { BuildCalibrate(); });
    c.SetBuilder(model.nominalCommand, [this] { BuildCalibrate(); });
    c.SetDecoder(model.zeroCommand, [this] { DecodeCalibrated(SpeedButton_CalZero); });
    c.SetDecoder(model.nominalCommand, [this] { DecodeCalibrated(SpeedButton_CalNominal); });
    c.SetDecoder(model.readCommand, [this] { DecodeTable(); });
}

QString AcCalibrationTab::Caption() const { return QString::fromUtf8(model_.caption); }

uint8_t AcCalibrationTab::SelectedRange() const {
    const int item = RadioGroup_Calibration->ItemIndex();
    return item < 0 ? 0 : uint8_t(item + 1);
}

// The point is taken in the range chosen on the tab, whatever the last
// status request carried: the two can differ when the dialog lost the focus
// between the click and the exchange.
void AcCalibrationTab::BuildCalibrate() {
    ctx_.recTX.uDirectControl = SelectedRange();
    TransferWriter out(ctx_.transfer);
    out.U8(ctx_.recTX.uDirectControl);
}

void AcCalibrationTab::DecodeCalibrated(QPushButton* requester) {
    requester->setChecked(false);
    SpeedButton_CalRead->setChecked(true);
}

void AcCalibrationTab::DecodeTable() {
    SpeedButton_CalRead->setChecked(false);
    AcCalibrationTable table{};
    TransferReader in(ctx_.transfer);
    AcCalibrationLayout(in, table, model_.ranges);
    const auto fields = CalibrationFields(ctx_.recRX);
    for (int i = 0; i < 2 * model_.ranges; ++i) *fields[std::size_t(i)] = table[std::size_t(i)];
    ShowCalibration();
}

void AcCalibrationTab::ShowCalibration() {
    const auto fields = CalibrationFields(ctx_.recRX);
    for (std::size_t i = 0; i < Labels.size(); ++i) {
        const int16_t v = *fields[i];
        Labels[i]->setText(v == kUncalibrated ? QString("Uncal.") : ctx_.FormatNumber(v, "## ##0"));
    }
}

}  // namespace velmar
