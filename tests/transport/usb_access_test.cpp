// The text for an instrument whose hidraw node this user may not open: it
// names the node, the rule file and a command that can be pasted as it is.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "transport/usb_access.h"

namespace velmar {
namespace {

namespace fs = std::filesystem;

struct UsbAccessTest : ::testing::Test {
    fs::path root;
    void SetUp() override {
        char name[] = "/tmp/usb_access_XXXXXX";
        root = ::mkdtemp(name);
        for (const char* d : {"etc", "lib", "src/udev", "src/build"}) fs::create_directories(root / d);
    }
    void TearDown() override { fs::remove_all(root); }
    void Touch(const fs::path& p) { std::ofstream(p) << "# rule\n"; }
    std::vector<std::string> Dirs() { return {(root / "etc").string(), (root / "lib").string()}; }
};

TEST_F(UsbAccessTest, FindsTheInstalledRuleAndTheSourceCopy) {
    EXPECT_TRUE(FindUdevRule((root / "src/build").string(), Dirs()).installed.empty());
    EXPECT_TRUE(FindUdevRule((root / "src/build").string(), Dirs()).source.empty());

    Touch(root / "src/udev" / kUdevRuleName);
    Touch(root / "lib" / kUdevRuleName);
    const UdevRuleFiles found = FindUdevRule((root / "src/build").string(), Dirs());
    EXPECT_EQ(found.installed, (root / "lib" / kUdevRuleName).string());
    EXPECT_EQ(found.source, (root / "src/udev" / kUdevRuleName).string()) << "resolved, without ..";

    // The administrator's copy comes first, as udev lets it override.
    Touch(root / "etc" / kUdevRuleName);
    EXPECT_EQ(FindUdevRule((root / "src/build").string(), Dirs()).installed, (root / "etc" / kUdevRuleName).string());
}

TEST(UsbAccessText, MissingRuleGivesTheInstallCommand) {
    const std::string text = UsbAccessDeniedText("/dev/hidraw3", {"", "/home/t/velmar/udev/70-velmar.rules"});
    EXPECT_NE(text.find("/dev/hidraw3"), std::string::npos);
    EXPECT_NE(text.find("hiányzik a 70-velmar.rules"), std::string::npos) << text;
    const std::string command = text.substr(text.rfind('\n') + 1);
    EXPECT_EQ(command,
              "sudo install -m 644 /home/t/velmar/udev/70-velmar.rules /etc/udev/rules.d/ && "
              "sudo udevadm control --reload && sudo udevadm trigger --subsystem-match=hidraw");
}

TEST(UsbAccessText, InstalledRuleGivesTheTriggerAndNamesTheRule) {
    const std::string text = UsbAccessDeniedText("/dev/hidraw0", {"/usr/lib/udev/rules.d/70-velmar.rules", ""});
    EXPECT_NE(text.find("/usr/lib/udev/rules.d/70-velmar.rules"), std::string::npos) << text;
    EXPECT_NE(text.find("dugja vissza"), std::string::npos) << text;
    EXPECT_EQ(text.substr(text.rfind('\n') + 1), "sudo udevadm trigger --subsystem-match=hidraw");
    // Without a copy found beside the program, the source tree's path.
    EXPECT_NE(UsbAccessDeniedText("/dev/hidraw0", {}).find("install -m 644 udev/70-velmar.rules "), std::string::npos);
}

}  // namespace
}  // namespace velmar
