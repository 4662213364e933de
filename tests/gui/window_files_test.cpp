// The files the window writes, on a full disk: each keeps what it held and
// the window says why; a journal that cannot be written is told once.

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <functional>
#include <gtest/gtest.h>

#include "gui/app/late_windows.h"
#include "gui/app/platform.h"
#include "gui/files/file_editor_dialog.h"
#include "gui/files/settings_files.h"
#include "gui/report/report_window.h"
#include "gui/trend/trend_window.h"
#include "tests/support/full_disk.h"
#include "tests/support/wait_for.h"
#include "tests/support/window_fixture.h"

namespace velmar {
namespace {

QByteArray Contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(none)");
}

// The program on a PX330 with its file choices, questions and messages
// answered by the test.
struct FilesWindow {
    QString chosen;  // what every file dialog answers
    QStringList informed;
    std::unique_ptr<InstrumentProgram> program;
    TForm1* w = nullptr;

    explicit FilesWindow(QString journalFolder = {}) {
        sim::InstrumentConfig cfg;
        cfg.optIn = 1;
        cfg.optOut1 = 5;
        cfg.optOut2 = 3;
        program = std::make_unique<InstrumentProgram>(
            cfg, [] { return 5.0; },
            [&](StartupOptions& o) {
                o.inform = [this](const QString& t) { informed << t; };
                o.confirm = [](const QString&) { return true; };
                o.chooseFile = [this](const QString&, bool) { return chosen; };
                if (!journalFolder.isEmpty()) o.journalFolder = journalFolder;
            });
        w = program->w;
    }
    QString Messages() const { return informed.join(" | "); }
    bool Told(const char* text) const { return Messages().contains(QString::fromUtf8(text)); }
    // "Mentés fájlba…" into path, to its message.
    void Save(const QString& path) {
        WAIT_FOR(w->recMBU.bOnline && w->recRX.uPXOptOutSecondary == 3, 3000);
        chosen = path;
        informed.clear();
        w->settingsFiles->SaveToFile();
        WAIT_FOR(Told("elmentve") || Told("A fájl nem írható"), 10000);
    }
};

TEST(WindowFiles, OnAFullDiskEachKeepsWhatItHeldAndIsTold) {
    if (!test::kFullDiskSimulated) GTEST_SKIP() << "no full disk to simulate on this system";
    FilesWindow p;
    const QString saved = p.program->dir.filePath("saved.velmar.json");
    p.Save(saved);
    ASSERT_TRUE(p.Told("elmentve")) << p.Messages().toStdString();
    TForm_FileEditor* editor = nullptr;
    QString pngError;
    struct WritePath {
        const char* name;
        const char* file;
        std::function<void(const QString& path)> write;  // under the full disk
        std::function<bool()> told;
    } paths[] = {
        {"Mentés fájlba…", "a.velmar.json", [&](const QString& path) { p.Save(path); },
         [&] { return p.Told("A fájl nem írható: ") && p.Messages().contains("a.velmar.json"); }},
        {"Mentés másként…", "b.velmar.json",
         [&](const QString& path) {
             p.chosen = saved;
             p.w->settingsFiles->EditFile();
             editor = p.w->findChild<TForm_FileEditor*>("Form_FileEditor");
             ASSERT_NE(editor, nullptr) << p.Messages().toStdString();
             p.chosen = path;
             editor->Button_SaveAs->click();
         },
         [&] { return editor && editor->Label_Result->text().contains(QString::fromUtf8("nem írható")); }},
        {"Mentés PDF-be…", "c.pdf",
         [&](const QString& path) {
             auto* report = ReportWindow(*p.w);
             report->chooseFile = [path](const QString&) { return path; };
             p.informed.clear();
             report->Button_SavePdf->click();
             WAIT_FOR(!p.informed.isEmpty(), 10000);
         },
         [&] { return p.Told("A fájl nem írható") && p.Told("megmaradtak"); }},
        {"Mentés képként (PNG)", "d.png",
         [&](const QString& path) { EXPECT_FALSE(TrendWindow(*p.w)->ExportPng(path, &pngError)); },
         [&] { return !pngError.isEmpty(); }},
        {"the INI file at exit", "velmar-setup.ini",
         [&](const QString&) {
             p.informed.clear();
             p.w->close();
         },
         [&] { return p.Told("INI fájlja nem írható"); }},
    };
    for (const WritePath& path : paths) {
        SCOPED_TRACE(path.name);
        const QString file = p.program->dir.filePath(path.file);
        QFile old(file);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly | QIODevice::Truncate));
        old.write("old\n");
        old.close();
        {
            test::FullDisk full;
            path.write(file);
        }
        EXPECT_EQ(Contents(file), "old\n") << "the old file is kept";
        EXPECT_TRUE(path.told()) << p.Messages().toStdString();
    }
}

TEST(WindowFiles, AJournalThatCannotBeWrittenIsToldOnce) {
    QTemporaryDir dir;
    const QString notAFolder = dir.filePath("journal");
    QFile blocker(notAFolder);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    FilesWindow p(notAFolder);
    p.Save(p.program->dir.filePath("a.velmar.json"));
    EXPECT_TRUE(p.Told("elmentve")) << "the work goes on";
    WAIT_FOR(p.Told("Az előzmények feljegyzése nem sikerült"), 3000);
    EXPECT_EQ(p.Messages().count(QString::fromUtf8("előzmények")), 1) << p.Messages().toStdString();
    EXPECT_TRUE(p.Messages().contains(QDir::toNativeSeparators(notAFolder))) << p.Messages().toStdString();
}

}  // namespace
}  // namespace velmar
