#pragma once
// Waiting on the event loop inside GoogleTest. Qt Test's QTRY_ macros report
// a failure only inside QTest::qExec: under GoogleTest a condition that never
// came true would just return from the test and count as passed.

#include <QTest>
#include <gtest/gtest.h>

#define WAIT_FOR(condition, ms) \
    ASSERT_TRUE(QTest::qWaitFor([&] { return bool(condition); }, ms)) << "never became true: " #condition
