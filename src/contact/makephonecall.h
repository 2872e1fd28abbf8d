#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class kwdCallHandoff;

// The call sub-panel of the contact panel: asks "Are you sure?" for one number; Call hands the
// number to the desktop's telephony program. Owns its form and the call hand-off.
class MakePhoneCall : public QWidget
{
    Q_OBJECT
public:
    explicit MakePhoneCall(QWidget* parent = nullptr);

    void setup(const QString& number);

    QString number;
    kwdCallHandoff* handoff = nullptr;

    QLabel* lblCalling = nullptr;
    QPushButton* btnHangup = nullptr;
    QPushButton* btnMakeCall = nullptr;
    QPushButton* btnCancel = nullptr;

public Q_SLOTS:
    void on_btnMakeCall_clicked();
    void on_btnHangup_clicked();
    void on_btnCancel_clicked();

private:
    void onHandedOver(bool handed, const QString& handedNumber);
};
