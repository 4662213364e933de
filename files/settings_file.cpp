#include "files/settings_file.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

#include "core/device/status_texts.h"
#include "core/link/mbu.h"
#include "core/settings/block_compare.h"
#include "core/settings/field_edit.h"

namespace velmar {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

QString Serial(uint32_t serial) { return QString::fromStdString(SerialText(serial)); }

// A value as the file was saved: the raw bytes stand as they are, even where
// the instrument held something beyond the field's limits (or a float that
// is not a number, which JSON writes as null), so that such a file restores
// what was saved.
bool Unedited(const BlockField& f, const QJsonValue& v) {
    if (f.kind == FieldKind::Text) return v.isString() && v.toString() == QString::fromStdString(f.text);
    if (v.isNull()) return !std::isfinite(f.number);
    return v.isDouble() && v.toDouble() == f.number;
}

}  // namespace

QByteArray WriteSettingsFile(const SettingsSnapshot& s, const QString& programVersion) {
    QJsonObject root;
    root["format"] = kSettingsFileFormat;
    root["program"] = programVersion;
    root["time"] = QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs);
    QJsonObject id;
    id["deviceType"] = s.identity.deviceType;
    id["serial"] = Serial(s.identity.serial);
    id["made"] =
        QString("%1-%2").arg(s.identity.madeYear, 2, 10, QChar('0')).arg(s.identity.madeMonth, 2, 10, QChar('0'));
    id["firmware"] = Q(s.identity.firmware);
    root["instrument"] = id;
    root["measuredDecimals"] = s.measuredDecimals;
    QJsonObject blocks;
    for (const auto& [name, bytes] : s.blocks) {
        const SettingsBlockInfo* info = FindSettingsBlock(name);
        if (!info) continue;
        QJsonObject fields;
        for (const BlockField& f : info->fields(bytes, s.measuredDecimals)) {
            if (f.kind == FieldKind::Text)
                fields[Q(f.name)] = Q(f.text);
            else
                fields[Q(f.name)] = f.number;
        }
        QJsonObject block;
        block["fields"] = fields;
        block["raw"] = Q(HexOf(bytes));
        blocks[name.c_str()] = block;
    }
    root["blocks"] = blocks;
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

namespace {

// A JSON number that is a whole number within lo … hi.
std::optional<double> WholeNumber(const QJsonValue& v, double lo, double hi) {
    if (!v.isDouble()) return std::nullopt;
    const double d = v.toDouble();
    if (d != std::floor(d) || d < lo || d > hi) return std::nullopt;
    return d;
}

// Digits only, as the file writes them ("004711"), within max.
std::optional<uint32_t> DigitsOf(const QString& text, uint32_t max) {
    static const QRegularExpression digits("^[0-9]{1,10}$");
    if (!digits.match(text).hasMatch()) return std::nullopt;
    const qulonglong n = text.toULongLong();
    return n <= max ? std::optional<uint32_t>(uint32_t(n)) : std::nullopt;
}

// Whether the field reads in decimals that another field or the
// measured value decides.
bool Scaled(const BlockField& f) {
    return f.meta.decimals == DecimalsFrom::Field || f.meta.decimals == DecimalsFrom::Measured;
}

// Takes a field's value from the file into the bytes, by the rules a value
// typed in the offline editor or given to velmar-cli edit follows. Returns
// why not, or an empty string.
std::string TakeValue(Bytes& bytes, const BlockField& f, const QJsonValue& v) {
    if (v.isUndefined() || Unedited(f, v)) return {};
    if (f.kind == FieldKind::Text)
        return v.isString() ? SetFieldText(bytes, f, v.toString().toStdString()) : "szöveget vár";
    return v.isDouble() ? SetFieldFromNumber(bytes, f, v.toDouble()) : "számot vár";
}

}  // namespace

std::optional<SettingsSnapshot> ReadSettingsFile(const QByteArray& data, uint16_t deviceType, QString* error) {
    auto refuse = [error](const QString& why) -> std::optional<SettingsSnapshot> {
        if (error) *error = why;
        return std::nullopt;
    };
    QJsonParseError parse{};
    const QJsonDocument doc = QJsonDocument::fromJson(data, &parse);
    if (parse.error != QJsonParseError::NoError || !doc.isObject())
        return refuse(QString("A fájl nem beállításfájl vagy sérült (JSON hiba: %1).").arg(parse.errorString()));
    const QJsonObject root = doc.object();
    const std::optional<double> format = WholeNumber(root["format"], 1, 1e9);
    if (!format) return refuse("A fájlban nincs érvényes formátumváltozat (format).");
    if (*format > kSettingsFileFormat)
        return refuse(QString("A fájl újabb formátumú (%1. változat); ez a program a %2. változatot ismeri.")
                          .arg(*format)
                          .arg(kSettingsFileFormat));
    const QJsonObject id = root["instrument"].toObject();
    SettingsSnapshot s;
    const std::optional<double> type = WholeNumber(id["deviceType"], 1, 65535);
    if (!type) return refuse("A fájlban nincs érvényes készüléktípus (instrument.deviceType).");
    s.identity.deviceType = uint16_t(*type);
    if (deviceType != 0 && s.identity.deviceType != deviceType)
        return refuse(
            QString("A fájl egy %1 típusú készülék beállításait tartalmazza, a csatlakoztatott készülék %2 típusú.")
                .arg(s.identity.deviceType)
                .arg(deviceType));
    if (id.contains("serial")) {
        const std::optional<uint32_t> serial =
            id["serial"].isString() ? DigitsOf(id["serial"].toString(), 0xFFFFFFFFu) : std::nullopt;
        if (!serial) return refuse("A fájlban a gyári szám (instrument.serial) hibás: csak számjegyekből állhat.");
        s.identity.serial = *serial;
    }
    if (id.contains("made")) {
        const QStringList made = id["made"].toString().split('-');
        const std::optional<uint32_t> year = made.size() == 2 ? DigitsOf(made[0], 255) : std::nullopt;
        const std::optional<uint32_t> month = made.size() == 2 ? DigitsOf(made[1], 255) : std::nullopt;
        if (!year || !month) return refuse("A fájlban a gyártás ideje (instrument.made) hibás: ÉÉ-HH alakú kell.");
        s.identity.madeYear = uint8_t(*year);
        s.identity.madeMonth = uint8_t(*month);
    }
    if (id.contains("firmware") && !id["firmware"].isString())
        return refuse("A fájlban a förmver változata (instrument.firmware) hibás: szöveget vár.");
    s.identity.firmware = id["firmware"].toString().toStdString();
    const std::optional<double> decimals = WholeNumber(root["measuredDecimals"], 0, 4);
    if (!decimals)
        return refuse("A fájlban a tizedesjegyek száma (measuredDecimals) hiányzik vagy hibás: 0 … 4 egész szám kell.");
    s.measuredDecimals = int(*decimals);

    const QJsonObject blocks = root["blocks"].toObject();
    if (blocks.isEmpty()) return refuse("A fájlban nincs egy beállításblokk sem.");
    auto fieldError = [&](const SettingsBlockInfo& info, const BlockField& f, const std::string& why) {
        return refuse(
            QString("%1 / %2 (%3.%4): %5.")
                .arg(QString::fromUtf8(info.caption), QString::fromUtf8(f.caption), info.name, Q(f.name), Q(why)));
    };
    // First the raw bytes and every value that does not depend on decimals,
    // the decimals themselves among them; then the values in the decimals
    // the file now says, which a changed input decimals moves for the limit
    // and output values too.
    BlockImages raw;
    for (auto it = blocks.begin(); it != blocks.end(); ++it) {
        const std::string name = it.key().toStdString();
        const SettingsBlockInfo* info = FindSettingsBlock(name);
        if (!info) return refuse(QString("Ismeretlen beállításblokk a fájlban: %1.").arg(it.key()));
        const QString caption = QString::fromUtf8(info->caption);
        const QJsonObject block = it.value().toObject();
        Bytes bytes;
        if (!BytesOfHex(block["raw"].toString().toStdString(), bytes) || bytes.empty() ||
            bytes.size() > kPayloadBufferSize - 1)
            return refuse(QString("%1: a nyers adatok (raw) hiányoznak vagy hibásak.").arg(caption));
        if (bytes.size() < info->size)
            return refuse(QString("%1: a nyers adatok túl rövidek (%2 bájt, legalább %3 kell).")
                              .arg(caption)
                              .arg(bytes.size())
                              .arg(info->size));
        const QJsonObject fields = block["fields"].toObject();
        const std::vector<BlockField> listed = info->fields(bytes, {s.measuredDecimals, s.identity.deviceType});
        for (auto v = fields.begin(); v != fields.end(); ++v)
            if (std::none_of(listed.begin(), listed.end(), [&](const BlockField& f) { return Q(f.name) == v.key(); }))
                return refuse(
                    QString("%1 (%2.%3): nincs ilyen mező ebben a blokkban.").arg(caption, it.key(), v.key()));
        raw[name] = bytes;
        for (const BlockField& f : listed)
            if (!Scaled(f))
                if (const std::string why = TakeValue(bytes, f, fields[Q(f.name)]); !why.empty())
                    return fieldError(*info, f, why);
        s.blocks[name] = std::move(bytes);
    }
    s.measuredDecimals = FollowMeasuredDecimals(s.measuredDecimals, raw, s.blocks);
    for (auto& [name, bytes] : s.blocks) {
        const SettingsBlockInfo& info = *FindSettingsBlock(name);
        const QJsonObject fields = blocks[Q(name)].toObject()["fields"].toObject();
        for (const BlockField& f : info.fields(bytes, {s.measuredDecimals, s.identity.deviceType}))
            if (Scaled(f))
                if (const std::string why = TakeValue(bytes, f, fields[Q(f.name)]); !why.empty())
                    return fieldError(info, f, why);
    }
    return s;
}

bool SameBlocks(const SettingsSnapshot& file, const std::vector<const SettingsBlockInfo*>& instrument, QString* error) {
    for (const SettingsBlockInfo* b : instrument)
        if (!file.blocks.count(b->name)) {
            if (error)
                *error = QString("A fájlból hiányzik a(z) „%1” blokk, amely a készüléken megvan.")
                             .arg(QString::fromUtf8(b->caption));
            return false;
        }
    for (const auto& [name, bytes] : file.blocks) {
        bool fitted = false;
        for (const SettingsBlockInfo* b : instrument) fitted = fitted || name == b->name;
        if (!fitted) {
            if (error)
                *error = QString("A fájl „%1” blokkot is tartalmaz, de ez a készüléken nincs meg.")
                             .arg(QString::fromUtf8(FindSettingsBlock(name)->caption));
            return false;
        }
    }
    return true;
}

}  // namespace velmar
