#include "kwdstartupprefetch.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QImageReader>
#include <QSqlDatabase>
#include <QString>

#include <fontconfig/fontconfig.h>

kwdStartupPrefetch::kwdStartupPrefetch() : worker(&kwdStartupPrefetch::run, this) {}

kwdStartupPrefetch::~kwdStartupPrefetch()
{
    {
        // A start-up that ends early (self-check, failure) must not leave the thread waiting.
        std::lock_guard<std::mutex> guard(lock);
        cancelled = true;
    }
    ready.notify_one();
    wait();
}

void kwdStartupPrefetch::applicationReady()
{
    {
        std::lock_guard<std::mutex> guard(lock);
        appReady = true;
    }
    ready.notify_one();
}

void kwdStartupPrefetch::wait()
{
    if (worker.joinable())
        worker.join();
}

void kwdStartupPrefetch::run()
{
    // Fontconfig reads its configuration and caches once per process and is safe on any thread;
    // Qt's font database finds it ready when the first text is measured.
    FcInit();
    {
        std::unique_lock<std::mutex> guard(lock);
        ready.wait(guard, [this] { return appReady || cancelled; });
        if (cancelled || !QCoreApplication::instance())
            return;
    }
    // Qt's font database is shared by all threads (behind its own lock): listing the families
    // fills it from fontconfig here, before the first text is measured on the GUI thread.
    QFontDatabase::families();
    // A connection of this thread's own loads the SQLite driver, which stays loaded for the main
    // thread's connection.
    const QString name = QStringLiteral("kwd-startup-prefetch");
    {
        QSqlDatabase probe = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        Q_UNUSED(probe);
    }
    QSqlDatabase::removeDatabase(name);
    // Asking what can read a few bytes loads every image plug-in (the style sheet's images are
    // probed by content).
    QByteArray signature("\x89PNG\r\n\x1a\n", 8);
    QBuffer buffer(&signature);
    buffer.open(QIODevice::ReadOnly);
    QImageReader(&buffer).canRead();
}
