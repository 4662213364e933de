#include "files/offline_file.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include "core/settings/block_compare.h"
#include "core/settings/field_edit.h"

namespace velmar {

namespace {
QString U(const char* s) { return QString::fromUtf8(s); }
}  // namespace

std::optional<OfflineFile> ReadOfflineFile(const QByteArray& data, QString* error) {
    std::optional<SettingsSnapshot> s = ReadSettingsFile(data, 0, error);
    if (!s) return std::nullopt;
    const QJsonObject root = QJsonDocument::fromJson(data).object();
    return OfflineFile{std::move(*s), root["time"].toString(), root["editedOffline"].toString()};
}

FieldContext ContextOf(const SettingsSnapshot& s) { return {s.measuredDecimals, s.identity.deviceType}; }

std::string SetSnapshotField(SettingsSnapshot& s, const SettingsBlockInfo& block, const BlockField& f,
                             std::string_view text) {
    Bytes& bytes = s.blocks.at(block.name);
    const BlockImages before{{block.name, bytes}};
    const std::string why = SetFieldFromText(bytes, f, text);
    if (why.empty()) s.measuredDecimals = FollowMeasuredDecimals(s.measuredDecimals, before, {{block.name, bytes}});
    return why;
}

QString SetFileField(SettingsSnapshot& s, const QString& blockDotField, const QString& value) {
    const QString blockName = blockDotField.section('.', 0, 0), fieldName = blockDotField.section('.', 1);
    const auto bytes = s.blocks.find(blockName.toStdString());
    if (fieldName.isEmpty() || bytes == s.blocks.end()) {
        QStringList names;
        for (const auto& [name, b] : s.blocks) names << QString::fromStdString(name);
        return U("nincs ilyen mező: %1; a fájl blokkjai: %2 (BLOKK.MEZŐ)").arg(blockDotField, names.join(", "));
    }
    const SettingsBlockInfo* info = FindSettingsBlock(bytes->first);
    const std::vector<BlockField> fields = info->fields(bytes->second, ContextOf(s));
    for (const BlockField& f : fields) {
        if (QString::fromStdString(f.name) != fieldName) continue;
        const std::string why = SetSnapshotField(s, *info, f, value.toStdString());
        if (why.empty()) return {};
        return U("%1 / %2 (%3): %4").arg(U(info->caption), U(f.caption), blockDotField, QString::fromStdString(why));
    }
    QStringList names;
    for (const BlockField& f : fields) names << QString::fromStdString(f.name);
    return U("nincs ilyen mező: %1; a(z) „%2” blokk mezői: %3").arg(blockDotField, U(info->caption), names.join(", "));
}

QByteArray WriteOfflineFile(const OfflineFile& file, const QString& program, const QDateTime& editedAt) {
    QJsonObject root = QJsonDocument::fromJson(WriteSettingsFile(file.snapshot, program)).object();
    if (!file.savedAt.isEmpty()) root["time"] = file.savedAt;
    root["editedOffline"] = editedAt.toUTC().toString(Qt::ISODateWithMs);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

}  // namespace velmar
