#include "core/DamagedFiles.h"

#include "core/ReplaceFile.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>

namespace {
constexpr int MaxCopies = 1000;

bool taken(const QString &name)
{
    const QFileInfo info(name);
    return info.exists() || info.isSymLink();
}
}

QString DamagedName(const QString &path, int number)
{
    return path + QStringLiteral(".damaged") + (number > 1 ? QStringLiteral(".%1").arg(number) : QString());
}

bool KeepDamagedCopy(const QString &path, const QByteArray &bytes)
{
    for (int n = 1; n <= MaxCopies; ++n) {
        const QString name = DamagedName(path, n);
        if (taken(name)) {
            QFile kept;
            // The same damage met again (an append that failed after keeping it) is kept once.
            if (QFileInfo(name).size() == bytes.size() && OpenRegularFile(kept, name) && kept.readAll() == bytes)
                return true;
            continue;
        }
        // Written whole and renamed into place: a copy is either all there or not at all.
        if (CreateWholeFile(name, bytes)) return true;
        if (errno != EEXIST) return false;
    }
    errno = EEXIST;
    return false;
}

bool MoveDamagedAside(const QString &path)
{
    for (int n = 1; n <= MaxCopies; ++n) {
        const QString name = DamagedName(path, n);
        if (!taken(name)) return QFile::rename(path, name);
    }
    return false;
}
