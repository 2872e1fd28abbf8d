// Reading result documents into rows, and measuring and painting rows: per-row cost and memory.
#include "qvmleaseitem.h"
#include "qvmprojectitem.h"
#include "qvmsaleitem.h"

#include <QApplication>
#include <QDomDocument>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>

#include <malloc.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

// A page shaped like the service's list reply for homes for sale.
QByteArray saleDocument(int records, bool linked = true)
{
    QByteArray xml =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?><kwd><resultlist type=\"forsale\" total=\"500\" "
        "skip=\"0\">";
    for (int i = 0; i < records; ++i) {
        xml += QStringLiteral(
                   "<forsale><id>%1</id><name>望京西园三区 精装修南北通透两居室 满五唯一 %1</name>"
                   "<location>116.4%1,39.9%1</location><imageurl>http://bj.example/img/%1_s.jpg</imageurl>"
                   "<imagecount>4</imagecount><address>望京西园三区%1号楼</address><pageview>%1</pageview>"
                   "<district id=\"d3\">朝阳</district><street id=\"s12\">广顺北大街</street>"
                   "<ha id=\"h77\">望京西园三区</ha><totalprice>3%1</totalprice><areasize>89.5</areasize>"
                   "<floor>6/18</floor><publish>2011-05-10 11:58:00</publish><pricerise>1.5</pricerise>"
                   "<co><id>c%1</id><name>我爱我家望京店</name><phone>010-64701234 / 13800138000</phone></co>"
                   "</forsale>")
                   .arg(i)
                   .toUtf8();
        if (!linked) {
            // The same record without its district, street, housing area and agency.
            const int from = xml.lastIndexOf("<district");
            xml.remove(from, xml.lastIndexOf("</ha>") + 5 - from);
            const int co = xml.lastIndexOf("<co>");
            xml.remove(co, xml.lastIndexOf("</co>") + 5 - co);
        }
    }
    xml += "</resultlist></kwd>";
    return xml;
}

std::vector<std::unique_ptr<qvmListItem>> readRows(const QByteArray& xml)
{
    std::vector<std::unique_ptr<qvmListItem>> rows;
    QDomDocument doc;
    if (!doc.setContent(xml))
        return rows;
    const QDomElement list = doc.elementsByTagName(QStringLiteral("resultlist")).at(0).toElement();
    for (QDomElement e = list.firstChildElement(QStringLiteral("forsale")); !e.isNull();
         e = e.nextSiblingElement(QStringLiteral("forsale"))) {
        auto row = std::make_unique<qvmSaleItem>();
        if (row->read(e))
            rows.push_back(std::move(row));
    }
    return rows;
}

size_t heapInUse()
{
    return mallinfo2().uordblks;
}

void benchRead(int records, int rounds)
{
    const QByteArray xml = saleDocument(records);
    readRows(xml); // warm up the label table, fonts and allocator
    QElapsedTimer timer;
    timer.start();
    size_t kept = 0;
    for (int i = 0; i < rounds; ++i)
        kept += readRows(xml).size();
    const double ms = timer.nsecsElapsed() / 1e6 / rounds;
    timer.start();
    for (int i = 0; i < rounds; ++i) {
        QDomDocument doc;
        doc.setContent(xml);
    }
    const double domMs = timer.nsecsElapsed() / 1e6 / rounds;
    std::printf("read %3d-record page (%6.1f KB): %7.3f ms per page (XML parse alone %.3f ms), %6.1f us per "
                "row (%zu rows)\n",
                records, xml.size() / 1024.0, ms, domMs, ms * 1000 / records, kept / rounds);
}

void benchMemory(int records, bool linked)
{
    const QByteArray xml = saleDocument(records, linked);
    const size_t before = heapInUse();
    auto rows = readRows(xml);
    const size_t after = heapInUse();
    std::printf("memory: %zu rows hold %zu bytes, %.0f bytes per row (no pictures, %s)\n", rows.size(),
                after - before, double(after - before) / rows.size(),
                linked ? "with district, street, housing area and agency" : "record fields only");
}

void benchPaint(int records, int width)
{
    auto rows = readRows(saleDocument(records));
    QImage image(width, 100, QImage::Format_RGB32);
    QElapsedTimer timer;
    for (int pass = 0; pass < 2; ++pass) {
        image.fill(Qt::white);
        timer.start();
        int total = 0;
        for (auto& row : rows)
            total += row->height(width, 0);
        const double measure = timer.nsecsElapsed() / 1e6;
        QImage canvas(width, total, QImage::Format_RGB32);
        canvas.fill(Qt::white);
        QPainter p(&canvas);
        timer.start();
        int y = 0;
        for (auto& row : rows) {
            const int h = row->height(width, 0);
            row->paint(&p, QRect(0, y, width, h), 0);
            y += h;
        }
        const double paint = timer.nsecsElapsed() / 1e6;
        std::printf("%s pass, %zu rows at %d px: measure %.3f ms, paint %.2f ms (%.1f us per row)\n",
                    pass == 0 ? "cold" : "warm", rows.size(), width, measure, paint,
                    paint * 1000 / rows.size());
    }
    // Detail bodies, laid out and painted once each.
    timer.start();
    int detail = 0;
    for (auto& row : rows)
        detail += row->height(width, 1);
    std::printf("detail layout of %zu rows: %.2f ms (%.1f us per row)\n", rows.size(),
                timer.nsecsElapsed() / 1e6, timer.nsecsElapsed() / 1e3 / rows.size());
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchRead(20, 500);
    benchRead(100, 100);
    benchMemory(100, true);
    benchMemory(100, false);
    benchPaint(100, 360);
    return 0;
}
