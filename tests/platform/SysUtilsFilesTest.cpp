#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>

#include "platform/SysUtils.h"

TEST(SysUtilsFiles, PathParts)
{
    const struct {
        const char* path;
        const char* name;
        const char* ext;
        const char* dirPath;
        const char* dir;
    } cases[] = {
        {"/a/b/c.txt", "c.txt", ".txt", "/a/b/", "/a/b"},
        {"C:\\data\\plot.cfg", "plot.cfg", ".cfg", "C:/data/", "C:/data"},
        {"name", "name", "", "", ""},
        {"/a.d/file", "file", "", "/a.d/", "/a.d"},
        {"/x/.hidden", ".hidden", ".hidden", "/x/", "/x"},
        {"/top", "top", "", "/", "/"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExtractFileName(c.path), c.name) << c.path;
        EXPECT_EQ(ExtractFileExt(c.path), c.ext) << c.path;
        EXPECT_EQ(ExtractFilePath(c.path), c.dirPath) << c.path;
        EXPECT_EQ(ExtractFileDir(c.path), c.dir) << c.path;
    }
    EXPECT_EQ(ChangeFileExt("a\\b.c.txt", ".dat"), "a/b.c.dat");
    EXPECT_EQ(ChangeFileExt("a.d/b", ".dat"), "a.d/b.dat");
    EXPECT_EQ(ChangeFileExt("b.txt", ""), "b");
    EXPECT_EQ(IncludeTrailingPathDelimiter("a\\b"), "a/b/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("a/"), "a/");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("a/b//"), "a/b");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/"), "/");
}

TEST(SysUtilsFiles, FileSystemAndSearch)
{
    namespace fs = std::filesystem;
    const String root = (fs::temp_directory_path() / ("sysutils-files-" + std::to_string(::getpid()))).string();
    fs::remove_all(root);
    ASSERT_TRUE(ForceDirectories(root + "\\sub\\deeper"));
    for (const char* name : {"A.TXT", "b.txt", ".hidden.txt", "c.dat"}) std::ofstream(root + "/" + name) << "12345";

    EXPECT_TRUE(FileExists(root + "/A.TXT"));
    EXPECT_FALSE(FileExists(root + "/sub"));
    EXPECT_TRUE(DirectoryExists(root + "\\sub"));
    EXPECT_FALSE(DirectoryExists(root + "/A.TXT"));
    EXPECT_EQ(ExpandFileName(root + "/sub/../A.TXT"), root + "/A.TXT");

    const auto names = [&](const String& mask, Integer attr) {
        std::set<String> found;
        TSearchRec sr;
        for (Integer rc = FindFirst(root + "/" + mask, attr, sr); rc == 0; rc = FindNext(sr)) found.insert(sr.Name);
        FindClose(sr);
        return found;
    };
    EXPECT_EQ(names("*.txt", 0), (std::set<String>{"A.TXT", "b.txt"}));
    EXPECT_EQ(names("*.txt", faHidden), (std::set<String>{"A.TXT", "b.txt", ".hidden.txt"}));
    EXPECT_EQ(names("*.*", faDirectory), (std::set<String>{"A.TXT", "b.txt", "c.dat", "sub"}));
    EXPECT_EQ(names("?.dat", 0), (std::set<String>{"c.dat"}));
    EXPECT_TRUE(names("*.none", faAnyFile).empty());

    TSearchRec sr;
    ASSERT_EQ(FindFirst(root + "/c.dat", 0, sr), 0);
    EXPECT_EQ(sr.Size, 5);
    EXPECT_EQ(sr.Time, FileAge(root + "/c.dat"));
    FindClose(sr);

    const Integer stamp = DateTimeToFileDate(EncodeDateTime(2021, 6, 7, 8, 9, 10, 0));
    EXPECT_DOUBLE_EQ(FileDateToDateTime(stamp), EncodeDateTime(2021, 6, 7, 8, 9, 10, 0));
    EXPECT_EQ(FileSetDate(root + "/c.dat", stamp), 0);
    EXPECT_EQ(FileGetDate(root + "/c.dat"), stamp);
    EXPECT_EQ(FileAge(root + "/missing"), -1);

    EXPECT_FALSE(RenameFile(root + "/b.txt", root + "/A.TXT"));  // never overwrites
    EXPECT_TRUE(RenameFile(root + "/b.txt", root + "/d.txt"));
    EXPECT_TRUE(DeleteFile(root + "/d.txt"));
    EXPECT_FALSE(DeleteFile(root + "/sub"));
    EXPECT_FALSE(RemoveDir(root + "/sub"));  // not empty
    EXPECT_TRUE(RemoveDir(root + "/sub/deeper"));
    fs::remove_all(root);
}
