#include "online/CurlLibrary.h"

#include <dlfcn.h>

namespace {
template <typename F>
bool resolve(void *library, const char *name, F &function)
{
    function = reinterpret_cast<F>(dlsym(library, name));
    return function != nullptr;
}

const TCurlLibrary *load()
{
    void *library = dlopen(MINUTRIX_CURL_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    if (!library) return nullptr;
    static TCurlLibrary curl;
#define MINUTRIX_RESOLVE(f) resolve(library, "curl_" #f, curl.f)
    const bool complete =
        MINUTRIX_RESOLVE(global_init) && MINUTRIX_RESOLVE(easy_init) && MINUTRIX_RESOLVE(easy_setopt)
        && MINUTRIX_RESOLVE(easy_getinfo) && MINUTRIX_RESOLVE(easy_cleanup) && MINUTRIX_RESOLVE(multi_init)
        && MINUTRIX_RESOLVE(multi_add_handle) && MINUTRIX_RESOLVE(multi_remove_handle)
        && MINUTRIX_RESOLVE(multi_perform) && MINUTRIX_RESOLVE(multi_poll) && MINUTRIX_RESOLVE(multi_wakeup)
        && MINUTRIX_RESOLVE(multi_info_read) && MINUTRIX_RESOLVE(multi_cleanup) && MINUTRIX_RESOLVE(slist_append)
        && MINUTRIX_RESOLVE(slist_free_all) && MINUTRIX_RESOLVE(version_info);
#undef MINUTRIX_RESOLVE
    // The library stays loaded for the rest of the run: transfers may still hold its handles.
    if (!complete || curl.global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) return nullptr;
    const curl_version_info_data *version = curl.version_info(CURLVERSION_NOW);
    if (!version) return nullptr;
    curl.ProtocolStrings = version->version_num >= 0x075500;
    return &curl;
}
}

const TCurlLibrary *CurlLibrary()
{
    static const TCurlLibrary *const curl = load();
    return curl;
}
