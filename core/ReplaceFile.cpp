#include "ReplaceFile.h"

#include <QFile>
#include <cstdio>
#include <unistd.h>

QString ReplaceFileTemp(const QString &path) { return path + QStringLiteral(".tmp"); }

bool ReplaceFile(const QString &path, const QByteArray &data)
{
    // One fixed name beside the file: a save killed midway leaves it behind, and the next save of
    // the same store removes it. Unbuffered with checked counts, because a short write() is the
    // only reliable sign of a full disk.
    const QString temp = ReplaceFileTemp(path);
    QFile::remove(temp);
    QFile file(temp);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) return false;
    const bool written = file.write(data) == data.size() && ::fsync(file.handle()) == 0;
    file.close();
    // rename() replaces the old file in one step: a reader sees the old file or the new one.
    if (!written || std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(path).constData()) != 0) {
        QFile::remove(temp);
        return false;
    }
    return true;
}
