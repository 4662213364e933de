#include "gui/device/service_serial_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "core/device/service_commands.h"
#include "core/link/payload_io.h"
#include "gui/device/service_requests.h"
#include "gui/link/instrument_context.h"
#include "gui/views/latching_group.h"
#include "gui/views/module_controls.h"
#include "gui/views/radio_group.h"
#include "gui/views/typed_length.h"

namespace velmar {

namespace {
struct DeviceItem {
    const char* text;
    uint16_t code;
};
constexpr DeviceItem kDevices[] = {
    {"PX310", 310}, {"PX330", 330}, {"PX350", 350},    {"PX370", 370},    {"PX530", 530},    {"PX546 IP", 546},
    {"PX580", 580}, {"Teszt", 1},   {"PX210USB", 210}, {"PX510USB", 510}, {"PX544 IP", 544},
};
// Option codes by radio item.
constexpr uint8_t kInputCodes[] = {0, 1, 2, 6, 7, 8};
constexpr uint8_t kOutputCodes[] = {0, 3, 4, 5};

template <std::size_t N>
uint8_t CodeOf(const RadioGroup* group, const uint8_t (&codes)[N]) {
    const int i = group->ItemIndex();
    return i >= 0 && i < int(N) ? codes[i] : 0;
}

// The text as a whole number, or -1 when it is none.
long long Typed(const QLineEdit* edit) {
    bool ok = false;
    const long long v = edit->text().trimmed().toLongLong(&ok);
    return ok ? v : -1;
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, int maxLength, const char* text) {
    auto* e = new QLineEdit(QString::fromUtf8(text), parent);
    e->setObjectName(name);
    LimitTypedLength(e, maxLength);
    e->setMaximumWidth(80);
    return e;
}
}  // namespace

ServiceSerialPage::ServiceSerialPage(InstrumentContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
    setObjectName("TabSheet10");
    QGroupBox* g = MakeGroup(this, "GroupBox_GyariSzam",
                             "KÉSZÜLÉK TÍPUS, BEÉPÍTETT OPCIÓK, GYÁRI SZÁM, GYÁRTÁSI IDŐPONT MEGADÁSA "
                             "(uDeviceType, uGyariSzam, uGyariSzamEv, uGyariSzamHonap)");
    Edit_GyariSzamEv = MakeEdit(g, "Edit_GyariSzamEv", 2, "12");
    Edit_GyariSzamHonap = MakeEdit(g, "Edit_GyariSzamHonap", 2, "12");
    Edit_GyariSzam = MakeEdit(g, "Edit_GyariSzam", 6, "123456");
    Button_GyariSzamPlusz1 = MakeButton(g, "Button_GyariSzamPlusz1", "+1");
    Button_GyariSzamMinusz1 = MakeButton(g, "Button_GyariSzamMinusz1", "-1");
    Button_GyariSzamToEdits = MakeButton(g, "Button_GyariSzamToEdits", "Kiolvasás a készülékből");
    SpeedButton_GyariSzamAKeszulekbe = MakeButton(g, "SpeedButton_GyariSzamAKeszulekbe", "Beírás a készülékbe");
    (new LatchingGroup(this))->add(SpeedButton_GyariSzamAKeszulekbe);
    ListBox_uDeviceType = new QListWidget(g);
    ListBox_uDeviceType->setObjectName("ListBox_uDeviceType");
    for (const DeviceItem& d : kDevices) ListBox_uDeviceType->addItem(QString::fromUtf8(d.text));
    ListBox_uDeviceType->setMaximumWidth(160);
    CheckBox_PX310_bPt1000 = new QCheckBox(QString::fromUtf8("PX310 Pt1000 / PX370 Sönt nélküli kivitel"), g);
    CheckBox_PX310_bPt1000->setObjectName("CheckBox_PX310_bPt1000");
    RadioGroup_Bemenet = MakeRadioGroup(
        g, "RadioGroup_Bemenet", "BEMENET",
        {"Nincs", "PXAI (analóg U és I)", "PXRT (hőmérséklet)", "PXMB (RS-485)", "Timer (Stopper)", "PXMBIN (bemenet)"},
        1, 0);
    for (auto [group, name, caption] : {std::tuple{&RadioGroup_Kimenet1, "RadioGroup_Kimenet1", "KIMENET 1"},
                                        std::tuple{&RadioGroup_Kimenet2, "RadioGroup_Kimenet2", "KIMENET 2"}})
        *group =
            MakeRadioGroup(g, name, caption, {"Nincs", "PXAO (analóg U és I)", "PXMB (RS-485)", "PXRL (1 relé)"}, 1, 0);

    // The serial number's fields one under the other at their own height,
    // whatever height the list beside them takes.
    auto* fields = new QGridLayout;
    fields->addWidget(MakeLabel(g, "Label_GyariSzamEv", "Év:"), 0, 0);
    fields->addWidget(Edit_GyariSzamEv, 0, 1);
    fields->addWidget(MakeLabel(g, "Label_GyariSzamHonap", "Hónap:"), 1, 0);
    fields->addWidget(Edit_GyariSzamHonap, 1, 1);
    fields->addWidget(MakeLabel(g, "Label_GyariSzam", "Gyári szám:"), 2, 0);
    fields->addWidget(Edit_GyariSzam, 2, 1);
    auto* steps = new QHBoxLayout;
    steps->addWidget(Button_GyariSzamPlusz1);
    steps->addWidget(Button_GyariSzamMinusz1);
    fields->addLayout(steps, 3, 1);
    fields->addWidget(Button_GyariSzamToEdits, 4, 0, 1, 2);
    fields->addWidget(SpeedButton_GyariSzamAKeszulekbe, 5, 0, 1, 2);
    fields->setRowStretch(6, 1);
    auto* grid = new QGridLayout(g);
    grid->addLayout(fields, 0, 0, 7, 2);
    grid->addWidget(MakeLabel(g, "Label_KeszulekKivalasztasa", "KÉSZÜLÉK KIVÁLASZTÁSA"), 0, 2);
    grid->addWidget(ListBox_uDeviceType, 1, 2, 6, 1);
    grid->addWidget(RadioGroup_Bemenet, 0, 3, 4, 1);
    grid->addWidget(RadioGroup_Kimenet1, 0, 4, 4, 1);
    grid->addWidget(RadioGroup_Kimenet2, 0, 5, 4, 1);
    grid->addWidget(CheckBox_PX310_bPt1000, 4, 3, 1, 3);
    grid->setRowStretch(7, 1);
    grid->setColumnStretch(6, 1);
    auto* page = new QVBoxLayout(this);
    page->addWidget(g);
    page->addStretch(1);

    connect(Button_GyariSzamPlusz1, &QPushButton::clicked, this, [this] { StepSerialNumber(+1); });
    connect(Button_GyariSzamMinusz1, &QPushButton::clicked, this, [this] { StepSerialNumber(-1); });
    ctx.commands.SetBuilder(kWriteIdentity, [this] { BuildIdentityRequest(); });
}

uint16_t ServiceSerialPage::ListIndexToDeviceType(int index) {
    return index >= 0 && index < int(std::size(kDevices)) ? kDevices[index].code : 0;
}

int ServiceSerialPage::DeviceTypeToListIndex(uint16_t code) {
    for (std::size_t i = 0; i < std::size(kDevices); ++i)
        if (kDevices[i].code == code) return int(i);
    return 0;
}

void ServiceSerialPage::ReadSerialPage() {
    tTX& tx = ctx_.recTX;
    tx.uDeviceID = uint32_t(std::clamp(Typed(Edit_GyariSzam), 0LL, 999999LL));
    const long long year = Typed(Edit_GyariSzamEv);
    tx.uGyariSzamEv = uint8_t(std::clamp(year, 0LL, 99LL));
    const long long month = Typed(Edit_GyariSzamHonap);
    tx.uGyariSzamHonap = month < 0 ? 0 : uint8_t(std::clamp(month, 1LL, 12LL));
    tx.uDeviceType = ListIndexToDeviceType(ListBox_uDeviceType->currentRow());
    tx.uPXOptIn = CodeOf(RadioGroup_Bemenet, kInputCodes);
    tx.uPXOptOutPrimer = CodeOf(RadioGroup_Kimenet1, kOutputCodes);
    tx.uPXOptOutSecondary = CodeOf(RadioGroup_Kimenet2, kOutputCodes);
    Edit_GyariSzam->setText(ctx_.FormatNumber(tx.uDeviceID, "000000"));
    Edit_GyariSzamEv->setText(ctx_.FormatNumber(tx.uGyariSzamEv, "00"));
    Edit_GyariSzamHonap->setText(ctx_.FormatNumber(tx.uGyariSzamHonap, "00"));
    ListBox_uDeviceType->setCurrentRow(DeviceTypeToListIndex(tx.uDeviceType));
    tx.bPt1000 = CheckBox_PX310_bPt1000->isChecked();
}

void ServiceSerialPage::StepSerialNumber(int step) {
    ReadSerialPage();
    const long long next = std::clamp<long long>(static_cast<long long>(ctx_.recTX.uDeviceID) + step, 0, 999999);
    Edit_GyariSzam->setText(ctx_.FormatNumber(double(next), "000000"));
}

void ServiceSerialPage::ShowReceivedIdentity() {
    const tRX& rx = ctx_.recRX;
    Edit_GyariSzam->setText(ctx_.FormatNumber(rx.uDeviceID, "000000"));
    Edit_GyariSzamEv->setText(ctx_.FormatNumber(rx.uGyariSzamEv, "00"));
    Edit_GyariSzamHonap->setText(ctx_.FormatNumber(rx.uGyariSzamHonap, "00"));
    ListBox_uDeviceType->setCurrentRow(DeviceTypeToListIndex(rx.uDevice));
}

void ServiceSerialPage::ShowReceivedPt1000() { CheckBox_PX310_bPt1000->setChecked(ctx_.recRX.bPt1000); }

QString ServiceSerialPage::IdentityProblems() const {
    // A value the instrument would store changed (a month of 13 as 12, a
    // letter as 0) would mislabel it for good: such input is refused.
    const struct {
        const QLineEdit* edit;
        const char* field;
        long long min, max;
    } fields[] = {
        {Edit_GyariSzam, "Gyári szám", 0, 999999},
        {Edit_GyariSzamEv, "Év", 0, 99},
        {Edit_GyariSzamHonap, "Hónap", 1, 12},
    };
    QStringList problems;
    for (const auto& f : fields) {
        const long long v = Typed(f.edit);
        if (v < f.min || v > f.max)
            problems << QString::fromUtf8(
                            "A(z) „%1” mező értéke („%2”) nem megengedett: %3 és %4 közötti egész "
                            "számot adjon meg.")
                            .arg(QString::fromUtf8(f.field), f.edit->text())
                            .arg(f.min)
                            .arg(f.max);
    }
    if (problems.isEmpty()) return {};
    return problems.join("\n") + QString::fromUtf8("\nA készülékbe nem került beírásra semmi.");
}

bool ServiceSerialPage::AcceptTypedIdentity() {
    const QString problems = IdentityProblems();
    if (problems.isEmpty()) return true;
    ReadSerialPage();
    ctx_.Inform(problems);
    return false;
}

void ServiceSerialPage::BuildIdentityRequest() {
    ReadSerialPage();
    TransferWriter out(ctx_.transfer);
    IdentityLayout(out, ctx_.recTX);
}

}  // namespace velmar
