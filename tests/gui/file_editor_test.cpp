// A settings file edited in the window with no instrument attached: each
// kind of field typed into the table within and outside its limits, saved
// under a new name, and loaded onto the virtual instrument like a saved one.

#include <QComboBox>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "core/settings/field_edit.h"
#include "gui/files/compare_dialog.h"
#include "gui/files/compare_table.h"
#include "gui/files/file_editor_dialog.h"
#include "gui/files/settings_files.h"
#include "tests/support/sim_process.h"
#include "tests/support/wait_for.h"
#include "tests/support/window_fixture.h"

namespace velmar {
namespace {

// The program with its file dialogs and questions answered by the test.
struct EditorProgram {
    QString open, saveAs;  // what the file dialogs answer
    bool answer = true;  // to every question
    QStringList informed, asked;
    std::unique_ptr<InstrumentProgram> program;
    TForm1* w = nullptr;
    SettingsFiles* files = nullptr;

    EditorProgram(uint8_t in, uint8_t out1, uint8_t out2, QStringList args = {}) {
        sim::InstrumentConfig cfg;
        cfg.optIn = in;
        cfg.optOut1 = out1;
        cfg.optOut2 = out2;
        program = std::make_unique<InstrumentProgram>(
            cfg, [] { return 5.0; },
            [&](StartupOptions& o) {
                o.arguments = args;
                o.inform = [this](const QString& t) { informed << t; };
                o.confirm = [this](const QString& t) {
                    asked << t;
                    return answer;
                };
                o.chooseFile = [this](const QString&, bool save) { return save ? saveAs : open; };
            });
        w = program->w;
        w->FormActivate();  // offscreen, no window manager activates it
        files = w->settingsFiles;
        w->DecimalSeparator = ',';
        open = saveAs = program->dir.filePath("saved.velmar.json");
    }
    // Saves the instrument's settings into open, then takes the instrument away.
    void SaveThenUnplug() {
        const sim::VirtualInstrument& vi = program->hid.Instrument();
        WAIT_FOR(w->recMBU.bOnline && w->recRX.uPXOptIn == vi.OptIn() && w->recRX.uPXOptOutPrimer == vi.OptOut1() &&
                     w->recRX.uPXOptOutSecondary == vi.OptOut2(),
                 3000);
        files->SaveToFile();
        WAIT_FOR(!informed.isEmpty(), 10000);
        ASSERT_TRUE(informed.last().contains("elmentve")) << informed.join(" | ").toStdString();
        program->hid.Unplug();
        WAIT_FOR(!w->recMBU.bOnline, 3000);
        informed.clear();
    }
    TForm_FileEditor* Editor() { return w->findChild<TForm_FileEditor*>("Form_FileEditor"); }
    QByteArray Read(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

int RowOf(TForm_FileEditor* d, const char* block, const char* field) {
    QTableWidget* t = d->StringGrid_FileEditor;
    for (int r = 0; r < t->rowCount(); ++r)
        if (t->item(r, 0)->text() == QString::fromUtf8(FindSettingsBlock(block)->caption) &&
            d->EditedField(r)->name == field)
            return r;
    ADD_FAILURE() << "no row " << block << "." << field;
    return -1;
}

// Types into the cell's own editor as a person does: a line ended with
// Enter, or a choice picked from the list.
void Type(TForm_FileEditor* d, int row, const QString& text) {
    QTableWidget* t = d->StringGrid_FileEditor;
    t->setCurrentCell(row, 3);
    t->editItem(t->item(row, 3));
    if (auto* combo = t->findChild<QComboBox*>("ComboBox_FieldValue")) {
        const int index = combo->findText(text);
        ASSERT_GE(index, 0) << "no choice " << text.toStdString();
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    } else {
        auto* edit = t->findChild<QLineEdit*>("Edit_FieldValue");
        ASSERT_NE(edit, nullptr);
        edit->setText(text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    // The view takes a line's value once the line has had its key press.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(t->findChild<QWidget*>("Edit_FieldValue"), nullptr) << "the editor closes";
    EXPECT_EQ(t->findChild<QWidget*>("ComboBox_FieldValue"), nullptr) << "the editor closes";
}

TEST(FileEditor, TheTableTakesEachKindOfFieldWithinItsLimits) {
    EditorProgram p(1, 5, 0, {"/QZKTRM"});  // the whole settings set has the texts
    p.SaveThenUnplug();
    p.files->Action_EditFile->trigger();
    TForm_FileEditor* d = p.Editor();
    ASSERT_NE(d, nullptr) << p.informed.join(" | ").toStdString();
    EXPECT_TRUE(d->isVisible());
    EXPECT_TRUE(d->Label_FileInfo->text().contains("004711"));
    QTableWidget* t = d->StringGrid_FileEditor;
    struct Case {
        const char* block;
        const char* field;
        const char* typed;
        const char* shown;  // the new value's cell afterwards; nullptr: refused
        const char* refusal;  // part of the message shown at once
    } cases[] = {
        {"analogInput", "scaleHigh", "250,5", "250,50", nullptr},
        {"analogInput", "scaleHigh", "1,234", nullptr, "legfeljebb 2 tizedesjegy"},
        {"limit1", "timeBase", "90", "90 s", nullptr},
        {"limit1", "timeBase", "70000", nullptr, "(2 … 65535 s)"},
        {"limit1", "a", "sok", nullptr, "számot vár"},
        {"analogInput", "inputType", "Feszültség 0-10 V", "Feszültség 0-10 V", nullptr},
        {"limit1", "hold", "igen", "igen", nullptr},
        {"settingsSet", "tagname", "Tartály 7", "Tartály 7", nullptr},
        {"settingsSet", "tagname", "Tartály a mosóüzemben!", nullptr, "legfeljebb 21 karakter"},
        {"settingsSet", "dimension", "m\xE2\x82\xAC", nullptr, "U+20AC"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.block) + "." + c.field + " = " + c.typed);
        const int row = RowOf(d, c.block, c.field);
        ASSERT_GE(row, 0);
        const QString before = t->item(row, 3)->text();
        Type(d, row, QString::fromUtf8(c.typed));
        if (c.shown) {
            EXPECT_EQ(t->item(row, 3)->text(), QString::fromUtf8(c.shown));
            EXPECT_NE(t->item(row, 2)->text(), t->item(row, 3)->text()) << "the file's value stays beside it";
            EXPECT_EQ(t->item(row, 1)->background().color(), kDifferenceColor);
        } else {
            EXPECT_EQ(t->item(row, 3)->text(), before) << "refused";
            EXPECT_TRUE(d->Label_Result->text().contains(QString::fromUtf8(c.refusal)))
                << d->Label_Result->text().toStdString();
            EXPECT_TRUE(d->Label_Result->text().contains(t->item(row, 1)->text())) << "names the field";
        }
    }
    EXPECT_EQ(d->ChangeCount(), 5);

    // A choice or a flag offers only what the field takes; nothing else gets in.
    const int type = RowOf(d, "analogInput", "inputType");
    t->editItem(t->item(type, 3));
    auto* combo = t->findChild<QComboBox*>("ComboBox_FieldValue");
    ASSERT_NE(combo, nullptr);
    QStringList items;
    for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
    EXPECT_EQ(items.join('/'), QString::fromUtf8(FieldLimitsText(*d->EditedField(type)).c_str()).replace(" / ", "/"));
    EXPECT_EQ(combo->currentText(), QString::fromUtf8("Feszültség 0-10 V")) << "starts from the value";
    emit combo->activated(combo->currentIndex());  // the same choice again: no edit
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(d->ChangeCount(), 5);
    EXPECT_FALSE(d->SetValue(type, "9"));
    EXPECT_TRUE(d->Label_Result->text().contains(QString::fromUtf8("választható")))
        << d->Label_Result->text().toStdString();

    // Fewer decimals: the scale reads the same bytes with one decimal, and
    // its limits follow.
    const int scale = RowOf(d, "analogInput", "scaleHigh");
    Type(d, RowOf(d, "analogInput", "decimals"), "1");
    EXPECT_EQ(t->item(scale, 3)->text(), "2505,0");
    EXPECT_EQ(t->item(scale, 4)->text(), QString::fromUtf8("-999,9 … 9999,9"));
}

// A decimals change by each road a person takes. The instrument keeps its
// stored integers when its decimals change, so a value typed after the
// change is stored in the new decimals and the limits typed before keep
// their integers; a file changed by hand is read in the decimals it now
// says. Each file is loaded by velmar-cli onto a fresh velmar-sim and the
// instrument's settings saved again to read what it holds.
TEST(FileEditor, DecimalsChangedByEachRoadEndOnTheInstrumentAsShown) {
    QTemporaryDir dir;
    auto cli = [&](const QStringList& args, int code = 0) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_HOME", dir.filePath("data"));
        p.setProcessEnvironment(env);
        p.start(VELMAR_CLI_PATH, args);
        p.closeWriteChannel();
        EXPECT_TRUE(p.waitForFinished(30000));
        EXPECT_EQ(p.exitCode(), code) << args.join(' ').toStdString() << ": " << p.readAllStandardError().toStdString();
        return p.readAllStandardOutput();
    };
    auto json = [](const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(f.readAll()).object() : QJsonObject();
    };
    auto field = [](const QJsonObject& file, const char* block, const char* name) {
        return file["blocks"].toObject()[block].toObject()["fields"].toObject()[name].toDouble();
    };
    test::SimProcess sim;
    const QString socket = "unix:" + dir.filePath("sim.sock"), device = "--device=" + socket;
    auto freshInstrument = [&] {
        sim.Kill();
        ASSERT_FALSE(sim.Start({"--listen=" + socket, "--in=1", "--out1=5", "--out2=3"}).isEmpty())
            << sim.Output().toStdString();
    };
    freshInstrument();
    const QString saved = dir.filePath("saved.json");
    cli({device, "save", saved});
    ASSERT_EQ(json(saved)["measuredDecimals"].toInt(), 2);

    const QString byTool = dir.filePath("tool.json");
    cli({"edit", saved, "--set", "analogInput.decimals=1", "--set", "limit1.a=180", "--set",
         "analogInput.scaleHigh=250", "--output=" + byTool});

    const QString byHand = dir.filePath("hand.json");
    QJsonObject hand = json(saved), blocks = hand["blocks"].toObject();
    for (auto [block, name, value] : {std::tuple{"analogInput", "decimals", 1},
                                      std::tuple{"analogInput", "scaleHigh", 250}, std::tuple{"limit1", "a", 180}}) {
        QJsonObject b = blocks[block].toObject(), fields = b["fields"].toObject();
        fields[name] = value;
        b["fields"] = fields;
        blocks[block] = b;
    }
    hand["blocks"] = blocks;
    QFile handFile(byHand);
    ASSERT_TRUE(handFile.open(QIODevice::WriteOnly));
    handFile.write(QJsonDocument(hand).toJson());
    handFile.close();

    const QString inEditor = dir.filePath("editor.json");
    {
        EditorProgram p(1, 5, 3);
        p.open = saved;
        p.saveAs = inEditor;
        p.files->EditFile();
        TForm_FileEditor* d = p.Editor();
        ASSERT_NE(d, nullptr) << p.informed.join(" | ").toStdString();
        Type(d, RowOf(d, "analogInput", "decimals"), "1");
        Type(d, RowOf(d, "limit1", "a"), "180");
        Type(d, RowOf(d, "analogInput", "scaleHigh"), "250");
        const int b = RowOf(d, "limit1", "b");
        EXPECT_EQ(d->StringGrid_FileEditor->item(b, 2)->text() + " / " + d->StringGrid_FileEditor->item(b, 3)->text(),
                  "90,00 / 900,0")
            << "B keeps its integer, and the table shows what it then means";
        EXPECT_TRUE(d->Label_Result->text().contains(QString::fromUtf8("együtt mozdult")))
            << d->Label_Result->text().toStdString();
        EXPECT_EQ(d->StringGrid_FileEditor->item(b, 1)->background().color(), kDifferenceColor);
        d->Button_SaveAs->click();
        ASSERT_TRUE(QFile::exists(inEditor)) << d->Label_Result->text().toStdString();
    }

    struct Case {
        const char* road;
        QString file;
        double a, b, scaleHigh;  // as the instrument ends with them, one decimal
        bool bMoved;  // B's integer stays, its meaning moves
    } cases[] = {
        {"velmar-cli edit", byTool, 180, 900, 250, true},
        {"by hand", byHand, 180, 90, 250, false},
        {"the offline editor", inEditor, 180, 900, 250, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.road);
        EXPECT_EQ(json(c.file)["measuredDecimals"].toInt(), c.road == std::string("by hand") ? 2 : 1)
            << "the file's measured decimals follow the input's";
        // What the table of the file shows before anything is written.
        std::map<QString, double> listed;
        for (const QByteArray& line : cli({"fields", c.file}).trimmed().split('\n')) {
            const QJsonObject o = QJsonDocument::fromJson(line).object();
            listed[o["field"].toString()] = o["value"].toDouble();
        }
        EXPECT_EQ(listed["limit1.a"], c.a);
        EXPECT_EQ(listed["limit1.b"], c.b);
        EXPECT_EQ(listed["analogInput.scaleHigh"], c.scaleHigh);

        freshInstrument();
        // The difference to the instrument names B before anything is written.
        QJsonObject bRow;
        for (const QJsonValue& v :
             QJsonDocument::fromJson(cli({device, "diff", c.file}, 1)).object()["differences"].toArray())
            if (v["block"] == "limit1" && v["field"] == "b") bRow = v.toObject();
        EXPECT_EQ(bRow["instrument"].toString() + " / " + bRow["other"].toString(), QString("90.00 / %1.0").arg(c.b));
        EXPECT_EQ(bRow["moved"].toBool(), c.bMoved);
        cli({device, "load", "--yes", c.file});
        const QString after = dir.filePath("after.json");
        cli({device, "save", "--force", after});  // the last case's file goes
        const QJsonObject held = json(after);
        EXPECT_EQ(held["measuredDecimals"].toInt(), 1);
        EXPECT_EQ(field(held, "limit1", "a"), c.a);
        EXPECT_EQ(field(held, "limit1", "b"), c.b);
        EXPECT_EQ(field(held, "analogInput", "scaleHigh"), c.scaleHigh);
    }
}

TEST(FileEditor, SavedAsANewFileItLoadsOntoTheInstrumentLikeASavedOne) {
    EditorProgram p(1, 5, 3);
    p.SaveThenUnplug();
    const QString original = p.open;
    const QByteArray originalBytes = p.Read(original);
    p.files->EditFile();
    TForm_FileEditor* d = p.Editor();
    ASSERT_NE(d, nullptr) << p.informed.join(" | ").toStdString();
    Type(d, RowOf(d, "analogInput", "inputType"), QString::fromUtf8("Feszültség 0-10 V"));
    Type(d, RowOf(d, "analogInput", "scaleHigh"), "250");
    Type(d, RowOf(d, "limit1", "hold"), "igen");
    Type(d, RowOf(d, "analogOutput2", "scaleLow"), "-12,5");

    // Closing with edits not saved asks first.
    p.answer = false;
    d->Button_Close->click();
    ASSERT_EQ(p.asked.size(), 1);
    EXPECT_TRUE(p.asked[0].contains("nincsenek"));
    EXPECT_TRUE(d->isVisible());

    // The original is overwritten only when the question is answered yes.
    d->Button_SaveAs->click();
    ASSERT_EQ(p.asked.size(), 2);
    EXPECT_TRUE(p.asked[1].contains("eredeti")) << p.asked[1].toStdString();
    EXPECT_EQ(p.Read(original), originalBytes);

    p.saveAs = p.program->dir.filePath("template.velmar.json");
    d->Button_SaveAs->click();
    EXPECT_EQ(p.asked.size(), 2) << "a new file asks nothing";
    EXPECT_TRUE(d->Label_Result->text().contains("template.velmar.json")) << d->Label_Result->text().toStdString();
    EXPECT_EQ(p.Read(original), originalBytes);
    const QJsonObject saved = QJsonDocument::fromJson(originalBytes).object();
    const QJsonObject edited = QJsonDocument::fromJson(p.Read(p.saveAs)).object();
    EXPECT_EQ(edited["time"], saved["time"]) << "when the settings were read stays";
    const QDateTime at = QDateTime::fromString(edited["editedOffline"].toString(), Qt::ISODateWithMs);
    EXPECT_TRUE(at.isValid() && at.secsTo(QDateTime::currentDateTimeUtc()) < 60)
        << edited["editedOffline"].toString().toStdString();
    EXPECT_EQ(edited["blocks"].toObject()["limit1"].toObject()["fields"].toObject()["hold"].toDouble(), 1);
    d->Button_Close->click();
    EXPECT_EQ(p.asked.size(), 2) << "saved: closes without asking";
    EXPECT_FALSE(d->isVisible());

    // On site: the same compare, write and read-back as a file saved from an instrument.
    p.program->hid.Plug();
    WAIT_FOR(p.w->recMBU.bOnline && p.w->recRX.uPXOptOutSecondary == 3, 3000);
    p.open = p.saveAs;
    p.files->LoadAndCompare();
    WAIT_FOR(p.w->findChild<TForm_Compare*>("Form_Compare"), 10000) << p.informed.join(" | ").toStdString();
    TForm_Compare* compare = p.w->findChild<TForm_Compare*>("Form_Compare");
    EXPECT_EQ(compare->DifferenceCount(), 4);
    compare->Button_Write->click();
    WAIT_FOR(compare->Label_Result->text().contains("visszaolvasva"), 10000);
    EXPECT_FALSE(compare->Label_Result->text().contains(QString::fromUtf8("eltér")))
        << compare->Label_Result->text().toStdString();
    const sim::InstrumentSettings& s = p.program->hid.Instrument().Settings();
    EXPECT_EQ(s.input.inputType, 2);
    EXPECT_EQ(s.input.scaleHigh, 25000);
    EXPECT_TRUE(s.limits[0].hold);
    EXPECT_EQ(s.outputs[1].scaleLow, -1250);
    EXPECT_EQ(compare->DifferenceCount(), 0);
}

TEST(FileEditor, AFileThatCannotBeReadIsNotOpened) {
    EditorProgram p(1, 0, 0);
    struct Case {
        const char* what;
        QByteArray content;
        const char* message;
    } cases[] = {
        {"not JSON", "{\"format\": 1,", "JSON"},
        {"no type", "{\"format\": 1, \"instrument\": {}, \"blocks\": {}}", "deviceType"},
        {"newer format", "{\"format\": 9, \"instrument\": {\"deviceType\": 330}}", "újabb"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QFile f(p.open);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(c.content);
        f.close();
        p.informed.clear();
        p.files->EditFile();
        ASSERT_EQ(p.informed.size(), 1);
        EXPECT_TRUE(p.informed[0].contains(QString::fromUtf8(c.message))) << p.informed[0].toStdString();
        EXPECT_EQ(p.Editor(), nullptr);
    }
}

}  // namespace
}  // namespace velmar
