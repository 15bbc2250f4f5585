#pragma once
// The journal of connections that are not yet safe in their month log: the ones being timed (as
// they stood at their last write) and any whose append failed. It lies beside the other files as
// "Verbindungen.mxj", so a crash, a power cut or a killed process loses at most the time since its
// last write, and the next start appends what it holds.
//
// A full disk must not cost the journal: reserved at the start of a run, it is a file of fixed size
// written in place, two slots taking turns, so a write never needs a new block and a write torn by
// a crash leaves the slot before it. A data folder that cannot take it at all (read-only) has it
// kept in the user's state folder instead (FallbackJournalPath), until a write in the data folder
// succeeds again.
#include "core/MonatsLog.h"

#include <QString>
#include <vector>

struct TJournalEintrag
{
    QString LogPfad;   // the month log's full path
    TVerbindung Verbindung;
};

QString JournalPath();           // ProgramDir() + "Verbindungen.mxj"
QString FallbackJournalPath();   // StateDir() + "Verbindungen-<key of the data folder>.mxj"

// Start of a run, after ReadJournal: gives the journal its space now (in the state folder when the
// data folder cannot take it), keeping what it holds. From then on a write with no entries keeps
// the file, emptied, for the next. False when neither could be made.
bool ReserveJournal();
// End of a run: a journal that holds nothing is removed, in either folder; one that still holds
// records stays for the next start.
void ReleaseJournal();

// Writes the entries in the data folder, or in the state folder when the data folder cannot take
// them; a successful write in the data folder removes the one in the state folder. Unreserved, no
// entries remove the journal. False when neither could be written.
bool WriteJournal(const std::vector<TJournalEintrag> &entries);

enum class JournalState { None, Read, Damaged };
// Reads what a run left behind in the data folder and in the state folder, one connection once
// (the later state of it). A damaged journal (torn, not ours, a path outside the data folder) is
// renamed aside as "<name>.damaged" (numbered when one is there) and adds no entries; Damaged when
// nothing could be read, Read when anything could.
JournalState ReadJournal(std::vector<TJournalEintrag> &entries);

// A fresh journal file holding the entries, for tests and for the reader's own checks; the reader
// takes this layout and the whole-file one of earlier versions.
QByteArray JournalBytes(const std::vector<TJournalEintrag> &entries);
bool ParseJournal(const QByteArray &bytes, std::vector<TJournalEintrag> &entries);
