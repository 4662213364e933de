#include "gui/modules/module_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/link/instrument_context.h"
#include "gui/link/instrument_values.h"
#include "gui/views/indicator_controls.h"
#include "gui/views/window_placement.h"

namespace velmar {

namespace {
QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}
}  // namespace

ModuleDialog::ModuleDialog(InstrumentContext& ctx, const char* objectName, const QString& caption,
                           const QString& readDefaultCaption, const QString& requestSuffix)
    : QDialog(ctx.window), ctx_(ctx) {
    setObjectName(objectName);
    setWindowTitle(caption);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto* layout = new QVBoxLayout(this);
    Button_Esc = MakeButton(this, "Button_Esc", QString::fromUtf8("Kilépés (Esc)"));
    connect(Button_Esc, &QPushButton::clicked, this, &QDialog::reject);  // Esc does the same
    layout->addWidget(Button_Esc, 0, Qt::AlignLeft);
    body_ = new QVBoxLayout;
    layout->addLayout(body_, 1);
    values_ = new InstrumentValues(ctx, this);
    Label_ValuesOfAnotherInstrument = values_->MakeNote(this);
    layout->addWidget(Label_ValuesOfAnotherInstrument);
    Label_WriteState = values_->MakeWriteState(this);
    layout->addWidget(Label_WriteState);
    values_->WatchEdits(this);

    auto* requests = new QHBoxLayout;
    const RequestButtons r = values_->MakeRequests(this, requests, requestSuffix, readDefaultCaption);
    SpeedButton_ReadFromDevice = r.read;
    SpeedButton_ReadDefault = r.defaults;
    SpeedButton_WriteToDevice = r.write;
    layout->addLayout(requests);
}

void ModuleDialog::Prepare(const QString& caption, bool pressRead) {
    setWindowTitle(caption);
    adjustSize();
    PositionFormToCenterOfMainForm(this, ctx_.window);
    if (pressRead) SpeedButton_ReadFromDevice->setChecked(true);
}

void ModuleDialog::Open(const QString& caption, bool pressRead) {
    Prepare(caption, pressRead);
    exec();
}

void ModuleDialog::reject() {
    if (values_->MayDiscard()) QDialog::reject();
}

void ModuleDialog::WriteAnswered() {
    SpeedButton_WriteToDevice->setChecked(false);
    SpeedButton_ReadFromDevice->setChecked(true);
}

void ModuleDialog::RegisterSlotCommands(const SlotCommands& codes, std::function<void(bool)> decode,
                                        std::function<void(bool)> build) {
    values_->SetPartOfWrite([this] { return SlotPart(!ctx_.bFoKimenetiModulVanNyitva); });
    const auto decoder = [this, decode](QPushButton* requester, bool secondSlot) {
        return [this, decode, requester, secondSlot] {
            requester->setChecked(false);
            decode(secondSlot);
            // Factory values are no slot's own: they suit either.
            values_->Taken(requester == SpeedButton_ReadDefault ? InstrumentValues::kAnyPart : SlotPart(secondSlot));
        };
    };
    CommandRegistry& c = ctx_.commands;
    for (const bool second : {false, true}) {
        c.SetDecoder(codes.read[second], decoder(SpeedButton_ReadFromDevice, second));
        c.SetDecoder(codes.write[second], [this] { WriteAnswered(); });
        c.SetBuilder(codes.write[second], [build, second] { build(second); });
    }
    // Factory values land in the first slot's fields whichever slot is open.
    c.SetDecoder(codes.defaults, decoder(SpeedButton_ReadDefault, false));
}

QString ModuleDialog::ScaledText(int32_t value) const {
    return ctx_.FormatNumber(value / double(ctx_.recRX.fDivider), ctx_.recRX.sDecimalMask);
}

}  // namespace velmar
