#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "platform/Classes.h"
#include "platform/Resources.h"
#include "support/MessageOf.h"
#include "support/TempFolder.h"

namespace {

std::vector<String> Events;

// Records its life cycle and the notices it hears.
class TProbe : public TComponent {
    PL_CLASSINFO()
public:
    explicit TProbe(TComponent* AOwner, String ATag = "") : TComponent(AOwner), Label(std::move(ATag)) {}
    ~TProbe() override { Events.push_back("~" + Label); }

    void BeforeDestruction() override
    {
        Events.push_back("before " + Label + (Owner() && Owner()->ComponentState().Contains(csDestroying)
                                                  ? " (owner dying)"
                                                  : ""));
        TComponent::BeforeDestruction();
    }
    void Notification(TComponent* AComponent, TOperation Operation) override
    {
        TComponent::Notification(AComponent, Operation);
        auto* probe = dynamic_cast<TProbe*>(AComponent);
        if (probe && probe != this)
            Events.push_back(Label + (Operation == opInsert ? " +" : " -") + probe->Label);
    }

    String Label;
};

TClass TProbe::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TProbe, TComponent>("TProbe").Build();
    return &info;
}

TEST(ComponentTest, OwnerFreesLastFirstAndNotifiesTheRest)
{
    Events.clear();
    auto* owner = Create<TProbe>(nullptr, "O");
    auto* a = Create<TProbe>(owner, "A");
    Create<TProbe>(owner, "B");
    Create<TProbe>(a, "A1");
    EXPECT_EQ(owner->ComponentCount(), 2);
    // The owner hears last, after its components.
    EXPECT_EQ(Events, (std::vector<String>{"O +A", "A +B", "O +B", "A +A1"}));
    Events.clear();
    owner->Free();
    EXPECT_EQ(Events, (std::vector<String>{"before O", "before B (owner dying)", "A1 -B", "A -B", "O -B", "~B",
                                           "before A (owner dying)", "before A1 (owner dying)", "A -A1",
                                           "~A1", "O -A", "~A", "~O"}));
}

TEST(ComponentTest, FreeingOneComponentTellsItsSiblingsAndLeavesTheOwner)
{
    Events.clear();
    TOwned<TProbe> owner(Create<TProbe>(nullptr, "O"));
    auto* a = Create<TProbe>(owner.get(), "A");
    auto* b = Create<TProbe>(owner.get(), "B");
    Events.clear();
    a->Free();
    EXPECT_EQ(Events, (std::vector<String>{"before A", "B -A", "O -A", "~A"}));
    EXPECT_EQ(owner->ComponentCount(), 1);
    EXPECT_EQ(owner->Components(0), b);
    EXPECT_EQ(b->ComponentIndex(), 0);
    EXPECT_THROW(owner->Components(1), EListError);
}

TEST(ComponentTest, FreeNotificationReachesOtherOwnersBothWays)
{
    Events.clear();
    TOwned<TProbe> left(Create<TProbe>(nullptr, "L"));
    TOwned<TProbe> right(Create<TProbe>(nullptr, "R"));
    auto* watched = Create<TProbe>(left.get(), "W");
    auto* watcher = Create<TProbe>(right.get(), "V");
    watched->FreeNotification(watcher);
    Events.clear();
    watched->Free();
    EXPECT_EQ(Events, (std::vector<String>{"before W", "V -W", "L -W", "~W"}));

    auto* again = Create<TProbe>(left.get(), "X");
    again->FreeNotification(watcher);
    again->RemoveFreeNotification(watcher);
    Events.clear();
    again->Free();
    EXPECT_EQ(Events, (std::vector<String>{"before X", "L -X", "~X"}));

    // The watcher dies first: the watched one forgets it.
    auto* target = Create<TProbe>(left.get(), "T");
    target->FreeNotification(watcher);
    watcher->Free();
    Events.clear();
    target->Free();
    EXPECT_EQ(Events, (std::vector<String>{"before T", "L -T", "~T"}));
}

TEST(ComponentTest, NamesAreIdentifiersUniqueAmongSiblingsIgnoringCase)
{
    TOwned<TComponent> owner(Create<TComponent>(nullptr));
    auto* a = Create<TComponent>(owner.get());
    auto* b = Create<TComponent>(owner.get());
    a->SetName("Button1");
    EXPECT_THROW(b->SetName("BUTTON1"), EComponentError);
    EXPECT_THROW(b->SetName("1Button"), EComponentError);
    EXPECT_THROW(b->SetName("Two words"), EComponentError);
    EXPECT_THROW(b->SetName("Caf\xC3\xA9"), EComponentError);
    b->SetName("_Button_2");
    a->SetName("BUTTON1");  // its own name in another case
    EXPECT_EQ(owner->FindComponent("button1"), a);
    EXPECT_EQ(owner->FindComponent("nothing"), nullptr);
    EXPECT_EQ(owner->FindComponent(""), nullptr);
    b->SetName("");
    a->SetName("");
    EXPECT_EQ(a->Name(), "");
    // A root cannot take the name of one of its components.
    b->SetName("Inner");
    EXPECT_THROW(owner->SetName("inner"), EComponentError);

    TOwned<TComponent> other(Create<TComponent>(nullptr));
    auto* c = Create<TComponent>(other.get());
    c->SetName("INNER");
    EXPECT_THROW(owner->InsertComponent(c), EComponentError);
    EXPECT_EQ(c->Owner(), other.get());
    c->SetName("Moved");
    owner->InsertComponent(c);
    EXPECT_EQ(c->Owner(), owner.get());
    EXPECT_EQ(other->ComponentCount(), 0);
}

class TVirtualBase : public TComponent {
public:
    using TComponent::TComponent;
    void AfterConstruction() override
    {
        TComponent::AfterConstruction();
        Setup();
    }
    virtual void Setup() { Who = "base"; }
    String Who;
};

class TVirtualDerived : public TVirtualBase {
public:
    using TVirtualBase::TVirtualBase;
    void Setup() override { Who = "derived"; }
};

class TFailing : public TProbe {
public:
    using TProbe::TProbe;
    void AfterConstruction() override
    {
        TProbe::AfterConstruction();
        throw EConvertError("no");
    }
};

TEST(ComponentTest, AfterConstructionReachesTheDerivedClassAndFailureUndoesCreation)
{
    TOwned<TVirtualDerived> d(Create<TVirtualDerived>(nullptr));
    EXPECT_EQ(d->Who, "derived");

    Events.clear();
    TOwned<TProbe> owner(Create<TProbe>(nullptr, "O"));
    EXPECT_THROW(Create<TFailing>(owner.get(), "F"), EConvertError);
    EXPECT_EQ(owner->ComponentCount(), 0);
    EXPECT_EQ(Events.back(), "~F");
}

TEST(ComponentTest, DestroyingStateCoversTheOwnedTreeAndPlainDeleteIsSafe)
{
    auto* owner = new TComponent(nullptr);
    auto* child = new TComponent(owner);
    auto* grandchild = new TComponent(child);
    (void)grandchild;
    delete owner;  // no BeforeDestruction: the destructor releases the same links

    TWeakRef<TComponent> weak;
    {
        TOwned<TComponent> root(Create<TComponent>(nullptr));
        weak = TWeakRef<TComponent>(Create<TComponent>(root.get()));
        EXPECT_TRUE(weak.Alive());
    }
    EXPECT_FALSE(weak.Alive());
}

TEST(ListTest, IndexCheckedListsAndOwningObjectList)
{
    TList<Integer> list;
    list.Add(3);
    list.Add(1);
    list.Insert(0, 7);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list[0], 7);
    EXPECT_THROW(list[3], EListError);
    EXPECT_THROW(list.Insert(5, 1), EListError);
    EXPECT_THROW(list.Delete(-1), EListError);
    list.Move(0, 2);
    EXPECT_EQ((std::vector<Integer>(list.begin(), list.end())), (std::vector<Integer>{3, 1, 7}));
    EXPECT_EQ(list.Remove(1), 1);
    EXPECT_EQ(list.IndexOf(1), -1);

    Events.clear();
    {
        TObjectList<TProbe> objects;
        objects.Add(Create<TProbe>(nullptr, "P1"));
        objects.Add(Create<TProbe>(nullptr, "P2"));
        TProbe* p3 = Create<TProbe>(nullptr, "P3");
        objects.Add(p3);
        EXPECT_EQ(objects.Extract(p3), p3);
        p3->Free();
        objects.Delete(0);
    }
    EXPECT_EQ(Events, (std::vector<String>{"before P3", "~P3", "before P1", "~P1", "before P2", "~P2"}));
}

TEST(StreamTest, MemoryStreamReadsWritesAndChecksTransfers)
{
    TMemoryStream s;
    s.WriteLE<Integer>(0x01020304);
    s.WriteLE<Word>(0xBEEF);
    s.WriteLE<Double>(1.5);
    EXPECT_EQ(s.Size(), 14);
    const auto* bytes = static_cast<const Byte*>(s.Memory());
    EXPECT_EQ(bytes[0], 0x04);
    EXPECT_EQ(bytes[3], 0x01);
    EXPECT_EQ(bytes[4], 0xEF);
    s.SetPosition(0);
    EXPECT_EQ(s.ReadLE<Integer>(), 0x01020304);
    EXPECT_EQ(s.ReadLE<Word>(), 0xBEEF);
    EXPECT_EQ(s.ReadLE<Double>(), 1.5);
    EXPECT_THROW(s.ReadLE<Byte>(), EReadError);
    EXPECT_THROW(s.Seek(-1, soBeginning), EStreamError);
    s.Seek(-2, soEnd);
    EXPECT_EQ(s.Position(), 12);
    s.SetSize(4);
    EXPECT_EQ(s.Position(), 4);

    TMemoryStream copy;
    copy.WriteLE<Byte>(9);
    EXPECT_EQ(copy.CopyFrom(s, 0), 4);
    EXPECT_EQ(copy.Size(), 5);
    s.SetPosition(1);
    EXPECT_THROW(copy.CopyFrom(s, 4), EReadError);
    s.Clear();
    EXPECT_EQ(s.Size(), 0);
}

TEST(StreamTest, FileStreamModesAndErrorsNameThePath)
{
    const String path = ::testing::TempDir() + "classes_stream_test.bin";
    {
        TFileStream f(path, fmCreate);
        f.WriteLE<Integer>(42);
        f.WriteBuffer("abcdef", 6);
    }
    {
        TFileStream f(path, fmOpenRead | fmShareDenyNone);
        EXPECT_EQ(f.Size(), 10);
        EXPECT_EQ(f.ReadLE<Integer>(), 42);
        char buf[8] = {};
        EXPECT_EQ(f.Read(buf, 8), 6);
        EXPECT_THROW(f.WriteBuffer("x", 1), EWriteError);
    }
    {
        TFileStream f(path, fmOpenReadWrite);
        f.Seek(0, soEnd);
        f.WriteBuffer("g", 1);
        f.SetSize(3);
        EXPECT_EQ(f.Size(), 3);
    }
    TMemoryStream m;
    m.LoadFromFile(path);
    EXPECT_EQ(m.Size(), 3);
    std::remove(path.c_str());

    const String missing = ::testing::TempDir() + "no_such_dir/none.bin";
    EXPECT_NE(MessageOf<EFOpenError>([&] { TFileStream f(missing, fmOpenRead); }).find(missing), String::npos);
    EXPECT_NE(MessageOf<EFCreateError>([&] { TFileStream f(missing, fmCreate); }).find(missing), String::npos);
    EXPECT_THROW(TFileStream(::testing::TempDir(), fmOpenRead), EFOpenError);
}

TEST(StreamTest, ASafeSaveReplacesWhereALinkPointsOnCommitAndKeepsThePermissions)
{
    namespace fs = std::filesystem;
    TTempFolder folder;
    folder.WriteBytes("real.txt", "old");
    fs::permissions(folder / "real.txt", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(folder / "real.txt", folder / "link.txt");
    {
        TSafeFileStream file(folder / "link.txt");
        file.WriteBuffer("new", 3);
        EXPECT_EQ(folder.ReadBytes("real.txt"), "old");
        file.Commit();
    }
    EXPECT_TRUE(fs::is_symlink(folder.Path() / "link.txt"));
    EXPECT_EQ(folder.ReadBytes("real.txt"), "new");
    EXPECT_EQ(fs::status(folder.Path() / "real.txt").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    {
        TSafeFileStream dropped(folder / "dropped.txt");
        dropped.WriteBuffer("x", 1);
    }
    EXPECT_EQ(FolderNames(folder.Path()), (std::vector<std::string>{"link.txt", "real.txt"}));
    const String directory = folder.Path().string();
    EXPECT_NE(MessageOf<EFCreateError>([&] { TSafeFileStream file(directory); }).find(directory), String::npos);
}

TEST(StreamTest, ResourceStreamReadsCompiledInData)
{
    static const unsigned char data[] = {1, 2, 3};
    RegisterResource("CLASSESTESTRES", data, sizeof data);
    TResourceStream r("classestestres");
    EXPECT_EQ(r.Size(), 3);
    EXPECT_EQ(r.ReadLE<Byte>(), 1);
    EXPECT_THROW(r.WriteLE<Byte>(0), EWriteError);
    EXPECT_THROW(TResourceStream("NOSUCHRESOURCE"), EFOpenError);
}

}  // namespace
