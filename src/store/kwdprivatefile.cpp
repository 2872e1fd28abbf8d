#include "kwdprivatefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

bool kwdPrivateFile::open(QSaveFile& file)
{
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (!file.setPermissions(fileMode)) {
        // The temporary goes with the object; nothing reaches the file's name.
        file.cancelWriting();
        return false;
    }
    return true;
}

bool kwdPrivateFile::makePath(const QString& dir)
{
    QStringList created;
    for (QFileInfo level(QDir::cleanPath(QDir(dir).absolutePath())); !level.exists() && !level.isRoot();
         level = QFileInfo(level.path()))
        created.prepend(level.filePath());
    if (!QDir().mkpath(dir))
        return false;
    bool ok = true;
    for (const QString& level : created)
        ok = QFile::setPermissions(level, dirMode) && ok;
    return ok;
}

bool kwdPrivateFile::restrict(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return false;
    return QFile::setPermissions(path, info.isDir() ? dirMode : fileMode);
}
