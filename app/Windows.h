#pragma once
// The program's windows after the main window, in their fixed order, and the menu items that
// open them, and the font they all share (UseWindowFontEverywhere, set before the first is made).
#include "ui/WindowFont.h"

#include <functional>

class THauptfenster;

// What the windows reach through services rather than through the main window: the error report
// opens the feedback window over the main window, boxes open over it while it is on the screen,
// and however the event loop is told to end (the auto-update's install), the main window's
// shutdown runs before the program leaves it. Once per run.
void InstallProgramServices();

void CreateWindows(THauptfenster *hauptfenster);

// The windows at start-up, called before the main window is shown. When the setup wizard is due
// they are made at once, for the wizard shows itself before the main window. Otherwise they are
// made right after the main window has first been painted (at the latest a second after this
// call, or when a menu item is chosen before), so the main window comes up without waiting for
// them. A program that has ended in the meantime makes none. afterwards runs once they are made.
void CreateWindowsAtStart(THauptfenster *hauptfenster, std::function<void()> afterwards = {});
