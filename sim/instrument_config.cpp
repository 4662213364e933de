#include "sim/instrument_config.h"

#include <charconv>
#include <cstdio>

namespace velmar::sim {

namespace {

bool ParseInt(const std::string& text, long long min, long long max, long long& out) {
    long long v = 0;
    const auto* end = text.data() + text.size();
    auto [p, ec] = std::from_chars(text.data(), end, v);
    if (ec != std::errc() || p != end || v < min || v > max) return false;
    out = v;
    return true;
}

}  // namespace

const char* InstrumentFlagsHelp() {
    return "  --type=KÓD           készüléktípus (210, 310, 330, 350, 370, 510, 530, 544, 546, 580)\n"
           "  --serial=N           gyári szám\n"
           "  --made=YY-MM         gyártás éve és hónapja\n"
           "  --firmware=YYYY-MM-DD\n"
           "                       a firmware dátuma\n"
           "  --in=KÓD             bemeneti modul (1 PXAI, 2 PXRT, 6 PXMB, 7 időzítő, 8 PXMBIN, 0 nincs)\n"
           "  --out1=KÓD           1. kimeneti modul (3 PXAO, 4 PXMB, 5 PXRL, 0 nincs)\n"
           "  --out2=KÓD           2. kimeneti modul\n"
           "  --latency-ms=N       a válaszok késése ezredmásodpercben\n"
           "  --drop-every=N       minden N-edik válasz elmarad\n"
           "  --bad-crc-every=N    minden N-edik válasz CRC-je hibás\n"
           "  --fault-every=N      minden N-edik válasz hibás, sorra más-más módon: elmarad,\n"
           "                       hibás a CRC-je, az 1..10 hibakód, hibás a sorszáma, a hossza\n"
           "  --error=KÓD          minden keretre ezzel a hibakóddal válaszol\n"
           "  --error-bits=N       a státuszválasz hibabitjei\n"
           "  --global-error=KÓD   a státuszválasz globális hibakódja\n"
           "  --buttons=BITEK      lenyomott nyomógombok (0. bit jobb, 1. fel, 2. bal), vagy\n"
           "  --buttons=cycle      a jobb, a fel és a bal gomb sorra, másodpercenként\n";
}

bool ParseInstrumentFlag(const std::string& arg, InstrumentConfig& c, std::string* error) {
    const auto eq = arg.find('=');
    if (arg.rfind("--", 0) != 0 || eq == std::string::npos) return false;
    const std::string name = arg.substr(2, eq - 2);
    const std::string value = arg.substr(eq + 1);
    long long v = 0;
    auto bad = [&] {
        if (error) *error = "hibás érték: --" + name + "=" + value;
        return true;
    };
    auto number = [&](long long min, long long max) { return ParseInt(value, min, max, v); };

    if (name == "type") {
        if (!number(0, 65535)) return bad();
        c.deviceType = uint16_t(v);
    } else if (name == "serial") {
        if (!number(0, 4294967295LL)) return bad();
        c.serial = uint32_t(v);
    } else if (name == "made") {
        int yy = 0, mm = 0;
        char tail = 0;
        if (std::sscanf(value.c_str(), "%d-%d%c", &yy, &mm, &tail) != 2 || yy < 0 || yy > 99 || mm < 1 || mm > 12)
            return bad();
        c.madeYear = yy;
        c.madeMonth = mm;
    } else if (name == "firmware") {
        int y = 0, m = 0, d = 0;
        char tail = 0;
        if (std::sscanf(value.c_str(), "%d-%d-%d%c", &y, &m, &d, &tail) != 3 || y < 2000 || y > 2176 || m < 1 ||
            m > 12 || d < 1 || d > 31)
            return bad();
        c.firmware = MakeVersionDate(y, m, d);
    } else if (name == "in" || name == "out1" || name == "out2") {
        if (!number(0, 255)) return bad();
        (name == "in" ? c.optIn : name == "out1" ? c.optOut1 : c.optOut2) = uint8_t(v);
    } else if (name == "latency-ms") {
        if (!number(0, 60000)) return bad();
        c.latencyMs = int(v);
    } else if (name == "drop-every") {
        if (!number(0, 1000000)) return bad();
        c.dropEvery = int(v);
    } else if (name == "bad-crc-every") {
        if (!number(0, 1000000)) return bad();
        c.badCrcEvery = int(v);
    } else if (name == "fault-every") {
        if (!number(0, 1000000)) return bad();
        c.faultEvery = int(v);
    } else if (name == "error-bits") {
        if (!number(0, 4294967295LL)) return bad();
        c.errorBits = uint32_t(v);
    } else if (name == "global-error") {
        if (!number(0, 255)) return bad();
        c.globalError = uint8_t(v);
    } else if (name == "buttons") {
        c.cycleButtons = value == "cycle";
        if (!c.cycleButtons) {
            if (!number(0, 7)) return bad();
            c.buttons = uint8_t(v);
        }
    } else if (name == "error") {
        if (!number(0, 255)) return bad();
        c.forcedError = uint8_t(v);
    } else {
        return false;
    }
    return true;
}

std::string ParseInstrumentFlags(const std::vector<std::string>& args, InstrumentConfig& config) {
    for (const auto& a : args) {
        std::string error;
        if (ParseInstrumentFlag(a, config, &error) && !error.empty()) return error;
    }
    return {};
}

}  // namespace velmar::sim
