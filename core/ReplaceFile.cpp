#include "ReplaceFile.h"

#include <QSaveFile>

bool ReplaceFile(const QString &path, const QByteArray &data)
{
    // Unbuffered, because Qt 6.4's commit() renames even after its own flush has failed; a short
    // write() is the only reliable sign of a full disk.
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && file.write(data) == data.size() && file.commit();
}
