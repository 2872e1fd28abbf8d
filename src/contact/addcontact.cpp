#include "addcontact.h"

#include "kwdaddressbook.h"
#include "kwdmessage.h"

#include <QDesktopServices>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QUrl>

AddContact::AddContact(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("AddContact"));
    setWindowTitle(QStringLiteral("AddContact"));
    label = new QLabel(tr("Phone:"), this);
    label->setObjectName(QStringLiteral("label"));
    editPhone = new QLineEdit(this);
    editPhone->setObjectName(QStringLiteral("editPhone"));
    label_2 = new QLabel(tr("Name:"), this);
    label_2->setObjectName(QStringLiteral("label_2"));
    editName = new QLineEdit(this);
    editName->setObjectName(QStringLiteral("editName"));
    btnAdd = new QPushButton(tr("Save"), this);
    btnAdd->setObjectName(QStringLiteral("btnAdd"));
    btnCancel = new QPushButton(tr("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label, 0, 0);
    layout->addWidget(editPhone, 0, 1);
    layout->addWidget(label_2, 1, 0);
    layout->addWidget(editName, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnAdd);
    buttons->addWidget(btnCancel);
    layout->addLayout(buttons, 2, 0, 1, 2);

    connect(btnAdd, &QPushButton::clicked, this, &AddContact::on_btnAdd_clicked);
    connect(btnCancel, &QPushButton::clicked, this, &AddContact::on_btnCancel_clicked);
    hide();
}

void AddContact::setup(const QString& phone, const QString& name, const QString& listing)
{
    title = listing;
    editPhone->setText(phone);
    editName->setText(name);
    show();
    editName->setFocus();
}

void AddContact::on_btnAdd_clicked()
{
    const QString name = editName->text().trimmed();
    const QString phone = editPhone->text().trimmed();
    if (name.isEmpty() || phone.isEmpty()) {
        kwdMessage::information(tr("Failed"), tr("Name and Phone Can't be empty"));
        return;
    }
    setEnabled(false);
    repaint();
    if (!contacts) {
        kwdMessage::information(tr("info"), tr("No Valid manager"));
        setEnabled(true);
        return;
    }
    kwdContactCard card;
    card.given = name;
    card.formatted = name;
    card.phone = phone;
    // The book stays with the panel: it is reused for every listing, so a second save must work.
    const bool saved = contacts->save(card);
    const int code = contacts->error();
    setEnabled(true);
    if (!saved) {
        kwdMessage::information(tr("Failed"), tr("Failed to save contact!\n(error code %1)").arg(code));
        return;
    }
    hide();
    offerToOpen(card);
}

void AddContact::offerToOpen(const kwdContactCard& card)
{
    // Not modal: the panel goes on working while the offer stands.
    auto* box = new QMessageBox(QMessageBox::Question, tr("Add Contact"),
                                tr("%1 is saved. Open the card in the address book?").arg(card.formatted),
                                QMessageBox::Open | QMessageBox::Close);
    box->setObjectName(QStringLiteral("boxOpenContact"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    // The box may outlive the panel (and its book) when the window closes first.
    const QPointer<AddContact> self(this);
    const kwdContactCard copy = card;
    connect(box, &QMessageBox::buttonClicked, box, [box, self, copy](QAbstractButton* button) {
        if (box->standardButton(button) != QMessageBox::Open || !self || !self->contacts)
            return;
        const QString path = self->contacts->exportCard(copy);
        if (path.isEmpty() || !QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
            kwdMessage::information(tr("Failed"), tr("The card could not be opened."));
    });
    box->open();
}

void AddContact::on_btnCancel_clicked()
{
    hide();
}
