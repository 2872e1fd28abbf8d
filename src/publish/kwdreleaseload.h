#pragma once

#include <QString>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

// The publisher login page of the system menu: user name and password, the login request and
// what a successful reply stores. Owns its widgets; the request belongs to the holder.
class kwdReleaseLoad : public QWidget
{
    Q_OBJECT
public:
    explicit kwdReleaseLoad(QWidget* parent = nullptr);

    // Prepares the page each time the menu shows it; starts the login of a publisher marked logged in.
    void reset();

    QLineEdit* editUser = nullptr;
    QLineEdit* editPassword = nullptr;
    QPushButton* btnOK = nullptr;
    QLabel* lblInfo = nullptr;
    int loginRequest = 0;
    QString userName;
    QString passwordDigest;

public Q_SLOTS:
    void onok();
    void onHttpResponse(int id, int err);

private:
    void refuse(const QString& text);
    // True while the password edit holds the stored digest put there by reset(): it is sent as it
    // is, since digesting it again would give a digest the service refuses.
    bool storedDigestShown = false;
};
