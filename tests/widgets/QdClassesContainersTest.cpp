#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "platform/FormStream.h"
#include "platform/SysUtils.h"
#include "support/MessageOf.h"
#include "support/Painted.h"
#include "widgets/QdClasses.h"
#include "widgets/QdSystem.h"

namespace {

TOwned<TQdBitmaps> ThreeBitmaps()
{
    TOwned<TQdBitmaps> list = CreateOwned<TQdBitmaps>();
    list->Add(PatternBitmap(3, 2, 1).get());
    list->Add(PatternBitmap(5, 4, 2).get());
    list->Add(PatternBitmap(1, 7, 3).get());
    return list;
}

std::vector<Byte> StreamBytes(TQdBitmaps& List)
{
    TMemoryStream stream;
    List.SaveToStream(stream);
    const auto* data = static_cast<const Byte*>(stream.Memory());
    return std::vector<Byte>(data, data + stream.Size());
}

void Fill(TMemoryStream& Stream, const std::vector<Byte>& Bytes)
{
    Stream.WriteBuffer(Bytes.data(), static_cast<Int64>(Bytes.size()));
    Stream.SetPosition(0);
}

std::vector<Byte> Header(Cardinal Count)
{
    return {0x62, 0x54, 0x35, 0x00, Byte(Count), Byte(Count >> 8), Byte(Count >> 16), Byte(Count >> 24)};
}

// List must refuse Bytes with an E and keep exactly the bitmaps it held.
template <class E>
void ExpectRefused(TQdBitmaps& List, const std::vector<Byte>& Bytes, bool AsFormData)
{
    const Integer count = List.Count();
    TBitmap* const first = List.Bitmaps(0);
    TMemoryStream stream;
    Fill(stream, Bytes);
    Integer changes = 0;
    List.OnChange = [&](TObject*) { ++changes; };
    if (AsFormData) EXPECT_THROW(List.ReadData(stream), E);
    else EXPECT_THROW(List.LoadFromStream(stream), E);
    List.OnChange = nullptr;
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(List.Count(), count);
    EXPECT_EQ(List.Bitmaps(0), first);
}

}  // namespace

TEST(QdBitmaps, StreamRoundTripFileLoadAppendsFormDataReplaces)
{
    EXPECT_EQ(StreamBytes(*CreateOwned<TQdBitmaps>()), Header(0));
    TOwned<TQdBitmaps> three = ThreeBitmaps();
    const std::vector<Byte> bytes = StreamBytes(*three);
    TMemoryStream stream;
    Fill(stream, bytes);
    TOwned<TQdBitmaps> back = CreateOwned<TQdBitmaps>();
    Integer changes = 0;
    back->OnChange = [&](TObject*) { ++changes; };
    back->LoadFromStream(stream);
    EXPECT_EQ(stream.Position(), stream.Size());
    EXPECT_EQ(changes, 1);
    ASSERT_EQ(back->Count(), 3);
    for (Integer i = 0; i < 3; ++i) EXPECT_TRUE(SamePixels(back->Bitmaps(i), three->Bitmaps(i))) << i;

    const String path = String(::testing::TempDir()) + "qd-bitmaps.bin";
    three->SaveToFile(path);
    back->LoadFromFile(path);
    ASSERT_EQ(back->Count(), 6);
    EXPECT_TRUE(SamePixels(back->Bitmaps(5), three->Bitmaps(2)));
    TMemoryStream formData;
    Fill(formData, bytes);
    back->ReadData(formData);
    ASSERT_EQ(back->Count(), 3);
    EXPECT_TRUE(SamePixels(back->Bitmaps(0), three->Bitmaps(0)));
    std::remove(path.c_str());
    EXPECT_THROW(back->LoadFromFile(path), EFOpenError);
}

TEST(QdBitmaps, BadStreamsRaiseAndLeaveTheListAsItWas)
{
    TOwned<TQdBitmaps> list = CreateOwned<TQdBitmaps>();
    list->Add(PatternBitmap(2, 3, 5).get());
    const std::vector<Byte> good = StreamBytes(*ThreeBitmaps());
    std::vector<Byte> wrong = good, overCount = good, fourDeclared = good, notBmp = good;
    wrong[3] = 1;
    overCount[4] = 200;
    fourDeclared[4] = 4;
    fourDeclared.insert(fourDeclared.end(), 30, 0);
    notBmp[8] = 'X';
    for (bool formData : {false, true}) {
        SCOPED_TRACE(formData ? "form data" : "stream");
        ExpectRefused<Exception>(*list, wrong, formData);
        ExpectRefused<Exception>(*list, {0x62, 0x54}, formData);
        ExpectRefused<EReadError>(*list, {0x62, 0x54, 0x35, 0x00, 1, 0}, formData);
        ExpectRefused<EReadError>(*list, Header(0xFFFFFFFF), formData);
        ExpectRefused<EReadError>(*list, overCount, formData);
        // The last bitmap cut short: the two before it are not kept either.
        ExpectRefused<EInvalidGraphic>(*list, std::vector<Byte>(good.begin(), good.end() - 5), formData);
        ExpectRefused<EInvalidGraphic>(*list, fourDeclared, formData);
        ExpectRefused<EInvalidGraphic>(*list, notBmp, formData);
    }
    TMemoryStream s;
    Fill(s, wrong);
    EXPECT_EQ(MessageOf([&] { list->LoadFromStream(s); }), "Invalid file format");
}

TEST(QdBitmaps, EditsCopyAndReportEachChange)
{
    TOwned<TQdBitmaps> list = CreateOwned<TQdBitmaps>();
    Integer changes = 0;
    list->OnChange = [&](TObject*) { ++changes; };
    TOwned<TBitmap> a = PatternBitmap(2, 2, 1);
    EXPECT_EQ(list->Add(a.get()), 0);
    EXPECT_NE(list->Bitmaps(0), a.get());
    EXPECT_EQ(list->IndexOf(a.get()), -1);  // identity, not content
    list->Insert(0, PatternBitmap(3, 3, 2).get());
    EXPECT_THROW(list->Insert(5, a.get()), EListError);
    list->Exchange(0, 1);
    list->Move(0, 1);
    list->SetBitmap(1, a.get());
    list->Delete(0);
    EXPECT_TRUE(SamePixels(list->Bitmaps(0), a.get()));
    EXPECT_EQ(changes, 6);
    list->Clear();  // its own update, then one more report
    EXPECT_EQ(changes, 8);

    TOwned<TQdBitmaps> three = ThreeBitmaps();
    list->Assign(three.get());
    list->Assign(list.get());
    list->Assign(a.get());  // another class: ignored
    EXPECT_EQ(changes, 9);
    ASSERT_EQ(list->Count(), 3);
    EXPECT_TRUE(SamePixels(list->Bitmaps(1), three->Bitmaps(1)));
    list->Assign(nullptr);
    EXPECT_EQ(list->Count(), 0);
    // Nothing is reported while the list is freed.
    three->OnChange = [](TObject*) { ADD_FAILURE() << "reported while dying"; };
    three.reset();
}

TEST(QdBitmapList, ReportsToLinksThenOnChangeAndStreamsOnlyWhenNotEmpty)
{
    QdSystemInitialization();
    TOwned<TComponent> root = CreateOwned<TComponent>(nullptr);
    root->SetName("Root");
    auto* list = Create<TQdBitmapList>(root.get());
    list->SetName("Images");
    EXPECT_EQ(WriteComponent(root.get()).find("Bitmaps"), String::npos);

    std::vector<String> calls;
    TOwned<TQdChangeLink> link = CreateOwned<TQdChangeLink>();
    link->OnChange = [&](TObject* Sender) { calls.push_back(Sender == list ? "link" : "?"); };
    list->InsertLink(link.get());
    list->OnChange = [&](TObject* Sender) { calls.push_back(Sender == list ? "change" : "?"); };
    list->SetBitmaps(ThreeBitmaps().get());
    EXPECT_EQ(calls, (std::vector<String>{"link", "change"}));
    EXPECT_EQ(list->GetBitmap(-1), nullptr);
    EXPECT_EQ(list->GetBitmap(3), nullptr);

    const String written = WriteComponent(root.get());
    EXPECT_NE(written.find("Bitmaps.Bitmaps = {"), String::npos);
    TOwned<TComponent> copy = CreateOwned<TComponent>(nullptr);
    ReadComponent(written, copy.get());
    auto* read = dynamic_cast<TQdBitmapList*>(copy->FindComponent("Images"));
    ASSERT_NE(read, nullptr);
    ASSERT_EQ(read->Bitmaps()->Count(), 3);
    EXPECT_TRUE(SamePixels(read->GetBitmap(1), list->GetBitmap(1)));
}

TEST(QdIntList, GrowsZeroFillsAndRefusesOutOfRange)
{
    TOwned<TQdIntList> list = CreateOwned<TQdIntList>();
    std::vector<Integer> capacities;
    for (Integer i = 0; i < 13; ++i) {
        list->Add(i);
        if (capacities.empty() || capacities.back() != list->Capacity()) capacities.push_back(list->Capacity());
    }
    EXPECT_EQ(capacities, (std::vector<Integer>{4, 8, 12, 28}));
    list->SetCount(68);
    list->SetCapacity(68);
    list->Add(1);
    EXPECT_EQ(list->Capacity(), 85);

    list->Delete(1);
    EXPECT_EQ(list->Items(1), 2);
    list->SetCount(2);
    list->SetCount(4);  // values cut off do not come back
    EXPECT_EQ(list->Items(3), 0);
    EXPECT_EQ(MessageOf([&] { list->Items(4); }), "TQdIntList index out of bounds");
    EXPECT_EQ(MessageOf([&] { list->Delete(-1); }), "TQdIntList index out of bounds");
    EXPECT_EQ(MessageOf([&] { list->SetCapacity(3); }), "TQdIntList Capacity overrun");
    EXPECT_EQ(MessageOf([&] { list->SetCapacity(TQdIntList::MaxCapacity + 1); }), "TQdIntList Capacity overrun");
    EXPECT_EQ(MessageOf([&] { list->SetCount(-1); }), "TQdIntList Count overrun");
    EXPECT_EQ(list->Count(), 4);
    EXPECT_EQ(list->Capacity(), 85);
    list->Clear();
    EXPECT_EQ(list->Capacity(), 0);
}

namespace {

class TLoggedCollection : public TQdCollection {
public:
    std::vector<TQdCollectionItem*> Updates;

protected:
    void Update(TQdCollectionItem* Item) override { Updates.push_back(Item); }
};

class TLoggedItem : public TQdCollectionItem {
public:
    TLoggedItem(TQdCollection* Collection, std::vector<Integer>* Freed, Integer Id)
        : TQdCollectionItem(Collection), FFreed(Freed), FId(Id)
    {
    }
    ~TLoggedItem() override { FFreed->push_back(FId); }
    using TQdCollectionItem::Changed;

private:
    std::vector<Integer>* FFreed;
    Integer FId;
};

}  // namespace

TEST(QdCollection, ItemsKnowTheirCurrentPlaceAndReportThroughTheCollection)
{
    std::vector<Integer> freed;
    auto* collection = Create<TLoggedCollection>();
    auto* a = Create<TLoggedItem>(collection, &freed, 0);
    auto* b = Create<TLoggedItem>(collection, &freed, 1);
    auto* c = Create<TLoggedItem>(collection, &freed, 2);
    a->Free();
    EXPECT_EQ(b->Index(), 0);
    EXPECT_EQ(c->Index(), 1);
    c->Changed(false);
    b->Changed(true);
    collection->BeginUpdate();
    c->Changed(false);
    collection->EndUpdate();
    collection->EndUpdate();  // unmatched: does not silence the collection
    c->Changed(false);
    EXPECT_EQ(collection->Updates, (std::vector<TQdCollectionItem*>{c, nullptr, nullptr, nullptr, c}));

    auto* other = Create<TLoggedCollection>();
    b->SetCollection(other);
    EXPECT_EQ(c->Index(), 0);
    b->SetCollection(nullptr);
    EXPECT_EQ(b->Index(), -1);
    b->Free();
    for (Integer id = 3; id < 5; ++id) Create<TLoggedItem>(collection, &freed, id);
    collection->Clear();  // last first, one report
    EXPECT_EQ(freed, (std::vector<Integer>{0, 1, 4, 3, 2}));
    EXPECT_EQ(collection->Updates.size(), 6u);

    Create<TLoggedItem>(other, &freed, 5);
    other->Free();  // frees its items without reporting
    EXPECT_EQ(freed.back(), 5);
    collection->Free();
}
