#pragma once

#include <QString>
#include <QTemporaryDir>

// Gives a test process its own empty HOME, settings and data directories (so no test touches the
// user's real files) and the offscreen platform. Must exist before the application object.
class kwdTestEnvironment
{
public:
    kwdTestEnvironment();

    QString home() const { return dir.path(); }
    // Where tests write pictures for a person to look at (under the build tree when run by CTest).
    static QString outputDir(const QString& subdir);

private:
    QTemporaryDir dir;
};

// Like QTEST_MAIN, with the private environment set up first.
#define KWD_TEST_MAIN(TestObject)                                                                         \
    int main(int argc, char** argv)                                                                      \
    {                                                                                                    \
        kwdTestEnvironment kwdEnv;                                                                       \
        QApplication app(argc, argv);                                                                    \
        TestObject tc;                                                                                   \
        QTEST_SET_MAIN_SOURCE_PATH                                                                       \
        return QTest::qExec(&tc, argc, argv);                                                            \
    }
