#pragma once
// The commissioning report of the attached instrument: who made it and
// where, the check points taken against a calibrator, and the report
// itself as a PDF or on a printer. The instrument is read again (as left)
// whenever the report is made.

#include <QDialog>
#include <functional>
#include <optional>

#include "report/report_model.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPrinter;
class QPushButton;
class QTableWidget;

namespace velmar {

class TForm1;
class SettingsFiles;

class TForm_Report : public QDialog {
    Q_OBJECT
public:
    TForm_Report(TForm1& main, SettingsFiles& files);
    ~TForm_Report() override;

    // Asks where the PDF goes; empty: nowhere. Tests replace it.
    std::function<QString(const QString& suggested)> chooseFile;
    // Sets up the printer; false: not printed. Tests replace it.
    std::function<bool(QPrinter& printer)> choosePrinter;

    QLineEdit* Edit_Technician = nullptr;
    QLineEdit* Edit_Site = nullptr;
    QPlainTextEdit* Memo_Note = nullptr;
    QPushButton* Button_ReadAsLeft = nullptr;
    QLabel* Label_AsLeft = nullptr;
    QLineEdit* Edit_Tolerance = nullptr;
    QLineEdit* Edit_Span = nullptr;
    QLabel* Label_SpanSource = nullptr;
    QLineEdit* Edit_Reference = nullptr;
    QPushButton* Button_Capture = nullptr;
    QPushButton* Button_DeletePoint = nullptr;
    QTableWidget* StringGrid_CheckPoints = nullptr;
    QLabel* Label_CheckMessage = nullptr;
    QPushButton* Button_SavePdf = nullptr;
    QPushButton* Button_Print = nullptr;
    QPushButton* Button_Close = nullptr;

    // The check points taken so far.
    const CheckPoints& Checks() const { return checks_; }
    // Fills the span from the instrument's scale as last read, when known.
    void ShowSpan();

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    QWidget* BuildHeaderGroup();
    QWidget* BuildAsLeftGroup();
    QWidget* BuildCheckGroup();
    void RememberTexts() const;
    void RecallTexts();

    void ReadAsLeft();
    void Capture();
    void FinishCapture();
    void DeletePoint();
    void ShowPoints();
    void CheckMessage(const QString& text, bool error);
    void SavePdf();
    void Print();

    // Reads the instrument as it is now, then builds the report.
    void MakeReport(std::function<void(const ReportDocument&)> use);
    std::optional<double> TypedNumber(const QLineEdit* edit) const;
    void SetBusy(bool busy);

    TForm1& main_;
    SettingsFiles& files_;
    CheckPoints checks_;
    std::optional<InputScale> scale_;
    QString shownSpan_;  // the span as filled in from the scale
    bool capturing_ = false;
    double reference_ = 0;
    std::vector<double> readings_;
    QMetaObject::Connection sampling_;
    bool busy_ = false;
};

}  // namespace velmar
