#include "kwdreleaseload.h"

#include "kwdinputpanelfilter.h"
#include "kwdmessage.h"
#include "kwdnetworkerror.h"
#include "kwdpublishservice.h"
#include "kwdshowwait.h"
#include "kwdstore.h"
#include "qvmhttpholder.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
const QString white = QStringLiteral("QLineEdit { background: white }");
const QString red = QStringLiteral("QLineEdit { background: red }");
} // namespace

kwdReleaseLoad::kwdReleaseLoad(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("releaseLoad"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(20, 20, 20, 20);
    grid->setVerticalSpacing(12);
    lblInfo = new QLabel(tr("xinxineirong"), this);
    lblInfo->setObjectName(QStringLiteral("lblInfo"));
    lblInfo->setWordWrap(true);
    grid->addWidget(lblInfo, 0, 0, 1, 2);
    auto* lblUser = new QLabel(tr("username:"), this);
    lblUser->setObjectName(QStringLiteral("lblUsername"));
    editUser = new QLineEdit(this);
    editUser->setObjectName(QStringLiteral("editUsername"));
    grid->addWidget(lblUser, 1, 0);
    grid->addWidget(editUser, 1, 1);
    auto* lblPassword = new QLabel(tr("userpassword:"), this);
    lblPassword->setObjectName(QStringLiteral("lblPassword"));
    editPassword = new QLineEdit(this);
    editPassword->setObjectName(QStringLiteral("editPassword"));
    editPassword->setEchoMode(QLineEdit::Password);
    grid->addWidget(lblPassword, 2, 0);
    grid->addWidget(editPassword, 2, 1);
    btnOK = new QPushButton(tr("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setMinimumHeight(40);
    grid->addWidget(btnOK, 3, 0, 1, 2);
    grid->setRowStretch(4, 1);
    connect(btnOK, &QPushButton::clicked, this, &kwdReleaseLoad::onok);
    connect(editPassword, &QLineEdit::textEdited, this, [this] { storedDigestShown = false; });
    kwdInputPanelFilter::install(this, {editUser, editPassword});
}

void kwdReleaseLoad::reset()
{
    kwdStore* store = kwdStore::instance();
    editUser->setStyleSheet(white);
    editPassword->setStyleSheet(white);
    editUser->setText(store->config(kwdStore::cfgOnloadName).toString());
    editPassword->clear();
    storedDigestShown = false;
    if (editUser->text().isEmpty())
        editUser->setFocus();
    else
        editPassword->setFocus();
    btnOK->setEnabled(true);
    if (!store->config(kwdStore::loggedIn).toString().isEmpty()) {
        editPassword->setText(store->config(kwdStore::cfgOnloadPassword).toString());
        storedDigestShown = true;
        btnOK->setEnabled(false);
        onok();
    }
}

void kwdReleaseLoad::onok()
{
    editUser->setStyleSheet(white);
    editPassword->setStyleSheet(white);
    userName = editUser->text();
    for (QLineEdit* e : {editUser, editPassword}) {
        if (e->text().isEmpty()) {
            e->setFocus();
            e->setStyleSheet(red);
            btnOK->setEnabled(true);
            return;
        }
    }
    passwordDigest =
        storedDigestShown ? editPassword->text() : kwdPublishService::digest(editPassword->text());
    loginRequest =
        kwdPublishService::postLogin(this, kwdPublishService::currentCityCode(), userName, passwordDigest);
    if (kwdShowWait* wait = kwdShowWait::instance())
        wait->showBeside(editPassword, tr("logining..."));
    btnOK->setEnabled(false);
}

void kwdReleaseLoad::refuse(const QString& text)
{
    kwdMessage::critical(tr("User Login"), text);
    storedDigestShown = false;
    editPassword->setFocus();
    editPassword->clear();
}

void kwdReleaseLoad::onHttpResponse(int id, int err)
{
    qvmHttpHolder* holder = qvmHttpHolder::instance();
    if (id == 0 || id != loginRequest || !isVisible()) {
        // Not ours, or the page was left meanwhile: released without a trace.
        if (id != 0 && id == loginRequest) {
            loginRequest = 0;
            if (kwdShowWait* wait = kwdShowWait::instance())
                wait->stop();
        }
        if (holder)
            holder->remove(id);
        btnOK->setEnabled(loginRequest == 0);
        return;
    }
    loginRequest = 0;
    btnOK->setEnabled(true);
    if (kwdShowWait* wait = kwdShowWait::instance())
        wait->stop();
    const qvmHttpRequest* req = holder ? holder->request(id) : nullptr;
    if (err != 0 || !req) {
        const QString text = kwdNetworkError::describe(req);
        if (holder)
            holder->remove(id);
        refuse(text);
        return;
    }
    const QString body = req->body ? QString::fromUtf8(*req->body) : QString();
    holder->remove(id);
    if (!kwdPublishService::plainText(body)) {
        refuse(kwdNetworkError::unreadable());
        return;
    }
    const kwdPublishService::LoginReply reply = kwdPublishService::readLogin(body);
    if (!reply.accepted) {
        // The service refused it: a stored digest is no good any more and is not kept.
        kwdStore::instance()->setConfig(kwdStore::cfgOnloadPassword, QString());
        refuse(body);
        return;
    }
    kwdStore* store = kwdStore::instance();
    store->setConfig(kwdStore::cfgOnloadName, userName);
    store->setConfig(kwdStore::cfgOnloadPassword, passwordDigest);
    store->setConfig(kwdStore::cfgOnloadTel, reply.telephone);
    store->setConfig(kwdStore::cfgOnloadUser, reply.name);
    store->setConfig(kwdStore::loggedIn, QStringLiteral("1"));
    QWidget* menu = parentWidget() ? parentWidget()->parentWidget() : nullptr;
    if (menu)
        QMetaObject::invokeMethod(menu, "onRelease");
}
