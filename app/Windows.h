#pragma once
// The program's windows after the main window, in their fixed order, and the menu items that
// open them, and the font they all share (UseWindowFontEverywhere, set before the first is made).
#include "WindowFont.h"

class THauptfenster;

void CreateWindows(THauptfenster *hauptfenster);
