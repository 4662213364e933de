#pragma once
// One label per error bit of the instrument, lit while its bit is set.

#include <QDialog>
#include <array>

class QLabel;
class QPushButton;

namespace velmar {

class TForm_Errors : public QDialog {
    Q_OBJECT
public:
    explicit TForm_Errors(QWidget* parent = nullptr);

    // Red with white text when on, grey on button face when off.
    static void ErrorMessageOnOff(QLabel* label, bool on);
    // Lights the labels of the set bits.
    void ShowErrorBits(uint32_t errorBits);

    QLabel* Label(const char* name) const;
    QPushButton* Button_Esc;

private:
    std::array<QLabel*, 10> labels_{};
};

}  // namespace velmar
