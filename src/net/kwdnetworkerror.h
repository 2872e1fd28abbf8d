#pragma once

#include <QCoreApplication>
#include <QString>

class qvmHttpRequest;

// What a failed exchange means to the user: one sentence of ours for the common failures, with
// Qt's own text as the detail. The request record's text stays Qt's, for callers that log it.
class kwdNetworkError
{
    Q_DECLARE_TR_FUNCTIONS(kwdNetworkError)
public:
    // error is a QNetworkReply::NetworkError; detail is shown in brackets after the sentence.
    static QString describe(int error, const QString& detail);
    static QString describe(const qvmHttpRequest* request);
    // A reply that arrived whole but is not the document asked for (cut markup, wrong root).
    static QString unreadable();
};
