#pragma once
// The auto-update window: fetches the description of the newest version from the update server
// and shows it; on request downloads the setup program, starts it and ends the program.
// Whatever the server sends, each step is short: the description is limited and cut for the memo,
// the setup is limited and checked against the description's checksum, and closing the window
// stops a download.
#include "ui/WindowLife.h"

#include <QDialog>

class QFrame;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class THTTPGet;

class TAutoupdate : public QDialog
{
    Q_OBJECT
public:
    explicit TAutoupdate(QWidget *parent = nullptr);
    ~TAutoupdate() override;

    QPlainTextEdit *Memo1;
    QFrame *Panel1;
    QPushButton *SpeedButton1, *SpeedButton2, *SpeedButton3;
    QProgressBar *ProgressBar1;
    QFrame *Bevel1;
    QLabel *Image1;
    THTTPGet *HTTPGet1;

    void SpeedButton1Click();   // "Prüfe auf Update"
    void SpeedButton2Click();   // "Installieren"
    void SpeedButton3Click();   // "Schließen"
    void HTTPGet1Progress(int TotalSize, int Readed);
    void HTTPGet1DoneFile(const QString &FileName);
    void HTTPGet1Error();
    // The picture at the bottom of the panel, decoded from a JPEG resource; nothing when damaged.
    void showPicture(const QString &resource);

    void done(int result) override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void download(const QString &path, const QString &fileName);
    void stopDownload();
    void install(const QString &setup);
    QString m_target;             // the file the running download is for; empty while none runs
    QByteArray m_setupChecksum;   // the setup's SHA-256 in hex as the description gives it, or empty
    TInstanceSlot<TAutoupdate> m_instance;
};

extern TAutoupdate *Autoupdate;

// Where the two downloads end up. Each is written under PartialName first and takes its own name
// only when the transfer succeeded, so a failed one never looks finished.
QString DownloadInfoFile();
// The memo's last line after a check where the package manager installs new versions.
inline const QString PackageManagerLine =
    QStringLiteral("Updates kommen über die Paketverwaltung  ---  Updates come from the package manager");
QString SetupFile();
QString PartialName(const QString &fileName);
