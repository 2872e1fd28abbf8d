#pragma once

#include <QObject>
#include <QStringList>

// The captions and units that rows and detail pages draw, translated once at first use so that
// painting never calls the translator. Entries are addressed by their fixed index (0 to 59).
class international : public QObject
{
    Q_OBJECT
public:
    enum
    {
        Count = 60
    };

    static international* instance();

    // Entry `index`; an index outside the table gives an empty text rather than a crash.
    const QString& label(int index) const;
    // The untranslated text of entry `index` (empty outside the table).
    static QString sourceText(int index);

    QStringList labels;

private:
    international();
};
