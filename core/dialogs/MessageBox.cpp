#include "MessageBox.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>

namespace MessageBox {
namespace {
bool testMode = false;
bool ending = false;
QList<Button> answers;
QList<Shown> history;

QMessageBox::Icon qtIcon(Icon icon)
{
    switch (icon) {
    case Information: return QMessageBox::Information;
    case Warning: return QMessageBox::Warning;
    case Error: return QMessageBox::Critical;
    case Question: return QMessageBox::Question;
    default: return QMessageBox::NoIcon;
    }
}

// The button captions of the framework the program was designed with.
QString caption(Button b)
{
    switch (b) {
    case Ok: return QStringLiteral("OK");
    case Cancel: return QStringLiteral("Cancel");
    case Abort: return QStringLiteral("&Abort");
    case Yes: return QStringLiteral("&Yes");
    case No: return QStringLiteral("&No");
    }
    return QString();
}

QMessageBox::ButtonRole role(Button b)
{
    switch (b) {
    case Ok:
    case Yes: return QMessageBox::AcceptRole;
    case No: return QMessageBox::NoRole;
    default: return QMessageBox::RejectRole;
    }
}
}

Button Show(const QString &title, const QString &text, Icon icon, const QList<Button> &buttons)
{
    history.append({title, text, icon, buttons});
    if (ending) return buttons.contains(No) ? No : Cancel;
    if (testMode) {
        if (!answers.isEmpty()) return answers.takeFirst();
        return buttons.isEmpty() ? Ok : buttons.first();
    }
    QMessageBox box(qtIcon(icon), title, text, QMessageBox::NoButton, QApplication::activeWindow());
    QList<QPair<QAbstractButton *, Button>> made;
    for (Button b : buttons) made.append({box.addButton(caption(b), role(b)), b});
    if (!made.isEmpty()) box.setDefaultButton(static_cast<QPushButton *>(made.first().first));
    box.exec();
    for (const auto &m : made)
        if (box.clickedButton() == m.first) return m.second;
    return buttons.contains(No) ? No : Cancel;
}

void ShowMessage(const QString &text) { Show(QApplication::applicationDisplayName(), text, NoIcon, {Ok}); }

void SetProgramEnding(bool on)
{
    ending = on;
    if (!on) return;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *dialog = qobject_cast<QDialog *>(w); dialog && dialog->isVisible() && dialog->isModal())
            dialog->reject();
}

bool ProgramEnding() { return ending; }

void SetTestMode(bool on)
{
    testMode = on;
    ending = false;
    answers.clear();
    history.clear();
}

void SetNextAnswer(Button answer) { answers.append(answer); }
QList<Shown> &History() { return history; }

}
