#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class kwdAddressBook;
struct kwdContactCard;

// The add-contact sub-panel of the contact panel: phone and name, Save and Cancel; after a save
// it offers to open the new card in the desktop's address book. Owns its form; the address book
// belongs to the panel.
class AddContact : public QWidget
{
    Q_OBJECT
public:
    explicit AddContact(QWidget* parent = nullptr);

    void setup(const QString& phone, const QString& name, const QString& title);

    kwdAddressBook* contacts = nullptr;
    QString title;

    QLabel* label = nullptr;
    QLineEdit* editPhone = nullptr;
    QLabel* label_2 = nullptr;
    QLineEdit* editName = nullptr;
    QPushButton* btnAdd = nullptr;
    QPushButton* btnCancel = nullptr;

public Q_SLOTS:
    void on_btnAdd_clicked();
    void on_btnCancel_clicked();

private:
    void offerToOpen(const kwdContactCard& card);
};
