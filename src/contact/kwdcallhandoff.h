#pragma once

#include <QObject>
#include <QString>

class QUrl;
class kwdSchemeHandler;

// The desktop's stand-in for a handset's telephony: hands a tel: URI to the program registered
// for it (KDE Connect, a softphone, GNOME Calls); without one the number goes to the clipboard.
// Answers asynchronously. Owns the scheme hand-off.
class kwdCallHandoff : public QObject
{
    Q_OBJECT
public:
    explicit kwdCallHandoff(QObject* parent = nullptr);

    // False at once when a call is still being handed on or the number is empty.
    bool call(const QString& number);
    bool isBusy() const;
    // Gives up a call still being handed on: no answer of it follows.
    void cancel();
    // Whether the last answer came because the desktop's helper ran out of time.
    bool timedOut() const;

    // RFC 3966 for the service's mainland numbers: trunk-prefixed and mobile numbers become global
    // (+86), others (400 numbers) stay local with the country as their context.
    static QUrl telUri(const QString& number);

Q_SIGNALS:
    // handed false: nothing took the call and `number` (the one this answer is about) is on the
    // clipboard.
    void finished(bool handed, const QString& number);

private:
    kwdSchemeHandler* handler = nullptr;
    QString number;
};
