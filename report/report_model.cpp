#include "report/report_model.h"

#include "core/device/device_types.h"
#include "core/device/status_texts.h"
#include "core/modules/module_names.h"

namespace velmar {

namespace {

constexpr char kSeparator = ',';

QString Q(const std::string& s) { return QString::fromStdString(s); }

// The value without its unit, which has a column of its own.
QString ValueText(BlockField f) {
    f.meta.unit = nullptr;
    return Q(FieldValueText(f, kSeparator));
}

// A write's changes, each side in the decimals in force: a written input
// decimals moves the values of its own block with it.
QStringList Changes(const SettingsBlockInfo& info, const JournalEntry& e, FieldContext before, FieldContext after) {
    if (e.before.empty()) return {QString::fromUtf8("az előző állapot nem ismert")};
    QStringList out;
    for (const FieldRow& r : CompareBlocks({{e.block, e.before}}, before, {{e.block, e.after}}, after))
        if (r.differs)
            out << QString::fromUtf8("%1: %2 → %3")
                       .arg(QString::fromUtf8(r.theirs.caption), Q(FieldValueText(r.mine, kSeparator)),
                            Q(FieldValueText(r.theirs, kSeparator)));
    if (out.isEmpty()) out << QString::fromUtf8("változatlan értékek");
    return out;
}

}  // namespace

QString ReportNumber(double value, int decimals) {
    QString s = QString::number(value, 'f', decimals);
    if (s.startsWith('-') && s.toDouble() == 0) s.remove(0, 1);  // no "-0,00"
    return s.replace('.', kSeparator);
}

QString ReportDateTime(const QDateTime& time) { return time.toLocalTime().toString("yyyy.MM.dd. HH:mm:ss"); }

QString ReportDate(const QDate& date) { return date.toString("yyyy.MM.dd."); }

QString DocumentNumber(uint16_t deviceType, uint32_t serial, const QDateTime& time) {
    return QString::fromStdString(InstrumentTag(deviceType, serial)) + "-" +
           time.toLocalTime().toString("yyyyMMdd-HHmm");
}

QString InstrumentName(const ReportDocument& d) {
    return QString::fromUtf8("%1, gyári szám: %2").arg(d.typeName.section(' ', 0, 0), d.serial);
}

ReportDocument BuildReport(const ReportSources& s) {
    ReportDocument d;
    d.header = s.header;
    d.number = DocumentNumber(s.identity.deviceType, s.identity.serial, s.header.time);
    d.referenceExpired = s.header.reference.ExpiredOn(s.header.time.date());
    d.typeName = Q(DeviceTypeName(s.identity.deviceType));
    d.serial = QString::fromStdString(SerialText(s.identity.serial));
    d.made =
        QString("20%1. %2.").arg(s.identity.madeYear, 2, 10, QChar('0')).arg(s.identity.madeMonth, 2, 10, QChar('0'));
    d.firmware = s.identity.firmware.empty() ? QString::fromUtf8("ismeretlen") : Q(s.identity.firmware);
    d.modules = {{QString::fromUtf8("Bemenet"), QString::fromUtf8(ModuleName(s.fit.optIn, true))},
                 {QString::fromUtf8("1. kimenet"), QString::fromUtf8(ModuleName(s.fit.out1, false))},
                 {QString::fromUtf8("2. kimenet"), QString::fromUtf8(ModuleName(s.fit.out2, false))}};
    d.hasAsFound = s.visit.Known();
    // As found in the decimals the instrument had then: a decimals written
    // in the visit moved what the stored integers of the limits mean.
    FieldContext foundContext = s.context;
    foundContext.measuredDecimals = FollowMeasuredDecimals(s.context.measuredDecimals, s.asLeft, s.visit.asFound);
    for (const SettingsBlockInfo& info : SettingsBlocks()) {
        const auto left = s.asLeft.find(info.name);
        if (left == s.asLeft.end()) continue;
        const auto found = s.visit.asFound.find(info.name);
        const bool known = found != s.visit.asFound.end();
        const std::vector<BlockField> leftFields = info.fields(left->second, s.context);
        const std::vector<BlockField> foundFields =
            known ? info.fields(found->second, foundContext) : std::vector<BlockField>{};
        ReportBlock block{QString::fromUtf8(info.caption), {}};
        for (std::size_t i = 0; i < leftFields.size(); ++i) {
            const BlockField& f = leftFields[i];
            ReportRow row{QString::fromUtf8(f.caption), QString::fromUtf8("nem ismert"), ValueText(f),
                          f.meta.unit ? QString::fromUtf8(f.meta.unit) : QString(), false};
            if (known && i < foundFields.size()) {
                row.found = ValueText(foundFields[i]);
                row.changed = !FieldEqual(found->second, left->second, f) || row.found != row.left;
            }
            d.changedFields += row.changed;
            block.rows.push_back(row);
        }
        d.blocks.push_back(std::move(block));
    }
    FieldContext now = foundContext;
    for (const JournalEntry& e : s.visit.writes) {
        const SettingsBlockInfo* info = FindSettingsBlock(e.block);
        if (!info) continue;
        FieldContext next = now;
        next.measuredDecimals =
            FollowMeasuredDecimals(now.measuredDecimals, {{e.block, e.before}}, {{e.block, e.after}});
        d.writes.push_back({e.time, QString::fromUtf8(info->caption), Changes(*info, e, now, next)});
        now = next;
    }
    for (const auto& [name, caption] : {std::pair{"limit1", "1. relé"}, {"limit2", "2. relé"}}) {
        const auto left = s.asLeft.find(name);
        if (left == s.asLeft.end()) continue;
        const SettingsBlockInfo* info = FindSettingsBlock(name);
        ReportRelay relay{QString::fromUtf8(caption), {}, {}, {}, {}, s.readingUnit, 0, {}};
        for (const BlockField& f : info->fields(left->second, s.context)) {
            if (f.name == "mode") relay.mode = ValueText(f);
            if (f.name == "a") {
                relay.a = ValueText(f);
                relay.decimals = f.decimals;
            }
            if (f.name == "b") relay.b = ValueText(f);
            if (f.name == "hysteresis") relay.hysteresis = ValueText(f);
        }
        if (const auto test = s.relayTests.find(name); test != s.relayTests.end()) relay.test = test->second;
        d.relays.push_back(relay);
    }
    d.service = s.fit.service;
    d.calibration = s.calibration;
    d.checks = s.checks;
    return d;
}

}  // namespace velmar
