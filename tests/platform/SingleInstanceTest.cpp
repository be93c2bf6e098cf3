// The single-instance guard trusts only what the user alone could have
// made, and the first instance reads the requests of later ones.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/InstanceRequestReader.h"
#include "platform/SysServices.h"
#include "platform/SysUtils.h"
#include "support/TempFolder.h"

namespace {

// Sets or clears a variable of the process's environment for the scope.
class TEnvironmentScope {
public:
    TEnvironmentScope(const char* Name, const char* Value) : FName(Name)
    {
        if (const char* old = std::getenv(Name)) FOld = old, FHadOld = true;
        Value ? ::setenv(Name, Value, 1) : ::unsetenv(Name);
    }
    ~TEnvironmentScope() { FHadOld ? ::setenv(FName, FOld.c_str(), 1) : ::unsetenv(FName); }

private:
    const char* FName;
    String FOld;
    bool FHadOld = false;
};

// A file locked the way a running instance locks it, as someone else may
// have made it: with the given mode and, when the process may give files
// away, another owner.
class TForeignLock {
public:
    TForeignLock(const String& Path, mode_t Mode, bool OtherOwner)
        : FFd(::open(Path.c_str(), O_RDWR | O_CREAT, Mode))
    {
        ::fchmod(FFd, Mode);
        if (OtherOwner && ::fchown(FFd, 65534, 65534) != 0) ::fchmod(FFd, Mode | 022);
        ::flock(FFd, LOCK_EX | LOCK_NB);
    }
    ~TForeignLock() { ::close(FFd); }

private:
    int FFd;
};

String UserFolderIn(const TTempFolder& Temp) { return Temp / ("pl-runtime-" + std::to_string(::geteuid())); }

class SingleInstanceTest : public ::testing::Test {
protected:
    TTempFolder Temp;
    TEnvironmentScope TempVariable{"TMPDIR", Temp.Path().c_str()};
    TEnvironmentScope RuntimeVariable{"XDG_RUNTIME_DIR", nullptr};
};

}  // namespace

TEST_F(SingleInstanceTest, LocksSomeoneElseCouldHaveMadeDoNotStopTheFirstInstance)
{
    const String key = "run once foreign";
    const String name = TSingleInstance(key).Name();
    const auto firstGetsTheLock = [&] {
        TSingleInstance first(key);
        return first.Acquire() && !TSingleInstance(key).Acquire();
    };
    // In the shared temporary folder, where any user may write.
    ::chmod(Temp.Path().c_str(), 01777);
    {
        TForeignLock planted(Temp / (name + ".lock"), 0644, false);
        EXPECT_TRUE(firstGetsTheLock());
    }
    // In a runtime folder that others may write to, or that someone else
    // made in the user's place.
    const String runtime = Temp / "runtime";
    TEnvironmentScope runtimeVariable("XDG_RUNTIME_DIR", runtime.c_str());
    for (const String& folder : {runtime, UserFolderIn(Temp)}) {
        std::filesystem::create_directory(folder);
        ::chmod(folder.c_str(), 0777);
        TForeignLock planted(folder + "/" + name + ".lock", 0600, false);
        SCOPED_TRACE(folder);
        TSingleInstance first(key);
        EXPECT_TRUE(first.Acquire());
    }
    // In the user's own folder, a lock file that is a link, that others
    // may write or that is not the user's.
    std::filesystem::remove_all(UserFolderIn(Temp));
    const String lock = UserFolderIn(Temp) + "/" + name + ".lock";
    TForeignLock elsewhere(Temp / "elsewhere.lock", 0600, false);
    std::filesystem::create_directory(UserFolderIn(Temp));
    ::chmod(UserFolderIn(Temp).c_str(), 0700);
    std::filesystem::create_symlink(Temp / "elsewhere.lock", lock);
    EXPECT_TRUE(firstGetsTheLock());
    for (const bool otherOwner : {false, true}) {
        TForeignLock planted(lock, otherOwner ? 0600 : 0666, otherOwner);
        EXPECT_TRUE(firstGetsTheLock()) << otherOwner;
    }
}

// In the user's usual folder, whose path leaves the key room.
TEST(SingleInstance, ALongKeyStillFindsTheFirstInstance)
{
    const String key(300, 'k');
    TSingleInstance first(key);
    ASSERT_TRUE(first.Acquire());
    TSingleInstance later(key);
    EXPECT_FALSE(later.Acquire());
    EXPECT_TRUE(later.ActivateFirst());
    EXPECT_NE(later.Name(), TSingleInstance(String(299, 'k') + "j").Name());
}

TEST(InstanceRequestReader, CountsWholeActivateLinesAndCutsOffEndlessOnes)
{
    TInstanceRequestReader reader;
    EXPECT_EQ(reader.Read("acti"), 0);
    EXPECT_EQ(reader.Read("vate\nactivate\r\nactivate now\n\nactivate\n"), 2);
    EXPECT_FALSE(reader.Refused());
    EXPECT_EQ(reader.Read(String(TInstanceRequestReader::MaxLineLength - 1, 'x') + "\n"), 0);
    EXPECT_FALSE(reader.Refused());
    EXPECT_EQ(reader.Read(String(TInstanceRequestReader::MaxLineLength, 'x') + "\nactivate\n"), 0);
    EXPECT_TRUE(reader.Refused());
}
