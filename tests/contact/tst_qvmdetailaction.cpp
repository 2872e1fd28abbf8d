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
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>

// The contact panel on a host widget: its numbers, sub-panels, saved cards and hand-offs to fake tools;
// and address books in a temporary directory: cards written, read back, filtered and appended to.
class TestDetailAction : public QObject
{
    Q_OBJECT

    QWidget host;
    qvmDetailAction* panel = nullptr;
    QList<QPair<QString, QString>> boxes;
    QList<QUrl> urls; // every URI handed to the desktop's programs
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
    QTemporaryDir logDir;
    QString log() const { return logDir.filePath(QStringLiteral("kdeconnect.log")); }
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

public Q_SLOTS:
    // Stands in for the desktop's programs.
    void take(const QUrl& url) { urls << url; }

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
            QDesktopServices::setUrlHandler(QLatin1String(scheme), this, "take");
    }

    void cleanupTestCase()
    {
        qputenv("PATH", originalPath);
        for (const char* scheme : {"sms", "tel", "file"})
            QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
        kwdMessage::setHook({});
    }

    void init()
    {
        boxes.clear();
        urls.clear();
        QFile::remove(log());
    }

    void numbers_data()
    {
        kwdColumns<QString, QStringList>("phones", "numbers");
        kwdRow("landline with a dash and a mobile", QStringLiteral("1381234567 / 010-62345678"),
               QStringList{"010-62345678", "1381234567"});
        kwdRow("single", QStringLiteral("13812345678"), QStringList{"13812345678"});
        kwdRow("no number", QStringLiteral("暂无"), QStringList{});
        kwdRow("dashes are no number", QStringLiteral("-- / 13812345678"), QStringList{"13812345678"});
    }

    // The panel opens only with a number to call: a list when there is a choice, with every number on
    // screen without scrolling, the buttons otherwise.
    void numbers()
    {
        QFETCH(QStringList, numbers);
        const QString phones = kwdData<QString>("phones");
        QCOMPARE(qvmDetailAction::numbersOf(phones), numbers);
        panel->hide();
        panel->show(QStringLiteral("张先生"), phones, QRect(20, 200, 320, 300), QStringLiteral("房源"), true);
        QCOMPARE(panel->isVisible(), !numbers.isEmpty());
        if (numbers.isEmpty())
            return;
        const bool list = numbers.size() > 1;
        QCOMPARE(qMakePair(panel->widget_list->isVisible(), panel->widget_btns->isVisible()),
                 qMakePair(list, !list));
        QCOMPARE(panel->number, list ? QString() : numbers.first());
        const QListWidget* shown = panel->lstPhones;
        QVERIFY(shown->visualItemRect(shown->item(shown->count() - 1)).bottom() <
                shown->viewport()->height());
    }

    void messages_data()
    {
        kwdColumns<bool, QString, QString, QString>("listing", "contact", "sms", "smsTo");
        const QString t = QStringLiteral("东城 两居 350万"), phone = QStringLiteral("\nphone:13812345678");
        const QString sms = "I'm intresting in " + t + ",call me";
        kwdRow("listing with a contact", true, "链家", sms, "I find this " + t + "\ncontact:链家" + phone);
        kwdRow("SMS To without a contact name", true, "", sms, "I find this " + t + phone);
        kwdRow("not a listing: the title alone", false, "链家", t, t);
    }

    void messages()
    {
        panel->show(kwdData<QString>("contact"), QStringLiteral("13812345678"), QRect(0, 300, 360, 60),
                    QStringLiteral("东城 两居 350万"), kwdData<bool>("listing"));
        // SMS goes to the chosen number, SMS To to one typed or picked.
        panel->btnSMS->click();
        QVERIFY(panel->sms->lineEdit->text() == QStringLiteral("13812345678") &&
                !panel->sms->comboBox->isVisible());
        QTEST(panel->sms->textEdit->toPlainText(), "sms");
        panel->sms->btnCancel->click();
        panel->btnSMSTo->click();
        QVERIFY(panel->sms->lineEdit->text().isEmpty() && panel->sms->comboBox->isVisible());
        QTEST(panel->sms->textEdit->toPlainText(), "smsTo");
        panel->sms->btnCancel->click();
    }

    void addContactsAndPick_data()
    {
        kwdColumns<QStringList, QByteArray>("names", "foreign"); // foreign: a card another program adds first
        kwdRow("two contacts from the same panel", QStringList{"链家 东四店", "王经理"}, QByteArray());
        kwdRow("a card with only a display name", QStringList{},
               QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:周女士\r\nTEL:13700001111\r\nEND:VCARD\r\n"));
    }

    // Saving works every time (the panel is reused) but not twice for the same person, and the picker's
    // last entry fills its number.
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
            QCOMPARE(panel->addContact->editName->text(), names.at(i));
            panel->addContact->btnAdd->click();
            QVERIFY2(boxes.isEmpty(), qPrintable(boxes.value(0).second));
            QVERIFY(!panel->addContact->isVisible() && panel->widget_btns->isVisible());
            // The offer to open the card hands a file of that one card to the desktop.
            QMessageBox* offer = nullptr;
            QTRY_VERIFY(offer = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()));
            offer->button(QMessageBox::Open)->click();
            QCOMPARE(urls.size(), i + 1);
            QFile card(urls.last().toLocalFile());
            QVERIFY(card.open(QIODevice::ReadOnly));
            const QList<kwdContactCard> one = kwdAddressBook::decode(card.readAll());
            QCOMPARE(one.size(), 1);
            QCOMPARE(one.first().phone, phone);
        }
        if (!names.isEmpty()) {
            // The same person again: the book's refusal is told with its error code, and the sub-panel
            // stays open to correct it.
            panel->btnAddContact->click();
            panel->addContact->btnAdd->click();
            QCOMPARE(boxes.value(0), qMakePair(QStringLiteral("Failed"),
                                               QStringLiteral("Failed to save contact!\n(error code %1)")
                                                   .arg(int(kwdAddressBook::AlreadyExistsError))));
            QVERIFY(panel->addContact->isVisible() && panel->addContact->isEnabled());
            panel->addContact->btnCancel->click();
        }
        const QList<kwdContactCard> all = kwdAddressBook().contacts();
        openButtons(QStringLiteral("13812345678"));
        panel->btnSMSTo->click();
        QComboBox* picker = panel->sms->comboBox;
        QTRY_COMPARE(picker->count(), int(all.size()) + 1);
        picker->setCurrentIndex(picker->count() - 1);
        QCOMPARE(panel->sms->lineEdit->text(), all.last().phone);
        panel->sms->btnCancel->click();
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
        if (!refusedAtOnce)
            QCOMPARE(states.last().at(0).value<kwdSmsHandoff::State>(),
                     then == "cancel" ? kwdSmsHandoff::CanceledState : kwdSmsHandoff::FinishedState);
        QVERIFY(panel->sms->btnSend->isEnabled());
        QCOMPARE(int(panel->sms->service->route()), route);
        QCOMPARE(panel->sms->isVisible(), !message.isEmpty());
        QCOMPARE(boxes.isEmpty(), message.isEmpty());
        if (!message.isEmpty())
            QVERIFY(boxes.first().second.startsWith(message));
        if (route == kwdSmsHandoff::KdeConnect)
            QCOMPARE(logged(),
                     (QStringList{"--send-sms", text, "--destination", "010-62345678", "-d", "abc123"}));
        QCOMPARE(urls.size(), route == kwdSmsHandoff::SmsUri ? 1 : 0);
        if (route == kwdSmsHandoff::SmsUri) {
            QCOMPARE(urls.first().toString(QUrl::RemoveQuery), QStringLiteral("sms:010-62345678"));
            QCOMPARE(QUrlQuery(urls.first()).queryItemValue("body", QUrl::FullyDecoded), text);
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
            call->btnMakeCall->click();
            QVERIFY(!call->btnMakeCall->isEnabled());
        }
        // Only the last number is spoken of and copied.
        if (!other.isEmpty())
            number = other;
        QTRY_VERIFY(call->btnMakeCall->isEnabled());
        QCOMPARE(call->isVisible(), uri.isEmpty());
        if (uri.isEmpty()) {
            QCOMPARE(urls.size(), 0);
            QCOMPARE(QApplication::clipboard()->text(), number);
            QVERIFY(boxes.size() == 1 && boxes.first().second.contains(number));
            call->btnCancel->click();
        } else {
            QCOMPARE(urls.value(0).toString(), uri);
        }
    }

    // Every band of a listing's detail opens the panel with its own agency's numbers: the second band
    // shows its agency, not the first one's.
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
        const QRect rect = row.contactLinks.at(1).rect;
        detail->clicked(QPointF(rect.center()));
        auto* shown = dynamic_cast<qvmDetailAction*>(view.detailAction());
        QVERIFY(shown && shown->isVisible() && shown->fromBottom);
        QCOMPARE(shown->contact, QStringLiteral("王先生"));
        QCOMPARE(qvmDetailAction::numbersOf(shown->phones), QStringList{"13900001111"});
        view.clear();
    }

    void save_data()
    {
        // before: the book's bytes before the save, written by another program; error -1: any error.
        kwdColumns<QByteArray, QString, QString, QString, int>("before", "family", "given", "phone", "error");
        const QByteArray foreign =
            "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:王五\r\nTEL:13700000000\r\nX-OTHER:keep\r\nEND:VCARD";
        kwdRow("family and given", QByteArray(), QStringLiteral("欧阳"), QStringLiteral("娜娜"),
               QStringLiteral("010-62345678"), 0);
        kwdRow("separators and backslash", QByteArray(), QStringLiteral("链家;地产"),
               QStringLiteral("东四,店\\二部"), QStringLiteral("400-820-1234"), 0);
        kwdRow("line break", QByteArray(), QString(), QStringLiteral("销售中心\n周末"),
               QStringLiteral("13900000000"), 0);
        // Longer than one 75-octet line: folded between characters, never inside one.
        kwdRow("folded", QByteArray(), QString(), QString(40, QChar(0x623F)), QStringLiteral("13700000000"),
               0);
        kwdRow("new person after a card of another program", foreign, QString(), QStringLiteral("赵六"),
               QStringLiteral("13700000000"), 0);
        kwdRow("the same person again", foreign, QString(), QStringLiteral("王五"),
               QStringLiteral("13700000000"), int(kwdAddressBook::AlreadyExistsError));
        kwdRow("empty name", QByteArray(), QString(), QString(), QStringLiteral("13700000000"),
               int(kwdAddressBook::BadArgumentError));
        // A book below a plain file can never be written.
        kwdRow("below a plain file", QByteArray("a file"), QString(), QStringLiteral("张三"),
               QStringLiteral("13800000000"), -1);
    }

    // A card saved is read back as it was; what was in the book stays byte for byte, whatever the outcome.
    void save()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, family);
        QFETCH(QString, given);
        QFETCH(QString, phone);
        QFETCH(int, error);
        QString path = book(QTest::currentDataTag());
        QFile f(path);
        QVERIFY(before.isEmpty() || (f.open(QIODevice::WriteOnly) && f.write(before) == before.size()));
        f.close();
        if (error < 0)
            path += QStringLiteral("/contacts.vcf");
        kwdAddressBook store(path);
        QCOMPARE(store.save(kwdContactCard{family, given, family + given, phone}), error == 0);
        QVERIFY(error < 0 ? store.error() != kwdAddressBook::NoError : int(store.error()) == error);
        const QList<kwdContactCard> read = kwdAddressBook(path).contacts();
        QCOMPARE(read.size(), int(!before.isEmpty() && error >= 0) + int(error == 0));
        const QByteArray bytes = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        QVERIFY(bytes.startsWith(before));
        if (error != 0)
            return;
        const kwdContactCard& c = read.last();
        QCOMPARE(QStringList({c.family, c.given, c.formatted, c.phone}),
                 QStringList({family, given, family + given, phone}));
        QVERIFY(
            bytes.mid(before.size())
                .startsWith((before.isEmpty() ? "" : "\r\n") + QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\n")));
        for (const QByteArray& line : bytes.split('\n')) {
            QVERIFY2(line.size() <= 76, line.constData());     // 75 octets and the CR
            QVERIFY(QString::fromUtf8(line).toUtf8() == line); // no split UTF-8 sequence
        }
    }

    void filter_data()
    {
        kwdColumns<QString, QStringList>("filter", "names");
        kwdRow("all", QString(), QStringList{"张三", "李四", "张伟"});
        kwdRow("digits across the dash", QStringLiteral("0106"), QStringList{"李四"});
        kwdRow("name", QStringLiteral("张"), QStringList{"张三", "张伟"});
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
};

KWD_TEST_MAIN(TestDetailAction)
#include "tst_qvmdetailaction.moc"
