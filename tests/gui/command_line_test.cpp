// velmar-setup's options before any window: help, version, and one clear
// line for an option it does not know or a device it cannot use.
#include <gtest/gtest.h>

#include "gui/app/command_line.h"

namespace velmar {
namespace {

using Kind = CommandLineAnswer::Kind;

TEST(CommandLineTest, AnswersTable) {
    struct Case {
        QStringList args;
        Kind kind;
        const char* inText;
    };
    const Case cases[] = {
        {{}, Kind::kRun, ""},
        {{"/qzktrm", "whatever"}, Kind::kRun, ""},  // plain words are the program's business
        {{"-platform", "offscreen"}, Kind::kRun, ""},  // Qt's own
        {{"--device=sim:530", "--serial=12"}, Kind::kRun, ""},
        {{"--device=unix:/tmp/v.sock"}, Kind::kRun, ""},
        {{"--device=sim", "--open-trend=/tmp/t.csv"}, Kind::kRun, ""},
        {{"--device=sim", "--help"}, Kind::kHelp, "--device=tcp:GÉP:PORT"},
        {{"--help"}, Kind::kHelp, "70-velmar.rules"},
        {{"--help"}, Kind::kHelp, "Használat: velmar-setup [--device=…]"},
        {{"--help"}, Kind::kHelp, "--type=KÓD           készüléktípus"},
        {{"--version"}, Kind::kVersion, "velmar-setup v2022.07.21."},
        {{"--verbose"}, Kind::kError, "ismeretlen kapcsoló: --verbose (velmar-setup --help)"},
        {{"--device"}, Kind::kError, "a --device kapcsolónak érték kell"},
        {{"--device=usb0"}, Kind::kError, "--device: "},
        {{"--device=sim:abc"}, Kind::kError, "--type"},
        {{"--device=sim", "--serial=x"}, Kind::kError, "hibás érték: --serial=x"},
        {{"--device=tcp:gép"}, Kind::kError, "hiányzik a port"},
    };
    for (const Case& c : cases) {
        const CommandLineAnswer a = CheckCommandLine(c.args);
        EXPECT_EQ(a.kind, c.kind) << c.args.join(' ').toStdString();
        EXPECT_TRUE(a.text.contains(QString::fromUtf8(c.inText)))
            << c.args.join(' ').toStdString() << ": " << a.text.toStdString();
        if (c.kind == Kind::kError) EXPECT_FALSE(a.text.contains('\n')) << "one line";
    }
}

}  // namespace
}  // namespace velmar
