#pragma once
// Records the events of one THTTPGet in the order they came, and whether each ran on the main thread.
#include "online/HTTPGet.h"

#include <QCoreApplication>
#include <QStringList>
#include <QThread>

constexpr int kWaitMs = 30000;   // generous for a loaded machine; waits end once their condition holds

struct TransferLog
{
    explicit TransferLog(THTTPGet &get)
    {
        get.OnProgress = [this, &get](QObject *sender, qint32 total, qint32 readed) {
            senderWasComponent = senderWasComponent || sender == &get;
            progress.append({total, readed});
            note("progress");
        };
        get.OnDoneFile = [this](QObject *, const QString &f, qint32 n) { note(QString("file %1 %2").arg(f).arg(n)); };
        get.OnDoneString = [this](QObject *, const QByteArray &r) {
            result = r;
            note("string");
        };
        get.OnError = [this](QObject *) { note("error"); };
    }
    void note(const QString &event)
    {
        offMainThread = offMainThread || QThread::currentThread() != QCoreApplication::instance()->thread();
        events.append(event);
    }
    QStringList endings() const   // the events but progress: exactly one once a transfer has ended
    {
        QStringList e = events;
        e.removeAll("progress");
        return e;
    }
    int readed() const { return progress.isEmpty() ? 0 : progress.last().second; }

    QStringList events;
    QList<QPair<qint32, qint32>> progress;   // TotalSize, Readed
    QByteArray result;
    bool offMainThread = false;
    bool senderWasComponent = false;
};
