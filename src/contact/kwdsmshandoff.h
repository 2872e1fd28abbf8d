#pragma once

#include <QObject>
#include <QString>

class QProcess;
class QTimer;
class QUrl;
class kwdSchemeHandler;

// The desktop's stand-in for a handset's messaging service: hands an SMS to KDE Connect when it
// lists a reachable paired device, else to the desktop's sms: handler when one is registered,
// else puts number and text on the clipboard. Reports its progress asynchronously with the
// service states the SMS panel expects. Owns its processes and the scheme hand-off.
class kwdSmsHandoff : public QObject
{
    Q_OBJECT
public:
    enum State
    {
        InactiveState = 0,
        ActiveState = 1,
        CanceledState = 2,
        FinishedState = 3,
    };
    Q_ENUM(State)
    enum Error
    {
        NoError = 0,
        // Nothing on this computer can send it; number and text are on the clipboard.
        NoRouteError = 1,
        // The program it was handed to failed.
        DeliveryError = 2,
        // A helper did not answer within kwdSchemeHandler::timeLimit and was stopped; number and
        // text are on the clipboard.
        TimedOutError = 3,
    };
    Q_ENUM(Error)
    enum Route
    {
        NoRoute,
        KdeConnect,
        SmsUri,
    };

    explicit kwdSmsHandoff(QObject* parent = nullptr);

    // False at once when a message is still being handed on, an argument is empty, or no way of
    // sending exists (then the clipboard holds the message); else true and states follow.
    bool send(const QString& number, const QString& text);
    // Gives up a running hand-off (its helper is stopped): CanceledState follows, and no later
    // result of it is reported.
    void cancel();
    State state() const { return current; }
    Error error() const { return lastError; }
    Route route() const { return lastRoute; }

    // RFC 5724: sms:NUMBER?body=TEXT, the body percent-encoded as UTF-8.
    static QUrl smsUri(const QString& number, const QString& text);

Q_SIGNALS:
    void stateChanged(kwdSmsHandoff::State state);

private:
    void onDevicesListed();
    void onSent();
    void trySchemeHandler();
    void finish(Route route, Error error);
    void toClipboard();
    QProcess* process();
    void startTool(const QStringList& arguments);
    void stopTool();

    QProcess* proc = nullptr;
    QTimer* timer = nullptr;
    kwdSchemeHandler* handler = nullptr;
    QString tool;
    QString number;
    QString text;
    State current = InactiveState;
    Error lastError = NoError;
    Route lastRoute = NoRoute;
    bool listing = false;
};
