#pragma once

#include "qvmcontactpanel.h"

#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>

class AddContact;
class MakePhoneCall;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class SendSMS;
class kwdAddressBook;

// The contact panel over the result view: choose one of a listing's numbers, then call it, send
// it an SMS, send the listing to someone else, or save the advertiser as a contact, each in a
// sub-panel that grows the panel. Owns its form, the three sub-panels and the address book.
class qvmDetailAction : public QWidget, public qvmContactPanel
{
    Q_OBJECT
public:
    explicit qvmDetailAction(QWidget* parent = nullptr);
    ~qvmDetailAction() override;

    // Fills and shows the panel in `area` (the parent's coordinates). fromBottom: anchored at the
    // area's bottom and the SMS texts speak of the listing `title`; else centred below the area's
    // middle and `title` is the whole message. Nothing happens when `phones` holds no number.
    void show(const QString& contact, const QString& phones, const QRect& area, const QString& title,
              bool fromBottom);
    using QWidget::show;

    void offer(const QString& contact, const QString& phones, const QRect& area, const QString& title,
               bool fromBottom) override;
    void dismiss() override;
    bool isShown() const override;
    // Makes this the panel of every result view.
    static void install();

    // The numbers of a phone text (split at everything but digits and "-"), longest first.
    static QStringList numbersOf(const QString& phones);
    // The two SMS texts for a listing.
    QString smsBody() const;
    QString smsToBody() const;

    QString contact;
    QString phones;
    QString number;
    QString title;
    QRect area;
    bool fromBottom = false;
    kwdAddressBook* contacts = nullptr;
    SendSMS* sms = nullptr;
    AddContact* addContact = nullptr;
    MakePhoneCall* phoneCall = nullptr;

    QWidget* widget_list = nullptr;
    QLabel* label = nullptr;
    QListWidget* lstPhones = nullptr;
    QWidget* widget_btns = nullptr;
    QPushButton* btnCall = nullptr;
    QPushButton* btnSMS = nullptr;
    QPushButton* btnSMSTo = nullptr;
    QPushButton* btnAddContact = nullptr;

public Q_SLOTS:
    void on_btnCall_clicked();
    void on_btnSMS_clicked();
    void on_btnSMSTo_clicked();
    void on_btnAddContact_clicked();
    void onListItemClicked(QListWidgetItem* item);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // Hides the buttons and shows one sub-panel, growing the panel when it needs more room.
    void openSubPanel(QWidget* panel);
    // Height from the size hint, keeping the bottom edge (fromBottom) or the top edge in place.
    void setHeightKeepingEdge(int h);
    // Keeps the panel inside its parent, so a phone line near an edge still shows all of it.
    QRect keptInside(const QRect& r) const;
    int hintHeight();
};
