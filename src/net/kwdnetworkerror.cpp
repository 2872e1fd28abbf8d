#include "kwdnetworkerror.h"

#include "qvmhttpholder.h"

#include <QNetworkReply>

QString kwdNetworkError::describe(int error, const QString& detail)
{
    QString sentence;
    switch (error) {
    case QNetworkReply::ConnectionRefusedError:
        sentence = tr("The service refused the connection; please try again later.");
        break;
    case QNetworkReply::HostNotFoundError:
        sentence = tr("The service cannot be found; please check the network connection.");
        break;
    case QNetworkReply::TimeoutError:
    case QNetworkReply::OperationCanceledError:
        sentence = tr("The service did not answer in time; please try again later.");
        break;
    case QNetworkReply::RemoteHostClosedError:
    case QNetworkReply::ProtocolFailure:
        sentence = tr("The reply was cut short; please try again.");
        break;
    case QNetworkReply::InternalServerError:
    case QNetworkReply::OperationNotImplementedError:
    case QNetworkReply::ServiceUnavailableError:
    case QNetworkReply::UnknownServerError:
        sentence = tr("The service had an error; please try again later.");
        break;
    case QNetworkReply::ContentNotFoundError:
    case QNetworkReply::ContentGoneError:
        sentence = tr("The service does not have what was asked for.");
        break;
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::UnknownNetworkError:
        sentence = tr("The network is not available; please check the connection.");
        break;
    case qvmHttpRequest::ReplyTooLarge:
        sentence = tr("The reply was too large to be read; please try again later.");
        break;
    default:
        sentence = tr("The request failed.");
        break;
    }
    if (detail.isEmpty())
        return sentence;
    return sentence + QLatin1Char('\n') + QLatin1Char('(') + detail + QLatin1Char(')');
}

QString kwdNetworkError::unreadable()
{
    return tr("The reply could not be read; please try again later.");
}

QString kwdNetworkError::describe(const qvmHttpRequest* request)
{
    if (!request)
        return describe(QNetworkReply::UnknownNetworkError, QString());
    return describe(request->error, request->text);
}
