#include "tests/support/CoreFakes.h"

#include "core/ErrorReport.h"
#include "core/ProgramDir.h"
#include "core/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

FakeClock::FakeClock(TDateTime start) : m_now(start)
{
    SetClock([this] { return m_now; });
    SetMonotonicClock([this] { return m_mono; });
}

FakeClock::~FakeClock()
{
    ResetClock();
    ResetMonotonicClock();
}

TempProgramDir::TempProgramDir(FolderMode mode) : m_mode(mode)
{
    SetFolderMode(mode);
    SetProgramDir(mode == FolderMode::Portable ? m_dir.path() : QString());
    if (mode == FolderMode::UserData) qputenv("XDG_DATA_HOME", m_dir.path().toLocal8Bit());   // never the user's
    qputenv("XDG_STATE_HOME", m_state.path().toLocal8Bit());
}

TempProgramDir::~TempProgramDir()
{
    SetProgramDir(QString());
    SetFolderMode(BuildFolderMode());
}

QString TempProgramDir::path() const { return m_dir.path() + (m_mode == FolderMode::Portable ? "/" : "/minutrix/"); }

void AddFolderModeRows()
{
    QTest::addColumn<FolderMode>("mode");
    QTest::newRow("portable") << FolderMode::Portable;
    QTest::newRow("user data") << FolderMode::UserData;
}

void TempProgramDir::write(const QString &name, const QByteArray &bytes) const
{
    QDir().mkpath(QFileInfo(file(name)).path());
    QFile f(file(name));
    if (f.open(QIODevice::WriteOnly)) f.write(bytes);
}

QByteArray TempProgramDir::read(const QString &name) const
{
    QFile f(file(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

ReportRecorder::ReportRecorder()
{
    SetReportHandler([this](const QString &m) { reports << m; });
}

ReportRecorder::~ReportRecorder() { SetReportHandler(nullptr); }

TTarif MakeTarif(const QString &name, const QString &nummer, const QString &eintrag, double price, double limit)
{
    TTarif t;
    t.Name.set(name);
    t.Nummer.set(nummer);
    t.Eintrag.set(eintrag);
    for (int d = 1; d <= 7; ++d)
        for (int h = 0; h < 24; ++h) {
            t.Kosten[d][h] = price;
            t.Taktung[d][h] = 1;
        }
    t.Limit = limit;
    return t;
}

void TempProgramDir::blockFolder(const QString &name) const
{
    QDir(file(name)).removeRecursively();
    write(name, "not a folder");
}

void TempProgramDir::unblockFolder(const QString &name) const
{
    QFile::remove(file(name));
    QDir().mkpath(file(name));
}

TKostenDatenbank ReadLog(const QString &path)
{
    TKostenDatenbank log;
    log.Pfad = path;
    ReadAllData(log);
    return log;
}

QStringList StoredTarifNames()
{
    QFile file(TarifPath());
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray data = file.readAll();
    QStringList names;
    for (qsizetype at = 0; at + TarifSize <= data.size(); at += TarifSize)
        names << ReadTarif(data.constData() + at).Name.value();
    return names;
}

void StoreSettings(double limit, int state)
{
    ErsterStart = 0;
    Bundesland = std::uint8_t(state);
    GesamtLimit = limit;
    Sprache.set(QStringLiteral("german"));
    SaveSettings();
}
