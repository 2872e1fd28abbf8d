#pragma once

#include <QList>
#include <QString>

#include <functional>

class QProcess;
class QTemporaryDir;

// What every benchmark needs before its application object: a private home, so that nothing the
// user keeps is read or written, the offscreen platform unless another is asked for, and medians.
class kwdBench
{
public:
    // HOME and the XDG configuration and data directories inside `home`; offscreen by default.
    static void useHome(const QTemporaryDir& home);
    static double median(QList<double> values);
    // Starts kwd-localservice next to the benchmark and makes it the proxy, or uses the proxy in
    // http_proxy when set; empty text on success.
    static QString startService(QProcess& process);
    // Runs events until `done` holds; false after timeoutMs.
    static bool waitUntil(const std::function<bool()>& done, int timeoutMs);
    // The resident memory of this process, in kilobytes (0 where it cannot be read).
    static long residentKb();
};
