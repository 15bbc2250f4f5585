#include "core/ErrorReport.h"

#include <QCoreApplication>
#include <QThread>
#include <cstdio>

namespace {
std::function<void(const QString &)> &handler()
{
    static std::function<void(const QString &)> h;
    return h;
}

ReportCollector *collector = nullptr;   // main thread only

bool onOtherThread()
{
    const QCoreApplication *app = QCoreApplication::instance();
    return app && QThread::currentThread() != app->thread();
}
}

void SetReportHandler(std::function<void(const QString &)> h) { handler() = std::move(h); }

void ReportError(const QString &message)
{
    // Reporting never throws: it is the end of every failure path.
    try {
        if (onOtherThread()) {
            QMetaObject::invokeMethod(
                QCoreApplication::instance(), [message] { ReportError(message); }, Qt::QueuedConnection);
            return;
        }
        if (collector) {
            collector->m_reports << message;
            return;
        }
        if (handler()) {
            handler()(message);
            return;
        }
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    } catch (...) {}
}

ReportCollector::ReportCollector() : m_outer(collector) { collector = this; }

ReportCollector::~ReportCollector()
{
    collector = m_outer;
    // Whatever was not taken is not lost: it goes on to the outer collector or the handler.
    for (const QString &m : std::as_const(m_reports)) ReportError(m);
}

QStringList ReportCollector::Take()
{
    QStringList taken;
    taken.swap(m_reports);
    return taken;
}
