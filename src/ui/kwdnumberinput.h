#pragma once

#include <QValidator>

class QLineEdit;

// What a number input takes: ASCII digits and, for a decimal, one point. Full-width digits and
// points of a Chinese input method are taken as the ASCII ones, so letters can neither be typed nor
// pasted. Also reads the texts when the form is sent, since a stored or set text never passed the
// validator. Owned by the edit it is installed on; no widgets of its own.
class kwdNumberInput : public QValidator
{
    Q_OBJECT
public:
    enum Kind
    {
        Whole,
        Decimal
    };

    explicit kwdNumberInput(Kind kind, QObject* parent = nullptr);

    // Gives every edit a validator of the kind, owned by that edit.
    static void install(Kind kind, const QList<QLineEdit*>& edits);
    // Full-width digits and points as ASCII ones, surrounding spaces dropped.
    static QString normalized(const QString& text);
    // True when the text, normalized, is a number of the kind (a whole one fits an int).
    static bool isNumber(const QString& text, Kind kind);
    // The whole-number bounds of a range of two edits; an empty bound reads 0 and an upper bound of 0
    // means "no upper bound". False when a bound is no whole number or the lower one lies above the
    // upper one, with *bad the edit to blame.
    static bool readRange(QLineEdit* low, QLineEdit* high, int* lowValue, int* highValue, QLineEdit** bad);

    State validate(QString& input, int& pos) const override;

private:
    Kind kind;
};
