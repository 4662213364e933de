#include "gui/report/report_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDateEdit>
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
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "gui/files/settings_files.h"
#include "gui/link/instrument_context.h"
#include "gui/views/file_choice.h"
#include "gui/views/window_placement.h"

namespace velmar {

namespace {

QString U(const char* s) { return QString::fromUtf8(s); }

// An empty due date: the earliest the edit takes, shown as "not given".
const QDate kNoDate(2000, 1, 1);

QLineEdit* Edit(QWidget* parent, const char* name, const char* widthOf = nullptr) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    if (widthOf) e->setFixedWidth(e->fontMetrics().horizontalAdvance(widthOf));
    return e;
}

QTableWidget* Grid(QWidget* parent, const char* name, const QStringList& columns) {
    auto* grid = new QTableWidget(0, int(columns.size()), parent);
    grid->setObjectName(name);
    grid->setHorizontalHeaderLabels(columns);
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->verticalHeader()->setVisible(false);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    return grid;
}

}  // namespace

TForm_Report::TForm_Report(InstrumentContext& ctx, SettingsFiles& files)
    : QDialog(ctx.window), ctx_(ctx), files_(files) {
    setObjectName("Form_Report");
    setWindowTitle(U("Jegyzőkönyv"));
    auto* v = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(BuildJobGroup(), 1);
    top->addWidget(BuildReferenceGroup(), 1);
    v->addLayout(top);
    v->addWidget(BuildAsLeftGroup());
    v->addWidget(BuildCheckGroup(), 1);
    v->addWidget(BuildRelayGroup());
    auto* buttons = new QDialogButtonBox(this);
    Button_SavePdf = buttons->addButton(U("Mentés PDF-be…"), QDialogButtonBox::ActionRole);
    Button_SavePdf->setObjectName("Button_SavePdf");
    Button_Print = buttons->addButton(U("Nyomtatás…"), QDialogButtonBox::ActionRole);
    Button_Print->setObjectName("Button_Print");
    Button_Close = buttons->addButton(U("Bezárás"), QDialogButtonBox::RejectRole);
    Button_Close->setObjectName("Button_Close");
    int width = 0;
    for (QPushButton* b : {Button_SavePdf, Button_Print, Button_Close})
        width = std::max(width, b->sizeHint().width() + 16);
    for (QPushButton* b : {Button_SavePdf, Button_Print, Button_Close}) b->setMinimumWidth(width);
    v->addWidget(buttons);
    connect(Button_SavePdf, &QPushButton::clicked, this, &TForm_Report::SavePdf);
    connect(Button_Print, &QPushButton::clicked, this, &TForm_Report::Print);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(this, &QDialog::finished, this, [this] { RememberTexts(); });
    connect(&ctx_.events, &InstrumentEvents::statusAnswered, this, &TForm_Report::FollowInstrument);
    RecallTexts();

    chooseFile = [this](const QString& suggested) {
        const QString path =
            QFileDialog::getSaveFileName(this, U("Jegyzőkönyv mentése"), suggested, U("PDF dokumentum (*.pdf)"));
        RememberFolder(path);
        return path;
    };
    choosePrinter = [this](QPrinter& printer) {
        QPrintDialog dialog(&printer, this);
        return dialog.exec() == QDialog::Accepted;
    };
}

TForm_Report::~TForm_Report() = default;

void TForm_Report::Open() {
    if (!isVisible()) PositionFormToCenterOfMainForm(this, ctx_.window);
    show();
    raise();
    activateWindow();
}

QWidget* TForm_Report::BuildJobGroup() {
    auto* box = new QGroupBox(U("Munka"), this);
    box->setObjectName("GroupBox_Job");
    auto* form = new QFormLayout(box);
    Edit_Site = Edit(box, "Edit_Site");
    Edit_Tag = Edit(box, "Edit_Tag");
    Edit_Customer = Edit(box, "Edit_Customer");
    Edit_Order = Edit(box, "Edit_Order");
    Memo_Note = new QPlainTextEdit(box);
    Memo_Note->setObjectName("Memo_Note");
    Memo_Note->setTabChangesFocus(true);
    Memo_Note->setFixedHeight(Memo_Note->fontMetrics().lineSpacing() * 2 + 12);
    CheckBox_SameJob = new QCheckBox(U("Ugyanaz a munka"), box);
    CheckBox_SameJob->setObjectName("CheckBox_SameJob");
    CheckBox_SameJob->setToolTip(
        U("Bejelölve a munka adatai a következő készülékhez is megmaradnak; "
          "különben más gyári számú készüléknél törlődnek."));
    form->addRow(U("Telephely:"), Edit_Site);
    form->addRow(U("Hurokazonosító (tag):"), Edit_Tag);
    form->addRow(U("Megrendelő:"), Edit_Customer);
    form->addRow(U("Munkaszám / rendelés:"), Edit_Order);
    form->addRow(U("Megjegyzés:"), Memo_Note);
    form->addRow(QString(), CheckBox_SameJob);
    return box;
}

QWidget* TForm_Report::BuildReferenceGroup() {
    auto* box = new QGroupBox(U("Üzembe helyező, referencia, körülmények"), this);
    box->setObjectName("GroupBox_Reference");
    auto* form = new QFormLayout(box);
    Edit_Technician = Edit(box, "Edit_Technician");
    Edit_ReferenceType = Edit(box, "Edit_ReferenceType");
    Edit_ReferenceSerial = Edit(box, "Edit_ReferenceSerial");
    DateEdit_ReferenceDue = new QDateEdit(box);
    DateEdit_ReferenceDue->setObjectName("DateEdit_ReferenceDue");
    DateEdit_ReferenceDue->setCalendarPopup(true);
    DateEdit_ReferenceDue->setDisplayFormat("yyyy.MM.dd.");
    DateEdit_ReferenceDue->setMinimumDate(kNoDate);
    DateEdit_ReferenceDue->setSpecialValueText(U("nincs megadva"));
    DateEdit_ReferenceDue->setDate(kNoDate);
    Label_ReferenceExpired = new QLabel(box);
    Label_ReferenceExpired->setObjectName("Label_ReferenceExpired");
    Label_ReferenceExpired->setStyleSheet("color: #c00000; font-weight: bold;");
    auto* due = new QHBoxLayout;
    due->addWidget(DateEdit_ReferenceDue);
    due->addWidget(Label_ReferenceExpired, 1);
    Edit_Ambient = Edit(box, "Edit_Ambient", "0000000");
    Edit_Humidity = Edit(box, "Edit_Humidity", "0000000");
    auto* conditions = new QHBoxLayout;
    conditions->addWidget(Edit_Ambient);
    conditions->addWidget(new QLabel(U("°C   páratartalom:"), box));
    conditions->addWidget(Edit_Humidity);
    conditions->addWidget(new QLabel(U("% (nem kötelező)"), box));
    conditions->addStretch(1);
    form->addRow(U("Üzembe helyező:"), Edit_Technician);
    form->addRow(U("Referencia műszer típusa:"), Edit_ReferenceType);
    form->addRow(U("Referencia gyári száma:"), Edit_ReferenceSerial);
    form->addRow(U("Kalibrálás érvényes:"), due);
    form->addRow(U("Környezeti hőmérséklet:"), conditions);
    connect(DateEdit_ReferenceDue, &QDateEdit::dateChanged, this, &TForm_Report::ShowReferenceDue);
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
    Edit_Tolerance = Edit(box, "Edit_Tolerance", "00000000");
    Edit_SteadyLimit = Edit(box, "Edit_SteadyLimit", "00000000");
    Edit_Span = Edit(box, "Edit_Span", "00000000000");
    Label_SpanSource = new QLabel(box);
    Label_SpanSource->setObjectName("Label_SpanSource");
    limits->addWidget(new QLabel(U("Tűrés (% a terjedelemből):"), box));
    limits->addWidget(Edit_Tolerance);
    limits->addSpacing(16);
    limits->addWidget(new QLabel(U("Ingadozás határa (%):"), box));
    limits->addWidget(Edit_SteadyLimit);
    limits->addSpacing(16);
    limits->addWidget(new QLabel(U("Terjedelem:"), box));
    limits->addWidget(Edit_Span);
    limits->addWidget(Label_SpanSource, 1);
    v->addLayout(limits);

    auto* take = new QHBoxLayout;
    Label_Input = new QLabel(box);
    Label_Input->setObjectName("Label_Input");
    Edit_Input = Edit(box, "Edit_Input", "00000000000");
    Label_Output = new QLabel(box);
    Label_Output->setObjectName("Label_Output");
    Edit_Output = Edit(box, "Edit_Output", "00000000000");
    Button_Capture = new QPushButton(U("Rögzítés"), box);
    Button_Capture->setObjectName("Button_Capture");
    Button_DeletePoint = new QPushButton(U("Törlés"), box);
    Button_DeletePoint->setObjectName("Button_DeletePoint");
    const int width = std::max(Button_Capture->sizeHint().width(), Button_DeletePoint->sizeHint().width()) + 16;
    Button_Capture->setMinimumWidth(width);
    Button_DeletePoint->setMinimumWidth(width);
    take->addWidget(Label_Input);
    take->addWidget(Edit_Input);
    take->addSpacing(16);
    take->addWidget(Label_Output);
    take->addWidget(Edit_Output);
    take->addWidget(Button_Capture);
    take->addWidget(Button_DeletePoint);
    take->addStretch(1);
    v->addLayout(take);

    StringGrid_CheckPoints = Grid(box, "StringGrid_CheckPoints",
                                  {U("Bemenet"), U("Várt kijelzés"), U("Mért érték"), U("Szórás"), U("Hiba (%)"),
                                   U("Kimenet"), U("Várt kimenet"), U("Kimenet hiba (%)"), U("Eredmény")});
    StringGrid_CheckPoints->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid_CheckPoints->setMinimumHeight(120);
    v->addWidget(StringGrid_CheckPoints, 1);
    Label_CheckMessage = new QLabel(box);
    Label_CheckMessage->setObjectName("Label_CheckMessage");
    Label_CheckMessage->setWordWrap(true);
    v->addWidget(Label_CheckMessage);

    connect(Button_Capture, &QPushButton::clicked, this, &TForm_Report::Capture);
    connect(Edit_Input, &QLineEdit::returnPressed, this, &TForm_Report::Capture);
    connect(Edit_Output, &QLineEdit::returnPressed, this, &TForm_Report::Capture);
    connect(Button_DeletePoint, &QPushButton::clicked, this, &TForm_Report::DeletePoint);
    return box;
}

QWidget* TForm_Report::BuildRelayGroup() {
    auto* box = new QGroupBox(U("Határérték relék: kapcsolási próba"), this);
    box->setObjectName("GroupBox_Relays");
    auto* v = new QVBoxLayout(box);
    StringGrid_Relays =
        Grid(box, "StringGrid_Relays",
             {U("Relé"), U("Üzemmód"), U("A"), U("B"), U("Hiszterézis"), U("Bekapcsolt"), U("Elengedett")});
    StringGrid_Relays->setEditTriggers(QAbstractItemView::AllEditTriggers);
    v->addWidget(StringGrid_Relays);
    auto* hint = new QLabel(U("A próba értékei a kijelzett érték egységében; üresen hagyva: nem vizsgált."), box);
    v->addWidget(hint);
    box->setVisible(false);
    return box;
}

void TForm_Report::ShowReferenceDue() {
    const QDate due = DateEdit_ReferenceDue->date();
    Label_ReferenceExpired->setText(due != kNoDate && due < QDate::currentDate() ? U("LEJÁRT") : QString());
}

void TForm_Report::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    FollowInstrument();
    ShowSpan();
    ReadScales();
    // The captions just set may have grown the window past where it was
    // placed: bring it back inside the screen.
    if (layout()) layout()->activate();
    KeepInsideAvailableArea(this, ctx_.window, false);
}

void TForm_Report::closeEvent(QCloseEvent* e) {
    RememberTexts();
    QDialog::closeEvent(e);
}

void TForm_Report::ShowSpan() {
    BlockImages known;
    for (const auto& [name, bytes] : files_.Journal().Known()) known[name] = bytes;
    scales_ = SignalScalesOf(known, {ctx_.recRX.uDecimalPoint, ctx_.recRX.uDevice});
    const QString in = QString::fromStdString(scales_.inputUnit);
    Label_Input->setText(in.isEmpty() ? U("Bemenet (a kijelzett érték egységében):") : U("Bemenet (%1):").arg(in));
    const bool output = scales_.output.has_value();
    Label_Output->setText(output ? U("Kimenet mérve (%1):").arg(QString::fromStdString(scales_.outputUnit))
                                 : U("Kimenet: nincs analóg kimenet"));
    Edit_Output->setEnabled(output);
    ShowRelays(known);
    if (!scales_.readingScaleKnown) {
        if (Edit_Span->text() == shownSpan_) Edit_Span->clear();
        shownSpan_.clear();
        Label_SpanSource->setText(U("a skála nem ismert: adja meg"));
        return;
    }
    // A span the technician typed stays.
    const bool typed = !Edit_Span->text().isEmpty() && Edit_Span->text() != shownSpan_;
    const int decimals = ReadingDecimals(ctx_.recRX);
    shownSpan_ = Number(scales_.input.ToSpan(), decimals);
    if (!typed) Edit_Span->setText(shownSpan_);
    Label_SpanSource->setText(U("%1 skálája: %2 … %3")
                                  .arg(QString::fromStdString(scales_.block), Number(scales_.input.toLow, decimals),
                                       Number(scales_.input.toHigh, decimals)));
}

std::optional<double> TForm_Report::TypedNumber(const QLineEdit* edit) const { return TypedNumber(edit->text()); }

std::optional<double> TForm_Report::TypedNumber(QString text) const {
    text = text.trimmed();
    text.replace(ctx_.DecimalSeparator, '.').replace(',', '.');
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}

QString TForm_Report::Number(double value, int decimals) const {
    return ReportNumber(value, decimals).replace(',', ctx_.DecimalSeparator);
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
