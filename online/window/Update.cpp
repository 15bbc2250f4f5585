#include "online/window/Update.h"

#include "core/Exception.h"
#include "core/Language.h"
#include "core/ProgramDir.h"
#include "core/ReplaceFile.h"
#include "core/Win1252.h"
#include "online/HTTPGet.h"
#include "online/HTTPUrl.h"
#include "online/window/JpegImage.h"
#include "online/window/OnlineUrls.h"
#include "ui/AccessibleName.h"
#include "ui/Controls.h"
#include "ui/MessageBox.h"
#include "ui/Shell.h"
#include "ui/ShowException.h"
#include "ui/WindowFont.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QResizeEvent>
#include <QStringDecoder>

#include <filesystem>
#include <utility>

TAutoupdate *Autoupdate = nullptr;

namespace {
constexpr int PanelWidth = 126;
// Whatever the server sends, the window stays quick: a description is a short text, the memo shows
// at most this many lines and this much of each, and a setup is no larger than the program ever
// was by far.
constexpr qint64 MaxDescriptionSize = 64 * 1024;
constexpr qsizetype MaxLines = 1000;
constexpr qsizetype MaxLineLength = 1000;
constexpr qint64 MaxSetupSize = 64 * 1024 * 1024;
const QString ErrorLine = QStringLiteral("Error while downloading  ---  Fehler beim Download");

std::filesystem::path fsPath(const QString &name) { return std::filesystem::path(name.toStdU16String()); }

// Renames the finished download over the file of its name (a previous download of it).
bool takeFinalName(const QString &partial, const QString &fileName)
{
    std::error_code error;
    std::filesystem::rename(fsPath(partial), fsPath(fileName), error);
    return !error;
}

// The description as the maker wrote it: UTF-8, or else the Windows code page.
QString DescriptionText(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (utf8.hasError()) text = FromWin1252(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = text.split(QLatin1Char('\n')).mid(0, MaxLines);
    for (QString &line : lines) line.truncate(MaxLineLength);
    return lines.join(QLatin1Char('\n'));
}

// The setup's SHA-256 as the description's "SHA256: <64 hex digits>" line gives it, in lower-case
// hex; empty without such a line. A "SHA256:" line with anything else matches no setup.
QByteArray SetupChecksum(const QString &description)
{
    static const QRegularExpression line(QStringLiteral("^[ \\t]*SHA256:(.*)$"),
                                         QRegularExpression::MultilineOption
                                             | QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression hex(QStringLiteral("^[0-9A-Fa-f]{64}$"));
    const QRegularExpressionMatch m = line.match(description);
    if (!m.hasMatch()) return {};
    const QString value = m.captured(1).trimmed();
    return hex.match(value).hasMatch() ? value.toLower().toLatin1() : QByteArray("no setup matches");
}

QPushButton *flatButton(QWidget *parent, const char *name, int top, const QString &caption)
{
    return MakeFlatButton(parent, name, 4, top, PanelWidth - 8, 25, caption);
}
}

QString DownloadInfoFile() { return ProgramDir() + QStringLiteral("DownloadInfo.txt"); }
QString SetupFile() { return ProgramDir() + QStringLiteral("Temp/Minutr.exe"); }
QString PartialName(const QString &fileName) { return fileName + QStringLiteral(".part"); }

TAutoupdate::TAutoupdate(QWidget *parent) : QDialog(parent), m_instance(Autoupdate, this)
{
    setObjectName(QStringLiteral("Autoupdate"));
    setWindowTitle(QStringLiteral("Auto-Update"));
    setFont(WindowFont());
    resize(590, 417);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    // White in a light theme as the panel always was, dark in a dark one: the palette's field colour,
    // which the buttons' text is made to be read on.
    Panel1->setAutoFillBackground(true);
    Panel1->setBackgroundRole(QPalette::Base);
    SpeedButton1 = flatButton(Panel1, "SpeedButton1", 8, tr("Prüfe auf Update"));
    SpeedButton2 = flatButton(Panel1, "SpeedButton2", 36, tr("Installieren"));
    SpeedButton2->setEnabled(false);
    ProgressBar1 = Place(new QProgressBar(Panel1), "ProgressBar1", 4, 68, PanelWidth - 8, 16);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    NameField(ProgressBar1, tr("Fortschritt des Downloads"));
    Bevel1 = MakeBevel(Panel1, "Bevel1", 4, 92, PanelWidth - 8);
    SpeedButton3 = flatButton(Panel1, "SpeedButton3", 100, tr("Schließen"));
    Image1 = new QLabel(Panel1);   // the picture is decoded when the window is first shown
    Image1->setObjectName(QStringLiteral("Image1"));

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    NameField(Memo1, tr("Beschreibung der neuen Version"));

    connect(SpeedButton1, &QPushButton::clicked, this, [this] { Guarded([this] { SpeedButton1Click(); }); });
    connect(SpeedButton2, &QPushButton::clicked, this, [this] { Guarded([this] { SpeedButton2Click(); }); });
    connect(SpeedButton3, &QPushButton::clicked, this, [this] { Guarded([this] { SpeedButton3Click(); }); });

    HTTPGet1 = new THTTPGet(this);
    HTTPGet1->setObjectName(QStringLiteral("HTTPGet1"));
    HTTPGet1->Agent = QStringLiteral("Minutrix Auto-Update 2.0");   // accepting "*/*", no cache
    HTTPGet1->OnProgress = [this](QObject *, qint32 total, qint32 readed) { HTTPGet1Progress(total, readed); };
    HTTPGet1->OnDoneFile = [this](QObject *, const QString &name, qint32) { Guarded([&] { HTTPGet1DoneFile(name); }); };
    HTTPGet1->OnError = [this](QObject *) { HTTPGet1Error(); };
    OnFirstShow(this, [this] { showPicture(QStringLiteral(":/update.jpg")); });
}

TAutoupdate::~TAutoupdate() { stopDownload(); }

void TAutoupdate::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    Panel1->setGeometry(0, 0, PanelWidth, height());
    Memo1->setGeometry(PanelWidth, 0, width() - PanelWidth, height());
    Image1->move(0, height() - Image1->height());
}

void TAutoupdate::showPicture(const QString &resource)
{
    QFile file(resource);
    const QImage picture = file.open(QIODevice::ReadOnly) ? DecodeJpeg(file.readAll()) : QImage();
    if (picture.isNull()) {   // a damaged picture leaves the panel empty
        Image1->clear();
        Image1->resize(0, 0);
        return;
    }
    const QImage scaled = picture.scaledToWidth(PanelWidth, Qt::SmoothTransformation);
    Image1->setPixmap(QPixmap::fromImage(scaled));
    Image1->setGeometry(0, height() - scaled.height(), PanelWidth, scaled.height());
}

void TAutoupdate::download(const QString &path, const QString &fileName)
{
    if (!m_target.isEmpty()) return;   // one download at a time; the component would ignore it
    m_target = fileName;
    HTTPGet1->URL = JoinURL(UpdateBaseURL, path);
    HTTPGet1->FileName = PartialName(fileName);
    HTTPGet1->MaxSize = fileName == SetupFile() ? MaxSetupSize : MaxDescriptionSize;
    HTTPGet1->GetFile();
}

// Closing the window, or the program's end, stops a running download and removes its partial
// file. The buttons are as before it started, so the user can start it again.
void TAutoupdate::stopDownload()
{
    if (m_target.isEmpty()) return;
    HTTPGet1->Cancel();
    const QString target = std::exchange(m_target, QString());
    QFile::remove(PartialName(target));
    Memo1->appendPlainText(ErrorLine);
    SpeedButton1->setEnabled(true);
    if (target == SetupFile()) SpeedButton2->setEnabled(true);
}

void TAutoupdate::done(int result)
{
    stopDownload();
    QDialog::done(result);
}

void TAutoupdate::SpeedButton1Click()
{
    download(QStringLiteral("/downloads/minutrix/DownloadInfo.txt"), DownloadInfoFile());
    Memo1->clear();
    Memo1->appendPlainText(QStringLiteral("Downloading..."));
}

void TAutoupdate::SpeedButton2Click()
{
    SpeedButton1->setEnabled(false);
    SpeedButton2->setEnabled(false);
    QDir().mkpath(ProgramDir() + QStringLiteral("Temp"));   // a failure shows as a failed download
    Memo1->appendPlainText(QStringLiteral("Downloading new Minutrix Version..."));
    download(QStringLiteral("/downloads/minutrix/MinutrSetup.exe"), SetupFile());
}

void TAutoupdate::SpeedButton3Click() { reject(); }

void TAutoupdate::HTTPGet1Progress(int TotalSize, int Readed)
{
    ProgressBar1->setMaximum(TotalSize);
    ProgressBar1->setValue(Readed);
    ProgressBar1->repaint();
}

void TAutoupdate::HTTPGet1DoneFile(const QString &FileName)
{
    const bool checked = m_target != SetupFile() || m_setupChecksum.isEmpty()
                         || HTTPGet1->Sha256().toHex() == m_setupChecksum;   // not the setup described: not opened
    if (!checked || !takeFinalName(FileName, m_target)) {
        QFile::remove(FileName);
        HTTPGet1Error();
        return;
    }
    const QString target = std::exchange(m_target, QString());
    SpeedButton1->setEnabled(true);
    Memo1->clear();
    if (target == DownloadInfoFile()) {
        QFile file;
        if (!OpenRegularFile(file, target)) throw Exception(QStringLiteral("Cannot open file %1").arg(target));
        const QString description = DescriptionText(file.read(MaxDescriptionSize));
        m_setupChecksum = SetupChecksum(description);
        Memo1->setPlainText(description);
#if MINUTRIX_SELF_UPDATE
        SpeedButton2->setEnabled(true);
#else
        // An installed package is replaced by its package manager, never by a downloaded setup.
        Memo1->appendPlainText(PackageManagerLine);
#endif
    } else if (target == SetupFile()) {
        install(target);
    }
}

// The setup is opened once the user has read that the monitoring ends, and the program ends then,
// unless a logout ended it while the box was open or the desktop could not open the setup.
void TAutoupdate::install(const QString &setup)
{
    Memo1->appendPlainText(QStringLiteral("Installing..."));
    MessageBox::ShowMessage(W_InstallNewAndClose);
    if (MessageBox::ProgramEnding()) return;
    if (!Shell::Open(setup)) {
        MessageBox::ShowMessage(tr("Das Setup %1 konnte nicht geöffnet werden. Minutrix läuft weiter.").arg(setup));
        return;
    }
    accept();
    // The program's loop ends at once and its end runs the one shutdown. Not quit(): that would
    // first close every window, and the main window's close asks whether to end, which the box
    // above has already said.
    QCoreApplication::exit(0);
}

void TAutoupdate::HTTPGet1Error()
{
    if (!m_target.isEmpty()) QFile::remove(PartialName(std::exchange(m_target, QString())));
    Memo1->appendPlainText(ErrorLine);
}
