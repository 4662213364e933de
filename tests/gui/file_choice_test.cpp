// Where the file dialogs open, the names they offer, and the decimals of
// the reasons shown beside the tables.
#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "gui/views/decimal_input.h"
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

// A refusal reason reads in the decimals of the table beside it.
TEST(DecimalSeparator, ReasonsTakeTheSystemsSeparatorButNotTheirDates) {
    const struct {
        const char *from, *to;
    } cases[] = {
        {"a megengedett tartományon kívül van (-99.99 … 999.99)",
         "a megengedett tartományon kívül van (-99,99 … 999,99)"},
        {"-21474836.48 mA", "-21474836,48 mA"},
        {"gyártva 2022.07.21., firmware 2022.07.", "gyártva 2022.07.21., firmware 2022.07."},
        {"legfeljebb 2 tizedesjegy lehet", "legfeljebb 2 tizedesjegy lehet"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WithDecimalSeparator(QString::fromUtf8(c.from), ','), QString::fromUtf8(c.to));
    EXPECT_EQ(WithDecimalSeparator("1.5", '.'), "1.5");
}

}  // namespace
}  // namespace velmar
