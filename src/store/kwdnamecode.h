#pragma once

#include <QString>

// A name with its code: a city and its short code, a district and its code, a price label and its value.
struct kwdNameCode
{
    QString name;
    QString code;

    bool operator==(const kwdNameCode& o) const { return name == o.name && code == o.code; }
};
