// The trend window against the in-process instrument: what it records,
// what it plots, and its controls.
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QRegularExpression>

#include "gui/app/late_windows.h"
#include "gui/device/header_page.h"
#include "gui/modules/limit_relay_dialog.h"
#include "gui/trend/trend_plot.h"
#include "gui/trend/trend_window.h"
#include "tests/support/wait_for.h"
#include "tests/support/window_fixture.h"

namespace velmar {
namespace {

QStringList CsvLines(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray all = f.readAll();
    EXPECT_TRUE(all.endsWith("\r\n")) << "the file ends with a whole line";
    QStringList lines = QString::fromUtf8(all).split("\r\n");
    lines.removeLast();
    return lines;
}

struct TrendWithInstrument : ::testing::Test {
    QTemporaryDir dir;
    double seconds = 5.0;  // the instrument's clock: at 5 s its signal stands at 95 %, at 15 s at 5 %
    sim::InstrumentConfig cfg = [] {
        sim::InstrumentConfig c;
        c.deviceType = 530;  // 0..100.00 %, two limit outputs at 80.00
        c.serial = 4711;
        c.madeYear = 22;
        c.madeMonth = 7;
        return c;
    }();
    InstrumentProgram program{cfg, [this] { return seconds; }};
    TForm1* w = program.w;
    TForm_Trend* trend = TrendWindow(*w);

    void WaitForRecords(uint64_t more) {
        const uint64_t target = trend->Recorder().Records() + more;
        WAIT_FOR(trend->Recorder().Records() >= target, 3000);
    }
};

// The known signal at two levels, an unplugged cable between them: every
// value is one the instrument sent, and the silence is one marked line.
TEST_F(TrendWithInstrument, RecordsTheSignalAndALostLinkAsAGap) {
    WAIT_FOR(w->header->ui.Label_Dimension1->text() == "%", 4000);
    const QString path = dir.filePath("run.csv");
    ASSERT_TRUE(trend->StartRecording(path));
    EXPECT_TRUE(trend->SpeedButton_TrendRecord->isChecked());
    WaitForRecords(10);
    seconds = 15.0;
    WaitForRecords(10);
    program.hid.Unplug();
    WAIT_FOR(trend->Ring().Newest() && trend->Ring().Newest()->gap, 3000);
    const uint64_t whileUnplugged = trend->Recorder().Records();
    QTest::qWait(300);
    EXPECT_EQ(trend->Recorder().Records(), whileUnplugged) << "nothing is made up while the link is lost";
    seconds = 5.0;
    program.hid.Plug();
    WaitForRecords(10);
    EXPECT_TRUE(trend->Label_TrendRecordState->text().contains("run.csv"));
    trend->StopRecording();
    EXPECT_FALSE(trend->SpeedButton_TrendRecord->isChecked());
    const uint64_t records = trend->Recorder().Records();

    const QStringList lines = CsvLines(path);
    ASSERT_EQ(uint64_t(lines.size()), records + 1) << "the header and one line per record, none cut";
    EXPECT_TRUE(lines[0].startsWith(QString::fromUtf8("\uFEFFIdő;Helyi idő;Készülék;Gyári szám;Érték 1")));
    EXPECT_TRUE(lines[0].contains(
        QString::fromUtf8(";Érték 1 a tartományban (%);Érték 2 a tartományban (%);Analóg kimenet 1;")))
        << "a position in the input's range is no output";
    int gaps = 0, high = 0, low = 0;
    bool lowSeen = false, highAfterGap = false;
    for (int i = 1; i < lines.size(); ++i) {
        const QStringList f = lines[i].split(';');
        ASSERT_EQ(f.size(), 20) << lines[i].toStdString();
        const QDateTime iso = QDateTime::fromString(f[0], Qt::ISODateWithMs);
        EXPECT_TRUE(iso.isValid()) << f[0].toStdString();
        EXPECT_EQ(f[1], iso.toString("yyyy-MM-dd HH:mm:ss")) << "the same local time, read as a date";
        EXPECT_TRUE(f[2].startsWith("PX530")) << f[2].toStdString();
        EXPECT_EQ(f[3], "004711/22.07");
        if (f[19] == "Nincs kapcsolat") {
            ++gaps;
            EXPECT_TRUE(lowSeen) << "the gap comes where the cable was pulled";
            for (int k = 4; k <= 18; ++k) EXPECT_TRUE(f[k].isEmpty()) << "no made-up value: " << lines[i].toStdString();
            continue;
        }
        EXPECT_EQ(f[6], "%");
        EXPECT_EQ(f[7], "2");
        for (int k = 10; k <= 13; ++k) EXPECT_TRUE(f[k].isEmpty()) << "a PX530 has no analog output";
        if (f[4] == "95.00") {
            ++high;
            highAfterGap |= gaps > 0;
            EXPECT_EQ(f[8], "95.00");
            EXPECT_EQ(f[14], "1") << "limit output 1 is on above 80.00";
        } else {
            EXPECT_EQ(f[4], "5.00") << lines[i].toStdString();
            ++low;
            lowSeen = true;
            EXPECT_EQ(gaps, 0);
            EXPECT_EQ(f[14], "0");
        }
        EXPECT_TRUE(f[5].isEmpty()) << "no second value without a Modbus input";
        EXPECT_EQ(f[18], "0");
    }
    EXPECT_EQ(gaps, 1);
    EXPECT_GE(low, 5);
    EXPECT_GE(high, 15);
    EXPECT_TRUE(highAfterGap) << "recording went on after the cable came back";
}

TEST_F(TrendWithInstrument, FilesAreOfferedUnderTheShortTypeName) {
    WAIT_FOR(w->recRX.uDevice == 530, 4000);
    static const QRegularExpression name("^velmar_PX530_004711_\\d{8}_\\d{6}\\.csv$");
    EXPECT_TRUE(name.match(trend->DefaultFileName(".csv")).hasMatch()) << trend->DefaultFileName(".csv").toStdString();
}

TEST_F(TrendWithInstrument, PlotsPausesAndDrawsTheReadLimits) {
    w->header->ui.Button_Trend->click();
    ASSERT_TRUE(trend->isVisible());
    WAIT_FOR(trend->Ring().Size() > 5, 3000);
    trend->Tick();
    EXPECT_GT(trend->chart->PointCount(kTrendValue1), 0);
    EXPECT_GT(trend->chart->PointCount(kTrendRelay1), 0);
    EXPECT_EQ(trend->chart->PointCount(kTrendValue2), 0);
    const QString cursor = trend->CursorText(double(trend->Ring().Newest()->timeMs));
    EXPECT_TRUE(cursor.contains(QString::fromUtf8("Érték 1: 95")) && cursor.contains(QString::fromUtf8("Relék: 11")))
        << cursor.toStdString();

    // A read of a limit output puts its limit on the plot.
    TForm_PXRL* relay = w->Form_PXRL;
    w->bFoKimenetiModulVanNyitva = true;
    relay->SpeedButton_ReadFromDevice->setChecked(true);
    WAIT_FOR(!relay->SpeedButton_ReadFromDevice->isChecked(), 3000);
    trend->Tick();
    EXPECT_GE(trend->chart->VisibleLimitLines(), 1);

    // Paused, the plot stands while the samples keep coming; resumed, it catches up.
    trend->SpeedButton_TrendPause->setChecked(true);
    const int64_t shown = trend->chart->ShownNowMs();
    const uint64_t samples = trend->Ring().EndNumber();
    QTest::qWait(700);
    trend->Tick();
    EXPECT_EQ(trend->chart->ShownNowMs(), shown);
    EXPECT_GT(trend->Ring().EndNumber(), samples + 5) << "no data lost while paused";
    trend->SpeedButton_TrendPause->setChecked(false);
    EXPECT_GE(trend->chart->ShownNowMs(), shown + 700);

    trend->ComboBox_TrendWindow->setCurrentIndex(2);  // an hour: the same samples, as few points
    EXPECT_GT(trend->chart->PointCount(kTrendValue1), 0);

    const QString png = dir.filePath("plot.png");
    ASSERT_TRUE(trend->ExportPng(png));
    EXPECT_FALSE(QImage(png).isNull());
}

TEST_F(WindowFixture, TheHiddenOptionOpensTheTrendRecording) {
    const QString path = dir.filePath("measure.csv");
    Create({"--open-trend=" + path});
    ASSERT_NE(w->Form_Trend, nullptr);
    EXPECT_TRUE(w->Form_Trend->isVisible());
    EXPECT_TRUE(w->Form_Trend->Recorder().IsOpen());
    EXPECT_TRUE(QFile::exists(path));
    Plug();
    tRX rx;
    rx.uDecimalPoint = 1;
    rx.iSkalazottKijezesiErtek = -5;
    Status(rx);
    EXPECT_EQ(w->Form_Trend->Recorder().Records(), 1u);
    // The record count, size and file read whole at the window's own size,
    // beside no button.
    TForm_Trend* trend = TrendWindow(*w);
    trend->resize(900, 600);
    QApplication::processEvents();
    QLabel* state = trend->Label_TrendRecordState;
    EXPECT_TRUE(state->text().contains("measure.csv"));
    EXPECT_GE(state->width(), state->fontMetrics().horizontalAdvance(state->text()));
    for (QWidget* button : trend->findChildren<QPushButton*>())
        EXPECT_FALSE(state->geometry().intersects(button->geometry())) << button->objectName().toStdString();
    w->Form_Trend->StopRecording();
    const QStringList lines = CsvLines(path);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[1].split(';').value(4), "-0.5");
}

// The window is built when first opened, yet shows every answer since the
// start: the samples were kept without it.
TEST_F(WindowFixture, TheWindowBuiltLateShowsTheAnswersSinceTheStart) {
    Create();
    EXPECT_EQ(w->Form_Trend, nullptr);
    EXPECT_EQ(w->findChild<QWidget*>("Form_Trend"), nullptr);
    Plug();
    tRX rx;
    rx.uDecimalPoint = 1;
    for (int32_t v : {10, 20, 30}) {
        rx.iSkalazottKijezesiErtek = v;
        Status(rx);
    }
    w->header->ui.Button_Trend->click();
    ASSERT_NE(w->Form_Trend, nullptr);
    EXPECT_TRUE(w->Form_Trend->isVisible());
    EXPECT_EQ(w->Form_Trend, TrendWindow(*w)) << "one window, reused";
    const TrendRing& ring = w->Form_Trend->Ring();
    ASSERT_EQ(ring.Size(), 3u);
    EXPECT_DOUBLE_EQ(ChannelValue(ring.At(ring.FirstNumber()), kTrendValue1), 1.0);
    EXPECT_DOUBLE_EQ(ChannelValue(*ring.Newest(), kTrendValue1), 3.0);
    // A recording started now takes the answers that follow, not the kept ones.
    const QString path = dir.filePath("late.csv");
    ASSERT_TRUE(w->Form_Trend->StartRecording(path));
    Status(rx);
    w->Form_Trend->StopRecording();
    EXPECT_EQ(CsvLines(path).size(), 2);
}

TEST_F(WindowFixture, AFileThatCannotBeWrittenIsTold) {
    Create();
    EXPECT_FALSE(TrendWindow(*w)->StartRecording("/nonexistent-folder/x.csv"));
    ASSERT_EQ(informed.size(), 1);
    EXPECT_TRUE(informed[0].contains("nonexistent-folder"));
    EXPECT_FALSE(w->Form_Trend->SpeedButton_TrendRecord->isChecked());
}

}  // namespace
}  // namespace velmar
