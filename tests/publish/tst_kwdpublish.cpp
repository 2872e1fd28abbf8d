#include "kwdlisting.h"
#include "kwdloadphoto.h"
#include "kwdlocalservice.h"
#include "kwdmessage.h"
#include "kwdphotoupload.h"
#include "kwdpublisher.h"
#include "kwdpublishservice.h"
#include "kwdreleasehouse.h"
#include "kwdreleaseload.h"
#include "kwdstore.h"
#include "kwdtestdata.h"
#include "kwdtestenvironment.h"
#include "kwdtesttable.h"
#include "qvmhttpholder.h"
#include "qvmsystem.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCryptographicHash>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrlQuery>
#include <QtTest>

Q_DECLARE_METATYPE(kwdListing::Field)

namespace {
const QString city = QStringLiteral("bj");

// The listing's inputs in the order of kwdListing::Field, and their names.
QList<QString*> inputs(kwdListing& l)
{
    return {&l.district, &l.title, &l.housingArea, &l.road,   &l.door,  &l.price,
            &l.area,     &l.room,  &l.hall,        &l.toilet, &l.floor, &l.totalFloors};
}

kwdListing validListing()
{
    kwdListing l;
    const QStringList values = {
        "朝阳", "阳光花园三居", "阳光花园", "建国路", "88号", "120.5", "89", "3", "1", "1", "6", "18"};
    for (int i = 0; i < values.size(); ++i)
        *inputs(l).at(i) = values.at(i);
    return l;
}

// The upload body as the service reads it, written out here apart from the code under test.
QByteArray expectedUpload(const QByteArray& pathBytes, const QByteArray& fileName, const QByteArray& dealCode,
                          const QByteArray& pwd, const QByteArray& photo)
{
    const QByteArray b = "-----------------------------7d6bb34502ce";
    const QByteArray part = "--" + b + "\r\nContent-Disposition: form-data; name=\"";
    QByteArray expected;
    const QList<QPair<QByteArray, QByteArray>> fields = {{"Filename", pathBytes},
                                                         {"RelPathName", pathBytes},
                                                         {"dealcode", dealCode},
                                                         {"uid", "demo"},
                                                         {"pwd", pwd}};
    for (const auto& [name, value] : fields)
        expected += part + name + "\"\r\n\r\n" + value + "\r\n";
    expected += part + "photo\"; filename=\"" + fileName + "\"\r\n";
    expected += "Content-Type: application/octet-stream\r\n\r\n" + photo + "\r\n--" + b + "--\r\n";
    return expected;
}

} // namespace

// Publication: the login reply, the listing checks and body, the photo upload body and, against
// the local service, the login, the posts and what the service received.
class TestKwdPublish : public QObject
{
    Q_OBJECT
    kwdLocalService* service = nullptr;
    qvmHttpHolder* holder = nullptr;
    qvmSystem* menu = nullptr;
    QStringList messages;
    QTemporaryDir files;

    QList<QJsonObject> logged(const QString& page) const { return service->log("/webservice/" + page); }
    bool logIn() { return kwdPublisher::logIn(menu); }
    void fillForm(bool lease) { QVERIFY(kwdPublisher::fillListing(menu->releaseForm, lease)); }

private Q_SLOTS:
    void initTestCase()
    {
        service = new kwdLocalService;
        QVERIFY2(service->isRunning(), qPrintable(service->errorText()));
        holder = new qvmHttpHolder(this);
        kwdMessage::setHook(
            [this](const QString& title, const QString& text) { messages << title + ": " + text; });
        kwdStore* store = kwdStore::instance();
        QFile list(kwdStore::appFile(QStringLiteral("citylist.xml")));
        QVERIFY(list.open(QIODevice::ReadOnly) && store->readCityList(&list));
        store->setConfig(kwdStore::cfgCity, QStringLiteral("北京"));
        QCOMPARE(kwdPublishService::currentCityCode(), city);
    }

    void init()
    {
        messages.clear();
        QVERIFY(service->clearLog());
        for (int key : {kwdStore::cfgOnloadName, kwdStore::cfgOnloadPassword, kwdStore::cfgOnloadTel,
                        kwdStore::cfgOnloadUser, kwdStore::loggedIn})
            kwdStore::instance()->setConfig(key, QString());
        menu = new qvmSystem(nullptr, nullptr);
        menu->resize(360, 1200);
        menu->show();
        QVERIFY(QTest::qWaitForWindowExposed(menu));
    }

    void cleanup()
    {
        delete menu;
        menu = nullptr;
    }

    void cleanupTestCase()
    {
        kwdMessage::setHook({});
        delete service;
    }

    void loginReply_data()
    {
        kwdColumns<QString, bool, QString, QString>("reply", "accepted", "telephone", "name");
        QTest::addColumn<bool>("readable"); // false: markup, told as a reply that could not be read
        kwdRow("full", "1=mobile: 13800138000,username:张先生", true, "13800138000", "张先生", true);
        kwdRow("no comma", "1=mobile: 13800138000", true, "13800138000", "", true);
        kwdRow("refused", "uid or pwd is error", false, "", "", true);
        kwdRow("= at 2", "10=mobile:13800138000,username:x", false, "", "", true);
        kwdRow("name with brackets", "1=mobile: 1380,username:<张> a<b", true, "1380", "<张> a<b", true);
        kwdRow("service's words", "price < 100 is error", false, "", "", true);
        kwdRow("cut with markup", "1=mobile: 138<<broken attr=\"&&\"></nomatch>", false, "", "", false);
        kwdRow("document cut short", "<?xml version=", false, "", "", false);
    }

    void loginReply()
    {
        QFETCH(QString, reply);
        QTEST(kwdPublishService::plainText(reply), "readable");
        if (!kwdPublishService::plainText(reply))
            return;
        const kwdPublishService::LoginReply r = kwdPublishService::readLogin(reply);
        QTEST(r.accepted, "accepted");
        QTEST(r.telephone, "telephone");
        QTEST(r.name, "name");
    }

    void validation_data()
    {
        kwdColumns<kwdListing::Field, QString, kwdListing::Field, QString>("input", "text", "failing",
                                                                           "message");
        using F = kwdListing;
        const QString source = QStringLiteral("house source"), number = QStringLiteral("is not number");
        kwdRow("valid", F::NoField, "", F::NoField, "");
        kwdRow("title 4", F::Title, "阳光花园", F::Title, source);
        kwdRow("title 21", F::Title, QString(21, QChar(0x623F)), F::Title, source);
        kwdRow("title comma", F::Title, "阳光花园，三居", F::Title, source);
        kwdRow("title seven digits", F::Title, "房号1234567", F::Title, source);
        kwdRow("no district", F::District, "", F::District, "please district");
        kwdRow("price full-width", F::Price, "１２０．５", F::NoField, "");
        kwdRow("price two points", F::Price, "1.2.5", F::Price, number);
        kwdRow("floors beyond a number", F::TotalFloors, "99999999999", F::TotalFloors, number);
        kwdRow("no title", F::Title, "", F::Title, "please house source");
        kwdRow("no road", F::Road, "", F::Road, "please road");
        kwdRow("no price", F::Price, "", F::Price, "");
        kwdRow("area letters", F::Area, "8x", F::Area, number);
        kwdRow("rooms decimal", F::Room, "2.5", F::Room, number);
        // An empty road is met before a short title.
        kwdRow("order", F::Title, "阳光", F::Road, "please road");
    }

    void validation()
    {
        QFETCH(kwdListing::Field, input);
        kwdListing l = validListing();
        if (QByteArray(QTest::currentDataTag()) == "order")
            l.road.clear();
        if (input != kwdListing::NoField)
            *inputs(l).at(input) = kwdData<QString>("text");
        const kwdListing::Failure f = l.validate();
        QTEST(f.field, "failing");
        QTEST(f.message, "message");
    }

    void listingItems_data()
    {
        kwdColumns<bool, int, int, int, QString, QString, QString, QString>(
            "lease", "letting", "face", "type", "note", "chummage", "faceCode", "propType");
        kwdRow("sale south", false, 0, 0, 0, "", "", "1", "11");
        kwdRow("lease whole eastwest", true, 0, 9, 0, "", "zhengzu", "9", "11");
        kwdRow("lease shared southnorth", true, 1, 1, 1, "a&b=c", "hezu", "10", "21");
        kwdRow("lease sublet shop", true, 2, 4, 2, "", "zhuanzu", "4", "22");
    }

    void listingItems()
    {
        QFETCH(bool, lease);
        QFETCH(QString, note);
        kwdListing l = validListing();
        l.lease = lease;
        l.letting = kwdListing::Letting(kwdData<int>("letting"));
        l.faceIndex = kwdData<int>("face");
        l.typeIndex = kwdData<int>("type");
        l.note = note;
        // Separators in a text stay inside their value.
        l.title = QStringLiteral("a&pwd=x+y 1");
        const QUrlQuery sent(QString::fromLatin1(l.formBody()));
        QStringList keys;
        for (const auto& item : l.items())
            keys << item.first;
        QStringList expected = {"param",       "uid",  "pwd",      "dist_code", "headline", "haname",
                                "street_name", "stno", "proptype", "price",     "u",        "bldgarea",
                                "br",          "lr",   "ba",       "floor",     "bheight",  "face"};
        if (lease)
            expected << "chummage";
        if (!note.isEmpty())
            expected << "note";
        QCOMPARE(keys, expected);
        const auto one = [](const QString& v) { return v.isEmpty() ? QStringList() : QStringList{v}; };
        QList<QStringList> values;
        for (const char* key : {"chummage", "face", "proptype", "headline", "pwd", "note"})
            values << sent.allQueryItemValues(QLatin1String(key), QUrl::FullyDecoded);
        QCOMPARE(values,
                 QList<QStringList>({one(kwdData<QString>("chummage")), one(kwdData<QString>("faceCode")),
                                     one(kwdData<QString>("propType")), one(l.title), QStringList{QString()},
                                     one(note)}));
    }

    void multipartBody_data()
    {
        kwdColumns<QString, QByteArray, QByteArray, QByteArray>("path", "pathBytes", "fileName", "photo");
        kwdRow("plain", "/home/u/房.jpg", QByteArray("/home/u/房.jpg"), QByteArray("/home/u/房.jpg"),
               QByteArray("\xff\xd8\r\n--x\xff\xd9", 9));
        kwdRow("quote", "/tmp/a\"b.jpg", QByteArray("/tmp/a\"b.jpg"), QByteArray("/tmp/a%22b.jpg"),
               QByteArray("JPEG"));
        kwdRow("line break", "/tmp/a\r\nX: y.jpg", QByteArray("/tmp/a%0D%0AX: y.jpg"),
               QByteArray("/tmp/a%0D%0AX: y.jpg"), QByteArray());
    }

    void multipartBody()
    {
        QFETCH(QString, path);
        QFETCH(QByteArray, pathBytes);
        QFETCH(QByteArray, fileName);
        QFETCH(QByteArray, photo);
        QCOMPARE(kwdPhotoUpload::body(path, "D202612080001", "demo", "0123abcd", photo),
                 expectedUpload(pathBytes, fileName, "D202612080001", "0123abcd", photo));
        QCOMPARE(kwdPhotoUpload::contentType(),
                 QStringLiteral("multipart/form-data; boundary=-----------------------------7d6bb34502ce"));
    }

    void login_data()
    {
        kwdColumns<QString, QString, bool>("user", "password", "accepted");
        kwdRow("demo", "demo", "demo123", true);
        kwdRow("wrong password", "demo", "demo12", false);
        // Would log in as "demo" if the separators were sent as they stand.
        kwdRow("separators in the name", "x&uid=demo", "demo123", false);
    }

    void login()
    {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(bool, accepted);
        kwdStore* store = kwdStore::instance();
        // Left by an earlier login: a refused login does not keep it.
        store->setConfig(kwdStore::cfgOnloadPassword, QStringLiteral("0123456789abcdef0123456789abcdef"));
        kwdReleaseLoad* page = kwdPublisher::sendLogin(menu, user, password);
        QVERIFY(page && !page->btnOK->isEnabled());
        QTRY_VERIFY(page->loginRequest == 0);
        QCOMPARE(store->config(kwdStore::loggedIn).toString().isEmpty(), !accepted);
        QCOMPARE(menu->releaseForm && menu->releaseForm->isVisible(), accepted);
        const QString md5 =
            QString::fromLatin1(QCryptographicHash::hash(password.toUtf8(), QCryptographicHash::Md5).toHex());
        const QList<QJsonObject> sent = logged("login.html");
        QCOMPARE(sent.size(), 1);
        const QUrlQuery body(sent.at(0).value("body").toString());
        QCOMPARE(body.queryItems(QUrl::FullyDecoded),
                 (QList<QPair<QString, QString>>{{"uid", user}, {"pwd", md5}}));
        if (!accepted) {
            QCOMPARE(messages, QStringList{"User Login: uid or pwd is error"});
            QVERIFY(page->editPassword->text().isEmpty() && page->btnOK->isEnabled());
            QCOMPARE(store->config(kwdStore::cfgOnloadPassword).toString(), QString());
            return;
        }
        QCOMPARE(QStringList({store->config(kwdStore::cfgOnloadPassword).toString(),
                              store->config(kwdStore::cfgOnloadTel).toString(),
                              store->config(kwdStore::cfgOnloadUser).toString(),
                              menu->releaseForm->personname->text()}),
                 QStringList({md5, "13800138000", QStringLiteral("张先生"), QStringLiteral("张先生")}));
        // A publisher marked logged in is logged in again with the stored digest as it is.
        QVERIFY(service->clearLog());
        page->reset();
        QTRY_VERIFY(page->loginRequest == 0);
        QCOMPARE(logged("login.html").size(), 1);
        QCOMPARE(QUrlQuery(logged("login.html").at(0).value("body").toString()).queryItemValue("pwd"), md5);
        QVERIFY(messages.isEmpty());
        // A logout takes the digest with it.
        menu->onLogout();
        QCOMPARE(store->config(kwdStore::cfgOnloadPassword).toString(), QString());
    }

    // The district list could not be fetched: posting asks for it again, and it opens when it comes.
    void districtListFetchedAgain()
    {
        QVERIFY(logIn());
        kwdReleaseHouse* form = menu->releaseForm;
        fillForm(false);
        form->cobdistrict->setCurrentIndex(0);
        while (form->cobdistrict->count() > 1)
            form->cobdistrict->removeItem(1);
        QVERIFY(service->clearLog());
        form->onRelease();
        QCOMPARE(messages, QStringList{"user release: please district\nThe district list is fetched again; "
                                       "choose from it when it opens."});
        QVERIFY(form->releaseRequest == 0 && form->districtRequest != 0);
        QTRY_VERIFY(form->cobdistrict->count() > 1 && form->cobdistrict->view()->isVisible());
        form->cobdistrict->hidePopup();
        // Chosen from it, the listing is posted.
        fillForm(false);
        form->onRelease();
        QTRY_COMPARE(logged("booking.html").size(), 1);
    }

    void post_data()
    {
        kwdColumns<bool, QByteArray, bool>("lease", "photoFile", "uploaded");
        // After a failed upload: pressed again as it is, with a new photo, or with a changed input.
        QTest::addColumn<QString>("retry");
        kwdRow("sale without photo", false, QByteArray(), false, "");
        kwdRow("sale with photo", false, kwdImageBytes("PNG"), true, "");
        kwdRow("undecodable photo", false, QByteArray("not a picture"), false, "");
        kwdRow("photo failed, new photo", true, kwdImageBytes("PNG"), true, "new photo");
        kwdRow("photo failed, area changed", false, kwdImageBytes("PNG"), true, "new area");
    }

    void post()
    {
        QFETCH(bool, lease);
        QFETCH(QByteArray, photoFile);
        QFETCH(bool, uploaded);
        QFETCH(QString, retry);
        QVERIFY(logIn());
        kwdReleaseHouse* form = menu->releaseForm;
        fillForm(lease);
        if (!retry.isEmpty())
            QVERIFY(service->setFault(QString(), "/webservice/savepropimage.html", "500", "times=1"));
        if (!photoFile.isEmpty()) {
            const QString path = files.filePath(QString("photo \"%1\".jpg").arg(QTest::currentDataTag()));
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(photoFile) == photoFile.size());
            f.close();
            QCOMPARE(form->setPhotoFile(path), uploaded);
            QCOMPARE(messages.size(), uploaded ? 0 : 1);
            messages.clear();
        }
        QVERIFY(service->clearLog());
        if (!retry.isEmpty()) {
            form->onRelease();
            QTRY_VERIFY(form->releaseRequest == 0 && form->uploadRequest == 0);
            QCOMPARE(messages.size(), 1);
            messages.clear();
            const QString other = files.filePath(QString("other %1.jpg").arg(QTest::currentDataTag()));
            if (retry == "new photo")
                QVERIFY(QImage::fromData(kwdImageBytes("PNG", Qt::darkRed)).save(other) &&
                        form->setPhotoFile(other));
            else if (retry == "new area")
                form->area->setText("90");
        }
        const int bookedBefore = logged("booking.html").size();
        const QString sentPath = form->photoPath;
        const QByteArray sentPhoto = form->photoBytes;
        form->onRelease();
        QVERIFY(form->releaseRequest != 0 || form->uploadRequest != 0);
        QTRY_VERIFY(form->releaseRequest == 0 && form->uploadRequest == 0);
        QCOMPARE(messages,
                 QStringList{retry == "new photo"
                                 ? "user release: The new photo was added to the listing posted before."
                                 : "user release: release succeed"});
        // A successful post empties the form.
        QVERIFY(form->housesrc->text().isEmpty() && form->photoBytes.isEmpty());

        // Only a changed listing is posted again.
        const QList<QJsonObject> booked = logged("booking.html");
        QCOMPARE(booked.size(), bookedBefore + int(retry.isEmpty() || retry == "new area"));
        const QUrlQuery items(booked.last().value("body").toString());
        QCOMPARE(items.queryItemValue("param") + ' ' + items.queryItemValue("face") + ' ' +
                     items.queryItemValue("uid"),
                 lease ? QStringLiteral("lease 10 demo") : QStringLiteral("forsale 10 demo"));
        QCOMPARE(items.allQueryItemValues("chummage"), lease ? QStringList{"hezu"} : QStringList());
        QVERIFY(!items.hasQueryItem("note"));
        QCOMPARE(items.queryItemValue("headline", QUrl::FullyDecoded), QStringLiteral("阳光花园南北通透"));
        const QList<QJsonObject> photos = logged("savepropimage.html");
        QCOMPARE(photos.size(), uploaded ? 1 + int(!retry.isEmpty()) : 0);
        if (!uploaded)
            return;
        QCOMPARE(photos.last().value("status").toInt(), 200);
        // What reached the service, byte for byte, with the deal code the service gave the listing.
        const QByteArray received =
            QByteArray::fromBase64(photos.last().value("bodyBase64").toString().toLatin1());
        const QRegularExpressionMatch deal = QRegularExpression("name=\"dealcode\"\r\n\r\n(D\\d{12})\r\n")
                                                 .match(QString::fromLatin1(received));
        QVERIFY2(deal.hasMatch(), received.left(400).constData());
        QByteArray fileName = sentPath.toUtf8();
        fileName.replace('"', "%22");
        QCOMPARE(received,
                 expectedUpload(sentPath.toUtf8(), fileName, deal.captured(1).toLatin1(),
                                kwdStore::instance()->config(kwdStore::cfgOnloadPassword).toByteArray(),
                                sentPhoto));
        QCOMPARE(QImage::fromData(sentPhoto, "JPG").size(), QSize(640, 480));
    }

    // The photo button's local choice opens a file dialog, and the file chosen there is taken.
    void localPhotoDialog()
    {
        QVERIFY(logIn());
        kwdReleaseHouse* form = menu->releaseForm;
        const QString path = files.filePath(QStringLiteral("dialog.jpg"));
        QVERIFY(QImage::fromData(kwdImageBytes("PNG")).save(path, "PNG"));
        QTimer poll;
        poll.setInterval(10);
        connect(&poll, &QTimer::timeout, this, [&] {
            // The whole path typed, as a user may: selecting a file of another folder is only
            // applied once the dialog has read that folder, and an accept before then is refused.
            if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path);
                static_cast<QDialog*>(dialog)->accept();
            }
        });
        poll.start();
        QTest::mouseClick(form->btnphoto, Qt::LeftButton);
        QTest::mouseClick(form->loadPhoto->btnloadlocal, Qt::LeftButton);
        QTRY_COMPARE(form->photo->text(), path);
        QVERIFY(messages.isEmpty() && !form->photoBytes.isEmpty());
    }

    void replyNoLongerPending_data()
    {
        QTest::addColumn<bool>("onForm");
        kwdRow("login page left", false);
        kwdRow("form left", true);
    }

    void replyNoLongerPending()
    {
        QFETCH(bool, onForm);
        int id = 0;
        if (onForm) {
            QVERIFY(logIn());
            fillForm(false);
            menu->releaseForm->onRelease();
            id = menu->releaseForm->releaseRequest;
        } else {
            kwdReleaseLoad* page = kwdPublisher::sendLogin(menu);
            QVERIFY(page);
            id = page->loginRequest;
        }
        QVERIFY(id != 0);
        const QString loggedIn = kwdStore::instance()->config(kwdStore::loggedIn).toString();
        menu->onGoBack();
        QTRY_VERIFY(holder->request(id) == nullptr);
        QVERIFY(messages.isEmpty());
        QCOMPARE(kwdStore::instance()->config(kwdStore::loggedIn).toString(), loggedIn);
    }

    void refusedUploadLogsOut()
    {
        QVERIFY(logIn());
        kwdReleaseHouse* form = menu->releaseForm;
        form->uploadRequest = kwdPublishService::postPhoto(form, city, "/tmp/p.jpg", "D0", "demo",
                                                           "stale digest", kwdImageBytes("JPG"));
        QTRY_VERIFY(form->uploadRequest == 0);
        QCOMPARE(messages, QStringList{"user release: uid or pwd is error"});
        QVERIFY(kwdStore::instance()->config(kwdStore::loggedIn).toString().isEmpty());
        // As any logout, the refused digest does not stay behind.
        QVERIFY(kwdStore::instance()->config(kwdStore::cfgOnloadPassword).toString().isEmpty());
        QVERIFY(menu->loginPage && menu->loginPage->isVisible());
    }
};

KWD_TEST_MAIN(TestKwdPublish)
#include "tst_kwdpublish.moc"
