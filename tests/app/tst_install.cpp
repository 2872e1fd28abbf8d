#include "kwdtestenvironment.h"
#include "kwdtesttable.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// The installed layout: `cmake --install` into a temporary prefix lays out the program and its files,
// and the installed program, started from elsewhere, finds them (also once the prefix has moved).
class TestInstall : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(root.isValid());
        prefix = root.filePath(QStringLiteral("prefix"));
        QProcess install;
        install.setProcessChannelMode(QProcess::MergedChannels);
        install.start(QStringLiteral("cmake"), {QStringLiteral("--install"), QStringLiteral(KWD_BUILD_DIR),
                                                QStringLiteral("--prefix"), prefix});
        QVERIFY(install.waitForFinished(120000));
        QVERIFY2(install.exitCode() == 0, install.readAll().constData());
    }

    void layout_data()
    {
        QTest::addColumn<QString>("file");
        for (const char* f :
             {"bin/kwdpersonal", "share/kwdpersonal/citylist.xml", "share/kwdpersonal/kwdpersonal_zh.qm",
              "share/kwdpersonal/skin/default/style.css",
              "share/kwdpersonal/skin/default/theme/kwdpersonal.png",
              "share/applications/example.kwdpersonal.client.desktop",
              "share/metainfo/example.kwdpersonal.client.metainfo.xml",
              "share/icons/hicolor/48x48/apps/kwdpersonal.png",
              "share/icons/hicolor/128x128/apps/kwdpersonal.png",
              "share/icons/hicolor/scalable/apps/kwdpersonal.svg", "share/doc/kwdpersonal/copyright",
              "share/doc/kwdpersonal/changelog.gz", "share/man/man1/kwdpersonal.1.gz"})
            QTest::newRow(f) << QString::fromLatin1(f);
    }

    void layout()
    {
        QFETCH(QString, file);
        const QFileInfo info(QDir(prefix).filePath(file));
        QVERIFY2(info.isFile() && info.size() > 0, qPrintable(info.filePath()));
    }

    // The desktop entry the notifications and the position service name: it points at the installed
    // icon and tells the desktop that the program posts notifications (so they can be silenced).
    void desktopEntry_data()
    {
        kwdColumns<QString, QString>("key", "value");
        kwdRow("icon", "Icon", "kwdpersonal");
        kwdRow("program", "Exec", "kwdpersonal");
        kwdRow("notifications", "X-GNOME-UsesNotifications", "true");
    }

    void desktopEntry()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFile file(
            QDir(prefix).filePath(QStringLiteral("share/applications/example.kwdpersonal.client.desktop")));
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        QStringList values;
        for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
            if (line.startsWith(key + QLatin1Char('=')))
                values << line.mid(key.size() + 1).trimmed();
        }
        QCOMPARE(values, QStringList{value});
    }

    // The installed program's command line, as a user or a script meets it, started from elsewhere:
    // --help and --version need no display; --self-check finds every file in the installed data
    // directory, also once the prefix has moved; a configuration it cannot use is named on standard
    // error, one line a problem, and the program goes on with the built-in values.
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("conf");  // written to a file KWDPERSONAL_CONF names; "-": a missing one
        QTest::addColumn<QString>("position"); // KWDPERSONAL_POSITION
        QTest::addColumn<QString>("outStart"); // the start of standard output
        QTest::addColumn<QStringList>("warnings"); // what each line of standard error names
        const QStringList check{"--self-check"};
        kwdRow("version", QStringList{"--version"}, QByteArray(), QString(), "kwdpersonal 1.", QStringList());
        kwdRow("help", QStringList{"--help"}, QByteArray(), QString(), "Usage: kwdpersonal", QStringList());
        kwdRow("prefix moved", check, QByteArray(), QString(), "citylist: ", QStringList());
        QTest::newRow("good configuration")
            << check
            << QByteArray("[service]\nlistingDomain=a.example\n[location]\nsource=gpsd://127.0.0.1:2947\n")
            << QString() << "citylist: " << QStringList();
        QTest::newRow("missing file")
            << check << QByteArray("-") << QString()
            << "citylist: " << QStringList{"(KWDPERSONAL_CONF): no such file; using the built-in values"};
        QTest::newRow("unknown key and unusable values")
            << check
            << QByteArray("[service]\nlistingDomain=http://a.example/\ngeocoderToken=abc\ncolour=red\n"
                          "[location]\nsource=gpsd://\n")
            << QString() << "citylist: "
            << QStringList{"unknown key \"service/colour\"", "service/listingDomain \"http://a.example/\"",
                           "service/geocoderToken \"abc\"", "location/source \"gpsd://\""};
        QTest::newRow("receiver from the environment")
            << check << QByteArray() << QString("socket://127.0.0.1") << "citylist: "
            << QStringList{
                   "KWDPERSONAL_POSITION \"socket://127.0.0.1\": an NMEA socket is socket://host:port; using "
                   "\"platform\""};
        QTest::newRow("log that does not exist")
            << check << QByteArray() << QString("/nonexistent/drive.nmea")
            << "citylist: " << QStringList{"drive.nmea"};
    }

    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, conf);
        QFETCH(QString, position);
        QFETCH(QStringList, warnings);
        QTemporaryDir dir;
        const bool moved = QByteArray(QTest::currentDataTag()) == "prefix moved";
        const QString where = moved ? root.filePath(QStringLiteral("moved")) : prefix;
        QVERIFY(!moved || QDir().rename(prefix, where));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        // --help and --version answer without any window system.
        env.insert("QT_QPA_PLATFORM",
                   arguments == QStringList{"--self-check"} ? "offscreen" : "no-such-platform");
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        const QString confPath = dir.filePath(QStringLiteral("kwdpersonal.conf"));
        if (!conf.isEmpty()) {
            if (conf != "-") {
                QFile f(confPath);
                QVERIFY(f.open(QIODevice::WriteOnly) && f.write(conf) == conf.size());
            }
            env.insert(QStringLiteral("KWDPERSONAL_CONF"), confPath);
        }
        if (!position.isEmpty())
            env.insert(QStringLiteral("KWDPERSONAL_POSITION"), position);
        QProcess program;
        program.setWorkingDirectory(dir.path());
        program.setProcessEnvironment(env);
        program.start(QDir(where).filePath(QStringLiteral("bin/kwdpersonal")), arguments);
        QVERIFY(program.waitForFinished(30000));
        QVERIFY(!moved || QDir().rename(where, prefix));
        const QString out = QString::fromUtf8(program.readAllStandardOutput());
        QStringList err;
        for (const QString& line : QString::fromUtf8(program.readAllStandardError()).split('\n'))
            if (line.startsWith(QLatin1String("kwdpersonal: ")))
                err << line;
        QVERIFY2(program.exitStatus() == QProcess::NormalExit && program.exitCode() == 0, qPrintable(out));
        QFETCH(QString, outStart);
        QVERIFY2(out.startsWith(outStart), qPrintable(out));
        // Every file comes from the installed data directory, not from the build tree.
        const QString data = QDir(where).filePath(QStringLiteral("share/kwdpersonal"));
        for (const char* name : {"citylist: ", "skin: ", "catalogue: "})
            QVERIFY2(!outStart.startsWith("citylist") || out.contains(name + data), qPrintable(out));
        QCOMPARE(err.size(), warnings.size());
        for (int i = 0; i < err.size(); ++i)
            QVERIFY2(err.at(i).contains(warnings.at(i)), qPrintable(err.at(i)));
    }

private:
    QTemporaryDir root;
    QString prefix;
};

KWD_TEST_MAIN(TestInstall)
#include "tst_install.moc"
