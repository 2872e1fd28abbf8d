#include "addcontact.h"
#include "kwdaddressbook.h"
#include "kwdcallhandoff.h"
#include "kwdmessage.h"
#include "kwdschemehandler.h"
#include "kwdtestenvironment.h"
#include "kwdtesttable.h"
#include "makephonecall.h"
#include "qvmdetailaction.h"
#include "qvmlistitem.h"
#include "qvmresultdetailitem.h"
#include "qvmresultview.h"
#include "qvmsaleitem.h"
#include "sendsms.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QDomDocument>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>

// Stands in for the desktop's programs: every URI handed to it is kept.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public Q_SLOTS:
    void take(const QUrl& url) { urls << url; }
};

// The contact panel on a host widget: its numbers, sub-panels, saved cards and hand-offs to fake tools;
// and address books in a temporary directory: cards written, read back, filtered and appended to.
class TestDetailAction : public QObject
{
    Q_OBJECT

    QWidget host;
    qvmDetailAction* panel = nullptr;
    QList<QPair<QString, QString>> boxes;
    UrlCatcher catcher;
    QTemporaryDir tools;
    QByteArray originalPath;

    // Fake programs first on PATH, nothing else: kdeconnect-cli lists `device` and exits with
    // `sendStatus` on --send-sms (logging its arguments); xdg-mime names `handler`. A status of -1
    // or the handler "(hangs)" waits for input that never comes.
    void fakeTools(bool kdeconnect, const QString& device, int sendStatus, bool xdgMime,
                   const QString& handler)
    {
        QDir(tools.path()).removeRecursively();
        QDir().mkpath(tools.path());
        auto write = [this](const char* name, const QByteArray& script) {
            QFile f(tools.filePath(QLatin1String(name)));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("#!/bin/sh\n" + script);
            f.close();
            f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
        };
        if (kdeconnect)
            write("kdeconnect-cli", QStringLiteral("if [ \"$1\" = -a ]; then printf '%1'; exit 0; fi\n"
                                                   "for a in \"$@\"; do printf '%s\\n' \"$a\" >> '%2'; done\n"
                                                   "%3\n")
                                        .arg(device, log(),
                                             sendStatus < 0 ? QStringLiteral("read never")
                                                            : QStringLiteral("exit %1").arg(sendStatus))
                                        .toUtf8());
        if (xdgMime)
            write("xdg-mime", handler == QLatin1String("(hangs)")
                                  ? QByteArray("read never\n")
                                  : QStringLiteral("printf '%1'\n").arg(handler).toUtf8());
        qputenv("PATH", tools.path().toUtf8());
    }
    QString log() const
    {
        return QDir::tempPath() +
               QStringLiteral("/kwd-fake-kdeconnect-%1.log").arg(QCoreApplication::applicationPid());
    }
    QStringList logged() const
    {
        QFile f(log());
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    void openButtons(const QString& phones, const QString& contact = QStringLiteral("链家 东四店"))
    {
        panel->show(contact, phones, QRect(10, 300, 340, 60), QStringLiteral("东城 两居 350万"), true);
        if (panel->lstPhones->count() > 1)
            panel->onListItemClicked(panel->lstPhones->item(0));
    }

    QTemporaryDir dir;

    QString book(const char* name) const { return dir.filePath(QLatin1String(name)); }

private Q_SLOTS:
    void initTestCase()
    {
        originalPath = qgetenv("PATH");
        qvmDetailAction::install();
        // A hung helper is given up after this long.
        kwdSchemeHandler::timeLimit = 1500;
        host.resize(360, 640);
        host.show();
        panel = new qvmDetailAction(&host);
        kwdMessage::setHook([this](const QString& t, const QString& x) { boxes << qMakePair(t, x); });
        for (const char* scheme : {"sms", "tel", "file"})
            QDesktopServices::setUrlHandler(QLatin1String(scheme), &catcher, "take");
    }

    void cleanupTestCase()
    {
        qputenv("PATH", originalPath);
        for (const char* scheme : {"sms", "tel", "file"})
            QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
        QFile::remove(log());
        kwdMessage::setHook({});
    }

    void init()
    {
        boxes.clear();
        catcher.urls.clear();
        QFile::remove(log());
    }

    void numbers_data()
    {
        kwdColumns<QString, QStringList>("phones", "numbers");
        kwdRow("landline with a dash and a mobile", QStringLiteral("1381234567 / 010-62345678"),
               QStringList{"010-62345678", "1381234567"});
        kwdRow("single", QStringLiteral("13812345678"), QStringList{"13812345678"});
        kwdRow("same length keeps its order", QStringLiteral("电话:13800000001，13800000002"),
               QStringList{"13800000001", "13800000002"});
        kwdRow("no number", QStringLiteral("暂无"), QStringList{});
        kwdRow("dashes are no number", QStringLiteral("-- / 13812345678"), QStringList{"13812345678"});
    }

    void numbers() { QTEST(qvmDetailAction::numbersOf(kwdData<QString>("phones")), "numbers"); }

    void showPanel_data()
    {
        kwdColumns<QString, bool, int>("phones", "fromBottom", "count");
        kwdRow("two numbers at the bottom", QStringLiteral("010-62345678 / 13812345678"), true, 2);
        kwdRow("three numbers from the middle", QStringLiteral("1,22,333"), false, 3);
        kwdRow("single number shows the buttons", QStringLiteral("13812345678"), true, 1);
        kwdRow("nothing to call", QStringLiteral("--"), true, 0);
    }

    // Inside the area it was opened for: at its bottom, or below its middle; a list when there is a choice.
    void showPanel()
    {
        QFETCH(bool, fromBottom);
        QFETCH(int, count);
        panel->hide();
        const QRect area(20, 200, 320, 300);
        panel->show(QStringLiteral("张先生"), kwdData<QString>("phones"), area, QStringLiteral("房源"),
                    fromBottom);
        QCOMPARE(panel->isVisible(), count > 0);
        if (count == 0)
            return;
        QCOMPARE(panel->lstPhones->count(), count);
        QCOMPARE(qMakePair(panel->widget_list->isVisible(), panel->widget_btns->isVisible()),
                 qMakePair(count > 1, count == 1));
        QCOMPARE(panel->number.isEmpty(), count > 1);
        const QRect g = panel->geometry();
        QVERIFY(g.width() <= area.width() && qAbs(g.center().x() - area.center().x()) <= 1);
        QCOMPARE(fromBottom ? g.bottom() : g.top(),
                 fromBottom ? area.bottom() : area.top() + area.height() / 2);
        if (count > 1) {
            // Every number is on screen without scrolling; choosing one shows the buttons, centred.
            const QListWidget* list = panel->lstPhones;
            QVERIFY(list->visualItemRect(list->item(count - 1)).bottom() < list->viewport()->height());
            panel->onListItemClicked(panel->lstPhones->item(count - 1));
            QCOMPARE(panel->number, panel->lstPhones->item(count - 1)->text());
            QVERIFY(panel->widget_btns->isVisible() && !panel->widget_list->isVisible());
            QVERIFY(qAbs(panel->geometry().center().y() - area.center().y()) <= 1);
        }
    }

    void messages_data()
    {
        // typed: then typed over the text, the count is of characters.
        kwdColumns<bool, QString, QString, QString, QString, QString>("listing", "contact", "sms", "smsTo",
                                                                      "typed", "count");
        const QString t = QStringLiteral("东城 两居 350万"), phone = QStringLiteral("\nphone:13812345678");
        const QString sms = "I'm intresting in " + t + ",call me";
        kwdRow("listing with a contact", true, "链家", sms, "I find this " + t + "\ncontact:链家" + phone,
               "我想看看这套房子的图", "10Words");
        kwdRow("SMS To without a contact name", true, "", sms, "I find this " + t + phone, "call me",
               "7Words");
        kwdRow("not a listing: the title alone", false, "链家", t, t, "", "0Words");
    }

    void messages()
    {
        QFETCH(bool, listing);
        panel->show(kwdData<QString>("contact"), QStringLiteral("13812345678"), QRect(0, 300, 360, 60),
                    QStringLiteral("东城 两居 350万"), listing);
        panel->btnSMS->click();
        QVERIFY(panel->sms->isVisible() && !panel->widget_btns->isVisible());
        QCOMPARE(panel->sms->lineEdit->text(), QStringLiteral("13812345678"));
        QVERIFY(!panel->sms->comboBox->isVisible());
        QTEST(panel->sms->textEdit->toPlainText(), "sms");
        panel->sms->btnCancel->click();
        QVERIFY(panel->widget_btns->isVisible());
        panel->btnSMSTo->click();
        QVERIFY(panel->sms->lineEdit->text().isEmpty() && panel->sms->comboBox->isVisible());
        QTEST(panel->sms->textEdit->toPlainText(), "smsTo");
        // The panel grew for the sub-panel and keeps its bottom edge (a listing) or its top edge.
        QCOMPARE(listing ? panel->geometry().bottom() : panel->geometry().top(), listing ? 359 : 330);
        QVERIFY(panel->height() >= panel->sizeHint().height());
        panel->sms->textEdit->setPlainText(kwdData<QString>("typed"));
        QTEST(panel->sms->lblTextCount->text(), "count");
        panel->sms->btnCancel->click();
    }

    void addContactsAndPick_data()
    {
        kwdColumns<QStringList, QByteArray>("names", "foreign"); // foreign: a card another program adds first
        kwdRow("two contacts from the same panel", QStringList{"链家 东四店", "王经理"}, QByteArray());
        kwdRow("and a third, later", QStringList{"赵女士"}, QByteArray());
        kwdRow("a card with only a display name", QStringList{},
               QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:周女士\r\nTEL:13700001111\r\nEND:VCARD\r\n"));
    }

    // Saving works every time (the panel is reused), and the picker's last entry fills its number.
    void addContactsAndPick()
    {
        QFETCH(QStringList, names);
        const QByteArray foreign = kwdData<QByteArray>("foreign");
        QFile book(kwdAddressBook().path());
        QVERIFY(foreign.isEmpty() || (book.open(QIODevice::Append) && book.write(foreign) > 0));
        book.close();
        for (int i = 0; i < names.size(); ++i) {
            const QString phone =
                QStringLiteral("1390000%1").arg(kwdAddressBook().contacts().size(), 4, 10, QLatin1Char('0'));
            openButtons(phone, names.at(i));
            panel->btnAddContact->click();
            QVERIFY(panel->addContact->isVisible());
            QCOMPARE(panel->addContact->editName->text(), names.at(i));
            QCOMPARE(panel->addContact->editPhone->text(), phone);
            panel->addContact->btnAdd->click();
            QVERIFY2(boxes.isEmpty(), qPrintable(boxes.value(0).second));
            QVERIFY(!panel->addContact->isVisible() && panel->widget_btns->isVisible());
            // The offer to open the card hands a file of that one card to the desktop.
            QMessageBox* offer = nullptr;
            QTRY_VERIFY(offer = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()));
            offer->button(QMessageBox::Open)->click();
            QCOMPARE(catcher.urls.size(), i + 1);
            QFile card(catcher.urls.last().toLocalFile());
            QVERIFY(card.open(QIODevice::ReadOnly));
            const QList<kwdContactCard> one = kwdAddressBook::decode(card.readAll());
            QCOMPARE(one.size(), 1);
            QCOMPARE(one.first().phone, phone);
        }
        const QList<kwdContactCard> all = kwdAddressBook().contacts();
        openButtons(QStringLiteral("13812345678"));
        panel->btnSMSTo->click();
        QComboBox* picker = panel->sms->comboBox;
        QTRY_COMPARE(picker->count(), int(all.size()) + 1);
        QCOMPARE(picker->itemText(0), QStringLiteral("Select a contact"));
        picker->setCurrentIndex(picker->count() - 1);
        QCOMPARE(panel->sms->lineEdit->text(), all.last().phone);
        QCOMPARE(picker->itemText(picker->count() - 1),
                 all.last().displayName() + "(" + all.last().phone + ")");
        picker->setCurrentIndex(0);
        QCOMPARE(panel->sms->lineEdit->text(), all.last().phone);
        // Typing narrows the picker: a name, then digits of a number.
        panel->sms->lineEdit->clear();
        QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("王"));
        QApplication::sendEvent(panel->sms->lineEdit, &typed);
        const auto named = std::count_if(all.cbegin(), all.cend(), [](const kwdContactCard& c) {
            return c.displayName().contains(QStringLiteral("王"));
        });
        QVERIFY(named > 0);
        QCOMPARE(picker->count(), int(named) + 1);
        panel->sms->lineEdit->clear();
        QTest::keyClicks(panel->sms->lineEdit, all.first().phone);
        QCOMPARE(picker->count(), 2);
        QCOMPARE(picker->itemText(1), all.first().displayName() + "(" + all.first().phone + ")");
        panel->sms->btnCancel->click();
    }

    void addContactRefused_data()
    {
        kwdColumns<QString, QString>("name", "message");
        kwdRow("no name", "", "Name and Phone Can't be empty");
        // The same person with the same number again is refused by the book, with its error code.
        kwdRow("saved before", "孙先生",
               QStringLiteral("Failed to save contact!\n(error code %1)")
                   .arg(int(kwdAddressBook::AlreadyExistsError)));
    }

    // The message names the refusal and the sub-panel stays open to correct it.
    void addContactRefused()
    {
        const QString name = kwdData<QString>("name");
        for (int attempt = name.isEmpty(); attempt < 2; ++attempt) {
            boxes.clear();
            openButtons(QStringLiteral("13600001234"), name);
            panel->btnAddContact->click();
            panel->addContact->btnAdd->click();
            QMessageBox* offer = nullptr;
            if (attempt == 0) {
                QTRY_VERIFY(offer = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()));
                offer->button(QMessageBox::Close)->click();
            }
        }
        QCOMPARE(boxes.value(0), qMakePair(QStringLiteral("Failed"), kwdData<QString>("message")));
        QVERIFY(panel->addContact->isVisible() && panel->addContact->isEnabled());
        panel->addContact->btnCancel->click();
    }

    void handOff_data()
    {
        // then: during the hand-off, "cancel", or "reopen" and send again.
        kwdColumns<bool, QString, int, bool, QString, int, QString, QString>(
            "kdeconnect", "device", "sendStatus", "xdgMime", "handler", "route", "message", "then");
        const int kde = kwdSmsHandoff::KdeConnect, uri = kwdSmsHandoff::SmsUri, none = kwdSmsHandoff::NoRoute;
        const QString refused = QStringLiteral("failed to send sms"),
                      late = QStringLiteral("发送短信的程序在");
        kwdRow("KDE Connect first", true, "abc123\n", 0, true, "x.desktop", kde, QString(), QString());
        kwdRow("KDE Connect failing", true, "abc123", 1, true, "x.desktop", kde, "Unable to send message",
               QString());
        kwdRow("no reachable device: sms handler", true, "", 0, true, "x.desktop", uri, QString(), QString());
        kwdRow("no KDE Connect: sms handler", false, "", 0, true, "x.desktop", uri, QString(), QString());
        kwdRow("no handler registered", false, "", 0, true, "", none, refused, QString());
        kwdRow("no tools at all", false, "", 0, false, "", none, refused, QString());
        kwdRow("KDE Connect hangs: time limit", true, "abc123", -1, true, "x.desktop", kde, late, QString());
        kwdRow("xdg-mime hangs: time limit", false, "", 0, true, "(hangs)", none, late, QString());
        kwdRow("cancelled while handed on", true, "abc123", -1, true, "x.desktop", none, QString(), "cancel");
        kwdRow("reopened while handed on", false, "", 0, true, "(hangs)", kde, QString(), "reopen");
    }

    void handOff()
    {
        QFETCH(bool, kdeconnect);
        QFETCH(bool, xdgMime);
        QFETCH(int, route);
        QFETCH(QString, message);
        QFETCH(QString, then);
        fakeTools(kdeconnect, kwdData<QString>("device"), kwdData<int>("sendStatus"), xdgMime,
                  kwdData<QString>("handler"));
        QApplication::clipboard()->clear();
        openButtons(QStringLiteral("010-62345678 / 13812345678"));
        panel->btnSMS->click();
        const QString text = panel->sms->textEdit->toPlainText();
        panel->sms->btnSend->click();
        // States arrive later, never from inside the click: a spy made now still sees them all.
        QSignalSpy states(panel->sms->service, &kwdSmsHandoff::stateChanged);
        const bool refusedAtOnce = !kdeconnect && !xdgMime;
        // Only the draft waits for the hand-off; Cancel works throughout.
        QCOMPARE(panel->sms->btnSend->isEnabled(), refusedAtOnce);
        QVERIFY(panel->sms->btnCancel->isEnabled());
        if (then == "cancel")
            panel->sms->btnCancel->click();
        if (then == "reopen") {
            // A new draft is usable at once, and what becomes of the old one never reaches it.
            openButtons(QStringLiteral("010-62345678 / 13812345678"));
            panel->btnSMS->click();
            QVERIFY(panel->sms->btnSend->isEnabled());
            fakeTools(true, "abc123", 0, true, "x.desktop");
            panel->sms->btnSend->click();
        }
        // Active, then finished or given up (and for a new draft, active and finished again).
        QTRY_COMPARE(states.size(), refusedAtOnce ? 0 : then == "reopen" ? 4 : 2);
        if (!refusedAtOnce) {
            QCOMPARE(states.at(0).at(0).value<kwdSmsHandoff::State>(), kwdSmsHandoff::ActiveState);
            QCOMPARE(states.at(1).at(0).value<kwdSmsHandoff::State>(),
                     then.isEmpty() ? kwdSmsHandoff::FinishedState : kwdSmsHandoff::CanceledState);
            QCOMPARE(states.last().at(0).value<kwdSmsHandoff::State>(),
                     then == "cancel" ? kwdSmsHandoff::CanceledState : kwdSmsHandoff::FinishedState);
        }
        QVERIFY(panel->sms->btnSend->isEnabled());
        QCOMPARE(int(panel->sms->service->route()), route);
        QCOMPARE(panel->sms->isVisible(), !message.isEmpty());
        QCOMPARE(boxes.isEmpty(), message.isEmpty());
        if (!message.isEmpty())
            QVERIFY(boxes.first().second.startsWith(message));
        if (route == kwdSmsHandoff::KdeConnect)
            QCOMPARE(logged(),
                     (QStringList{"--send-sms", text, "--destination", "010-62345678", "-d", "abc123"}));
        QCOMPARE(catcher.urls.size(), route == kwdSmsHandoff::SmsUri ? 1 : 0);
        if (route == kwdSmsHandoff::SmsUri) {
            QCOMPARE(catcher.urls.first().toString(QUrl::RemoveQuery), QStringLiteral("sms:010-62345678"));
            QCOMPARE(QUrlQuery(catcher.urls.first()).queryItemValue("body", QUrl::FullyDecoded), text);
        }
        // What did not go out is on the clipboard, unless the tool itself refused it.
        const bool copied = !message.isEmpty() && message != QLatin1String("Unable to send message");
        QCOMPARE(QApplication::clipboard()->text(), copied ? "010-62345678\n" + text : QString());
        if (panel->sms->isVisible())
            panel->sms->btnCancel->click();
    }

    void call_data()
    {
        // other: called instead while the first is handed on.
        kwdColumns<QString, QString, QString, QString>("number", "handler", "uri", "other");
        kwdRow("landline", "010-62345678", "calls.desktop", "tel:+86-10-62345678", "");
        kwdRow("mobile", "13812345678", "calls.desktop", "tel:+86-13812345678", "");
        kwdRow("national only", "400-820-1234", "calls.desktop", "tel:400-820-1234;phone-context=+86", "");
        kwdRow("nothing places calls", "13812345678", "", "", "");
        kwdRow("helper hangs: time limit", "13812345678", "(hangs)", "", "");
        kwdRow("another number while handed on", "13812345678", "(hangs)", "", "010-62345678");
    }

    void call()
    {
        QFETCH(QString, number);
        QFETCH(QString, uri);
        QFETCH(QString, other);
        fakeTools(false, QString(), 0, true, kwdData<QString>("handler"));
        QApplication::clipboard()->clear();
        MakePhoneCall* call = panel->phoneCall;
        for (const QString& n : QStringList{number, other}) {
            if (n.isEmpty())
                continue;
            openButtons(n);
            panel->btnCall->click();
            QVERIFY(call->isVisible() && !call->btnHangup->isVisible());
            QCOMPARE(call->lblCalling->text(), "Are you sure ? Calling: " + n + "?");
            call->btnMakeCall->click();
            QVERIFY(!call->btnMakeCall->isEnabled());
        }
        // Only the last number is spoken of and copied.
        if (!other.isEmpty())
            number = other;
        QTRY_VERIFY(call->btnMakeCall->isEnabled());
        QCOMPARE(call->isVisible(), uri.isEmpty());
        if (uri.isEmpty()) {
            QCOMPARE(catcher.urls.size(), 0);
            QCOMPARE(QApplication::clipboard()->text(), number);
            QVERIFY(boxes.size() == 1 && boxes.first().second.contains(number));
            call->btnCancel->click();
        } else {
            QCOMPARE(catcher.urls.value(0).toString(), uri);
        }
        QVERIFY(panel->widget_btns->isVisible());
    }

    void detailBands_data()
    {
        kwdColumns<int, QString, QStringList>("band", "contact", "numbers");
        kwdRow("first agency", 0, QStringLiteral("链家 东四店"), QStringList{"010-62345678", "13812345678"});
        kwdRow("second agency, its own numbers", 1, QStringLiteral("王先生"), QStringList{"13900001111"});
    }

    // Every band of a listing's detail opens the panel with its own agency's numbers.
    void detailBands()
    {
        QDomDocument doc;
        QVERIFY(doc.setContent(QStringLiteral(
            "<forsale><id>s1</id><name>东城 两居</name>"
            "<co><id>c1</id><name>链家 东四店</name><phone>13812345678 / 010-62345678</phone></co>"
            "<co><id></id><name>王先生</name><phone>13900001111</phone></co></forsale>")));
        qvmSaleItem row;
        QVERIFY(row.read(doc.documentElement()));
        row.complete = true;
        qvmResultView view(&host);
        view.resize(360, 600);
        view.show();
        auto* detail = new qvmResultDetailItem(&view, 2, &row);
        view.pushPage(detail);
        QTRY_VERIFY(!view.isAnimating());
        row.height(360, 1);
        QCOMPARE(row.contactLinks.size(), 2);
        const QRect rect = row.contactLinks.at(kwdData<int>("band")).rect;
        detail->clicked(QPointF(rect.center()));
        auto* shown = dynamic_cast<qvmDetailAction*>(view.detailAction());
        QVERIFY(shown && shown->isVisible() && shown->fromBottom);
        QTEST(shown->contact, "contact");
        QTEST(qvmDetailAction::numbersOf(shown->phones), "numbers");
        QCOMPARE(shown->title, row.name);
        // The panel sits over the band it was opened from; a tap elsewhere on the page hides it.
        QCOMPARE(shown->area, view.mapFromScene(detail->mapRectToScene(QRectF(rect))).boundingRect());
        detail->clicked(QPointF(5, 5));
        QVERIFY(!shown->isVisible());
        view.clear();
    }

    void roundTrip_data()
    {
        kwdColumns<QString, QString, QString>("family", "given", "phone");
        kwdRow("chinese given name", QString(), QStringLiteral("王小明"), QStringLiteral("13812345678"));
        kwdRow("family and given", QStringLiteral("欧阳"), QStringLiteral("娜娜"),
               QStringLiteral("010-62345678"));
        kwdRow("separators and backslash", QStringLiteral("链家;地产"), QStringLiteral("东四,店\\二部"),
               QStringLiteral("400-820-1234"));
        kwdRow("line break", QString(), QStringLiteral("销售中心\n周末"), QStringLiteral("13900000000"));
        // Longer than one 75-octet line: folded between characters, never inside one.
        kwdRow("folded", QString(), QString(40, QChar(0x623F)), QStringLiteral("13700000000"));
    }

    void roundTrip()
    {
        QFETCH(QString, family);
        QFETCH(QString, given);
        QFETCH(QString, phone);
        const QString path = book(QTest::currentDataTag());
        kwdAddressBook store(path);
        QVERIFY(store.save(kwdContactCard{family, given, family + given, phone}));
        QCOMPARE(store.error(), kwdAddressBook::NoError);
        const QList<kwdContactCard> read = kwdAddressBook(path).contacts();
        QCOMPARE(read.size(), 1);
        const kwdContactCard& c = read.first();
        QCOMPARE(QStringList({c.family, c.given, c.formatted, c.phone}),
                 QStringList({family, given, family + given, phone}));

        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY(bytes.startsWith("BEGIN:VCARD\r\nVERSION:3.0\r\n"));
        for (const QByteArray& line : bytes.split('\n')) {
            QVERIFY2(line.size() <= 76, line.constData());     // 75 octets and the CR
            QVERIFY(QString::fromUtf8(line).toUtf8() == line); // no split UTF-8 sequence
        }
    }

    void filter_data()
    {
        kwdColumns<QString, QStringList>("filter", "names");
        kwdRow("all", QString(), QStringList{"张三", "李四", "张伟"});
        kwdRow("digits match the number", QStringLiteral("6234"), QStringList{"李四"});
        kwdRow("digits across the dash", QStringLiteral("0106"), QStringList{"李四"});
        kwdRow("name", QStringLiteral("张"), QStringList{"张三", "张伟"});
        kwdRow("nothing", QStringLiteral("赵"), QStringList{});
    }

    void filter()
    {
        const QString path = book("filter");
        kwdAddressBook store(path);
        if (store.contacts().isEmpty()) {
            const QList<QPair<QString, QString>> people = {
                {"张三", "13811112222"}, {"李四", "010-62345678"}, {"张伟", "13933334444"}};
            for (const auto& [name, phone] : people)
                QVERIFY(store.save(kwdContactCard{QString(), name, name, phone}));
        }
        QStringList names;
        for (const kwdContactCard& c : store.contacts(kwdData<QString>("filter")))
            names << c.displayName();
        QTEST(names, "names");
    }

    // Cards written by other programs: groups, parameters, folding, family;given order.
    void foreignCards()
    {
        const QByteArray data = "BEGIN:VCARD\nVERSION:3.0\nN:张;三丰;;;\nFN:张三丰\n"
                                "item1.TEL;TYPE=CELL:138 0000\r\n 1111\nEND:VCARD\r\n"
                                "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:只有全名\r\nTEL:400-1\r\nEND:VCARD\r\n";
        const QList<kwdContactCard> cards = kwdAddressBook::decode(data);
        QCOMPARE(cards.size(), 2);
        QCOMPARE(cards.at(0).displayName(), QStringLiteral("张三丰"));
        QCOMPARE(cards.at(0).phone, QStringLiteral("138 00001111"));
        QCOMPARE(cards.at(1).displayName(), QStringLiteral("只有全名"));
    }

    void appendKeepsTheBook_data()
    {
        kwdColumns<QByteArray, QString, int>("before", "name", "error");
        const QByteArray foreign =
            "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:王五\r\nTEL:13700000000\r\nX-OTHER:keep\r\nEND:VCARD";
        kwdRow("new person after a card of another program", foreign, QStringLiteral("赵六"), 0);
        kwdRow("the same person again", foreign, QStringLiteral("王五"),
               int(kwdAddressBook::AlreadyExistsError));
        kwdRow("empty name", QByteArray(), QString(), int(kwdAddressBook::BadArgumentError));
    }

    void appendKeepsTheBook()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, name);
        QFETCH(int, error);
        const QString path = book(QTest::currentDataTag());
        if (!before.isEmpty()) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(before);
        }
        kwdAddressBook store(path);
        QCOMPARE(store.save(kwdContactCard{QString(), name, name, QStringLiteral("13700000000")}),
                 error == 0);
        QCOMPARE(int(store.error()), error);
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) {
            QVERIFY(before.isEmpty());
            return;
        }
        const QByteArray after = f.readAll();
        // What was there stays byte for byte, whatever the outcome.
        QVERIFY(after.startsWith(before));
        QCOMPARE(store.contacts().size(), error == 0 ? 2 : 1);
    }

    void unwritablePlace()
    {
        // A book below a plain file can never be written.
        const QString blocker = book("blocker");
        QFile f(blocker);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        kwdAddressBook store(blocker + QStringLiteral("/contacts.vcf"));
        QVERIFY(!store.save(kwdContactCard{QString(), QStringLiteral("张三"), QStringLiteral("张三"),
                                           QStringLiteral("13800000000")}));
        QVERIFY(store.error() != kwdAddressBook::NoError);
    }
};

KWD_TEST_MAIN(TestDetailAction)
#include "tst_qvmdetailaction.moc"
