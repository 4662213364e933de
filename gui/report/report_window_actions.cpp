// What the report window does: check points taken from the status answers,
// the instrument read as left, the PDF and the printout.

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

#include "gui/app/form_main.h"
#include "gui/files/settings_files.h"
#include "core/device/status_texts.h"
#include "report/report_pdf.h"
#include "gui/report/report_window.h"

namespace velmar {

namespace {

QString U(const char* s) { return QString::fromUtf8(s); }

double MeasuredValue(const tRX& rx) {
    return rx.iSkalazottKijezesiErtek / std::pow(10.0, rx.uDecimalPoint <= 4 ? rx.uDecimalPoint : 0);
}

bool Online(const TForm1& main) { return main.recMBU.bOnline && main.recRX.uDevice != 0; }

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

void TForm_Report::Capture() {
    if (capturing_) return;
    const std::optional<double> reference = TypedNumber(Edit_Reference);
    if (!reference)
        return CheckMessage(U("A referencia nem szám: „%1”. Írja be a kalibrátorral adott értéket, pl. %2.")
                                .arg(Edit_Reference->text(), QString("12") + main_.DecimalSeparator + "5"),
                            true);
    const std::optional<double> span = TypedNumber(Edit_Span);
    if (!span || *span <= 0)
        return CheckMessage(U("A terjedelem nem ismert: írja be a bemenet skálájának terjedelmét (pozitív szám)."), true);
    const std::optional<double> tolerance = TypedNumber(Edit_Tolerance);
    if (!tolerance || *tolerance <= 0)
        return CheckMessage(U("A tűrés pozitív szám legyen, a terjedelem százalékában."), true);
    if (int(checks_.points.size()) >= kMaxCheckPoints)
        return CheckMessage(U("Legfeljebb %1 ellenőrző pont lehet; töröljön egyet.").arg(kMaxCheckPoints), true);
    if (!Online(main_)) return CheckMessage(U("Nincs kapcsolat a készülékkel."), true);
    capturing_ = true;
    reference_ = *reference;
    readings_.clear();
    Button_Capture->setEnabled(false);
    CheckMessage(U("Mérés folyamatban (2 s)…"), false);
    sampling_ = connect(&main_, &TForm1::statusAnswered, this, [this] { readings_.push_back(MeasuredValue(main_.recRX)); });
    QTimer::singleShot(kCheckSampleMs, this, &TForm_Report::FinishCapture);
}

void TForm_Report::FinishCapture() {
    disconnect(sampling_);
    capturing_ = false;
    Button_Capture->setEnabled(true);
    const double span = TypedNumber(Edit_Span).value_or(0);
    checks_.tolerancePercent = TypedNumber(Edit_Tolerance).value_or(0);
    const std::optional<CheckPoint> p = EvaluateCheckPoint(reference_, readings_, span, checks_.tolerancePercent);
    if (!p) return CheckMessage(U("Nem érkezett mért érték: nincs kapcsolat a készülékkel. A pont nem rögzült."), true);
    checks_.span = span;
    checks_.spanSource = scale_ && Edit_Span->text() == shownSpan_ ? scale_->block + " skálája"
                                                                   : std::string("kézzel megadva");
    const char* unit = MeasuredUnit(main_.recRX);
    checks_.unit = unit ? unit : "";
    checks_.decimals = main_.recRX.uDecimalPoint <= 4 ? main_.recRX.uDecimalPoint : 0;
    checks_.points.push_back(*p);
    ShowPoints();
    Edit_Reference->clear();
    CheckMessage(p->passes ? U("A pont rögzítve: megfelel.") : U("A pont rögzítve: nem felel meg."), !p->passes);
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
    const QChar separator = main_.DecimalSeparator;
    auto number = [separator](double v, int decimals) { return ReportNumber(v, decimals).replace(',', separator); };
    StringGrid_CheckPoints->setRowCount(int(checks_.points.size()));
    for (int r = 0; r < int(checks_.points.size()); ++r) {
        const CheckPoint& p = checks_.points[std::size_t(r)];
        const QStringList cells{number(p.reference, checks_.decimals), number(p.mean, checks_.decimals + 1),
                                number(p.spread, checks_.decimals + 1), number(p.errorPercent, 3),
                                p.passes ? U("megfelel") : U("nem felel meg")};
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment(c < 4 ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter);
            StringGrid_CheckPoints->setItem(r, c, item);
        }
    }
}

void TForm_Report::MakeReport(std::function<void(const ReportDocument&)> use) {
    if (busy_) return;
    if (!Online(main_))
        return main_.Inform(U("Nincs kapcsolat a készülékkel: csatlakoztassa, és várja meg, amíg az adatai megjelennek."));
    SetBusy(true);
    const InstrumentFit fit = files_.Fit();
    QPointer<TForm_Report> self(this);
    files_.ReadBlocks(BlocksOf(fit), false, [this, self, fit, use](std::optional<BlockImages> blocks, QString error) {
        if (!self) return;
        if (!blocks) {
            SetBusy(false);
            return main_.Inform(U("A készülék nem olvasható ki, a jegyzőkönyv nem készült el. ") + error);
        }
        ReadCalibration(main_.engine, CalibrationReadsOf(fit),
                        [this, self, fit, use, left = std::move(*blocks)](std::vector<CalibrationValue> calibration) {
                            if (!self) return;
                            SetBusy(false);
                            ReportSources s;
                            s.header = {Edit_Technician->text().trimmed(), Edit_Site->text().trimmed(),
                                        Memo_Note->toPlainText().trimmed(), QDateTime::currentDateTime()};
                            s.identity = files_.Identity();
                            s.fit = fit;
                            s.context = {main_.recRX.uDecimalPoint, main_.recRX.uDevice};
                            s.asLeft = left;
                            // This attach: the read just made is its first of a block
                            // no write has touched, so it is how that block was found.
                            s.visit = VisitOf(files_.Journal().Entries(), files_.Journal().Session());
                            s.calibration = std::move(calibration);
                            s.checks = checks_;
                            const ReportDocument d = BuildReport(s);
                            ShowSpan();
                            Label_AsLeft->setText(
                                d.hasAsFound
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
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const InstrumentIdentity id = files_.Identity();
    const QString path = chooseFile(QDir(folder).filePath(ReportFileName(id.deviceType, id.serial)));
    if (path.isEmpty()) return;
    MakeReport([this, path](const ReportDocument& d) {
        QString error;
        if (!SaveReportPdf(d, path, &error))
            return main_.Inform(error + U("\nA beírt adatok és a mérési pontok megmaradtak; válasszon másik helyet."));
        main_.Inform(U("A jegyzőkönyv elmentve: %1").arg(path));
    });
}

void TForm_Report::Print() {
    if (busy_) return;
    RememberTexts();
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(U("Jegyzőkönyv"));
    if (!choosePrinter(*printer)) return;
    MakeReport([this, printer](const ReportDocument& d) {
        if (!PaintReport(d, *printer)) main_.Inform(U("A nyomtató nem érhető el, a jegyzőkönyv nem készült el."));
    });
}

}  // namespace velmar
