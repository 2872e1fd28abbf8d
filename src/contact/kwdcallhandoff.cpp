#include "kwdcallhandoff.h"

#include "kwdschemehandler.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QUrl>

namespace {
const QString kCountry = QStringLiteral("+86");
} // namespace

kwdCallHandoff::kwdCallHandoff(QObject* parent) : QObject(parent), handler(new kwdSchemeHandler(this))
{
    connect(handler, &kwdSchemeHandler::finished, this, [this](bool handed) {
        if (!handed) {
            if (QClipboard* clipboard = QGuiApplication::clipboard())
                clipboard->setText(number);
        }
        emit finished(handed, number);
    });
}

bool kwdCallHandoff::isBusy() const
{
    return handler->isBusy();
}

void kwdCallHandoff::cancel()
{
    handler->cancel();
}

bool kwdCallHandoff::timedOut() const
{
    return handler->timedOut();
}

QUrl kwdCallHandoff::telUri(const QString& raw)
{
    QString n;
    for (const QChar c : raw) {
        if (c.isDigit() || c == QLatin1Char('-'))
            n += c;
    }
    while (n.startsWith(QLatin1Char('-')))
        n.remove(0, 1);
    while (n.endsWith(QLatin1Char('-')))
        n.chop(1);
    if (n.isEmpty())
        return QUrl();
    QString digits = n;
    digits.remove(QLatin1Char('-'));
    QString text;
    if (n.startsWith(QLatin1String("00")))
        text = QLatin1Char('+') + n.mid(2);
    else if (n.startsWith(QLatin1Char('0')))
        text = kCountry + QLatin1Char('-') + n.mid(1);
    else if (digits.size() == 11 && digits.startsWith(QLatin1Char('1')))
        text = kCountry + QLatin1Char('-') + n;
    else
        text = n + QStringLiteral(";phone-context=") + kCountry;
    return QUrl(QStringLiteral("tel:") + text, QUrl::StrictMode);
}

bool kwdCallHandoff::call(const QString& to)
{
    const QUrl uri = telUri(to);
    if (uri.isEmpty() || handler->isBusy())
        return false;
    number = to;
    return handler->open(uri);
}
