#pragma once
// Shared by every target: the check that stops the fuzzer, a headless
// process for what draws or measures text, and the input as a file for
// readers that take a file name.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/SysUtils.h"
#include "platform/Testing.h"

namespace Fuzz {

inline void Check(bool Condition)
{
    if (!Condition) std::abort();
}

// Fonts and drawing need the application object; the fuzzer's own
// arguments are kept away from it. The fuzzer ends the process by exit().
inline void InitHeadlessProcess()
{
    static char name[] = "ReaderFuzz";
    static char* argv[] = {name, nullptr};
    static int argc = 1;
    Testing::InitTestProcess(argc, argv);
    std::atexit(Testing::EndTestProcessAtExit);
}

// In memory where the system offers a folder for it: a disk file system
// may write a file rewritten from empty through to the disk at each close,
// which holds a target that rewrites its files to tens of inputs a second.
inline String FileFolder()
{
    static const String folder = std::filesystem::is_directory("/dev/shm") ? "/dev/shm/" : "/tmp/";
    return folder;
}

// The path of a file of this process named Name, holding the input.
inline String InputFile(const char* Name, const std::uint8_t* Data, std::size_t Size)
{
    const String path = FileFolder() + String(Name) + "-" + std::to_string(::getpid());
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(Data),
                                                                  static_cast<std::streamsize>(Size));
    return path;
}

inline std::string FileBytes(const String& Path)
{
    std::ifstream in(Path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline bool StartsWith(const String& Text, const char* Prefix) { return Text.rfind(Prefix, 0) == 0; }

}  // namespace Fuzz
