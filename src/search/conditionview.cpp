#include "conditionview.h"

#include "kwdchooseha.h"
#include "kwdfinder.h"
#include "kwdmessage.h"
#include "kwdnetworkerror.h"
#include "kwdnumberinput.h"
#include "kwdqueryvalue.h"
#include "kwdshowwait.h"
#include "kwdstore.h"
#include "qvmhttpholder.h"
#include "qvmwidgetsegement.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDomDocument>
#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QInputMethod>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct NameCode
{
    const char* name;
    const char* code;
};

const NameCode haClasses[] = {
    {QT_TRANSLATE_NOOP("ConditionView", "XiaoQu"), "pa"},
    {QT_TRANSLATE_NOOP("ConditionView", "Shang Ye"), "sa"},
    {QT_TRANSLATE_NOOP("ConditionView", "Yi Liao"), "hp"},
    {QT_TRANSLATE_NOOP("ConditionView", "Jiao Yu"), "ed"},
    {QT_TRANSLATE_NOOP("ConditionView", "Bin Guan"), "ht"},
    {QT_TRANSLATE_NOOP("ConditionView", "Can Yin Yu Le"), "rg"},
    {QT_TRANSLATE_NOOP("ConditionView", "Gong Gong Chang Suo"), "gz"},
    {QT_TRANSLATE_NOOP("ConditionView", "Zhan Chang Ma Tou"), "cz"},
    {QT_TRANSLATE_NOOP("ConditionView", "Fu Wu"), "se"},
    {QT_TRANSLATE_NOOP("ConditionView", "Di Ming"), "dm"},
    {QT_TRANSLATE_NOOP("ConditionView", "Qi Ta"), "ot"},
};

const NameCode propTypes[] = {
    {QT_TRANSLATE_NOOP("ConditionView", "Zhu Zhai"), "11"},
    {QT_TRANSLATE_NOOP("ConditionView", "Shang Pu"), "22"},
    {QT_TRANSLATE_NOOP("ConditionView", "Xie Zi Lou"), "21"},
};

const char* const roomTypes[] = {
    QT_TRANSLATE_NOOP("ConditionView", "1 shi"),   QT_TRANSLATE_NOOP("ConditionView", "2 shi"),
    QT_TRANSLATE_NOOP("ConditionView", "3 shi"),   QT_TRANSLATE_NOOP("ConditionView", "3 shi +"),
    QT_TRANSLATE_NOOP("ConditionView", "bie shu"),
};

const char* const sources[] = {
    QT_TRANSLATE_NOOP("ConditionView", "Personal"),
    QT_TRANSLATE_NOOP("ConditionView", "Intermediary"),
    QT_TRANSLATE_NOOP("ConditionView", "Developer"),
};

const char* const haSorts[] = {
    QT_TRANSLATE_NOOP("ConditionView", "Default"),
    QT_TRANSLATE_NOOP("ConditionView", "Pin Jun Shou Jia(up)"),
    QT_TRANSLATE_NOOP("ConditionView", "Pin Jun Shou Jia(down)"),
};
const char* const haSortValues[] = {"", "p1", "p2"};

const char* const houseSorts[] = {
    QT_TRANSLATE_NOOP("ConditionView", "Default(Update time)"),
    QT_TRANSLATE_NOOP("ConditionView", "Mian Ji(down)"),
    QT_TRANSLATE_NOOP("ConditionView", "Mian Ji(up)"),
    QT_TRANSLATE_NOOP("ConditionView", "Dan Jia(down)"),
    QT_TRANSLATE_NOOP("ConditionView", "Dan Jia(up)"),
    QT_TRANSLATE_NOOP("ConditionView", "Zong Jia(down)"),
    QT_TRANSLATE_NOOP("ConditionView", "Zong Jia(up)"),
    QT_TRANSLATE_NOOP("ConditionView", "Fa bu shi jian"),
};
const char* const houseSortValues[] = {"", "2", "3", "4", "5", "6", "7", "9"};

QString caption(const char* text)
{
    return QCoreApplication::translate("qvmSetConditionClass", text);
}

QString rangeText(int low, int high)
{
    if (high != 0)
        return QStringLiteral("%1-%2").arg(low).arg(high);
    if (low != 0)
        return QStringLiteral("%1-").arg(low);
    return QString();
}

// Fills two edits from a stored "low-high" range; either bound may be missing.
void fillRange(const QString& range, QLineEdit* low, QLineEdit* high)
{
    const QStringList parts = range.split(QLatin1Char('-'));
    if (range.isEmpty() || parts.size() > 2) {
        low->clear();
        high->clear();
        return;
    }
    low->setText(parts.at(0));
    high->setText(parts.value(1));
}

QWidget* row(QWidget* parent, const char* name, QLabel** label, const char* labelName, const QString& text)
{
    auto* w = new QWidget(parent);
    w->setObjectName(QLatin1String(name));
    auto* l = new QHBoxLayout(w);
    l->setContentsMargins(0, 2, 0, 2);
    auto* lbl = new QLabel(text, w);
    lbl->setObjectName(QLatin1String(labelName));
    // Captions share one width so that the inputs line up.
    lbl->setMinimumWidth(lbl->fontMetrics().horizontalAdvance(QStringLiteral("关键字：")));
    l->addWidget(lbl);
    if (label)
        *label = lbl;
    return w;
}

template <typename T> T* add(QWidget* row, T* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    static_cast<QHBoxLayout*>(row->layout())->addWidget(widget, 1);
    return widget;
}

} // namespace

ConditionView::ConditionView(QWidget* parent) : QWidget(parent)
{
    buildForm();

    connect(cboDistrict, &QComboBox::highlighted, this, &ConditionView::onDistrictPopup);
    connect(chooseHA, &kwdChooseHA::HASelected, this, &ConditionView::onHASelected);
    connect(chkOnlyPlace, &QCheckBox::toggled, this, &ConditionView::onChkPlacerange);
    connect(segAreaType, &qvmWidgetSegement::valueChanged, this, &ConditionView::onAreaTypeChange);
    QMetaObject::connectSlotsByName(this);

    for (QLineEdit* edit : {editSearch, editprice1, editprice2, editarea1, editarea2, editPlaceName})
        edit->installEventFilter(this);
    kwdNumberInput::install(kwdNumberInput::Whole, {editprice1, editprice2, editarea1, editarea2});
}

void ConditionView::buildForm()
{
    setObjectName(QStringLiteral("qvmSetConditionClass"));
    auto* main = new QVBoxLayout(this);
    main->setSpacing(4);

    frame_Area = new QFrame(this);
    frame_Area->setObjectName(QStringLiteral("frame_Area"));
    frame_Area->setFrameShape(QFrame::StyledPanel);
    frame_Area->setFrameShadow(QFrame::Raised);
    auto* areaLayout = new QVBoxLayout(frame_Area);
    areaLayout->setContentsMargins(4, 4, 4, 4);

    wg_AreaType = new QWidget(frame_Area);
    wg_AreaType->setObjectName(QStringLiteral("wg_AreaType"));
    auto* typeLayout = new QHBoxLayout(wg_AreaType);
    typeLayout->setContentsMargins(0, 0, 0, 0);
    segAreaType = new qvmWidgetSegement(wg_AreaType);
    segAreaType->setObjectName(QStringLiteral("segAreaType"));
    segAreaType->addSegment(caption(QT_TRANSLATE_NOOP("qvmSetConditionClass", "Use Area")));
    segAreaType->addSegment(caption(QT_TRANSLATE_NOOP("qvmSetConditionClass", "Use HAName")));
    typeLayout->addWidget(segAreaType);
    areaLayout->addWidget(wg_AreaType);

    wg_District = row(frame_Area, "wg_District", nullptr, "label_7",
                      caption(QT_TRANSLATE_NOOP("qvmSetConditionClass", "行政区：")));
    cboDistrict = add(wg_District, new QComboBox, "cboDistrict");
    areaLayout->addWidget(wg_District);

    wg_Place = new QWidget(frame_Area);
    wg_Place->setObjectName(QStringLiteral("wg_Place"));
    auto* placeLayout = new QVBoxLayout(wg_Place);
    placeLayout->setContentsMargins(0, 0, 0, 0);
    QWidget* nameRow = row(wg_Place, "wg_PlaceName", nullptr, "label_10",
                           caption(QT_TRANSLATE_NOOP("qvmSetConditionClass", "小　区：")));
    editPlaceName = add(nameRow, new QLineEdit, "editPlaceName");
    placeLayout->addWidget(nameRow);
    chkOnlyPlace = new QCheckBox(caption(QT_TRANSLATE_NOOP("qvmSetConditionClass", "只查本小区")), wg_Place);
    chkOnlyPlace->setObjectName(QStringLiteral("chkOnlyPlace"));
    placeLayout->addWidget(chkOnlyPlace);
    QWidget* rangeRow = row(wg_Place, "wg_PlaceRange", &lblPlaceRange, "lblPlaceRange",
                            caption(QT_TRANSLATE_NOOP("qvmSetConditionClass", "范　围：")));
    segPlaceRange = add(rangeRow, new qvmWidgetSegement, "segPlaceRange");
    segPlaceRange->addSegment(caption(QT_TRANSLATE_NOOP("qvmSetConditionClass", "1000M")));
    segPlaceRange->addSegment(caption(QT_TRANSLATE_NOOP("qvmSetConditionClass", "2000M")));
    segPlaceRange->addSegment(caption(QT_TRANSLATE_NOOP("qvmSetConditionClass", "5000M")));
    segPlaceRange->setValue(1);
    placeLayout->addWidget(rangeRow);
    areaLayout->addWidget(wg_Place);
    main->addWidget(frame_Area);

    QWidget* w = row(this, "wg_HouseType", nullptr, "label_3",
                     caption(QT_TRANSLATE_NOOP("qvmSetConditionClass", "类　型：")));
    cboHouseType = add(w, new QComboBox, "cboHouseType");
    main->addWidget(w);

    w = row(this, "wg_Price", &lblPrice, "lblPrice", QString());
    editprice1 = add(w, new QLineEdit, "editprice1");
    add(w, new QLabel(caption(QT_TRANSLATE_NOOP("qvmSetConditionClass", "-"))), "label")
        ->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    editprice2 = add(w, new QLineEdit, "editprice2");
    lblPriceUnit = add(w, new QLabel, "lblPriceUnit");
    main->addWidget(w);

    w = row(this, "wg_AreaSize", nullptr, "label_4",
            caption(QT_TRANSLATE_NOOP("qvmSetConditionClass", "面　积：")));
    editarea1 = add(w, new QLineEdit, "editarea1");
    add(w, new QLabel(caption(QT_TRANSLATE_NOOP("qvmSetConditionClass", "-"))), "label_2")
        ->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    editarea2 = add(w, new QLineEdit, "editarea2");
    add(w, new QLabel(caption(QT_TRANSLATE_NOOP("qvmSetConditionClass", "(㎡)"))), "lblAreaSizeUnit");
    main->addWidget(w);

    w = row(this, "wg_RoomType", nullptr, "label_5",
            caption(QT_TRANSLATE_NOOP("qvmSetConditionClass", "户　型：")));
    cboRoomType = add(w, new QComboBox, "cboRoomType");
    cboRoomType->addItem(tr("UnSpecified"));
    for (const char* name : roomTypes)
        cboRoomType->addItem(tr(name));
    main->addWidget(w);

    w = row(this, "wg_ShareRent", nullptr, "label_9",
            caption(QT_TRANSLATE_NOOP("qvmSetConditionClass", "合　租： ")));
    chkShareRent =
        add(w, new QCheckBox(caption(QT_TRANSLATE_NOOP("qvmSetConditionClass", "只找合租"))), "chkShareRent");
    main->addWidget(w);

    w = row(this, "wg_Floor", nullptr, "lblFloor",
            caption(QT_TRANSLATE_NOOP("qvmSetConditionClass", "楼　层：")));
    cboFloor = add(w, new QComboBox, "cboFloor");
    cboFloor->addItem(tr("UnSpecified"));
    for (int i = 1; i <= 7; ++i)
        cboFloor->addItem(QString::number(i) + tr("lou"));
    cboFloor->addItem(QStringLiteral("7") + tr("lou +"));
    main->addWidget(w);

    w = row(this, "wg_Origin", nullptr, "label_8",
            caption(QT_TRANSLATE_NOOP("qvmSetConditionClass", "来　源：")));
    cboOrigin = add(w, new QComboBox, "cboOrigin");
    cboOrigin->addItem(tr("UnSpecified"));
    for (const char* name : sources)
        cboOrigin->addItem(tr(name));
    main->addWidget(w);

    w = row(this, "wg_KeyWord", nullptr, "label_6",
            caption(QT_TRANSLATE_NOOP("qvmSetConditionClass", "关键字：")));
    editSearch = add(w, new QLineEdit, "editSearch");
    main->addWidget(w);

    w = row(this, "wg_Sort", nullptr, "label_11",
            caption(QT_TRANSLATE_NOOP("qvmSetConditionClass", "排　序：")));
    cboSort = add(w, new QComboBox, "cboSort");
    main->addWidget(w);

    btnSearch = new QPushButton(caption(QT_TRANSLATE_NOOP("qvmSetConditionClass", "搜索")), this);
    btnSearch->setObjectName(QStringLiteral("btnSearch"));
    main->addWidget(btnSearch);
    main->addStretch(1);

    chooseHA = new kwdChooseHA(this);
    chooseHA->hide();
}

int ConditionView::priceField() const
{
    return category == 1 ? kwdFinder::PriceHa : category == 2 ? kwdFinder::PriceSale : kwdFinder::PriceLease;
}

void ConditionView::fillDistricts()
{
    kwdStore* store = kwdStore::instance();
    cboDistrict->clear();
    cboDistrict->addItem(tr("UnSpecified"));
    if (!finder)
        return;
    const auto* info = store->cityInfoOf(store->cityCode(finder->field(kwdFinder::City)));
    if (info && !info->isEmpty()) {
        for (const kwdNameCode& d : info->at(0))
            cboDistrict->addItem(d.name);
    }
}

void ConditionView::setCondition(kwdFinder* record)
{
    editSearch->clear();
    finder = record ? record : kwdStore::instance()->currentFinder;
    if (!finder)
        return;
    category = finder->category;

    const QString mode = finder->field(kwdFinder::Mode);
    if (mode != QLatin1String("102")) {
        frame_Area->show();
        fillDistricts();
        const int district = cboDistrict->findText(finder->field(kwdFinder::District),
                                                   Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (district >= 0)
            cboDistrict->setCurrentIndex(district);
        const int range = finder->field(kwdFinder::PlaceRange).toInt();
        chkOnlyPlace->setChecked(range == 0);
        if (range != 0)
            segPlaceRange->setValue(range == 1000 ? 0 : range == 5000 ? 2 : 1);
        // A name left from another record would start a lookup nobody asked for.
        editPlaceName->setText(finder->field(kwdFinder::HaName));
        segAreaType->setValue(mode == QLatin1String("101") ? 0 : 1);
        onAreaTypeChange(segAreaType->value());
        onChkPlacerange(chkOnlyPlace->isChecked());
    } else {
        frame_Area->hide();
    }

    const bool house = category == 2 || category == 3;
    findChild<QWidget*>(QStringLiteral("wg_HouseType"))->setVisible(category >= 1 && category <= 3);
    findChild<QWidget*>(QStringLiteral("wg_Price"))->setVisible(category >= 1 && category <= 3);
    findChild<QWidget*>(QStringLiteral("wg_AreaSize"))->setVisible(house);
    findChild<QWidget*>(QStringLiteral("wg_RoomType"))->setVisible(house);
    findChild<QWidget*>(QStringLiteral("wg_ShareRent"))->setVisible(category == 3);
    findChild<QWidget*>(QStringLiteral("wg_Floor"))->setVisible(house);
    findChild<QWidget*>(QStringLiteral("wg_Origin"))->setVisible(house);
    findChild<QWidget*>(QStringLiteral("wg_KeyWord"))->show();
    findChild<QWidget*>(QStringLiteral("wg_Sort"))->show();

    cboHouseType->clear();
    cboHouseType->addItem(tr("UnSpecified"));
    int typeIndex = 0;
    if (category == 1) {
        const QString code = finder->field(kwdFinder::HaClass);
        for (int i = 0; i < int(std::size(haClasses)); ++i) {
            cboHouseType->addItem(tr(haClasses[i].name));
            if (code == QLatin1String(haClasses[i].code))
                typeIndex = i + 1;
        }
    } else if (house) {
        const QString code = finder->field(kwdFinder::PropType);
        for (int i = 0; i < int(std::size(propTypes)); ++i) {
            cboHouseType->addItem(tr(propTypes[i].name));
            if (code == QLatin1String(propTypes[i].code))
                typeIndex = i + 1;
        }
    }
    cboHouseType->setCurrentIndex(typeIndex);

    cboSort->clear();
    if (category == 1) {
        for (const char* name : haSorts)
            cboSort->addItem(tr(name));
        const QString v = finder->field(kwdFinder::SortHa);
        cboSort->setCurrentIndex(v == QLatin1String("p1") ? 1 : v == QLatin1String("p2") ? 2 : 0);
    } else if (house) {
        for (const char* name : houseSorts)
            cboSort->addItem(tr(name));
        const int v = finder->field(kwdFinder::SortHouse).toInt();
        cboSort->setCurrentIndex(v == 9 ? 7 : (v >= 1 && v <= 7) ? v - 1 : 0);
    } else {
        cboSort->addItem(tr("Default"));
    }
    if (category == 3)
        chkShareRent->setChecked(finder->field(kwdFinder::ShareRent).toInt() != 0);

    fillRange(finder->field(priceField()), editprice1, editprice2);
    if (category == 2) {
        lblPrice->setText(tr("Total:"));
        lblPriceUnit->setText(tr("(wan yuan)"));
    } else if (category == 3) {
        lblPrice->setText(tr("Price:"));
        lblPriceUnit->setText(tr("(yuan/yue)"));
    } else {
        lblPrice->setText(tr("Price:"));
        lblPriceUnit->setText(tr("yuan/m2"));
    }
    fillRange(finder->field(kwdFinder::AreaSize), editarea1, editarea2);

    const auto select = [this](QComboBox* box, int key) {
        const int pos = finder->field(key).toInt();
        if (pos >= 0 && pos < box->count())
            box->setCurrentIndex(pos);
    };
    select(cboRoomType, kwdFinder::RoomType);
    editSearch->setText(finder->field(kwdFinder::Keyword));
    select(cboFloor, kwdFinder::Floor);
    select(cboOrigin, kwdFinder::Source);
}

void ConditionView::on_btnSearch_clicked()
{
    if (!finder)
        return;
    // A range that cannot be read is refused where it stands: dropping it would search every price.
    for (QLineEdit* e : {editprice1, editprice2, editarea1, editarea2})
        e->setStyleSheet(QString());
    int priceLow = 0, priceHigh = 0, areaLow = 0, areaHigh = 0;
    QLineEdit* bad = nullptr;
    QString problem;
    if (category != 4 && !kwdNumberInput::readRange(editprice1, editprice2, &priceLow, &priceHigh, &bad))
        problem = tr("Not a valid Price");
    else if ((category == 2 || category == 3) &&
             !kwdNumberInput::readRange(editarea1, editarea2, &areaLow, &areaHigh, &bad))
        problem = tr("Not a valid Area");
    if (bad) {
        bad->setStyleSheet(QStringLiteral("QLineEdit { background: red }"));
        bad->setFocus();
        kwdMessage::information(tr("Error"), problem);
        return;
    }

    if (segAreaType->value() == 1) {
        const QString name = editPlaceName->text().trimmed();
        if (name.isEmpty()) {
            kwdMessage::information(tr("Error"), tr("Input a Ha Name please"));
            editPlaceName->setFocus();
            return;
        }
        if (name != finder->field(kwdFinder::HaName)) {
            startLookup(name);
            return;
        }
    }

    finder->setField(kwdFinder::Keyword, editSearch->text().trimmed());
    const int sort = cboSort->currentIndex();
    if (category == 1)
        finder->setField(kwdFinder::SortHa,
                         sort > 0 && sort < 3 ? QLatin1String(haSortValues[sort]) : QString());
    else if (category == 2 || category == 3)
        finder->setField(kwdFinder::SortHouse,
                         sort > 0 && sort < 8 ? QLatin1String(houseSortValues[sort]) : QString());

    const int type = cboHouseType->currentIndex();
    if (category == 1)
        finder->setField(kwdFinder::HaClass, type > 0 && type <= int(std::size(haClasses))
                                                 ? QLatin1String(haClasses[type - 1].code)
                                                 : QString());
    else
        finder->setField(kwdFinder::PropType, type > 0 && type <= int(std::size(propTypes))
                                                  ? QLatin1String(propTypes[type - 1].code)
                                                  : QString());
    if (category != 4)
        finder->setField(priceField(), rangeText(priceLow, priceHigh));
    if (category == 2 || category == 3)
        finder->setField(kwdFinder::AreaSize, rangeText(areaLow, areaHigh));
    finder->setField(kwdFinder::RoomType, QString::number(std::max(0, cboRoomType->currentIndex())));
    finder->setField(kwdFinder::ShareRent,
                     chkShareRent->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    const int source = cboOrigin->currentIndex();
    finder->setField(kwdFinder::Source, source > 0 ? QString::number(source) : QString());
    const int floor = cboFloor->currentIndex();
    finder->setField(kwdFinder::Floor, floor > 0 ? QString::number(floor) : QString());

    if (finder->field(kwdFinder::Mode) != QLatin1String("102")) {
        if (segAreaType->value() == 0) {
            finder->setField(kwdFinder::Mode, QStringLiteral("101"));
            finder->setField(kwdFinder::District,
                             cboDistrict->currentIndex() > 0 ? cboDistrict->currentText() : QString());
        } else {
            finder->setField(kwdFinder::Mode, QStringLiteral("103"));
            static const char* const ranges[] = {"1000", "2000", "5000"};
            const int r = segPlaceRange->value();
            finder->setField(kwdFinder::PlaceRange, chkOnlyPlace->isChecked() || r < 0 || r > 2
                                                        ? QString()
                                                        : QLatin1String(ranges[r]));
        }
    }
    Q_EMIT doSearch();
}

void ConditionView::onAreaTypeChange(int v)
{
    wg_District->setVisible(v == 0);
    wg_Place->setVisible(v != 0);
}

void ConditionView::onChkPlacerange(bool checked)
{
    lblPlaceRange->setVisible(!checked);
    segPlaceRange->setVisible(!checked);
}

void ConditionView::onDistrictPopup(int index)
{
    if (index != 0 || cboDistrict->count() >= 2 || districtRequest != 0 || !finder)
        return;
    qvmHttpHolder* holder = qvmHttpHolder::instance();
    if (!holder)
        return;
    kwdStore* store = kwdStore::instance();
    // The districts of the record on this form, which need not be the current search's city.
    districtCity = store->cityCode(finder->field(kwdFinder::City));
    const QString url =
        QStringLiteral("http://%1.%2").arg(districtCity, store->config(kwdStore::urlCityInfo).toString());
    districtRequest = holder->get(url, this);
    if (districtRequest != 0)
        showWaitAt(cboDistrict);
}

void ConditionView::startLookup(const QString& name)
{
    if (name.isEmpty() || !finder)
        return;
    qvmHttpHolder* holder = qvmHttpHolder::instance();
    if (!holder)
        return;
    kwdStore* store = kwdStore::instance();
    const QString url = QStringLiteral("http://") + store->cityCode(finder->field(kwdFinder::City)) +
                        QLatin1Char('.') + store->config(kwdStore::urlHaList).toString() +
                        QStringLiteral("?keyword=") + kwdQueryValue::encode(name);
    lookupRequest = holder->get(url, this);
    if (lookupRequest != 0)
        showWaitAt(editPlaceName);
}

void ConditionView::showWaitAt(QWidget* anchor)
{
    kwdShowWait* wait = kwdShowWait::instance();
    if (!wait)
        return;
    QWidget* host = wait->parentWidget();
    const int y = host ? host->mapFromGlobal(anchor->mapToGlobal(QPoint(0, 0))).y() : anchor->y();
    wait->showAt(y);
}

void ConditionView::hideWait()
{
    if (kwdShowWait* wait = kwdShowWait::instance())
        wait->stop();
}

void ConditionView::onHttpResponse(int id, int err)
{
    if (id != 0 && id == districtRequest)
        handleDistricts(id, err);
    else if (id != 0 && id == lookupRequest)
        handleLookup(id, err);
    // An older lookup overtaken by a newer one lands here too: it is dropped unseen.
    if (districtRequest == 0 && lookupRequest == 0)
        hideWait();
    if (qvmHttpHolder* holder = qvmHttpHolder::instance())
        holder->remove(id);
}

void ConditionView::handleDistricts(int id, int err)
{
    districtRequest = 0;
    const qvmHttpRequest* req = qvmHttpHolder::instance() ? qvmHttpHolder::instance()->request(id) : nullptr;
    if (err != 0 || !req) {
        kwdMessage::information(tr("error"), kwdNetworkError::describe(req));
        return;
    }
    QDomDocument doc;
    const QString body = req->body ? QString::fromUtf8(*req->body) : QString();
    // The list and its popup stay as they were, but the user who opened it learns why it is empty.
    if (!doc.setContent(body)) {
        kwdMessage::information(tr("error"), kwdNetworkError::unreadable());
        return;
    }
    kwdStore::instance()->parseCityInfo(doc, districtCity);
    const bool open = cboDistrict->view()->isVisible();
    cboDistrict->hidePopup();
    fillDistricts();
    // Reopening a list that is still empty would highlight its only entry and ask again, forever.
    if (open && cboDistrict->count() > 1)
        cboDistrict->showPopup();
}

QList<QPair<QString, QString>> ConditionView::readLookup(const QByteArray& body, bool* readable)
{
    QList<QPair<QString, QString>> entries;
    if (readable)
        *readable = false;
    QDomDocument doc;
    if (!doc.setContent(body))
        return entries;
    const QDomElement list = doc.elementsByTagName(QStringLiteral("resultlist")).item(0).toElement();
    if (list.isNull() || list.attribute(QStringLiteral("type")) != QLatin1String("ha"))
        return entries;
    if (readable)
        *readable = true;
    // The entry's own fields, never those of a record nested in it.
    const auto text = [](const QDomElement& e, const QString& tag) {
        return e.firstChildElement(tag).text().trimmed();
    };
    for (QDomElement ha = list.firstChildElement(QStringLiteral("ha")); !ha.isNull();
         ha = ha.nextSiblingElement(QStringLiteral("ha"))) {
        const QString haId = text(ha, QStringLiteral("id"));
        const QString name = text(ha, QStringLiteral("name"));
        if (haId.isEmpty() || name.isEmpty())
            continue;
        entries.append({name + QStringLiteral(" (") + text(ha, QStringLiteral("district")) +
                            QLatin1Char(' ') + text(ha, QStringLiteral("address")) + QLatin1Char(')'),
                        name + QLatin1Char('(') + haId + QLatin1Char(')')});
    }
    return entries;
}

void ConditionView::handleLookup(int id, int err)
{
    lookupRequest = 0;
    const qvmHttpRequest* req = qvmHttpHolder::instance() ? qvmHttpHolder::instance()->request(id) : nullptr;
    if (err != 0 || !req) {
        kwdMessage::information(tr("Error"), tr("Failed to get ha list"));
        return;
    }
    bool readable = false;
    const QList<QPair<QString, QString>> entries =
        readLookup(req->body ? *req->body : QByteArray(), &readable);
    // A reply that is no housing-area list is a failed lookup, not one that found nothing.
    if (!readable) {
        kwdMessage::information(tr("Error"), tr("Failed to get ha list"));
        return;
    }
    chooseHA->clear();
    for (const auto& entry : entries)
        chooseHA->addEntry(entry.first, entry.second);
    if (chooseHA->count() == 0) {
        kwdMessage::information(tr("info"), tr("No relate HA Found"));
        return;
    }
    const int h = height() * 3 / 4;
    chooseHA->resize(width() - 2, h);
    chooseHA->move(1, height() - h - 2);
    chooseHA->show();
    chooseHA->raise();
}

void ConditionView::onHASelected(QString name, QString id)
{
    if (name.isEmpty() || id.isEmpty() || !finder)
        return;
    const int open = id.lastIndexOf(QLatin1Char('('));
    const int close = id.lastIndexOf(QLatin1Char(')'));
    if (open < 0 || close < 0 || close < open)
        return;
    const QString haId = id.mid(open + 1, close - open - 1);
    // "name()" names no housing area; searching with it would search the whole city.
    if (haId.isEmpty())
        return;
    finder->setField(kwdFinder::Mode, QStringLiteral("103"));
    finder->setField(kwdFinder::HaId, haId);
    finder->setField(kwdFinder::HaName, name);
    editPlaceName->setText(name);
    on_btnSearch_clicked();
}

bool ConditionView::eventFilter(QObject* watched, QEvent* event)
{
    // Handsets open their on-screen keyboard on request. Qt 6 no longer delivers the request events,
    // so the input method is asked directly as well. The focus events themselves pass on untouched.
    if (event->type() == QEvent::FocusIn) {
        QCoreApplication::postEvent(watched, new QEvent(QEvent::RequestSoftwareInputPanel));
        QGuiApplication::inputMethod()->show();
    } else if (event->type() == QEvent::FocusOut) {
        QCoreApplication::postEvent(watched, new QEvent(QEvent::CloseSoftwareInputPanel));
        QGuiApplication::inputMethod()->hide();
    }
    return QWidget::eventFilter(watched, event);
}
