#pragma once

#include <cstdint>
#include <string>

#include "curve_library/quorel32.h"

namespace corvanta::quorel {

// The curve library as the program binds it: the file libquorel32.so of one folder is
// loaded at the first call of any function, and each function is looked up at its own
// first call and kept for the later ones. A library that cannot be loaded throws
// corvanta::Error 48, a missing function 453, both from source "quorel32" with a
// description naming the file or the function; a failed call binds nothing, so the next
// call tries again. One thread only.
class LibraryBinding {
  public:
    explicit LibraryBinding(const std::string& folder);
    ~LibraryBinding();
    LibraryBinding(const LibraryBinding&) = delete;
    LibraryBinding& operator=(const LibraryBinding&) = delete;

    const std::string& path() const { return path_; }

    // Each function, bound at its first request.
    decltype(::SmoothFilter)* smooth_filter() { return bind(smooth_filter_, "SmoothFilter"); }
    decltype(::ViewSamples)* view_samples() { return bind(view_samples_, "ViewSamples"); }
    decltype(::PreviewSamples)* preview_samples() {
        return bind(preview_samples_, "PreviewSamples");
    }

  private:
    void* library();
    void* function(const char* name);
    template <typename Function>
    Function* bind(Function*& slot, const char* name) {
        if (slot == nullptr) {
            slot = reinterpret_cast<Function*>(function(name));
        }
        return slot;
    }

    std::string path_;
    void* handle_ = nullptr;
    decltype(::SmoothFilter)* smooth_filter_ = nullptr;
    decltype(::ViewSamples)* view_samples_ = nullptr;
    decltype(::PreviewSamples)* preview_samples_ = nullptr;
};

// The folder of the running executable, where the program keeps libquorel32.so.
std::string executable_folder();

// The program's binding, to the library beside the executable.
LibraryBinding& program_library();

// The library's functions as the program calls them, through program_library().
int32_t SmoothFilter(const uint8_t* Source, uint8_t* Destination, int32_t AverageHalfWidth,
                     int32_t LowPassKind, int32_t Count);
int32_t ViewSamples(QuorelWindow* Window, const uint8_t* Live, int32_t Count,
                    const uint8_t* Memory0, const uint8_t* Memory1, const uint8_t* Memory2,
                    const uint8_t* Memory3, const uint8_t* Memory4, const uint8_t* Shown,
                    Zone_Sensible* Zones);
int32_t PreviewSamples(QuorelWindow* Window, const uint8_t* Samples, int32_t Count);

}  // namespace corvanta::quorel
