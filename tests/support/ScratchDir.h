#pragma once
// A directory of its own for each test, named after the test and removed
// with everything in it when the test ends.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/SysUtils.h"

class TScratchDir {
public:
    explicit TScratchDir(const std::string& Stem)
    {
        const auto* unit = ::testing::UnitTest::GetInstance();
        FDir = std::filesystem::temp_directory_path() /
               (Stem + "-" + std::to_string(::getpid()) + "-" + std::to_string(unit->random_seed()) + "-" +
                (unit->current_test_info() ? unit->current_test_info()->name() : "suite"));
        std::filesystem::create_directories(FDir);
    }
    ~TScratchDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(FDir, ec);
    }
    TScratchDir(const TScratchDir&) = delete;
    TScratchDir& operator=(const TScratchDir&) = delete;

    const std::filesystem::path& Dir() const { return FDir; }
    String Path(const std::string& Name) const { return (FDir / Name).string(); }
    void WriteBytes(const std::string& Name, const std::string& Bytes) const
    {
        std::ofstream(FDir / Name, std::ios::binary) << Bytes;
    }
    std::string ReadBytes(const std::string& Name) const
    {
        std::ifstream in(FDir / Name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    bool Exists(const std::string& Name) const { return std::filesystem::exists(FDir / Name); }

private:
    std::filesystem::path FDir;
};
