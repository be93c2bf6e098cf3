// The single-instance guard trusts only what the user alone could have
// made, and the first instance reads the requests of later ones.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "platform/InstanceRequestReader.h"
#include "platform/SysServices.h"
#include "platform/SysUtils.h"
#include "support/TempFolder.h"

namespace {

// A lock file someone else made and holds, with Mode and, when the process
// may give files away, another owner. Closing the result ends the lock.
int PlantLock(const String& Path, mode_t Mode, bool OtherOwner)
{
    const int fd = ::open(Path.c_str(), O_RDWR | O_CREAT, Mode);
    ::fchmod(fd, Mode);
    if (OtherOwner && ::fchown(fd, 65534, 65534) != 0) ::fchmod(fd, Mode | 022);
    ::flock(fd, LOCK_EX | LOCK_NB);
    return fd;
}

// The shared temporary folder is a folder of the test's own.
class SingleInstanceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("TMPDIR", Temp.Path().c_str(), 1);
        ::unsetenv("XDG_RUNTIME_DIR");
    }
    void TearDown() override { OldTemp.empty() ? ::unsetenv("TMPDIR") : ::setenv("TMPDIR", OldTemp.c_str(), 1); }

    const String OldTemp = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "";
    TTempFolder Temp;
};

}  // namespace

TEST_F(SingleInstanceTest, LocksSomeoneElseCouldHaveMadeDoNotStopTheFirstInstance)
{
    const String key = "run once foreign", name = TSingleInstance(key).Name() + ".lock";
    const String user = Temp / ("pl-runtime-" + std::to_string(::geteuid())), runtime = Temp / "runtime";
    const auto firstGetsTheLock = [&] {
        TSingleInstance first(key);
        return first.Acquire() && !TSingleInstance(key).Acquire();
    };
    std::vector<int> planted;
    // In the shared temporary folder, where any user may write.
    ::chmod(Temp.Path().c_str(), 01777);
    planted.push_back(PlantLock(Temp / name, 0644, false));
    EXPECT_TRUE(firstGetsTheLock());
    // In a runtime folder others may write to, and in the user's folder
    // made by someone else (then every instance runs).
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    for (const String& folder : {runtime, user}) {
        std::filesystem::create_directory(folder);
        ::chmod(folder.c_str(), 0777);
        planted.push_back(PlantLock(folder + "/" + name, 0600, false));
        EXPECT_TRUE(TSingleInstance(key).Acquire()) << folder;
    }
    // In the user's own folder, a lock file that is a link, that others
    // may write or that is not the user's.
    ::chmod(user.c_str(), 0700);
    std::filesystem::remove(user + "/" + name);
    std::filesystem::create_symlink(Temp / name, user + "/" + name);
    EXPECT_TRUE(firstGetsTheLock());
    for (const bool otherOwner : {false, true}) {
        planted.push_back(PlantLock(user + "/" + name, otherOwner ? 0600 : 0666, otherOwner));
        EXPECT_TRUE(firstGetsTheLock()) << otherOwner;
    }
    for (const int fd : planted) ::close(fd);
}

// In the user's usual folder, whose path leaves the key room.
TEST(SingleInstance, ALongKeyStillFindsTheFirstInstance)
{
    TSingleInstance first(String(300, 'k')), later(String(300, 'k'));
    ASSERT_TRUE(first.Acquire());
    EXPECT_FALSE(later.Acquire());
    EXPECT_TRUE(later.ActivateFirst());
}

TEST(InstanceRequestReader, CountsWholeActivateLinesAndCutsOffEndlessOnes)
{
    TInstanceRequestReader reader;
    EXPECT_EQ(reader.Read("acti") + reader.Read("vate\nactivate\r\nactivate now\n\nactivate\n"), 2);
    EXPECT_EQ(reader.Read(String(TInstanceRequestReader::MaxLineLength, 'x') + "\nactivate\n"), 0);
    EXPECT_TRUE(reader.Refused());
}
