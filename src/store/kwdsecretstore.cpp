#include "kwdsecretstore.h"

#include "kwdprivatefile.h"

#include <QCoreApplication>
#include <QDebug>
#include <QEventLoop>
#include <QFile>
#include <QSaveFile>
#include <QTimer>

#include <qt6keychain/keychain.h>

namespace {
const QString kService = QStringLiteral("Nordal/personal");
const QString kKey = QStringLiteral("cfgOnloadPassword");
// Long enough for a secret service on a busy desktop, short enough not to hold the end of a run.
constexpr int kSettleMs = 10000;
} // namespace

kwdSecretStore::kwdSecretStore(const QString& fallbackFile, QObject* parent)
    : QObject(parent), fallback(fallbackFile)
{
    // The store itself goes after the application object; the end of the event loop is the last
    // moment an answer can still arrive.
    if (QCoreApplication* app = QCoreApplication::instance())
        connect(app, &QCoreApplication::aboutToQuit, this, [this] { settle(kSettleMs); });
}

kwdSecretStore::~kwdSecretStore()
{
    settle(kSettleMs);
    // Still unanswered: a write not confirmed goes to the file rather than being lost, and the
    // jobs are left to end on their own instead of being deleted under the secret service's feet.
    if (!running.isEmpty() && known && !value.isEmpty() && where == Nowhere)
        writeFile(value);
    for (QKeychain::Job* job : std::as_const(running)) {
        disconnect(job, nullptr, this, nullptr);
        job->setParent(nullptr);
    }
}

void kwdSecretStore::start(QKeychain::Job* job, const std::function<void(QKeychain::Job*)>& done)
{
    job->setKey(kKey);
    running.insert(job);
    connect(job, &QKeychain::Job::finished, this, [this, done](QKeychain::Job* j) {
        running.remove(j);
        done(j);
        if (running.isEmpty())
            emit settled();
    });
    job->start();
}

QString kwdSecretStore::read()
{
    if (known)
        return value;
    // A file is left only by a run that found no secret service; a later keychain write removes it.
    QFile file(fallback);
    if (file.open(QIODevice::ReadOnly)) {
        value = QString::fromUtf8(file.readAll());
        known = true;
        where = value.isEmpty() ? Nowhere : File;
        return value;
    }
    if (!QCoreApplication::instance())
        return QString();
    bool answered = false;
    QString found;
    auto* job = new QKeychain::ReadPasswordJob(kService, this);
    start(job, [&answered, &found](QKeychain::Job* j) {
        answered = true;
        if (j->error() == QKeychain::NoError)
            found = static_cast<QKeychain::ReadPasswordJob*>(j)->textData();
        else if (j->error() != QKeychain::EntryNotFound)
            qWarning() << "secret service:" << j->errorString();
    });
    if (!answered) {
        QEventLoop loop;
        connect(job, &QKeychain::Job::finished, &loop, &QEventLoop::quit);
        loop.exec();
    }
    // A change made while the answer was on its way is newer than what the answer says.
    if (!known) {
        value = found;
        known = true;
        where = found.isEmpty() ? Nowhere : Keychain;
    }
    return value;
}

void kwdSecretStore::write(const QString& secret, const std::function<void()>& kept)
{
    const int mine = ++generation;
    value = secret;
    known = true;
    where = Nowhere;
    auto* job = new QKeychain::WritePasswordJob(kService, this);
    job->setTextData(secret);
    start(job, [this, mine, secret, kept](QKeychain::Job* j) {
        if (mine != generation)
            return;
        if (j->error() == QKeychain::NoError) {
            QFile::remove(fallback);
            where = Keychain;
        } else if (writeFile(secret)) {
            where = File;
        } else {
            return;
        }
        if (kept)
            kept();
    });
}

void kwdSecretStore::remove()
{
    ++generation;
    value.clear();
    known = true;
    where = Nowhere;
    QFile::remove(fallback);
    start(new QKeychain::DeletePasswordJob(kService, this), [](QKeychain::Job*) {});
}

bool kwdSecretStore::settle(int ms)
{
    if (running.isEmpty())
        return true;
    if (!QCoreApplication::instance())
        return false;
    QEventLoop loop;
    connect(this, &kwdSecretStore::settled, &loop, &QEventLoop::quit);
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
    return running.isEmpty();
}

bool kwdSecretStore::writeFile(const QString& secret) const
{
    QSaveFile file(fallback);
    if (!kwdPrivateFile::open(file))
        return false;
    file.write(secret.toUtf8());
    return file.commit();
}
