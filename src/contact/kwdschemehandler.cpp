#include "kwdschemehandler.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

namespace {
QString queryTool()
{
    return QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
}
} // namespace

int kwdSchemeHandler::timeLimit = 5000;

kwdSchemeHandler::kwdSchemeHandler(QObject* parent) : QObject(parent), timer(new QTimer(this))
{
    timer->setSingleShot(true);
    connect(timer, &QTimer::timeout, this, [this] {
        stopQuery();
        expired = true;
        finish(false);
    });
}

bool kwdSchemeHandler::canQuery()
{
    return !queryTool().isEmpty();
}

bool kwdSchemeHandler::open(const QUrl& uri)
{
    if (busy)
        return false;
    busy = true;
    expired = false;
    pending = uri;
    const QString tool = queryTool();
    if (tool.isEmpty()) {
        // Still asynchronous, so callers see the same order of events either way.
        QMetaObject::invokeMethod(
            this, [this] { finish(false); }, Qt::QueuedConnection);
        return true;
    }
    if (!query) {
        query = new QProcess(this);
        query->setProcessChannelMode(QProcess::SeparateChannels);
        connect(query, &QProcess::finished, this, &kwdSchemeHandler::onQueryFinished);
        connect(query, &QProcess::errorOccurred, this, [this](QProcess::ProcessError e) {
            if (e == QProcess::FailedToStart)
                finish(false);
        });
    }
    query->start(tool, {QStringLiteral("query"), QStringLiteral("default"),
                        QStringLiteral("x-scheme-handler/") + uri.scheme()});
    timer->start(timeLimit);
    return true;
}

void kwdSchemeHandler::cancel()
{
    stopQuery();
    busy = false;
}

void kwdSchemeHandler::stopQuery()
{
    timer->stop();
    if (!query || query->state() == QProcess::NotRunning)
        return;
    // Gone with its signals, so a killed helper's end is no answer; the next open makes another.
    query->disconnect(this);
    query->kill();
    query->waitForFinished(1000);
    delete query;
    query = nullptr;
}

void kwdSchemeHandler::onQueryFinished()
{
    const bool registered = query->exitStatus() == QProcess::NormalExit && query->exitCode() == 0 &&
                            !query->readAllStandardOutput().trimmed().isEmpty();
    finish(registered && QDesktopServices::openUrl(pending));
}

void kwdSchemeHandler::finish(bool handed)
{
    timer->stop();
    if (!busy)
        return;
    busy = false;
    emit finished(handed);
}
