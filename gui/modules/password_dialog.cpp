#include "gui/modules/password_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/link/payload_io.h"
#include "gui/link/instrument_context.h"
#include "gui/link/instrument_values.h"
#include "gui/views/module_controls.h"
#include "gui/views/typed_length.h"

namespace velmar {

namespace {
constexpr const char* kRange = "A jelszó csak 0..9999 közötti szám lehet.";

// One password's group: caption, edit and the rule beneath.
QLineEdit* AddPasswordRows(QGroupBox* group, const char* caption, const char* edit, const char* rule,
                           QLabel*& captionLabel, QLabel*& ruleLabel) {
    captionLabel = MakeLabel(group, caption, "A kívánt új jelszó:");
    auto* e = new QLineEdit(group);
    e->setObjectName(edit);
    LimitTypedLength(e, 4);
    e->setFixedWidth(e->fontMetrics().horizontalAdvance("000000"));
    ruleLabel = MakeLabel(group, rule, kRange);
    auto* grid = new QGridLayout(group);
    grid->addWidget(captionLabel, 0, 0);
    grid->addWidget(e, 0, 1, Qt::AlignLeft);
    grid->addWidget(ruleLabel, 1, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    return e;
}

std::string Text(const QLineEdit* e) { return e->text().toStdString(); }
}  // namespace

TForm_Password::TForm_Password(InstrumentContext& ctx)
    : ModuleDialog(ctx, "Form_Password", QString::fromUtf8("Jelszó módosítása"),
                   QString::fromUtf8("Gyári alapértékek megjelenítése"), "_Password") {
    GroupBox9 = MakeGroup(this, "GroupBox9", "A KÉSZÜLÉKBEN TÁROLT JELSZAVAK MÓDOSÍTÁSA");
    GroupBox_MODBUSOutputSettings = MakeGroup(GroupBox9, "GroupBox_MODBUSOutputSettings", "KEZELŐI JELSZÓ");
    Edit_PasswordUser =
        AddPasswordRows(GroupBox_MODBUSOutputSettings, "Label2", "Edit_PasswordUser", "Label3", Label2, Label3);
    GroupBox1 = MakeGroup(GroupBox9, "GroupBox1", "MÉRNÖKI JELSZÓ");
    Edit_PasswordSupervisor = AddPasswordRows(GroupBox1, "Label6", "Edit_PasswordSupervisor", "Label7", Label6, Label7);
    auto* column = new QVBoxLayout(GroupBox9);
    column->addWidget(GroupBox_MODBUSOutputSettings);
    column->addWidget(GroupBox1);
    Body()->addWidget(GroupBox9);

    // Both passwords are typed in whole for a write, nothing of them is
    // kept from a read: a write needs none first. Checked whenever the
    // write is asked for, by a click or otherwise.
    Values().TakeTypedValues();
    connect(&Values(), &InstrumentValues::writeAsked, this, &TForm_Password::ValidatePasswords);

    CommandRegistry& c = ctx.commands;
    c.SetDecoder(kReadPasswords, [this] { DecodePasswords(SpeedButton_ReadFromDevice); });
    c.SetDecoder(kPasswordDefaults, [this] { DecodePasswords(SpeedButton_ReadDefault); });
    c.SetDecoder(kWritePasswords, [this] { WriteAnswered(); });
    c.SetBuilder(kWritePasswords, [this] { BuildWrite(); });
}

void TForm_Password::ValidatePasswords() {
    const std::string user = Text(Edit_PasswordUser), supervisor = Text(Edit_PasswordSupervisor);
    switch (CheckPasswords(user, supervisor)) {
    case PasswordProblem::None: checked_ = PasswordBlock{*ParsePassword(user), *ParsePassword(supervisor)}; return;
    case PasswordProblem::NotANumber: {
        SpeedButton_WriteToDevice->setChecked(false);
        // Named, and the first wrong one takes the cursor.
        const bool userWrong = !ParsePassword(user), supervisorWrong = !ParsePassword(supervisor);
        const char* which = userWrong && supervisorWrong ? "A kezelői és a mérnöki jelszó is hibás."
                            : userWrong                  ? "A kezelői jelszó hibás."
                                                         : "A mérnöki jelszó hibás.";
        QLineEdit* wrong = userWrong ? Edit_PasswordUser : Edit_PasswordSupervisor;
        wrong->setFocus();
        wrong->selectAll();
        ctx_.Inform(QString::fromUtf8(which) + ' ' + QString::fromUtf8(kRange));
        return;
    }
    case PasswordProblem::Equal:
        SpeedButton_WriteToDevice->setChecked(false);
        ctx_.Inform(QString::fromUtf8("A kezelői jelszó és a mérnöki jelszó nem lehet ugyanaz!"));
        return;
    }
}

void TForm_Password::DecodePasswords(QPushButton* requester) {
    requester->setChecked(false);
    const PasswordBlock b = ReadAnswer(ctx_.transfer, PasswordLayout<TransferReader>);
    ctx_.recRX.uJelszoUser = b.user;
    ctx_.recRX.uJelszoSupervisor = b.supervisor;
    Edit_PasswordUser->setText(QString("%1").arg(b.user, 4, 10, QChar('0')));
    Edit_PasswordSupervisor->setText(QString("%1").arg(b.supervisor, 4, 10, QChar('0')));
}

void TForm_Password::BuildWrite() {
    const std::string user = Text(Edit_PasswordUser), supervisor = Text(Edit_PasswordSupervisor);
    // Edited into something unusable after the check: the checked pair goes
    // out, and the read-back shows what the instrument keeps.
    PasswordBlock b = checked_.value_or(PasswordBlock{ctx_.recRX.uJelszoUser, ctx_.recRX.uJelszoSupervisor});
    if (CheckPasswords(user, supervisor) == PasswordProblem::None)
        b = {*ParsePassword(user), *ParsePassword(supervisor)};
    ctx_.recTX.uJelszoUser = b.user;
    ctx_.recTX.uJelszoSupervisor = b.supervisor;
    TransferWriter out(ctx_.transfer);
    PasswordLayout(out, b);
}

}  // namespace velmar
