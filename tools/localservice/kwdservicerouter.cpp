#include "kwdservicerouter.h"

#include "kwdfaultplan.h"
#include "kwdformfields.h"
#include "kwdhttprequest.h"
#include "kwdmultipartparser.h"
#include "kwdnmeaserver.h"
#include "kwdpicturepainter.h"
#include "kwdrequestlog.h"
#include "kwdsamplerandom.h"
#include "kwdsampleworld.h"
#include "kwdserviceconfig.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QImage>
#include <QImageWriter>
#include <QRegularExpression>

namespace {
kwdHttpResponse notFound(const QString& what)
{
    return kwdHttpResponse::text(QStringLiteral("not found: %1\n").arg(what), 404);
}

// Uploads and posted listings refuse what a real form could not send.
bool number(const QString& text, double* out)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || v < 0)
        return false;
    *out = v;
    return true;
}
} // namespace

kwdServiceRouter::kwdServiceRouter(kwdSampleWorld* world, kwdRequestLog* log, kwdFaultPlan* faults,
                                   const kwdServiceConfig& config)
    : world(world), log(log), faults(faults), documents(config.listingDomain),
      domain(config.listingDomain.toLower()), statName(config.statisticsHost.toLower()),
      geoName(config.geocoderHost.toLower()), geoToken(config.geocoderToken), pictures(48 * 1024)
{
    controlName = QStringLiteral("control.") + domain;
    siteName = QUrl(config.siteUrl).host().toLower();
    updateUrl = QStringLiteral("http://www.%1/download/kwdpersonal-1.1.6.exe").arg(domain);
}

QString kwdServiceRouter::digest(const QString& password)
{
    return QString::fromLatin1(QCryptographicHash::hash(password.toUtf8(), QCryptographicHash::Md5).toHex());
}

QString kwdServiceRouter::loginReply(const QString& phone, const QString& name)
{
    // "1=mobile: " is ten characters, ",username:" is ten characters.
    return QStringLiteral("1=mobile: ") + phone + QStringLiteral(",username:") + name;
}

bool kwdServiceRouter::credentialsOk(const QString& uid, const QString& pwd) const
{
    return uid.trimmed() == publisherUser() && pwd.trimmed().toLower() == digest(publisherPassword());
}

QString kwdServiceRouter::deviceCode(const QString& sn) const
{
    return QStringLiteral("KWD%1").arg(kwdSampleRandom::hash(sn.toUtf8()) % 100000000ULL, 8, 10,
                                       QLatin1Char('0'));
}

kwdHttpResponse kwdServiceRouter::handle(const kwdHttpRequest& request)
{
    if (request.method == "CONNECT")
        return kwdHttpResponse::text(QStringLiteral("tunnels are not offered\n"), 501);
    const QString host = request.host;
    if (host == controlName)
        return controlHostRequest(request);
    if (host == statName)
        return statisticsHost(request);
    if (host == geoName)
        return geocoderHost(request);
    if (host == siteName || host == QStringLiteral("www.") + domain)
        return siteHost(request);
    const QString suffix = QLatin1Char('.') + domain;
    if (host.endsWith(suffix)) {
        QString label = host.left(host.size() - suffix.size());
        const bool mobile = label.endsWith(QLatin1String(".m"));
        if (mobile)
            label.chop(2);
        if (!label.contains(QLatin1Char('.')) && world->knows(label)) {
            kwdSampleCity* city = world->city(label);
            return mobile ? mobileHost(city, request) : listingHost(city, request);
        }
    }
    return kwdHttpResponse::text(QStringLiteral("unknown host: %1\n").arg(host), 502);
}

kwdHttpResponse kwdServiceRouter::listingHost(kwdSampleCity* city, const kwdHttpRequest& request)
{
    const QString path = request.path;
    if (path.startsWith(QLatin1String("/pic/")))
        return picture(city, path);
    if (!path.startsWith(QLatin1String("/webservice/")))
        return notFound(path);
    const QString page = path.mid(12);
    const kwdFormFields q = request.query();
    const QString id = q.value(QStringLiteral("id")).trimmed();

    if (page == QLatin1String("kwdcity.html"))
        return kwdHttpResponse::xml(documents.cityInfo(*city));

    static const struct
    {
        const char* list;
        const char* detail;
        const char* images;
        kwdListingFilter::Category category;
    } pages[] = {
        {"kwdhalist.html", "kwdhadetail.html", "kwdhaimages.html", kwdListingFilter::HousingAreas},
        {"kwdforsalelist.html", "kwdforsaledetail.html", "kwdforsaleimages.html", kwdListingFilter::Sales},
        {"kwdleaselist.html", "kwdleasedetail.html", "kwdleaseimages.html", kwdListingFilter::Leases},
        {"kwdcolist.html", "kwdcodetail.html", nullptr, kwdListingFilter::Agencies},
    };
    for (const auto& p : pages) {
        if (page == QLatin1String(p.list)) {
            const kwdListingFilter filter = kwdListingFilter::parse(q, p.category);
            return kwdHttpResponse::xml(documents.resultList(*city, p.category, filter.select(*city)));
        }
        if (page == QLatin1String(p.detail)) {
            switch (p.category) {
            case kwdListingFilter::HousingAreas:
                return kwdHttpResponse::xml(documents.housingAreaDetail(*city, city->housingAreaById(id)));
            case kwdListingFilter::Agencies:
                return kwdHttpResponse::xml(documents.agencyDetail(*city, city->agencyById(id)));
            default: {
                const bool lease = p.category == kwdListingFilter::Leases;
                return kwdHttpResponse::xml(
                    documents.listingDetail(*city, lease, city->listingById(lease, id)));
            }
            }
        }
        if (p.images && page == QLatin1String(p.images)) {
            QString kind = p.category == kwdListingFilter::HousingAreas
                               ? QStringLiteral("ha")
                               : (p.category == kwdListingFilter::Sales ? QStringLiteral("forsale")
                                                                        : QStringLiteral("lease"));
            QString pictureId = id;
            int count = 0;
            if (p.category == kwdListingFilter::HousingAreas) {
                const int h = city->housingAreaById(id);
                count = h < 0 ? 0 : city->housingAreas[h].images;
            } else {
                const bool lease = p.category == kwdListingFilter::Leases;
                const int i = city->listingById(lease, id);
                if (i >= 0) {
                    const kwdSampleListing& l = city->listings(lease)[i];
                    count = l.images;
                    if (!l.pictureKey.isEmpty()) {
                        kind = QStringLiteral("upload");
                        pictureId = l.pictureKey;
                    }
                }
            }
            return kwdHttpResponse::xml(documents.imageList(*city, kind, pictureId, count));
        }
    }
    if (page == QLatin1String("kwddistrict.html"))
        return kwdHttpResponse::xml(documents.districtDetail(*city, city->districtByCode(id)));
    if (page == QLatin1String("kwdstreetdetail.html"))
        return kwdHttpResponse::xml(documents.streetDetail(*city, city->streetById(id)));
    return notFound(path);
}

kwdHttpResponse kwdServiceRouter::picture(kwdSampleCity* city, const QString& path)
{
    static const QRegularExpression re(QStringLiteral("^/pic/(\\w+)/([\\w-]+)/(\\d{1,3})_([sb])\\.jpg$"));
    const QRegularExpressionMatch m = re.match(path);
    if (!m.hasMatch())
        return notFound(path);
    const QString kind = m.captured(1);
    const QString id = m.captured(2);
    const int n = m.captured(3).toInt();
    const bool big = m.captured(4) == QLatin1String("b");
    if (kind == QLatin1String("upload")) {
        const QByteArray stored = uploads.value(id);
        if (stored.isEmpty() || n != 1)
            return notFound(path);
        if (big)
            return kwdHttpResponse::jpeg(stored);
        QByteArray small;
        QBuffer buffer(&small);
        buffer.open(QIODevice::WriteOnly);
        QImage::fromData(stored)
            .scaled(kwdPicturePainter::smallWidth, kwdPicturePainter::smallHeight, Qt::KeepAspectRatio,
                    Qt::SmoothTransformation)
            .save(&buffer, "JPEG", 80);
        return kwdHttpResponse::jpeg(small);
    }
    int count = -1;
    if (kind == QLatin1String("ha")) {
        const int i = city->housingAreaById(id);
        count = i < 0 ? -1 : city->housingAreas[i].images;
    } else if (kind == QLatin1String("forsale") || kind == QLatin1String("lease")) {
        const bool lease = kind == QLatin1String("lease");
        const int i = city->listingById(lease, id);
        count = i < 0 ? -1 : city->listings(lease)[i].images;
    } else if (kind == QLatin1String("co")) {
        const int i = city->agencyById(id);
        count = i < 0 ? -1 : city->agencies[i].images;
    } else if (kind == QLatin1String("district")) {
        const int i = city->districtByCode(id);
        count = i < 0 ? -1 : city->districts[i].images;
    } else if (kind == QLatin1String("street")) {
        const int i = city->streetById(id);
        count = i < 0 ? -1 : city->streets[i].images;
    }
    if (n < 1 || n > count)
        return notFound(path);
    const QString key = city->profile.code + path;
    if (const QByteArray* cached = pictures.object(key))
        return kwdHttpResponse::jpeg(*cached);
    const QByteArray bytes =
        kwdPicturePainter::jpeg(kind, city->profile.code + QLatin1Char('/') + id, n, big);
    pictures.insert(key, new QByteArray(bytes), qMax(1, int(bytes.size() / 1024)));
    return kwdHttpResponse::jpeg(bytes);
}

kwdHttpResponse kwdServiceRouter::mobileHost(kwdSampleCity* city, const kwdHttpRequest& request)
{
    const QString path = request.path;
    const bool known = path == QLatin1String("/webservice/login.html") ||
                       path == QLatin1String("/webservice/booking.html") ||
                       path == QLatin1String("/webservice/savepropimage.html");
    if (!known)
        return notFound(path);
    if (request.method != "POST")
        return kwdHttpResponse::text(QStringLiteral("use POST\n"), 405);
    if (path == QLatin1String("/webservice/login.html")) {
        const kwdFormFields f = request.form();
        if (!credentialsOk(f.value(QStringLiteral("uid")), f.value(QStringLiteral("pwd"))))
            return kwdHttpResponse::text(QStringLiteral("uid or pwd is error"));
        return kwdHttpResponse::text(loginReply(publisherPhone(), publisherName()));
    }
    if (path == QLatin1String("/webservice/booking.html"))
        return booking(city, request);
    return upload(city, request);
}

kwdHttpResponse kwdServiceRouter::booking(kwdSampleCity* city, const kwdHttpRequest& request)
{
    const kwdFormFields f = request.form();
    if (!credentialsOk(f.value(QStringLiteral("uid")), f.value(QStringLiteral("pwd"))))
        return kwdHttpResponse::text(QStringLiteral("uid or pwd is error"));
    const QString param = f.value(QStringLiteral("param"));
    if (param != QLatin1String("forsale") && param != QLatin1String("lease"))
        return kwdHttpResponse::text(QStringLiteral("param is error"));
    const bool lease = param == QLatin1String("lease");
    const int district = city->districtByCode(f.value(QStringLiteral("dist_code")).trimmed());
    if (district < 0)
        return kwdHttpResponse::text(QStringLiteral("dist_code is error"));
    const QString headline = f.value(QStringLiteral("headline")).trimmed();
    if (headline.isEmpty() || headline.size() > 60)
        return kwdHttpResponse::text(QStringLiteral("headline is error"));
    double price = 0, area = 0;
    if (!number(f.value(QStringLiteral("price")), &price) || price <= 0)
        return kwdHttpResponse::text(QStringLiteral("price is error"));
    if (!number(f.value(QStringLiteral("bldgarea")), &area) || area <= 0 || area > 100000)
        return kwdHttpResponse::text(QStringLiteral("bldgarea is error"));

    kwdSampleRandom r(kwdSampleRandom::mix(world->seed(), 0xb00cULL + dealSerial));
    const QString dealCode = QStringLiteral("D%1%2")
                                 .arg(world->now().toString(QStringLiteral("yyyyMMdd")))
                                 .arg(++dealSerial, 4, 10, QLatin1Char('0'));
    kwdSampleListing l = city->makeListing(lease, r, world->now(), 900000 + dealSerial);
    l.title = headline;
    l.district = district;
    l.housingArea = -1;
    l.street = -1;
    const QString haName = f.value(QStringLiteral("haname")).trimmed();
    for (int i = 0; i < city->housingAreas.size(); ++i) {
        if (city->housingAreas[i].name == haName) {
            l.housingArea = i;
            l.latitude = city->housingAreas[i].latitude;
            l.longitude = city->housingAreas[i].longitude;
            l.street = city->housingAreas[i].street;
        }
    }
    if (l.housingArea < 0) {
        l.latitude = city->districts[district].latitude;
        l.longitude = city->districts[district].longitude;
    }
    l.address = f.value(QStringLiteral("street_name")).trimmed() + f.value(QStringLiteral("stno")).trimmed();
    l.propType = f.value(QStringLiteral("proptype")) == QLatin1String("21")   ? QStringLiteral("21")
                 : f.value(QStringLiteral("proptype")) == QLatin1String("22") ? QStringLiteral("22")
                                                                              : QStringLiteral("11");
    l.villa = false;
    l.area = area;
    const QString unit = f.value(QStringLiteral("u"));
    if (lease && (unit.contains(QStringLiteral("年")) || unit.contains(QLatin1String("nian"))))
        l.price = qRound(price * 10000 / 12);
    else if (lease && (unit.contains(QStringLiteral("天")) || unit.contains(QLatin1String("tian"))))
        l.price = qRound(price * area * 30);
    else
        l.price = price;
    l.rooms = qBound(0, f.value(QStringLiteral("br")).toInt(), 20);
    l.halls = qBound(0, f.value(QStringLiteral("lr")).toInt(), 20);
    l.baths = qBound(0, f.value(QStringLiteral("ba")).toInt(), 20);
    l.floor = qBound(0, f.value(QStringLiteral("floor")).toInt(), 200);
    l.floors = qBound(l.floor, f.value(QStringLiteral("bheight")).toInt(), 200);
    static const char* faces[] = {"南", "东", "西", "北", "东南", "东北", "西南", "西北", "东西", "南北"};
    const int face = f.value(QStringLiteral("face")).toInt();
    l.orientation = face >= 1 && face <= 10 ? QString::fromUtf8(faces[face - 1]) : QStringLiteral("南");
    l.shared = lease && f.value(QStringLiteral("chummage")) == QLatin1String("hezu");
    l.offer = 0;
    l.agency = -1;
    l.contactName = publisherName();
    l.contactPhone = publisherPhone();
    l.note = f.value(QStringLiteral("note")).trimmed();
    l.images = 0;
    l.pageView = 0;
    city->addListing(l);
    bookings.insert(dealCode, {city->profile.code, lease, l.id});
    return kwdHttpResponse::text(QStringLiteral("1=") + dealCode);
}

kwdHttpResponse kwdServiceRouter::upload(kwdSampleCity* city, const kwdHttpRequest& request)
{
    const QByteArray boundary = kwdMultipartParser::boundaryOf(request.header("Content-Type"));
    QList<kwdMultipartParser::Part> parts;
    QString error;
    if (!kwdMultipartParser::parse(request.body, boundary, &parts, &error))
        return kwdHttpResponse::text(QStringLiteral("bad upload: %1").arg(error), 400);
    auto text = [&](const char* name) {
        const kwdMultipartParser::Part* p = kwdMultipartParser::find(parts, QLatin1String(name));
        return p ? QString::fromUtf8(p->data).trimmed() : QString();
    };
    if (!credentialsOk(text("uid"), text("pwd")))
        return kwdHttpResponse::text(QStringLiteral("uid or pwd is error"));
    const QString dealCode = text("dealcode");
    const auto booked = bookings.constFind(dealCode);
    if (booked == bookings.constEnd() || booked->city != city->profile.code)
        return kwdHttpResponse::text(QStringLiteral("dealcode is error"));
    const kwdMultipartParser::Part* photo = kwdMultipartParser::find(parts, QStringLiteral("photo"));
    if (!photo || photo->data.isEmpty())
        return kwdHttpResponse::text(QStringLiteral("photo is error"));
    const QImage image = QImage::fromData(photo->data);
    if (image.isNull())
        return kwdHttpResponse::text(QStringLiteral("photo is error"));
    QByteArray stored;
    QBuffer buffer(&stored);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 85);
    uploads.insert(dealCode, stored);
    const int i = city->listingById(booked->lease, booked->listingId);
    if (i >= 0) {
        kwdSampleListing& l = (booked->lease ? city->leases : city->sales)[i];
        l.pictureKey = dealCode;
        l.images = 1;
    }
    return kwdHttpResponse::text(QStringLiteral("1"));
}

kwdHttpResponse kwdServiceRouter::statisticsHost(const kwdHttpRequest& request)
{
    const QString path = request.path;
    const kwdFormFields q = request.query();
    if (path == QLatin1String("/kwd/webservice/kwd_login.php"))
        return kwdHttpResponse::text(QStringLiteral("1"));
    if (path == QLatin1String("/update/kwdpersonal_win32.xml"))
        return kwdHttpResponse::xml(
            kwdServiceDocuments::update(updateBuild, updateVersion, updateTime, updateUrl));
    if (path == QLatin1String("/kwd/webservice/kwdnotice.php"))
        return kwdHttpResponse::xml(kwdServiceDocuments::notice(noticeIshave, noticeLink));
    if (path == QLatin1String("/kwdTT/forsalequery") || path == QLatin1String("/kwdTT/leasequery")) {
        const bool lease = path.endsWith(QLatin1String("leasequery"));
        const QString code = q.value(QStringLiteral("city")).trimmed().toLower();
        const QString type = lease ? QStringLiteral("lease") : QStringLiteral("forsale");
        kwdSampleCity* city = world->knows(code) ? world->city(code) : nullptr;
        if (!city)
            return kwdHttpResponse::xml(kwdServiceDocuments::emptyResultList(type));
        kwdListingFilter filter =
            kwdListingFilter::parse(q, lease ? kwdListingFilter::Leases : kwdListingFilter::Sales);
        filter.newestFirst = true;
        // The push reader takes lease records by the tag "forlease".
        return kwdHttpResponse::xml(documents.resultList(*city, filter.category, filter.select(*city),
                                                         lease ? QStringLiteral("forlease") : QString()));
    }
    if (path == QLatin1String("/kwd/webservice/kwdsnprize.php")) {
        const QString sn = q.value(QStringLiteral("sn")).trimmed();
        if (sn.isEmpty())
            return kwdHttpResponse::text(QStringLiteral("sn is missing\n"), 400);
        const Prize p = prizes.value(sn, Prize());
        return kwdHttpResponse::xml(kwdServiceDocuments::prize(
            prizeStatus, p.code.isEmpty() ? deviceCode(sn) : p.code, p.prize, p.claimed));
    }
    if (path == QLatin1String("/kwd/webservice/kwdsnview.php")) {
        const QString sn = q.value(QStringLiteral("sn")).trimmed();
        if (sn.isEmpty())
            return kwdHttpResponse::text(QStringLiteral("sn is missing\n"), 400);
        const QDateTime now = QDateTime::currentDateTime();
        const QDateTime midnight(now.date(), QTime(0, 0));
        const QDateTime monday(now.date().addDays(1 - now.date().dayOfWeek()), QTime(0, 0));
        return kwdHttpResponse::xml(kwdServiceDocuments::counts(
            deviceCode(sn), log->countForDevice(sn, midnight), log->countForDevice(sn, monday)));
    }
    if (path == QLatin1String("/kwdstat/fst_idata_price.php"))
        return priceStatistics(request);
    return notFound(path);
}

kwdHttpResponse kwdServiceRouter::priceStatistics(const kwdHttpRequest& request)
{
    const kwdFormFields q = request.query();
    const QString code = q.value(QStringLiteral("city")).trimmed().toLower();
    kwdSampleCity* city = world->knows(code) ? world->city(code) : nullptr;
    const bool rents = q.value(QStringLiteral("flag")).trimmed() == QLatin1String("2");
    // The point arrives as latitude|longitude|radius; the filter reads either order.
    const kwdListingFilter filter =
        kwdListingFilter::parse(q, rents ? kwdListingFilter::Leases : kwdListingFilter::Sales);
    if (!city || !filter.hasPoint)
        return kwdHttpResponse::text(QStringLiteral("0|0"));
    const double radius = filter.radius > 0 ? filter.radius : 1000;
    // Supply: the asking prices of listings around the point; demand: the compounds' reference
    // prices there. Without anything in the radius the nearest records stand in.
    QList<QPair<double, double>> listings; // distance, unit price
    for (const kwdSampleListing& l : city->listings(rents)) {
        if (l.propType != QLatin1String("11") || l.area <= 0)
            continue;
        const double d =
            kwdSampleCity::distanceMetres(filter.latitude, filter.longitude, l.latitude, l.longitude);
        listings.append({d, rents ? l.price / l.area : l.price * 10000 / l.area});
    }
    QList<QPair<double, double>> areas;
    for (const kwdSampleHousingArea& h : city->housingAreas) {
        if (h.price <= 0)
            continue;
        const double d =
            kwdSampleCity::distanceMetres(filter.latitude, filter.longitude, h.latitude, h.longitude);
        areas.append({d, rents ? h.leasePrice : double(h.price)});
    }
    auto average = [&](QList<QPair<double, double>> list, int fallback) {
        std::sort(list.begin(), list.end());
        double sum = 0;
        int n = 0;
        for (const auto& e : list) {
            if (e.first > radius)
                break;
            sum += e.second;
            ++n;
        }
        if (n == 0) {
            for (; n < qMin(fallback, int(list.size())); ++n)
                sum += list[n].second;
        }
        return n ? sum / n : 0.0;
    };
    const double supply = average(listings, 10);
    const double demand = average(areas, 5);
    const int decimals = rents ? 2 : 0;
    return kwdHttpResponse::text(
        QStringLiteral("%1|%2").arg(supply, 0, 'f', decimals).arg(demand * 0.96, 0, 'f', decimals));
}

kwdHttpResponse kwdServiceRouter::geocoderHost(const kwdHttpRequest& request)
{
    if (request.path != QLatin1String("/geocoder/rgc/1.0"))
        return notFound(request.path);
    const kwdFormFields q = request.query();
    if (q.value(QStringLiteral("token")).trimmed() != geoToken)
        return kwdHttpResponse::text(QStringLiteral("invalid token\n"), 403);
    bool ok1 = false, ok2 = false;
    const double lon = q.value(QStringLiteral("long")).trimmed().toDouble(&ok1);
    const double lat = q.value(QStringLiteral("lat")).trimmed().toDouble(&ok2);
    if (!ok1 || !ok2 || qAbs(lat) > 90 || qAbs(lon) > 180)
        return kwdHttpResponse::text(QStringLiteral("bad coordinate\n"), 400);
    double metres = 0;
    const QString code = world->nearestCity(lat, lon, &metres);
    // Far from every city we know there is no address to give.
    if (code.isEmpty() || metres > 80000)
        return kwdHttpResponse::xml(kwdServiceDocuments::noPlace());
    kwdSampleCity* city = world->city(code);
    int district = 0;
    double best = -1;
    for (int i = 0; i < city->districts.size(); ++i) {
        const double d = kwdSampleCity::distanceMetres(lat, lon, city->districts[i].latitude,
                                                       city->districts[i].longitude);
        if (best < 0 || d < best) {
            best = d;
            district = i;
        }
    }
    int street = -1;
    best = -1;
    for (int i = 0; i < city->streets.size(); ++i) {
        const double d =
            kwdSampleCity::distanceMetres(lat, lon, city->streets[i].latitude, city->streets[i].longitude);
        if (best < 0 || d < best) {
            best = d;
            street = i;
        }
    }
    const int houseNumber = 1 + int((qAbs(qRound64(lat * 10000)) + qAbs(qRound64(lon * 10000))) % 199);
    return kwdHttpResponse::xml(kwdServiceDocuments::geocode(
        city->profile.name + QStringLiteral("市"), city->districts.value(district).name,
        street >= 0 ? city->streets[street].name : QString(), QStringLiteral("%1号").arg(houseNumber)));
}

kwdHttpResponse kwdServiceRouter::siteHost(const kwdHttpRequest& request)
{
    const QString path = request.path;
    if (path == QLatin1String("/") || path == QLatin1String("/index.html"))
        return kwdHttpResponse::html(
            QStringLiteral("<html><head><meta charset=\"utf-8\"><title>看我的房</title></head>"
                           "<body><h1>看我的房</h1><p>城市房产信息服务（本地演示站点）。</p>"
                           "</body></html>"));
    if (path == QLatin1String("/prize.html"))
        return kwdHttpResponse::html(
            QStringLiteral("<html><head><meta charset=\"utf-8\"><title>抽奖活动</title>"
                           "</head><body><h1>抽奖活动</h1><p>使用客户端即可参与每周抽奖。"
                           "</p></body></html>"));
    kwdHttpResponse missing =
        kwdHttpResponse::html(QStringLiteral("<html><body><p>页面不存在</p></body></html>"));
    missing.status = 404;
    return missing;
}

kwdHttpResponse kwdServiceRouter::driveRequest(const kwdFormFields& f)
{
    if (!drive)
        return kwdHttpResponse::text(QStringLiteral("no drive\n"), 400);
    bool numOk = true;
    // Both checked before either applies, so a bad request changes nothing.
    const double rate = f.has(QStringLiteral("rate")) ? f.value(QStringLiteral("rate")).toDouble(&numOk) : -1;
    if (!numOk || (f.has(QStringLiteral("rate")) && !(rate >= 0 && rate <= 1000)))
        return kwdHttpResponse::text(QStringLiteral("rate is 0 to 1000\n"), 400);
    const double seconds =
        f.has(QStringLiteral("advance")) ? f.value(QStringLiteral("advance")).toDouble(&numOk) : 0;
    if (!numOk || !(seconds >= 0 && seconds <= 86400))
        return kwdHttpResponse::text(QStringLiteral("advance is 0 to 86400 seconds\n"), 400);
    if (rate >= 0)
        drive->setRate(rate);
    drive->advance(seconds);
    const kwdNmeaDrive::Fix fix = drive->currentFix();
    return kwdHttpResponse::text(QStringLiteral("seconds=%1\nrate=%2\nlatitude=%3\nlongitude=%4\nspeed=%5\n")
                                     .arg(drive->driveSeconds(), 0, 'f', 3)
                                     .arg(drive->rate())
                                     .arg(fix.latitude, 0, 'f', 6)
                                     .arg(fix.longitude, 0, 'f', 6)
                                     .arg(fix.speed));
}

kwdHttpResponse kwdServiceRouter::controlHostRequest(const kwdHttpRequest& request)
{
    const QString path = request.path;
    // Settings may come in the query, in a form body, or both.
    const kwdFormFields f = request.method == "POST" && !request.body.isEmpty()
                                ? kwdFormFields::parse(request.rawQuery.toUtf8() + '&' + request.body)
                                : request.query();
    const QString ok = QStringLiteral("ok\n");
    if (path == QLatin1String("/log")) {
        kwdHttpResponse r;
        r.contentType = "application/x-ndjson; charset=utf-8";
        r.body = log->toJsonLines();
        return r;
    }
    if (path == QLatin1String("/log/clear")) {
        log->clear();
        return kwdHttpResponse::text(ok);
    }
    if (path == QLatin1String("/fault")) {
        kwdFaultPlan::Fault fault;
        QString error;
        if (!kwdFaultPlan::parse(f, &fault, &error))
            return kwdHttpResponse::text(error + QLatin1Char('\n'), 400);
        faults->add(fault);
        return kwdHttpResponse::text(ok);
    }
    if (path == QLatin1String("/fault/clear")) {
        faults->clear();
        return kwdHttpResponse::text(ok);
    }
    if (path == QLatin1String("/fault/list"))
        return kwdHttpResponse::text(faults->describe());
    if (path == QLatin1String("/update")) {
        bool numOk = true;
        if (f.has(QStringLiteral("build")))
            updateBuild = f.value(QStringLiteral("build")).toInt(&numOk);
        if (!numOk)
            return kwdHttpResponse::text(QStringLiteral("bad build\n"), 400);
        if (f.has(QStringLiteral("version")))
            updateVersion = f.value(QStringLiteral("version"));
        if (f.has(QStringLiteral("time")))
            updateTime = f.value(QStringLiteral("time"));
        if (f.has(QStringLiteral("url")))
            updateUrl = f.value(QStringLiteral("url"));
        return kwdHttpResponse::text(ok);
    }
    if (path == QLatin1String("/notice")) {
        noticeLink = f.value(QStringLiteral("link"));
        noticeIshave = f.has(QStringLiteral("ishave"))
                           ? f.value(QStringLiteral("ishave"))
                           : (noticeLink.isEmpty() ? QStringLiteral("false") : QStringLiteral("true"));
        return kwdHttpResponse::text(ok);
    }
    if (path == QLatin1String("/notice/clear")) {
        noticeIshave = QStringLiteral("false");
        noticeLink.clear();
        return kwdHttpResponse::text(ok);
    }
    if (path == QLatin1String("/prize")) {
        if (f.has(QStringLiteral("status")))
            // "none" leaves the attribute out, as a careless server would.
            prizeStatus = f.value(QStringLiteral("status")) == QLatin1String("none")
                              ? QString()
                              : f.value(QStringLiteral("status"));
        const QString sn = f.value(QStringLiteral("sn")).trimmed();
        if (!sn.isEmpty()) {
            Prize p;
            p.prize = f.value(QStringLiteral("prize"));
            p.code = f.has(QStringLiteral("code")) ? f.value(QStringLiteral("code")) : deviceCode(sn);
            p.claimed = f.has(QStringLiteral("claimed")) ? f.value(QStringLiteral("claimed"))
                                                         : QStringLiteral("false");
            prizes.insert(sn, p);
        }
        return kwdHttpResponse::text(ok);
    }
    if (path == QLatin1String("/prize/clear")) {
        prizes.clear();
        prizeStatus = QStringLiteral("true");
        return kwdHttpResponse::text(ok);
    }
    if (path == QLatin1String("/push")) {
        const QString code = f.value(QStringLiteral("city")).trimmed().toLower();
        if (!world->knows(code))
            return kwdHttpResponse::text(QStringLiteral("unknown city\n"), 400);
        const QString kind = f.value(QStringLiteral("kind")).trimmed();
        const bool lease = kind == QLatin1String("lease");
        if (!lease && !kind.isEmpty() && kind != QLatin1String("forsale"))
            return kwdHttpResponse::text(QStringLiteral("kind is forsale or lease\n"), 400);
        const int count =
            qBound(1, f.has(QStringLiteral("count")) ? f.value(QStringLiteral("count")).toInt() : 1, 50);
        QString ids;
        for (int i = 0; i < count; ++i)
            ids += world->addFresh(code, lease).id + QLatin1Char('\n');
        return kwdHttpResponse::text(ids);
    }
    if (path == QLatin1String("/drive"))
        return driveRequest(f);
    if (path == QLatin1String("/state")) {
        QString s;
        s += QStringLiteral("seed=%1\nreference=%2\nnow=%3\ncities=%4\nlog=%5\n")
                 .arg(world->seed())
                 .arg(kwdServiceDocuments::timeText(world->reference()),
                      kwdServiceDocuments::timeText(world->now()))
                 .arg(world->codes().size())
                 .arg(log->size());
        s += QStringLiteral("update=%1 %2\nnotice=%3 %4\n")
                 .arg(updateBuild)
                 .arg(updateVersion, noticeIshave, noticeLink);
        s += faults->describe();
        return kwdHttpResponse::text(s);
    }
    return notFound(path);
}
