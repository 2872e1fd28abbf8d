#pragma once

#include <QString>
#include <QStringList>
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
    // Runs this test program again as the program's next start runs: in this test's HOME, with the
    // variables given ("NAME=value"), running only its slot childRun. Empty when that passed, else
    // what the child printed.
    static QString runChild(const QStringList& variables, int timeoutMs = 60000);

private:
    QTemporaryDir dir;
};

// A component the set-up installs (a daemon, a Python module): missing on a developer's machine the
// test is skipped with what to install; missing in CI (CI=true) the set-up failed, and so does the test.
#define KWD_REQUIRE_COMPONENT(present, what)                                                                 \
    do {                                                                                                     \
        if (!(present)) {                                                                                    \
            if (qEnvironmentVariable("CI") == QLatin1String("true"))                                         \
                QFAIL(what " is missing, though the set-up installs it");                                    \
            QSKIP(what " is not installed");                                                                 \
        }                                                                                                    \
    } while (false)

// Like QTEST_MAIN, with the private environment set up first.
#define KWD_TEST_MAIN(TestObject)                                                                            \
    int main(int argc, char** argv)                                                                          \
    {                                                                                                        \
        kwdTestEnvironment kwdEnv;                                                                           \
        QApplication app(argc, argv);                                                                        \
        TestObject tc;                                                                                       \
        QTEST_SET_MAIN_SOURCE_PATH                                                                           \
        return QTest::qExec(&tc, argc, argv);                                                                \
    }
