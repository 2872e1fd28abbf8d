#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

class kwdHttpRequest;

// What the service was asked, in arrival order, for tests to read back over the control host.
class kwdRequestLog
{
public:
    struct Entry
    {
        QDateTime time;
        QString method;
        QString host;
        int port = 80;
        QString path;
        QString query;
        QByteArray body; // at most the first 256 KiB
        qint64 bodySize = 0;
        int status = 0; // 0 while the answer is pending or when none was sent
        QString fault;
    };

    // Returns the index of the new entry (stable until clear()).
    int append(const kwdHttpRequest& request);
    void setOutcome(int index, int status, const QString& fault);
    void clear();
    int size() const { return entries.size(); }
    const Entry& at(int i) const { return entries.at(i); }
    // One JSON object per line: time, method, host, port, path, query, status, fault, bodySize and
    // the body as "body" (UTF-8 text) or "bodyBase64" (anything else).
    QByteArray toJsonLines() const;
    // Requests logged with query or form value sn=<sn> since the given time.
    int countForDevice(const QString& sn, const QDateTime& since) const;

private:
    QList<Entry> entries;
    int dropped = 0; // entries removed from the front when the log is full
};
