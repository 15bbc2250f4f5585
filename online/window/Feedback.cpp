#include "online/window/Feedback.h"

#include "core/Language.h"
#include "online/HTTPGet.h"
#include "online/HTTPUrl.h"
#include "online/window/OnlineUrls.h"
#include "ui/AccessibleName.h"
#include "ui/Controls.h"
#include "ui/MessageBox.h"
#include "ui/ShowException.h"
#include "ui/WindowFont.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>

TFeedbackForm *FeedbackForm = nullptr;

namespace {
// The memo's lines, each followed by CR LF.
QString MemoText(const QPlainTextEdit *memo)
{
    QString text;
    for (QTextBlock b = memo->document()->begin(); b.isValid(); b = b.next()) text += b.text() + QStringLiteral("\r\n");
    return text;
}

// The report the description is prefilled with: five lines, the last one empty.
QStringList ReportLines(const QString &message)
{
    return {QStringLiteral("Error:"), QLatin1Char('"') + message + QLatin1Char('"'),
            QStringLiteral("Version: 2.0.0 BETA 2"), F_Description + QLatin1Char(':'), QString()};
}

// Encoded as a browser encodes a form: UTF-8; letters, digits and "*-._" kept, space as '+', the
// rest %XX.
QByteArray FormEncode(const QString &value)
{
    QByteArray encoded = value.toUtf8().toPercentEncoding(" *", "~");
    return encoded.replace(' ', '+');
}

QString FeedbackRequestURL(const QString &base, const QString &mail, const QString &description)
{
    return JoinURL(base, QStringLiteral("feedback.php?mail=")) + QLatin1String(FormEncode(mail))
           + QStringLiteral("&mes=") + QLatin1String(FormEncode(description));
}
}

TFeedbackForm::TFeedbackForm(QWidget *parent) : QDialog(parent), m_instance(FeedbackForm, this)
{
    setObjectName(QStringLiteral("FeedbackForm"));
    setWindowTitle(QStringLiteral("Feedback"));
    setFont(WindowFont());
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setFixedSize(337, 265);

    LEMail = MakeLabel(this, "LEMail", 8, 8, QStringLiteral("E-Mail:"));
    EMailEdit = MakeEdit(this, "EMailEdit", 8, 24, 321, 21, QString());
    EMailEdit->setMaxLength(255);
    LDescription = MakeLabel(this, "LDescription", 8, 52, QStringLiteral("Beschreibung:"));
    Memo1 = Place(new QPlainTextEdit(this), "Memo1", 8, 68, 321, 153);
    NameField(LEMail, EMailEdit);
    NameField(LDescription, Memo1);
    BitBtn1 = MakeButton(this, "BitBtn1", 168, 232, 75, 25, QStringLiteral("Send"));
    BitBtn2 = MakeButton(this, "BitBtn2", 254, 232, 75, 25, MessageBox::StandardCaption(MessageBox::Cancel));
    // No default button: Enter in the description is a line break. Enter on a button presses it.
    connect(BitBtn1, &QPushButton::clicked, this, [this] { Guarded([this] { BitBtn1Click(); }); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { Guarded([this] { BitBtn2Click(); }); });

    HTTPGet1 = new THTTPGet(this);
    HTTPGet1->setObjectName(QStringLiteral("HTTPGet1"));   // accepting "*/*"; Send sets the agent
    FormCreate();
}

void TFeedbackForm::FormCreate()
{
    LDescription->setText(F_Description);
    LDescription->adjustSize();
}

void TFeedbackForm::BitBtn1Click()
{
    // A report sent while an earlier one is still out gets a transfer of its own, gone once done.
    THTTPGet *get = HTTPGet1;
    if (get->Running()) {
        get = new THTTPGet(this);
        get->OnDoneString = [get](QObject *, const QByteArray &) { get->deleteLater(); };
        get->OnError = [get](QObject *) { get->deleteLater(); };
    }
    get->URL = FeedbackRequestURL(FeedbackBaseURL, EMailEdit->text(), MemoText(Memo1));
    get->Agent = QStringLiteral("Minutrix 2 Feedback");
    get->UseCache = false;
    get->GetString();   // the answer and the outcome are not looked at
    MessageBox::ShowMessage(F_ThankYou);
    Memo1->clear();
    accept();
}

void TFeedbackForm::BitBtn2Click()
{
    Memo1->clear();
    reject();
}

void TFeedbackForm::ShowReport(const QString &message)
{
    // A window made by a report during start-up was made before the texts were loaded.
    if (LDescription->text().isEmpty()) FormCreate();
    Memo1->setPlainText(ReportLines(message).join(QLatin1Char('\n')));
    Memo1->moveCursor(QTextCursor::End);   // on the empty line, where the user describes what happened
    Memo1->setFocus();
    exec();
}

TFeedbackForm *CreateFeedbackForm(QWidget *parent)
{
    if (!FeedbackForm) FeedbackForm = new TFeedbackForm(parent);
    return FeedbackForm;
}
