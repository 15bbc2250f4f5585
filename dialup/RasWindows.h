#pragma once
// The RAS module of Windows: the platform's rasapi32.dll, reached through LoadLibrary and
// GetProcAddress, exchanging the ANSI structures in the layouts of RasLayout.h.
#ifdef _WIN32
#include "dialup/Ras.h"

RasModule &WindowsRasModule();
#endif
