// Where the file dialogs open and the names they offer.
#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "gui/views/file_choice.h"

namespace velmar {
namespace {

TEST(FileChoice, TheLastFolderIsRememberedAndAFolderGoneIsNotOffered) {
    QTemporaryDir dir;
    RememberFolder(dir.filePath("run.csv"));
    EXPECT_EQ(LastFolder(), QDir(dir.path()).absolutePath());
    RememberFolder({});  // a dialog given up changes nothing
    EXPECT_EQ(LastFolder(), QDir(dir.path()).absolutePath());

    const QString gone = dir.filePath("gone");
    ASSERT_TRUE(QDir().mkdir(gone));
    RememberFolder(gone + "/x.json");
    ASSERT_TRUE(QDir(gone).removeRecursively());
    EXPECT_NE(LastFolder(), gone);
    EXPECT_TRUE(QFileInfo(LastFolder()).isDir()) << "never a folder that would be typed in as the file's name";
}

TEST(FileChoice, NamesAreTheShortTypeTheSerialAndTheTime) {
    static const QRegularExpression stem("^PX330_004711_\\d{8}_\\d{6}$");
    EXPECT_TRUE(stem.match(InstrumentFileStem(330, 4711)).hasMatch()) << InstrumentFileStem(330, 4711).toStdString();
}

}  // namespace
}  // namespace velmar
