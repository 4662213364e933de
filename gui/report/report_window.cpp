#include "gui/report/report_window.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/app/form_main.h"
#include "gui/files/settings_files.h"

namespace velmar {

namespace {

QString U(const char* s) { return QString::fromUtf8(s); }

QSettings Remembered() { return QSettings(QStringLiteral("Velmar"), QStringLiteral("velmar-setup")); }

}  // namespace

TForm_Report::TForm_Report(TForm1& main, SettingsFiles& files) : QDialog(&main), main_(main), files_(files) {
    setObjectName("Form_Report");
    setWindowTitle(U("Jegyzőkönyv"));
    auto* v = new QVBoxLayout(this);
    v->addWidget(BuildHeaderGroup());
    v->addWidget(BuildAsLeftGroup());
    v->addWidget(BuildCheckGroup(), 1);
    auto* buttons = new QDialogButtonBox(this);
    Button_SavePdf = buttons->addButton(U("Mentés PDF-be…"), QDialogButtonBox::ActionRole);
    Button_SavePdf->setObjectName("Button_SavePdf");
    Button_Print = buttons->addButton(U("Nyomtatás…"), QDialogButtonBox::ActionRole);
    Button_Print->setObjectName("Button_Print");
    Button_Close = buttons->addButton(U("Bezárás"), QDialogButtonBox::RejectRole);
    Button_Close->setObjectName("Button_Close");
    int width = 0;
    for (QPushButton* b : {Button_SavePdf, Button_Print, Button_Close}) width = std::max(width, b->sizeHint().width() + 16);
    for (QPushButton* b : {Button_SavePdf, Button_Print, Button_Close}) b->setMinimumWidth(width);
    v->addWidget(buttons);
    connect(Button_SavePdf, &QPushButton::clicked, this, &TForm_Report::SavePdf);
    connect(Button_Print, &QPushButton::clicked, this, &TForm_Report::Print);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(this, &QDialog::finished, this, [this] { RememberTexts(); });
    RecallTexts();

    chooseFile = [this](const QString& suggested) {
        return QFileDialog::getSaveFileName(this, U("Jegyzőkönyv mentése"), suggested, U("PDF dokumentum (*.pdf)"));
    };
    choosePrinter = [this](QPrinter& printer) {
        QPrintDialog dialog(&printer, this);
        return dialog.exec() == QDialog::Accepted;
    };

    if (QMenu* menu = main.findChild<QMenu*>("Menu_Settings")) {
        QAction* open = menu->addAction(U("Jegyzőkönyv…"));
        open->setObjectName("Action_Report");
        connect(open, &QAction::triggered, this, [this] {
            if (!isVisible()) PositionFormToCenterOfMainForm(this, &main_);
            show();
            raise();
            activateWindow();
        });
    }
}

TForm_Report::~TForm_Report() = default;

QWidget* TForm_Report::BuildHeaderGroup() {
    auto* box = new QGroupBox(U("Jegyzőkönyv adatai"), this);
    box->setObjectName("GroupBox_ReportHeader");
    auto* form = new QFormLayout(box);
    Edit_Technician = new QLineEdit(box);
    Edit_Technician->setObjectName("Edit_Technician");
    Edit_Site = new QLineEdit(box);
    Edit_Site->setObjectName("Edit_Site");
    Memo_Note = new QPlainTextEdit(box);
    Memo_Note->setObjectName("Memo_Note");
    Memo_Note->setTabChangesFocus(true);
    Memo_Note->setFixedHeight(Memo_Note->fontMetrics().lineSpacing() * 3 + 12);
    form->addRow(U("Üzembe helyező:"), Edit_Technician);
    form->addRow(U("Telephely / azonosító:"), Edit_Site);
    form->addRow(U("Megjegyzés:"), Memo_Note);
    return box;
}

QWidget* TForm_Report::BuildAsLeftGroup() {
    auto* box = new QGroupBox(U("Átadott állapot"), this);
    box->setObjectName("GroupBox_AsLeft");
    auto* h = new QHBoxLayout(box);
    Button_ReadAsLeft = new QPushButton(U("Kiolvasás most"), box);
    Button_ReadAsLeft->setObjectName("Button_ReadAsLeft");
    Label_AsLeft = new QLabel(U("A jegyzőkönyv készítésekor a program újra kiolvassa a készüléket."), box);
    Label_AsLeft->setObjectName("Label_AsLeft");
    Label_AsLeft->setWordWrap(true);
    h->addWidget(Button_ReadAsLeft);
    h->addWidget(Label_AsLeft, 1);
    connect(Button_ReadAsLeft, &QPushButton::clicked, this, &TForm_Report::ReadAsLeft);
    return box;
}

QWidget* TForm_Report::BuildCheckGroup() {
    auto* box = new QGroupBox(U("Ellenőrző mérés"), this);
    box->setObjectName("GroupBox_CheckPoints");
    auto* v = new QVBoxLayout(box);
    auto* limits = new QHBoxLayout;
    Edit_Tolerance = new QLineEdit(box);
    Edit_Tolerance->setObjectName("Edit_Tolerance");
    Edit_Tolerance->setFixedWidth(Edit_Tolerance->fontMetrics().horizontalAdvance("00000000"));
    Edit_Span = new QLineEdit(box);
    Edit_Span->setObjectName("Edit_Span");
    Edit_Span->setFixedWidth(Edit_Span->fontMetrics().horizontalAdvance("00000000000"));
    Label_SpanSource = new QLabel(box);
    Label_SpanSource->setObjectName("Label_SpanSource");
    limits->addWidget(new QLabel(U("Tűrés (% a terjedelemből):"), box));
    limits->addWidget(Edit_Tolerance);
    limits->addSpacing(16);
    limits->addWidget(new QLabel(U("Terjedelem:"), box));
    limits->addWidget(Edit_Span);
    limits->addWidget(Label_SpanSource, 1);
    v->addLayout(limits);

    auto* take = new QHBoxLayout;
    Edit_Reference = new QLineEdit(box);
    Edit_Reference->setObjectName("Edit_Reference");
    Edit_Reference->setFixedWidth(Edit_Reference->fontMetrics().horizontalAdvance("00000000000"));
    Button_Capture = new QPushButton(U("Rögzítés"), box);
    Button_Capture->setObjectName("Button_Capture");
    Button_DeletePoint = new QPushButton(U("Törlés"), box);
    Button_DeletePoint->setObjectName("Button_DeletePoint");
    const int width = std::max(Button_Capture->sizeHint().width(), Button_DeletePoint->sizeHint().width());
    Button_Capture->setMinimumWidth(width);
    Button_DeletePoint->setMinimumWidth(width);
    take->addWidget(new QLabel(U("Referencia (a kijelzett érték egységében):"), box));
    take->addWidget(Edit_Reference);
    take->addWidget(Button_Capture);
    take->addWidget(Button_DeletePoint);
    take->addStretch(1);
    v->addLayout(take);

    StringGrid_CheckPoints = new QTableWidget(0, 5, box);
    StringGrid_CheckPoints->setObjectName("StringGrid_CheckPoints");
    StringGrid_CheckPoints->setHorizontalHeaderLabels(
        {U("Referencia"), U("Mért érték"), U("Szórás"), U("Hiba (%)"), U("Eredmény")});
    StringGrid_CheckPoints->horizontalHeader()->setStretchLastSection(true);
    StringGrid_CheckPoints->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid_CheckPoints->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid_CheckPoints->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid_CheckPoints->setMinimumHeight(160);
    v->addWidget(StringGrid_CheckPoints, 1);
    Label_CheckMessage = new QLabel(box);
    Label_CheckMessage->setObjectName("Label_CheckMessage");
    Label_CheckMessage->setWordWrap(true);
    v->addWidget(Label_CheckMessage);

    connect(Button_Capture, &QPushButton::clicked, this, &TForm_Report::Capture);
    connect(Edit_Reference, &QLineEdit::returnPressed, this, &TForm_Report::Capture);
    connect(Button_DeletePoint, &QPushButton::clicked, this, &TForm_Report::DeletePoint);
    return box;
}

void TForm_Report::RememberTexts() const {
    QSettings s = Remembered();
    s.setValue("report/technician", Edit_Technician->text());
    s.setValue("report/site", Edit_Site->text());
    s.setValue("report/note", Memo_Note->toPlainText());
    s.setValue("report/tolerance", Edit_Tolerance->text());
}

void TForm_Report::RecallTexts() {
    QSettings s = Remembered();
    Edit_Technician->setText(s.value("report/technician").toString());
    Edit_Site->setText(s.value("report/site").toString());
    Memo_Note->setPlainText(s.value("report/note").toString());
    Edit_Tolerance->setText(s.value("report/tolerance", QString("0") + main_.DecimalSeparator + "5").toString());
}

void TForm_Report::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    ShowSpan();
}

void TForm_Report::closeEvent(QCloseEvent* e) {
    RememberTexts();
    QDialog::closeEvent(e);
}

void TForm_Report::ShowSpan() {
    BlockImages known;
    for (const auto& [name, bytes] : files_.Journal().Known()) known[name] = bytes;
    scale_ = InputScaleOf(known, {main_.recRX.uDecimalPoint, main_.recRX.uDevice});
    if (!scale_) {
        if (Edit_Span->text() == shownSpan_) Edit_Span->clear();
        shownSpan_.clear();
        Label_SpanSource->setText(U("a skála nem ismert: adja meg"));
        return;
    }
    // A span the technician typed stays.
    const bool typed = !Edit_Span->text().isEmpty() && Edit_Span->text() != shownSpan_;
    shownSpan_ = ReportNumber(scale_->Span(), main_.recRX.uDecimalPoint).replace(',', main_.DecimalSeparator);
    if (!typed) Edit_Span->setText(shownSpan_);
    Label_SpanSource->setText(U("%1 skálája: %2 … %3")
                                  .arg(QString::fromStdString(scale_->block),
                                       ReportNumber(scale_->low, main_.recRX.uDecimalPoint).replace(',', main_.DecimalSeparator),
                                       ReportNumber(scale_->high, main_.recRX.uDecimalPoint).replace(',', main_.DecimalSeparator)));
}

std::optional<double> TForm_Report::TypedNumber(const QLineEdit* edit) const {
    QString text = edit->text().trimmed();
    text.replace(main_.DecimalSeparator, '.').replace(',', '.');
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}

void TForm_Report::CheckMessage(const QString& text, bool error) {
    Label_CheckMessage->setStyleSheet(error ? "color: #c00000;" : "");
    Label_CheckMessage->setText(text);
}

void TForm_Report::SetBusy(bool busy) {
    busy_ = busy;
    for (QPushButton* b : {Button_ReadAsLeft, Button_SavePdf, Button_Print}) b->setEnabled(!busy);
}

}  // namespace velmar
