#pragma once
// A folder of its own for each test's files, removed with everything in it
// when the test ends.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/System.h"

class TTempFolder {
public:
    TTempFolder()
    {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        FPath = std::filesystem::temp_directory_path() /
                (String(test ? test->name() : "test") + "-" + std::to_string(::getpid()));
        std::filesystem::remove_all(FPath);
        std::filesystem::create_directories(FPath);
    }
    ~TTempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(FPath, ignored);
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    // The path of Name inside the folder.
    String operator/(const String& Name) const { return (FPath / Name).string(); }
    const std::filesystem::path& Path() const { return FPath; }
    void WriteBytes(const String& Name, const std::string& Bytes) const
    {
        std::ofstream(FPath / Name, std::ios::binary) << Bytes;
    }
    std::string ReadBytes(const String& Name) const
    {
        std::ifstream in(FPath / Name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    std::filesystem::path FPath;
};

// The names in Folder, sorted: what a failed save leaves behind shows here.
inline std::vector<std::string> FolderNames(const std::filesystem::path& Folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(Folder)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}
