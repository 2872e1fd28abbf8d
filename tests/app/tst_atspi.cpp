#include "kwdlocalservice.h"
#include "kwdtestenvironment.h"
#include "kwdtesttable.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include <csignal>
#include <functional>
#include <memory>
#include <unistd.h>

namespace {
// Debian's pyatspi is installed for the system's interpreter, whatever python3 comes first on PATH.
const QString kPython = QStringLiteral("/usr/bin/python3");
// What the reader may take, and what this test gives it on top (start-up of a sanitizer build).
constexpr int kReaderSeconds = 60;
constexpr int kReaderMarginMs = 30000;

struct Listing
{
    QString title;
    QString phone;
};

// The listings of a list reply, in order: each one's name and its advertiser's phone.
QList<Listing> listings(const QByteArray& xml)
{
    QList<Listing> list;
    QXmlStreamReader reader(xml);
    reader.readNextStartElement();
    while (reader.readNextStartElement()) {
        Listing& listing = list.emplace_back();
        while (reader.readNextStartElement()) {
            if (reader.name() == QLatin1String("name")) {
                listing.title = reader.readElementText();
            } else if (reader.name() != QLatin1String("co")) {
                reader.skipCurrentElement();
            } else {
                while (reader.readNextStartElement()) {
                    if (reader.name() == QLatin1String("phone"))
                        listing.phone = reader.readElementText();
                    else
                        reader.skipCurrentElement();
                }
            }
        }
    }
    return list;
}

// The first of the reader's `items` that `match` accepts.
QJsonObject first(const QJsonValue& items, const std::function<bool(const QJsonValue&)>& match)
{
    for (const QJsonValue& item : items.toArray()) {
        if (match(item))
            return item.toObject();
    }
    return {};
}

QByteArray json(const QJsonValue& value)
{
    return QJsonDocument(value.toArray()).toJson();
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
    void initTestCase()
    {
        KWD_REQUIRE_COMPONENT(!QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty(),
                              "Xvfb (Debian package xvfb)");
        const QString session = QStandardPaths::findExecutable(QStringLiteral("dbus-run-session"));
        KWD_REQUIRE_COMPONENT(!session.isEmpty(), "dbus-run-session (Debian package dbus-daemon)");
        KWD_REQUIRE_COMPONENT(QFileInfo::exists(QStringLiteral("/usr/libexec/at-spi-bus-launcher")) &&
                                  QFileInfo::exists(QStringLiteral("/usr/libexec/at-spi2-registryd")),
                              "the accessibility bus (Debian package at-spi2-core)");
        const bool pyatspi =
            QProcess::execute(kPython, {QStringLiteral("-c"), QStringLiteral("import pyatspi")}) == 0;
        KWD_REQUIRE_COMPONENT(pyatspi, "pyatspi (Debian package python3-pyatspi)");

        service = std::make_unique<kwdLocalService>();
        QVERIFY2(service->isRunning(), qPrintable(service->errorText()));
        QVERIFY(scratch.isValid());

        // The program as a user starts it on a desktop (the reader gives it a display of its own), the
        // system proxy pointing at the local service. Its HOME is this test's.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("http_proxy"), QStringLiteral("http://127.0.0.1:%1").arg(service->port()));
        env.insert(QStringLiteral("no_proxy"), QString());
        for (const char* name : {"DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS",
                                 "WAYLAND_DISPLAY", "XAUTHORITY", "QT_QTESTLIB_RUNNING"})
            env.remove(QLatin1String(name));
        QProcess reader;
        reader.setProcessEnvironment(env);
        reader.setProcessChannelMode(QProcess::MergedChannels);
        // A group of its own, so that whatever the session started (its buses, the registry, the
        // program) goes with it, even what outlived the session (an activated daemon).
        reader.setChildProcessModifier([] { ::setsid(); });
        const QString findings = scratch.filePath(QStringLiteral("findings.json"));
        reader.start(session, {QStringLiteral("--"), kPython, QStringLiteral(KWD_ATSPI_READER),
                               QCoreApplication::applicationDirPath() + QStringLiteral("/kwdpersonal"),
                               findings, QString::number(kReaderSeconds)});
        QVERIFY2(reader.waitForStarted(10000), qPrintable(reader.errorString()));
        const auto endSession = qScopeGuard([&reader, group = pid_t(reader.processId())] {
            ::kill(-group, SIGTERM);
            if (!reader.waitForFinished(5000)) {
                ::kill(-group, SIGKILL);
                reader.waitForFinished(5000);
            }
        });
        const bool finished = reader.waitForFinished(kReaderSeconds * 1000 + kReaderMarginMs);
        QFile file(findings);
        seen =
            QJsonDocument::fromJson(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray()).object();
        if (!finished || reader.exitStatus() != QProcess::NormalExit || reader.exitCode() != 0) {
            // A failure's message is cut short: what the session printed goes out line by line.
            for (const QString& line :
                 QString::fromLocal8Bit(reader.readAll()).split('\n', Qt::SkipEmptyParts)) {
                if (!line.contains(QLatin1String("Failed to set fd limit")))
                    qInfo("reader: %s", qPrintable(line));
            }
            QFAIL(qPrintable(QStringLiteral("the reader stopped %1 (its log is above)")
                                 .arg(seen.value(QLatin1String("error")).toString())));
        }

        // The listings the program was given, asked for again exactly as it asked.
        const QJsonObject request = service->log(QStringLiteral("/webservice/kwdforsalelist.html")).value(0);
        const kwdLocalService::Reply reply =
            service->get(QStringLiteral("http://%1%2?%3")
                             .arg(request.value(QLatin1String("host")).toString(),
                                  request.value(QLatin1String("path")).toString(),
                                  request.value(QLatin1String("query")).toString()));
        QCOMPARE(reply.status, 200);
        shown = listings(reply.body);
        QVERIFY(!shown.isEmpty());
    }

    // The application by its name, and no button without one.
    void applicationAndButtons()
    {
        QCOMPARE(seen.value(QLatin1String("application")).toString(), QStringLiteral("kwdpersonal"));
        const QJsonValue unnamed = seen.value(QLatin1String("unnamedButtons"));
        QVERIFY2(unnamed.isArray() && unnamed.toArray().isEmpty(), json(unnamed).constData());
    }

    void pageTabs_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("checked");
        kwdRow("search", QStringLiteral("信息查询"), true);
        kwdRow("around me", QStringLiteral("周边搜索"), false);
        kwdRow("favourites", QStringLiteral("收藏"), false);
        kwdRow("system", QStringLiteral("系统"), false);
    }

    void pageTabs()
    {
        QFETCH(QString, title);
        QFETCH(bool, checked);
        const QJsonValue tabs = seen.value(QLatin1String("tabs"));
        const QJsonObject tab =
            first(tabs, [&](const QJsonValue& t) { return t[QLatin1String("name")].toString() == title; });
        QVERIFY2(!tab.isEmpty(), json(tabs).constData());
        // One of four pages to choose: a radio button or a page tab, the shown page checked.
        const QString role = tab[QLatin1String("role")].toString();
        QVERIFY2(role == QLatin1String("radio button") || role == QLatin1String("page tab"),
                 qPrintable(role));
        QCOMPARE(tab[QLatin1String("checked")].toBool(), checked);
        QVERIFY(!tab[QLatin1String("actions")].toArray().isEmpty());
    }

    // Its name says what it is and how much of it has come; a row for every listing, and the row that
    // loads the next page.
    void saleList()
    {
        const QJsonValue list = seen.value(QLatin1String("list"));
        const QString name = list[QLatin1String("name")].toString();
        QVERIFY2(name.startsWith(QStringLiteral("二手房，共 ")), qPrintable(name));
        QVERIFY2(name.contains(QStringLiteral("已列出 %1 套").arg(shown.size())), qPrintable(name));
        QCOMPARE(list[QLatin1String("items")].toArray().size(), shown.size() + 1);
    }

    void saleRows_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("title");
        for (int i = 0; i < shown.size(); ++i)
            kwdRow(qPrintable(QStringLiteral("row %1").arg(i + 1)), i, shown.at(i).title);
        kwdRow("load more", int(shown.size()), QStringLiteral("加载更多"));
    }

    void saleRows()
    {
        QFETCH(int, index);
        QFETCH(QString, title);
        const QJsonObject item = seen.value(QLatin1String("list"))[QLatin1String("items")][index].toObject();
        QCOMPARE(item[QLatin1String("role")].toString(), QStringLiteral("list item"));
        QCOMPARE(item[QLatin1String("name")].toString(), title);
        // A listing's row also reads its place, price and area; every row opens by its action.
        const QString description = item[QLatin1String("description")].toString();
        if (index < shown.size())
            QVERIFY2(description.contains(QStringLiteral("万元")), qPrintable(description));
        QVERIFY(item[QLatin1String("actions")].toArray().contains(QStringLiteral("Press")));
    }

    void detail_data()
    {
        // A child of the opened row's detail: its role, the start of its name, and its description.
        QTest::addColumn<QString>("role");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("description"); // "*": any but empty
        kwdRow("title", QStringLiteral("label"), shown.value(0).title, QString());
        kwdRow("price field", QStringLiteral("label"), QStringLiteral("总价："), QStringLiteral("*"));
        kwdRow("contact", QStringLiteral("push button"), QStringLiteral("联系 "), shown.value(0).phone);
    }

    void detail()
    {
        QFETCH(QString, role);
        QFETCH(QString, name);
        QFETCH(QString, description);
        const QJsonValue detail = seen.value(QLatin1String("detail"));
        QCOMPARE(detail[QLatin1String("name")].toString(), QStringLiteral("二手房详细"));
        const QJsonValue children = detail[QLatin1String("children")];
        const QJsonObject child = first(children, [&](const QJsonValue& c) {
            return c[QLatin1String("role")].toString() == role &&
                   c[QLatin1String("name")].toString().startsWith(name);
        });
        QVERIFY2(!child.isEmpty(), json(children).constData());
        if (description == QLatin1String("*"))
            QVERIFY(!child[QLatin1String("description")].toString().isEmpty());
        else
            QCOMPARE(child[QLatin1String("description")].toString(), description);
    }

private:
    QTemporaryDir scratch;
    std::unique_ptr<kwdLocalService> service;
    QJsonObject seen;
    // What the service answered to the program's list request.
    QList<Listing> shown;
};

KWD_TEST_MAIN(TestAtspi)
#include "tst_atspi.moc"
