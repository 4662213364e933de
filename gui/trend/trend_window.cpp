#include "gui/trend/trend_window.h"

#include <QBuffer>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>

#include "core/device/device_types.h"
#include "core/device/status_texts.h"
#include "gui/link/instrument_context.h"
#include "gui/trend/trend_history.h"
#include "gui/views/file_choice.h"
#include "gui/views/window_placement.h"
#include "program/file_writing.h"

namespace velmar {

namespace {
constexpr int kBuckets = 200;
const int64_t kSpansMs[] = {60'000, 600'000, 3'600'000};
// A pixel of a 600-pixel plot is 0.1 s, 1 s and 6 s long in the three windows.
const int kRedrawSlowdown[] = {1, 2, 10};

// The limit outputs' settings as the records hold them after a read.
struct LimitFields {
    uint8_t tRX::*mode;
    int32_t tRX::*a;
    int32_t tRX::*b;
};
constexpr LimitFields kLimitFields[kTrendRelays] = {
    {&tRX::enuLimitModeL1, &tRX::iLowLimitL1, &tRX::iHighLimitL1},
    {&tRX::enuLimitModeL2, &tRX::iLowLimitL2, &tRX::iHighLimitL2},
    {&tRX::enuLimitModeL3, &tRX::iLowLimitL3, &tRX::iHighLimitL3},
    {&tRX::enuLimitModeL4, &tRX::iLowLimitL4, &tRX::iHighLimitL4},
};

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text, bool checkable) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setCheckable(checkable);
    return b;
}

QString SizeText(uint64_t bytes) { return QLocale().formattedDataSize(qint64(bytes), 1, QLocale::DataSizeSIFormat); }
}  // namespace

TForm_Trend::TForm_Trend(InstrumentContext& ctx, TrendHistory& history)
    : QWidget(ctx.window, Qt::Window), ctx_(ctx), history_(history), thinner_(kSpansMs[0], kBuckets) {
    setObjectName("Form_Trend");
    setWindowTitle(QString::fromUtf8("Trend és felvétel"));
    resize(900, 600);

    ComboBox_TrendWindow = new QComboBox(this);
    ComboBox_TrendWindow->setObjectName("ComboBox_TrendWindow");
    ComboBox_TrendWindow->addItems({"1 perc", "10 perc", QString::fromUtf8("1 óra")});
    SpeedButton_TrendPause = MakeButton(this, "SpeedButton_TrendPause", QString::fromUtf8("Szünet"), true);
    SpeedButton_TrendRecord = MakeButton(this, "SpeedButton_TrendRecord", QString::fromUtf8("Felvétel"), true);
    Button_TrendExportPng = MakeButton(this, "Button_TrendExportPng", QString::fromUtf8("Mentés képként (PNG)"), false);
    Label_TrendRecordState = new QLabel(QString::fromUtf8("Nincs felvétel."), this);
    Label_TrendRecordState->setObjectName("Label_TrendRecordState");
    // Rewritten twice a second: its new text must not lay out the window again.
    Label_TrendRecordState->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    Label_TrendCursor = new QLabel(this);
    Label_TrendCursor->setObjectName("Label_TrendCursor");
    Label_TrendCursor->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QString problem;
    chart = MakeTrendPlot(this, &problem);
    if (chart) {
        chartWidget_ = chart->Widget();
    } else {
        auto* note = new QLabel(
            QString::fromUtf8("A grafikon nem jeleníthető meg: a rajzoló modul nem tölthető be.\n%1").arg(problem),
            this);
        note->setAlignment(Qt::AlignCenter);
        note->setWordWrap(true);
        chartWidget_ = note;
    }
    chartWidget_->setObjectName("TrendChart");

    auto* controls = new QHBoxLayout;
    controls->addWidget(new QLabel(QString::fromUtf8("Időablak:"), this));
    controls->addWidget(ComboBox_TrendWindow);
    controls->addWidget(SpeedButton_TrendPause);
    controls->addSpacing(16);
    controls->addWidget(SpeedButton_TrendRecord);
    controls->addStretch(1);
    controls->addWidget(Button_TrendExportPng);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    // A line of its own: the record count and the file's size and name are
    // read whole at any width of the window.
    layout->addWidget(Label_TrendRecordState);
    layout->addWidget(chartWidget_, 1);
    layout->addWidget(Label_TrendCursor);

    timer_ = new QTimer(this);
    timer_->setInterval(kRedrawMs);
    connect(timer_, &QTimer::timeout, this, &TForm_Trend::TimerTick);
    connect(ComboBox_TrendWindow, &QComboBox::currentIndexChanged, this, &TForm_Trend::SetSpan);
    connect(SpeedButton_TrendPause, &QPushButton::toggled, this, [this](bool paused) {
        if (!paused) Redraw();
    });
    connect(SpeedButton_TrendRecord, &QPushButton::clicked, this, &TForm_Trend::RecordClicked);
    connect(Button_TrendExportPng, &QPushButton::clicked, this, &TForm_Trend::ExportClicked);
    if (chart) chart->SetCursorListener([this](double t) { Label_TrendCursor->setText(CursorText(t)); });
    connect(&history_, &TrendHistory::appended, this, &TForm_Trend::Record);
}

TForm_Trend::~TForm_Trend() = default;

const TrendRing& TForm_Trend::Ring() const { return history_.Ring(); }

void TForm_Trend::Record(const TrendSample& s) {
    if (!recorder_.IsOpen()) return;
    UpdateContext();
    AppendCsvLine(recorder_.Buffer(), s, context_);
    recorder_.LineAdded();
}

void TForm_Trend::UpdateContext() {
    // Names and texts are made again only when the instrument changes.
    const tRX& rx = ctx_.recRX;
    const uint16_t made = uint16_t(rx.uGyariSzamEv << 8 | rx.uGyariSzamHonap);
    if (!contextKnown_ || rx.uDevice != contextDevice_ || rx.uDeviceID != contextSerial_ || made != contextMade_) {
        contextKnown_ = true;
        contextDevice_ = rx.uDevice;
        contextSerial_ = rx.uDeviceID;
        contextMade_ = made;
        context_.device = DeviceTypeName(rx.uDevice);
        context_.serial = SerialNumberText(rx.uDeviceID, rx.uGyariSzamEv, rx.uGyariSzamHonap);
    }
    const QString unit = ShownUnit();
    if (unit != unit_) {
        unit_ = unit;
        context_.unit = unit.toStdString();
    }
}

QString TForm_Trend::ShownUnit() const {
    // The header's "?": not known.
    return ctx_.shownUnit == QLatin1String("?") ? QString() : ctx_.shownUnit;
}

void TForm_Trend::Tick() {
    KeepUp(QDateTime::currentMSecsSinceEpoch());
    Redraw();
}

void TForm_Trend::TimerTick() {
    const int64_t now = QDateTime::currentMSecsSinceEpoch();
    KeepUp(now);
    if (now - redrawnAt_ >= kRedrawMs * kRedrawSlowdown[ComboBox_TrendWindow->currentIndex()] - kRedrawMs / 2) Redraw();
}

void TForm_Trend::KeepUp(int64_t now) {
    const TrendSample* last = Ring().Newest();
    const bool lost = !ctx_.recMBU.bOnline || !last || now - last->timeMs > TrendHistory::kGapMs;
    if (lost && (!last || !last->gap)) {
        TrendSample gap;
        gap.timeMs = now;
        gap.gap = true;
        history_.Append(gap);
    }
    // A large buffer is written out as it fills; its failure is told here.
    std::string error = recorder_.TakeFailure();
    if (recorder_.IsOpen() || !error.empty()) {
        // The offset may change with daylight saving while recording.
        context_.utcOffsetMinutes = QDateTime::currentDateTime().offsetFromUtc() / 60;
        if (!error.empty() || !recorder_.Flush(&error)) {
            StopRecording();
            ctx_.Inform(QString::fromUtf8("A felvétel leállt, a fájlba nem lehet írni:\r\n") +
                        QString::fromStdString(error));
        }
        ShowRecordState();
    }
}

void TForm_Trend::Redraw() {
    if (!isVisible() || SpeedButton_TrendPause->isChecked()) return;
    const int64_t now = QDateTime::currentMSecsSinceEpoch();
    redrawnAt_ = now;
    thinner_.Update(Ring(), now);
    if (!chart) return;
    std::vector<TrendPlot::LimitLine> limits;
    const tRX& rx = ctx_.recRX;
    for (int r = 0; r < kTrendRelays; ++r) {
        const LimitFields& f = kLimitFields[r];
        const std::vector<int32_t> values = LimitLineValues(rx.*f.mode, rx.*f.a, rx.*f.b);
        for (std::size_t i = 0; i < values.size(); ++i)
            limits.push_back({r, QString::fromUtf8("%1. relé %2").arg(r + 1).arg(i == 0 ? "A" : "B"),
                              values[i] / double(rx.fDivider)});
    }
    TrendPlot::Points points;
    for (int i = 0; i < kTrendChannels; ++i) points[std::size_t(i)] = thinner_.Points(i);
    chart->SetUnit(ShownUnit());
    chart->Show(points, thinner_.SpanMs(), now, limits);
}

QString TForm_Trend::CursorText(double timeMs) const {
    const TrendRing& ring = Ring();
    const uint64_t n = ring.FindTime(int64_t(timeMs));
    if (ring.Size() == 0) return {};
    // The sample nearest to the cursor, before or after it.
    uint64_t at = std::min(n, ring.EndNumber() - 1);
    if (at > ring.FirstNumber() && std::abs(ring.At(at - 1).timeMs - timeMs) < std::abs(ring.At(at).timeMs - timeMs))
        --at;
    const TrendSample& s = ring.At(at);
    QString text = QDateTime::fromMSecsSinceEpoch(s.timeMs).toString("yyyy-MM-dd HH:mm:ss.zzz") + "   ";
    if (s.gap) return text + QString::fromUtf8("Nincs kapcsolat");
    const QString unit = ShownUnit().isEmpty() ? QString() : " " + ShownUnit();
    const QLocale locale;
    text +=
        QString::fromUtf8("Érték 1: %1%2").arg(locale.toString(ChannelValue(s, kTrendValue1), 'f', s.decimals), unit);
    if (s.hasValue2)
        text += QString::fromUtf8("   Érték 2: %1%2")
                    .arg(locale.toString(ChannelValue(s, kTrendValue2), 'f', s.decimals), unit);
    text += QString::fromUtf8("   A tartományban: %1 %").arg(locale.toString(ChannelValue(s, kTrendRange1), 'f', 1));
    if (s.hasValue2) text += QString::fromUtf8(", %1 %").arg(locale.toString(ChannelValue(s, kTrendRange2), 'f', 1));
    for (int slot = 0; slot < 2; ++slot) {
        const float analog = slot == 0 ? s.analog1 : s.analog2;
        if (analog == analog)
            text += QString::fromUtf8("   Analóg kimenet %1: %2 %3")
                        .arg(slot + 1)
                        .arg(locale.toString(double(analog), 'f', 3), AnalogUnit(s, slot));
    }
    text += QString::fromUtf8("   Relék: ");
    for (int r = 0; r < kTrendRelays; ++r) text += (s.relays >> r) & 1 ? "1" : "0";
    return text + QString::fromUtf8("   Hibakód: %1").arg(s.errorCode);
}

void TForm_Trend::Open() {
    if (!isVisible()) PositionFormToCenterOfMainForm(this, ctx_.window);
    show();
    raise();
    activateWindow();
}

bool TForm_Trend::StartRecording(const QString& path) {
    StopRecording();
    std::string error;
    context_.decimalSeparator = ctx_.DecimalSeparator.toLatin1();
    context_.utcOffsetMinutes = QDateTime::currentDateTime().offsetFromUtc() / 60;
    contextKnown_ = false;
    unit_.clear();
    if (!recorder_.Open(QFile::encodeName(path).toStdString(), &error)) {
        ctx_.Inform(QString::fromUtf8("A felvételi fájl nem hozható létre:\r\n%1\r\n%2")
                        .arg(QDir::toNativeSeparators(path), QString::fromStdString(error)));
        SpeedButton_TrendRecord->setChecked(false);
        return false;
    }
    SpeedButton_TrendRecord->setChecked(true);
    ShowRecordState();
    UpdateTimer();
    return true;
}

void TForm_Trend::StopRecording() {
    if (recorder_.IsOpen()) {
        std::string error;
        if (!recorder_.Close(&error))
            ctx_.Inform(QString::fromUtf8("A felvétel végét nem sikerült a fájlba írni:\r\n") +
                        QString::fromStdString(error));
        ShowRecordState();
    }
    SpeedButton_TrendRecord->setChecked(false);
    UpdateTimer();
}

void TForm_Trend::ShowRecordState() {
    const QString file = QFileInfo(QFile::decodeName(recorder_.Path().c_str())).fileName();
    const QString counts = QString::fromUtf8("%1 rekord, %2").arg(recorder_.Records()).arg(SizeText(recorder_.Bytes()));
    Label_TrendRecordState->setText(recorder_.IsOpen() ? QString::fromUtf8("Felvétel: %1 – %2").arg(file, counts)
                                                       : QString::fromUtf8("Felvétel vége: %1 – %2").arg(file, counts));
}

void TForm_Trend::RecordClicked(bool checked) {
    if (!checked) {
        StopRecording();
        return;
    }
    SpeedButton_TrendRecord->setChecked(false);  // until a file is chosen
    const QString path = ChooseSaveFile(this, QString::fromUtf8("Felvétel mentése"), DefaultFileName(".csv"),
                                        QString::fromUtf8("CSV fájl (*.csv)"));
    if (!path.isEmpty()) StartRecording(path);
}

void TForm_Trend::ExportClicked() {
    const QString path = ChooseSaveFile(this, QString::fromUtf8("A grafikon mentése képként"), DefaultFileName(".png"),
                                        QString::fromUtf8("PNG kép (*.png)"));
    QString error;
    if (!path.isEmpty() && !ExportPng(path, &error))
        ctx_.Inform(
            QString::fromUtf8("A kép nem menthető ide:\r\n%1\r\n%2").arg(QDir::toNativeSeparators(path), error));
}

bool TForm_Trend::ExportPng(const QString& path, QString* error) {
    QString ignored;
    if (!error) error = &ignored;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!chartWidget_->grab().save(&buffer, "PNG")) {
        *error = QString::fromUtf8("a kép nem készíthető el");
        return false;
    }
    return WriteFileWhole(path, png, error);
}

QString TForm_Trend::DefaultFileName(const char* suffix) const {
    return "velmar_" + InstrumentFileStem(ctx_.recRX.uDevice, ctx_.recRX.uDeviceID) + suffix;
}

void TForm_Trend::SetSpan(int index) {
    index = std::clamp(index, 0, 2);
    thinner_ = TrendThinner(kSpansMs[index], kBuckets);
    Redraw();
}

void TForm_Trend::OpenFromArguments(const QStringList& arguments) {
    for (const QString& a : arguments) {
        if (!a.startsWith("--open-trend")) continue;
        Open();
        if (a.startsWith("--open-trend=") && a.size() > 13) StartRecording(a.mid(13));
    }
}

void TForm_Trend::UpdateTimer() {
    const bool needed = isVisible() || recorder_.IsOpen();
    if (needed && !timer_->isActive()) timer_->start();
    if (!needed) timer_->stop();
}

void TForm_Trend::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    UpdateTimer();
    Redraw();
}

void TForm_Trend::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    UpdateTimer();
}

}  // namespace velmar
