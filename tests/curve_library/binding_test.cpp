#include <gtest/gtest.h>

#include <array>
#include <filesystem>

#include "app/quorel_binding.h"
#include "platform/error.h"

namespace {

using corvanta::quorel::LibraryBinding;

TEST(QuorelBinding, ProgramLoadsTheLibraryBesideItsExecutable) {
    const auto expected =
        std::filesystem::path(corvanta::quorel::executable_folder()) / "libquorel32.so";
    EXPECT_EQ(corvanta::quorel::program_library().path(), expected.string());
    const std::array<uint8_t, 4> source = {10, 20, 30, 40};
    std::array<uint8_t, 4> out{};
    EXPECT_EQ(corvanta::quorel::SmoothFilter(source.data(), out.data(), 1, 0, 4), 0);
    EXPECT_EQ(out, (std::array<uint8_t, 4>{10, 15, 25, 40}));
}

TEST(QuorelBinding, MissingLibraryIsErrorNamingTheFile) {
    const auto folder = std::filesystem::temp_directory_path() / "corvanta-no-such-folder";
    LibraryBinding binding(folder.string());
    std::array<uint8_t, 4> samples{};
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            binding.smooth_filter()(samples.data(), samples.data(), 0, 0, 4);
            FAIL() << "a missing library must not be called";
        } catch (const corvanta::Error& error) {
            EXPECT_EQ(error.number(), 48);
            EXPECT_EQ(error.source(), "quorel32");
            EXPECT_NE(error.description().find((folder / "libquorel32.so").string()),
                      std::string::npos)
                << error.description();
        }
    }
}

TEST(QuorelBinding, MissingFunctionIsErrorNamingIt) {
    LibraryBinding binding(FILTER_ONLY_LIBRARY_DIR);
    std::array<uint8_t, 4> samples{};
    EXPECT_EQ(binding.smooth_filter()(samples.data(), samples.data(), 0, 0, 4), 0);
    QuorelWindow window{0, 0, 0, nullptr};
    try {
        binding.preview_samples()(&window, samples.data(), 4);
        FAIL() << "a missing function must not be called";
    } catch (const corvanta::Error& error) {
        EXPECT_EQ(error.number(), 453);
        EXPECT_EQ(error.source(), "quorel32");
        EXPECT_NE(error.description().find("PreviewSamples"), std::string::npos)
            << error.description();
    }
    EXPECT_THROW(binding.view_samples(), corvanta::Error);
}

}  // namespace
