#pragma once
// A fresh directory for one test, removed with everything in it at the
// end, with helpers to write and read whole files in it.

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

class TempTree {
public:
    TempTree()
    {
        static std::atomic<int> next{0};
        Root = std::filesystem::temp_directory_path() /
               ("qd-tree-" + std::to_string(::getpid()) + "-" + std::to_string(next++));
        std::filesystem::create_directories(Root);
    }
    ~TempTree()
    {
        std::error_code ignored;
        std::filesystem::remove_all(Root, ignored);
    }
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    // The path of Name inside the tree, with '/' separators.
    std::string Path(const std::string& Name = "") const { return (Root / Name).string(); }
    // Writes Bytes to Name, creating the directories on the way.
    void Write(const std::string& Name, const std::string& Bytes) const
    {
        std::filesystem::create_directories((Root / Name).parent_path());
        std::ofstream(Root / Name, std::ios::binary) << Bytes;
    }
    std::string Read(const std::string& Name) const
    {
        std::ifstream in(Root / Name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::filesystem::path Root;
};

// Bytes whose every position differs from its neighbours.
inline std::string PatternBytes(std::size_t Count)
{
    std::string bytes(Count, '\0');
    for (std::size_t i = 0; i < Count; ++i) bytes[i] = static_cast<char>(i * 7 + i / 251);
    return bytes;
}
