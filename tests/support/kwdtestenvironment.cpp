#include "kwdtestenvironment.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>

kwdTestEnvironment::kwdTestEnvironment() : dir(QDir::tempPath() + QStringLiteral("/kwdtest-XXXXXX"))
{
    // A test's child process (KWD_TEST_SHARED_HOME set by its parent) lives in its parent's HOME, as the
    // next run of the program lives in the last one's.
    if (qEnvironmentVariableIsSet("KWD_TEST_SHARED_HOME"))
        return;
    const QByteArray home = dir.path().toUtf8();
    qputenv("HOME", home);
    qputenv("XDG_CONFIG_HOME", home + "/.config");
    qputenv("XDG_DATA_HOME", home + "/.local/share");
    qputenv("XDG_CACHE_HOME", home + "/.cache");
    // No test reaches the desktop's session bus (its keyring above all): the bus named here does not
    // exist, and the runtime folder where the bus libraries would look for one is ours.
    QDir().mkpath(dir.path() + QStringLiteral("/run"));
    QFile::setPermissions(dir.path() + QStringLiteral("/run"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", home + "/run");
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + home + "/run/no-bus");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Tests never reach the outside world; a proxy from the caller's shell would only confuse them.
    qunsetenv("http_proxy");
    qunsetenv("HTTP_PROXY");
    qunsetenv("KWDPERSONAL_CONF");
}

QString kwdTestEnvironment::outputDir(const QString& subdir)
{
    QString base = qEnvironmentVariable("KWD_TEST_OUTPUT");
    if (base.isEmpty())
        base = QDir::currentPath() + QStringLiteral("/test-output");
    const QString path = base + QLatin1Char('/') + subdir;
    QDir().mkpath(path);
    return path;
}

QString kwdTestEnvironment::runChild(const QStringList& variables, int timeoutMs)
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("KWD_TEST_SHARED_HOME"), QStringLiteral("1"));
    for (const QString& v : variables)
        env.insert(v.section(QLatin1Char('='), 0, 0), v.section(QLatin1Char('='), 1));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("childRun")});
    const bool finished = child.waitForFinished(timeoutMs);
    const QString said = QString::fromLocal8Bit(child.readAll());
    if (!finished)
        return QStringLiteral("the child did not finish: ") + said;
    return child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0
               ? QString()
               : QStringLiteral("the child failed: ") + said;
}
