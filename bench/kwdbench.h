#pragma once

#include <QList>

class QTemporaryDir;

// What every benchmark needs before its application object: a private home, so that nothing the
// user keeps is read or written, the offscreen platform unless another is asked for, and medians.
class kwdBench
{
public:
    // HOME and the XDG configuration and data directories inside `home`; offscreen by default.
    static void useHome(const QTemporaryDir& home);
    static double median(QList<double> values);
};
