// The registry over INI files, and libraries loaded by name.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <filesystem>
#include <functional>
#include <sstream>
#include <tuple>
#include <vector>

#include "platform/DynLib.h"
#include "platform/Registry.h"
#include "platform/SysUtils.h"
#include "support/MessageOf.h"
#include "support/Pipe.h"
#include "support/RegistryFile.h"
#include "support/TempFolder.h"

namespace {

// A registry opened on the machine's file.
struct TMachineRegistry : TRegistry {
    TMachineRegistry() { SetRootKey(HKEY_LOCAL_MACHINE); }
};

// The test process's registry files, emptied after each test.
class Registry : public testing::Test {
protected:
    void TearDown() override
    {
        DeleteFile(std::getenv("PL_REGISTRY_SYSTEM"));
        DeleteFile(std::getenv("PL_REGISTRY_USER"));
    }
    static void WriteMachineFile(const String& Text)
    {
        std::ofstream(std::getenv("PL_REGISTRY_SYSTEM"), std::ios::binary) << Text;
    }
    static String MachineFileText()
    {
        return (std::stringstream() << std::ifstream(std::getenv("PL_REGISTRY_SYSTEM"), std::ios::binary).rdbuf()).str();
    }
};

TEST_F(Registry, KeysAndNamesAreReadIgnoringCaseAndEachRootHasItsFile)
{
    WriteMachineFile("; machine\n[SOFTWARE\\Maker\\Themes]\nSome Path = \"/opt/a \\\"b\\\"\"\nCount=dword:0000000A\n"
                     "Broken=dword:xyz\n");
    TMachineRegistry machine;
    ASSERT_TRUE(machine.OpenKeyReadOnly("\\software\\MAKER\\themes\\"));
    EXPECT_TRUE(machine.ValueExists("some path"));
    EXPECT_EQ(machine.ReadString("SOME PATH"), "/opt/a \"b\"");
    EXPECT_EQ(machine.ReadInteger("count"), 10);
    EXPECT_EQ(machine.ReadString("Missing"), "");
    EXPECT_THROW(machine.ReadInteger("Missing"), ERegistryException);
    EXPECT_THROW(machine.ReadInteger("Broken"), ERegistryException);
    EXPECT_THROW(machine.ReadString("Count"), ERegistryException);
    EXPECT_THROW(machine.WriteString("Other", "x"), ERegistryException);  // opened for reading

    TRegistry user;  // HKEY_CURRENT_USER: another file
    EXPECT_FALSE(user.OpenKeyReadOnly("Software\\Maker\\Themes"));
    EXPECT_FALSE(user.KeyExists("Software\\Maker\\Themes"));
    EXPECT_FALSE(user.OpenKey("Software\\Maker\\Themes", false));
}

TEST_F(Registry, WrittenValuesReadBackAndKeepTheRestOfTheFile)
{
    WriteMachineFile("[A]\nKept=\"1\"\n");
    TMachineRegistry registry;
    ASSERT_TRUE(registry.OpenKey("B\\C", true));
    registry.WriteString("Text", "quote \" and \\ back");
    registry.WriteInteger("Number", -2);
    registry.WriteString("text", "replaced");
    registry.CloseKey();

    TMachineRegistry again;
    ASSERT_TRUE(again.OpenKeyReadOnly("b\\c"));
    EXPECT_EQ(again.ReadString("Text"), "replaced");
    EXPECT_EQ(again.ReadInteger("Number"), -2);
    ASSERT_TRUE(again.OpenKeyReadOnly("A"));
    EXPECT_EQ(again.ReadString("Kept"), "1");
}

TEST_F(Registry, WhatNoLineOfTheFileCanHoldIsRefusedAndTheFileKept)
{
    WriteMachineFile("[A]\nKept=\"1\"\n");
    const String before = MachineFileText();
    TMachineRegistry registry;
    ASSERT_TRUE(registry.OpenKey("A", false));
    EXPECT_THROW(registry.WriteString("Text", "two\n[Other]\nPlanted=\"1\""), ERegistryException);
    for (const char* name : {"a=b", " padded", ";comment", "#comment", "line\nbreak"})
        EXPECT_THROW(registry.WriteInteger(name, 1), ERegistryException) << name;
    ASSERT_TRUE(registry.OpenKey("Two\nLines", true));
    EXPECT_THROW(registry.WriteString("Text", "x"), ERegistryException);
    EXPECT_EQ(MachineFileText(), before);
}

TEST_F(Registry, LinesEndInCrLfCrOrLf)
{
    WriteMachineFile("[A]\rOne=\"1\"\r[B]\r\nTwo=\"2\"\r\n[C]\nThree=\"3\"");
    TMachineRegistry machine;
    for (const auto& [key, name, value] : {std::tuple{"A", "One", "1"}, {"B", "Two", "2"}, {"C", "Three", "3"}}) {
        ASSERT_TRUE(machine.OpenKeyReadOnly(key)) << key;
        EXPECT_EQ(machine.ReadString(name), value);
    }
}

TEST_F(Registry, AFileThatIsThereButCannotBeReadIsAnErrorAndTheOpenKeyStays)
{
    namespace fs = std::filesystem;
    WriteMachineFile("[A]\nKept=\"1\"\n");
    TMachineRegistry machine;
    ASSERT_TRUE(machine.OpenKeyReadOnly("A"));
    TTempFolder folder;
    MakePipe(folder / "pipe");
    fs::create_symlink("loop", folder.Path() / "loop");
    fs::create_directory(folder.Path() / "folder");
    for (const char* name : {"pipe", "loop", "folder"}) {
        const TRegistryFileScope file(HKEY_LOCAL_MACHINE, folder / name);
        for (const auto& read : {std::function<void()>([&] { machine.OpenKeyReadOnly("A"); }),
                                 std::function<void()>([&] { machine.KeyExists("A"); })}) {
            const String message = MessageOfPipeLoad<ERegistryException>(folder / "pipe", read);
            EXPECT_NE(message.find("« " + folder / name + " »"), String::npos) << message;
        }
        EXPECT_EQ(machine.CurrentPath(), "A");
        EXPECT_EQ(machine.ReadString("Kept"), "1");
    }
}

TEST_F(Registry, WritesOfTwoProcessesIntoOneKeyAreAllKept)
{
    WriteMachineFile("[Other]\nKept=\"1\"\n");
    constexpr Integer kEach = 150;
    int start[2];
    ASSERT_EQ(::pipe(start), 0);
    std::vector<pid_t> writers;
    for (const char* prefix : {"A", "B"}) {
        const pid_t writer = ::fork();
        if (writer == 0) {
            ::close(start[1]);
            char go = 0;
            const bool started = ::read(start[0], &go, 1) == 0;  // both begin when the pipe closes
            for (Integer i = 0; started && i < kEach; ++i) {  // an object a value, as separate saves are
                TMachineRegistry registry;
                registry.OpenKey("Shared", true);
                registry.WriteInteger(prefix + IntToStr(i), i);
            }
            ::_exit(started ? 0 : 1);
        }
        writers.push_back(writer);
    }
    ::close(start[0]);
    ::close(start[1]);
    for (const pid_t writer : writers) {
        int status = -1;
        ::waitpid(writer, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    TMachineRegistry machine;
    ASSERT_TRUE(machine.OpenKeyReadOnly("Shared"));
    Integer kept = 0;
    for (const char* prefix : {"A", "B"})
        for (Integer i = 0; i < kEach; ++i) kept += machine.ValueExists(prefix + IntToStr(i)) ? 1 : 0;
    EXPECT_EQ(kept, 2 * kEach);
    ASSERT_TRUE(machine.OpenKeyReadOnly("Other"));
    EXPECT_EQ(machine.ReadString("Kept"), "1");
}

TEST_F(Registry, TwoObjectsOpenOnKeysOfOneFileKeepEachOthersWrites)
{
    TMachineRegistry first, second;
    ASSERT_TRUE(first.OpenKey("One", true));
    ASSERT_TRUE(second.OpenKey("Two", true));
    first.WriteString("Name", "first");
    second.WriteString("Name", "second");
    first.WriteInteger("Count", 2);
    EXPECT_EQ(first.ReadString("Name"), "first");
    ASSERT_TRUE(first.OpenKeyReadOnly("Two"));
    EXPECT_EQ(first.ReadString("Name"), "second");
    ASSERT_TRUE(second.OpenKeyReadOnly("One"));
    EXPECT_EQ(second.ReadInteger("Count"), 2);
}

// A file another program saved behind a byte-order mark reads as every
// text file does; a write keeps its values and leaves it in UTF-8.
TEST_F(Registry, AFileBehindAByteOrderMarkReadsAsAnyTextFile)
{
    const String text = "[Themes]\r\nPath=\"/opt/th\xC3\xA8mes\"\r\n[Other]\r\nKept=dword:00000003\r\n";
    const auto utf16 = [&](bool BigEndian) {
        String bytes = BigEndian ? "\xFE\xFF" : "\xFF\xFE";
        for (const char16_t c : Utf8ToUtf16(text)) {
            const char high = static_cast<char>(c >> 8), low = static_cast<char>(c & 0xFF);
            bytes += BigEndian ? String{high, low} : String{low, high};
        }
        return bytes;
    };
    for (const String& file : {"\xEF\xBB\xBF" + text, utf16(false), utf16(true)}) {
        WriteMachineFile(file);
        TMachineRegistry machine;
        ASSERT_TRUE(machine.OpenKey("Themes", false)) << file;
        EXPECT_EQ(machine.ReadString("Path"), "/opt/thèmes");
        machine.WriteString("Current", "Night");
        EXPECT_EQ(MachineFileText().rfind("[Themes]\nPath=\"/opt/th\xC3\xA8mes\"\nCurrent=\"Night\"\n", 0), 0u);
        ASSERT_TRUE(machine.OpenKeyReadOnly("Other"));
        EXPECT_EQ(machine.ReadInteger("Kept"), 3);
    }

    // After a UTF-8 mark, bytes that are no UTF-8 are nobody's text.
    WriteMachineFile("\xEF\xBB\xBF[Themes]\nPath=\"\xE8\"\n");
    TMachineRegistry machine;
    const String message = MessageOf<ERegistryException>([&] { machine.OpenKeyReadOnly("Themes"); });
    EXPECT_NE(message.find(std::getenv("PL_REGISTRY_SYSTEM")), String::npos) << message;
    EXPECT_NE(message.find("line 2"), String::npos) << message;
}

TEST(DynLib, WindowsNamesMapToSharedObjectsAndAnOverrideWins)
{
    EXPECT_EQ(DynLibFileName("kOPC2.dll", nullptr), "libkOPC2.so");
    EXPECT_EQ(DynLibFileName("Tool.DLL", nullptr), "libTool.so");
    setenv("PL_TEST_LIBRARY", "/opt/lib/libother.so", 1);
    EXPECT_EQ(DynLibFileName("kOPC2.dll", "PL_TEST_LIBRARY"), "/opt/lib/libother.so");
    setenv("PL_TEST_LIBRARY", "", 1);
    EXPECT_EQ(DynLibFileName("kOPC2.dll", "PL_TEST_LIBRARY"), "libkOPC2.so");

    TDynLib library;
    EXPECT_FALSE(library.Load("/nonexistent/libnothing.so"));
    EXPECT_FALSE(library.Loaded());
    EXPECT_FALSE(library.LastError().empty());
    EXPECT_EQ(library.Symbol("anything"), nullptr);
    ASSERT_TRUE(library.Load("libm.so.6"));
    EXPECT_NE(library.Symbol("cos"), nullptr);
    EXPECT_EQ(library.Symbol("no_such_export_here"), nullptr);
}

}  // namespace
