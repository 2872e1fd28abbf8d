#pragma once

#include <QList>
#include <QString>

class QByteArray;

// One person of the address book as the contact panel uses it: a name and one number. `family`
// and `given` are the structured name; `formatted` is what people read.
struct kwdContactCard
{
    QString family;
    QString given;
    QString formatted;
    QString phone;

    // Family name followed by the given name, as the picker shows them.
    QString displayName() const;
};

// The desktop's stand-in for a handset's contacts store: a file of vCard 3.0 cards in the data
// directory. Reads the cards, filters them, appends one atomically and writes single cards for
// the desktop's address book to import. Owns nothing but the file's path and the last error.
class kwdAddressBook
{
public:
    // Error numbers as the contact panel reports them (the handset contacts store's codes).
    enum Error
    {
        NoError = 0,
        DoesNotExistError = 1,
        AlreadyExistsError = 2,
        InvalidDetailError = 3,
        LockedError = 5,
        PermissionsError = 7,
        OutOfMemoryError = 8,
        NotSupportedError = 9,
        BadArgumentError = 10,
        UnspecifiedError = 11,
        LimitReachedError = 13,
    };

    // The book in `path`; an empty path means "contacts.vcf" in the data directory.
    explicit kwdAddressBook(const QString& path = QString());

    QString path() const { return file; }
    Error error() const { return lastError; }

    // Every card in file order; with a filter of digits only the cards whose number contains
    // them, else those whose given or family name contains it (case-insensitive).
    QList<kwdContactCard> contacts(const QString& filter = QString());
    // Appends one card; the whole file is rewritten through a temporary so that a crash leaves
    // the old book or the new one, never half of it.
    bool save(const kwdContactCard& card);
    // Writes the card alone to a .vcf file beside the book and returns its path (empty on error).
    QString exportCard(const kwdContactCard& card);

    static QByteArray encode(const kwdContactCard& card);
    static QList<kwdContactCard> decode(const QByteArray& data);

private:
    QString file;
    Error lastError = NoError;
};
