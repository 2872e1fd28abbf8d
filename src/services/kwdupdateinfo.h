#pragma once

#include <QString>

class QByteArray;

// One reading of the update document: the announced build with its version, release time and
// download address, and the rule which build counts as new.
class kwdUpdateInfo
{
public:
    // This client's own build and version text.
    static constexpr int ownBuild = 1016;
    static QString ownVersion();
    // False when the package is built for a distribution whose package manager brings updates.
    static bool checkBuiltIn();

    // Reads the document; a body that is no update document, has no record, no build or one below 1 gives
    // build 0.
    static kwdUpdateInfo parse(const QByteArray& body);
    // The build an announcement must exceed: the stored build for an automatic check, our own for
    // a manual one, never below our own.
    static int threshold(bool automatic, int storedBuild);

    int build = 0;
    QString version;
    QString updateTime;
    QString url;
};
