#include "ui/MessageBox.h"

#include "ui/Translations.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDebug>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>

namespace MessageBox {
namespace {
bool testMode = false;
bool ending = false;
QList<Button> answers;
QList<Shown> history;
std::function<QWidget *()> ownerWhenInactive;

QWidget *boxParent()
{
    if (QWidget *active = QApplication::activeWindow()) return active;
    return ownerWhenInactive ? ownerWhenInactive() : nullptr;
}

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

QString StandardCaption(Button b)
{
    // Qt's own texts for its standard buttons, so its translations apply ("Abbrechen", "&Ja").
    switch (b) {
    case Ok: return QCoreApplication::translate("QPlatformTheme", "OK");
    case Cancel: return QCoreApplication::translate("QPlatformTheme", "Cancel");
    case Abort: return QCoreApplication::translate("QPlatformTheme", "Abort");
    case Yes: return QCoreApplication::translate("QPlatformTheme", "&Yes");
    case No: return QCoreApplication::translate("QPlatformTheme", "&No");
    }
    return QString();
}

Button Show(const QString &title, const QString &text, Icon icon, const QList<Button> &buttons)
{
    QWidget *owner = boxParent();
    history.append({title, text, icon, buttons, owner});
    if (ending) {
        // Nobody will see a box now (a logout): the desktop's log keeps what it would have said.
        QString line = text;
        qWarning().noquote() << title + QStringLiteral(": ")
                                    + line.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
        return buttons.contains(No) ? No : Cancel;
    }
    if (testMode) {
        if (!answers.isEmpty()) return answers.takeFirst();
        return buttons.isEmpty() ? Ok : buttons.first();
    }
    QMessageBox box(qtIcon(icon), title, text, QMessageBox::NoButton, owner);
    QList<QPair<QAbstractButton *, Button>> made;
    for (Button b : buttons) made.append({box.addButton(StandardCaption(b), role(b)), b});
    if (!made.isEmpty()) box.setDefaultButton(static_cast<QPushButton *>(made.first().first));
    box.exec();
    for (const auto &m : made)
        if (box.clickedButton() == m.first) return m.second;
    return buttons.contains(No) ? No : Cancel;
}

void SetOwnerWhenInactive(std::function<QWidget *()> owner) { ownerWhenInactive = std::move(owner); }

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

void InstallQtTranslations()
{
    if (TranslationLocale().isEmpty()) InstallTranslations(QStringLiteral("de"));
}

}
