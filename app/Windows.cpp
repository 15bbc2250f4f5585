#include "app/Windows.h"

#include "core/SettingsStore.h"
#include "dialup/VexRasConnect.h"
#include "evaluation/window/Auswertung.h"
#include "mainwindow/Haupt.h"
#include "online/window/Errors.h"
#include "online/window/Feedback.h"
#include "online/window/Info.h"
#include "online/window/Update.h"
#include "tariffs/window/AssistentForm.h"
#include "tariffs/window/SettingForm.h"
#include "tariffs/window/TarifForm.h"
#include "ui/MessageBox.h"
#include "ui/WindowPlacement.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <functional>
#include <utility>

namespace {
// Makes the windows once: in the turn of the event loop after the main window's first paint, when
// that has reached the screen, or a second after the start where the window is never exposed
// (covered, on another desktop) and so never painted, or when a menu item asks for its window.
class TWindowsAfterPaint : public QObject
{
public:
    TWindowsAfterPaint(THauptfenster *hauptfenster, std::function<void()> afterwards)
        : QObject(hauptfenster), m_hauptfenster(hauptfenster), m_afterwards(std::move(afterwards))
    {
        hauptfenster->installEventFilter(this);
        QTimer::singleShot(1000, this, &TWindowsAfterPaint::make);
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) QTimer::singleShot(0, this, &TWindowsAfterPaint::make);
        return false;
    }

    // True once the windows are made; false while they are being made (a box is open) and when the
    // program has ended before.
    bool make()
    {
        if (!std::exchange(m_started, true)) {
            m_hauptfenster->removeEventFilter(this);
            if (!m_hauptfenster->IsShutDown()) {
                CreateWindows(m_hauptfenster);
                m_made = true;
                if (m_afterwards) m_afterwards();
            }
        }
        return m_made;
    }

private:
    THauptfenster *m_hauptfenster;
    std::function<void()> m_afterwards;
    bool m_started = false, m_made = false;
};
}

void InstallProgramServices()
{
    InstallErrorReport([] { return static_cast<QWidget *>(Hauptfenster); });
    // A box while the user works in another program opens over the main window, unless that is
    // out of sight (in the tray, minimized): a box over it would be hidden with it.
    MessageBox::SetOwnerWhenInactive([]() -> QWidget * {
        const bool onScreen = Hauptfenster && Hauptfenster->isVisible() && !Hauptfenster->isMinimized();
        return onScreen ? Hauptfenster : nullptr;
    });
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, [] {
        if (Hauptfenster) Hauptfenster->Shutdown();
    });
}

void CreateWindows(THauptfenster *hauptfenster)
{
    // Each lives until the program ends. On the first start the wizard shows itself while it is
    // created.
    Infofenster = new TInfofenster(hauptfenster);
    SettingForm = new TSettingForm(hauptfenster);
    // The tariff windows list the connection monitor's dial-up entries.
    const TConnectionSource connections = [hauptfenster] {
        const TVexRasConnect *c = hauptfenster->Connection;
        return c ? TConnectionLists{c->AvailableNumbers(), c->AvailableEntries()} : TConnectionLists{};
    };
    TarifForm = new TTarifForm(hauptfenster, connections);
    Autoupdate = new TAutoupdate(hauptfenster);
    Auswertung = new TAuswertung(hauptfenster);
    // A wizard left before its end has set nothing up: the program ends without writing a file.
    if ((new TAssistentForm(hauptfenster, connections))->Left()) return hauptfenster->EndWithoutSaving();
    CreateFeedbackForm(hauptfenster);   // unless a report during start-up has made it already
    // The windows without a place of their own open over the main window.
    for (QWidget *w : {static_cast<QWidget *>(Infofenster), static_cast<QWidget *>(Autoupdate),
                       static_cast<QWidget *>(FeedbackForm)})
        CentreOverParentWhenShown(w);
    hauptfenster->SetWindowOpener(hauptfenster->Tarife1, [] { TarifForm->exec(); });
    hauptfenster->SetWindowOpener(hauptfenster->Einstellungen1, [] { SettingForm->exec(); });
    hauptfenster->SetWindowOpener(hauptfenster->AutoUpdate1, [] { Autoupdate->exec(); });
    hauptfenster->SetWindowOpener(hauptfenster->Info1, [] { Infofenster->exec(); });
    hauptfenster->SetWindowOpener(hauptfenster->Auswertung1, [] { Auswertung->exec(); });
}

void CreateWindowsAtStart(THauptfenster *hauptfenster, std::function<void()> afterwards)
{
    if (ErsterStart != 0) {
        CreateWindows(hauptfenster);
        if (afterwards && !hauptfenster->IsShutDown()) afterwards();
        return;
    }
    auto *windows = new TWindowsAfterPaint(hauptfenster, std::move(afterwards));
    // The menu is as it will be from the first paint on: an item chosen before the windows are made
    // has them made, and then opens the window that CreateWindows has given it.
    for (QAction *item : {hauptfenster->Tarife1, hauptfenster->Einstellungen1, hauptfenster->AutoUpdate1,
                          hauptfenster->Info1, hauptfenster->Auswertung1})
        hauptfenster->SetWindowOpener(item, [windows, item] {
            if (windows->make()) item->trigger();
        });
}
