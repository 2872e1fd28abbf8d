#include "kwdnumberinput.h"

#include <QLineEdit>

namespace {
// Full-width digits, the full-width point and the ideographic full stop a Chinese input method types
// for ".".
QChar folded(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= 0xFF10 && u <= 0xFF19)
        return QChar(char16_t(u'0' + (u - 0xFF10)));
    if (u == 0xFF0E || u == 0x3002)
        return QLatin1Char('.');
    return c;
}

bool asciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}
} // namespace

kwdNumberInput::kwdNumberInput(Kind k, QObject* parent) : QValidator(parent), kind(k) {}

void kwdNumberInput::install(Kind kind, const QList<QLineEdit*>& edits)
{
    for (QLineEdit* e : edits)
        e->setValidator(new kwdNumberInput(kind, e));
}

QString kwdNumberInput::normalized(const QString& text)
{
    QString r = text.trimmed();
    for (QChar& c : r)
        c = folded(c);
    return r;
}

bool kwdNumberInput::isNumber(const QString& text, Kind kind)
{
    const QString t = normalized(text);
    int digits = 0, points = 0;
    for (QChar c : t) {
        if (asciiDigit(c))
            ++digits;
        else if (c == QLatin1Char('.') && kind == Decimal)
            ++points;
        else
            return false;
    }
    if (digits == 0 || points > 1)
        return false;
    bool fits = true;
    if (kind == Whole)
        t.toInt(&fits);
    return fits;
}

bool kwdNumberInput::readRange(QLineEdit* low, QLineEdit* high, int* lowValue, int* highValue,
                               QLineEdit** bad)
{
    *bad = nullptr;
    QLineEdit* const edits[] = {low, high};
    int* const values[] = {lowValue, highValue};
    for (int i = 0; i < 2; ++i) {
        const QString t = normalized(edits[i]->text());
        *values[i] = t.isEmpty() ? 0 : t.toInt();
        if (!t.isEmpty() && !isNumber(t, Whole) && !*bad)
            *bad = edits[i];
    }
    // The upper bound is the one that went wrong when it lies below the lower one.
    if (!*bad && *highValue > 0 && *highValue < *lowValue)
        *bad = high;
    return !*bad;
}

QValidator::State kwdNumberInput::validate(QString& input, int& pos) const
{
    Q_UNUSED(pos);
    // Each folded character stays one character, so the cursor keeps its place.
    bool point = false;
    for (QChar& c : input) {
        c = folded(c);
        if (asciiDigit(c))
            continue;
        if (c == QLatin1Char('.') && kind == Decimal && !point) {
            point = true;
            continue;
        }
        return Invalid;
    }
    return Acceptable;
}
