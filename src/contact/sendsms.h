#pragma once

#include "kwdaddressbook.h"
#include "kwdsmshandoff.h"

#include <QList>
#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;
class QTimer;

// The SMS sub-panel of the contact panel: recipient (typed or picked from the address book), the
// message with its character count, Send and Cancel. Owns its form and the picker's timer; the
// address book and the hand-off belong to the panel.
class SendSMS : public QWidget
{
    Q_OBJECT
public:
    explicit SendSMS(QWidget* parent = nullptr);

    // Shows the sub-panel for `to` (empty: the picker fills from the address book) and `body`.
    void setup(const QString& to, const QString& body);
    // Fills the picker: every card for an empty filter, else the matching ones.
    void fetchContacts(const QString& filter);

    // Created on the first send, a child of the panel.
    kwdSmsHandoff* service = nullptr;
    kwdAddressBook* contacts = nullptr;
    QList<kwdContactCard> contactList;
    QTimer* fetchTimer = nullptr;

    QLabel* label = nullptr;
    QComboBox* comboBox = nullptr;
    QPushButton* btnSelectContact = nullptr;
    QLineEdit* lineEdit = nullptr;
    QTextEdit* textEdit = nullptr;
    QLabel* lblTextCount = nullptr;
    QPushButton* btnSend = nullptr;
    QPushButton* btnCancel = nullptr;

public Q_SLOTS:
    void onSend();
    void onCancel();
    void on_btnSelectContact_clicked();
    void onTextEditChange();
    void onContactChange();
    void onUpdateContact();
    void serviceStateChanged(kwdSmsHandoff::State state);

private:
    void reportRefused();
    // While a message is handed on, the draft cannot change; Cancel stays usable throughout.
    void setSending(bool sending);
    // Gives up a hand-off still running, so that its result can never reach a later draft.
    void abandonSending();
};
