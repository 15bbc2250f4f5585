#pragma once
// How the stores touch their files: whole files are written beside the file and renamed into
// place, and files are opened for reading only when they are regular files.
#include <QByteArray>
#include <QFile>
#include <QString>

// Writes the data beside the file and renames it over the old one, so a crash or a full disk
// keeps the previous file whole. A symbolic link to a regular file is followed: its target is
// replaced, the link stays; anything else at path (a FIFO, a link to a device) is replaced itself.
// False when anything failed (errno says why); the old file is then untouched.
bool ReplaceFile(const QString &path, const QByteArray &data);
// The same for a file that must not exist yet: false with errno EEXIST when one appeared
// meanwhile (another process created it), which is then left as it is.
bool CreateWholeFile(const QString &path, const QByteArray &data);

// The data is first written as "<file name>.mxsave-" and eight letters or digits. A save killed
// midway leaves that file behind; every successful save of the same file removes such leftovers,
// except those a running save still holds.
bool IsReplaceLeftoverName(const QString &fileName, const QString &candidate);

// Opens path only if it is a regular file or a symbolic link to one. A FIFO, socket, device or
// folder is never opened for reading (opening a FIFO waits for a writer, for ever at start-up):
// false, with the reason in *why when given. mode is ReadOnly or ReadWrite, plus Unbuffered.
bool OpenRegularFile(QFile &file, const QString &path, QIODevice::OpenMode mode = QIODevice::ReadOnly,
                     QString *why = nullptr);
