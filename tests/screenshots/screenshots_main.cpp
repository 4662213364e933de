// velmar_screenshots: draws every window of the program, as the program
// itself draws it, on the virtual instrument and offscreen: the main window
// of each instrument type in normal and service mode, each page of the
// service tab, every dialog with each of its tabs, the trend, the compare
// table and the journal. scripts/screenshots runs it.
//
//   velmar_screenshots OUTDIR [--only=GROUP,...]
//
// Each picture is a PNG of at most 256 colours, named after the window and
// the instrument. The groups: an instrument's name (px330: its main window
// and dialogs), service_ and the name (its service pages), small (the
// no-connection and refused pages, the errors, the replaced instrument and
// the value editors), trend, compare (with the journal). The main window's minimum size and the size it opens at are
// listed on standard output.
#include <QApplication>
#include <QDateEdit>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QImageWriter>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <memory>
#include <set>
#include <tuple>

#include "gui/app/device_replaced_dialog.h"
#include "gui/app/form_main.h"
#include "gui/app/late_windows.h"
#include "gui/app/startup.h"
#include "gui/device/errors_dialog.h"
#include "gui/device/header_page.h"
#include "gui/files/settings_files.h"
#include "gui/report/report_window.h"
#include "gui/trend/trend_window.h"
#include "gui/views/value_editor_digits.h"
#include "gui/views/value_editor_open.h"
#include "gui/views/value_editor_typed.h"
#include "transport/sim_hid.h"

namespace velmar {
namespace {

QString outDir;
QStringList only;  // groups to draw; all when empty
std::set<QString> dialogsDrawn;  // each dialog once, with the first instrument that has it

void Wait(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool WaitUntil(const std::function<bool()>& done, int ms) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > ms) return false;
        Wait(20);
    }
    return true;
}

bool Wanted(const QString& group) { return only.isEmpty() || only.contains(group); }

void Save(QWidget* w, const QString& name) {
    // Laid out and painted as shown, then reduced to a palette: the pictures
    // are flat colours and stay small that way.
    QApplication::processEvents();
    const QImage image = w->grab().toImage().convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    QImageWriter writer(QDir(outDir).filePath(name + ".png"), "png");
    writer.setQuality(0);  // the strongest compression
    if (!writer.write(image))
        std::fprintf(stderr, "velmar_screenshots: %s: %s\n", qPrintable(name), qPrintable(writer.errorString()));
}

// Each tab of a window's page controls in turn, or the window as it is.
void SaveWithTabs(QWidget* w, const QString& name) {
    const auto tabs = w->findChildren<QTabWidget*>();
    QTabWidget* pages = nullptr;
    for (QTabWidget* t : tabs)
        if (t->isVisibleTo(w) && t->count() > 1) pages = pages ? pages : t;
    if (!pages) return Save(w, name);
    const int current = pages->currentIndex();
    for (int i = 0; i < pages->count(); ++i) {
        if (!pages->isTabVisible(i)) continue;
        pages->setCurrentIndex(i);
        Wait(300);
        Save(w, QString("%1_%2").arg(name).arg(i + 1));
    }
    pages->setCurrentIndex(current);
}

struct Program {
    QTemporaryDir dir;
    SimHid hid;
    std::unique_ptr<ProgramWindows> windows;
    TForm1* w = nullptr;

    Program(const sim::InstrumentConfig& cfg, QStringList args, std::function<double()> clock = {})
        : hid(cfg, std::move(clock)) {
        StartupOptions o;
        o.arguments = args;
        o.executablePath = dir.filePath("velmar-setup");
        o.claimOnlyInstance = [](const QString&) { return true; };
        o.journalFolder = dir.filePath("journal");
        o.inform = [](const QString& text) { std::fprintf(stderr, "message: %s\n", qPrintable(text)); };
        o.confirm = [](const QString&) { return false; };
        o.chooseFile = [](const QString&, bool) { return QString(); };
        o.terminate = [] {};
        windows = Startup(hid, o);
        w = windows->main.get();
        w->show();
    }

    // Identified, its page in front, its settings and live values read.
    bool Identified() {
        const bool ok = WaitUntil(
            [this] {
                return w->recRX.uDevice == hid.Instrument().Config().deviceType &&
                       w->header->ui.PageControl5->currentWidget() == w->header->ui.TabSheet_Header;
            },
            8000);
        Wait(2500);
        return ok;
    }

    void Report(const QString& name) const {
        std::printf("%-28s minimum %4d x %-4d  shown %4d x %d\n", qPrintable(name), w->minimumSizeHint().width(),
                    w->minimumSizeHint().height(), w->width(), w->height());
    }

    QList<QWidget*> OpenWindows() const {
        QList<QWidget*> open;
        for (QWidget* t : QApplication::topLevelWidgets())
            if (t != w && t->isVisible()) open << t;
        for (QWidget* d : w->findChildren<QWidget*>())
            if (d->isWindow() && d->isVisible() && !open.contains(d)) open << d;
        return open;
    }

    // Presses the button and hands each window it opens to draw, then closes
    // them. The dialogs run modally, so the drawing happens from inside
    // their loop.
    void ClickAndDraw(QAbstractButton* b, const std::function<void(QWidget*)>& draw) {
        const auto before = OpenWindows();
        bool done = false;
        auto drawNew = [&] {
            if (done) return;
            done = true;
            for (QWidget* d : OpenWindows()) {
                if (before.contains(d)) continue;
                draw(d);
                d->close();
            }
        };
        QTimer::singleShot(300, w, drawNew);
        b->click();
        Wait(400);
        drawNew();
    }

    // Presses each module button of the device page in front and draws the
    // dialog it opens, each dialog once.
    void DrawModuleDialogs(const QString& instrument) {
        QWidget* page = w->PageControl4->currentWidget();
        for (QPushButton* b : page->findChildren<QPushButton*>()) {
            if (!b->isVisibleTo(page) || !b->isEnabled() || b->isCheckable()) continue;
            ClickAndDraw(b, [&](QWidget* d) {
                const QString name = d->objectName().isEmpty() ? b->objectName() : d->objectName();
                if (dialogsDrawn.count(name)) return;
                dialogsDrawn.insert(name);
                Wait(1500);  // its settings read
                SaveWithTabs(d, QString("dialog_%1_%2").arg(name, instrument));
            });
        }
    }
};

struct Instrument {
    const char* name;
    uint16_t type;
    int in = -1, out1 = -1, out2 = -1;  // -1: the type's usual modules
};

constexpr Instrument kInstruments[] = {
    {"px210", 210},           {"px310", 310},           {"px330", 330, 1, 5, 3}, {"px330_rtd_modbus", 330, 2, 4, 0},
    {"px350", 350, -1, 5, 3}, {"px370", 370, -1, 3, 0}, {"px530", 530},          {"px544", 544},
    {"px546", 546},           {"px580", 580, 1, 5, 3},
};

sim::InstrumentConfig ConfigOf(const Instrument& i) {
    sim::InstrumentConfig cfg;
    cfg.deviceType = i.type;
    if (i.in >= 0) cfg.optIn = uint8_t(i.in);
    if (i.out1 >= 0) cfg.optOut1 = uint8_t(i.out1);
    if (i.out2 >= 0) cfg.optOut2 = uint8_t(i.out2);
    return cfg;
}

void DrawNormalMode(const Instrument& i) {
    Program p(ConfigOf(i), {});
    if (!p.Identified()) std::fprintf(stderr, "velmar_screenshots: %s not identified\n", i.name);
    p.Report(QString("%1 normal").arg(i.name));
    Save(p.w, QString("main_%1").arg(i.name));
    p.DrawModuleDialogs(i.name);
}

void DrawServiceMode(const Instrument& i) {
    Program p(ConfigOf(i), {"/QZKTRM"});
    p.Identified();
    p.Report(QString("%1 service").arg(i.name));
    Save(p.w, QString("service_%1_device").arg(i.name));
    p.w->PageControl4->setCurrentWidget(p.w->TabSheet_Velmar);
    for (int t = 0; t < p.w->PageControl1->count(); ++t) {
        p.w->PageControl1->setCurrentIndex(t);
        Wait(1200);
        Save(p.w, QString("service_%1_%2").arg(i.name).arg(t + 1));
        p.Report(QString("%1 service page %2").arg(i.name).arg(t + 1));
    }
}

// The no-connection header, the refused versions, the errors, the replaced
// instrument and the value editors.
void DrawSmallWindows() {
    sim::InstrumentConfig cfg;
    cfg.errorBits = 0x5;
    cfg.globalError = 3;
    Program p(cfg, {});
    p.hid.Unplug();
    Wait(3000);
    p.Report("no connection");
    Save(p.w, "main_no_connection");
    p.hid.Plug();
    p.Identified();
    for (bool tooNew : {false, true}) {
        p.w->ShowVersionRefusedPage(tooNew);
        Wait(200);
        Save(p.w, tooNew ? "main_too_new" : "main_too_old");
    }
    p.w->SelectDevicePage(p.w->recRX.uDevice);
    p.ClickAndDraw(p.w->header->ui.Button_ErrorDetails, [](QWidget* d) { Save(d, "dialog_errors"); });

    TForm_Keszulekcsere* replaced = p.w->Form_Keszulekcsere;
    replaced->Label_uDevice->setText("330");
    replaced->Label_uLastDevice->setText("530");
    replaced->Label_uDeviceID->setText("4712");
    replaced->Label_uLastDeviceID->setText("4711");
    replaced->adjustSize();
    replaced->show();
    Save(replaced, "dialog_device_replaced");
    replaced->close();

    PrepareTypedEditor(*p.w->Form_IncDecEdit, p.w, 0, QString::fromUtf8("Skála kezdőérték"), -19999, 99999, 2, 12345);
    p.w->Form_IncDecEdit->show();
    Save(p.w->Form_IncDecEdit, "dialog_value_typed");
    p.w->Form_IncDecEdit->close();
    PrepareDigitEditor(*p.w->Form_IncDec, p.w, 0, QString::fromUtf8("Skála végérték"), -19999, 99999, 2, 10000);
    p.w->Form_IncDec->show();
    Save(p.w->Form_IncDec, "dialog_value_digits");
    p.w->Form_IncDec->close();
}

// The trend of a PX330 whose signal runs four times as fast as the clock,
// so that a few seconds make a full sweep; its limit lines once read.
void DrawTrend() {
    const Instrument i{"px330", 330, 1, 5, 3};
    QElapsedTimer clock;
    clock.start();
    Program p(ConfigOf(i), {}, [&clock] { return clock.elapsed() * 4 / 1000.0; });
    p.Identified();
    if (auto* relay = p.w->findChild<QPushButton*>("Button_PX330_PXRL_Fo"))
        p.ClickAndDraw(relay, [](QWidget*) { Wait(1500); });  // the limit lines read
    TrendWindow(*p.w)->Open();
    Wait(16000);
    p.w->Form_Trend->Tick();
    Save(p.w->Form_Trend, "trend_px330");
    // Maximised: the relay lanes stretch with the traces.
    p.w->Form_Trend->showMaximized();
    Wait(1000);
    p.w->Form_Trend->Tick();
    Save(p.w->Form_Trend, "trend_px330_maximised");
    p.w->Form_Trend->close();
}

// The settings compared with the factory values after two were changed,
// and the journal of the reads.
void DrawCompareAndJournal() {
    const Instrument i{"px330", 330, 1, 5, 3};
    Program p(ConfigOf(i), {});
    p.hid.Instrument().Settings().outputs[1].scaleHigh = 5000;
    p.hid.Instrument().Settings().limits[0].hysteresis = 150;
    p.Identified();
    p.w->settingsFiles->CompareWithFactory();
    QWidget* compare = nullptr;
    WaitUntil(
        [&] {
            for (QWidget* d : p.OpenWindows())
                if (d->inherits("velmar::TForm_Compare")) compare = d;
            return compare != nullptr;
        },
        10000);
    if (compare) {
        Wait(300);
        Save(compare, "compare_px330");
        compare->close();
    }
    Wait(300);
    p.w->settingsFiles->ShowHistory();
    Wait(500);
    for (QWidget* d : p.OpenWindows())
        if (d->inherits("velmar::TForm_Journal")) Save(d, "journal_px330");
}

// The commissioning report of a PX330 isolator: the window with its fields,
// two check points and a relay test, and the pages of its PDF.
void DrawReport() {
    const Instrument i{"px330", 330, 1, 5, 3};
    double at = 5.0;  // the signal at 95 % of its range; at 15 s it stands at 5 %
    Program p(ConfigOf(i), {}, [&at] { return at; });
    p.hid.Instrument().Settings().limits[0].hysteresis = 150;
    p.Identified();
    auto* report = ReportWindow(*p.w);
    report->show();
    WaitUntil([&] { return report->Edit_Output->isEnabled(); }, 10000);
    const std::pair<QLineEdit*, const char*> texts[] = {{report->Edit_Site, "Dunai Vízmű, szivattyúház"},
                                                        {report->Edit_Tag, "FT-101"},
                                                        {report->Edit_Customer, "Dunai Vízmű Zrt."},
                                                        {report->Edit_Order, "MR-2026/118"},
                                                        {report->Edit_Technician, "Kovács Árpád"},
                                                        {report->Edit_ReferenceType, "Fluke 754"},
                                                        {report->Edit_ReferenceSerial, "4471022"},
                                                        {report->Edit_Ambient, "23.5"},
                                                        {report->Edit_Humidity, "45"},
                                                        {report->Edit_Tolerance, "0.5"},
                                                        {report->Edit_SteadyLimit, "0.1"}};
    for (const auto& [edit, text] : texts) edit->setText(QString::fromUtf8(text));
    report->Memo_Note->setPlainText(QString::fromUtf8("Első üzembe helyezés a tartály feltöltő vezetékén."));
    report->DateEdit_ReferenceDue->setDate(QDate::currentDate().addMonths(5));
    for (const auto& [signal, input, output] : {std::tuple{5.0, "19.2", "19.21"}, std::tuple{15.0, "4.8", "4.79"}}) {
        at = signal;
        Wait(500);
        report->Edit_Input->setText(input);
        report->Edit_Output->setText(output);
        report->Button_Capture->click();
        WaitUntil([&] { return report->Button_Capture->isEnabled(); }, 5000);
    }
    if (report->StringGrid_Relays->rowCount() > 0) {
        report->StringGrid_Relays->item(0, 5)->setText("80.1");
        report->StringGrid_Relays->item(0, 6)->setText("78.6");
    }
    Wait(300);
    Save(report, "report_window");

    QTemporaryDir pdfDir;
    const QString pdf = pdfDir.filePath("report.pdf");
    report->chooseFile = [pdf](const QString&) { return pdf; };
    report->Button_SavePdf->click();
    if (!WaitUntil([&] { return QFile::exists(pdf); }, 15000)) return;
    QProcess render;
    render.start("pdftoppm", {"-r", "80", "-png", pdf, pdfDir.filePath("page")});
    if (!render.waitForFinished(60000)) return;
    QStringList pages = QDir(pdfDir.path()).entryList({"page*.png"}, QDir::Files, QDir::Name);
    for (int n = 0; n < pages.size(); ++n) {
        const QImage page(QDir(pdfDir.path()).filePath(pages[n]));
        QImageWriter writer(QDir(outDir).filePath(QString("report-page%1.png").arg(n + 1)), "png");
        writer.setQuality(0);
        writer.write(page.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither));
    }
    report->close();
}

}  // namespace
}  // namespace velmar

int main(int argc, char** argv) {
    // A laptop's screen, 1366 x 768 at 96 dpi, which the windows must fit.
    QTemporaryDir screenDir;
    const QString screenFile = screenDir.filePath("screen.json");
    {
        QFile f(screenFile);
        if (f.open(QIODevice::WriteOnly))
            f.write(R"({"screens": [{"name": "laptop", "x": 0, "y": 0, "width": 1366, "height": 768,)"
                    R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    }
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + QFile::encodeName(screenFile));
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments().mid(1);
    if (args.isEmpty() || args.first().startsWith("-")) {
        std::fprintf(stderr, "usage: velmar_screenshots OUTDIR [--only=GROUP,...]\n");
        return 2;
    }
    using namespace velmar;
    outDir = args.first();
    for (const QString& a : args.mid(1))
        if (a.startsWith("--only=")) only = a.mid(7).split(',');
    QDir().mkpath(outDir);
    for (const Instrument& i : kInstruments) {
        if (Wanted(i.name)) DrawNormalMode(i);
        if (Wanted(QString("service_") + i.name)) DrawServiceMode(i);
    }
    if (Wanted("small")) DrawSmallWindows();
    if (Wanted("trend")) DrawTrend();
    if (Wanted("compare")) DrawCompareAndJournal();
    if (Wanted("report")) DrawReport();
    return 0;
}
