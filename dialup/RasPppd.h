#pragma once
// The RAS module of Linux, answering the RAS calls from pppd as a Linux user dials out:
// - phonebook entries are the peer files in /etc/ppp/peers (regular files, in name order, editor
//   backups and package leftovers skipped); an entry's number is the one its chat script dials;
// - a connection is a running pppd for a peer ("pppd call NAME"), found through the pid files
//   pppd writes and confirmed through /proc; its state follows the ppp interface in /sys.
// Names are the file system's bytes, taken as UTF-8.
#include "dialup/Ras.h"

#include <string>

// Every path the module reads lies below this folder ("" or "/" for the real system); tests
// point it at a temporary tree laid out like the real one.
void SetPppdRoot(const std::string &root);
std::string PppdRoot();

RasModule &PppdRasModule();
