// The operating-system layer: running copies by file name, the INI writer,
// regional settings and centring a dialog.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

#include "gui/app/form_main.h"
#include "gui/app/platform.h"
#include "gui/views/window_placement.h"

namespace velmar {
namespace {

// A program that waits until killed, copied under other names.
#ifdef _WIN32
const QString kWaiter = VELMAR_SIM_PATH;
const QStringList kWaiterArgs = {"--listen=tcp:127.0.0.1:0"};
const QString kExe = ".exe";
#else
const QString kWaiter = "/bin/sleep";
const QStringList kWaiterArgs = {"30"};
const QString kExe;
#endif

TEST(Platform, CountsRunningCopiesByFileNameInAnyFolderAndCase) {
    QTemporaryDir a, b;
    ASSERT_TRUE(QFile::copy(kWaiter, a.filePath("VelmarProbeCopy" + kExe)));
    ASSERT_TRUE(QFile::copy(kWaiter, b.filePath("velmarprobecopy" + kExe)));
    ASSERT_TRUE(QFile::copy(kWaiter, b.filePath("VelmarProbeOther" + kExe)));
    QProcess p1, p2, p3;
    p1.start(a.filePath("VelmarProbeCopy" + kExe), kWaiterArgs);
    p2.start(b.filePath("velmarprobecopy" + kExe), kWaiterArgs);
    p3.start(b.filePath("VelmarProbeOther" + kExe), kWaiterArgs);
    ASSERT_TRUE(p1.waitForStarted(30000) && p2.waitForStarted(30000) && p3.waitForStarted(30000));
    EXPECT_EQ(CountProgramInstances("VELMARPROBECOPY" + kExe), 2);
    EXPECT_EQ(CountProgramInstances("VelmarProbeOther" + kExe), 1);
    for (QProcess* p : {&p1, &p2, &p3}) {
        p->kill();
        p->waitForFinished(30000);
    }
    EXPECT_EQ(CountProgramInstances("VelmarProbeCopy" + kExe), 0);
}

TEST(Platform, IniWriterKeepsOtherContent) {
    QTemporaryDir dir;
    const QString path = dir.filePath("x.ini");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Other]\nKey=1\n[Date]\nDate=old\nMore=2\n");
    }
    ASSERT_TRUE(WriteIniString(path, "Date", "Date", "2022.07.21.   10:00:00"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly | QIODevice::Text));
    EXPECT_EQ(f.readAll().toStdString(), "[Other]\nKey=1\n[Date]\nDate=2022.07.21.   10:00:00\nMore=2\n");
    EXPECT_EQ(IniPathFor("/opt/velmar/velmar-setup"), "/opt/velmar/velmar-setup.ini");
    EXPECT_EQ(IniPathFor("/opt/velmar/setup.exe"), "/opt/velmar/setup.ini");
}

TEST(Platform, IniGoesToTheUsersFolderWhenTheProgramsCannotBeWritten) {
    QTemporaryDir dir;
    const QString programDir = dir.filePath("Program Files/Velmar");
    const QString own = dir.filePath("LocalAppData");
    ASSERT_TRUE(QDir().mkpath(programDir));
    const QString exe = programDir + "/velmar-setup.exe";
    // Writable: beside the executable, the user's folder untouched.
    EXPECT_EQ(WriteProgramIni(exe, "Date", "Date", "a", own), programDir + "/velmar-setup.ini");
    EXPECT_FALSE(QFile::exists(own + "/velmar-setup.ini"));
    // A folder that cannot be written (here: it is a file): the user's own.
    const QString blocked = dir.filePath("blocked");
    {
        QFile f(blocked);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(WriteProgramIni(blocked + "/velmar-setup.exe", "Date", "Date", "b", own), own + "/velmar-setup.ini");
    QFile f(own + "/velmar-setup.ini");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly | QIODevice::Text));
    EXPECT_EQ(f.readAll().toStdString(), "[Date]\nDate=b\n");
    // Neither: nothing written, and the caller is told.
    EXPECT_EQ(WriteProgramIni(blocked + "/velmar-setup.exe", "Date", "Date", "c", blocked + "/sub"), QString());
}

TEST(Platform, RegionalSettingsFromWindowsPictures) {
    struct Case {
        const char *decimal, *date, *shortDate, *longTime;
        const char *qtDate, *qtTime;
    } cases[] = {
        {",", ".", "yyyy. MM. dd.", "H:mm:ss", "yyyy. MM. dd.", "H:mm:ss"},
        {".", "/", "M/d/yyyy", "h:mm:ss tt", "M/d/yyyy", "h:mm:ss AP"},
        {",", "-", "dd-MM-yy", "HH:mm:ss", "dd-MM-yy", "HH:mm:ss"},
        {".", ".", "gg yyyy.MM.dd", "'Uhr' H.mm", "yyyy.MM.dd", "'Uhr' H.mm"},
    };
    for (const auto& c : cases) {
        const auto r = RegionalSettings::FromWindowsPictures(c.decimal, c.date, c.shortDate, c.longTime);
        EXPECT_EQ(r.decimalSeparator, QChar(c.decimal[0])) << c.shortDate;
        EXPECT_EQ(r.dateSeparator, QChar(c.date[0])) << c.shortDate;
        EXPECT_EQ(r.shortDateFormat, c.qtDate);
        EXPECT_EQ(r.longTimeFormat, c.qtTime);
    }
    // Missing values keep the Hungarian defaults.
    const auto empty = RegionalSettings::FromWindowsPictures("", "", "", "");
    EXPECT_EQ(empty.DateTimeText(QDateTime(QDate(2022, 7, 21), QTime(10, 0))), "2022.07.21.   10:00:00");
}

TEST(Platform, RegionalSettingsFromTheLocale) {
    struct Case {
        QLocale locale;
        QChar date, decimal;
    } cases[] = {
        {QLocale(QLocale::Hungarian, QLocale::Hungary), '.', ','},
        {QLocale(QLocale::Dutch, QLocale::Netherlands), '-', ','},
        {QLocale(QLocale::English, QLocale::UnitedStates), '/', '.'},
        {QLocale::c(), '.', '.'},  // its dates have blanks between the parts
    };
    for (const auto& c : cases) {
        const auto r = RegionalSettings::FromLocale(c.locale);
        EXPECT_EQ(r.dateSeparator, c.date) << c.locale.name().toStdString();
        EXPECT_EQ(r.decimalSeparator, c.decimal) << c.locale.name().toStdString();
        EXPECT_FALSE(r.longTimeFormat.contains('t'));
    }
}

TEST(Platform, DialogCentredWithHalvesToEven) {
    QWidget main, dialog;
    main.setGeometry(100, 50, 801, 600);
    dialog.resize(300, 201);
    PositionFormToCenterOfMainForm(&dialog, &main);
    // 400.5 rounds to 400 and 100.5 to 100.
    EXPECT_EQ(dialog.pos(), QPoint(100 + 400 - 150, 50 + 300 - 100));
}

}  // namespace
}  // namespace velmar
