#include "files/settings_file.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>

#include "core/link/mbu.h"

namespace velmar {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

QString Serial(uint32_t serial) { return QString("%1").arg(serial, 6, 10, QChar('0')); }

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
    id["made"] = QString("%1-%2").arg(s.identity.madeYear, 2, 10, QChar('0')).arg(s.identity.madeMonth, 2, 10, QChar('0'));
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
    const int format = root["format"].toInt(-1);
    if (format < 1) return refuse("A fájlban nincs érvényes formátumváltozat.");
    if (format > kSettingsFileFormat)
        return refuse(QString("A fájl újabb formátumú (%1. változat); ez a program a %2. változatot ismeri.")
                          .arg(format)
                          .arg(kSettingsFileFormat));
    const QJsonObject id = root["instrument"].toObject();
    SettingsSnapshot s;
    s.identity.deviceType = uint16_t(id["deviceType"].toInt());
    if (s.identity.deviceType != deviceType)
        return refuse(QString("A fájl egy %1 típusú készülék beállításait tartalmazza, a csatlakoztatott készülék %2 típusú.")
                          .arg(id["deviceType"].toInt())
                          .arg(deviceType));
    s.identity.serial = id["serial"].toString().toUInt();
    s.identity.firmware = id["firmware"].toString().toStdString();
    const QStringList made = id["made"].toString().split('-');
    if (made.size() == 2) {
        s.identity.madeYear = uint8_t(made[0].toUInt());
        s.identity.madeMonth = uint8_t(made[1].toUInt());
    }
    const QJsonValue decimals = root["measuredDecimals"];
    if (!decimals.isDouble() || decimals.toInt() < 0 || decimals.toInt() > 4)
        return refuse("A fájlban a tizedesjegyek száma (measuredDecimals) hiányzik vagy hibás.");
    s.measuredDecimals = decimals.toInt();

    const QJsonObject blocks = root["blocks"].toObject();
    if (blocks.isEmpty()) return refuse("A fájlban nincs egy beállításblokk sem.");
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
        for (const BlockField& f : info->fields(bytes, s.measuredDecimals)) {
            const QJsonValue v = fields[Q(f.name)];
            if (v.isUndefined() || Unedited(f, v)) continue;
            std::string why;
            if (f.kind == FieldKind::Text)
                why = v.isString() ? SetFieldText(bytes, f, v.toString().toStdString()) : "szöveget vár";
            else
                why = v.isDouble() ? SetFieldNumber(bytes, f, v.toDouble()) : "számot vár";
            if (!why.empty())
                return refuse(QString("%1 / %2 (%3): %4.")
                                  .arg(caption, QString::fromUtf8(f.caption), Q(f.name), Q(why)));
        }
        s.blocks[name] = std::move(bytes);
    }
    return s;
}

bool SameBlocks(const SettingsSnapshot& file, const std::vector<const SettingsBlockInfo*>& instrument, QString* error) {
    for (const SettingsBlockInfo* b : instrument)
        if (!file.blocks.count(b->name)) {
            if (error) *error = QString("A fájlból hiányzik a(z) „%1” blokk, amely a készüléken megvan.").arg(QString::fromUtf8(b->caption));
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
