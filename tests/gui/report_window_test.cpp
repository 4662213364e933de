// The report window against the in-process virtual instrument: a field
// written, check points taken from the status answers, the PDF read back
// as text; bad input, a file that cannot be written, an unsteady signal and
// another instrument coming.

#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <cmath>
#include <gtest/gtest.h>

#include "gui/app/late_windows.h"
#include "gui/files/settings_files.h"
#include "gui/report/report_window.h"
#include "tests/support/pdf_text.h"
#include "tests/support/wait_for.h"
#include "tests/support/window_fixture.h"

namespace velmar {
namespace {

struct ReportProgram {
    QStringList informed;
    std::unique_ptr<InstrumentProgram> program;
    TForm1* w = nullptr;
    TForm_Report* report = nullptr;

    // A PX330 with an analog input, a relay and an analog output; its signal
    // stands still, so the readings of a check point agree.
    explicit ReportProgram(
        QString journalFolder = {}, std::function<double()> clock = [] { return 5.0; }) {
        sim::InstrumentConfig cfg;
        cfg.optIn = 1;
        cfg.optOut1 = 5;
        cfg.optOut2 = 3;
        program = std::make_unique<InstrumentProgram>(cfg, std::move(clock), [&](StartupOptions& o) {
            o.inform = [this](const QString& t) { informed << t; };
            if (!journalFolder.isEmpty()) o.journalFolder = journalFolder;
        });
        w = program->w;
        report = ReportWindow(*w);
    }
    void Open() {
        WAIT_FOR(w->recMBU.bOnline && w->recRX.uPXOptOutSecondary == 3, 3000);
        w->findChild<QAction*>("Action_Report")->trigger();
        ASSERT_TRUE(report->isVisible());
        // The window reads the scales it judges points by, the output's too.
        WAIT_FOR(report->Edit_Output->isEnabled(), 5000);
    }
    // Writes the analog input's upper scale end, as a dialog would.
    void WriteScaleHigh(double value) {
        std::optional<BlockImages> got;
        w->settingsFiles->ReadBlocks({FindSettingsBlock("analogInput")}, false,
                                     [&](std::optional<BlockImages> b, QString) { got = std::move(b); });
        WAIT_FOR(got.has_value(), 10000);
        Bytes& block = got->at("analogInput");
        for (const BlockField& f : FindSettingsBlock("analogInput")->fields(block, {}))
            if (f.name == "scaleHigh") ASSERT_EQ(SetFieldNumber(block, f, value), "");
        bool written = false;
        w->settingsFiles->WriteBlocks(*got, [&](SettingsFiles::WriteReport r) {
            EXPECT_EQ(r.error, "");
            written = true;
        });
        WAIT_FOR(written, 10000);
    }
    int Points() const { return report->StringGrid_CheckPoints->rowCount(); }
    // The input applied and, when given, the output measured; one point more.
    void Capture(const QString& input, const QString& output = {}) {
        const int before = Points();
        Press(input, output);
        ASSERT_EQ(Points(), before + 1) << report->Label_CheckMessage->text().toStdString();
    }
    void Press(const QString& input, const QString& output = {}) {
        report->Edit_Input->setText(input);
        report->Edit_Output->setText(output);
        report->Button_Capture->click();
        WAIT_FOR(report->Button_Capture->isEnabled(), 5000);
    }
    QString Cell(int row, int column) const {
        const QTableWidgetItem* item = report->StringGrid_CheckPoints->item(row, column);
        return item ? item->text() : QString();
    }
    // Another instrument of the same kind on the link.
    void Replace(uint32_t serial) {
        sim::InstrumentConfig cfg = program->hid.Instrument().Config();
        cfg.serial = serial;
        program->hid.Instrument().SetConfig(cfg);
        WAIT_FOR(w->recRX.uDeviceID == serial, 3000);
        QTest::qWait(100);
    }
    double Measured() const { return w->recRX.iSkalazottKijezesiErtek / std::pow(10.0, w->recRX.uDecimalPoint); }
    // "Mentés PDF-be…" to the end; its message (a journal that cannot be
    // written is told apart).
    QString Save(const QString& path) {
        informed.clear();
        report->chooseFile = [path](const QString&) { return path; };
        report->Button_SavePdf->click();
        const auto saved = [&] { return informed.filter(QRegularExpression("^(?!Az előzmények)")).value(0); };
        EXPECT_TRUE(QTest::qWaitFor([&] { return !saved().isEmpty(); }, 10000));
        return saved();
    }
};

// Not built at start: the settings menu's command builds it when first
// chosen, and shows the same window every time after.
TEST_F(WindowFixture, TheReportWindowIsBuiltWhenFirstOpened) {
    Create();
    EXPECT_EQ(w->findChild<TForm_Report*>(), nullptr);
    auto* action = w->findChild<QAction*>("Action_Report");
    ASSERT_NE(action, nullptr);
    action->trigger();
    auto* report = w->findChild<TForm_Report*>("Form_Report");
    ASSERT_NE(report, nullptr);
    EXPECT_TRUE(report->isVisible());
    report->close();
    action->trigger();
    EXPECT_EQ(w->findChildren<TForm_Report*>().size(), 1);
    EXPECT_EQ(ReportWindow(*w), report);
    EXPECT_TRUE(report->isVisible());
    report->close();
}

TEST(ReportWindow, TellsFoundAndLeftTheWriteAndTheCheckPoints) {
    ReportProgram p;
    p.Open();
    p.WriteScaleHigh(150);
    WAIT_FOR(p.Measured() > 100, 3000);  // 95 % of the new scale
    p.report->Edit_Technician->setText(QString::fromUtf8("Kovács Árpád"));
    p.report->Edit_Site->setText(QString::fromUtf8("Szivattyúház T-12"));
    p.report->Memo_Note->setPlainText(QString::fromUtf8("Első üzembe helyezés"));
    p.report->ShowSpan();
    EXPECT_EQ(p.report->Edit_Span->text(), "150.00") << "the span of the scale as written";
    p.report->Edit_Tolerance->setText("0.5");
    // The signal stands at 95 % of 4-20 mA: 19,2 mA shows 142,50 on the new scale.
    EXPECT_EQ(p.report->Label_Input->text(), "Bemenet (mA):");
    p.Capture("19.2");
    p.Capture("17.6");  // expects 127,50: 10 % of the span off
    EXPECT_EQ(p.Cell(0, 1), "142.50");
    EXPECT_EQ(p.Cell(0, 8), "megfelel");
    EXPECT_EQ(p.Cell(1, 8), "nem felel meg");
    // Deleted and taken again.
    p.report->StringGrid_CheckPoints->selectRow(1);
    p.report->Button_DeletePoint->click();
    EXPECT_EQ(p.Points(), 1);
    p.Capture("17.6");

    const QString path = p.program->dir.filePath("report.pdf");
    EXPECT_TRUE(p.Save(path).contains("elmentve")) << p.informed.join('|').toStdString();
    VELMAR_SKIP_WITHOUT_PDF_TOOLS();
    const QString text = test::PdfText(path);
    for (const char* expected : {"004711", "PX330", "Kovács Árpád", "Szivattyúház T-12", "Első üzembe helyezés",
                                 "2022.07.21.", "PXRL (1 relé)", "Ellenőrző mérés", "A látogatás beírásai"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
    EXPECT_FALSE(test::LineWith(text, {QString::fromUtf8("Skála felső számérték"), "100,00", "150,00"}).isEmpty())
        << text.toStdString();
    EXPECT_FALSE(
        test::LineWith(text, {"Analóg bemenet (PXAI)", QString::fromUtf8("Skála felső számérték: 100,00 → 150,00")})
            .isEmpty())
        << "the write with its time, block and change\n"
        << text.toStdString();
    EXPECT_FALSE(test::LineWith(text, {"19,200 mA", "142,50", "0,000 %", "megfelel"}).isEmpty()) << text.toStdString();
    EXPECT_FALSE(test::LineWith(text, {"17,600 mA", "127,50", "10,000 %", "nem felel meg"}).isEmpty())
        << text.toStdString();
    EXPECT_TRUE(QFile::exists(p.program->dir.filePath("report.json"))) << "the twin beside the PDF";
    EXPECT_FALSE(test::LineWith(text, {QString::fromUtf8("Összesített eredmény: nem felel meg")}).isEmpty());
}

TEST(ReportWindow, WithoutAJournalSaysSo) {
    QTemporaryDir dir;
    QFile blocker(dir.filePath("journal"));  // a file where the journal's folder would be
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    ReportProgram p(dir.filePath("journal"));
    p.Open();
    // The window's own read on opening already meets the journal; Save
    // starts a new list of messages.
    const QStringList beforeSave = p.informed;
    const QString path = dir.filePath("report.pdf");
    EXPECT_TRUE(p.Save(path).contains("elmentve"));
    const QStringList told = beforeSave + p.informed;
    EXPECT_EQ(told.filter(QString::fromUtf8("Az előzmények feljegyzése nem sikerült")).size(), 1)
        << told.join(" | ").toStdString();
    VELMAR_SKIP_WITHOUT_PDF_TOOLS();
    const QString text = test::PdfText(path);
    EXPECT_TRUE(text.contains(QString::fromUtf8("nincs napló"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QString::fromUtf8("Megtalált")));
    EXPECT_TRUE(text.contains(QString::fromUtf8("Ellenőrző mérés nem készült.")));
}

TEST(ReportWindow, RefusesBadInputAndKeepsWhatWasEntered) {
    ReportProgram p;
    p.Open();
    p.report->Edit_Technician->setText(QString::fromUtf8("Kovács Árpád"));
    p.report->Edit_Span->setText("100");
    p.report->Edit_Tolerance->setText("0.5");
    // The isolator's output, 4-20 mA over 0,00 … 100,00, measured on the reference.
    EXPECT_EQ(p.report->Label_Output->text(), "Kimenet mérve (mA):");
    p.Capture("19.2", "19.21");
    EXPECT_EQ(p.Cell(0, 5), "19.210 mA");
    EXPECT_EQ(p.Cell(0, 6), "19.200 mA");
    EXPECT_EQ(p.Cell(0, 7), "0.063");
    struct Case {
        const char* input;
        const char* output;
        const char* span;
        const char* tolerance;
        const char* says;
    };
    for (const Case& c :
         {Case{"abc", "", "100", "0.5", "nem szám"}, Case{"", "", "100", "0.5", "nem szám"},
          Case{"19.2", "x", "100", "0.5", "kimenet nem szám"}, Case{"19.2", "", "", "0.5", "terjedelem"},
          Case{"19.2", "", "0", "0.5", "terjedelem"}, Case{"19.2", "", "100", "x", "tűrés"}}) {
        p.report->Edit_Span->setText(c.span);
        p.report->Edit_Tolerance->setText(c.tolerance);
        p.Press(c.input, c.output);
        EXPECT_TRUE(p.report->Label_CheckMessage->text().contains(QString::fromUtf8(c.says)))
            << c.input << " / " << c.span << ": " << p.report->Label_CheckMessage->text().toStdString();
        EXPECT_EQ(p.Points(), 1) << c.input;
    }
    p.report->Edit_Span->setText("100");
    p.report->Edit_Tolerance->setText("0.5");

    QFile blocker(p.program->dir.filePath("not-a-folder"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString message = p.Save(p.program->dir.filePath("not-a-folder/report.pdf"));
    EXPECT_TRUE(message.contains(QString::fromUtf8("nem írható"))) << message.toStdString();
    EXPECT_TRUE(p.report->isVisible());
    EXPECT_EQ(p.report->Edit_Technician->text(), QString::fromUtf8("Kovács Árpád"));
    EXPECT_EQ(p.Points(), 1);
    EXPECT_TRUE(p.Save(p.program->dir.filePath("report.pdf")).contains("elmentve")) << "a second place works";
}

TEST(ReportWindow, RemembersWhoAndWhereBetweenRuns) {
    {
        ReportProgram p;
        p.Open();
        p.report->Edit_Technician->setText(QString::fromUtf8("Szabó Éva"));
        p.report->Edit_ReferenceType->setText("Fluke 754");
        p.report->DateEdit_ReferenceDue->setDate(QDate(2030, 5, 31));
        p.report->Edit_Site->setText("T-7");
        p.report->Memo_Note->setPlainText(QString::fromUtf8("Csere után"));
        p.report->Button_Close->click();
    }
    // The same instrument again: the job goes on.
    ReportProgram again;
    again.Open();
    EXPECT_EQ(again.report->Edit_Technician->text(), QString::fromUtf8("Szabó Éva"));
    EXPECT_EQ(again.report->Edit_ReferenceType->text(), "Fluke 754");
    EXPECT_EQ(again.report->DateEdit_ReferenceDue->date(), QDate(2030, 5, 31));
    EXPECT_EQ(again.report->Edit_Site->text(), "T-7");
    EXPECT_EQ(again.report->Memo_Note->toPlainText(), QString::fromUtf8("Csere után"));
}

TEST(ReportWindow, AnotherInstrumentClearsTheJobUnlessItIsTheSameJob) {
    ReportProgram p;
    p.Open();
    p.report->Edit_Span->setText("100");
    const auto fill = [&p] {
        p.report->Edit_Site->setText(QString::fromUtf8("Szivattyúház"));
        p.report->Edit_Tag->setText("FT-101");
        p.report->Edit_Customer->setText(QString::fromUtf8("Dunai Vízmű"));
        p.report->Edit_Order->setText("MR-118");
        p.report->Memo_Note->setPlainText(QString::fromUtf8("Első"));
    };
    const auto job = [&p] {
        return QStringList{p.report->Edit_Site->text(), p.report->Edit_Tag->text(), p.report->Edit_Customer->text(),
                           p.report->Edit_Order->text(), p.report->Memo_Note->toPlainText()};
    };
    fill();
    p.report->Edit_Technician->setText(QString::fromUtf8("Kovács Árpád"));
    p.report->Edit_ReferenceType->setText("Fluke 754");
    p.report->Edit_ReferenceSerial->setText("4471022");
    p.report->DateEdit_ReferenceDue->setDate(QDate(2030, 5, 31));
    p.report->CheckBox_SameJob->setChecked(false);
    p.Capture("19.2");

    p.Replace(4712);
    EXPECT_EQ(job(), QStringList({"", "", "", "", ""})) << "nothing of the last job in the next report";
    EXPECT_EQ(p.Points(), 0) << "points of another instrument";
    EXPECT_EQ(p.report->Edit_Technician->text(), QString::fromUtf8("Kovács Árpád"));
    EXPECT_EQ(p.report->Edit_ReferenceType->text(), "Fluke 754");
    EXPECT_EQ(p.report->Edit_ReferenceSerial->text(), "4471022");
    EXPECT_EQ(p.report->DateEdit_ReferenceDue->date(), QDate(2030, 5, 31));

    fill();
    p.report->CheckBox_SameJob->setChecked(true);
    const QStringList typed = job();
    p.Capture("19.2");
    p.Replace(4713);
    EXPECT_EQ(job(), typed) << "the same job goes on";
    EXPECT_EQ(p.Points(), 0);
}

TEST(ReportWindow, AnUnsteadyPointIsRefusedOnceThenTakenWhenAskedAgain) {
    // The signal sweeps as the seconds go by.
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    ReportProgram p({}, [clock] { return 5.0 + clock->elapsed() / 1000.0; });
    p.Open();
    p.report->Edit_Span->setText("100");
    p.report->Edit_SteadyLimit->setText("0.1");
    p.Press("12");
    EXPECT_EQ(p.Points(), 0);
    EXPECT_TRUE(p.report->Label_CheckMessage->text().contains(QString::fromUtf8("A jel nem állandó")))
        << p.report->Label_CheckMessage->text().toStdString();
    p.Press("12");
    ASSERT_EQ(p.Points(), 1) << p.report->Label_CheckMessage->text().toStdString();
    EXPECT_TRUE(p.Cell(0, 8).contains(QString::fromUtf8("ingadozó"))) << p.Cell(0, 8).toStdString();
    EXPECT_FALSE(p.report->Checks().points[0].steady);
    // Another input is a new point: measured, and refused again while the signal sweeps.
    p.Press("13");
    EXPECT_EQ(p.Points(), 1);
}

}  // namespace
}  // namespace velmar
