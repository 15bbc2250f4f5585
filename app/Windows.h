#pragma once
// The program's windows after the main window, in their fixed order, and the menu items that
// open them.
class THauptfenster;

void CreateWindows(THauptfenster *hauptfenster);
