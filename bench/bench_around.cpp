// Around me: from the first fix of the local service's simulated drive (NMEA over TCP) to the
// address shown on the form, and from there to the around-me sale list painted.
#include "kwdbench.h"
#include "kwdlocation.h"
#include "kwdstore.h"
#include "qvmhttpholder.h"
#include "qvmnavbutton.h"
#include "qvmresultlistitem.h"
#include "qvmresultview.h"
#include "qvmwidgetaround.h"
#include "qvmwidgetaroundfunction.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QNetworkProxy>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>

namespace {

bool startService(QProcess& process, quint16* proxy, quint16* nmea)
{
    process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/kwd-localservice"),
                  {QStringLiteral("--port"), QStringLiteral("0")});
    static const QRegularExpression re(QStringLiteral("(listening|nmea) on 127\\.0\\.0\\.1:(\\d+)"));
    QElapsedTimer t;
    t.start();
    QByteArray out;
    while (t.elapsed() < 10000 && !(*proxy && *nmea)) {
        process.waitForReadyRead(200);
        out += process.readAllStandardOutput();
        auto it = re.globalMatch(QString::fromUtf8(out));
        while (it.hasNext()) {
            const auto m = it.next();
            (m.captured(1) == QLatin1String("nmea") ? *nmea : *proxy) = quint16(m.captured(2).toUInt());
        }
    }
    return *proxy && *nmea;
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir home;
    kwdBench::useHome(home);
    qunsetenv("QT_QTESTLIB_RUNNING");
    QApplication app(argc, argv);
    QProcess service;
    quint16 proxy = 0, nmea = 0;
    if (!startService(service, &proxy, &nmea)) {
        std::fprintf(stderr, "the local service did not start\n");
        return 1;
    }
    QNetworkProxy::setApplicationProxy(
        QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("127.0.0.1"), proxy));
    qputenv("KWDPERSONAL_POSITION", QStringLiteral("socket://127.0.0.1:%1").arg(nmea).toUtf8());
    kwdStore::instance()->load();
    qvmHttpHolder holder;

    QList<double> toAddress, toList;
    const int rounds = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 10;
    for (int i = 0; i < rounds; ++i) {
        // A fresh page each round: a new position source with an empty address cache.
        qvmWidgetAround page;
        page.resize(360, 590);
        qvmWidgetAroundFunction* form = page.form();
        QElapsedTimer t;
        QObject::connect(page.location(), &kwdLocation::positionChange, &page, [&t] {
            if (!t.isValid())
                t.start();
        });
        page.show();
        if (!QTest::qWaitFor([&] { return !form->address.isEmpty(); }, 10000)) {
            std::fprintf(stderr, "no address\n");
            return 1;
        }
        form->lblGeoInfo->repaint();
        toAddress << t.nsecsElapsed() / 1e6;
        t.restart();
        form->btnSale->click();
        qvmResultView* view = page.resultView();
        if (!QTest::qWaitFor(
                [&] {
                    auto* list = static_cast<qvmResultListItem*>(view->topPage());
                    return list && view->pendingRequests().isEmpty() && !list->rows.isEmpty();
                },
                10000)) {
            std::fprintf(stderr, "no rows around the drive\n");
            return 1;
        }
        view->viewport()->repaint();
        toList << t.nsecsElapsed() / 1e6;
    }
    std::printf("first fix to address shown: median %.1f ms, worst %.1f ms (%d rounds)\n",
                kwdBench::median(toAddress), *std::max_element(toAddress.begin(), toAddress.end()), rounds);
    std::printf("search button to around-me list painted: median %.1f ms, worst %.1f ms\n",
                kwdBench::median(toList), *std::max_element(toList.begin(), toList.end()));
    service.terminate();
    service.waitForFinished(3000);
    return 0;
}
