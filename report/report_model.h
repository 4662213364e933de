#pragma once
// The commissioning report as a document: the job, the technician and the
// reference used, the conditions, the instrument, each settings block field
// by field as found and as left, the writes of the visit, the calibration
// constants, the check points and the relays' switching test.
// Built from the journal and the one description of each block; the PDF
// writer and the window only show it.

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <map>
#include <optional>
#include <vector>

#include "files/settings_file.h"
#include "report/calibration_reads.h"
#include "report/check_points.h"
#include "report/report_visit.h"

namespace velmar {

// The calibrator or meter the check points were taken with.
struct ReferenceInstrument {
    QString type, serial;
    QDate due;  // of its calibration; invalid: not given
    bool Given() const { return !type.isEmpty() || !serial.isEmpty() || due.isValid(); }
    bool ExpiredOn(const QDate& day) const { return due.isValid() && due < day; }
};

struct ReportHeader {
    QString technician;
    // The job: kept for the next instrument only when it is the same job.
    QString site, tag, customer, order, note;
    QDateTime time;
    ReferenceInstrument reference;
    std::optional<double> ambient, humidity;  // °C, % relative
};

// A limit relay's switching test as the technician recorded it, in the
// reading's unit; neither: not tested.
struct RelayTest {
    std::optional<double> switchedAt, releasedAt;
    bool Tested() const { return switchedAt || releasedAt; }
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
    std::map<std::string, RelayTest> relayTests;  // by the limit block's name
    QString readingUnit;  // of measured value 1, which the limit values are in
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

struct ReportRelay {
    QString caption, mode, a, b, hysteresis, unit;  // as left
    int decimals = 0;  // of the limit values
    RelayTest test;
};

struct ReportDocument {
    QString number;  // PX330-004711-20261211-1042
    ReportHeader header;
    bool referenceExpired = false;
    QString typeName, serial, made, firmware;
    std::vector<std::pair<QString, QString>> modules;  // slot, module
    bool hasAsFound = false;
    std::vector<ReportBlock> blocks;
    int changedFields = 0;
    std::vector<ReportWrite> writes;
    bool service = false;
    std::vector<CalibrationValue> calibration;
    CheckPoints checks;
    std::vector<ReportRelay> relays;
};

ReportDocument BuildReport(const ReportSources& sources);

// Numbers as a Hungarian document writes them: a decimal comma.
QString ReportNumber(double value, int decimals);
QString ReportDateTime(const QDateTime& time);
QString ReportDate(const QDate& date);
// The document's number: type, serial, date and time of making.
QString DocumentNumber(uint16_t deviceType, uint32_t serial, const QDateTime& time);
// The type and serial as the page head names the instrument.
QString InstrumentName(const ReportDocument& d);

}  // namespace velmar
