#include "qvmnotice.h"

#include "kwdpopuppanel.h"
#include "kwdserviceconfig.h"
#include "kwdweblink.h"
#include "qvmhttpholder.h"

#include <QDomDocument>
#include <QDomElement>
#include <QHBoxLayout>
#include <QLabel>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QVBoxLayout>

qvmnotice::qvmnotice(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("qvmnotice"));
    auto* column = new QVBoxLayout(this);
    column->setSpacing(10);
    column->setContentsMargins(10, 10, 10, 10);
    label = new QLabel(this);
    label->setObjectName(QStringLiteral("lblNotice"));
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    // The notice document carries no text of its own; say what the link is for.
    label->setText(tr("There is a new notice from the service."));
    column->addWidget(label);
    auto* row = new QHBoxLayout;
    row->setSpacing(60);
    btnNoticeOK = new QPushButton(tr("ok"), this);
    btnNoticeOK->setObjectName(QStringLiteral("btnNoticeOK"));
    btnNoticeCtl = new QPushButton(tr("View Detail"), this);
    btnNoticeCtl->setObjectName(QStringLiteral("btnNoticeCtl"));
    row->addWidget(btnNoticeOK);
    row->addWidget(btnNoticeCtl);
    column->addLayout(row);
    connect(btnNoticeOK, &QPushButton::clicked, this, &qvmnotice::onBtnClicked);
    connect(btnNoticeCtl, &QPushButton::clicked, this, &qvmnotice::onBtnDetail);

    slide = new QPropertyAnimation(this, "pos", this);
    slide->setDuration(500);
    hide();
}

bool qvmnotice::readDocument(const QByteArray& body, QString* ishave, QString* noticeLink)
{
    QDomDocument doc(QStringLiteral("qvmnotice"));
    if (!doc.setContent(body))
        return false;
    const QDomElement list = doc.firstChildElement(QStringLiteral("resultlist"));
    if (list.isNull())
        return false;
    *ishave = list.firstChildElement(QStringLiteral("ishave")).text().trimmed();
    *noticeLink = list.firstChildElement(QStringLiteral("noticelink")).text().trimmed();
    return true;
}

void qvmnotice::check()
{
    if (requestId != 0)
        return;
    qvmHttpHolder* holder = qvmHttpHolder::instance();
    if (!holder)
        return;
    requestId = holder->get(kwdServiceConfig::instance().statisticsBase() +
                                QStringLiteral("/kwd/webservice/kwdnotice.php"),
                            this);
}

void qvmnotice::onHttpResponse(int id, int err)
{
    qvmHttpHolder* holder = qvmHttpHolder::instance();
    qvmHttpRequest* r = holder ? holder->request(id) : nullptr;
    // Answered (or failed): a later check asks again, so one failure does not end the notices.
    if (id == requestId)
        requestId = 0;
    else
        r = nullptr;
    if (err == 0 && r && r->body) {
        QString ishave;
        if (readDocument(*r->body, &ishave, &link) && ishave != QLatin1String("false"))
            popUp();
    }
    if (holder)
        holder->remove(id);
}

void qvmnotice::popUp()
{
    if (link.isEmpty())
        return;
    kwdPopupPanel::popUp(this, slide);
}

void qvmnotice::setSlidePosition(qreal p)
{
    position = p;
    move(kwdPopupPanel::slidePoint(this, p));
}

void qvmnotice::onBtnClicked()
{
    close();
}

void qvmnotice::onBtnDetail()
{
    close();
    kwdWebLink::open(link);
}

void qvmnotice::paintEvent(QPaintEvent*)
{
    kwdPopupPanel::paintFrame(this);
}
