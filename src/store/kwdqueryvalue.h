#pragma once

#include <QString>

// Escaping of free text put into a query string: only the characters that would end or split a
// value are percent-encoded, everything else stays as written.
class kwdQueryValue
{
public:
    // "&", "=", "#", "+" and "%" become %26, %3D, %23, %2B and %25.
    static QString encode(const QString& value);
};
