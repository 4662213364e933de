#pragma once
// What the command-line tool prints: JSON by default, or a table a person
// reads; errors in one line on the standard error.

#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <utility>
#include <vector>

#include "core/settings/block_compare.h"

namespace velmar {

class CliOutput {
public:
    explicit CliOutput(bool text, std::FILE* to = stdout) : text_(text), to_(to) {}
    bool Text() const { return text_; }
    // One record: a JSON object on one line, or a caption and value a line.
    void Record(const QJsonObject& o) const;
    // One line as it is, for the tables a command builds itself.
    void Line(const QString& line) const;
    // Captions and values in two aligned columns; a value's further lines
    // are indented under its first.
    void Captions(const std::vector<std::pair<QString, QString>>& rows) const;
    // The differing fields of a compare, as records or a table.
    void Differences(const std::vector<FieldRow>& rows, const QString& otherName) const;
    // Lines of cells in columns as wide as their widest text, the first
    // line the heads; the last column is not padded.
    void Table(const std::vector<QStringList>& lines) const;
    static void Error(const QString& line);
    static void Say(const QString& line);  // progress for a person, on the standard error

private:
    bool text_;
    std::FILE* to_;
    mutable bool recordShown_ = false;
};

QJsonArray DifferencesJson(const std::vector<FieldRow>& rows);
// The decimal separator of the user's locale, for what a person reads;
// JSON keeps the point.
char LocaleDecimal();
int DifferenceCount(const std::vector<FieldRow>& rows);

}  // namespace velmar
