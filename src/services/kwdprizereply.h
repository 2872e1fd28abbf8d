#pragma once

#include <QString>

class QByteArray;

// One reading of a prize-draw reply (prize or today's and this week's counts) from the statistics
// host; no widgets, so the rules can be checked on their own.
class kwdPrizeReply
{
public:
    static kwdPrizeReply parsePrize(const QByteArray& body);
    static kwdPrizeReply parseCounts(const QByteArray& body);

    // A prize that the device won and has not claimed yet.
    bool unclaimedPrize() const;

    bool readable = false;
    QString error;       // the parser's message when not readable
    bool status = false; // "status" of the list is "true" in any case
    QString code;
    QString prize;
    QString claimed;
    int today = 0;
    int week = 0;
};
