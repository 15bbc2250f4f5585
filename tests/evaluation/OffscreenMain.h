#pragma once
// A test main with a QGuiApplication on the offscreen platform, set here rather than by the test's
// environment, so that the test also runs in the build without windows.
#include <QGuiApplication>
#include <QTest>

#define MINUTRIX_OFFSCREEN_TEST_MAIN(TestObject)                                                                       \
    int main(int argc, char *argv[])                                                                                   \
    {                                                                                                                  \
        qputenv("QT_QPA_PLATFORM", "offscreen");                                                                       \
        QGuiApplication app(argc, argv);                                                                               \
        TestObject test;                                                                                               \
        return QTest::qExec(&test, argc, argv);                                                                        \
    }
