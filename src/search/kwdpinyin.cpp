#include "kwdpinyin.h"

#include <algorithm>

int kwdPinyin::initial(QChar c)
{
    const int code = c.unicode();
    // Characters whose reading in place names is not their common one: 重庆 chong, 长春/长沙/长治
    // chang, 厦门 xia, 西藏 zang. The generated table carries the common readings.
    static const struct
    {
        char16_t code;
        char initial;
    } placeReadings[] = {{0x91CD, 'c'}, {0x957F, 'c'}, {0x53A6, 'x'}, {0x85CF, 'z'}};
    for (const auto& reading : placeReadings) {
        if (code == reading.code)
            return reading.initial;
    }
    if (code >= first && code <= last)
        return table[code - first];
    return code;
}

bool kwdPinyin::lessThan(const QString& a, const QString& b)
{
    const int n = std::min(a.size(), b.size());
    for (int i = 0; i < n; ++i) {
        // Keys compare as signed bytes, so characters outside ASCII with a high low byte sort first.
        const auto ka = static_cast<signed char>(initial(a.at(i)) & 0xFF);
        const auto kb = static_cast<signed char>(initial(b.at(i)) & 0xFF);
        if (ka != kb)
            return ka < kb;
    }
    return false;
}

void kwdPinyin::sort(QStringList& names)
{
    std::stable_sort(names.begin(), names.end(), &kwdPinyin::lessThan);
}
