#include "sendsms.h"

#include "kwdmessage.h"
#include "kwdschemehandler.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

namespace {
// The picker fills a moment after the sub-panel shows, so opening it never waits for the file.
constexpr int kFetchDelay = 100;
} // namespace

SendSMS::SendSMS(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("SendSMS"));
    setWindowTitle(QStringLiteral("SendSMS"));

    label = new QLabel(tr("Send To:"), this);
    label->setObjectName(QStringLiteral("label"));
    comboBox = new QComboBox(this);
    comboBox->setObjectName(QStringLiteral("comboBox"));
    btnSelectContact = new QPushButton(tr("Select A Contact"), this);
    btnSelectContact->setObjectName(QStringLiteral("btnSelectContact"));
    lineEdit = new QLineEdit(this);
    lineEdit->setObjectName(QStringLiteral("lineEdit"));
    textEdit = new QTextEdit(this);
    textEdit->setObjectName(QStringLiteral("textEdit"));
    textEdit->setAcceptRichText(false);
    textEdit->setFixedHeight(textEdit->fontMetrics().lineSpacing() * 4 + 2 * textEdit->frameWidth() + 8);
    lblTextCount = new QLabel(this);
    lblTextCount->setObjectName(QStringLiteral("lblTextCount"));
    btnSend = new QPushButton(tr("Send"), this);
    btnSend->setObjectName(QStringLiteral("btnSend"));
    btnCancel = new QPushButton(tr("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));

    auto* top = new QHBoxLayout;
    top->addWidget(label);
    top->addWidget(lineEdit, 1);
    auto* picker = new QHBoxLayout;
    picker->addWidget(comboBox, 1);
    picker->addWidget(btnSelectContact);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lblTextCount, 1);
    bottom->addWidget(btnSend);
    bottom->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addLayout(picker);
    layout->addWidget(textEdit);
    layout->addLayout(bottom);

    fetchTimer = new QTimer(this);
    fetchTimer->setSingleShot(true);
    fetchTimer->setInterval(kFetchDelay);
    connect(fetchTimer, &QTimer::timeout, this, &SendSMS::onUpdateContact);
    connect(textEdit, &QTextEdit::textChanged, this, &SendSMS::onTextEditChange);
    connect(comboBox, &QComboBox::currentIndexChanged, this, &SendSMS::onContactChange);
    // Typing into the recipient narrows the picker: digits by number, anything else by name.
    connect(lineEdit, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (comboBox->isVisible())
            fetchContacts(text);
    });
    connect(btnSelectContact, &QPushButton::clicked, this, &SendSMS::on_btnSelectContact_clicked);
    connect(btnSend, &QPushButton::clicked, this, &SendSMS::onSend);
    connect(btnCancel, &QPushButton::clicked, this, &SendSMS::onCancel);
    onTextEditChange();
    hide();
}

void SendSMS::setup(const QString& to, const QString& body)
{
    // A new draft: one still being handed on (the panel was closed meanwhile) is given up.
    abandonSending();
    lineEdit->clear();
    const bool pick = to.isEmpty();
    comboBox->setVisible(pick);
    btnSelectContact->setVisible(pick);
    if (!pick) {
        lineEdit->setText(to);
    } else {
        comboBox->blockSignals(true);
        comboBox->clear();
        comboBox->addItem(tr("Fetcing..."));
        comboBox->setCurrentIndex(0);
        comboBox->blockSignals(false);
        contactList.clear();
        if (!fetchTimer->isActive())
            fetchTimer->start();
    }
    textEdit->setPlainText(body);
    show();
    textEdit->moveCursor(QTextCursor::End);
    textEdit->setFocus();
}

void SendSMS::onUpdateContact()
{
    fetchTimer->stop();
    if (isVisible())
        fetchContacts(QString());
}

void SendSMS::fetchContacts(const QString& filter)
{
    if (!contacts)
        return;
    // The book is kept for the panel's life: the panel is reused for every listing, and a
    // picker that worked only once would leave every later one at "Fetcing...".
    contactList = contacts->contacts(filter);
    comboBox->blockSignals(true);
    comboBox->clear();
    comboBox->addItem(tr("Select a contact"));
    for (const kwdContactCard& c : std::as_const(contactList))
        comboBox->addItem(c.displayName() + QLatin1Char('(') + c.phone + QLatin1Char(')'));
    comboBox->setCurrentIndex(0);
    comboBox->blockSignals(false);
}

void SendSMS::onContactChange()
{
    const int i = comboBox->currentIndex();
    if (i >= 1 && i <= contactList.size())
        lineEdit->setText(contactList.at(i - 1).phone);
}

void SendSMS::onTextEditChange()
{
    // Characters, not bytes: ten Chinese characters count ten.
    lblTextCount->setText(tr("%1Words").arg(textEdit->toPlainText().size()));
}

void SendSMS::on_btnSelectContact_clicked()
{
    // The picker is the combo box; the button opens it rather than doing nothing.
    if (comboBox->isVisible())
        comboBox->showPopup();
}

void SendSMS::onCancel()
{
    abandonSending();
    hide();
}

void SendSMS::abandonSending()
{
    if (service)
        service->cancel();
    setSending(false);
}

void SendSMS::setSending(bool sending)
{
    for (QWidget* w :
         {static_cast<QWidget*>(comboBox), static_cast<QWidget*>(btnSelectContact),
          static_cast<QWidget*>(lineEdit), static_cast<QWidget*>(textEdit), static_cast<QWidget*>(btnSend)})
        w->setEnabled(!sending);
}

void SendSMS::onSend()
{
    const QString to = lineEdit->text().trimmed();
    const QString text = textEdit->toPlainText().trimmed();
    if (to.isEmpty() || text.isEmpty())
        return;
    setSending(true);
    repaint();
    if (!service) {
        service = new kwdSmsHandoff(parentWidget() ? static_cast<QObject*>(parentWidget()) : this);
        connect(service, &kwdSmsHandoff::stateChanged, this, &SendSMS::serviceStateChanged);
    }
    if (!service->send(to, text)) {
        reportRefused();
        setSending(false);
    }
}

void SendSMS::serviceStateChanged(kwdSmsHandoff::State state)
{
    if (state != kwdSmsHandoff::FinishedState)
        return;
    setSending(false);
    switch (service->error()) {
    case kwdSmsHandoff::NoError:
        hide();
        break;
    case kwdSmsHandoff::NoRouteError:
        // Nothing here sends SMS: the same answer as a refused send.
        reportRefused();
        break;
    case kwdSmsHandoff::TimedOutError:
        kwdMessage::information(
            tr("Failed"),
            tr("发送短信的程序在 %1 秒内没有响应，短信可能没有发出。号码和短信内容已复制到剪贴板。")
                .arg(QString::number(kwdSchemeHandler::timeLimit / 1000.0)));
        break;
    default:
        kwdMessage::information(tr("Failed"), tr("Unable to send message"));
    }
}

void SendSMS::reportRefused()
{
    QString text = tr("failed to send sms");
    if (service->error() == kwdSmsHandoff::NoRouteError)
        text += QLatin1Char('\n') + tr("The number and the message are on the clipboard.");
    kwdMessage::information(tr("info"), text);
}
