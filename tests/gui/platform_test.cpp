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

namespace velmar {
namespace {

TEST(Platform, CountsRunningCopiesByFileNameInAnyFolderAndCase) {
    QTemporaryDir a, b;
    ASSERT_TRUE(QFile::copy("/bin/sleep", a.filePath("VelmarProbeCopy")));
    ASSERT_TRUE(QFile::copy("/bin/sleep", b.filePath("velmarprobecopy")));
    ASSERT_TRUE(QFile::copy("/bin/sleep", b.filePath("VelmarProbeOther")));
    QProcess p1, p2, p3;
    p1.start(a.filePath("VelmarProbeCopy"), {"30"});
    p2.start(b.filePath("velmarprobecopy"), {"30"});
    p3.start(b.filePath("VelmarProbeOther"), {"30"});
    ASSERT_TRUE(p1.waitForStarted() && p2.waitForStarted() && p3.waitForStarted());
    EXPECT_EQ(CountProgramInstances("VELMARPROBECOPY"), 2);
    EXPECT_EQ(CountProgramInstances("VelmarProbeOther"), 1);
    for (QProcess* p : {&p1, &p2, &p3}) {
        p->kill();
        p->waitForFinished();
    }
    EXPECT_EQ(CountProgramInstances("VelmarProbeCopy"), 0);
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
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll().toStdString(), "[Other]\nKey=1\n[Date]\nDate=2022.07.21.   10:00:00\nMore=2\n");
    EXPECT_EQ(IniPathFor("/opt/velmar/velmar-setup"), "/opt/velmar/velmar-setup.ini");
    EXPECT_EQ(IniPathFor("/opt/velmar/setup.exe"), "/opt/velmar/setup.ini");
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
