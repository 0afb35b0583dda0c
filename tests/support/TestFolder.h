#pragma once

// Files for tests: a folder of the running test's own, and a file's bytes.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace tessarion {

inline std::string contentsOf(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// A folder of the running test's own under the system's temporary folder,
// removed with everything in it when the test ends. Other checkouts on the
// machine may run the same test at the same moment: the name is drawn afresh.
struct TestFolder {
    explicit TestFolder(const std::string& kind)
        : path(std::filesystem::temp_directory_path() /
               ("tessarion-" + kind + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name() + "-" +
                std::to_string(std::random_device{}()) + "-" +
                std::to_string(reinterpret_cast<std::uintptr_t>(this)))) {
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~TestFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    // The path with a separator at its end, for names to be appended to.
    std::string slashed() const { return path.string() + "/"; }

    std::filesystem::path path;
};

}  // namespace tessarion
