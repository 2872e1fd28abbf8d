#include "kwdpinyin.h"

#include <algorithm>

int kwdPinyin::initial(QChar c)
{
    const int code = c.unicode();
    // 重 leads 重庆, which everyone files under "c", while its customary reading is zhong.
    if (code == 0x91CD)
        return 'c';
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
