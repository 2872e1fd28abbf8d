#include "kwdsmshandoff.h"

#include "kwdschemehandler.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

kwdSmsHandoff::kwdSmsHandoff(QObject* parent) : QObject(parent), timer(new QTimer(this))
{
    timer->setSingleShot(true);
    connect(timer, &QTimer::timeout, this, [this] {
        stopTool();
        toClipboard();
        finish(KdeConnect, TimedOutError);
    });
}

QUrl kwdSmsHandoff::smsUri(const QString& number, const QString& body)
{
    const QByteArray encoded =
        "sms:" + QUrl::toPercentEncoding(number, "-") + "?body=" + QUrl::toPercentEncoding(body);
    return QUrl::fromEncoded(encoded, QUrl::StrictMode);
}

QProcess* kwdSmsHandoff::process()
{
    if (!proc) {
        proc = new QProcess(this);
        connect(proc, &QProcess::finished, this, [this] {
            timer->stop();
            listing ? onDevicesListed() : onSent();
        });
        connect(proc, &QProcess::errorOccurred, this, [this](QProcess::ProcessError e) {
            if (e != QProcess::FailedToStart)
                return;
            timer->stop();
            // A tool that cannot start is as good as absent: on to the next way.
            if (listing)
                trySchemeHandler();
            else
                finish(KdeConnect, DeliveryError);
        });
    }
    return proc;
}

bool kwdSmsHandoff::send(const QString& to, const QString& body)
{
    if (current == ActiveState || to.isEmpty() || body.isEmpty())
        return false;
    number = to;
    text = body;
    tool = QStandardPaths::findExecutable(QStringLiteral("kdeconnect-cli"));
    if (tool.isEmpty() && !kwdSchemeHandler::canQuery()) {
        lastError = NoRouteError;
        lastRoute = NoRoute;
        toClipboard();
        return false;
    }
    current = ActiveState;
    lastError = NoError;
    lastRoute = NoRoute;
    QMetaObject::invokeMethod(
        this, [this] { emit stateChanged(ActiveState); }, Qt::QueuedConnection);
    if (tool.isEmpty()) {
        trySchemeHandler();
        return true;
    }
    listing = true;
    startTool({QStringLiteral("-a"), QStringLiteral("--id-only")});
    return true;
}

void kwdSmsHandoff::startTool(const QStringList& arguments)
{
    process()->start(tool, arguments);
    timer->start(kwdSchemeHandler::timeLimit);
}

void kwdSmsHandoff::stopTool()
{
    timer->stop();
    if (!proc || proc->state() == QProcess::NotRunning)
        return;
    // Gone with its signals, so a killed helper's end is no result; the next send makes another.
    proc->disconnect(this);
    proc->kill();
    proc->waitForFinished(1000);
    delete proc;
    proc = nullptr;
}

void kwdSmsHandoff::cancel()
{
    if (current != ActiveState)
        return;
    stopTool();
    if (handler)
        handler->cancel();
    current = CanceledState;
    // Queued like every state, so it follows the ActiveState this send announced.
    QMetaObject::invokeMethod(
        this, [this] { emit stateChanged(CanceledState); }, Qt::QueuedConnection);
}

void kwdSmsHandoff::onDevicesListed()
{
    listing = false;
    QString device;
    if (proc->exitStatus() == QProcess::NormalExit && proc->exitCode() == 0) {
        const QList<QByteArray> lines = proc->readAllStandardOutput().split('\n');
        for (const QByteArray& line : lines) {
            if (!line.trimmed().isEmpty()) {
                device = QString::fromUtf8(line.trimmed());
                break;
            }
        }
    }
    if (device.isEmpty()) {
        trySchemeHandler();
        return;
    }
    startTool({QStringLiteral("--send-sms"), text, QStringLiteral("--destination"), number,
               QStringLiteral("-d"), device});
}

void kwdSmsHandoff::onSent()
{
    const bool ok = proc->exitStatus() == QProcess::NormalExit && proc->exitCode() == 0;
    finish(KdeConnect, ok ? NoError : DeliveryError);
}

void kwdSmsHandoff::trySchemeHandler()
{
    if (!handler) {
        handler = new kwdSchemeHandler(this);
        connect(handler, &kwdSchemeHandler::finished, this, [this](bool handed) {
            if (handed) {
                finish(SmsUri, NoError);
                return;
            }
            toClipboard();
            finish(NoRoute, handler->timedOut() ? TimedOutError : NoRouteError);
        });
    }
    handler->open(smsUri(number, text));
}

void kwdSmsHandoff::finish(Route route, Error error)
{
    timer->stop();
    if (current != ActiveState)
        return;
    lastRoute = route;
    lastError = error;
    current = FinishedState;
    emit stateChanged(FinishedState);
}

void kwdSmsHandoff::toClipboard()
{
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(number + QLatin1Char('\n') + text);
}
