#pragma once
// The program's windows after the main window, in their fixed order, and the menu items that
// open them, and the font they all share (UseWindowFontEverywhere, set before the first is made).
#include "ui/WindowFont.h"

class THauptfenster;

// What the windows reach through services rather than through the main window: the error report
// opens the feedback window over the main window, and however the event loop is told to end (the
// auto-update's install), the main window's shutdown runs before the program leaves it. Once per run.
void InstallProgramServices();

void CreateWindows(THauptfenster *hauptfenster);
