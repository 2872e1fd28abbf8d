#pragma once

#include <QList>
#include <QString>

class kwdFormFields;

// The faults a test asked for: which host and path misbehave, how, and how many more times.
class kwdFaultPlan
{
public:
    enum Kind
    {
        None,
        Refuse,
        Reset,
        Status,
        Stall,
        Truncate,
        Malformed,
        Huge
    };

    struct Fault
    {
        QString host; // empty: every host
        QString path; // empty: every path; a trailing "*" matches by prefix
        Kind kind = None;
        int status = 500;               // Status: the HTTP status sent
        int ms = -1;                    // Stall: delay before the normal answer; -1 never answers
        int times = -1;                 // uses left; -1 unlimited
        qint64 bytes = 8 * 1024 * 1024; // Huge: the size the body is padded to
    };

    // Reads host, path, kind (refuse, reset, stall, truncate, malformed, huge or an HTTP status
    // such as 500), ms, times and bytes. False with a reason for an unknown kind or bad number.
    static bool parse(const kwdFormFields& fields, Fault* fault, QString* error);
    static QString kindName(Kind kind);

    void add(const Fault& fault);
    void clear();
    bool isEmpty() const { return faults.isEmpty(); }
    // The first fault that matches, with one use consumed; a fault of kind None when none matches.
    Fault take(const QString& host, const QString& path);
    QString describe() const;

private:
    static bool matches(const Fault& f, const QString& host, const QString& path);
    QList<Fault> faults;
};
