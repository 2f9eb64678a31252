#pragma once
// QVERIFY and QCOMPARE for test helpers: a failure is recorded exactly as the
// Qt Test macros record it, and the helper returns false so that its caller
// stops too (QVERIFY(helper(...))) instead of going on after a failed step.
#include <QTest>

#define KORVEL_CHECK(condition)                                                                  \
    do {                                                                                         \
        if (!QTest::qVerify(static_cast<bool>(condition), #condition, "", __FILE__, __LINE__))    \
            return false;                                                                        \
    } while (false)

#define KORVEL_CHECK_COMPARE(actual, expected)                                                   \
    do {                                                                                         \
        if (!QTest::qCompare(actual, expected, #actual, #expected, __FILE__, __LINE__))           \
            return false;                                                                        \
    } while (false)

// After a step that ran checks of its own (a body passed to a helper): false when one failed.
#define KORVEL_CHECK_STEPS() \
    do {                     \
        if (QTest::currentTestFailed()) \
            return false;    \
    } while (false)

// QTRY_VERIFY for helpers: waits up to five seconds for the condition, then checks it.
#define KORVEL_TRY_CHECK(condition)                                            \
    do {                                                                       \
        (void)QTest::qWaitFor([&]() { return static_cast<bool>(condition); }); \
        KORVEL_CHECK(condition);                                               \
    } while (false)

#define KORVEL_CHECK2(condition, message)                                                              \
    do {                                                                                               \
        if (!QTest::qVerify(static_cast<bool>(condition), #condition, message, __FILE__, __LINE__))     \
            return false;                                                                              \
    } while (false)
