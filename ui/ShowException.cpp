#include "ui/ShowException.h"

#include "core/Exception.h"
#include "ui/MessageBox.h"

#include <QApplication>

void ShowException(const QString &message)
{
    // As the framework's default display did: a message that does not end in a full stop gets one.
    QString text = message;
    if (!text.isEmpty() && text.back() > QLatin1Char('.')) text += QLatin1Char('.');
    MessageBox::Show(QApplication::applicationDisplayName(), text, MessageBox::Error, {MessageBox::Ok});
}

void ShowException(const std::exception &e)
{
    if (const auto *ex = dynamic_cast<const Exception *>(&e))
        ShowException(ex->message());
    else
        ShowException(QString::fromLocal8Bit(e.what()));
}
