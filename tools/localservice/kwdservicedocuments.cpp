#include "kwdservicedocuments.h"

#include "kwdsamplecity.h"
#include "kwdsamplerandom.h"

#include <QXmlStreamWriter>
#include <algorithm>

namespace {
QString typeOf(kwdListingFilter::Category c)
{
    switch (c) {
    case kwdListingFilter::HousingAreas:
        return QStringLiteral("ha");
    case kwdListingFilter::Sales:
        return QStringLiteral("forsale");
    case kwdListingFilter::Leases:
        return QStringLiteral("lease");
    case kwdListingFilter::Agencies:
        return QStringLiteral("co");
    }
    return QString();
}

void begin(QXmlStreamWriter& w, const QString& type, int total, int skip)
{
    w.setAutoFormatting(true);
    w.writeStartDocument();
    w.writeStartElement(QStringLiteral("resultlist"));
    w.writeAttribute(QStringLiteral("type"), type);
    w.writeAttribute(QStringLiteral("total"), QString::number(total));
    w.writeAttribute(QStringLiteral("skip"), QString::number(skip));
}

void end(QXmlStreamWriter& w)
{
    w.writeEndElement();
    w.writeEndDocument();
}

void item(QXmlStreamWriter& w, const QString& name, const QString& value)
{
    w.writeStartElement(QStringLiteral("item"));
    w.writeAttribute(QStringLiteral("name"), name);
    w.writeCharacters(value);
    w.writeEndElement();
}

// A figure that stays the same for a record on every run (distance to the metro and so on).
int stable(const QString& id, int low, int high)
{
    return low + int(kwdSampleRandom::hash(id.toUtf8()) % quint64(high - low + 1));
}

QString number(double v)
{
    return QString::number(v, 'f', v == qRound(v) ? 0 : 1);
}
} // namespace

kwdServiceDocuments::kwdServiceDocuments(const QString& listingDomain) : domain(listingDomain) {}

QString kwdServiceDocuments::grouped(double value, int decimals)
{
    QString text = QString::number(qAbs(value), 'f', decimals);
    const int dot = text.indexOf(QLatin1Char('.'));
    int intEnd = dot < 0 ? text.size() : dot;
    for (int i = intEnd - 3; i > 0; i -= 3)
        text.insert(i, QLatin1Char(','));
    return value < 0 ? QLatin1Char('-') + text : text;
}

QString kwdServiceDocuments::timeText(const QDateTime& time)
{
    return time.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

QString kwdServiceDocuments::pictureUrl(const QString& cityCode, const QString& kind, const QString& id,
                                        int n, bool big) const
{
    return QStringLiteral("http://%1.%2/pic/%3/%4/%5_%6.jpg")
        .arg(cityCode, domain, kind, id)
        .arg(n)
        .arg(big ? QLatin1Char('b') : QLatin1Char('s'));
}

QByteArray kwdServiceDocuments::cityInfo(const kwdSampleCity& city) const
{
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.setAutoFormatting(true);
    w.writeStartDocument();
    w.writeStartElement(QStringLiteral("kwdcity"));
    w.writeAttribute(QStringLiteral("jm"), city.profile.code);
    w.writeAttribute(QStringLiteral("name"), city.profile.name);
    w.writeStartElement(QStringLiteral("areas"));
    for (const kwdSampleDistrict& d : city.districts) {
        w.writeStartElement(QStringLiteral("area"));
        w.writeAttribute(QStringLiteral("jm"), d.code);
        w.writeCharacters(d.name);
        w.writeEndElement();
    }
    w.writeEndElement();
    // Price steps scale with the city's price level; labels as shown, values as sent.
    auto steps = [&](const QString& tag, const QList<int>& bounds, const QString& unit) {
        w.writeStartElement(tag);
        for (int i = 0; i <= bounds.size(); ++i) {
            const int low = i == 0 ? 0 : bounds[i - 1];
            const QString val = i == bounds.size() ? QStringLiteral("%1-").arg(low)
                                                   : QStringLiteral("%1-%2").arg(low).arg(bounds[i]);
            const QString label = i == 0 ? QStringLiteral("%1%2以下").arg(bounds[0]).arg(unit)
                                  : i == bounds.size()
                                      ? QStringLiteral("%1%2以上").arg(low).arg(unit)
                                      : QStringLiteral("%1-%2%3").arg(low).arg(bounds[i]).arg(unit);
            w.writeStartElement(QStringLiteral("price"));
            w.writeAttribute(QStringLiteral("val"), val);
            w.writeCharacters(label);
            w.writeEndElement();
        }
        w.writeEndElement();
    };
    const int p = city.profile.salePrice;
    auto roundTo = [](double v, int step) { return qMax(step, int(qRound(v / step)) * step); };
    steps(QStringLiteral("saleprice"),
          {roundTo(p * 0.5, 1000), roundTo(p * 0.8, 1000), roundTo(p * 1.1, 1000), roundTo(p * 1.5, 1000)},
          QStringLiteral("元/平米"));
    steps(QStringLiteral("totalprice"),
          {roundTo(p * 40 / 10000.0, 10), roundTo(p * 70 / 10000.0, 10), roundTo(p * 100 / 10000.0, 10),
           roundTo(p * 150 / 10000.0, 10)},
          QStringLiteral("万"));
    steps(QStringLiteral("leaseprice"),
          {roundTo(p / 30.0, 500), roundTo(p / 18.0, 500), roundTo(p / 11.0, 500), roundTo(p / 7.0, 500)},
          QStringLiteral("元/月"));
    w.writeEndElement();
    w.writeEndDocument();
    return out;
}

QByteArray kwdServiceDocuments::emptyResultList(const QString& type)
{
    QByteArray out;
    QXmlStreamWriter w(&out);
    begin(w, type, 0, 1);
    end(w);
    return out;
}

void kwdServiceDocuments::writeCommon(QXmlStreamWriter& w, const kwdSampleCity& city, const QString& kind,
                                      const QString& id, const QString& name, double lat, double lon,
                                      int images, const QString& address, int pageView) const
{
    w.writeTextElement(QStringLiteral("id"), id);
    w.writeTextElement(QStringLiteral("name"), name);
    w.writeTextElement(QStringLiteral("location"),
                       QStringLiteral("%1,%2").arg(lon, 0, 'f', 6).arg(lat, 0, 'f', 6));
    if (images > 0) {
        w.writeTextElement(QStringLiteral("imageurl"), pictureUrl(city.profile.code, kind, id, 1, false));
        w.writeTextElement(QStringLiteral("imagecount"), QString::number(images));
    }
    if (!address.isEmpty())
        w.writeTextElement(QStringLiteral("address"), address);
    if (pageView > 0)
        w.writeTextElement(QStringLiteral("pageview"), QString::number(pageView));
}

void kwdServiceDocuments::writeLinks(QXmlStreamWriter& w, const kwdSampleCity& city, int district, int street,
                                     int housingArea) const
{
    auto link = [&](const QString& tag, const QString& id, const QString& name) {
        w.writeStartElement(tag);
        w.writeAttribute(QStringLiteral("id"), id);
        w.writeCharacters(name);
        w.writeEndElement();
    };
    if (district >= 0)
        link(QStringLiteral("district"), city.districts[district].code, city.districts[district].name);
    if (street >= 0)
        link(QStringLiteral("street"), city.streets[street].id, city.streets[street].name);
    if (housingArea >= 0)
        link(QStringLiteral("ha"), city.housingAreas[housingArea].id, city.housingAreas[housingArea].name);
}

QString kwdServiceDocuments::listingDetailText(const kwdSampleCity& city, const kwdSampleListing& l) const
{
    if (!l.note.isEmpty())
        return l.note;
    const kwdSampleHousingArea* h = l.housingArea >= 0 ? &city.housingAreas[l.housingArea] : nullptr;
    const QString haName = h ? h->name : QString();
    const int metro = stable(l.id, 3, 18) * 100;
    QString t;
    if (l.propType == QLatin1String("21")) {
        t = QStringLiteral("【房源概况】%1写字楼，建筑面积%2平米，%3，位于%4/%5层，采光充足，可注册公司。\n")
                .arg(haName, number(l.area), l.decoration)
                .arg(l.floor)
                .arg(l.floors);
    } else if (l.propType == QLatin1String("22")) {
        t = QStringLiteral(
                "【房源概况】%1临街商铺，建筑面积%2平米，门前人流量大，适合餐饮、零售、便利店等。\n")
                .arg(haName, number(l.area));
    } else if (l.lease) {
        t = QStringLiteral("【房屋配置】床、衣柜、空调、洗衣机、冰箱、热水器、宽带，%1，拎包即可入住。\n"
                           "【租赁方式】%2，押一付三，可随时看房。\n")
                .arg(l.decoration, l.shared
                                       ? QStringLiteral("合租，与%1位租客共用客厅和厨房").arg(l.rooms - 1)
                                       : QStringLiteral("整租"));
    } else {
        t = QStringLiteral("【户型介绍】%1室%2厅%3卫，建筑面积%4平米，%5朝向，%6，户型方正，采光好。\n")
                .arg(l.rooms)
                .arg(l.halls)
                .arg(l.baths)
                .arg(number(l.area), l.orientation, l.decoration);
    }
    if (h) {
        t += QStringLiteral("【小区介绍】%1建于%2年，由%3开发，小区绿化率高，物业管理完善。\n")
                 .arg(h->name)
                 .arg(h->builtYear)
                 .arg(h->developer);
    }
    t += QStringLiteral("【交通出行】距最近的地铁站约%1米，周边有多条公交线路。\n"
                        "【周边配套】附近有超市、菜市场、医院和学校，生活便利。")
             .arg(metro);
    return t;
}

void kwdServiceDocuments::writeListing(QXmlStreamWriter& w, const kwdSampleCity& city,
                                       const kwdSampleListing& l, bool detail, double distance,
                                       const QString& tag) const
{
    w.writeStartElement(tag);
    const QString kind = l.lease ? QStringLiteral("lease") : QStringLiteral("forsale");
    w.writeTextElement(QStringLiteral("id"), l.id);
    w.writeTextElement(QStringLiteral("name"), l.title);
    w.writeTextElement(QStringLiteral("location"),
                       QStringLiteral("%1,%2").arg(l.longitude, 0, 'f', 6).arg(l.latitude, 0, 'f', 6));
    if (l.images > 0) {
        w.writeTextElement(QStringLiteral("imageurl"),
                           l.pictureKey.isEmpty() ? pictureUrl(city.profile.code, kind, l.id, 1, false)
                                                  : pictureUrl(city.profile.code, QStringLiteral("upload"),
                                                               l.pictureKey, 1, false));
        w.writeTextElement(QStringLiteral("imagecount"), QString::number(l.images));
    }
    w.writeTextElement(QStringLiteral("address"), l.address);
    w.writeTextElement(QStringLiteral("pageview"), QString::number(l.pageView));
    writeLinks(w, city, l.district, l.street, l.housingArea);
    w.writeTextElement(l.lease ? QStringLiteral("price") : QStringLiteral("totalprice"), number(l.price));
    w.writeTextElement(QStringLiteral("areasize"), number(l.area));
    // The time a row's age is read from: the listing's last update, the order of the default list.
    w.writeTextElement(QStringLiteral("publish"), timeText(l.updated));
    w.writeTextElement(QStringLiteral("floor"), QStringLiteral("%1/%2").arg(l.floor).arg(l.floors));
    if (distance >= 0)
        w.writeTextElement(QStringLiteral("distance"), grouped(distance, 0));
    if (detail) {
        w.writeTextElement(l.lease ? QStringLiteral("leasepricerise") : QStringLiteral("pricerise"),
                           QString::number(l.priceRise, 'f', 1));
        w.writeTextElement(QStringLiteral("detail"), listingDetailText(city, l));
        w.writeStartElement(QStringLiteral("items"));
        const QString layout =
            l.propType == QLatin1String("11")
                ? QStringLiteral("%1室%2厅%3卫").arg(l.rooms).arg(l.halls).arg(l.baths)
                : (l.propType == QLatin1String("21") ? QStringLiteral("写字楼") : QStringLiteral("商铺"));
        item(w, QStringLiteral("户型"), layout);
        item(w, QStringLiteral("朝向"), l.orientation);
        item(w, QStringLiteral("装修"), l.decoration);
        item(w, QStringLiteral("楼层"), QStringLiteral("%1/%2层").arg(l.floor).arg(l.floors));
        if (l.lease) {
            item(w, QStringLiteral("租赁方式"), l.shared ? QStringLiteral("合租") : QStringLiteral("整租"));
            item(w, QStringLiteral("付款方式"), QStringLiteral("押一付三"));
        } else {
            if (l.housingArea >= 0)
                item(w, QStringLiteral("建成年代"),
                     QStringLiteral("%1年").arg(city.housingAreas[l.housingArea].builtYear));
            item(w, QStringLiteral("产权年限"),
                 l.propType == QLatin1String("11") ? QStringLiteral("70年") : QStringLiteral("40年"));
        }
        item(w, QStringLiteral("发布时间"), timeText(l.published));
        item(w, QStringLiteral("更新时间"), timeText(l.updated));
        w.writeEndElement();
    }
    // The advertiser: an agency record, or the owner or developer as an agency without id.
    if (l.agency >= 0) {
        writeAgency(w, city, l.agency, false);
    } else {
        w.writeStartElement(QStringLiteral("co"));
        w.writeTextElement(QStringLiteral("id"), QString());
        w.writeTextElement(QStringLiteral("name"), l.contactName);
        w.writeTextElement(QStringLiteral("phone"), l.contactPhone);
        w.writeTextElement(QStringLiteral("caption"),
                           l.offer == 2 ? QStringLiteral("开发商直售") : QStringLiteral("个人房源"));
        w.writeEndElement();
    }
    w.writeEndElement();
}

void kwdServiceDocuments::writeHousingArea(QXmlStreamWriter& w, const kwdSampleCity& city, int index,
                                           bool detail, double distance, const QString& tag) const
{
    const kwdSampleHousingArea& h = city.housingAreas[index];
    w.writeStartElement(tag);
    writeCommon(w, city, QStringLiteral("ha"), h.id, h.name, h.latitude, h.longitude, h.images, h.address,
                h.pageView);
    writeLinks(w, city, h.district, h.street, -1);
    w.writeTextElement(QStringLiteral("salesum"), QString::number(h.saleCount));
    w.writeTextElement(QStringLiteral("leasesum"), QString::number(h.leaseCount));
    w.writeTextElement(QStringLiteral("price"), grouped(h.price, 0));
    w.writeTextElement(QStringLiteral("pricerise"), QString::number(h.priceRise, 'f', 1));
    w.writeTextElement(QStringLiteral("leaseprice"), grouped(h.leasePrice, 2));
    w.writeTextElement(QStringLiteral("leasepricerise"), QString::number(h.leaseRise, 'f', 1));
    w.writeTextElement(QStringLiteral("area"), grouped(h.landArea, 0));
    if (distance >= 0)
        w.writeTextElement(QStringLiteral("distance"), grouped(distance, 0));
    if (detail) {
        const QString district = h.district >= 0 ? city.districts[h.district].name : QString();
        QString text;
        if (h.classCode == QLatin1String("pa")) {
            text = QStringLiteral(
                       "%1位于%2%3，占地约%4平方米，建成于%5年，开发商为%6。小区内绿化充足，配有地下车库、"
                       "健身会所和儿童游乐场。目前在售二手房%7套，出租房%8套，二手房均价%9元/平米。")
                       .arg(h.name, district, h.address, grouped(h.landArea, 0))
                       .arg(h.builtYear)
                       .arg(h.developer)
                       .arg(h.saleCount)
                       .arg(h.leaseCount)
                       .arg(grouped(h.price, 0));
        } else {
            text = QStringLiteral("%1位于%2%3，交通便利，周边配套齐全。").arg(h.name, district, h.address);
        }
        w.writeTextElement(QStringLiteral("detail"), text);
        w.writeStartElement(QStringLiteral("items"));
        item(w, QStringLiteral("建成年代"), QStringLiteral("%1年").arg(h.builtYear));
        item(w, QStringLiteral("开发商"), h.developer);
        item(w, QStringLiteral("占地面积"), QStringLiteral("%1平方米").arg(grouped(h.landArea, 0)));
        w.writeEndElement();

        // Related compounds in three groups: the nearest, the closest in price, the same developer.
        QList<int> others;
        for (int i = 0; i < city.housingAreas.size(); ++i) {
            if (i != index && city.housingAreas[i].classCode == QLatin1String("pa"))
                others.append(i);
        }
        auto group = [&](const QString& type, QList<int> list) {
            if (list.isEmpty())
                return;
            w.writeStartElement(QStringLiteral("group"));
            w.writeAttribute(QStringLiteral("type"), type);
            for (int i : list.mid(0, 4))
                writeHousingArea(w, city, i, false, -1, QStringLiteral("ha"));
            w.writeEndElement();
        };
        w.writeStartElement(QStringLiteral("relateha"));
        QList<int> near = others;
        std::stable_sort(near.begin(), near.end(), [&](int a, int b) {
            const auto& A = city.housingAreas[a];
            const auto& B = city.housingAreas[b];
            return kwdSampleCity::distanceMetres(h.latitude, h.longitude, A.latitude, A.longitude) <
                   kwdSampleCity::distanceMetres(h.latitude, h.longitude, B.latitude, B.longitude);
        });
        group(QStringLiteral("周边小区"), near);
        if (h.price > 0) {
            QList<int> price = others;
            std::stable_sort(price.begin(), price.end(), [&](int a, int b) {
                return qAbs(city.housingAreas[a].price - h.price) <
                       qAbs(city.housingAreas[b].price - h.price);
            });
            group(QStringLiteral("同价位小区"), price);
        }
        QList<int> same;
        for (int i : others) {
            if (city.housingAreas[i].developer == h.developer)
                same.append(i);
        }
        group(QStringLiteral("同开发商楼盘"), same);
        w.writeEndElement();
        for (int a : h.agencies)
            writeAgency(w, city, a, false);
    }
    w.writeEndElement();
}

void kwdServiceDocuments::writeAgency(QXmlStreamWriter& w, const kwdSampleCity& city, int index,
                                      bool detail) const
{
    const kwdSampleAgency& a = city.agencies[index];
    w.writeStartElement(QStringLiteral("co"));
    writeCommon(w, city, QStringLiteral("co"), a.id, a.name, a.latitude, a.longitude, a.images, a.address, 0);
    writeLinks(w, city, a.district, -1, -1);
    w.writeTextElement(QStringLiteral("phone"), a.phone);
    const QString district = a.district >= 0 ? city.districts[a.district].name : QString();
    const QString haName = a.housingArea >= 0 ? city.housingAreas[a.housingArea].name : QString();
    w.writeTextElement(QStringLiteral("caption"), QStringLiteral("%1 %2及周边").arg(district, haName));
    if (detail) {
        if (a.housingArea >= 0)
            writeHousingArea(w, city, a.housingArea, false, -1, QStringLiteral("project"));
        w.writeTextElement(QStringLiteral("detail"),
                           QStringLiteral("本店主营%1及周边小区的二手房买卖与房屋租赁，经纪人均持证上岗，"
                                          "提供免费带看、贷款咨询和过户代办服务，欢迎来电或到店咨询。")
                               .arg(haName));
    }
    w.writeEndElement();
}

QByteArray kwdServiceDocuments::resultList(const kwdSampleCity& city, kwdListingFilter::Category category,
                                           const kwdListingFilter::Page& page, const QString& recordTag) const
{
    QByteArray out;
    QXmlStreamWriter w(&out);
    const QString type = typeOf(category);
    begin(w, type, page.total, page.skip);
    const QString tag = recordTag.isEmpty() ? type : recordTag;
    for (int i = 0; i < page.indexes.size(); ++i) {
        const int index = page.indexes[i];
        const double distance = page.distances.value(i, -1);
        switch (category) {
        case kwdListingFilter::Sales:
        case kwdListingFilter::Leases:
            writeListing(w, city, city.listings(category == kwdListingFilter::Leases)[index], false, distance,
                         tag);
            break;
        case kwdListingFilter::HousingAreas:
            writeHousingArea(w, city, index, false, distance, tag);
            break;
        case kwdListingFilter::Agencies:
            writeAgency(w, city, index, false);
            break;
        }
    }
    end(w);
    return out;
}

QByteArray kwdServiceDocuments::listingDetail(const kwdSampleCity& city, bool lease, int index) const
{
    const QString type = lease ? QStringLiteral("lease") : QStringLiteral("forsale");
    if (index < 0)
        return emptyResultList(type);
    QByteArray out;
    QXmlStreamWriter w(&out);
    begin(w, type, 1, 1);
    writeListing(w, city, city.listings(lease)[index], true, -1, type);
    end(w);
    return out;
}

QByteArray kwdServiceDocuments::housingAreaDetail(const kwdSampleCity& city, int index) const
{
    if (index < 0)
        return emptyResultList(QStringLiteral("ha"));
    QByteArray out;
    QXmlStreamWriter w(&out);
    begin(w, QStringLiteral("ha"), 1, 1);
    writeHousingArea(w, city, index, true, -1, QStringLiteral("ha"));
    end(w);
    return out;
}

QByteArray kwdServiceDocuments::agencyDetail(const kwdSampleCity& city, int index) const
{
    if (index < 0)
        return emptyResultList(QStringLiteral("co"));
    QByteArray out;
    QXmlStreamWriter w(&out);
    begin(w, QStringLiteral("co"), 1, 1);
    writeAgency(w, city, index, true);
    end(w);
    return out;
}

QByteArray kwdServiceDocuments::districtDetail(const kwdSampleCity& city, int index) const
{
    if (index < 0)
        return emptyResultList(QStringLiteral("district"));
    const kwdSampleDistrict& d = city.districts[index];
    int sales = 0, leases = 0;
    for (const kwdSampleListing& l : city.sales)
        sales += l.district == index;
    for (const kwdSampleListing& l : city.leases)
        leases += l.district == index;
    QByteArray out;
    QXmlStreamWriter w(&out);
    begin(w, QStringLiteral("district"), 1, 1);
    w.writeStartElement(QStringLiteral("district"));
    writeCommon(w, city, QStringLiteral("district"), d.code, d.name, d.latitude, d.longitude, d.images,
                QString(), 0);
    w.writeTextElement(
        QStringLiteral("detail"),
        QStringLiteral(
            "%1是%2的%3，区内交通便利，商业、教育和医疗资源丰富。目前在售二手房%4套，出租房源%5套，"
            "二手房均价约%6元/平米。")
            .arg(d.name, city.profile.name,
                 index == 0 ? QStringLiteral("中心城区") : QStringLiteral("重要城区之一"))
            .arg(sales)
            .arg(leases)
            .arg(grouped(d.salePrice, 0)));
    w.writeTextElement(QStringLiteral("price"), grouped(d.salePrice, 0));
    w.writeTextElement(QStringLiteral("leaseprice"), grouped(d.leasePrice, 2));
    w.writeTextElement(QStringLiteral("marketf"), QString::number(sales));
    w.writeTextElement(QStringLiteral("marketl"), QString::number(leases));
    w.writeEndElement();
    end(w);
    return out;
}

QByteArray kwdServiceDocuments::streetDetail(const kwdSampleCity& city, int index) const
{
    if (index < 0)
        return emptyResultList(QStringLiteral("street"));
    const kwdSampleStreet& s = city.streets[index];
    QStringList crossed;
    for (int d : s.crossedDistricts)
        crossed.append(city.districts[d].name);
    QStringList names;
    for (int h : s.housingAreas)
        names.append(city.housingAreas[h].name);
    QByteArray out;
    QXmlStreamWriter w(&out);
    begin(w, QStringLiteral("street"), 1, 1);
    w.writeStartElement(QStringLiteral("street"));
    writeCommon(w, city, QStringLiteral("street"), s.id, s.name, s.latitude, s.longitude, s.images, QString(),
                0);
    w.writeTextElement(QStringLiteral("streetname"), s.name);
    QString text = QStringLiteral("%1位于%2，全长约%3米，路宽%4米，是区内重要的交通干道。")
                       .arg(s.name, crossed.join(QStringLiteral("、")))
                       .arg(s.length)
                       .arg(s.width);
    if (!names.isEmpty())
        text += QStringLiteral("沿线有%1等小区。").arg(names.mid(0, 3).join(QStringLiteral("、")));
    w.writeTextElement(QStringLiteral("detail"), text);
    w.writeTextElement(QStringLiteral("streetrange"), crossed.join(QStringLiteral("、")));
    w.writeTextElement(QStringLiteral("pointfrom"), s.from);
    w.writeTextElement(QStringLiteral("pointto"), s.to);
    w.writeTextElement(QStringLiteral("streetwidth"), QString::number(s.width));
    w.writeTextElement(QStringLiteral("streetlength"), QString::number(s.length));
    w.writeTextElement(QStringLiteral("updatetime"), s.updated.toString(QStringLiteral("yyyy-MM-dd")));
    w.writeStartElement(QStringLiteral("relateha"));
    for (int h : s.housingAreas)
        writeHousingArea(w, city, h, false, -1, QStringLiteral("ha"));
    w.writeEndElement();
    w.writeEndElement();
    end(w);
    return out;
}

QByteArray kwdServiceDocuments::imageList(const kwdSampleCity& city, const QString& kind, const QString& id,
                                          int count) const
{
    QByteArray out;
    QXmlStreamWriter w(&out);
    begin(w, QStringLiteral("images"), count, 1);
    for (int n = 1; n <= count; ++n) {
        w.writeStartElement(QStringLiteral("items"));
        item(w, QStringLiteral("small"), pictureUrl(city.profile.code, kind, id, n, false));
        item(w, QStringLiteral("big"), pictureUrl(city.profile.code, kind, id, n, true));
        w.writeEndElement();
    }
    end(w);
    return out;
}

QByteArray kwdServiceDocuments::update(int build, const QString& version, const QString& time,
                                       const QString& url)
{
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.setAutoFormatting(true);
    w.writeStartDocument();
    w.writeStartElement(QStringLiteral("kwdupdate"));
    w.writeStartElement(QStringLiteral("kwd"));
    w.writeTextElement(QStringLiteral("build"), QString::number(build));
    w.writeTextElement(QStringLiteral("version"), version);
    w.writeTextElement(QStringLiteral("updatetime"), time);
    w.writeTextElement(QStringLiteral("updateurl"), url);
    w.writeEndElement();
    w.writeEndElement();
    w.writeEndDocument();
    return out;
}

QByteArray kwdServiceDocuments::notice(const QString& ishave, const QString& link)
{
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.setAutoFormatting(true);
    w.writeStartDocument();
    // "resultlist" is the document element: readers take it as the document's first child.
    w.writeStartElement(QStringLiteral("resultlist"));
    w.writeTextElement(QStringLiteral("ishave"), ishave);
    w.writeTextElement(QStringLiteral("noticelink"), link);
    w.writeEndElement();
    w.writeEndDocument();
    return out;
}

QByteArray kwdServiceDocuments::prize(const QString& status, const QString& code, const QString& prize,
                                      const QString& claimed)
{
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.setAutoFormatting(true);
    w.writeStartDocument();
    w.writeStartElement(QStringLiteral("resultlist"));
    if (!status.isEmpty())
        w.writeAttribute(QStringLiteral("status"), status);
    w.writeStartElement(QStringLiteral("prize"));
    w.writeTextElement(QStringLiteral("key"), code);
    w.writeTextElement(QStringLiteral("prizetype"), prize);
    w.writeTextElement(QStringLiteral("prizeflag"), claimed);
    w.writeEndElement();
    w.writeEndElement();
    w.writeEndDocument();
    return out;
}

QByteArray kwdServiceDocuments::counts(const QString& code, int today, int week)
{
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.setAutoFormatting(true);
    w.writeStartDocument();
    w.writeStartElement(QStringLiteral("resultlist"));
    w.writeStartElement(QStringLiteral("view"));
    w.writeTextElement(QStringLiteral("key"), code);
    w.writeTextElement(QStringLiteral("todayview"), QString::number(today));
    w.writeTextElement(QStringLiteral("weekview"), QString::number(week));
    w.writeEndElement();
    w.writeEndElement();
    w.writeEndDocument();
    return out;
}

QByteArray kwdServiceDocuments::geocode(const QString& city, const QString& district, const QString& street,
                                        const QString& number)
{
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.setAutoFormatting(true);
    w.writeStartDocument();
    w.writeStartElement(QStringLiteral("places"));
    w.writeStartElement(QStringLiteral("place"));
    w.writeStartElement(QStringLiteral("address"));
    w.writeTextElement(QStringLiteral("city"), city);
    w.writeTextElement(QStringLiteral("district"), district);
    w.writeEndElement();
    w.writeStartElement(QStringLiteral("thoroughfare"));
    w.writeTextElement(QStringLiteral("name"), street);
    w.writeTextElement(QStringLiteral("number"), number);
    w.writeEndElement();
    w.writeEndElement();
    w.writeEndElement();
    w.writeEndDocument();
    return out;
}

QByteArray kwdServiceDocuments::noPlace()
{
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.writeStartDocument();
    w.writeEmptyElement(QStringLiteral("places"));
    w.writeEndDocument();
    return out;
}
