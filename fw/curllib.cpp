#include "fw/curllib.h"

#include <QLibrary>

namespace fw {
namespace {
constexpr QLatin1String kLibrary("libcurl.so.4");  // the soname: "libcurl.so" comes with -dev only
constexpr unsigned kOldest = 0x075700;             // 7.87.0

struct Loaded {
    QString wanted{kLibrary};
    QString name;  // of the library in `functions`, empty until one has loaded
    CurlLibrary functions{};
};

Loaded& loaded() {
    static Loaded state;
    return state;
}

template <typename Function>
bool resolve(QLibrary& library, Function& function, const char* symbol) {
    function = reinterpret_cast<Function>(library.resolve(symbol));
    return function != nullptr;
}
}  // namespace

const CurlLibrary* loadCurl() {
    Loaded& state = loaded();
    if (state.name == state.wanted) return &state.functions;
    QLibrary library(state.wanted);  // never unloaded: its destructor leaves it mapped
    CurlLibrary f{};
    const bool ok = library.load() && resolve(library, f.global_init, "curl_global_init") &&
                    resolve(library, f.easy_init, "curl_easy_init") &&
                    resolve(library, f.easy_setopt, "curl_easy_setopt") &&
                    resolve(library, f.easy_getinfo, "curl_easy_getinfo") &&
                    resolve(library, f.easy_cleanup, "curl_easy_cleanup") &&
                    resolve(library, f.multi_init, "curl_multi_init") &&
                    resolve(library, f.multi_add_handle, "curl_multi_add_handle") &&
                    resolve(library, f.multi_remove_handle, "curl_multi_remove_handle") &&
                    resolve(library, f.multi_perform, "curl_multi_perform") &&
                    resolve(library, f.multi_poll, "curl_multi_poll") &&
                    resolve(library, f.multi_wakeup, "curl_multi_wakeup") &&
                    resolve(library, f.multi_info_read, "curl_multi_info_read") &&
                    resolve(library, f.multi_cleanup, "curl_multi_cleanup");
    if (!ok) {
        qWarning("Zorvik!: cannot load %s: %s", qPrintable(state.wanted), qPrintable(library.errorString()));
        return nullptr;
    }
    // The socket's bounds rest on options of 7.87 (protocol lists, the check before each request):
    // an older library would take them without a word and ignore them.
    using VersionInfo = decltype(&curl_version_info);
    const auto versionInfo = reinterpret_cast<VersionInfo>(library.resolve("curl_version_info"));
    const curl_version_info_data* version = versionInfo ? versionInfo(CURLVERSION_NOW) : nullptr;
    if (!version || version->version_num < kOldest) {
        qWarning("Zorvik!: cannot load %s: version %s, 7.87 or later needed", qPrintable(state.wanted),
                 version ? version->version : "unknown");
        return nullptr;
    }
    // Not thread-safe itself: runs here, before this library's first exchange has a thread.
    if (f.global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) {
        qWarning("Zorvik!: cannot load %s: curl_global_init failed", qPrintable(state.wanted));
        return nullptr;
    }
    state.name = state.wanted;
    state.functions = f;
    return &state.functions;
}

void setCurlLibraryName(const QString& name) { loaded().wanted = name.isEmpty() ? QString(kLibrary) : name; }

}  // namespace fw
