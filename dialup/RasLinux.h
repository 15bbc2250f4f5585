#pragma once
// The RAS module of Linux: pppd's peers and connections (dialup/RasPppd.h) joined with
// NetworkManager's profiles and connections (dialup/RasNetworkManager.h). The phonebook lists the
// peers first, then the profiles; the connections are pppd's (handle = pid), then NetworkManager's
// (handles with the top bit set, so they never equal a pid). Names are UTF-8.
#include "dialup/Ras.h"

RasModule &LinuxRasModule();
