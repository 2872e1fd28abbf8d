#include "kwdlisting.h"

#include "kwdnumberinput.h"

#include <QRegularExpression>
#include <QUrl>

namespace {
// Titles are Chinese as often as not: word characters are Unicode letters and digits, as the service
// counts them.
const QRegularExpression& badTitle()
{
    static const QRegularExpression re(QStringLiteral("\\d{7,}|\\W"),
                                       QRegularExpression::UseUnicodePropertiesOption);
    return re;
}
} // namespace

kwdListing::Failure kwdListing::validate() const
{
    auto fail = [](Field f, const QString& message = QString()) {
        Failure r;
        r.field = f;
        r.message = message;
        return r;
    };
    if (district.isEmpty())
        return fail(District, tr("please district"));
    if (title.isEmpty())
        return fail(Title, tr("please house source"));
    if (housingArea.isEmpty())
        return fail(HousingArea, tr("please lifearea"));
    if (road.isEmpty())
        return fail(Road, tr("please road"));
    if (door.isEmpty())
        return fail(Door, tr("please door"));
    const QPair<Field, const QString*> decimals[] = {{Price, &price}, {Area, &area}};
    for (const auto& d : decimals) {
        if (d.second->isEmpty())
            return fail(d.first);
        if (!kwdNumberInput::isNumber(*d.second, kwdNumberInput::Decimal))
            return fail(d.first, tr("is not number"));
    }
    const QPair<Field, const QString*> integers[] = {
        {Room, &room}, {Hall, &hall}, {Toilet, &toilet}, {Floor, &floor}, {TotalFloors, &totalFloors}};
    for (const auto& n : integers) {
        if (n.second->isEmpty())
            return fail(n.first);
        if (!kwdNumberInput::isNumber(*n.second, kwdNumberInput::Whole))
            return fail(n.first, tr("is not number"));
    }
    if (title.size() < 5 || title.size() > 20)
        return fail(Title, tr("house source"));
    if (title.contains(badTitle()))
        return fail(Title, tr("house source"));
    return Failure();
}

QString kwdListing::propType(int typeIndex)
{
    return typeIndex == 0   ? QStringLiteral("11")
           : typeIndex == 1 ? QStringLiteral("21")
                            : QStringLiteral("22");
}

QString kwdListing::face(int faceIndex)
{
    // The form lists south, south-north, east, ...; the service numbers south-north last.
    static const char* codes[] = {"1", "10", "2", "3", "4", "5", "6", "7", "8", "9"};
    return QLatin1String(codes[qBound(0, faceIndex, 9)]);
}

QList<QPair<QString, QString>> kwdListing::items() const
{
    QList<QPair<QString, QString>> r = {
        {QStringLiteral("param"), lease ? QStringLiteral("lease") : QStringLiteral("forsale")},
        {QStringLiteral("uid"), uid},
        {QStringLiteral("pwd"), pwd},
        {QStringLiteral("dist_code"), districtCode},
        {QStringLiteral("headline"), title},
        {QStringLiteral("haname"), housingArea},
        {QStringLiteral("street_name"), road},
        {QStringLiteral("stno"), door},
        {QStringLiteral("proptype"), propType(typeIndex)},
        {QStringLiteral("price"), price},
        {QStringLiteral("u"), unit},
        {QStringLiteral("bldgarea"), area},
        {QStringLiteral("br"), room},
        {QStringLiteral("lr"), hall},
        {QStringLiteral("ba"), toilet},
        {QStringLiteral("floor"), floor},
        {QStringLiteral("bheight"), totalFloors},
        {QStringLiteral("face"), face(faceIndex)},
    };
    if (lease) {
        const char* how = letting == Whole ? "zhengzu" : letting == Shared ? "hezu" : "zhuanzu";
        r.append({QStringLiteral("chummage"), QLatin1String(how)});
    }
    if (!note.isEmpty())
        r.append({QStringLiteral("note"), note});
    return r;
}

QByteArray kwdListing::formEncode(const QList<QPair<QString, QString>>& items)
{
    QByteArray body;
    for (const auto& item : items) {
        if (!body.isEmpty())
            body += '&';
        body += QUrl::toPercentEncoding(item.first) + '=' + QUrl::toPercentEncoding(item.second);
    }
    return body;
}

QByteArray kwdListing::formBody() const
{
    return formEncode(items());
}
