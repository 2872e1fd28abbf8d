#pragma once

#include <QtGlobal>

class QDataStream;

// Reads element counts from the data files defensively: a damaged file must neither crash the
// program nor make it loop over a count that the remaining bytes cannot hold.
class kwdStreamGuard
{
public:
    // Reads a 32-bit count; -1 when the stream failed, the count is negative, or the bytes left
    // cannot hold that many elements of at least minElementSize bytes each.
    static qint32 readCount(QDataStream& in, int minElementSize);
};
