#include "kwdschemehandler.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>

namespace {
QString queryTool()
{
    return QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
}
} // namespace

kwdSchemeHandler::kwdSchemeHandler(QObject* parent) : QObject(parent) {}

bool kwdSchemeHandler::canQuery()
{
    return !queryTool().isEmpty();
}

bool kwdSchemeHandler::open(const QUrl& uri)
{
    if (busy)
        return false;
    busy = true;
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
    return true;
}

void kwdSchemeHandler::onQueryFinished()
{
    const bool registered = query->exitStatus() == QProcess::NormalExit && query->exitCode() == 0 &&
                            !query->readAllStandardOutput().trimmed().isEmpty();
    finish(registered && QDesktopServices::openUrl(pending));
}

void kwdSchemeHandler::finish(bool handed)
{
    if (!busy)
        return;
    busy = false;
    emit finished(handed);
}
