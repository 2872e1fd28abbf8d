#include "international.h"

#include <QCoreApplication>

namespace {

// Index order is the contract with every caller: never reorder or insert.
const char* const kSource[international::Count] = {
    QT_TRANSLATE_NOOP("international", "(tu)"),
    QT_TRANSLATE_NOOP("international", "Phone: "),
    QT_TRANSLATE_NOOP("international", "Click To Contact Me"),
    QT_TRANSLATE_NOOP("international", "address"),
    QT_TRANSLATE_NOOP("international", "Service Area"),
    QT_TRANSLATE_NOOP("international", "phone:"),
    QT_TRANSLATE_NOOP("international", "Detail"),
    QT_TRANSLATE_NOOP("international", "Average Sale price"),
    QT_TRANSLATE_NOOP("international", "yuan/m2"),
    QT_TRANSLATE_NOOP("international", "Average Lease price"),
    QT_TRANSLATE_NOOP("international", "yuan/yue/m2"),
    QT_TRANSLATE_NOOP("international", "Relate HA"),
    QT_TRANSLATE_NOOP("international", "Kua yue qu yu:"),
    QT_TRANSLATE_NOOP("international", "qi dian:"),
    QT_TRANSLATE_NOOP("international", "zhong dian:"),
    QT_TRANSLATE_NOOP("international", "jie dao kuan du:"),
    QT_TRANSLATE_NOOP("international", "jie dao chang du:"),
    QT_TRANSLATE_NOOP("international", "geng xin shi dian:"),
    QT_TRANSLATE_NOOP("international", "m"),
    QT_TRANSLATE_NOOP("international", "relate ha"),
    QT_TRANSLATE_NOOP("international", "detail"),
    QT_TRANSLATE_NOOP("international", "secs"),
    QT_TRANSLATE_NOOP("international", "before"),
    QT_TRANSLATE_NOOP("international", "mins"),
    QT_TRANSLATE_NOOP("international", "hours"),
    QT_TRANSLATE_NOOP("international", "days"),
    QT_TRANSLATE_NOOP("international", " %1 yuan/yue"),
    QT_TRANSLATE_NOOP("international", " %1 m2"),
    QT_TRANSLATE_NOOP("international", "Jia ge qu shi:"),
    QT_TRANSLATE_NOOP("international", "yuan/yue"),
    QT_TRANSLATE_NOOP("international", "HA Space Holder"),
    QT_TRANSLATE_NOOP("international", "m2"),
    QT_TRANSLATE_NOOP("international", "lou"),
    QT_TRANSLATE_NOOP("international", "id: "),
    QT_TRANSLATE_NOOP("international", "PageView:"),
    QT_TRANSLATE_NOOP("international", "Zu Jin:"),
    QT_TRANSLATE_NOOP("international", "Mian Ji:"),
    QT_TRANSLATE_NOOP("international", "Dan Jia:"),
    QT_TRANSLATE_NOOP("international", "yuan/m2/yue"),
    QT_TRANSLATE_NOOP("international", "HaName:"),
    QT_TRANSLATE_NOOP("international", "District:"),
    QT_TRANSLATE_NOOP("international", "Address:"),
    QT_TRANSLATE_NOOP("international", "Floor:"),
    QT_TRANSLATE_NOOP("international", "Publish Time:"),
    QT_TRANSLATE_NOOP("international", "Pin Jue Fang Jia:"),
    QT_TRANSLATE_NOOP("international", "Fang Jia:"),
    QT_TRANSLATE_NOOP("international", "Zu Jia:"),
    QT_TRANSLATE_NOOP("international", "Pin Jun Fang Jia:"),
    QT_TRANSLATE_NOOP("international", "Fang Jia Qu Shi:"),
    QT_TRANSLATE_NOOP("international", "Pin Jun Zu Jin:"),
    QT_TRANSLATE_NOOP("international", "Zu Jin qu shi:"),
    QT_TRANSLATE_NOOP("international", "Search more Sale"),
    QT_TRANSLATE_NOOP("international", "Search more Lease"),
    QT_TRANSLATE_NOOP("international", "4 han zi space"),
    QT_TRANSLATE_NOOP("international", " %1 wanyuan"),
    QT_TRANSLATE_NOOP("international", "wanyuan"),
    QT_TRANSLATE_NOOP("international", "Zong jia:"),
    QT_TRANSLATE_NOOP("international", "(%1)Tao"),
    QT_TRANSLATE_NOOP("international", "tui song sale"),
    QT_TRANSLATE_NOOP("international", "tui song lease"),
};

} // namespace

international* international::instance()
{
    // Built at first use, after start-up has installed the catalogue.
    static international table;
    return &table;
}

international::international() : QObject(nullptr)
{
    labels.reserve(Count);
    for (const char* source : kSource)
        labels.append(QCoreApplication::translate("international", source));
}

const QString& international::label(int index) const
{
    static const QString none;
    return index >= 0 && index < labels.size() ? labels.at(index) : none;
}

QString international::sourceText(int index)
{
    return index >= 0 && index < Count ? QString::fromLatin1(kSource[index]) : QString();
}
