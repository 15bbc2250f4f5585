#include "online/window/Info.h"

#include "online/window/OnlineUrls.h"
#include "ui/Controls.h"
#include "ui/Shell.h"
#include "ui/WindowFont.h"

#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>

TInfofenster *Infofenster = nullptr;

namespace {
constexpr int ClientWidth = 291;

QLabel *centredLabel(QWidget *parent, const char *name, int top, const QString &text, const QFont &font)
{
    QLabel *l = MakeLabel(parent, name, 0, top, text);
    l->setFont(font);
    l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    l->setGeometry(0, top, ClientWidth, l->sizeHint().height());
    return l;
}

// The address as the link shows it: without its scheme and a closing "/".
QString shownAddress(QString url)
{
    url.remove(QRegularExpression(QStringLiteral("^[a-zA-Z]+://")));
    if (url.endsWith(QLatin1Char('/'))) url.chop(1);
    return url;
}
}

TInfofenster::TInfofenster(QWidget *parent) : QDialog(parent), m_instance(Infofenster, this)
{
    setObjectName(QStringLiteral("Infofenster"));
    setWindowTitle(QStringLiteral("Info - Minutrix 2.0"));
    setFont(WindowFont());
    // A fixed border with the system menu's close button only.
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(ClientWidth, 281);

    QFont title = WindowFont(16, true);
    title.setUnderline(true);
    Label1 = centredLabel(this, "Label1", 12, QStringLiteral("Minutrix"), title);
    Image1 =
        Place(new QLabel(this), "Image1", 16, 12, 32, 32);   // the pictures are loaded when the window is first shown
    Label2 = centredLabel(this, "Label2", 50, QStringLiteral("Version 2.0 BETA 2"), WindowFont());
    Label3 = centredLabel(this, "Label3", 74, QStringLiteral("Copyright © 2002-2003 Minutrix · GPLv3+"), WindowFont());
    Bevel1 = MakeBevel(this, "Bevel1", 8, 98, ClientWidth - 16);

    QFont link = WindowFont(8, true);
    link.setUnderline(true);
    Label6 = centredLabel(this, "Label6", 112, shownAddress(HomepageURL), link);
    Label6->setForegroundRole(QPalette::Link);   // blue in a light theme, readable in a dark one
    Label6->adjustSize();
    Label6->move((ClientWidth - Label6->width()) / 2, 112);   // only the text itself is the link
    Label6->setCursor(Qt::PointingHandCursor);
    OnClick(Label6, [this] { Label6Click(); });

    Bevel2 = MakeBevel(this, "Bevel2", 8, 138, ClientWidth - 16);
    Werbebanner = Place(new QLabel(this), "Werbebanner", (ClientWidth - 105) / 2, 152, 105, 43);
    Werbebanner->setCursor(Qt::PointingHandCursor);
    Werbebanner->setToolTip(tr("Das Partnerprogramm unseres Buch-Shops"));
    OnClick(Werbebanner, [this] { WerbebannerClick(); });

    BitBtn1 = MakeButton(this, "BitBtn1", (ClientWidth - 75) / 2, 244, 75, 25, QStringLiteral("OK"));
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    OnFirstShow(this, [this] {
        Image1->setPixmap(
            QPixmap(QStringLiteral(":/minutrix.png")).scaled(32, 32, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        Werbebanner->setPixmap(QPixmap(QStringLiteral(":/infobanner.gif"), "GIF"));
    });
}

void TInfofenster::Label6Click() { Shell::Open(HomepageURL); }

void TInfofenster::WerbebannerClick() { Shell::Open(PartnerURL); }
