#pragma once
// The commissioning report as a document: who, where and when, the
// instrument, each settings block field by field as found and as left, the
// writes of the visit, the calibration constants and the check points.
// Built from the journal and the one description of each block; the PDF
// writer and the window only show it.

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <vector>

#include "files/settings_file.h"
#include "report/calibration_reads.h"
#include "report/check_points.h"
#include "report/report_visit.h"

namespace velmar {

struct ReportHeader {
    QString technician, site, note;
    QDateTime time;
};

// What the report is made of.
struct ReportSources {
    ReportHeader header;
    InstrumentIdentity identity;
    InstrumentFit fit;
    FieldContext context;  // how the blocks read: decimals and model
    BlockImages asLeft;
    Visit visit;
    std::vector<CalibrationValue> calibration;
    CheckPoints checks;
};

struct ReportRow {
    QString caption, found, left, unit;
    bool changed = false;
};

struct ReportBlock {
    QString caption;
    std::vector<ReportRow> rows;
};

struct ReportWrite {
    QDateTime time;
    QString block;
    QStringList changes;  // "caption: before → after"
};

struct ReportDocument {
    ReportHeader header;
    QString typeName, serial, made, firmware;
    std::vector<std::pair<QString, QString>> modules;  // slot, module
    bool hasAsFound = false;
    std::vector<ReportBlock> blocks;
    int changedFields = 0;
    std::vector<ReportWrite> writes;
    bool service = false;
    std::vector<CalibrationValue> calibration;
    CheckPoints checks;
};

ReportDocument BuildReport(const ReportSources& sources);

// Numbers as a Hungarian document writes them: a decimal comma.
QString ReportNumber(double value, int decimals);
QString ReportDateTime(const QDateTime& time);

}  // namespace velmar
