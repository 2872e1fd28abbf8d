#pragma once

#include <QDomDocument>
#include <QDomElement>

class QByteArray;
class QDomNodeList;

// A result document of the listing host: the "resultlist" whose type is one category's record tag,
// with its paging figures. Owns the parsed document; the row classes read the records from it.
class kwdResultDocument
{
public:
    // False when the body is not well-formed or has no result list of the category's tag.
    bool read(const QByteArray& body, int category);

    // Every record element below the list, in document order.
    QDomNodeList records() const;
    // The first record (a detail document has one); null when there is none.
    QDomElement firstRecord() const;

    int total = 0;
    // 1-based position of the list's first record among all results.
    int skip = 0;

private:
    QDomDocument doc;
    QDomElement result;
    QString tag;
};
