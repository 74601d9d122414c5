#include "app/quorel_binding.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

#include "platform/error.h"

namespace corvanta::quorel {

namespace {

constexpr const char* kSource = "quorel32";
constexpr const char* kFileName = "libquorel32.so";
constexpr int kCannotLoad = 48;
constexpr int kNoEntryPoint = 453;

std::string last_dl_error() {
    const char* text = dlerror();
    return text != nullptr ? text : "unknown reason";
}

}  // namespace

LibraryBinding::LibraryBinding(const std::string& folder)
    : path_((std::filesystem::path(folder) / kFileName).string()) {}

LibraryBinding::~LibraryBinding() {
    if (handle_ != nullptr) {
        dlclose(handle_);
    }
}

void* LibraryBinding::library() {
    if (handle_ == nullptr) {
        handle_ = dlopen(path_.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle_ == nullptr) {
            throw Error(kCannotLoad, kSource,
                        "Error in loading DLL: cannot load the curve library " + path_ + " (" +
                            last_dl_error() + ")");
        }
    }
    return handle_;
}

void* LibraryBinding::function(const char* name) {
    void* lib = library();
    dlerror();
    void* address = dlsym(lib, name);
    if (address == nullptr) {
        throw Error(kNoEntryPoint, kSource,
                    std::string("Can't find DLL entry point ") + name + " in " + path_);
    }
    return address;
}

std::string executable_folder() {
    std::error_code error;
    const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        throw Error(kCannotLoad, kSource,
                    "Error in loading DLL: the program's own folder cannot be found (" +
                        error.message() + ")");
    }
    return executable.parent_path().string();
}

LibraryBinding& program_library() {
    static LibraryBinding binding(executable_folder());
    return binding;
}

int32_t SmoothFilter(const uint8_t* Source, uint8_t* Destination, int32_t AverageHalfWidth,
                     int32_t LowPassKind, int32_t Count) {
    return program_library().smooth_filter()(Source, Destination, AverageHalfWidth, LowPassKind,
                                             Count);
}

int32_t ViewSamples(QuorelWindow* Window, const uint8_t* Live, int32_t Count,
                    const uint8_t* Memory0, const uint8_t* Memory1, const uint8_t* Memory2,
                    const uint8_t* Memory3, const uint8_t* Memory4, const uint8_t* Shown,
                    Zone_Sensible* Zones) {
    return program_library().view_samples()(Window, Live, Count, Memory0, Memory1, Memory2, Memory3,
                                            Memory4, Shown, Zones);
}

int32_t PreviewSamples(QuorelWindow* Window, const uint8_t* Samples, int32_t Count) {
    return program_library().preview_samples()(Window, Samples, Count);
}

}  // namespace corvanta::quorel
