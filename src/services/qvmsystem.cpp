#include "qvmsystem.h"

#include "kwdmessage.h"
#include "kwdreleasehouse.h"
#include "kwdreleaseload.h"
#include "kwdserviceconfig.h"
#include "kwdstore.h"
#include "kwdupdateinfo.h"
#include "kwdweblink.h"
#include "qvmscrollarea.h"
#include "titlebar.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QStackedWidget>
#include <QVBoxLayout>

qvmSystem::qvmSystem(TitleBar* titleBar, qvmScrollArea* scrollArea, QWidget* parent)
    : QWidget(parent), bar(titleBar), scroll(scrollArea)
{
    setObjectName(QStringLiteral("system"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    stackedWidget = new QStackedWidget(this);
    stackedWidget->setObjectName(QStringLiteral("stackedWidget"));
    layout->addWidget(stackedWidget);
    buildMenu();
    buildAbout();
    stackedWidget->setCurrentWidget(page);
}

void qvmSystem::buildMenu()
{
    page = new QWidget;
    page->setObjectName(QStringLiteral("page"));
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(20, 20, 20, 20);
    column->setSpacing(12);
    auto add = [&](QPushButton*& button, const char* name, const QString& text, void (qvmSystem::*slot)()) {
        button = new QPushButton(text, page);
        button->setObjectName(QLatin1String(name));
        button->setMinimumHeight(44);
        column->addWidget(button);
        connect(button, &QPushButton::clicked, this, slot);
    };
    add(btnBonus, "btnBonus", tr("查看抽奖活动"), &qvmSystem::onBtnCheckBonus);
    add(btnCheckUpdate, "btnCheckUpdate", tr("检查新版本"), &qvmSystem::onBtnCheckUpdate);
    add(btnAbout, "btnAbout", tr("About KWDPersonal"), &qvmSystem::onBtnAbout);
    add(btnrelease, "btnrelease", tr("发布房源"), &qvmSystem::onRelease);
    add(logout, "logout", tr("Logout"), &qvmSystem::onLogout);
    add(btnExit, "btnExit", tr("退  出"), &qvmSystem::onBtnExit);
    if (!kwdUpdateInfo::checkBuiltIn()) {
        // The distribution's package manager brings new versions; there is nothing to check here.
        btnCheckUpdate->setText(tr("Updates come with the system's package manager"));
        btnCheckUpdate->setEnabled(false);
    }
    column->addStretch(1);
    stackedWidget->addWidget(page);
}

void qvmSystem::buildAbout()
{
    page_2 = new QWidget;
    page_2->setObjectName(QStringLiteral("page_2"));
    auto* column = new QVBoxLayout(page_2);
    column->setContentsMargins(20, 20, 20, 20);
    column->setSpacing(10);
    auto label = [](QWidget* owner, const char* name, const QString& text) {
        auto* l = new QLabel(text, owner);
        l->setObjectName(QLatin1String(name));
        l->setWordWrap(true);
        l->setTextFormat(Qt::PlainText);
        return l;
    };
    auto* title = label(page_2, "lblTitle", tr("KWDPersonal"));
    title->setAlignment(Qt::AlignCenter);
    column->addWidget(title);
    auto* version = label(page_2, "lblVersion", tr("Version: ") + kwdUpdateInfo::ownVersion());
    version->setAlignment(Qt::AlignCenter);
    column->addWidget(version);

    auto frame = [&](const char* name) {
        auto* f = new QFrame(page_2);
        f->setObjectName(QLatin1String(name));
        f->setFrameShape(QFrame::StyledPanel);
        auto* l = new QVBoxLayout(f);
        column->addWidget(f);
        return l;
    };
    QVBoxLayout* company = frame("frame_4");
    QWidget* owner = company->parentWidget();
    company->addWidget(label(owner, "lblCompany", tr("global company")));
    company->addWidget(label(owner, "lblAddress", tr("global address")));
    company->addWidget(label(owner, "lblPhone", tr("global phone")));
    company->addWidget(label(owner, "lblFax", tr("global fax")));
    QVBoxLayout* support = frame("frame_3");
    owner = support->parentWidget();
    support->addWidget(label(owner, "lblSupport", tr("global support")));
    support->addWidget(label(owner, "lblSupportPhone", tr("global support phone")));
    const QString site = kwdServiceConfig::instance().siteUrl;
    lblURL = new QLabel(owner);
    lblURL->setObjectName(QStringLiteral("lblURL"));
    lblURL->setTextFormat(Qt::RichText);
    lblURL->setText(
        QStringLiteral("%1 <a href=\"%2\">%3</a>")
            .arg(tr("global website").toHtmlEscaped(), site.toHtmlEscaped(), site.toHtmlEscaped()));
    support->addWidget(lblURL);
    connect(lblURL, &QLabel::linkActivated, this, &qvmSystem::onLinkActive);
    column->addStretch(1);
    stackedWidget->addWidget(page_2);
}

void qvmSystem::showEvent(QShowEvent* event)
{
    btnBonus->setVisible(kwdStore::instance()->config(kwdStore::prizeFlag).toInt() != 0);
    QWidget::showEvent(event);
}

void qvmSystem::showPage(QWidget* which, const QString& title)
{
    stackedWidget->setCurrentWidget(which);
    if (bar) {
        bar->setTitle(title, QString(), QString());
        bar->setButtons(0, false);
    }
    if (scroll)
        scroll->verticalScrollBar()->setValue(0);
}

void qvmSystem::onBtnCheckBonus()
{
    QMetaObject::invokeMethod(window(), "check_prize", Q_ARG(bool, false));
}

void qvmSystem::onBtnCheckUpdate()
{
    QMetaObject::invokeMethod(window(), "check_update", Q_ARG(bool, false));
}

void qvmSystem::onBtnAbout()
{
    showPage(page_2, tr("About"));
}

void qvmSystem::onGoBack()
{
    showPage(page, QString());
}

void qvmSystem::onRelease()
{
    kwdStore* store = kwdStore::instance();
    const bool loggedIn = !store->config(kwdStore::loggedIn).toString().isEmpty();
    const QString name = store->config(kwdStore::cfgOnloadName).toString();
    // Asked for only when it is needed: the secret service is not bothered by a logged-out visit.
    const QString digest = loggedIn ? store->config(kwdStore::cfgOnloadPassword).toString() : QString();
    if (loggedIn && !name.isEmpty() && !digest.isEmpty()) {
        if (!releaseForm) {
            releaseForm = new kwdReleaseHouse;
            stackedWidget->addWidget(releaseForm);
        }
        // The form outlives a refused upload and a new login: it always posts as the publisher stored now.
        releaseForm->setPublisher(name, digest);
        showPage(releaseForm, tr("Release House"));
        return;
    }
    if (!loginPage) {
        loginPage = new kwdReleaseLoad;
        stackedWidget->addWidget(loginPage);
    }
    showPage(loginPage, tr("User Login"));
    loginPage->reset();
}

void qvmSystem::onLogout()
{
    kwdStore::instance()->setConfig(kwdStore::loggedIn, QString());
    // The digest is as good as the password: it does not stay behind a logout.
    kwdStore::instance()->setConfig(kwdStore::cfgOnloadPassword, QString());
    if (releaseForm) {
        if (stackedWidget->currentWidget() == releaseForm)
            onGoBack();
        stackedWidget->removeWidget(releaseForm);
        releaseForm->close();
        delete releaseForm;
        releaseForm = nullptr;
    }
    kwdMessage::information(tr("ok"), tr("logout ok"));
}

void qvmSystem::onBtnExit()
{
    QCoreApplication::exit(0);
}

void qvmSystem::onLinkActive(QString url)
{
    kwdWebLink::open(url);
}
