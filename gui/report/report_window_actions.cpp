// What the report window does: check points taken from the status answers
// against the input applied and the output measured, the instrument read as
// left, the PDF with its twin and the printout.

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTimer>
#include <cmath>
#include <memory>
#include <tuple>

#include "core/device/status_texts.h"
#include "gui/files/settings_files.h"
#include "gui/link/instrument_context.h"
#include "gui/report/report_window.h"
#include "gui/views/file_choice.h"
#include "report/report_pdf.h"

namespace velmar {

namespace {

QString U(const char* s) { return QString::fromUtf8(s); }

bool Online(const InstrumentContext& ctx) { return ctx.recMBU.bOnline && ctx.recRX.uDevice != 0; }

// Calibration constants read one after another through the engine.
void ReadCalibration(CommandEngine& engine, std::vector<const CalibrationRead*> reads,
                     std::function<void(std::vector<CalibrationValue>)> done, std::vector<CalibrationValue> got = {}) {
    if (reads.empty()) return done(std::move(got));
    const CalibrationRead* read = reads.front();
    reads.erase(reads.begin());
    engine.Submit(read->command, {},
                  [&engine, read, reads = std::move(reads), done = std::move(done),
                   got = std::move(got)](const CommandResult& r) mutable {
                      if (r.error == 0)
                          for (CalibrationValue& v : DecodeCalibration(*read, r.answer)) got.push_back(std::move(v));
                      else
                          got.push_back({read->caption, "", "nem olvasható"});
                      ReadCalibration(engine, std::move(reads), std::move(done), std::move(got));
                  });
}

}  // namespace

void TForm_Report::ReadScales(bool all) {
    if (readingScales_ || busy_ || !Online(ctx_)) return;
    std::vector<const SettingsBlockInfo*> missing;
    for (const SettingsBlockInfo* info : BlocksOf(files_.Fit()))
        if (all || !files_.Journal().Known().count(info->name)) missing.push_back(info);
    if (missing.empty()) return;
    readingScales_ = true;
    QPointer<TForm_Report> self(this);
    files_.ReadBlocks(missing, false, [this, self](std::optional<BlockImages>, QString) {
        if (!self) return;
        readingScales_ = false;
        ShowSpan();
    });
}

void TForm_Report::Capture() {
    if (capturing_) return;
    ReadScales();
    const std::optional<double> input = TypedNumber(Edit_Input);
    if (!input)
        return CheckMessage(U("A bemenet nem szám: „%1”. Írja be a referencián beállított értéket, pl. %2.")
                                .arg(Edit_Input->text(), Number(12.5, 1)),
                            true);
    std::optional<double> output;
    if (Edit_Output->isEnabled() && !Edit_Output->text().trimmed().isEmpty()) {
        output = TypedNumber(Edit_Output);
        if (!output)
            return CheckMessage(U("A kimenet nem szám: „%1”. Írja be a referencián mért értéket, vagy hagyja üresen.")
                                    .arg(Edit_Output->text()),
                                true);
    }
    const std::optional<double> span = TypedNumber(Edit_Span);
    if (!span || *span <= 0)
        return CheckMessage(U("A terjedelem nem ismert: írja be a bemenet skálájának terjedelmét (pozitív szám)."),
                            true);
    const std::optional<double> tolerance = TypedNumber(Edit_Tolerance);
    if (!tolerance || *tolerance <= 0)
        return CheckMessage(U("A tűrés pozitív szám legyen, a terjedelem százalékában."), true);
    const std::optional<double> steady = TypedNumber(Edit_SteadyLimit);
    if (!steady || *steady <= 0)
        return CheckMessage(U("Az ingadozás határa pozitív szám legyen, a terjedelem százalékában."), true);
    if (int(checks_.points.size()) >= kMaxCheckPoints)
        return CheckMessage(U("Legfeljebb %1 ellenőrző pont lehet; töröljön egyet.").arg(kMaxCheckPoints), true);
    // Asked again for the point just refused as unsteady: taken as it was measured.
    const QString typed = Edit_Input->text() + '\n' + Edit_Output->text();
    if (unsteady_ && typed == unsteadyTyped_) {
        const CheckPoint p = *unsteady_;
        unsteady_.reset();
        return TakePoint(p);
    }
    unsteady_.reset();
    if (!Online(ctx_)) return CheckMessage(U("Nincs kapcsolat a készülékkel."), true);
    capturing_ = true;
    captureInstrument_ = instrument_;
    input_ = *input;
    output_ = output;
    readings_.clear();
    Button_Capture->setEnabled(false);
    CheckMessage(U("Mérés folyamatban (2 s)…"), false);
    sampling_ = connect(&ctx_.events, &InstrumentEvents::statusAnswered, this,
                        [this] { readings_.push_back(ReadingOf(ctx_.recRX)); });
    QTimer::singleShot(kCheckSampleMs, this, &TForm_Report::FinishCapture);
}

void TForm_Report::FinishCapture() {
    disconnect(sampling_);
    capturing_ = false;
    Button_Capture->setEnabled(true);
    if (captureInstrument_ != instrument_)
        return CheckMessage(U("A mérés közben másik készülék csatlakozott; a pont nem rögzült."), true);
    ShowSpan();
    const CheckLimits limits{TypedNumber(Edit_Span).value_or(0), scales_.output ? scales_.output->ToSpan() : 0,
                             TypedNumber(Edit_Tolerance).value_or(0), TypedNumber(Edit_SteadyLimit).value_or(0)};
    const std::optional<CheckPoint> p =
        EvaluateCheckPoint(input_, ExpectedAt(scales_, input_), output_, readings_, limits);
    if (!p) return CheckMessage(U("Nem érkezett mért érték: nincs kapcsolat a készülékkel. A pont nem rögzült."), true);
    checks_.tolerancePercent = limits.tolerancePercent;
    checks_.steadyPercent = limits.steadyPercent;
    checks_.span = limits.span;
    checks_.spanSource = scales_.readingScaleKnown && Edit_Span->text() == shownSpan_ ? scales_.block + " skálája"
                                                                                      : std::string("kézzel megadva");
    const char* unit = MeasuredUnit(ctx_.recRX);
    checks_.unit = unit ? unit : "";
    checks_.decimals = ReadingDecimals(ctx_.recRX);
    DescribeScales(checks_, scales_);
    if (!p->steady) {
        unsteady_ = p;
        unsteadyTyped_ = Edit_Input->text() + '\n' + Edit_Output->text();
        return CheckMessage(U("A jel nem állandó: szórása %1, a terjedelem %2 %-a (megengedett: %3 %). A pont nem "
                              "rögzült; várja meg, amíg a jel beáll, vagy nyomja meg ismét a „Rögzítés” gombot, "
                              "ha így is rögzíteni kívánja.")
                                .arg(Number(p->spread, checks_.decimals + 1), Number(p->spread / limits.span * 100, 2),
                                     Number(limits.steadyPercent, 2)),
                            true);
    }
    TakePoint(*p);
}

void TForm_Report::TakePoint(const CheckPoint& p) {
    checks_.points.push_back(p);
    ShowPoints();
    Edit_Input->clear();
    Edit_Output->clear();
    const QString verdict = p.Passes() ? U("megfelel") : U("nem felel meg");
    CheckMessage(p.steady ? U("A pont rögzítve: %1.").arg(verdict)
                          : U("A pont rögzítve ingadozó jellel: %1; a jegyzőkönyv jelöli.").arg(verdict),
                 !p.Passes() || !p.steady);
}

void TForm_Report::DeletePoint() {
    const int row = StringGrid_CheckPoints->currentRow();
    if (row < 0 || row >= int(checks_.points.size()))
        return CheckMessage(U("Jelölje ki a törlendő pontot a táblázatban."), true);
    checks_.points.erase(checks_.points.begin() + row);
    ShowPoints();
    CheckMessage(U("A pont törölve; újra felvehető."), false);
}

void TForm_Report::ShowPoints() {
    const CheckPoints& c = checks_;
    const auto withUnit = [](const QString& number, const std::string& unit) {
        return unit.empty() ? number : number + " " + QString::fromStdString(unit);
    };
    StringGrid_CheckPoints->setRowCount(int(c.points.size()));
    for (int r = 0; r < int(c.points.size()); ++r) {
        const CheckPoint& p = c.points[std::size_t(r)];
        const bool output = p.output && p.expectedOutput;
        const QStringList cells{
            withUnit(Number(p.input, c.InputDecimals()), c.InputUnit()),
            withUnit(Number(p.expected, c.decimals), c.unit),
            withUnit(Number(p.mean, c.decimals + 1), c.unit),
            withUnit(Number(p.spread, c.decimals + 1), c.unit),
            Number(p.errorPercent, 3),
            output ? withUnit(Number(*p.output, 3), c.outputUnit) : U("–"),
            output ? withUnit(Number(*p.expectedOutput, 3), c.outputUnit) : U("–"),
            output ? Number(p.outputErrorPercent, 3) : U("–"),
            (p.Passes() ? U("megfelel") : U("nem felel meg")) + (p.steady ? QString() : U(" (ingadozó)"))};
        for (int col = 0; col < cells.size(); ++col) {
            auto* item = new QTableWidgetItem(cells[col]);
            item->setTextAlignment(col < 8 ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter);
            StringGrid_CheckPoints->setItem(r, col, item);
        }
    }
    StringGrid_CheckPoints->resizeColumnsToContents();
}

std::optional<ReportHeader> TForm_Report::TypedHeader() {
    ReportHeader h{Edit_Technician->text().trimmed(),
                   Edit_Site->text().trimmed(),
                   Edit_Tag->text().trimmed(),
                   Edit_Customer->text().trimmed(),
                   Edit_Order->text().trimmed(),
                   Memo_Note->toPlainText().trimmed(),
                   QDateTime::currentDateTime(),
                   {Edit_ReferenceType->text().trimmed(), Edit_ReferenceSerial->text().trimmed(), {}},
                   {},
                   {}};
    if (DateEdit_ReferenceDue->date() != DateEdit_ReferenceDue->minimumDate())
        h.reference.due = DateEdit_ReferenceDue->date();
    for (const auto& [edit, value, what] : {std::tuple{Edit_Ambient, &h.ambient, "A környezeti hőmérséklet"},
                                            std::tuple{Edit_Humidity, &h.humidity, "A páratartalom"}}) {
        if (edit->text().trimmed().isEmpty()) continue;
        *value = TypedNumber(edit);
        if (!*value) {
            ctx_.Inform(U("%1 nem szám: „%2”. Írja be számmal, vagy hagyja üresen.").arg(U(what), edit->text()));
            return std::nullopt;
        }
    }
    return h;
}

void TForm_Report::MakeReport(std::function<void(const ReportDocument&)> use) {
    if (busy_) return;
    if (!Online(ctx_))
        return ctx_.Inform(
            U("Nincs kapcsolat a készülékkel: csatlakoztassa, és várja meg, amíg az adatai megjelennek."));
    const std::optional<ReportHeader> header = TypedHeader();
    const std::optional<std::map<std::string, RelayTest>> relayTests = TypedRelayTests();
    if (!header || !relayTests) return;
    SetBusy(true);
    const InstrumentFit fit = files_.Fit();
    QPointer<TForm_Report> self(this);
    files_.ReadBlocks(
        BlocksOf(fit), false,
        [this, self, fit, use, header = *header, relayTests = *relayTests](std::optional<BlockImages> blocks,
                                                                           QString error) {
            if (!self) return;
            if (!blocks) {
                SetBusy(false);
                return ctx_.Inform(U("A készülék nem olvasható ki, a jegyzőkönyv nem készült el. ") + error);
            }
            ReadCalibration(ctx_.engine, CalibrationReadsOf(fit),
                            [this, self, fit, use, header, relayTests,
                             left = std::move(*blocks)](std::vector<CalibrationValue> calibration) {
                                if (!self) return;
                                SetBusy(false);
                                ReportSources s;
                                s.header = header;
                                s.identity = files_.Identity();
                                s.fit = fit;
                                s.context = {ctx_.recRX.uDecimalPoint, ctx_.recRX.uDevice};
                                s.asLeft = left;
                                // This attach: the read just made is its first of a block
                                // no write has touched, so it is how that block was found.
                                s.visit = VisitOf(files_.Journal().Entries(), files_.Journal().Session());
                                s.calibration = std::move(calibration);
                                s.checks = checks_;
                                s.relayTests = relayTests;
                                const char* unit = MeasuredUnit(ctx_.recRX);
                                s.readingUnit = unit ? QString::fromUtf8(unit) : QString();
                                const ReportDocument d = BuildReport(s);
                                ShowSpan();
                                Label_AsLeft->setText(d.hasAsFound
                                                          ? U("Kiolvasva %1: %2 mező tér el a megtalált állapottól.")
                                                                .arg(QTime::currentTime().toString("HH:mm:ss"))
                                                                .arg(d.changedFields)
                                                          : U("Kiolvasva %1; ehhez a látogatáshoz nincs napló.")
                                                                .arg(QTime::currentTime().toString("HH:mm:ss")));
                                use(d);
                            });
        });
}

void TForm_Report::ReadAsLeft() {
    MakeReport([](const ReportDocument&) {});
}

void TForm_Report::SavePdf() {
    if (busy_) return;
    RememberTexts();
    const InstrumentIdentity id = files_.Identity();
    const QString path = chooseFile(QDir(LastFolder()).filePath(ReportFileName(id.deviceType, id.serial)));
    if (path.isEmpty()) return;
    MakeReport([this, path](const ReportDocument& d) {
        QString error;
        if (!SaveReportPdf(d, path, &error))
            return ctx_.Inform(error + U("\nA beírt adatok és a mérési pontok megmaradtak; válasszon másik helyet."));
        ctx_.Inform(U("A jegyzőkönyv elmentve: %1 (adatai géppel olvashatóan: %2)").arg(path, ReportJsonPath(path)));
    });
}

void TForm_Report::Print() {
    if (busy_) return;
    RememberTexts();
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(U("Jegyzőkönyv"));
    if (!choosePrinter(*printer)) return;
    MakeReport([this, printer](const ReportDocument& d) {
        if (!PaintReport(d, *printer)) ctx_.Inform(U("A nyomtató nem érhető el, a jegyzőkönyv nem készült el."));
    });
}

}  // namespace velmar
