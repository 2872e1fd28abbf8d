#pragma once

#include <QColor>
#include <QString>

class QDateTime;

// Number, percentage and age texts shared by the rows, the detail bodies and the price guide, so that
// every page shows prices, areas and rises the same way.
class qvmFormat
{
public:
    // Fixed notation with `decimals` decimals, the integer part grouped in threes with ",".
    static QString formatNumber(double value, int decimals);
    // A field text as a number, grouping commas ignored; empty or unreadable texts count as 0.
    static double toNumber(const QString& text);
    // Whether a field text holds a number (grouping commas allowed).
    static bool hasNumber(const QString& text);
    // What a value that has not arrived (or is unreadable) shows instead of a made-up zero: "--".
    static QString missingValue();
    // The field as formatNumber, or missingValue() without a number.
    static QString numberText(const QString& field, int decimals);
    // The field as formatRise, or missingValue() without a number.
    static QString riseText(const QString& field);
    // A price rise as a signed percentage with one decimal; rises below 0.1 in size read "0.0%".
    static QString formatRise(double value);
    // Green for a fall, red for a rise, grey otherwise.
    static QColor riseColor(const QString& riseText);
    // How long ago `publishTime` ("yyyy-MM-dd hh:mm:ss") was at `now`: "59secsbefore" style texts
    // within a week, the time itself outside it or in the future, the text as given when unreadable.
    static QString ageText(const QString& publishTime, const QDateTime& now);
};
