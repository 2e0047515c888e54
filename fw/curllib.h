#pragma once
#include <curl/curl.h>

#include <QString>

namespace fw {

// The libcurl functions the HTTP socket calls, resolved from the shared library at the first
// exchange, so that libcurl and all it brings (TLS, LDAP, Kerberos, SSH, ...) cost a session that
// never checks for updates nothing. Typed from curl.h's own declarations.
struct CurlLibrary {
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
    decltype(&curl_version_info) version_info;
};

// Loads the library and runs curl_global_init once, at the first call (from the socket's thread,
// before any exchange's thread starts); later calls return the same functions. Null, after one line
// on stderr naming the library and why, when it cannot be loaded or lacks a function.
const CurlLibrary* loadCurl();

// The library loadCurl loads, lib<name>.so.<version>: "curl" 4, libcurl.so.4 and no other file,
// unless a test names another ("zorvik-missing" 4); no name restores it. A library once loaded
// stays loaded.
void setCurlLibraryName(const QString& name = QString(), int version = 4);

}  // namespace fw
