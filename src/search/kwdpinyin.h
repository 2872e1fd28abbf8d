#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

// The pinyin order of province and city names: every ideograph sorts under the initial of its
// reading, every other character under its own code; owns the table of initials.
class kwdPinyin
{
public:
    // Sort key of one character: the pinyin initial for U+4E00..U+9FA6, else the character's own code.
    static int initial(QChar c);
    // Character-wise comparison of the keys as signed bytes; a prefix is not less than its extension.
    static bool lessThan(const QString& a, const QString& b);
    // Stable: names with equal keys keep their order.
    static void sort(QStringList& names);

    static const int first = 0x4E00;
    static const int last = 0x9FA6;
    // One letter per ideograph from first to last (generated).
    static const char table[];
};
