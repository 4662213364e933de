// set-identity: the factory identity of an instrument, for the production
// line, with the next serial number of this station if asked.

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QLockFile>
#include <algorithm>

#include "core/device/device_types.h"
#include "core/device/service_commands.h"
#include "core/device/status_texts.h"
#include "core/link/payload_io.h"
#include "program/file_writing.h"
#include "programs/velmar-cli/cli_commands.h"

namespace velmar {

namespace {

std::optional<uint32_t> LastSerial(const QString& stationFile) {
    QFile f(stationFile);
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    const QJsonValue v = QJsonDocument::fromJson(f.readAll()).object()["lastSerial"];
    if (!v.isDouble() || v.toDouble() < 0 || v.toDouble() > 999999) return std::nullopt;
    return uint32_t(v.toInt());
}

bool RememberSerial(const QString& stationFile, uint32_t serial, QString* error) {
    return WriteFileWhole(stationFile, QJsonDocument(QJsonObject{{"lastSerial", qint64(serial)}}).toJson(), error);
}

// Another station program may be writing an instrument under the lock.
constexpr int kStationWaitMs = 30000;

int StationFailure(const QString& line) {
    CliOutput::Error(line);
    return kExitFile;
}

// A whole number in [lo, hi] among the allowed codes, or nullopt.
std::optional<int> Number(const QString& text, int lo, int hi, std::initializer_list<int> allowed = {}) {
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v < lo || v > hi) return std::nullopt;
    if (allowed.size() && std::find(allowed.begin(), allowed.end(), v) == allowed.end()) return std::nullopt;
    return v;
}

int Usage(const QString& line) {
    CliOutput::Error(line);
    return kExitUsage;
}

}  // namespace

int SetIdentity(CliContext& ctx, const QStringList& args) {
    QCommandLineParser p;
    p.addOption({"type", QString::fromUtf8("Készüléktípus, pl. 330."), QString::fromUtf8("KÓD")});
    p.addOption(
        {"serial", QString::fromUtf8("Gyári szám 0..999999, vagy next: az állomás utoljára beírt száma + 1."), "N"});
    p.addOption({"made", QString::fromUtf8("Gyártás éve és hónapja, YY-MM."), "YY-MM"});
    p.addOption({"in", QString::fromUtf8("Bemeneti modul kódja: 0, 1, 2, 6, 7, 8."), QString::fromUtf8("KÓD"), "0"});
    p.addOption({"out1", QString::fromUtf8("1. kimeneti modul kódja: 0, 3, 4, 5."), QString::fromUtf8("KÓD"), "0"});
    p.addOption({"out2", QString::fromUtf8("2. kimeneti modul kódja: 0, 3, 4, 5."), QString::fromUtf8("KÓD"), "0"});
    p.addOption({"pt1000", QString::fromUtf8("Pt1000 érzékelő (a PX370-nél: külső sönt).")});
    if (int stop = ParseCommandOptions(p, FindCliCommand("set-identity"), args, 0); stop >= 0) return stop;
    if (!ctx.service) return Usage(QString::fromUtf8("a set-identity csak a --service kapcsolóval használható"));
    for (const char* required : {"type", "serial", "made"})
        if (!p.isSet(required)) return Usage(QString::fromUtf8("hiányzik: --%1").arg(required));

    tTX tx;
    const std::optional<int> type = Number(p.value("type"), 1, 65535);
    if (!type || !FindDeviceType(uint16_t(*type)))
        return Usage(QString::fromUtf8("ismeretlen készüléktípus: %1").arg(p.value("type")));
    tx.uDeviceType = uint16_t(*type);
    const QStringList made = p.value("made").split('-');
    const std::optional<int> year = made.size() == 2 ? Number(made[0], 0, 99) : std::nullopt;
    const std::optional<int> month = made.size() == 2 ? Number(made[1], 1, 12) : std::nullopt;
    if (!year || !month)
        return Usage(QString::fromUtf8("a --made formája YY-MM, a hónap 01..12: %1").arg(p.value("made")));
    tx.uGyariSzamEv = uint8_t(*year);
    tx.uGyariSzamHonap = uint8_t(*month);
    const auto in = Number(p.value("in"), 0, 8, {0, 1, 2, 6, 7, 8});
    const auto out1 = Number(p.value("out1"), 0, 5, {0, 3, 4, 5});
    const auto out2 = Number(p.value("out2"), 0, 5, {0, 3, 4, 5});
    if (!in || !out1 || !out2)
        return Usage(QString::fromUtf8("ismeretlen modulkód (--in: 0,1,2,6,7,8; --out1, --out2: 0,3,4,5)"));
    tx.uPXOptIn = uint8_t(*in);
    tx.uPXOptOutPrimer = uint8_t(*out1);
    tx.uPXOptOutSecondary = uint8_t(*out2);
    tx.bPt1000 = p.isSet("pt1000");
    const bool next = p.value("serial") == "next";
    const QString noneYet =
        QString::fromUtf8("--serial=next: ez az állomás még nem írt gyári számot, az elsőt számmal adja meg");
    // Said before the link is opened; the number itself is read under the lock.
    if (next && !LastSerial(ctx.stationFile)) return Usage(noneYet);
    if (!next) {
        const std::optional<int> serial = Number(p.value("serial"), 0, 999999);
        if (!serial) return Usage(QString::fromUtf8("a gyári szám 0..999999 vagy next: %1").arg(p.value("serial")));
        tx.uDeviceID = uint32_t(*serial);
    }

    if (int e = ctx.Open()) return e;
    // The station's number is read and written under its lock, so that two
    // runs at once never give two instruments one serial number.
    QString why;
    const std::unique_ptr<QLockFile> lock = LockFileFor(ctx.stationFile, kStationWaitMs, &why);
    if (!lock) return StationFailure(QString::fromUtf8("az állomás gyári számai nem érhetők el: %1").arg(why));
    const std::optional<uint32_t> last = LastSerial(ctx.stationFile);
    if (next) {
        if (!last) return Usage(noneYet);
        if (*last >= 999999)
            return Usage(QString::fromUtf8("--serial=next: elfogytak a gyári számok (utolsó: %1)").arg(*last));
        tx.uDeviceID = *last + 1;
    }
    // Noted before the instrument is written: a station file that could not
    // take it afterwards would hand the same number out again.
    if (!RememberSerial(ctx.stationFile, tx.uDeviceID, &why))
        return StationFailure(
            QString::fromUtf8("a gyári szám nem jegyezhető fel, semmi sem íródott a készülékbe: %1 (%2)")
                .arg(QDir::toNativeSeparators(ctx.stationFile), why));
    std::vector<uint8_t> request;
    BytesWriter w(request);
    IdentityLayout(w, tx);
    const CommandResult r = ctx.session->Call(kWriteIdentity, request);
    if (r.error != 0) {
        // Not written: the station's last number is the one before again.
        if (last)
            RememberSerial(ctx.stationFile, *last, &why);
        else
            QFile::remove(ctx.stationFile);
        CliOutput::Error(LinkErrorLine(r.error));
        return kExitLink;
    }
    ctx.session->ForgetDevice();
    QString error;
    const std::optional<tRX> rx = ctx.session->Status(&error);
    if (!rx) {
        CliOutput::Error(error);
        return kExitLink;
    }
    const InstrumentIdentity now = ctx.session->Identity();
    const bool same = now.deviceType == tx.uDeviceType && now.serial == tx.uDeviceID &&
                      now.madeYear == tx.uGyariSzamEv && now.madeMonth == tx.uGyariSzamHonap &&
                      rx->uPXOptIn == tx.uPXOptIn && rx->uPXOptOutPrimer == tx.uPXOptOutPrimer &&
                      rx->uPXOptOutSecondary == tx.uPXOptOutSecondary;
    ctx.out.Record(
        {{"deviceType", int(now.deviceType)},
         {"serial", QString::fromStdString(SerialText(now.serial))},
         {"made", QString("%1-%2").arg(now.madeYear, 2, 10, QChar('0')).arg(now.madeMonth, 2, 10, QChar('0'))},
         {"verified", same}});
    if (!same) CliOutput::Error(QString::fromUtf8("visszaolvasva más azonosító áll a készülékben"));
    return same ? kExitDone : kExitDiffers;
}

}  // namespace velmar
