#pragma once

#include <QObject>
#include <QSet>
#include <QString>

#include <functional>

namespace QKeychain {
class Job;
}

// Where the publisher's password digest lives. The service accepts the digest as it is, so it is as
// good as the password: it goes to the desktop's secret service (KWallet, GNOME Keyring) and, where
// there is none, to a file of the data directory only the user can read; never to the settings.
// The secret service answers later: writes and removals are queued in order while the value is
// known at once; only the first read of a run waits for the service.
class kwdSecretStore : public QObject
{
    Q_OBJECT
public:
    enum Place
    {
        Nowhere,
        Keychain,
        File
    };

    explicit kwdSecretStore(const QString& fallbackFile, QObject* parent = nullptr);
    // Waits for what is still on its way, so that a login just before the end is kept.
    ~kwdSecretStore() override;

    QString read();
    // kept runs once the secret sits in the keychain or in the file (not when a later change wins).
    void write(const QString& secret, const std::function<void()>& kept = {});
    void remove();
    Place place() const { return where; }
    bool busy() const { return !running.isEmpty(); }
    // Runs the event loop until no request to the secret service is pending, at most ms.
    bool settle(int ms);

signals:
    void settled();

private:
    void start(QKeychain::Job* job, const std::function<void(QKeychain::Job*)>& done);
    bool writeFile(const QString& secret) const;

    QString fallback;
    QString value;
    bool known = false;
    Place where = Nowhere;
    // Each change counts up: a slow answer to an older change must not undo a newer one.
    int generation = 0;
    QSet<QKeychain::Job*> running;
};
