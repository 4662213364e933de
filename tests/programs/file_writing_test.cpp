// Files written whole while another program reads them: on Windows a file
// held open, even only to be read, cannot be replaced until it is let go.
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

#include "program/file_writing.h"

namespace velmar {
namespace {

TEST(FileWriting, AReaderHoldingTheOldFileForAMomentDoesNotStopTheWrite) {
    QTemporaryDir dir;
    const QString path = dir.filePath("velmar/station.json");
    QString error;
    ASSERT_TRUE(WriteFileWhole(path, "old", &error)) << error.toStdString();
    QFile reader(path);
    ASSERT_TRUE(reader.open(QIODevice::ReadOnly));
    std::thread letGo([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        reader.close();
    });
    const bool written = WriteFileWhole(path, "new", &error);
    letGo.join();
    EXPECT_TRUE(written) << error.toStdString();
    QFile result(path);
    ASSERT_TRUE(result.open(QIODevice::ReadOnly));
    EXPECT_EQ(result.readAll(), "new");
}

}  // namespace
}  // namespace velmar
