#pragma once
// Every message box of the program goes through here, so tests can answer boxes instead of
// showing them: in test mode a box is recorded and answered from the queued answers (or with
// its first button) without a modal loop.
#include <QList>
#include <QString>
#include <functional>

class QWidget;

namespace MessageBox {

enum Icon { NoIcon, Information, Warning, Error, Question };
enum Button { Ok = 1, Cancel = 2, Abort = 3, Yes = 6, No = 7 };

struct Shown
{
    QString caption;
    QString text;
    Icon icon;
    QList<Button> buttons;
    QWidget *owner;   // the window the box opens over, if any
};

// Shows a modal box and returns the button pressed (Cancel when the box was closed otherwise).
Button Show(const QString &caption, const QString &text, Icon icon, const QList<Button> &buttons);

// The caption Qt gives its standard button, in the language of the installed translation.
QString StandardCaption(Button b);
// Qt's own German texts for its buttons and dialogs until the language file has been read (then
// InstallTranslations, ui/Translations.h, follows the language); the program's texts are German.
void InstallQtTranslations();

// The window a box belongs to when none of the program's windows is active (the user works in
// another program): the box then opens over it, without a taskbar entry of its own. A null
// answer, or none installed, leaves the box on its own.
void SetOwnerWhenInactive(std::function<QWidget *()> owner);

// A plain box with the application title as caption and an OK button.
void ShowMessage(const QString &text);

// While the program is ending (logout, kill) no box may keep it from ending: boxes open now are
// closed, and later ones answer at once as if closed, their text going to the desktop's log
// (stderr, which the session's journal collects) instead.
void SetProgramEnding(bool on);
bool ProgramEnding();

// Test seam.
void SetTestMode(bool on);
void SetNextAnswer(Button answer);
QList<Shown> &History();

}
