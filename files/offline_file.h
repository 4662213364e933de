#pragma once
// A settings file opened without an instrument: read for the model it
// names, changed field by field within each field's limits, and written as
// a new file in the same format that says when it was edited so. Such a file
// loads onto an instrument exactly like one saved from it.

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <optional>
#include <string_view>

#include "files/settings_file.h"

namespace velmar {

struct OfflineFile {
    SettingsSnapshot snapshot;
    QString savedAt;  // when its settings were read from an instrument
    QString editedOffline;  // when it was last edited without one; empty: never
};

[[nodiscard]] std::optional<OfflineFile> ReadOfflineFile(const QByteArray& data, QString* error);

// The file's fields are read for its own model and decimals.
FieldContext ContextOf(const SettingsSnapshot& s);

// Sets one field of a block of the file to a value given as text (see
// SetFieldFromText). The instrument keeps its stored integers when its
// decimals change, so a changed input decimals carries the file's measured
// decimals with it: the limit and output values read in them, and those
// set after it are stored in them. Returns an empty string, or why not;
// the snapshot is then unchanged.
[[nodiscard]] std::string SetSnapshotField(SettingsSnapshot& s, const SettingsBlockInfo& block, const BlockField& f,
                                           std::string_view text);

// Sets the field named "block.field" to a value given as text (see
// SetFieldFromText). Returns an empty string, or why not, naming the block,
// the field and what it takes; the snapshot is then unchanged.
[[nodiscard]] QString SetFileField(SettingsSnapshot& s, const QString& blockDotField, const QString& value);

// The file with its fields and bytes as they now are, its reading time kept
// and the time of this edit added under "editedOffline", which readers that
// do not know it pass over.
QByteArray WriteOfflineFile(const OfflineFile& file, const QString& program, const QDateTime& editedAt);

}  // namespace velmar
