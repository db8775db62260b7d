#include "platform/library.h"

#include <dlfcn.h>

#include <string>

#include "platform/text_encoding.h"

namespace {

std::string SharedObjectPath(const wchar_t* path) {
    std::string file = platform::ToUtf8(path);
    constexpr std::string_view kWindowsSuffix = ".dll";
    if (file.size() >= kWindowsSuffix.size()) {
        std::string tail = file.substr(file.size() - kWindowsSuffix.size());
        for (char& c : tail) c = static_cast<char>(c | 0x20);  // ".DLL" is the same file
        if (tail == kWindowsSuffix) file.replace(file.size() - kWindowsSuffix.size(), 4, ".so");
    }
    return file;
}

}  // namespace

HMODULE LoadLibraryW(const wchar_t* path) {
    if (!path || !*path) return nullptr;
    // Local binding: the two driver libraries export the same entry point names.
    return static_cast<HMODULE>(dlopen(SharedObjectPath(path).c_str(), RTLD_NOW | RTLD_LOCAL));
}

FARPROC GetProcAddress(HMODULE module, const char* name) {
    if (!module || !name) return nullptr;
    return reinterpret_cast<FARPROC>(dlsym(module, name));
}

BOOL FreeLibrary(HMODULE module) {
    if (!module) return FALSE;
    return dlclose(module) == 0 ? TRUE : FALSE;
}
