#include "kwdaddressbook.h"

#include "kwdprivatefile.h"
#include "kwdstore.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

namespace {

// Physical lines are folded before 75 octets, as importers expect of 3.0 cards.
constexpr int kFoldAt = 75;

QString escapeText(const QString& value)
{
    QString out;
    out.reserve(value.size());
    for (int i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == QLatin1Char('\\') || c == QLatin1Char(',') || c == QLatin1Char(';')) {
            out += QLatin1Char('\\');
            out += c;
        } else if (c == QLatin1Char('\r')) {
            if (i + 1 < value.size() && value.at(i + 1) == QLatin1Char('\n'))
                ++i;
            out += QLatin1String("\\n");
        } else if (c == QLatin1Char('\n')) {
            out += QLatin1String("\\n");
        } else {
            out += c;
        }
    }
    return out;
}

QString unescapeText(const QString& value)
{
    QString out;
    out.reserve(value.size());
    for (int i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c != QLatin1Char('\\') || i + 1 == value.size()) {
            out += c;
            continue;
        }
        const QChar next = value.at(++i);
        out += (next == QLatin1Char('n') || next == QLatin1Char('N')) ? QChar(QLatin1Char('\n')) : next;
    }
    return out;
}

// Splits a structured value at the separators that are not escaped.
QStringList splitComponents(const QString& value)
{
    QStringList parts;
    QString current;
    for (int i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == QLatin1Char('\\') && i + 1 < value.size()) {
            current += c;
            current += value.at(++i);
        } else if (c == QLatin1Char(';')) {
            parts << unescapeText(current);
            current.clear();
        } else {
            current += c;
        }
    }
    parts << unescapeText(current);
    return parts;
}

// One content line, folded at octet boundaries that never split a UTF-8 sequence.
QByteArray foldLine(const QString& line)
{
    const QByteArray bytes = line.toUtf8();
    QByteArray out;
    int start = 0;
    int limit = kFoldAt;
    while (bytes.size() - start > limit) {
        int cut = start + limit;
        while (cut > start && (uchar(bytes.at(cut)) & 0xC0) == 0x80)
            --cut;
        out += bytes.mid(start, cut - start);
        out += "\r\n ";
        start = cut;
        limit = kFoldAt - 1; // the leading space counts
    }
    out += bytes.mid(start);
    out += "\r\n";
    return out;
}

QString digitsOf(const QString& text)
{
    QString digits;
    for (const QChar c : text) {
        if (c.isDigit())
            digits += c;
    }
    return digits;
}

kwdAddressBook::Error fromFileError(QFileDevice::FileError e)
{
    switch (e) {
    case QFileDevice::NoError:
        return kwdAddressBook::NoError;
    case QFileDevice::PermissionsError:
    case QFileDevice::OpenError:
        return kwdAddressBook::PermissionsError;
    case QFileDevice::ResourceError:
        return kwdAddressBook::LimitReachedError;
    default:
        return kwdAddressBook::UnspecifiedError;
    }
}

} // namespace

QString kwdContactCard::displayName() const
{
    const QString joined = family + given;
    return joined.isEmpty() ? formatted : joined;
}

kwdAddressBook::kwdAddressBook(const QString& path)
    : file(path.isEmpty() ? kwdStore::instance()->dataFile(QStringLiteral("contacts.vcf")) : path)
{
}

QByteArray kwdAddressBook::encode(const kwdContactCard& card)
{
    const QString formatted = card.formatted.isEmpty() ? card.displayName() : card.formatted;
    QByteArray out = "BEGIN:VCARD\r\nVERSION:3.0\r\n";
    out += foldLine(QStringLiteral("N:%1;%2;;;").arg(escapeText(card.family), escapeText(card.given)));
    out += foldLine(QStringLiteral("FN:") + escapeText(formatted));
    out += foldLine(QStringLiteral("TEL;TYPE=VOICE:") + escapeText(card.phone));
    out += "END:VCARD\r\n";
    return out;
}

QList<kwdContactCard> kwdAddressBook::decode(const QByteArray& data)
{
    // Unfold first: a line that starts with a space or a tab continues the one before.
    QStringList lines;
    const QList<QByteArray> raw = data.split('\n');
    QByteArray current;
    for (QByteArray line : raw) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (!line.isEmpty() && (line.at(0) == ' ' || line.at(0) == '\t')) {
            current += line.mid(1);
            continue;
        }
        if (!current.isEmpty())
            lines << QString::fromUtf8(current);
        current = line;
    }
    if (!current.isEmpty())
        lines << QString::fromUtf8(current);

    QList<kwdContactCard> cards;
    kwdContactCard card;
    bool inCard = false;
    for (const QString& line : std::as_const(lines)) {
        const int colon = line.indexOf(QLatin1Char(':'));
        if (colon < 0)
            continue;
        QString name = line.left(colon).section(QLatin1Char(';'), 0, 0).toUpper();
        name = name.section(QLatin1Char('.'), -1); // "item1.TEL" is a grouped TEL
        // A carriage return left inside a line is a line break, as the writer spells it ("\n").
        const QString value = line.mid(colon + 1).replace(QLatin1Char('\r'), QLatin1Char('\n'));
        if (name == QLatin1String("BEGIN") &&
            value.trimmed().compare(QLatin1String("VCARD"), Qt::CaseInsensitive) == 0) {
            card = kwdContactCard();
            inCard = true;
        } else if (!inCard) {
            continue;
        } else if (name == QLatin1String("END")) {
            if (card.formatted.isEmpty())
                card.formatted = card.family + card.given;
            cards << card;
            inCard = false;
        } else if (name == QLatin1String("N")) {
            const QStringList parts = splitComponents(value);
            card.family = parts.value(0);
            card.given = parts.value(1);
        } else if (name == QLatin1String("FN")) {
            card.formatted = unescapeText(value);
        } else if (name == QLatin1String("TEL") && card.phone.isEmpty()) {
            card.phone = unescapeText(value).trimmed();
        }
    }
    return cards;
}

QList<kwdContactCard> kwdAddressBook::contacts(const QString& filter)
{
    lastError = NoError;
    QFile in(file);
    if (!in.exists())
        return {};
    if (!in.open(QIODevice::ReadOnly)) {
        lastError = fromFileError(in.error());
        return {};
    }
    const QList<kwdContactCard> all = decode(in.readAll());
    const QString f = filter.trimmed();
    if (f.isEmpty())
        return all;
    const bool byNumber = digitsOf(f) == f;
    QList<kwdContactCard> matching;
    for (const kwdContactCard& c : all) {
        const bool hit = byNumber ? digitsOf(c.phone).contains(f)
                                  : (c.given.contains(f, Qt::CaseInsensitive) ||
                                     c.family.contains(f, Qt::CaseInsensitive) ||
                                     c.formatted.contains(f, Qt::CaseInsensitive));
        if (hit)
            matching << c;
    }
    return matching;
}

bool kwdAddressBook::save(const kwdContactCard& card)
{
    lastError = NoError;
    if (card.phone.trimmed().isEmpty() || card.displayName().trimmed().isEmpty()) {
        lastError = BadArgumentError;
        return false;
    }
    QByteArray existing;
    QFile in(file);
    if (in.exists()) {
        if (!in.open(QIODevice::ReadOnly)) {
            lastError = fromFileError(in.error());
            return false;
        }
        existing = in.readAll();
        in.close();
        // The same person with the same number twice is a double tap, not a new contact.
        for (const kwdContactCard& c : decode(existing)) {
            if (c.phone == card.phone && c.displayName() == card.displayName()) {
                lastError = AlreadyExistsError;
                return false;
            }
        }
    }
    kwdPrivateFile::makePath(QFileInfo(file).absolutePath());
    // The cards already there are kept byte for byte, even those this class cannot read.
    if (!existing.isEmpty() && !existing.endsWith('\n'))
        existing += "\r\n";
    QSaveFile out(file);
    if (!kwdPrivateFile::open(out)) {
        lastError = fromFileError(out.error());
        return false;
    }
    out.write(existing);
    out.write(encode(card));
    if (!out.commit()) {
        lastError = fromFileError(out.error());
        return false;
    }
    return true;
}

QString kwdAddressBook::exportCard(const kwdContactCard& card)
{
    const QString path = QFileInfo(file).absoluteDir().filePath(QStringLiteral("contact-new.vcf"));
    QSaveFile out(path);
    if (!kwdPrivateFile::open(out) || out.write(encode(card)) < 0 || !out.commit()) {
        lastError = fromFileError(out.error());
        return QString();
    }
    return path;
}
