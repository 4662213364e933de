#pragma once
// What the user is told when an instrument is attached but cannot be
// opened. On Linux: the udev rule that gives the user at the desktop access
// to its hidraw node is missing or not yet in force (linux/usb_access.cpp);
// Windows needs no rule, and has no rule files (windows/usb_access.cpp).
// The window and the command-line tool show the same texts.

#include <string>
#include <vector>

namespace velmar {

inline constexpr char kUdevRuleName[] = "70-velmar.rules";

struct UdevRuleFiles {
    std::string installed;  // the rule where udev reads it, empty when not installed
    std::string source;  // a copy to install from, empty when none was found
};

// The folders udev reads rules from.
std::vector<std::string> UdevRuleDirs();

// Looks for the rule in udevDirs and beside the program as the source tree
// has it (udev/ next to the build folder).
UdevRuleFiles FindUdevRule(const std::string& programDir, const std::vector<std::string>& udevDirs = UdevRuleDirs());

// Hungarian text, UTF-8: which node is refused, which rule file grants the
// access and the one command that puts it in force.
std::string UsbAccessDeniedText(const std::string& node, const UdevRuleFiles& rule);

// Hungarian text, UTF-8: the node is held by another of our programs.
std::string UsbInUseText(const std::string& node);

// Hungarian text, UTF-8: the system's USB HID access could not start (on
// Windows, hidapi's backend; reason as it says), so no instrument on USB is
// seen; the virtual instrument and the sockets still work.
std::string UsbUnavailableText(const std::string& reason);

}  // namespace velmar
