#pragma once
// The commissioning report of the attached instrument: the job, the
// technician and the reference used, the conditions, the check points and
// the relays' switching test, and the report itself as a PDF (with its
// JSON twin) or on a printer. The instrument is read again (as left)
// whenever the report is made.

#include <QDialog>
#include <functional>
#include <optional>

#include "report/report_model.h"

class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPrinter;
class QPushButton;
class QTableWidget;

namespace velmar {

struct InstrumentContext;
class SettingsFiles;

class TForm_Report : public QDialog {
    Q_OBJECT
public:
    TForm_Report(InstrumentContext& ctx, SettingsFiles& files);
    ~TForm_Report() override;

    // Asks where the PDF goes; empty: nowhere. Tests replace it.
    std::function<QString(const QString& suggested)> chooseFile;
    // Sets up the printer; false: not printed. Tests replace it.
    std::function<bool(QPrinter& printer)> choosePrinter;

    // The job: cleared when another instrument comes, unless it is the same job.
    QLineEdit* Edit_Site = nullptr;
    QLineEdit* Edit_Tag = nullptr;
    QLineEdit* Edit_Customer = nullptr;
    QLineEdit* Edit_Order = nullptr;
    QPlainTextEdit* Memo_Note = nullptr;
    QCheckBox* CheckBox_SameJob = nullptr;
    // The technician and the reference: kept from instrument to instrument.
    QLineEdit* Edit_Technician = nullptr;
    QLineEdit* Edit_ReferenceType = nullptr;
    QLineEdit* Edit_ReferenceSerial = nullptr;
    QDateEdit* DateEdit_ReferenceDue = nullptr;
    QLabel* Label_ReferenceExpired = nullptr;
    QLineEdit* Edit_Ambient = nullptr;
    QLineEdit* Edit_Humidity = nullptr;

    QPushButton* Button_ReadAsLeft = nullptr;
    QLabel* Label_AsLeft = nullptr;
    QLineEdit* Edit_Tolerance = nullptr;
    QLineEdit* Edit_Span = nullptr;
    QLineEdit* Edit_SteadyLimit = nullptr;
    QLabel* Label_SpanSource = nullptr;
    QLabel* Label_Input = nullptr;
    QLineEdit* Edit_Input = nullptr;
    QLabel* Label_Output = nullptr;
    QLineEdit* Edit_Output = nullptr;
    QPushButton* Button_Capture = nullptr;
    QPushButton* Button_DeletePoint = nullptr;
    QTableWidget* StringGrid_CheckPoints = nullptr;
    QLabel* Label_CheckMessage = nullptr;
    QTableWidget* StringGrid_Relays = nullptr;
    QPushButton* Button_SavePdf = nullptr;
    QPushButton* Button_Print = nullptr;
    QPushButton* Button_Close = nullptr;

    // The check points taken so far.
    const CheckPoints& Checks() const { return checks_; }
    // Fills the span, the units and the relays from the instrument's
    // settings as last read, when known.
    void ShowSpan();
    // Shown centred on the main window, or brought to the front.
    void Open();

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    QWidget* BuildJobGroup();
    QWidget* BuildReferenceGroup();
    QWidget* BuildAsLeftGroup();
    QWidget* BuildCheckGroup();
    QWidget* BuildRelayGroup();
    void RememberTexts() const;
    void RecallTexts();
    // Another instrument on the link: its points and tests start anew, the
    // job's fields too unless it is the same job.
    void FollowInstrument();
    void ShowReferenceDue();
    // Reads the blocks not yet known this attach (all: every block), for
    // the scales and relays.
    void ReadScales(bool all = false);
    void ShowRelays(const BlockImages& known);

    void ReadAsLeft();
    void Capture();
    void FinishCapture();
    void TakePoint(const CheckPoint& p);
    void DeletePoint();
    void ShowPoints();
    void CheckMessage(const QString& text, bool error);
    void SavePdf();
    void Print();

    // What the technician typed, or nullopt with a message shown.
    std::optional<ReportHeader> TypedHeader();
    std::optional<std::map<std::string, RelayTest>> TypedRelayTests();
    // Reads the instrument as it is now, then builds the report.
    void MakeReport(std::function<void(const ReportDocument&)> use);
    std::optional<double> TypedNumber(const QLineEdit* edit) const;
    std::optional<double> TypedNumber(QString text) const;
    QString Number(double value, int decimals) const;
    void SetBusy(bool busy);

    InstrumentContext& ctx_;
    SettingsFiles& files_;
    CheckPoints checks_;
    SignalScales scales_;
    QString shownSpan_;  // the span as filled in from the scale
    QString instrument_;  // type and serial the job's fields were typed for
    uint64_t followed_ = 0;  // the same in one number: every status answer compares it
    std::vector<std::string> relayBlocks_;  // the rows of the relay table
    bool capturing_ = false;
    QString captureInstrument_;
    double input_ = 0;
    std::optional<double> output_;
    std::vector<double> readings_;
    // An unsteady point, refused once: taken when asked again with the same values.
    std::optional<CheckPoint> unsteady_;
    QString unsteadyTyped_;
    QMetaObject::Connection sampling_;
    bool busy_ = false;
    bool readingScales_ = false;
};

}  // namespace velmar
