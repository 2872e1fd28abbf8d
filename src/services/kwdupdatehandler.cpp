#include "kwdupdatehandler.h"

#include "kwdpopuppanel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPropertyAnimation>
#include <QPushButton>

kwdUpdateHandler::kwdUpdateHandler(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("kwdUpdateHandler"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    auto* grid = new QGridLayout(this);
    lblInfo = new QLabel(this);
    lblInfo->setObjectName(QStringLiteral("lblInfo"));
    lblInfo->setWordWrap(true);
    // Version and time come from the service: shown as they are, never as markup.
    lblInfo->setTextFormat(Qt::PlainText);
    grid->addWidget(lblInfo, 0, 0);
    auto* buttons = new QWidget(this);
    buttons->setObjectName(QStringLiteral("widget_ucupdate"));
    auto* row = new QHBoxLayout(buttons);
    row->setContentsMargins(0, 0, 0, 0);
    btnGoUpdate = new QPushButton(buttons);
    btnGoUpdate->setObjectName(QStringLiteral("btnGoUpdate"));
    btnClose = new QPushButton(buttons);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    row->addWidget(btnGoUpdate);
    row->addWidget(btnClose);
    grid->addWidget(buttons, 1, 0);
    connect(btnGoUpdate, &QPushButton::clicked, this, &kwdUpdateHandler::onUpdate);
    connect(btnClose, &QPushButton::clicked, this, &kwdUpdateHandler::onCancelUpdate);

    slide = new QPropertyAnimation(this, "pos", this);
    slide->setDuration(500);
    slide->setStartValue(0.0);
    slide->setEndValue(1.0);
    hide();
}

void kwdUpdateHandler::showMessage(const QString& text, const QString& address)
{
    url = address;
    lblInfo->setText(text);
    if (!url.isEmpty()) {
        btnClose->setText(tr("Cancel Update"));
        btnGoUpdate->setText(tr("Update Now"));
        btnGoUpdate->show();
    } else {
        btnClose->setText(tr("OK"));
        btnGoUpdate->hide();
    }
    kwdPopupPanel::fitToWindow(this);
    // A prompt already up keeps its place at the new height.
    if (isVisible())
        setSlidePosition(position);
}

void kwdUpdateHandler::popUp()
{
    kwdPopupPanel::popUp(this, slide);
    btnClose->setFocus();
}

void kwdUpdateHandler::setSlidePosition(qreal p)
{
    position = p;
    move(kwdPopupPanel::slidePoint(this, p));
}

void kwdUpdateHandler::onUpdate()
{
    hide();
    emit doUpdate(url);
}

void kwdUpdateHandler::onCancelUpdate()
{
    hide();
    emit doUpdate(QString());
}
