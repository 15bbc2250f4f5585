#pragma once
// The thin layer between the connection monitor and the remote-access service (RAS).
// Plain C++ without Qt, so that it builds for Windows with the platform's own RAS as well as
// for Linux (pppd) and for the tests' scripted fake. Every RAS call goes through the installed
// RasModule; RasGetEntryProperties is resolved by name through that module's library loader.
#include <stdexcept>
#include <string>
#include <string_view>

#include "dialup/RasLayout.h"

using RasLibrary = void *;    // module handle; null means "could not be loaded"
using RasProc = void (*)();   // an entry point as the loader returns it
using RasGetEntryPropertiesProc = RasDword(RAS_CALL *)(const char *phonebook, const char *entry, void *entryBuffer,
                                                       RasDword *entrySize, void *deviceInfo, RasDword *deviceInfoSize);

// Result codes the program tells apart; every other code is a failure.
constexpr RasDword RAS_SUCCESS = 0;
constexpr RasDword ERROR_BUFFER_TOO_SMALL = 603;
// Further codes the modules answer with (the published values).
constexpr RasDword ERROR_BUFFER_INVALID = 610;
constexpr RasDword ERROR_CANNOT_FIND_PHONEBOOK_ENTRY = 623;
constexpr RasDword ERROR_INVALID_SIZE = 632;
constexpr RasDword ERROR_NO_CONNECTION = 668;

// RASCONNSTATE values the monitor tells apart.
constexpr RasDword RASCS_OpenPort = 0;
constexpr RasDword RASCS_PortOpened = 1;
constexpr RasDword RASCS_ConnectDevice = 2;
constexpr RasDword RASCS_DeviceConnected = 3;
constexpr RasDword RASCS_AllDevicesConnected = 4;
constexpr RasDword RASCS_Authenticate = 5;
constexpr RasDword RASCS_Authenticated = 14;
constexpr RasDword RASCS_StartAuthentication = 19;
constexpr RasDword RASCS_LogonNetwork = 21;
constexpr RasDword RASCS_Connected = 0x2000;
constexpr RasDword RASCS_Disconnected = 0x2001;

// Failures of the resolver; the Qt layer turns them into the program's Exception.
class RasError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// One source of RAS answers: the platform's RAS, the pppd module or a test's fake.
class RasModule
{
public:
    enum class TextEncoding { Ansi, Utf8 };   // how entry names and numbers are spelled
    virtual ~RasModule() = default;

    virtual RasDword EnumEntries(const char *reserved, const char *phonebook, void *entries, RasDword *bytes,
                                 RasDword *count) = 0;
    virtual RasDword EnumConnections(void *connections, RasDword *bytes, RasDword *count) = 0;
    virtual RasDword GetConnectStatus(RasHandle connection, void *status) = 0;

    // The loader behind GetRasProc.
    virtual RasLibrary OpenLibrary(const char *fileName) = 0;
    virtual RasProc FindFunction(RasLibrary library, const char *name) = 0;
    virtual void CloseLibrary(RasLibrary library) = 0;

    virtual TextEncoding Encoding() const { return TextEncoding::Ansi; }
    // Counts the changes of the phonebook (entries or numbers) since the module started; a module
    // whose phonebook can change while the program runs lets the monitor know when to read it again.
    virtual unsigned PhonebookGeneration() const { return 0; }
};

// The module every call goes to. nullptr restores the platform's default (RAS on Windows, pppd and
// NetworkManager on Linux, a module without entries elsewhere). Switching modules releases the library the old one
// handed out and starts the resolver again from "nothing loaded".
void SetRasModule(RasModule *module);
RasModule &CurrentRasModule();
RasModule &DefaultRasModule();

// The calls the monitor makes, with the platform's argument lists.
RasDword RasEnumEntriesA(const char *reserved, const char *phonebook, void *entries, RasDword *bytes, RasDword *count);
RasDword RasEnumConnectionsA(void *connections, RasDword *bytes, RasDword *count);
RasDword RasGetConnectStatusA(RasHandle connection, void *status);

// Resolves a RAS function by its base name (without the "A"); never returns null, throws RasError.
RasProc GetRasProc(const std::string &baseName);
// Resolves RasGetEntryProperties anew on every call and forwards the six arguments unchanged.
RasDword RasGetEntryProperties(const char *phonebook, const char *entry, void *entryBuffer, RasDword *entrySize,
                               void *deviceInfo, RasDword *deviceInfoSize);
