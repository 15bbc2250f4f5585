#include "Report.h"

#include <cstdio>

namespace {
std::function<void(const QString &)> &handler()
{
    static std::function<void(const QString &)> h;
    return h;
}
}

void SetReportHandler(std::function<void(const QString &)> h) { handler() = std::move(h); }

void ReportError(const QString &message)
{
    // Reporting never throws: it is the end of every failure path.
    try {
        if (handler()) {
            handler()(message);
            return;
        }
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    } catch (...) {}
}
