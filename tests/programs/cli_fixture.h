#pragma once
// velmar-cli run as a script runs it, with a data folder of the test's own,
// against the in-process instrument or velmar-sim on a socket.

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

#include "tests/support/full_disk.h"
#include "tests/support/sim_process.h"

namespace velmar {

struct CliRun {
    int code = -1;
    QByteArray out, err;
    QJsonObject Json() const { return QJsonDocument::fromJson(out.split('\n').value(0)).object(); }
};

class Cli : public ::testing::Test {
protected:
    QTemporaryDir dir;
    test::SimProcess sim;
    QString address;  // --device=… of the socket instrument
    QString dataHome = dir.filePath("data");  // the tool's data folder: journals, the station's serial number
    // The tool runs as on a full disk: every write to a file fails.
    bool fullDisk = false;
    QString locale;  // LC_ALL of the runs, when set

    // The decimal separator the runs write in: the locale's set above; on
    // Windows the user's regional settings', which no variable changes for
    // one process.
    QString DecimalPoint() const {
#ifdef _WIN32
        return QLocale::system().decimalPoint();
#else
        return QLocale(locale.section('.', 0, 0)).decimalPoint();
#endif
    }

    QString File(const char* name) { return dir.filePath(name); }

    // Starts velmar-cli and lets it run; Finish collects it.
    std::unique_ptr<QProcess> Begin(const QStringList& args, const QByteArray& input = {}) {
        auto p = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_HOME", dataHome);
        if (!locale.isEmpty()) env.insert("LC_ALL", locale);
        p->setProcessEnvironment(env);
#ifndef _WIN32
        if (fullDisk) p->setChildProcessModifier(test::LimitFileSizeToNothing);
#endif
        p->start(VELMAR_CLI_PATH, args);
        p->write(input);
        p->closeWriteChannel();
        return p;
    }
    static CliRun Finish(QProcess& p) {
        CliRun r;
        if (!p.waitForFinished(60000)) return r;
        r.code = p.exitCode();
        r.out = p.readAllStandardOutput();
        r.err = p.readAllStandardError();
#ifdef _WIN32
        // A Windows console program ends its lines with CR LF.
        r.out.replace("\r\n", "\n");
        r.err.replace("\r\n", "\n");
#endif
        return r;
    }
    // Runs velmar-cli to its end.
    CliRun Tool(const QStringList& args, const QByteArray& input = {}) { return Finish(*Begin(args, input)); }

    void StartSim(QStringList flags) {
        address = "unix:" + File("velmar.sock");
        ASSERT_FALSE(sim.Start(QStringList{"--listen=" + address} + flags).isEmpty()) << sim.Output().toStdString();
        address = "--device=" + address;
    }
    QJsonObject ReadJson(const QString& path) {
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return QJsonDocument::fromJson(f.readAll()).object();
    }
    void WriteJson(const QString& path, const QJsonObject& o) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(QJsonDocument(o).toJson());
    }
    // The file with the value at path ("instrument.deviceType",
    // "blocks.limit1.fields.a") set.
    static QJsonObject With(QJsonObject o, QStringList path, const QJsonValue& value) {
        const QString key = path.takeFirst();
        o[key] = path.isEmpty() ? value : QJsonValue(With(o[key].toObject(), path, value));
        return o;
    }
    // The file with one field of one block changed.
    QJsonObject WithField(QJsonObject o, const char* block, const char* field, double value) {
        QJsonObject blocks = o["blocks"].toObject(), b = blocks[block].toObject(), f = b["fields"].toObject();
        f[field] = value;
        b["fields"] = f;
        blocks[block] = b;
        o["blocks"] = blocks;
        return o;
    }
};

}  // namespace velmar
