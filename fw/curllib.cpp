#include "fw/curllib.h"

#include <QLibrary>
#include <type_traits>

namespace fw {
namespace {
// The soname, libcurl.so.4 ("libcurl.so" comes with -dev only). QLibrary is given it whole and its
// version, and then looks for that one name only: without the version it would first look for
// "libcurl.so.4.so" in every library folder, and with "curl" alone, for "curl", "libcurl" and more.
constexpr QLatin1String kName("curl");
constexpr int kVersion = 4;
constexpr unsigned kOldest = 0x075700;  // 7.87.0

struct Loaded {
    QString name{kName};
    int version = kVersion;
    QString loaded;  // file name of the library in `functions`, empty until one has loaded
    CurlLibrary functions{};

    QString fileName() const { return QStringLiteral("lib%1.so.%2").arg(name).arg(version); }
};

Loaded& loaded() {
    static Loaded state;
    return state;
}
}  // namespace

const CurlLibrary* loadCurl() {
    Loaded& state = loaded();
    const QString file = state.fileName();
    if (state.loaded == file) return &state.functions;
    QLibrary library(file, state.version);  // never unloaded: its destructor leaves it mapped
    CurlLibrary f{};
    const char* missing = nullptr;  // QLibrary::resolve leaves no error text: the symbol is named instead
    const auto has = [&](auto& function, const char* symbol) {
        function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(library.resolve(symbol));
        if (!function) missing = symbol;
        return function != nullptr;
    };
    const bool ok =
        library.load() && has(f.global_init, "curl_global_init") && has(f.easy_init, "curl_easy_init") &&
        has(f.easy_setopt, "curl_easy_setopt") && has(f.easy_getinfo, "curl_easy_getinfo") &&
        has(f.easy_cleanup, "curl_easy_cleanup") && has(f.multi_init, "curl_multi_init") &&
        has(f.multi_add_handle, "curl_multi_add_handle") &&
        has(f.multi_remove_handle, "curl_multi_remove_handle") &&
        has(f.multi_perform, "curl_multi_perform") && has(f.multi_poll, "curl_multi_poll") &&
        has(f.multi_wakeup, "curl_multi_wakeup") && has(f.multi_info_read, "curl_multi_info_read") &&
        has(f.multi_cleanup, "curl_multi_cleanup") && has(f.version_info, "curl_version_info");
    if (!ok) {
        const QString why =
            missing ? QStringLiteral("it has no %1").arg(QLatin1String(missing)) : library.errorString();
        qWarning("Zorvik!: cannot load %s: %s", qPrintable(file), qPrintable(why));
        return nullptr;
    }
    // The socket's bounds rest on options of 7.87 (protocol lists, the check before each request):
    // an older library would take them without a word and ignore them.
    const curl_version_info_data* version = f.version_info(CURLVERSION_NOW);
    if (!version || version->version_num < kOldest) {
        qWarning("Zorvik!: cannot load %s: version %s, 7.87 or later needed", qPrintable(file),
                 version ? version->version : "unknown");
        return nullptr;
    }
    // Thread-safe since 7.84, but only where the library says so (CURL_VERSION_THREADSAFE): run here,
    // on the socket's thread before this library's first exchange has a thread, it need not be.
    if (f.global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) {
        qWarning("Zorvik!: cannot load %s: curl_global_init failed", qPrintable(file));
        return nullptr;
    }
    state.loaded = file;
    state.functions = f;
    return &state.functions;
}

void setCurlLibraryName(const QString& name, int version) {
    Loaded& state = loaded();
    state.name = name.isEmpty() ? QString(kName) : name;
    state.version = name.isEmpty() ? kVersion : version;
}

}  // namespace fw
