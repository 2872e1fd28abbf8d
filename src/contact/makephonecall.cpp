#include "makephonecall.h"

#include "kwdcallhandoff.h"
#include "kwdmessage.h"
#include "kwdschemehandler.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

MakePhoneCall::MakePhoneCall(QWidget* parent) : QWidget(parent), handoff(new kwdCallHandoff(this))
{
    setObjectName(QStringLiteral("MakePhoneCall"));
    setWindowTitle(QStringLiteral("MakePhoneCall"));
    lblCalling = new QLabel(this);
    lblCalling->setObjectName(QStringLiteral("lblCalling"));
    lblCalling->setWordWrap(true);
    btnHangup = new QPushButton(tr("Hangup"), this);
    btnHangup->setObjectName(QStringLiteral("btnHangup"));
    btnMakeCall = new QPushButton(tr("Call"), this);
    btnMakeCall->setObjectName(QStringLiteral("btnMakeCall"));
    btnCancel = new QPushButton(tr("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnHangup);
    buttons->addWidget(btnMakeCall);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(lblCalling);
    layout->addLayout(buttons);

    connect(btnMakeCall, &QPushButton::clicked, this, &MakePhoneCall::on_btnMakeCall_clicked);
    connect(btnHangup, &QPushButton::clicked, this, &MakePhoneCall::on_btnHangup_clicked);
    connect(btnCancel, &QPushButton::clicked, this, &MakePhoneCall::on_btnCancel_clicked);
    connect(handoff, &kwdCallHandoff::finished, this, &MakePhoneCall::onHandedOver);
    hide();
}

void MakePhoneCall::setup(const QString& to)
{
    // A call still being handed on belongs to the panel as it was: given up, so that its answer
    // can never speak of this number.
    handoff->cancel();
    lblCalling->setText(tr("Are you sure ? Calling: ") + to + QLatin1Char('?'));
    number = to;
    btnHangup->hide();
    btnMakeCall->show();
    btnCancel->show();
    btnMakeCall->setEnabled(true);
}

void MakePhoneCall::on_btnMakeCall_clicked()
{
    // The call itself is placed by whatever program the desktop has for tel: links.
    if (handoff->call(number))
        btnMakeCall->setEnabled(false);
}

void MakePhoneCall::on_btnHangup_clicked()
{
    // The call runs in another program, which has its own hang-up.
}

void MakePhoneCall::onHandedOver(bool handed, const QString& handedNumber)
{
    btnMakeCall->setEnabled(true);
    if (handed) {
        hide();
        return;
    }
    // The number named is the one the hand-off put on the clipboard.
    if (handoff->timedOut())
        kwdMessage::information(
            tr("info"), tr("查找拨号程序时在 %1 秒内没有响应。号码 %2 已复制到剪贴板，请用手机拨打。")
                            .arg(QString::number(kwdSchemeHandler::timeLimit / 1000.0), handedNumber));
    else
        kwdMessage::information(tr("info"),
                                tr("No program on this computer can place calls. The number %1 is on the "
                                   "clipboard: dial it on your phone.")
                                    .arg(handedNumber));
}

void MakePhoneCall::on_btnCancel_clicked()
{
    handoff->cancel();
    hide();
}
