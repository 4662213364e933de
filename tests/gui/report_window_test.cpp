// The report window against the in-process virtual instrument: a field
// written, check points taken from the status answers, the PDF read back
// as text; bad input and a file that cannot be written.

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <gtest/gtest.h>
#include <cmath>

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
    explicit ReportProgram(QString journalFolder = {}) {
        sim::InstrumentConfig cfg;
        cfg.optIn = 1;
        cfg.optOut1 = 5;
        cfg.optOut2 = 3;
        program = std::make_unique<InstrumentProgram>(cfg, [] { return 5.0; }, [&](StartupOptions& o) {
            o.inform = [this](const QString& t) { informed << t; };
            if (!journalFolder.isEmpty()) o.journalFolder = journalFolder;
        });
        w = program->w;
        report = w->findChild<TForm_Report*>("Form_Report");
    }
    void Open() {
        WAIT_FOR(w->recMBU.bOnline && w->recRX.uPXOptOutSecondary == 3, 3000);
        w->findChild<QAction*>("Action_Report")->trigger();
        ASSERT_TRUE(report->isVisible());
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
    void Capture(const QString& reference) {
        const int before = Points();
        report->Edit_Reference->setText(reference);
        report->Button_Capture->click();
        WAIT_FOR(report->Button_Capture->isEnabled(), 5000);
        ASSERT_EQ(Points(), before + 1) << report->Label_CheckMessage->text().toStdString();
    }
    double Measured() const { return w->recRX.iSkalazottKijezesiErtek / std::pow(10.0, w->recRX.uDecimalPoint); }
    // "Mentés PDF-be…" to the end; the last message.
    QString Save(const QString& path) {
        informed.clear();
        report->chooseFile = [path](const QString&) { return path; };
        report->Button_SavePdf->click();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !informed.isEmpty(); }, 10000));
        return informed.value(0);
    }
};

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
    p.Capture(QString::number(p.Measured(), 'f', 2));
    p.Capture(QString::number(p.Measured() - 15, 'f', 2));  // 10 % of the span off
    EXPECT_EQ(p.report->StringGrid_CheckPoints->item(0, 4)->text(), "megfelel");
    EXPECT_EQ(p.report->StringGrid_CheckPoints->item(1, 4)->text(), "nem felel meg");
    // Deleted and taken again.
    p.report->StringGrid_CheckPoints->selectRow(1);
    p.report->Button_DeletePoint->click();
    EXPECT_EQ(p.Points(), 1);
    p.Capture(QString::number(p.Measured() - 15, 'f', 2));

    const QString path = p.program->dir.filePath("report.pdf");
    EXPECT_TRUE(p.Save(path).contains("elmentve")) << p.informed.join('|').toStdString();
    VELMAR_SKIP_WITHOUT_PDF_TOOLS();
    const QString text = test::PdfText(path);
    for (const char* expected : {"004711", "PX330", "Kovács Árpád", "Szivattyúház T-12", "Első üzembe helyezés",
                                 "2022.07.21.", "PXRL (1 relé)", "Ellenőrző mérés", "A látogatás beírásai"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
    EXPECT_FALSE(test::LineWith(text, {QString::fromUtf8("Skála felső számérték"), "100,00", "150,00"}).isEmpty())
        << text.toStdString();
    EXPECT_FALSE(test::LineWith(text, {"Analóg bemenet (PXAI)", QString::fromUtf8("Skála felső számérték: 100,00 → 150,00")})
                     .isEmpty())
        << "the write with its time, block and change\n" << text.toStdString();
    EXPECT_FALSE(test::LineWith(text, {"0,000", "megfelel"}).isEmpty()) << text.toStdString();
    EXPECT_FALSE(test::LineWith(text, {"10,000", "nem felel meg"}).isEmpty()) << text.toStdString();
    EXPECT_FALSE(test::LineWith(text, {QString::fromUtf8("Összesített eredmény: nem felel meg")}).isEmpty());
}

TEST(ReportWindow, WithoutAJournalSaysSo) {
    QTemporaryDir dir;
    QFile blocker(dir.filePath("journal"));  // a file where the journal's folder would be
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    ReportProgram p(dir.filePath("journal"));
    p.Open();
    const QString path = dir.filePath("report.pdf");
    EXPECT_TRUE(p.Save(path).contains("elmentve"));
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
    p.Capture("50");
    struct Case {
        const char* reference;
        const char* span;
        const char* tolerance;
        const char* says;
    };
    for (const Case& c : {Case{"abc", "100", "0.5", "nem szám"}, Case{"", "100", "0.5", "nem szám"},
                          Case{"50", "", "0.5", "terjedelem"}, Case{"50", "0", "0.5", "terjedelem"},
                          Case{"50", "100", "x", "tűrés"}}) {
        p.report->Edit_Reference->setText(c.reference);
        p.report->Edit_Span->setText(c.span);
        p.report->Edit_Tolerance->setText(c.tolerance);
        p.report->Button_Capture->click();
        EXPECT_TRUE(p.report->Label_CheckMessage->text().contains(QString::fromUtf8(c.says)))
            << c.reference << " / " << c.span << ": " << p.report->Label_CheckMessage->text().toStdString();
        EXPECT_EQ(p.Points(), 1) << c.reference;
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
        p.report->Edit_Technician->setText(QString::fromUtf8("Szabó Éva"));
        p.report->Edit_Site->setText("T-7");
        p.report->Memo_Note->setPlainText(QString::fromUtf8("Csere után"));
        p.report->Button_Close->click();
    }
    ReportProgram again;
    EXPECT_EQ(again.report->Edit_Technician->text(), QString::fromUtf8("Szabó Éva"));
    EXPECT_EQ(again.report->Edit_Site->text(), "T-7");
    EXPECT_EQ(again.report->Memo_Note->toPlainText(), QString::fromUtf8("Csere után"));
}

}  // namespace
}  // namespace velmar
