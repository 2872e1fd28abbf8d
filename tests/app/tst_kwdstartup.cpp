#include "kwddatabase.h"
#include "kwdsplash.h"
#include "kwdstartup.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"
#include "kwdtheme.h"
#include "mainwindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestKwdStartup : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup();
    void expandStyleSheet_data();
    void expandStyleSheet();
    void styleSheetInstalled();
    void missingStyleSheet();
    void catalogueNextToProgram();
    void databaseInDataDirectory();
    void databaseFailureIsShown();
    void startShowsMainWindow();
};

void TestKwdStartup::cleanup()
{
    qApp->setStyleSheet(QString());
    kwdDatabase::instance()->close();
}

void TestKwdStartup::expandStyleSheet_data()
{
    QTest::addColumn<QString>("css");
    QTest::addColumn<QString>("expected");
    QTest::newRow("none") << "QPushButton { color: red; }"
                          << "QPushButton { color: red; }";
    QTest::newRow("as written") << "a { image: url(%currentPath%/theme/x.png); }"
                                << "a { image: url(SKIN/theme/x.png); }";
    QTest::newRow("upper case") << "a { image: url(%CURRENTPATH%/x.png); }"
                                << "a { image: url(SKIN/x.png); }";
    QTest::newRow("mixed case, twice") << "%CurrentPath%/a %currentpath%/b"
                                       << "SKIN/a SKIN/b";
    QTest::newRow("incomplete") << "%currentPath/x %current%"
                                << "%currentPath/x %current%";
}

void TestKwdStartup::expandStyleSheet()
{
    QFETCH(QString, css);
    QFETCH(QString, expected);
    QTemporaryDir skin;
    // The replacement is absolute so that url() works from any working directory.
    const QString out = kwdStartup::expandStyleSheet(css, skin.path());
    QCOMPARE(out, expected.replace(QStringLiteral("SKIN"), QDir(skin.path()).absolutePath()));
    QVERIFY(!out.contains(QStringLiteral("%currentPath%"), Qt::CaseInsensitive));
}

void TestKwdStartup::styleSheetInstalled()
{
    QTemporaryDir skin;
    QFile file(skin.path() + QStringLiteral("/style.css"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("/* 样式 */\nQWidget#MainWindow { border-image: url(%CURRENTPATH%/theme/bg.png); }\n");
    file.close();
    QVERIFY(kwdStartup::installStyleSheet(qApp, skin.path()));
    const QString css = qApp->styleSheet();
    QVERIFY(css.contains(QString::fromUtf8("样式")));
    QVERIFY(css.contains(QStringLiteral("url(") + QDir(skin.path()).absolutePath() +
                         QStringLiteral("/theme/bg.png)")));
}

void TestKwdStartup::missingStyleSheet()
{
    QTemporaryDir skin;
    qApp->setStyleSheet(QStringLiteral("QLabel { color: blue; }"));
    QTest::ignoreMessage(QtWarningMsg, "failed to load style.css");
    QVERIFY(!kwdStartup::installStyleSheet(qApp, skin.path()));
    QCOMPARE(qApp->styleSheet(), QStringLiteral("QLabel { color: blue; }"));
}

void TestKwdStartup::catalogueNextToProgram()
{
    // The build lays the catalogue next to every executable; the working directory does not matter.
    const QString old = QDir::currentPath();
    QDir::setCurrent(QDir::tempPath());
    const bool present =
        QFile::exists(QCoreApplication::applicationDirPath() + QStringLiteral("/kwdpersonal_zh.qm"));
    if (!present)
        QTest::ignoreMessage(QtWarningMsg, "failed to load kwdpersonal_zh.qm");
    QCOMPARE(kwdStartup::installCatalogue(qApp), present);
    QDir::setCurrent(old);
}

void TestKwdStartup::databaseInDataDirectory()
{
    kwdSplash splash(640);
    const QString before = splash.message;
    QVERIFY(kwdStartup::openDatabase(&splash));
    QVERIFY(kwdDatabase::instance()->isOpen());
    QVERIFY(QFile::exists(kwdStore::instance()->dataFile(QStringLiteral("kwdpersonal.db.sqlite"))));
    QCOMPARE(splash.message, before);
}

void TestKwdStartup::databaseFailureIsShown()
{
    // A directory where the database file should be: SQLite cannot open it.
    const QString path = kwdStore::instance()->dataFile(QStringLiteral("kwdpersonal.db.sqlite"));
    QFile::remove(path);
    QVERIFY(QDir().mkpath(path));
    kwdSplash splash(640);
    QVERIFY(!kwdStartup::openDatabase(&splash));
    QVERIFY(!kwdDatabase::instance()->isOpen());
    QVERIFY(splash.message.startsWith(QString::fromUtf8("本地数据库不可用...\n")));
    QVERIFY(splash.message.endsWith(kwdDatabase::instance()->errorText()));
    QVERIFY(QDir(path).removeRecursively());
}

void TestKwdStartup::startShowsMainWindow()
{
    MainWindow* window = kwdStartup::start(qApp);
    QVERIFY(window);
    QVERIFY(window->isVisible());
    QCOMPARE(window->size(), QSize(360, 640));
    QVERIFY(kwdDatabase::instance()->isOpen());
    QVERIFY(!kwdStore::instance()->cities.isEmpty());
    QVERIFY(kwdStore::instance()->currentFinder);
    // The splash screen goes once the window has painted.
    const auto splashes = [] {
        int n = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            n += qobject_cast<kwdSplash*>(w) ? 1 : 0;
        return n;
    };
    QTRY_COMPARE(splashes(), 0);
    delete window;
    QVERIFY(!kwdDatabase::instance()->isOpen());
    QVERIFY(QFile::exists(kwdStore::instance()->dataFile(QStringLiteral("finders"))));
}

KWD_TEST_MAIN(TestKwdStartup)
#include "tst_kwdstartup.moc"
