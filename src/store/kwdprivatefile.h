#pragma once

#include <QFileDevice>

class QSaveFile;
class QString;

// Files and folders of the user's own data (settings, data directory) are readable by the user only:
// they hold what the user searched, kept and who they are.
class kwdPrivateFile
{
public:
    static constexpr QFileDevice::Permissions fileMode = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    static constexpr QFileDevice::Permissions dirMode =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;

    // Opens for writing and gives the new file the private mode before any byte is written; the
    // rename on commit keeps it, also over a file an earlier version left readable by others.
    static bool open(QSaveFile& file);
    // mkpath, and every folder it had to create gets the private mode (existing ones are left alone).
    static bool makePath(const QString& dir);
    // An existing file or folder of ours gets the private mode (files written before this rule).
    static bool restrict(const QString& path);
};
