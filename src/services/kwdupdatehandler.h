#pragma once

#include <QFrame>
#include <QString>

class QLabel;
class QPropertyAnimation;
class QPushButton;

// The update prompt that slides up from the bottom of the main window: a message with "update now"
// and "cancel" (or a single OK). Owns its form and slide; reports the answer through doUpdate().
class kwdUpdateHandler : public QFrame
{
    Q_OBJECT
    Q_PROPERTY(qreal pos READ slidePosition WRITE setSlidePosition)
public:
    explicit kwdUpdateHandler(QWidget* parent);

    // Sets the text and the buttons: an address offers the download, none gives a single OK.
    void showMessage(const QString& text, const QString& url);
    // Places the prompt below the window and slides it up.
    void popUp();

    qreal slidePosition() const { return position; }
    void setSlidePosition(qreal p);

    QString url;
    QPropertyAnimation* slide = nullptr;
    QLabel* lblInfo = nullptr;
    QPushButton* btnGoUpdate = nullptr;
    QPushButton* btnClose = nullptr;

Q_SIGNALS:
    void doUpdate(QString url);

public Q_SLOTS:
    void onUpdate();
    void onCancelUpdate();

private:
    qreal position = 0;
};
