#pragma once
// The journal of connections that are not yet safe in their month log: the one being timed (as it
// stood at its last write) and any whose append failed. It lies beside the other files as
// "Verbindungen.mxj", is replaced atomically, and is removed once every record is in its log, so a
// crash, a power cut or a killed process loses at most the time since its last write.
#include "core/MonatsLog.h"

#include <QString>
#include <vector>

struct TJournalEintrag
{
    QString LogPfad;   // the month log's full path
    TVerbindung Verbindung;
};

QString JournalPath();

// Writes the entries, or removes the journal when there are none. False when that failed.
bool WriteJournal(const std::vector<TJournalEintrag> &entries);

enum class JournalState { None, Read, Damaged };
// Reads a journal left behind. A damaged one (torn, not ours, a path outside the data folder) is
// renamed to JournalPath() + ".damaged" and reads as Damaged with no entries.
JournalState ReadJournal(std::vector<TJournalEintrag> &entries);

// The journal's bytes, for tests and for the reader's own checks.
QByteArray JournalBytes(const std::vector<TJournalEintrag> &entries);
bool ParseJournal(const QByteArray &bytes, std::vector<TJournalEintrag> &entries);
