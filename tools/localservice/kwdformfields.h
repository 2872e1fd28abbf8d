#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

// The decoded pairs of a query string or of a form-encoded body, in the order sent.
class kwdFormFields
{
public:
    // Splits at '&', the first '=' separates key and value; '+' is a space, %XX is decoded as UTF-8.
    static kwdFormFields parse(const QByteArray& encoded);

    bool has(const QString& key) const;
    // The first value of the key; empty when absent.
    QString value(const QString& key) const;
    const QList<QPair<QString, QString>>& items() const { return pairs; }

private:
    QList<QPair<QString, QString>> pairs;
};
