#pragma once
// The operator and engineer passwords of the indicators: read, factory
// values, and a write that only goes out for two different numbers 0..9999.

#include <optional>

#include "core/modules/password_codec.h"
#include "gui/modules/module_dialog.h"

class QGroupBox;
class QLabel;
class QLineEdit;

namespace velmar {

class TForm_Password : public ModuleDialog {
    Q_OBJECT
public:
    explicit TForm_Password(InstrumentContext& ctx);

    QGroupBox* GroupBox9;
    QGroupBox* GroupBox_MODBUSOutputSettings;  // the operator's password
    QLabel *Label2, *Label3;
    QLineEdit* Edit_PasswordUser;
    QGroupBox* GroupBox1;  // the engineer's password
    QLabel *Label6, *Label7;
    QLineEdit* Edit_PasswordSupervisor;

    // Checks the pair before a write may go out; refuses the write with a
    // message when it cannot.
    void ValidatePasswords();

private:
    void DecodePasswords(QPushButton* requester);
    void BuildWrite();

    // The pair as checked, sent if the edits change to something unusable
    // before the write goes out.
    std::optional<PasswordBlock> checked_;
};

}  // namespace velmar
