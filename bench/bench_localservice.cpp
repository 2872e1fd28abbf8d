// The local service's costs: generating a city, answering list and detail queries, drawing
// pictures, and requests per second through the proxy port.
#include "kwdfaultplan.h"
#include "kwdformfields.h"
#include "kwdhttpfront.h"
#include "kwdhttprequest.h"
#include "kwdlistingfilter.h"
#include "kwdpicturepainter.h"
#include "kwdrequestlog.h"
#include "kwdsamplenames.h"
#include "kwdsampleworld.h"
#include "kwdserviceconfig.h"
#include "kwdservicedocuments.h"
#include "kwdservicerouter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>

#include <cstdio>

namespace {
double msSince(const QElapsedTimer& t)
{
    return double(t.nsecsElapsed()) / 1e6;
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QDateTime reference(QDate(2012, 5, 1), QTime(12, 0));

    QElapsedTimer t;
    t.start();
    kwdSampleWorld world(1, reference);
    world.setFreshInterval(0);
    world.loadCityList(QCoreApplication::applicationDirPath() + QStringLiteral("/citylist.xml"));
    std::printf("start-up (city list, no data): %.1f ms for %d cities\n", msSince(t),
                int(world.codes().size()));

    double total = 0;
    for (const kwdSampleNames::LargeCity& c : kwdSampleNames::largeCities()) {
        t.restart();
        world.city(QLatin1String(c.code));
        total += msSince(t);
    }
    std::printf("generating a large city: %.1f ms on average\n",
                total / kwdSampleNames::largeCities().size());

    kwdSampleCity* bj = world.city(QStringLiteral("bj"));
    const kwdServiceDocuments docs(QStringLiteral("kwd.test"));
    const int rounds = 200;
    t.restart();
    qint64 bytes = 0;
    for (int i = 0; i < rounds; ++i) {
        const kwdListingFilter f =
            kwdListingFilter::parse(kwdFormFields::parse(QByteArray("page=") + QByteArray::number(1 + i % 5) +
                                                         "&percount=20&br=2&ob=5"),
                                    kwdListingFilter::Sales);
        bytes += docs.resultList(*bj, f.category, f.select(*bj)).size();
    }
    std::printf("sale list page of 20 (filter, sort, XML): %.3f ms, %lld bytes\n", msSince(t) / rounds,
                bytes / rounds);
    t.restart();
    for (int i = 0; i < rounds; ++i)
        bytes = docs.housingAreaDetail(*bj, i % bj->housingAreas.size()).size();
    std::printf("housing-area detail with related groups: %.3f ms\n", msSince(t) / rounds);

    t.restart();
    for (int i = 0; i < 20; ++i)
        bytes = kwdPicturePainter::jpeg(QStringLiteral("forsale"), QString::number(i), 1, true).size();
    std::printf("big picture (draw + JPEG): %.1f ms, %lld bytes\n", msSince(t) / 20, bytes);
    t.restart();
    for (int i = 0; i < 20; ++i)
        bytes = kwdPicturePainter::jpeg(QStringLiteral("ha"), QString::number(i), 1, false).size();
    std::printf("small picture (draw + scale + JPEG): %.1f ms, %lld bytes\n", msSince(t) / 20, bytes);

    // Round trips through the proxy port on one kept-alive connection.
    kwdRequestLog log;
    kwdFaultPlan faults;
    kwdServiceRouter router(&world, &log, &faults, kwdServiceConfig::instance());
    kwdHttpFront front([&router](const kwdHttpRequest& r) { return router.handle(r); }, &faults, &log);
    if (!front.listen(0))
        return 1;
    QNetworkAccessManager manager;
    manager.setProxy(QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("127.0.0.1"), front.port()));
    const int requests = 300;
    t.restart();
    for (int i = 0; i < requests; ++i) {
        QNetworkReply* reply = manager.get(QNetworkRequest(
            QUrl(QStringLiteral("http://bj.kwd.test/webservice/kwdleaselist.html?page=%1&percount=20")
                     .arg(1 + i % 10))));
        QEventLoop loop;
        QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        loop.exec();
        reply->deleteLater();
    }
    std::printf("list requests through the proxy port: %.0f per second\n", requests / (msSince(t) / 1000.0));
    return 0;
}
