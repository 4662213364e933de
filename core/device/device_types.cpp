#include "core/device/device_types.h"

namespace velmar {

namespace {
constexpr DeviceTypeInfo kDeviceTypes[] = {
    {210, "PX210USB Folyamatindikátor", DevicePage::P210},
    {310, "PX310 Hőmérséklet / ellenállás / potenciométer távadók", DevicePage::P310},
    {330, "PX330 Konfigurálható moduláris galvanikus leválasztó", DevicePage::P330},
    {350, "PX350 AC/DC Feszültségtávadó", DevicePage::P350},
    {370, "PX370 AC/DC Áramtávadó", DevicePage::P370},
    // The PX510USB has a page but is never brought to the front by itself.
    {510, "PX510USB Folyamatindikátor", DevicePage::None},
    {530, "PX530 Folyamatindikátor", DevicePage::P530},
    {544, "PX544 IP Folyamatindikátor", DevicePage::P530},
    {546, "PX546 Folyamatindikátor", DevicePage::P530},
    {580, "PX580 Moduláris folyamatindikátor", DevicePage::P580},
};
}  // namespace

const DeviceTypeInfo* FindDeviceType(uint16_t code) {
    for (const auto& t : kDeviceTypes)
        if (t.code == code) return &t;
    return nullptr;
}

bool IsPX530Family(uint16_t code) {
    const DeviceTypeInfo* t = FindDeviceType(code);
    return t && t->page == DevicePage::P530;
}

std::string DeviceTypeName(uint16_t code) {
    if (const auto* t = FindDeviceType(code)) return t->name;
    return "Ismeretlen készülék. Azonosítója: " + std::to_string(code);
}

}  // namespace velmar
