#include "kwdnewhousecondition.h"

#include "kwdfinder.h"
#include "kwdmessage.h"
#include "kwdnetworkerror.h"
#include "kwdnumberinput.h"
#include "kwdshowwait.h"
#include "kwdstore.h"
#include "qvmhttpholder.h"
#include "qvmwidgetsegement.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDomDocument>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// "coxtype" positions 1 to 3 as the list query's property codes (residential, office, shop).
const char* const propertyCodes[] = {"11", "21", "22"};
const QString invalidStyle = QStringLiteral("QLineEdit { background: red }");
const QString validStyle = QStringLiteral("QLineEdit { background: white }");

void fillRange(const QString& range, QLineEdit* low, QLineEdit* high)
{
    if (range.isEmpty()) {
        low->clear();
        high->clear();
        return;
    }
    const int dash = range.indexOf(QLatin1Char('-'));
    low->setText(dash < 0 ? range : range.left(dash));
    high->setText(dash < 0 ? QString() : range.mid(dash + 1));
}

QLabel* caption(QWidget* parent, const char* name, const QString& text)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    return l;
}

template <typename T> T* named(T* w, const char* name)
{
    w->setObjectName(QLatin1String(name));
    return w;
}
} // namespace

kwdNewHouseCondition::kwdNewHouseCondition(QWidget* parent) : QWidget(parent)
{
    buildForm();
    connect(widSegement, &qvmWidgetSegement::valueChanged, this, &kwdNewHouseCondition::onValueChanged);
    connect(btnok1, &QPushButton::clicked, this, &kwdNewHouseCondition::onBtnOk);
    connect(btncancel, &QPushButton::clicked, this, &kwdNewHouseCondition::onBtnCancel);
    connect(coxdis, &QComboBox::highlighted, this, &kwdNewHouseCondition::onDistrictPopup);
    kwdNumberInput::install(kwdNumberInput::Whole, {pricestart, priceend, areastart, areaend});
    fill();
    refresh();
}

void kwdNewHouseCondition::buildForm()
{
    setObjectName(QStringLiteral("kwdNewHouseCondition"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);

    widSegement = named(new qvmWidgetSegement(this), "widSegement");
    widSegement->addSegment(tr("Sale"));
    widSegement->addSegment(tr("Lease"));
    widSegement->setValue(0);
    layout->addWidget(widSegement);

    auto* frame = named(new QFrame(this), "frame");
    frame->setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setVerticalSpacing(6);
    int r = 0;
    const auto line = [&](QLabel* label, QWidget* input) {
        grid->addWidget(label, r, 0);
        grid->addWidget(input, r++, 1, 1, 4);
    };
    const auto range = [&](QLabel* label, QLineEdit* low, const char* dashName, QLineEdit* high,
                           QLabel* unit) {
        grid->addWidget(label, r, 0);
        grid->addWidget(low, r, 1);
        grid->addWidget(caption(frame, dashName, QStringLiteral("_")), r, 2);
        grid->addWidget(high, r, 3);
        grid->addWidget(unit, r++, 4);
    };

    coxtype = named(new QComboBox(frame), "coxtype");
    line(caption(frame, "label", tr("类型：　　")), coxtype);
    lblprice = caption(frame, "lblprice", tr("总价：　　"));
    pricestart = named(new QLineEdit(frame), "pricestart");
    priceend = named(new QLineEdit(frame), "priceend");
    priceunit = caption(frame, "priceunit", tr("(万元)"));
    range(lblprice, pricestart, "label_14", priceend, priceunit);
    areastart = named(new QLineEdit(frame), "areastart");
    areaend = named(new QLineEdit(frame), "areaend");
    range(caption(frame, "label_5", tr("面积：　　")), areastart, "label_6", areaend,
          caption(frame, "areaunit", tr("(平米)")));
    coxroomtype = named(new QComboBox(frame), "coxroomtype");
    line(caption(frame, "label_2", tr("户型：　　")), coxroomtype);
    coxresoure = named(new QComboBox(frame), "coxresoure");
    line(caption(frame, "label_9", tr("来源：　　")), coxresoure);
    coxdis = named(new QComboBox(frame), "coxdis");
    line(caption(frame, "wwwww", tr("区域：　　")), coxdis);
    editSearch = named(new QLineEdit(frame), "editSearch");
    editSearch->setPlaceholderText(tr("key word"));
    line(caption(frame, "label_11", tr("关键字：　")), editSearch);
    coxtime = named(new QComboBox(frame), "coxtime");
    line(caption(frame, "label_12", tr("推荐时间：")), coxtime);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    for (QLineEdit* e : {pricestart, priceend, areastart, areaend})
        e->setMinimumWidth(40);
    layout->addWidget(frame);

    auto* buttons = new QHBoxLayout;
    btnok1 = named(new QPushButton(tr("　定制　"), this), "btnok1");
    btncancel = named(new QPushButton(tr("取消定制"), this), "btncancel");
    buttons->addWidget(btnok1);
    buttons->addWidget(btncancel);
    layout->addLayout(buttons);
    layout->addStretch(1);
}

kwdFinder* kwdNewHouseCondition::record() const
{
    return kwdStore::instance()->currentNewHouseFinder;
}

QString kwdNewHouseCondition::propertyCode(int index)
{
    return index > 0 && index <= int(std::size(propertyCodes)) ? QLatin1String(propertyCodes[index - 1])
                                                               : QString();
}

int kwdNewHouseCondition::propertyIndex(const QString& code)
{
    for (int i = 0; i < int(std::size(propertyCodes)); ++i) {
        if (code == QLatin1String(propertyCodes[i]))
            return i + 1;
    }
    return 0;
}

QString kwdNewHouseCondition::rangeText(int low, int high)
{
    if (low == 0 && high == 0)
        return QString();
    if (high != 0)
        return QStringLiteral("%1-%2").arg(low).arg(high);
    return QStringLiteral("%1-").arg(low);
}

void kwdNewHouseCondition::fillDistricts(const QString& first)
{
    coxdis->clear();
    coxdis->addItem(first);
    const kwdFinder* push = record();
    if (!push)
        return;
    kwdStore* store = kwdStore::instance();
    const auto* info = store->cityInfoOf(store->cityCode(push->field(kwdFinder::City)));
    if (info && !info->isEmpty()) {
        for (const kwdNameCode& d : info->first())
            coxdis->addItem(d.name);
    }
}

void kwdNewHouseCondition::fill()
{
    fillDistricts(tr("select"));
    coxdis->setCurrentIndex(0);
    coxtype->clear();
    coxtype->addItems({tr("buxian"), tr("room"), tr("hall"), tr("shop")});
    coxroomtype->clear();
    coxroomtype->addItems(
        {tr("buxian"), tr("1 shi"), tr("2 shi"), tr("3 shi"), tr("3 shi +"), tr("bie shu")});
    coxresoure->clear();
    coxresoure->addItems({tr("UnSpecified"), tr("Personal"), tr("Intermediary"), tr("Developer")});
    coxtime->clear();
    coxtime->addItems({tr("5fen"), tr("10fen"), tr("30fen")});
    // A district can only be chosen from the city's information: fetch it as soon as the user sees
    // the form rather than leave an empty list.
    if (isVisible() && coxdis->count() < 2)
        requestDistricts();
}

void kwdNewHouseCondition::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (coxdis->count() < 2)
        requestDistricts();
}

void kwdNewHouseCondition::selectDistrict()
{
    const kwdFinder* push = record();
    const QString district = push ? push->field(kwdFinder::District) : QString();
    const int at =
        district.isEmpty() ? 0 : coxdis->findText(district, Qt::MatchExactly | Qt::MatchCaseSensitive);
    coxdis->setCurrentIndex(qMax(0, at));
}

void kwdNewHouseCondition::refresh()
{
    resetMarks();
    const kwdFinder* push = record();
    if (!push)
        return;
    // The form shows the kind the user subscribed to: pressing "subscribe" again must not turn a
    // lease subscription into a sale one.
    if (push->category == 2 || push->category == 3)
        widSegement->setValue(push->category == 3 ? 1 : 0);
    onValueChanged(widSegement->value());
    selectDistrict();
    coxtype->setCurrentIndex(propertyIndex(push->field(kwdFinder::PropType)));
    fillRange(push->field(kwdFinder::AreaSize), areastart, areaend);
    const auto select = [push](QComboBox* box, int key) {
        const int i = push->field(key).toInt();
        box->setCurrentIndex(i >= 0 && i < box->count() ? i : 0);
    };
    select(coxroomtype, kwdFinder::RoomType);
    select(coxresoure, kwdFinder::Source);
    editSearch->setText(push->field(kwdFinder::Keyword));
    select(coxtime, kwdFinder::PushInterval);
}

void kwdNewHouseCondition::showPrices()
{
    const kwdFinder* push = record();
    if (push)
        fillRange(push->field(widSegement->value() == 0 ? kwdFinder::PriceSale : kwdFinder::PriceLease),
                  pricestart, priceend);
}

void kwdNewHouseCondition::onValueChanged(int i)
{
    if (i != 0) {
        lblprice->setText(tr("dan jia:"));
        priceunit->setText(tr("yuan"));
    } else {
        lblprice->setText(tr("zong jia:"));
        priceunit->setText(tr("wanyuan"));
    }
    // Sale and lease prices are kept apart and in other units: show the one of this segment.
    showPrices();
}

void kwdNewHouseCondition::requestDistricts()
{
    const kwdFinder* push = record();
    qvmHttpHolder* holder = qvmHttpHolder::instance();
    if (requestId != 0 || !push || !holder)
        return;
    kwdStore* store = kwdStore::instance();
    districtCity = store->cityCode(push->field(kwdFinder::City));
    if (districtCity.isEmpty())
        return;
    requestId = holder->get(
        QStringLiteral("http://%1.%2").arg(districtCity, store->config(kwdStore::urlCityInfo).toString()),
        this);
    kwdShowWait* wait = kwdShowWait::instance();
    if (requestId != 0 && wait) {
        QWidget* host = wait->parentWidget();
        const QPoint below = coxdis->mapToGlobal(QPoint(0, coxdis->height()));
        wait->showAt(host ? host->mapFromGlobal(below).y() : below.y());
    }
}

void kwdNewHouseCondition::onDistrictPopup(int i)
{
    if (i == 0 && coxdis->count() < 2 && requestId == 0)
        requestDistricts();
}

void kwdNewHouseCondition::onHttpResponse(int id, int err)
{
    qvmHttpHolder* holder = qvmHttpHolder::instance();
    if (id == 0 || id != requestId) {
        if (holder)
            holder->remove(id);
        return;
    }
    if (kwdShowWait* wait = kwdShowWait::instance())
        wait->stop();
    requestId = 0;
    const qvmHttpRequest* req = holder ? holder->request(id) : nullptr;
    if (err != 0 || !req) {
        kwdMessage::information(tr("error"),
                                req ? kwdNetworkError::describe(req) : QStringLiteral("Unknown"));
    } else {
        QDomDocument doc;
        if (req->body && doc.setContent(QString::fromUtf8(*req->body)))
            kwdStore::instance()->parseCityInfo(doc, districtCity);
        const bool open = coxdis->view()->isVisible();
        coxdis->hidePopup();
        fillDistricts(tr("UnSpecified"));
        selectDistrict();
        // Reopening a list that is still empty would highlight its only entry and ask again, forever.
        if (open && coxdis->count() > 1)
            coxdis->showPopup();
    }
    if (holder)
        holder->remove(id);
}

void kwdNewHouseCondition::markInvalid(QLineEdit* edit)
{
    edit->setStyleSheet(invalidStyle);
    edit->setFocus();
}

void kwdNewHouseCondition::resetMarks()
{
    for (QLineEdit* e : {pricestart, priceend, areastart, areaend, editSearch})
        e->setStyleSheet(validStyle);
}

void kwdNewHouseCondition::onBtnOk()
{
    kwdFinder* push = record();
    if (!push)
        return;
    resetMarks();
    if (coxdis->currentIndex() <= 0 && coxtype->currentIndex() <= 0 && coxroomtype->currentIndex() <= 0 &&
        coxresoure->currentIndex() <= 0 && pricestart->text().isEmpty() && areastart->text().isEmpty() &&
        editSearch->text().isEmpty()) {
        kwdMessage::information(tr("Error"), tr("Not all are empty"));
        return;
    }
    const bool lease = widSegement->value() == 1;
    int priceLow = 0, priceHigh = 0, areaLow = 0, areaHigh = 0;
    QLineEdit* bad = nullptr;
    if (!kwdNumberInput::readRange(pricestart, priceend, &priceLow, &priceHigh, &bad)) {
        markInvalid(bad);
        kwdMessage::information(tr("Error"), tr("Not a valid Price"));
        return;
    }
    if (!kwdNumberInput::readRange(areastart, areaend, &areaLow, &areaHigh, &bad)) {
        markInvalid(bad);
        kwdMessage::information(tr("Error"), tr("Not a valid Area"));
        return;
    }
    // Only a valid form changes the record.
    push->category = lease ? 3 : 2;
    kwdFinder* current = kwdStore::instance()->currentFinder;
    if (current && current->category == -1)
        current->category = push->category;
    push->setField(kwdFinder::District, coxdis->currentIndex() > 0 ? coxdis->currentText() : QString());
    // The list query sends the property type as a code from field 10; a display text would narrow
    // nothing.
    push->setField(kwdFinder::HaClass, QString());
    push->setField(kwdFinder::PropType, propertyCode(coxtype->currentIndex()));
    push->setField(lease ? kwdFinder::PriceLease : kwdFinder::PriceSale, rangeText(priceLow, priceHigh));
    push->setField(kwdFinder::AreaSize, rangeText(areaLow, areaHigh));
    push->setField(kwdFinder::RoomType, QString::number(qMax(0, coxroomtype->currentIndex())));
    push->setField(kwdFinder::Source, QString::number(qMax(0, coxresoure->currentIndex())));
    push->setField(kwdFinder::Keyword, editSearch->text().trimmed());
    push->setField(kwdFinder::PushInterval, QString::number(qMax(0, coxtime->currentIndex())));
    push->setField(kwdFinder::PushFlag, QStringLiteral("1"));
    kwdMessage::information(tr("ok"), tr("ding zhi ok"));
    finish();
}

void kwdNewHouseCondition::onBtnCancel()
{
    kwdFinder* push = record();
    if (!push)
        return;
    push->setField(kwdFinder::PushFlag, QStringLiteral("0"));
    kwdMessage::information(tr("ok"), tr("qu xiao ding zhi ok"));
    finish();
}

void kwdNewHouseCondition::finish()
{
    // The main window is reached by name, as the other pages reach its slots.
    QWidget* top = window();
    if (top && top != this && top->metaObject()->indexOfMethod("check_newhouse()") >= 0)
        QMetaObject::invokeMethod(top, "check_newhouse");
    Q_EMIT back();
}
