// File streams against what a file name may name besides a file, and safe
// saves against long names, symbolic links and saves killed half way.

#include <grp.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "platform/Classes.h"
#include "platform/Consts.h"
#include "platform/Testing.h"
#include "support/MessageOf.h"
#include "support/Pipe.h"
#include "support/TempFolder.h"

namespace {

namespace fs = std::filesystem;

struct TOpener {
    const char* Name;
    std::function<void(const String& Path)> Open;
};

const TOpener Openers[] = {
    {"read", [](const String& P) { TFileStream(P, fmOpenRead); }},
    {"write", [](const String& P) { TFileStream(P, fmOpenWrite); }},
    {"read and write", [](const String& P) { TFileStream(P, fmOpenReadWrite); }},
    {"create", [](const String& P) { TFileStream(P, fmCreate); }},
    {"memory stream", [](const String& P) { TMemoryStream().LoadFromFile(P); }},
};

TEST(FileStreamTest, APipeADeviceOrAFolderIsRefusedAtOnceWithItsName)
{
    TTempFolder folder;
    MakePipe(folder / "pipe");
    const String reason = String(" » : ") + SNotRegularFile;
    for (const TOpener& opener : Openers) {
        const String pipe = MessageOfPipeLoad<EFOpenError, EFCreateError>(folder / "pipe", [&] { opener.Open(folder / "pipe"); });
        EXPECT_NE(pipe.find("« " + folder / "pipe" + reason), String::npos) << opener.Name << ": " << pipe;
        const String device = MessageOf<EFOpenError, EFCreateError>([&] { opener.Open("/dev/null"); });
        EXPECT_NE(device.find("« /dev/null" + reason), String::npos) << opener.Name << ": " << device;
        const String directory = MessageOf<EFOpenError, EFCreateError>([&] { opener.Open(folder.Path()); });
        EXPECT_NE(directory.find(std::strerror(EISDIR)), String::npos) << opener.Name << ": " << directory;
    }

    // A list refused keeps its lines.
    TStringList list;
    list.Add("kept");
    EXPECT_NE(MessageOfPipeLoad<EFOpenError>(folder / "pipe", [&] { list.LoadFromFile(folder / "pipe"); }).find(reason),
              String::npos);
    EXPECT_EQ(list.Text(), "kept\r\n");
}

void Save(const String& FileName, const std::string& Bytes)
{
    TSafeFileStream file(FileName);
    file.WriteBuffer(Bytes.data(), static_cast<Int64>(Bytes.size()));
    file.Commit();
}

TEST(SafeSaveTest, ANameAsLongAsTheSystemTakesSaves)
{
    TTempFolder folder;
    for (const std::size_t length : {250u, 255u}) {
        const std::string name(length, 'n');
        Save(folder / name, "whole");
        EXPECT_EQ(folder.ReadBytes(name), "whole");
        EXPECT_EQ(FolderNames(folder.Path()), std::vector<std::string>{name});
        fs::remove(folder.Path() / name);
    }
}

TEST(SafeSaveTest, ASaveThroughLinksWritesWhereTheyLeadAndTheLinksStay)
{
    TTempFolder folder;
    fs::create_directories(folder.Path() / "real");
    fs::create_directories(folder.Path() / "links");
    folder.WriteBytes("real/file", "old");
    struct TCase {
        const char* Link;
        const char* LinksTo;
        const char* Target;  // what the save writes
    };
    const TCase cases[] = {
        {"links/relative", "../real/file", "real/file"},
        {"links/chain", "relative", "real/file"},
        {"links/dangling", "../real/new", "real/new"},
        {"links/dangling chain", "../real/link to nothing", "real/nothing"},
    };
    fs::create_symlink("nothing", folder.Path() / "real/link to nothing");
    for (const TCase& c : cases) fs::create_symlink(c.LinksTo, folder.Path() / c.Link);
    for (const TCase& c : cases) {
        Save(folder / c.Link, c.Link);
        EXPECT_EQ(folder.ReadBytes(c.Target), c.Link);
        EXPECT_TRUE(fs::is_symlink(folder.Path() / c.Link)) << c.Link;
        EXPECT_EQ(fs::read_symlink(folder.Path() / c.Link), c.LinksTo) << c.Link;
    }
    EXPECT_EQ(FolderNames(folder.Path() / "real"), (std::vector<std::string>{"file", "link to nothing", "new", "nothing"}));

    fs::create_symlink("loop", folder.Path() / "links/loop");
    const String loop = folder / "links/loop";
    EXPECT_NE(MessageOf<EFCreateError>([&] { Save(loop, "x"); }).find("« " + loop + " »"), String::npos);
    EXPECT_TRUE(fs::is_symlink(folder.Path() / "links/loop"));
}

// A process that starts saving Target and waits, half way, to be killed.
pid_t StartSaveThatWaits(const String& Target)
{
    int ready[2];
    EXPECT_EQ(::pipe(ready), 0);
    const pid_t writer = ::fork();
    if (writer == 0) {
        TSafeFileStream file(Target);
        file.WriteBuffer("half", 4);
        const char started = 1;
        if (::write(ready[1], &started, 1) != 1) ::_exit(1);
        while (true) ::pause();
    }
    ::close(ready[1]);
    char started = 0;
    EXPECT_EQ(::read(ready[0], &started, 1), 1);
    ::close(ready[0]);
    return writer;
}

TEST(SafeSaveTest, ASaveRemovesTheTemporariesThatKilledSavesOfTheFileLeft)
{
    TTempFolder folder;
    const String target = folder / "target";
    const pid_t writer = StartSaveThatWaits(target);
    const std::vector<std::string> whileWriting = FolderNames(folder.Path());
    ASSERT_EQ(whileWriting.size(), 1u);

    Save(target, "first");  // the other writer still runs: its temporary stays
    std::vector<std::string> expected = whileWriting;
    expected.push_back("target");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(FolderNames(folder.Path()), expected);

    ::kill(writer, SIGKILL);
    ::waitpid(writer, nullptr, 0);
    // Named as earlier saves named their temporaries, as a user may name a
    // file ("plot.cfg.~2024-12"): it stays, though no process has its number.
    const String userFile = "target.~" + IntToStr(writer) + "-12";
    folder.WriteBytes(userFile, "the user's");
    Save(target, "second");
    EXPECT_EQ(FolderNames(folder.Path()), (std::vector<std::string>{"target", userFile}));
    EXPECT_EQ(folder.ReadBytes("target"), "second");
    EXPECT_EQ(folder.ReadBytes(userFile), "the user's");
}

// How a save run by Save in a process of its own ended: 0 saved, 1 refused
// with a write error, 2 any other error, 3 no user to run it as. Root, whom
// no folder's permissions bind, hands the save to the unprivileged user.
int SaveInAProcessOfItsOwn(const std::function<void()>& Save)
{
    const pid_t saver = ::fork();
    if (saver == 0) {
        constexpr uid_t kNobody = 65534;
        if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
            ::_exit(3);
        try {
            Save();
            ::_exit(0);
        } catch (const EWriteError&) {
            ::_exit(1);
        } catch (...) {
            ::_exit(2);
        }
    }
    int status = -1;
    ::waitpid(saver, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(SafeSaveTest, AFileTheUserMayWriteInAFolderThatTakesNoTemporaryIsWrittenInPlace)
{
    TTempFolder folder;
    const fs::path shared = folder.Path() / "shared";
    fs::create_directory(shared);
    const String file = (shared / "plot.cfg").string();
    const std::string earlier = "the earlier content", longer = "a new content, longer than the earlier one";
    struct TCase {
        const char* What;
        Int64 DiskRoom;  // bytes the disk takes; -1 all (the new content is held in memory first)
        std::string Content;
        int Ended;
        std::string After;
    };
    const TCase cases[] = {
        {"disk too full to grow the file", Int64(longer.size()) + 10, longer, 1, earlier},
        {"disk full half way", Int64(longer.size()) + 30, longer, 1, earlier},
        {"longer", -1, longer, 0, longer},
        {"shorter", -1, "new", 0, "new"},
    };
    for (const TCase& c : cases) {
        fs::permissions(shared, fs::perms::all);
        std::ofstream(file, std::ios::binary) << earlier;
        fs::permissions(file, fs::perms(0666));
        fs::permissions(shared, fs::perms(0555));
        const int ended = SaveInAProcessOfItsOwn([&] {
            if (c.DiskRoom >= 0) Testing::Disk::FillAfter(c.DiskRoom);
            Save(file, c.Content);
        });
        if (ended == 3) GTEST_SKIP() << "no unprivileged user to save as, and root writes any folder";
        EXPECT_EQ(ended, c.Ended) << c.What;
        EXPECT_EQ(folder.ReadBytes("shared/plot.cfg"), c.After) << c.What;
        EXPECT_EQ(FolderNames(shared), std::vector<std::string>{"plot.cfg"}) << c.What;
    }
    fs::permissions(shared, fs::perms::all);
}

}  // namespace
