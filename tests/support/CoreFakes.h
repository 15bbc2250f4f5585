#pragma once
// Fakes for the core's seams: the clock, the program folder and the error report.
#include "core/DateTime.h"
#include "core/Exception.h"
#include "core/MonatsLog.h"
#include "core/ProgramDir.h"
#include "core/TarifStore.h"

#include <QStringList>
#include <QTemporaryDir>

// Installs itself as the local and the monotonic clock; time moves only when a test moves it.
// advanceSeconds moves both, set changes only the local clock (as a clock change does).
class FakeClock
{
public:
    explicit FakeClock(TDateTime start = EncodeDateTime(2005, 3, 1, 10, 0, 0));
    ~FakeClock();
    void set(TDateTime t) { m_now = t; }
    void advanceSeconds(double s)
    {
        m_now += s / 86400.0;
        m_mono += s;
    }
    TDateTime now() const { return m_now; }
    double monotonic() const { return m_mono; }

private:
    TDateTime m_now;
    double m_mono = 1000.0;
};

// Points the program folder at a fresh temporary folder for the lifetime of the object. In the
// user-data mode that is $XDG_DATA_HOME, below which the program makes minutrix/ on first use.
// $XDG_STATE_HOME points at another one, so the user's state folder is never touched.
class TempProgramDir
{
public:
    explicit TempProgramDir(FolderMode mode = FolderMode::Portable);
    ~TempProgramDir();
    QString path() const;   // with trailing '/'
    QString file(const QString &name) const { return path() + name; }
    void write(const QString &name, const QByteArray &bytes) const;
    // A file where the folder should be, so nothing can be written below it; and the folder back.
    void blockFolder(const QString &name) const;
    void unblockFolder(const QString &name) const;
    QByteArray read(const QString &name) const;

private:
    QTemporaryDir m_dir;
    QTemporaryDir m_state;
    FolderMode m_mode;
};

// The column "mode" with a row for each folder mode, for the store tests that run in both.
void AddFolderModeRows();

// Records every ReportError text instead of showing it.
class ReportRecorder
{
public:
    ReportRecorder();
    ~ReportRecorder();
    QStringList reports;
};

// A tariff for one dial-up entry with one price per minute at every hour of every day.
TTarif MakeTarif(const QString &name, const QString &nummer, const QString &eintrag, double price, double limit = 0);

// The message of the Exception the call throws, or a null string when it throws none.
template <typename F>
QString thrownMessage(F call)
{
    try {
        call();
    } catch (const Exception &e) {
        return e.message();
    }
    return QString();
}

// The month log at path, as ReadAllData reads it.
TKostenDatenbank ReadLog(const QString &path);
// The names of the tariffs in the tariff store on disk, in their order.
QStringList StoredTarifNames();
// Settings as the user left them after the first start: in the globals and on disk.
void StoreSettings(double limit, int state = 8);
