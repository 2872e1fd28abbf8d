#include "kwdannouncedlistings.h"
#include "kwdfinder.h"
#include "kwdlocalservice.h"
#include "kwdnewhousereply.h"
#include "kwdprizereply.h"
#include "kwdresultdocument.h"
#include "kwdserviceconfig.h"
#include "kwdstore.h"
#include "kwdtestenvironment.h"
#include "kwdtesttable.h"
#include "kwdupdateinfo.h"
#include "qvmgitemimagelist.h"
#include "qvmguiderequest.h"
#include "qvmitemregion.h"
#include "qvmitemroad.h"
#include "qvmlistitem.h"
#include "qvmnotice.h"
#include "xqgeosearchmanager.h"

#include <QApplication>
#include <QDomDocument>
#include <QGeoCoordinate>
#include <QImage>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

using Reader = std::function<bool(const QByteArray&)>;

// The records of a result document of the category, each read as the client's row: how many were
// read, 0 when the document or any record is refused.
int records(const QByteArray& body, int category)
{
    kwdResultDocument doc;
    if (!doc.read(body, category))
        return 0;
    const QDomNodeList list = doc.records();
    for (int i = 0; i < list.size(); ++i) {
        std::unique_ptr<qvmListItem> row(category == 5   ? new qvmItemRegion
                                         : category == 6 ? new qvmItemRoad
                                                         : qvmListItem::createForKind(category));
        if (!row->read(list.at(i).toElement()))
            return 0;
    }
    return int(list.size());
}

} // namespace

Q_DECLARE_METATYPE(Reader)

// The stand-in for the service, as the client meets it: every kind of document it serves is read by
// the client's own readers (that every fault of its plan happens, and is lifted, is the fault table's).
class TestLocalService : public QObject
{
    Q_OBJECT
    kwdLocalService* service = nullptr;
    // Identifiers of the sample city's records, for the detail addresses ("%sale%" and so on).
    QMap<QString, QString> ids;

private Q_SLOTS:
    void initTestCase()
    {
        service = new kwdLocalService({"--seed", "5"});
        QVERIFY2(service->isRunning(), qPrintable(service->errorText()));
        const kwdStore* store = kwdStore::instance();
        for (const auto& [key, category] :
             QList<QPair<QString, int>>{{"ha", 1}, {"sale", 2}, {"lease", 3}, {"co", 4}}) {
            QDomDocument doc;
            QVERIFY(doc.setContent(service->get(store->listUrl(category, "bj", false) + "?percount=1").body));
            const QDomElement record =
                doc.elementsByTagName(kwdStore::categoryKey(category)).at(0).toElement();
            ids["%" + key + "%"] = record.firstChildElement("id").text().trimmed();
            if (category == 2) {
                ids["%district%"] = record.firstChildElement("district").attribute("id");
                ids["%street%"] = record.firstChildElement("street").attribute("id");
            }
        }
        for (const QString& id : std::as_const(ids))
            QVERIFY(!id.isEmpty());
    }

    void cleanupTestCase() { delete service; }

    void documents_data()
    {
        kwdColumns<QString, Reader>("url", "reader");
        const kwdStore* store = kwdStore::instance();
        const QString stat = kwdLocalService::statisticsBase();
        const auto list = [store](int category, bool detail, const QString& query) {
            return store->listUrl(category, QStringLiteral("bj"), detail) + query;
        };
        const auto rows = [](int category) {
            return Reader([=](const QByteArray& b) { return records(b, category) > 0; });
        };
        kwdRow("city information", "http://bj." + store->config(kwdStore::urlCityInfo).toString(),
               Reader([](const QByteArray& b) {
                   QDomDocument doc;
                   return doc.setContent(b) && kwdStore::instance()->parseCityInfo(doc, QStringLiteral("bj"));
               }));
        kwdRow("housing areas", list(1, false, "?page=2&percount=20&ob=p1"), rows(1));
        kwdRow("sales by district", list(2, false, "?page=1&percount=20&distcode=%district%"), rows(2));
        kwdRow("leases around a point", list(3, false, "?location=116.4074|39.9042|3000"), rows(3));
        kwdRow("agencies", list(4, false, "?page=1&percount=20"), rows(4));
        kwdRow("housing area", list(1, true, "?id=%ha%"), rows(1));
        kwdRow("sale", list(2, true, "?id=%sale%"), rows(2));
        kwdRow("lease", list(3, true, "?id=%lease%"), rows(3));
        kwdRow("agency", list(4, true, "?id=%co%"), rows(4));
        kwdRow("district", list(5, true, "?id=%district%"), rows(5));
        kwdRow("street", list(6, true, "?id=%street%"), rows(6));
        const Reader pictures([this](const QByteArray& b) {
            const QList<qvmPictureEntry> entries = qvmGItemImageList::readList(b);
            return !entries.isEmpty() && !QImage::fromData(service->get(entries[0].smallUrl).body).isNull() &&
                   !QImage::fromData(service->get(entries[0].bigUrl).body).isNull();
        });
        for (const auto& [key, id] : QList<QPair<int, QString>>{{kwdStore::urlHaImages, "%ha%"},
                                                                {kwdStore::urlForsaleImages, "%sale%"},
                                                                {kwdStore::urlLeaseImages, "%lease%"}})
            QTest::addRow("pictures of %s", qPrintable(id))
                << "http://bj." + store->config(key).toString() + "?id=" + id << pictures;
        kwdRow("guide prices", qvmGuideRequest::statisticsUrl(stat, "bj", 39.9087, 116.4605, 1000, 2),
               Reader([](const QByteArray& b) { return qvmGuideRequest(0, 0, 0).readStatistics(b); }));
        kwdRow("guide compounds",
               qvmGuideRequest::listUrl(kwdServiceConfig::instance().listingDomain, "bj", 39.9087, 116.4605,
                                        3000),
               Reader([](const QByteArray& b) {
                   qvmGuideRequest r(39.9087, 116.4605, 0);
                   return r.readList(b, 1) && !r.items.isEmpty();
               }));
        kwdRow("address", XQGeoSearchManager().requestUrl(QGeoCoordinate(39.9087, 116.4605)),
               Reader([](const QByteArray& b) {
                   QString city;
                   return !XQGeoSearchManager::readAddress(b, &city).isEmpty() &&
                          city == QStringLiteral("北京市");
               }));
        kwdRow("update", stat + "/update/kwdpersonal_win32.xml",
               Reader([](const QByteArray& b) { return kwdUpdateInfo::parse(b).build == 1017; }));
        kwdRow("notice", stat + "/kwd/webservice/kwdnotice.php", Reader([](const QByteArray& b) {
                   QString ishave, link;
                   return qvmnotice::readDocument(b, &ishave, &link) &&
                          link == QStringLiteral("http://www.kwd.test/n");
               }));
        kwdRow("prize", stat + "/kwd/webservice/kwdsnprize.php?sn=00AA11BB22CC",
               Reader([](const QByteArray& b) { return kwdPrizeReply::parsePrize(b).unclaimedPrize(); }));
        kwdRow("prize counts", stat + "/kwd/webservice/kwdsnview.php?sn=00AA11BB22CC",
               Reader([](const QByteArray& b) { return kwdPrizeReply::parseCounts(b).readable; }));
        for (int kind : {2, 3}) {
            QTest::addRow("new %s", kind == 2 ? "sales" : "leases")
                << stat + (kind == 2 ? "/kwdTT/forsalequery" : "/kwdTT/leasequery") +
                       "?city=bj&page=1&percount=5&sn=x"
                << Reader([kind](const QByteArray& b) {
                       QMap<QString, qvmListItem*> seen;
                       const kwdNewHouseReply reply =
                           kwdNewHouseReply::read(b, kwdFinder("push", kind), kwdAnnouncedListings(), seen);
                       qDeleteAll(seen);
                       return reply.readable && reply.kind == kind && !reply.rows.isEmpty();
                   });
        }
    }

    void documents()
    {
        QFETCH(QString, url);
        QVERIFY(service->setUpdate(1017, "1.2.0", "2026-11-30", "http://www.kwd.test/kwd.exe"));
        QVERIFY(service->setNotice("http://www.kwd.test/n", "true"));
        QVERIFY(service->setPrize("00AA11BB22CC", QStringLiteral("MP3"), "K-1", "false"));
        for (auto it = ids.cbegin(); it != ids.cend(); ++it)
            url.replace(it.key(), it.value());
        const kwdLocalService::Reply r = service->get(url);
        QCOMPARE(r.status, 200);
        QVERIFY2(kwdData<Reader>("reader")(r.body), r.body.left(300).constData());
    }
};

KWD_TEST_MAIN(TestLocalService)
#include "tst_kwdlocalservice.moc"
