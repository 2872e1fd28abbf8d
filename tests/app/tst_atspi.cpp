#include "kwdlocalservice.h"
#include "kwdtestenvironment.h"
#include "kwdtesttable.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include <csignal>
#include <memory>
#include <unistd.h>

namespace {
// Debian's pyatspi is installed for the system's interpreter, whatever python3 comes first on PATH.
const QString kPython = QStringLiteral("/usr/bin/python3");
const QString kBusLauncher = QStringLiteral("/usr/libexec/at-spi-bus-launcher");
const QString kRegistry = QStringLiteral("/usr/libexec/at-spi2-registryd");
// What the reader may take, and what this test gives it on top (start-up of a sanitizer build).
constexpr int kReaderSeconds = 60;
constexpr int kReaderMarginMs = 30000;

struct Listing
{
    QString title;
    QString phone;
};

// The listings of a list reply, in order.
QList<Listing> listings(const QByteArray& xml)
{
    QList<Listing> list;
    QXmlStreamReader reader(xml);
    if (!reader.readNextStartElement())
        return list;
    while (reader.readNextStartElement()) {
        Listing listing;
        while (reader.readNextStartElement()) {
            if (reader.name() == QLatin1String("name")) {
                listing.title = reader.readElementText();
            } else if (reader.name() == QLatin1String("co")) {
                while (reader.readNextStartElement()) {
                    if (reader.name() == QLatin1String("phone"))
                        listing.phone = reader.readElementText();
                    else
                        reader.skipCurrentElement();
                }
            } else {
                reader.skipCurrentElement();
            }
        }
        list.append(listing);
    }
    return list;
}
} // namespace

// A screen reader's view of the real program, end to end: the program runs under Xvfb on a private
// session bus (dbus-run-session, where the accessibility bus and its registry start on demand)
// against the local service, and tests/app/atspireader.py reads it over AT-SPI with pyatspi: the
// application by its name, the main page's tabs and buttons, the sale list it opens by the search
// button's action, and the detail it opens by the first row's action.
class TestAtspi : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void application();
    void pageTabs_data();
    void pageTabs();
    void everyButtonNamed();
    void saleList();
    void saleRows_data();
    void saleRows();
    void detail_data();
    void detail();

private:
    // The part of the reader's findings named `key`, or a failure saying why the reader has none.
    bool part(const char* key, QJsonValue* value);
    void endSession();

    QTemporaryDir scratch;
    QProcess xvfb;
    QProcess reader;
    // The reader's process group: dbus-run-session and all it started.
    qint64 group = 0;
    std::unique_ptr<kwdLocalService> service;
    QJsonObject seen;
    // What the service answered to the program's list request.
    QList<Listing> shown;
};

void TestAtspi::initTestCase()
{
    const QString server = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    KWD_REQUIRE_COMPONENT(!server.isEmpty(), "Xvfb (Debian package xvfb)");
    const QString session = QStandardPaths::findExecutable(QStringLiteral("dbus-run-session"));
    KWD_REQUIRE_COMPONENT(!session.isEmpty(), "dbus-run-session (Debian package dbus-daemon)");
    KWD_REQUIRE_COMPONENT(QFileInfo::exists(kBusLauncher) && QFileInfo::exists(kRegistry),
                          "the accessibility bus (Debian package at-spi2-core)");
    QProcess probe;
    probe.start(kPython, {QStringLiteral("-c"), QStringLiteral("import pyatspi")});
    const bool pyatspi =
        probe.waitForFinished(30000) && probe.exitStatus() == QProcess::NormalExit && probe.exitCode() == 0;
    KWD_REQUIRE_COMPONENT(pyatspi, "pyatspi (Debian package python3-pyatspi)");

    QVERIFY(scratch.isValid());
    // Nobody reads the server's complaints (about key maps) while the reader runs: a file takes them.
    const QString xvfbLog = scratch.filePath(QStringLiteral("xvfb.log"));
    xvfb.setStandardErrorFile(xvfbLog);
    // A display of its own: Xvfb picks a free number and writes it once it accepts clients. Without
    // -noreset it starts over when its last client leaves (the bus launcher, which only sets a root
    // window property) and refuses the program that connects in that moment.
    xvfb.start(server, {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-noreset"),
                        QStringLiteral("-screen"), QStringLiteral("0"), QStringLiteral("1024x768x24"),
                        QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    QVERIFY2(xvfb.waitForStarted(10000), qPrintable(xvfb.errorString()));
    const QDeadlineTimer started(20000);
    while (!xvfb.canReadLine() && xvfb.state() == QProcess::Running && !started.hasExpired())
        xvfb.waitForReadyRead(int(qMax<qint64>(1, started.remainingTime())));
    const QString display = QString::fromLatin1(xvfb.readLine()).trimmed();
    if (display.isEmpty()) {
        QFile log(xvfbLog);
        const QByteArray said = log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray();
        QFAIL(qPrintable(QStringLiteral("Xvfb named no display: ") + QString::fromLocal8Bit(said)));
    }

    service = std::make_unique<kwdLocalService>();
    QVERIFY2(service->isRunning(), qPrintable(service->errorText()));

    // The program as a user starts it on a desktop with a screen reader: X11, the accessibility bridge
    // on, the system proxy pointing at the local service. Its HOME and runtime folder are this test's.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), QLatin1Char(':') + display);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
    env.insert(QStringLiteral("QT_ACCESSIBILITY"), QStringLiteral("1"));
    env.insert(QStringLiteral("http_proxy"), QStringLiteral("http://127.0.0.1:%1").arg(service->port()));
    env.insert(QStringLiteral("no_proxy"), QString());
    for (const char* name : {"DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS", "WAYLAND_DISPLAY",
                             "XAUTHORITY", "QT_QTESTLIB_RUNNING"})
        env.remove(QLatin1String(name));
    reader.setProcessEnvironment(env);
    const QString findings = scratch.filePath(QStringLiteral("findings.json"));
    // A group of its own, so that whatever the session started (its buses, the registry, the program)
    // goes with it.
    reader.setProcessChannelMode(QProcess::MergedChannels);
    reader.setChildProcessModifier([] { ::setsid(); });
    reader.start(session, {QStringLiteral("--"), kPython, QStringLiteral(KWD_ATSPI_READER),
                           QStringLiteral("--program"),
                           QCoreApplication::applicationDirPath() + QStringLiteral("/kwdpersonal"),
                           QStringLiteral("--out"), findings, QStringLiteral("--timeout"),
                           QString::number(kReaderSeconds)});
    QVERIFY2(reader.waitForStarted(10000), qPrintable(reader.errorString()));
    group = reader.processId();
    const bool finished = reader.waitForFinished(kReaderSeconds * 1000 + kReaderMarginMs);
    const QString log = QString::fromLocal8Bit(reader.readAll());
    const bool succeeded = finished && reader.exitStatus() == QProcess::NormalExit && reader.exitCode() == 0;
    endSession();
    // A failure's message is cut short: what the session printed goes out line by line.
    if (!succeeded) {
        for (const QString& line : log.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            if (!line.contains(QLatin1String("Failed to set fd limit")))
                qInfo("reader: %s", qPrintable(line));
        }
    }
    QVERIFY2(finished, "the reader did not finish");
    QFile file(findings);
    QVERIFY2(file.open(QIODevice::ReadOnly), "the reader wrote nothing");
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll());
    QVERIFY2(doc.isObject(), "the reader wrote no findings");
    seen = doc.object();

    // The listings the program was given, asked for again exactly as it asked.
    for (const QJsonObject& request : service->log()) {
        if (request.value(QLatin1String("path")).toString() !=
            QLatin1String("/webservice/kwdforsalelist.html"))
            continue;
        const QString url = QStringLiteral("http://%1%2?%3")
                                .arg(request.value(QLatin1String("host")).toString(),
                                     request.value(QLatin1String("path")).toString(),
                                     request.value(QLatin1String("query")).toString());
        const kwdLocalService::Reply reply = service->get(url);
        QCOMPARE(reply.status, 200);
        shown = listings(reply.body);
        break;
    }
}

void TestAtspi::cleanupTestCase()
{
    endSession();
    if (xvfb.state() != QProcess::NotRunning) {
        xvfb.terminate();
        if (!xvfb.waitForFinished(5000)) {
            xvfb.kill();
            xvfb.waitForFinished(5000);
        }
    }
    service.reset();
}

void TestAtspi::endSession()
{
    if (group <= 0)
        return;
    // Whatever outlived the session (an activated daemon) goes with it.
    ::kill(pid_t(-group), SIGTERM);
    if (reader.state() != QProcess::NotRunning && !reader.waitForFinished(5000)) {
        ::kill(pid_t(-group), SIGKILL);
        reader.waitForFinished(5000);
    }
    group = 0;
}

bool TestAtspi::part(const char* key, QJsonValue* value)
{
    *value = seen.value(QLatin1String(key));
    if (!value->isUndefined())
        return true;
    const QString why = seen.value(QLatin1String("error")).toString();
    QTest::qFail(qPrintable(QStringLiteral("the reader found no %1: %2 (its log is above)")
                                .arg(QLatin1String(key), why.isEmpty() ? QStringLiteral("?") : why)),
                 __FILE__, __LINE__);
    return false;
}

void TestAtspi::application()
{
    QJsonValue name;
    if (!part("application", &name))
        return;
    QCOMPARE(name.toString(), QStringLiteral("kwdpersonal"));
}

void TestAtspi::pageTabs_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("checked");
    kwdRow("search", QStringLiteral("信息查询"), true);
    kwdRow("around me", QStringLiteral("周边搜索"), false);
    kwdRow("favourites", QStringLiteral("收藏"), false);
    kwdRow("system", QStringLiteral("系统"), false);
}

void TestAtspi::pageTabs()
{
    QFETCH(QString, title);
    QFETCH(bool, checked);
    QJsonValue tabs;
    if (!part("tabs", &tabs))
        return;
    QJsonObject tab;
    for (const QJsonValue& t : tabs.toArray()) {
        if (t[QLatin1String("name")].toString() == title)
            tab = t.toObject();
    }
    QVERIFY2(!tab.isEmpty(), QJsonDocument(tabs.toArray()).toJson().constData());
    // One of four pages to choose: a radio button or a page tab, the shown page checked.
    const QString role = tab[QLatin1String("role")].toString();
    QVERIFY2(role == QLatin1String("radio button") || role == QLatin1String("page tab"), qPrintable(role));
    QCOMPARE(tab[QLatin1String("checked")].toBool(), checked);
    QVERIFY(!tab[QLatin1String("actions")].toArray().isEmpty());
}

void TestAtspi::everyButtonNamed()
{
    QJsonValue unnamed;
    if (!part("unnamedButtons", &unnamed))
        return;
    QVERIFY2(unnamed.toArray().isEmpty(), QJsonDocument(unnamed.toArray()).toJson().constData());
}

void TestAtspi::saleList()
{
    QJsonValue list;
    if (!part("list", &list))
        return;
    QVERIFY(!shown.isEmpty());
    // Its name says what it is and how much of it has come.
    const QString name = list[QLatin1String("name")].toString();
    QVERIFY2(name.startsWith(QStringLiteral("二手房，共 ")), qPrintable(name));
    QVERIFY2(name.contains(QStringLiteral("已列出 %1 套").arg(shown.size())), qPrintable(name));
    // A row for every listing, and the row that loads the next page.
    QCOMPARE(list[QLatin1String("items")].toArray().size(), shown.size() + 1);
}

void TestAtspi::saleRows_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("title");
    for (int i = 0; i < shown.size(); ++i)
        kwdRow(qPrintable(QStringLiteral("row %1").arg(i + 1)), i, shown.at(i).title);
    kwdRow("load more", int(shown.size()), QStringLiteral("加载更多"));
}

void TestAtspi::saleRows()
{
    QFETCH(int, index);
    QFETCH(QString, title);
    QJsonValue list;
    if (!part("list", &list))
        return;
    const QJsonArray items = list[QLatin1String("items")].toArray();
    QVERIFY(index < items.size());
    const QJsonObject item = items.at(index).toObject();
    QCOMPARE(item[QLatin1String("role")].toString(), QStringLiteral("list item"));
    QCOMPARE(item[QLatin1String("name")].toString(), title);
    // A listing's row also reads its place, price and area; every row opens by its action.
    if (index < shown.size())
        QVERIFY2(item[QLatin1String("description")].toString().contains(QStringLiteral("万元")),
                 qPrintable(item[QLatin1String("description")].toString()));
    QVERIFY(item[QLatin1String("actions")].toArray().contains(QStringLiteral("Press")));
}

void TestAtspi::detail_data()
{
    // A child of the opened row's detail: its role, the start of its name, and its description.
    QTest::addColumn<QString>("role");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description"); // "*": any but empty
    const Listing first = shown.value(0);
    kwdRow("title", QStringLiteral("label"), first.title, QString());
    kwdRow("price field", QStringLiteral("label"), QStringLiteral("总价："), QStringLiteral("*"));
    kwdRow("contact", QStringLiteral("push button"), QStringLiteral("联系 "), first.phone);
}

void TestAtspi::detail()
{
    QFETCH(QString, role);
    QFETCH(QString, name);
    QFETCH(QString, description);
    QJsonValue detail;
    if (!part("detail", &detail))
        return;
    QVERIFY(!shown.isEmpty());
    QCOMPARE(detail[QLatin1String("name")].toString(), QStringLiteral("二手房详细"));
    const QJsonArray children = detail[QLatin1String("children")].toArray();
    QJsonObject child;
    for (const QJsonValue& c : children) {
        if (c[QLatin1String("role")].toString() == role &&
            c[QLatin1String("name")].toString().startsWith(name)) {
            child = c.toObject();
            break;
        }
    }
    QVERIFY2(!child.isEmpty(), QJsonDocument(children).toJson().constData());
    if (description == QLatin1String("*"))
        QVERIFY(!child[QLatin1String("description")].toString().isEmpty());
    else
        QCOMPARE(child[QLatin1String("description")].toString(), description);
}

KWD_TEST_MAIN(TestAtspi)
#include "tst_atspi.moc"
