#include "kwdreleasehouse.h"

#include "kwdinputpanelfilter.h"
#include "kwdlisting.h"
#include "kwdloadphoto.h"
#include "kwdmessage.h"
#include "kwdnetworkerror.h"
#include "kwdnumberinput.h"
#include "kwdphotoupload.h"
#include "kwdpublishservice.h"
#include "kwdshowwait.h"
#include "kwdstore.h"
#include "qvmhttpholder.h"
#include "qvmwidgetsegement.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QDomDocument>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>

namespace {
const QString lineWhite = QStringLiteral("QLineEdit { background: white }");
const QString lineRed = QStringLiteral("QLineEdit { background: red }");
const QString comboWhite = QStringLiteral("QComboBox { background: white }");
const QString comboRed = QStringLiteral("QComboBox { background: red }");
// The service's own text for refused credentials, whatever language the form is shown in.
const QString credentialsRefused = QStringLiteral("uid or pwd is error");

QLabel* caption(QGridLayout* grid, int row, const QString& text)
{
    auto* l = new QLabel(text, grid->parentWidget());
    grid->addWidget(l, row, 0, Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

QHBoxLayout* pair(QGridLayout* grid, int row)
{
    auto* h = new QHBoxLayout;
    h->setSpacing(4);
    grid->addLayout(h, row, 1);
    return h;
}
} // namespace

QLineEdit* kwdReleaseHouse::addLine(QGridLayout* grid, int row, const char* name, const QString& text,
                                    const QString& placeholder)
{
    if (!text.isEmpty())
        caption(grid, row, text);
    auto* e = new QLineEdit(this);
    e->setObjectName(QLatin1String(name));
    e->setPlaceholderText(placeholder);
    if (!text.isEmpty())
        grid->addWidget(e, row, 1);
    return e;
}

kwdReleaseHouse::kwdReleaseHouse(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("releaseHouse"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(6);
    grid->setColumnStretch(1, 1);
    int row = 0;

    segType = new qvmWidgetSegement(this);
    segType->setObjectName(QStringLiteral("segType"));
    segType->addSegment(tr("Sale"));
    segType->addSegment(tr("Lease"));
    segType->setValue(0);
    grid->addWidget(segType, row++, 0, 1, 2);

    caption(grid, row, tr("行政区："));
    cobdistrict = new QComboBox(this);
    cobdistrict->setObjectName(QStringLiteral("cobdistrict"));
    grid->addWidget(cobdistrict, row++, 1);
    housesrc = addLine(grid, row++, "housesrc", tr("标题　："), tr("house source"));
    lifearea = addLine(grid, row++, "lifearea", tr("小区名："), tr("lifearea"));
    caption(grid, row, tr("类型　："));
    housestyle = new QComboBox(this);
    housestyle->setObjectName(QStringLiteral("housestyle"));
    grid->addWidget(housestyle, row++, 1);
    area = addLine(grid, row++, "area", tr("面积　："));

    caption(grid, row, tr("楼层　："));
    QHBoxLayout* floors = pair(grid, row++);
    numberfloor = addLine(grid, row, "numberfloor", QString());
    totlefloor = addLine(grid, row, "totlefloor", QString());
    floors->addWidget(numberfloor);
    floors->addWidget(new QLabel(QStringLiteral("/"), this));
    floors->addWidget(totlefloor);

    caption(grid, row, tr("朝向　："));
    cobaspect = new QComboBox(this);
    cobaspect->setObjectName(QStringLiteral("cobaspect"));
    grid->addWidget(cobaspect, row++, 1);
    caption(grid, row, tr("联系人："));
    personname = new QLabel(this);
    personname->setObjectName(QStringLiteral("personname"));
    // Name and telephone come from the login reply: shown as written, never read as markup.
    personname->setTextFormat(Qt::PlainText);
    grid->addWidget(personname, row++, 1);
    caption(grid, row, tr("电话　："));
    phonenumber = new QLabel(this);
    phonenumber->setObjectName(QStringLiteral("phonenumber"));
    phonenumber->setTextFormat(Qt::PlainText);
    grid->addWidget(phonenumber, row++, 1);

    caption(grid, row, tr("照片　："));
    QHBoxLayout* photoRow = pair(grid, row++);
    photo = addLine(grid, row, "photo", QString());
    photo->setReadOnly(true);
    btnphoto = new QPushButton(tr("上传图片"), this);
    btnphoto->setObjectName(QStringLiteral("btnphoto"));
    photoRow->addWidget(photo, 1);
    photoRow->addWidget(btnphoto);

    caption(grid, row, tr("描述　："));
    textEdit = new QTextEdit(this);
    textEdit->setObjectName(QStringLiteral("textEdit"));
    textEdit->setAcceptRichText(false);
    textEdit->setFixedHeight(80);
    grid->addWidget(textEdit, row++, 1);

    caption(grid, row, tr("地址　："));
    QHBoxLayout* address = pair(grid, row++);
    road = addLine(grid, row, "road", QString(), tr("road"));
    door = addLine(grid, row, "door", QString(), tr("door"));
    address->addWidget(road, 2);
    address->addWidget(door, 1);

    labelprice = new QLabel(tr("售价　："), this);
    labelprice->setObjectName(QStringLiteral("labelprice"));
    grid->addWidget(labelprice, row, 0, Qt::AlignRight | Qt::AlignVCenter);
    QHBoxLayout* priceRow = pair(grid, row++);
    value = addLine(grid, row, "value", QString());
    price = new QComboBox(this);
    price->setObjectName(QStringLiteral("price"));
    priceRow->addWidget(value, 1);
    priceRow->addWidget(price, 1);

    caption(grid, row, tr("户型　："));
    QHBoxLayout* rooms = pair(grid, row++);
    room = addLine(grid, row, "room", QString(), tr("bedrooms"));
    hall = addLine(grid, row, "hall", QString(), tr("living rooms"));
    toilet = addLine(grid, row, "toilet", QString(), tr("bathrooms"));
    for (QLineEdit* e : {room, hall, toilet})
        rooms->addWidget(e);

    leaseframe = new QFrame(this);
    leaseframe->setObjectName(QStringLiteral("leaseframe"));
    auto* leaseRow = new QHBoxLayout(leaseframe);
    leaseRow->setContentsMargins(0, 0, 0, 0);
    leaseRow->addWidget(new QLabel(tr("租赁　："), leaseframe));
    rBtnZheng = new QRadioButton(tr("whole"), leaseframe);
    rBtnZheng->setObjectName(QStringLiteral("rBtnZheng"));
    rBtnHe = new QRadioButton(tr("shared"), leaseframe);
    rBtnHe->setObjectName(QStringLiteral("rBtnHe"));
    rBtnZhuan = new QRadioButton(tr("sublet"), leaseframe);
    rBtnZhuan->setObjectName(QStringLiteral("rBtnZhuan"));
    for (QRadioButton* b : {rBtnZheng, rBtnHe, rBtnZhuan})
        leaseRow->addWidget(b);
    leaseRow->addStretch(1);
    grid->addWidget(leaseframe, row++, 0, 1, 2);

    auto* buttons = new QHBoxLayout;
    btnrelease = new QPushButton(tr("release"), this);
    btnrelease->setObjectName(QStringLiteral("btnrelease"));
    btnclear = new QPushButton(tr("clear"), this);
    btnclear->setObjectName(QStringLiteral("btnclear"));
    for (QPushButton* b : {btnrelease, btnclear}) {
        b->setMinimumHeight(40);
        buttons->addWidget(b);
    }
    grid->addLayout(buttons, row++, 0, 1, 2);
    grid->setRowStretch(row, 1);

    loadPhoto = new kwdLoadPhoto(this);

    connect(segType, &qvmWidgetSegement::valueChanged, this, &kwdReleaseHouse::onSegTypeChanged);
    connect(cobdistrict, &QComboBox::highlighted, this, &kwdReleaseHouse::onDistrictPopup);
    connect(btnrelease, &QPushButton::clicked, this, &kwdReleaseHouse::onRelease);
    connect(btnclear, &QPushButton::clicked, this, &kwdReleaseHouse::onClear);
    connect(btnphoto, &QPushButton::clicked, this, &kwdReleaseHouse::onPhoto);
    kwdInputPanelFilter::install(this, {housesrc, lifearea, area, numberfloor, totlefloor, road, door, value,
                                        room, hall, toilet, textEdit});
    textEdit->installEventFilter(this);
    kwdNumberInput::install(kwdNumberInput::Decimal, {area, value});
    kwdNumberInput::install(kwdNumberInput::Whole, {numberfloor, totlefloor, room, hall, toilet});

    fillForm();
    resetForm();
}

void kwdReleaseHouse::setPublisher(const QString& user, const QString& pwdDigest)
{
    uid = user;
    pwd = pwdDigest;
    // The form outlives a refused upload; whoever logs in next must see their own name and telephone.
    kwdStore* store = kwdStore::instance();
    personname->setText(store->config(kwdStore::cfgOnloadUser).toString());
    phonenumber->setText(store->config(kwdStore::cfgOnloadTel).toString());
}

bool kwdReleaseHouse::isLease() const
{
    return segType->value() == 1;
}

void kwdReleaseHouse::fillUnits()
{
    price->clear();
    if (isLease())
        price->addItems({tr("yuan/yue"), tr("wanyuan/nian"), tr("yuan/tian/m2")});
    else
        price->addItem(tr("wan"));
    price->setCurrentIndex(0);
}

void kwdReleaseHouse::fillForm()
{
    kwdStore* store = kwdStore::instance();
    cobdistrict->clear();
    cobdistrict->addItem(tr("select"));
    const auto* info = store->cityInfoOf(kwdPublishService::currentCityCode());
    if (info && !info->isEmpty()) {
        for (const kwdNameCode& d : info->at(0))
            cobdistrict->addItem(d.name);
    }
    cobdistrict->setCurrentIndex(0);
    personname->setText(store->config(kwdStore::cfgOnloadUser).toString());
    phonenumber->setText(store->config(kwdStore::cfgOnloadTel).toString());
    fillUnits();
    housestyle->clear();
    housestyle->addItems({tr("room"), tr("hall"), tr("shop")});
    cobaspect->clear();
    cobaspect->addItems({tr("south"), tr("southnorth"), tr("east"), tr("west"), tr("north"), tr("eastsouth"),
                         tr("eastnorth"), tr("westsouth"), tr("westnorth"), tr("eastwest")});
}

void kwdReleaseHouse::whiteInputs()
{
    for (QLineEdit* e : findChildren<QLineEdit*>())
        e->setStyleSheet(lineWhite);
    for (QComboBox* c : {cobdistrict, housestyle, cobaspect, price})
        c->setStyleSheet(comboWhite);
}

void kwdReleaseHouse::resetForm()
{
    btnrelease->setEnabled(true);
    btnclear->setEnabled(true);
    labelprice->setText(isLease() ? tr("leaseprice") : tr("saleprice"));
    leaseframe->setVisible(isLease());
    cobdistrict->setCurrentIndex(0);
    cobaspect->setCurrentIndex(0);
    housestyle->setCurrentIndex(0);
    rBtnZheng->setChecked(true);
    for (QLineEdit* e : findChildren<QLineEdit*>())
        e->clear();
    textEdit->setPlainText(tr("describe"));
    textEdit->setStyleSheet(QStringLiteral("QTextEdit { background: white }"));
    whiteInputs();
    // The photo goes with the path shown: an emptied form must not upload the last one again.
    photoPath.clear();
    photoBytes.clear();
    dealCode.clear();
    postedBody.clear();
    postedPhoto.clear();
    photoForPosted = false;
}

void kwdReleaseHouse::onClear()
{
    fillForm();
    resetForm();
}

void kwdReleaseHouse::onSegTypeChanged(int)
{
    labelprice->setText(isLease() ? tr("leaseprice") : tr("saleprice"));
    leaseframe->setVisible(isLease());
    fillUnits();
}

kwdListing kwdReleaseHouse::listing() const
{
    kwdListing l;
    l.lease = isLease();
    l.uid = uid;
    l.pwd = pwd;
    // The first entry only asks for a choice; it names no district the service knows.
    l.district = cobdistrict->currentIndex() > 0 ? cobdistrict->currentText() : QString();
    l.districtCode = kwdStore::instance()->districtCode(kwdPublishService::currentCityCode(), l.district);
    l.title = housesrc->text();
    l.housingArea = lifearea->text();
    l.road = road->text();
    l.door = door->text();
    l.typeIndex = housestyle->currentIndex();
    // Digits typed full-width by an input method go out as the ASCII digits the service reads.
    const auto number = [](const QLineEdit* e) { return kwdNumberInput::normalized(e->text()); };
    l.price = number(value);
    l.unit = price->currentText();
    l.area = number(area);
    l.room = number(room);
    l.hall = number(hall);
    l.toilet = number(toilet);
    l.floor = number(numberfloor);
    l.totalFloors = number(totlefloor);
    l.faceIndex = cobaspect->currentIndex();
    l.letting = rBtnZheng->isChecked() ? kwdListing::Whole
                : rBtnHe->isChecked()  ? kwdListing::Shared
                                       : kwdListing::Sublet;
    const QString note = textEdit->toPlainText();
    if (note != tr("describe"))
        l.note = note;
    return l;
}

QWidget* kwdReleaseHouse::inputOf(int field) const
{
    switch (field) {
    case kwdListing::District:
        return cobdistrict;
    case kwdListing::Title:
        return housesrc;
    case kwdListing::HousingArea:
        return lifearea;
    case kwdListing::Road:
        return road;
    case kwdListing::Door:
        return door;
    case kwdListing::Price:
        return value;
    case kwdListing::Area:
        return area;
    case kwdListing::Room:
        return room;
    case kwdListing::Hall:
        return hall;
    case kwdListing::Toilet:
        return toilet;
    case kwdListing::Floor:
        return numberfloor;
    case kwdListing::TotalFloors:
        return totlefloor;
    default:
        return nullptr;
    }
}

void kwdReleaseHouse::onRelease()
{
    whiteInputs();
    const kwdListing l = listing();
    const kwdListing::Failure failure = l.validate();
    if (!failure.ok()) {
        QWidget* input = inputOf(failure.field);
        input->setStyleSheet(qobject_cast<QComboBox*>(input) ? comboRed : lineRed);
        input->setFocus();
        // Without the city's districts nothing can be chosen: the list is asked for again and opens
        // when it comes.
        const bool noDistricts = failure.field == kwdListing::District && cobdistrict->count() < 2;
        QString text = failure.message;
        if (noDistricts)
            text +=
                QLatin1Char('\n') + tr("The district list is fetched again; choose from it when it opens.");
        if (!text.isEmpty())
            kwdMessage::information(tr("user release"), text);
        if (noDistricts) {
            openDistricts = true;
            onDistrictPopup(0);
            openDistricts = districtRequest != 0;
        }
        return;
    }
    // One listing at a time: a second press while one is on its way would post it twice.
    if (releaseRequest != 0 || uploadRequest != 0)
        return;
    const QByteArray body = l.formBody();
    // The listing is posted and only its photo is missing. Unchanged, posting it again would list it
    // twice: its photo is sent, or a new one for it. Changed, it is another listing.
    if (!dealCode.isEmpty() && body == postedBody) {
        if (photoBytes.isEmpty()) {
            photoForPosted = false;
            succeeded();
            return;
        }
        photoForPosted = photoBytes != postedPhoto;
        startUpload();
        return;
    }
    dealCode.clear();
    postingBody = body;
    releaseRequest = kwdPublishService::postListing(this, kwdPublishService::currentCityCode(), l);
    if (kwdShowWait* wait = kwdShowWait::instance())
        wait->showBeside(textEdit, tr("release..."));
    btnrelease->setEnabled(false);
}

void kwdReleaseHouse::onHttpResponse(int id, int error)
{
    if (id != 0 && id == districtRequest)
        onCityInfoResponse(id, error);
    else if (id != 0 && id == releaseRequest)
        onListingReply(id, error);
    else if (id != 0 && id == uploadRequest)
        onUploadReply(id, error);
    else if (qvmHttpHolder* holder = qvmHttpHolder::instance())
        holder->remove(id);
}

bool kwdReleaseHouse::takeReply(int id, int err, QString* body)
{
    qvmHttpHolder* holder = qvmHttpHolder::instance();
    btnrelease->setEnabled(true);
    const qvmHttpRequest* req = holder ? holder->request(id) : nullptr;
    // The wait stops even when the page was left meanwhile; a reply nobody looks at is only dropped.
    if (kwdShowWait* wait = kwdShowWait::instance())
        wait->stop();
    if (!isVisible() || err != 0 || !req) {
        const QString text = kwdNetworkError::describe(req);
        if (holder)
            holder->remove(id);
        if (isVisible())
            kwdMessage::critical(tr("user release"), text);
        return false;
    }
    *body = req->body ? QString::fromUtf8(*req->body) : QString();
    holder->remove(id);
    if (!kwdPublishService::plainText(*body)) {
        kwdMessage::critical(tr("user release"), kwdNetworkError::unreadable());
        return false;
    }
    return true;
}

void kwdReleaseHouse::onListingReply(int id, int err)
{
    releaseRequest = 0;
    QString body;
    if (!takeReply(id, err, &body))
        return;
    if (!kwdPublishService::readBooking(body, &dealCode)) {
        kwdMessage::critical(tr("user release"), body);
        return;
    }
    postedBody = postingBody;
    postedPhoto = photoBytes;
    photoForPosted = false;
    if (photoBytes.isEmpty()) {
        succeeded();
        return;
    }
    startUpload();
}

void kwdReleaseHouse::startUpload()
{
    uploadRequest = kwdPublishService::postPhoto(this, kwdPublishService::currentCityCode(), photoPath,
                                                 dealCode, uid, pwd, photoBytes);
    if (uploadRequest != 0) {
        btnrelease->setEnabled(false);
        if (kwdShowWait* wait = kwdShowWait::instance())
            wait->showBeside(textEdit, tr("release..."));
    }
}

void kwdReleaseHouse::onUploadReply(int id, int err)
{
    uploadRequest = 0;
    QString body;
    if (!takeReply(id, err, &body))
        return;
    if (kwdPublishService::uploadAccepted(body)) {
        succeeded();
        return;
    }
    // The listing stays posted and waits for its photo: the same press sends the photo again, a new
    // photo goes to it, changed inputs post another listing.
    kwdMessage::critical(tr("user release"), body);
    const bool credentials = body == credentialsRefused || body == tr("uid or pwd is error");
    if (credentials) {
        kwdStore::instance()->setConfig(kwdStore::loggedIn, QString());
        // A logout: the refused digest is not kept.
        kwdStore::instance()->setConfig(kwdStore::cfgOnloadPassword, QString());
        if (QWidget* menu = parentWidget() ? parentWidget()->parentWidget() : nullptr)
            QMetaObject::invokeMethod(menu, "onRelease");
    }
}

void kwdReleaseHouse::succeeded()
{
    // A new photo that went to the listing posted before is not taken for a listing of its own.
    kwdMessage::information(tr("user release"),
                            photoForPosted ? tr("The new photo was added to the listing posted before.")
                                           : tr("release succeed"));
    resetForm();
}

void kwdReleaseHouse::onDistrictPopup(int idx)
{
    if (idx != 0 || cobdistrict->count() >= 2 || districtRequest != 0)
        return;
    districtCity = kwdPublishService::currentCityCode();
    districtRequest = kwdPublishService::getDistricts(this, districtCity);
    if (districtRequest != 0) {
        if (kwdShowWait* wait = kwdShowWait::instance())
            wait->showBeside(cobdistrict);
    }
}

void kwdReleaseHouse::onCityInfoResponse(int id, int err)
{
    qvmHttpHolder* holder = qvmHttpHolder::instance();
    if (id == 0 || id != districtRequest) {
        if (holder)
            holder->remove(id);
        return;
    }
    districtRequest = 0;
    if (kwdShowWait* wait = kwdShowWait::instance())
        wait->stop();
    const qvmHttpRequest* req = holder ? holder->request(id) : nullptr;
    const bool wanted = openDistricts;
    openDistricts = false;
    QDomDocument doc;
    const bool parsed = err == 0 && req && req->body && doc.setContent(*req->body);
    if (!parsed) {
        // The user learns why the list stays empty; opening it again asks again.
        const QString text =
            err != 0 || !req ? kwdNetworkError::describe(req) : kwdNetworkError::unreadable();
        if (holder)
            holder->remove(id);
        kwdMessage::information(tr("error"), text);
        return;
    }
    holder->remove(id);
    kwdStore* store = kwdStore::instance();
    store->parseCityInfo(doc, districtCity);
    const bool open = wanted || cobdistrict->view()->isVisible();
    cobdistrict->hidePopup();
    cobdistrict->clear();
    cobdistrict->addItem(tr("UnSpecified"));
    const auto* info = store->cityInfoOf(districtCity);
    if (info && !info->isEmpty()) {
        for (const kwdNameCode& d : info->at(0))
            cobdistrict->addItem(d.name);
    }
    // Reopening a list that is still empty would highlight its only entry and ask again, forever.
    if (open && cobdistrict->count() > 1)
        cobdistrict->showPopup();
}

void kwdReleaseHouse::onPhoto()
{
    loadPhoto->adjustSize();
    const QPoint below =
        btnphoto->mapTo(this, QPoint(btnphoto->width() - loadPhoto->width(), btnphoto->height()));
    loadPhoto->move(qMax(0, below.x()), below.y());
    loadPhoto->raise();
    loadPhoto->show();
}

void kwdReleaseHouse::onPhotoLocal()
{
    const QString path =
        QFileDialog::getOpenFileName(this, tr("open Photo"), QDir::currentPath(), tr("Photo File (*.jpg)"));
    if (!path.isEmpty())
        setPhotoFile(path);
}

bool kwdReleaseHouse::setPhotoFile(const QString& path)
{
    photo->clear();
    photoPath.clear();
    photoBytes.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        kwdMessage::critical(tr("open Photo"), tr("Cannot read file %1:\n%2.").arg(path, file.errorString()));
        return false;
    }
    const QByteArray bytes = file.readAll();
    QByteArray jpeg;
    QString error;
    if (!kwdPhotoUpload::encode(bytes, &jpeg, &error)) {
        kwdMessage::critical(tr("open Photo"), tr("Cannot read file %1:\n%2.").arg(path, error));
        return false;
    }
    photo->setText(path);
    photoPath = path;
    photoBytes = jpeg;
    return true;
}

bool kwdReleaseHouse::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == textEdit) {
        if (event->type() == QEvent::FocusIn) {
            textEdit->setStyleSheet(QStringLiteral("QTextEdit { background: white }"));
            if (textEdit->toPlainText() == tr("describe"))
                textEdit->clear();
        } else if (event->type() == QEvent::FocusOut && textEdit->toPlainText().isEmpty()) {
            textEdit->setPlainText(tr("describe"));
        }
    }
    return QWidget::eventFilter(watched, event);
}
