#include "kwdstreamguard.h"

#include <QDataStream>
#include <QIODevice>

qint32 kwdStreamGuard::readCount(QDataStream& in, int minElementSize)
{
    qint32 count = 0;
    in >> count;
    if (in.status() != QDataStream::Ok || count < 0)
        return -1;
    if (QIODevice* dev = in.device()) {
        const qint64 left = dev->bytesAvailable();
        if (qint64(count) * qMax(1, minElementSize) > left)
            return -1;
    }
    return count;
}
