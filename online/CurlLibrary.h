#pragma once
// libcurl, loaded on the first transfer rather than with the program: it and the TLS, LDAP and
// Kerberos libraries it needs would otherwise cost every run several MiB of memory, while most
// runs never go online.
#include <curl/curl.h>

struct TCurlLibrary
{
    decltype(&curl_global_init) global_init;
    decltype(&curl_easy_init) easy_init;
    decltype(&curl_easy_setopt) easy_setopt;
    decltype(&curl_easy_getinfo) easy_getinfo;
    decltype(&curl_easy_cleanup) easy_cleanup;
    decltype(&curl_multi_init) multi_init;
    decltype(&curl_multi_add_handle) multi_add_handle;
    decltype(&curl_multi_remove_handle) multi_remove_handle;
    decltype(&curl_multi_perform) multi_perform;
    decltype(&curl_multi_poll) multi_poll;
    decltype(&curl_multi_wakeup) multi_wakeup;
    decltype(&curl_multi_info_read) multi_info_read;
    decltype(&curl_multi_cleanup) multi_cleanup;
    decltype(&curl_slist_append) slist_append;
    decltype(&curl_slist_free_all) slist_free_all;
    decltype(&curl_version_info) version_info;
    // From 7.85 the protocol limits are set by name; older versions know only the bitmask options,
    // and ignore the named ones they do not know.
    bool ProtocolStrings = false;
};

// Loaded and initialised on the first call (made on the main thread); null when the library or
// one of its functions is missing, and then every transfer fails.
const TCurlLibrary *CurlLibrary();
