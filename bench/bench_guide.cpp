// The price guide: one repaint of the header band with a full trail (22 request points) and one
// 100-compound list reply read into rows sorted by distance. Medians over many runs.
#include "kwdbench.h"
#include "kwdguidetrail.h"
#include "qvmguideheader.h"
#include "qvmguiderequest.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGeoCoordinate>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>

int main(int argc, char** argv)
{
    QTemporaryDir home;
    kwdBench::useHome(home);
    QApplication app(argc, argv);
    const QGeoCoordinate start(39.9087, 116.4605);

    kwdGuideTrail trail;
    for (int i = 0; i < 22; ++i) {
        const QGeoCoordinate c = start.atDistanceAndAzimuth(500.0 * i, 0);
        trail.position(c.latitude(), c.longitude());
        trail.lastStep = i == 0 ? 0 : 500;
        qvmGuideRequest* r = trail.addRequest();
        r->supply = 42000 + 3000 * std::sin(i / 3.0);
        r->demand = 38000 + 2000 * std::cos(i / 4.0);
    }
    const qvmGuideHeader header;
    QImage band(360, header.bandHeight(), QImage::Format_ARGB32_Premultiplied);
    QList<double> paint;
    for (int i = 0; i < 300; ++i) {
        QElapsedTimer t;
        t.start();
        QPainter p(&band);
        header.paint(&p, band.rect(), trail.entries(), 1, 36.5, true);
        p.end();
        paint.append(t.nsecsElapsed() / 1e6);
    }

    // To look at what was measured.
    if (qEnvironmentVariableIsSet("KWD_BENCH_SAVE"))
        band.save(qEnvironmentVariable("KWD_BENCH_SAVE"));

    QString xml =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?><resultlist type=\"ha\" total=\"100\">");
    for (int i = 0; i < 100; ++i) {
        const QGeoCoordinate c = start.atDistanceAndAzimuth(30.0 * ((i * 37) % 100), i * 7.0);
        xml += QStringLiteral(
                   "<ha><id>H%1</id><name>小区%1</name><location>%2,%3</location><address>路%1号</address>"
                   "<price>%4</price><leaseprice>62.5</leaseprice><salesum>%5</salesum></ha>")
                   .arg(i)
                   .arg(c.longitude(), 0, 'f', 6)
                   .arg(c.latitude(), 0, 'f', 6)
                   .arg(40000 + i * 10)
                   .arg(i % 9);
    }
    xml += QStringLiteral("</resultlist>");
    const QByteArray body = xml.toUtf8();
    QList<double> reply;
    int rows = 0;
    for (int i = 0; i < 100; ++i) {
        qvmGuideRequest r(start.latitude(), start.longitude(), 0);
        QElapsedTimer t;
        t.start();
        r.readList(body, 1);
        reply.append(t.nsecsElapsed() / 1e6);
        rows = int(r.items.size());
    }
    std::printf("header repaint, 22 points: median %.3f ms (goal 2 ms)\n", kwdBench::median(paint));
    std::printf("100-compound reply to sorted rows (%d rows): median %.3f ms (goal 10 ms)\n", rows,
                kwdBench::median(reply));
    return 0;
}
