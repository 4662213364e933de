#include "transport/usb_access.h"

#include <unistd.h>

namespace velmar {

namespace {

bool Exists(const std::string& path) { return ::access(path.c_str(), F_OK) == 0; }

// The command puts the rule in force for a device already attached, so the
// program, which retries by itself, needs no restart.
constexpr char kTrigger[] = "sudo udevadm trigger --subsystem-match=hidraw";

}  // namespace

std::vector<std::string> UdevRuleDirs() {
    return {"/etc/udev/rules.d", "/run/udev/rules.d", "/usr/lib/udev/rules.d", "/lib/udev/rules.d"};
}

UdevRuleFiles FindUdevRule(const std::string& programDir, const std::vector<std::string>& udevDirs) {
    UdevRuleFiles files;
    for (const std::string& dir : udevDirs) {
        if (Exists(dir + "/" + kUdevRuleName)) {
            files.installed = dir + "/" + kUdevRuleName;
            break;
        }
    }
    // build/velmar-setup and build/tests/... both sit below the source tree.
    for (const char* up : {"/../udev/", "/../../udev/"}) {
        const std::string candidate = programDir + up + kUdevRuleName;
        if (Exists(candidate)) {
            char resolved[4096];
            files.source = ::realpath(candidate.c_str(), resolved) ? resolved : candidate;
            break;
        }
    }
    return files;
}

std::string UsbAccessDeniedText(const std::string& node, const UdevRuleFiles& rule) {
    const std::string start = "Csatlakozik egy Velmar készülék (" + node + "), de ";
    if (!rule.installed.empty()) {
        return start + "ez a felhasználó nem nyithatja meg. A " + rule.installed +
               " udev-szabály a gép előtt bejelentkezett felhasználónak ad hozzá jogot; ha a szabály "
               "most került fel, húzza ki és dugja vissza a készüléket, vagy adja ki ezt a parancsot:\n" +
               kTrigger;
    }
    const std::string source = rule.source.empty() ? std::string("udev/") + kUdevRuleName : rule.source;
    return start + "nincs jogosultság a megnyitásához: hiányzik a " + kUdevRuleName +
           " udev-szabály. Telepítse ezzel a paranccsal (a programot nem kell újraindítani):\n"
           "sudo install -m 644 " +
           source + " /etc/udev/rules.d/ && sudo udevadm control --reload && " + kTrigger;
}

}  // namespace velmar
