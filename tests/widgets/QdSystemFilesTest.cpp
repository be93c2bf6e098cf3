#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <vector>

#include "platform/FormStream.h"
#include "platform/Forms.h"
#include "support/TempFolder.h"
#include "support/TempTree.h"
#include "widgets/QdSystem.h"

namespace {

class QdCopyFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Copier = Create<TQdCopyFile>(nullptr);
        Copier->SetSourceFile(Tree.Path("source.bin"));
        Copier->SetDestFile(Tree.Path("dest.bin"));
        Copier->OnProgress = [this](TObject*, Int64 Bytes, bool&) { Progress.push_back(Bytes); };
        Copier->AfterCopy = [this](TObject*) { ++AfterCopies; };
    }
    void TearDown() override { Free(Copier); }

    TempTree Tree;
    TQdCopyFile* Copier = nullptr;
    std::vector<Int64> Progress;
    Integer AfterCopies = 0;
};

}  // namespace

TEST_F(QdCopyFileTest, CopiesBlockByBlockWithProgressAndTheSourceDate)
{
    const std::string bytes = PatternBytes(2500);
    Tree.Write("source.bin", bytes);
    FileSetDate(Tree.Path("source.bin"), DateTimeToFileDate(EncodeDate(2001, 2, 3)));
    Int64 openSize = -1;
    Copier->BeforeOpen = [&](TObject*, Int64 Size, TDateTime, Integer) { openSize = Size; };
    Copier->Execute();
    EXPECT_EQ(openSize, 2500);
    EXPECT_EQ(Progress, (std::vector<Int64>{1024, 2048, 2500}));
    EXPECT_EQ(Tree.Read("dest.bin"), bytes);
    EXPECT_EQ(FileAge(Tree.Path("dest.bin")), FileAge(Tree.Path("source.bin")));
    EXPECT_EQ(AfterCopies, 1);
    EXPECT_EQ(FolderNames(Tree.Root), (std::vector<std::string>{"dest.bin", "source.bin"}));

    // A size that is a multiple of the block: one more report at the end.
    Progress.clear();
    Tree.Write("source.bin", PatternBytes(2048));
    Copier->SetCopyDateTime(false);
    Copier->Execute();
    EXPECT_EQ(Progress, (std::vector<Int64>{1024, 2048, 2048}));
    // A block far larger than the file is not allocated whole.
    Progress.clear();
    Copier->SetBufferSize(std::numeric_limits<Integer>::max());
    Copier->Execute();
    EXPECT_EQ(Progress, (std::vector<Int64>{2048}));
    EXPECT_EQ(Tree.Read("dest.bin"), PatternBytes(2048));
}

TEST_F(QdCopyFileTest, TheDestinationKeepsItsContentUnlessTheCopyCompletes)
{
    Tree.Write("source.bin", PatternBytes(5000));
    Tree.Write("dest.bin", "old content");

    // Refused by the overwrite event: nothing written, AfterCopy still.
    Copier->SetOverwrite(omEvent);
    Copier->BeforeOverwrite = [](TObject*, bool& Overwrite) { Overwrite = false; };
    Copier->Execute();
    EXPECT_EQ(Tree.Read("dest.bin"), "old content");
    EXPECT_TRUE(Progress.empty());
    EXPECT_EQ(AfterCopies, 1);

    // Cancelled after the first block.
    Copier->SetOverwrite(omAlways);
    Copier->OnProgress = [](TObject*, Int64, bool& Cancel) { Cancel = true; };
    Copier->Execute();
    EXPECT_EQ(Tree.Read("dest.bin"), "old content");
    EXPECT_EQ(AfterCopies, 2);

    // The source shrinks under the copy, as a failing disk reads short.
    Copier->OnProgress = [this](TObject*, Int64, bool&) {
        TFileStream(Tree.Path("source.bin"), fmOpenReadWrite).SetSize(1500);
    };
    EXPECT_THROW(Copier->Execute(), EReadError);
    EXPECT_EQ(Tree.Read("dest.bin"), "old content");
    EXPECT_EQ(AfterCopies, 2);
    EXPECT_EQ(FolderNames(Tree.Root), (std::vector<std::string>{"dest.bin", "source.bin"}));

    // Freed by its own progress handler: the copy stops, safely.
    Tree.Write("source.bin", PatternBytes(5000));
    Copier->OnProgress = [this](TObject*, Int64, bool&) { FreeAndNil(Copier); };
    TWeakRef<TQdCopyFile> copier(Copier);
    copier->Execute();
    EXPECT_EQ(Copier, nullptr);
    EXPECT_EQ(Tree.Read("dest.bin"), "old content");
}

TEST_F(QdCopyFileTest, AFileIsNeverCopiedOntoItselfAndAMissingSourceRaises)
{
    Tree.Write("source.bin", "precious");
    std::filesystem::create_symlink(Tree.Path("source.bin"), Tree.Path("link.bin"));
    for (const char* dest : {"source.bin", "link.bin", "./source.bin"}) {
        Copier->SetDestFile(Tree.Path(dest));
        EXPECT_THROW(Copier->Execute(), EFCreateError) << dest;
        EXPECT_EQ(Tree.Read("source.bin"), "precious") << dest;
    }
    Copier->SetSourceFile(Tree.Path("missing.bin"));
    Copier->SetDestFile(Tree.Path("dest.bin"));
    EXPECT_THROW(Copier->Execute(), EFOpenError);
    EXPECT_EQ(AfterCopies, 0);
}

namespace {

class QdDirScanTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Tree.Write("a.txt", "a");
        Tree.Write("b.dat", "b");
        Tree.Write("sub/c.txt", "c");
        Tree.Write("sub/deeper/d.txt", "d");
        Tree.Write(".hidden.txt", "h");
        // A link back to the top: a loop for anyone who follows links.
        std::filesystem::create_directory_symlink(Tree.Root, Tree.Root / "sub" / "loop");
        Scanner = Create<TQdDirScan>(nullptr);
        Scanner->SetPath(Tree.Path());
        Scanner->OnLocate = [this](TObject*, const String& Path, const TSearchRec& Found, bool&) {
            Located.push_back(Path.substr(Tree.Path().size()) + Found.Name);
        };
        Scanner->OnNotify = [this](TObject*) { ++Notified; };
    }
    void TearDown() override { Free(Scanner); }
    std::vector<String> Sorted()
    {
        std::sort(Located.begin(), Located.end());
        return Located;
    }

    TempTree Tree;
    TQdDirScan* Scanner = nullptr;
    std::vector<String> Located;
    Integer Notified = 0;
};

}  // namespace

TEST_F(QdDirScanTest, WalksTheTreeOnceThroughLinkLoops)
{
    std::vector<String> paths;
    Scanner->OnPathChange = [&](TObject*, const String& Path) { paths.push_back(Path); };
    Scanner->SetMask("  *.TXT ");
    Scanner->Execute();
    EXPECT_EQ(Sorted(), (std::vector<String>{"a.txt", "sub/c.txt", "sub/deeper/d.txt"}));
    EXPECT_EQ(paths.size(), 3u);  // the top, sub and deeper; the loop leads back to the top
    EXPECT_EQ(paths.front(), Tree.Path());  // with its trailing separator
    EXPECT_EQ(Notified, 1);
    EXPECT_FALSE(Scanner->Scanning());

    Located.clear();
    Scanner->SetRecursive(false);
    Scanner->SetMask("");
    Scanner->SetAttributes({fatArchive, fatHidden});
    Scanner->Execute();
    EXPECT_EQ(Sorted(), (std::vector<String>{".hidden.txt", "a.txt", "b.dat"}));
}

TEST_F(QdDirScanTest, CancellingOrFreeingEndsTheScanSilently)
{
    Scanner->OnLocate = [this](TObject*, const String&, const TSearchRec&, bool& Cancel) {
        Located.push_back("x");
        Cancel = true;
    };
    EXPECT_THROW(Scanner->Execute(), EAbort);
    EXPECT_EQ(Located.size(), 1u);
    EXPECT_EQ(Notified, 0);
    EXPECT_FALSE(Scanner->Scanning());

    Scanner->OnLocate = [this](TObject*, const String&, const TSearchRec&, bool&) { FreeAndNil(Scanner); };
    TWeakRef<TQdDirScan> scanner(Scanner);
    EXPECT_THROW(scanner->Execute(), EAbort);
    EXPECT_EQ(Scanner, nullptr);
}

TEST(QdStringList, ReportsChangesWithItselfAsSenderAndStreamsItsLines)
{
    TOwned<TComponent> root = CreateOwned<TComponent>(nullptr);
    root->SetName("Root");
    auto* list = Create<TQdStringList>(root.get());
    list->SetName("Lines");
    std::vector<String> calls;
    list->OnChanging = [&](TObject* Sender) { calls.push_back(Sender == list ? "changing" : "?"); };
    list->OnChange = [&](TObject* Sender) { calls.push_back(Sender == list ? "change" : "?"); };
    list->Strings()->Add("beta");
    list->Strings()->Add("alpha");
    EXPECT_EQ(calls, (std::vector<String>{"changing", "change", "changing", "change"}));
    list->SetSorted(true);
    EXPECT_EQ(list->Strings()->Strings(0), "alpha");

    QdSystemInitialization();
    const String text = WriteComponent(root.get());
    TOwned<TComponent> copy = CreateOwned<TComponent>(nullptr);
    ReadComponent(text, copy.get());
    auto* read = static_cast<TQdStringList*>(copy->FindComponent("Lines"));
    EXPECT_EQ(read->Count(), 2);
    EXPECT_TRUE(read->Sorted());
}

TEST(QdSystemFormData, SystemComponentsKeepTheirSettings)
{
    QdSystemInitialization();
    const String savedTitle = Application->Title;
    Application->Title = "qd form data/" + std::to_string(::getpid());
    TOwned<TComponent> root = CreateOwned<TComponent>(nullptr);
    root->SetName("Root");
    auto* copier = Create<TQdCopyFile>(root.get());
    copier->SetName("Copier");
    copier->SetSourceFile("/tmp/a b.bin");
    copier->SetDestFile("/tmp/c.bin");
    copier->SetBufferSize(4096);
    copier->SetOverwrite(omEvent);
    copier->SetCopyDateTime(false);
    auto* scanner = Create<TQdDirScan>(root.get());
    scanner->SetName("Scanner");
    scanner->SetMask("*.txt");
    scanner->SetPath("/home");
    scanner->SetRecursive(false);
    scanner->SetAttributes({fatHidden, fatDirectory});
    auto* keys = Create<TQdKeyStatus>(root.get());
    keys->SetName("Keys");
    keys->SetMonitorEvents(true);
    auto* once = Create<TQdRunOnce>(root.get());
    once->SetName("Once");
    once->SetTerminate(false);
    once->SetRestorePrevInst(false);
    once->SetMessageText("Already running");
    const String text = WriteComponent(root.get());
    EXPECT_NE(text.find("ShowMessage = False"), String::npos);  // always stored
    TOwned<TComponent> copy = CreateOwned<TComponent>(nullptr);
    ReadComponent(text, copy.get());
    EXPECT_EQ(WriteComponent(copy.get()), text);
    EXPECT_TRUE(static_cast<TQdRunOnce*>(copy->FindComponent("Once"))->Initialized());
    copy.reset();
    Application->Title = savedTitle;
}
