#pragma once
// The feedback window: an e-mail address and a description, sent with one GET request to the
// feedback server. Only the error report opens it, prefilled with the error.
#include "ui/WindowLife.h"

#include <QByteArray>
#include <QDialog>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class THTTPGet;

class TFeedbackForm : public QDialog
{
    Q_OBJECT
public:
    explicit TFeedbackForm(QWidget *parent = nullptr);

    QLabel *LEMail;
    QLineEdit *EMailEdit;
    QLabel *LDescription;
    QPlainTextEdit *Memo1;
    QPushButton *BitBtn1, *BitBtn2;
    THTTPGet *HTTPGet1;

    void FormCreate();
    void BitBtn1Click();   // Send
    void BitBtn2Click();   // Cancel
    // The description replaced by the report of message, then the window shown modally.
    void ShowReport(const QString &message);

private:
    TInstanceSlot<TFeedbackForm> m_instance;
};

extern TFeedbackForm *FeedbackForm;

// The feedback window, created now unless it exists: at start-up after the main window, or on the
// first report when one comes while the main window is still being created.
TFeedbackForm *CreateFeedbackForm(QWidget *parent);
