#include "CurlLibrary.h"

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
    const bool complete = resolve(library, "curl_global_init", curl.global_init)
                          && resolve(library, "curl_easy_init", curl.easy_init)
                          && resolve(library, "curl_easy_setopt", curl.easy_setopt)
                          && resolve(library, "curl_easy_getinfo", curl.easy_getinfo)
                          && resolve(library, "curl_easy_cleanup", curl.easy_cleanup)
                          && resolve(library, "curl_multi_init", curl.multi_init)
                          && resolve(library, "curl_multi_add_handle", curl.multi_add_handle)
                          && resolve(library, "curl_multi_remove_handle", curl.multi_remove_handle)
                          && resolve(library, "curl_multi_perform", curl.multi_perform)
                          && resolve(library, "curl_multi_poll", curl.multi_poll)
                          && resolve(library, "curl_multi_wakeup", curl.multi_wakeup)
                          && resolve(library, "curl_multi_info_read", curl.multi_info_read)
                          && resolve(library, "curl_multi_cleanup", curl.multi_cleanup)
                          && resolve(library, "curl_slist_append", curl.slist_append)
                          && resolve(library, "curl_slist_free_all", curl.slist_free_all);
    // The library stays loaded for the rest of the run: transfers may still hold its handles.
    if (!complete || curl.global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) return nullptr;
    return &curl;
}
}

const TCurlLibrary *CurlLibrary()
{
    static const TCurlLibrary *const curl = load();
    return curl;
}
