#include <numeric>

#include "platform/Classes.h"
#include "platform/Consts.h"
#include "platform/FormStream.h"
#include "TextLines.h"

// --- TStrings --------------------------------------------------------------

TClass TStrings::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TStrings, TPersistent>("TStrings").Build();
    return &info;
}

void TStrings::Error(Integer Index) const
{
    throw EStringListError(Format(SListIndexError, Index));
}

void TStrings::SetStrings(Integer Index, const String& S)
{
    TObject* object = Objects(Index);
    WithinUpdate(*this, [&] {
        Delete(Index);
        InsertObject(Index, S, object);
    });
}

TObject* TStrings::Objects(Integer Index) const
{
    if (Index < 0 || Index >= Count()) Error(Index);
    return nullptr;
}

void TStrings::SetObjects(Integer, TObject*) {}

void TStrings::InsertObject(Integer Index, const String& S, TObject* AObject)
{
    Insert(Index, S);
    SetObjects(Index, AObject);
}

Integer TStrings::AddObject(const String& S, TObject* AObject)
{
    const Integer index = Count();
    InsertObject(index, S, AObject);
    return index;
}

void TStrings::AddStrings(const TStrings& Strings)
{
    WithinUpdate(*this, [&] {
        for (Integer i = 0; i < Strings.Count(); ++i) AddObject(Strings.Strings(i), Strings.Objects(i));
    });
}

void TStrings::Exchange(Integer Index1, Integer Index2)
{
    const String s1 = Strings(Index1);
    TObject* o1 = Objects(Index1);
    WithinUpdate(*this, [&] {
        SetStrings(Index1, Strings(Index2));
        SetObjects(Index1, Objects(Index2));
        SetStrings(Index2, s1);
        SetObjects(Index2, o1);
    });
}

void TStrings::DeleteRange(Integer Index, Integer Count)
{
    if (Count <= 0) return;
    if (Index < 0 || Index > this->Count() - Count) Error(Index < 0 ? Index : Index + Count - 1);
    WithinUpdate(*this, [&] {
        for (Integer i = Index + Count - 1; i >= Index; --i) Delete(i);
    });
}

void TStrings::Move(Integer CurIndex, Integer NewIndex)
{
    if (CurIndex == NewIndex) return;
    if (NewIndex < 0 || NewIndex >= Count()) Error(NewIndex);
    const String s = Strings(CurIndex);
    TObject* object = Objects(CurIndex);
    WithinUpdate(*this, [&] {
        Delete(CurIndex);
        InsertObject(NewIndex, s, object);
    });
}

Integer TStrings::CompareStrings(const String& S1, const String& S2) const { return AnsiCompareText(S1, S2); }

Integer TStrings::IndexOf(const String& S) const
{
    for (Integer i = 0; i < Count(); ++i)
        if (CompareStrings(Strings(i), S) == 0) return i;
    return -1;
}

Integer TStrings::IndexOfName(const String& Name) const
{
    for (Integer i = 0; i < Count(); ++i) {
        const String s = Strings(i);
        const std::size_t sep = s.find(FNameValueSeparator);
        if (sep != String::npos && CompareStrings(s.substr(0, sep), Name) == 0) return i;
    }
    return -1;
}

Integer TStrings::IndexOfObject(const TObject* AObject) const
{
    for (Integer i = 0; i < Count(); ++i)
        if (Objects(i) == AObject) return i;
    return -1;
}

String TStrings::Names(Integer Index) const
{
    const String s = Strings(Index);
    const std::size_t sep = s.find(FNameValueSeparator);
    return sep == String::npos ? String() : s.substr(0, sep);
}

String TStrings::ValueFromIndex(Integer Index) const
{
    const String s = Strings(Index);
    const std::size_t sep = s.find(FNameValueSeparator);
    return sep == String::npos ? String() : s.substr(sep + 1);
}

String TStrings::Values(const String& Name) const
{
    const Integer i = IndexOfName(Name);
    return i < 0 ? String() : ValueFromIndex(i);
}

void TStrings::SetValues(const String& Name, const String& Value)
{
    const Integer i = IndexOfName(Name);
    if (Value.empty()) {
        if (i >= 0) Delete(i);
        return;
    }
    const String line = Name + FNameValueSeparator + Value;
    if (i < 0) Add(line);
    else SetStrings(i, line);
}

String TStrings::Text() const
{
    String result;
    for (Integer i = 0; i < Count(); ++i) {
        result += Strings(i);
        result += "\r\n";
    }
    return result;
}

std::vector<String> TStrings::SplitLines(const String& Value)
{
    std::vector<String> lines;
    ForEachLine(Value, [&](std::string_view Line) { lines.emplace_back(Line); });
    return lines;
}

void TStrings::SetLines(const std::vector<String>& Lines)
{
    WithinUpdate(*this, [&] {
        Clear();
        for (const String& line : Lines) Add(line);
    });
}

void TStrings::SetText(const String& Value) { SetLines(SplitLines(Value)); }

String TStrings::DelimitedText() const
{
    auto needsQuotes = [this](const String& s) {
        if (s.empty()) return true;
        for (char c : s) {
            const auto u = static_cast<unsigned char>(c);
            if (c == FQuoteChar || c == FDelimiter || (!FStrictDelimiter && u <= ' ')) return true;
        }
        return false;
    };
    String result;
    for (Integer i = 0; i < Count(); ++i) {
        const String s = Strings(i);
        if (i > 0) result += FDelimiter;
        result += needsQuotes(s) ? AnsiQuotedStr(s, FQuoteChar) : s;
    }
    return result;
}

void TStrings::SetDelimitedText(const String& Value)
{
    const std::size_t n = Value.size();
    std::size_t p = 0;
    auto blank = [&](std::size_t i) {
        return !FStrictDelimiter && i < n && static_cast<unsigned char>(Value[i]) <= ' ';
    };
    auto skipBlanks = [&] {
        while (blank(p)) ++p;
    };
    std::vector<String> items;
    skipBlanks();
    while (p < n) {
        String item;
        if (Value[p] == FQuoteChar) {
            ++p;
            while (p < n) {
                if (Value[p] == FQuoteChar) {
                    if (p + 1 < n && Value[p + 1] == FQuoteChar) {
                        item += FQuoteChar;
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                item += Value[p++];
            }
        }
        while (p < n && Value[p] != FDelimiter && !blank(p)) item += Value[p++];
        items.push_back(std::move(item));
        skipBlanks();
        if (p < n && Value[p] == FDelimiter) {
            ++p;
            skipBlanks();
            if (p >= n) items.emplace_back();
        }
    }
    SetLines(items);
}

namespace {

// Runs Body with the comma text's settings on List (',' between items, '"'
// round them, blanks separate too); List's own settings come back
// afterwards, also when Body raises.
template <class F>
decltype(auto) WithCommaSettings(TStrings& List, F&& Body)
{
    const TScopeExit restore(
        [&List, delimiter = List.Delimiter(), quote = List.QuoteChar(), strict = List.StrictDelimiter()] {
            List.SetDelimiter(delimiter);
            List.SetQuoteChar(quote);
            List.SetStrictDelimiter(strict);
        });
    List.SetDelimiter(',');
    List.SetQuoteChar('"');
    List.SetStrictDelimiter(false);
    return Body();
}

}  // namespace

String TStrings::CommaText() const
{
    return WithCommaSettings(const_cast<TStrings&>(*this), [this] { return DelimitedText(); });
}

void TStrings::SetCommaText(const String& Value)
{
    WithCommaSettings(*this, [this, &Value] { SetDelimitedText(Value); });
}

void TStrings::BeginUpdate()
{
    if (FUpdateCount == 0) SetUpdateState(true);
    ++FUpdateCount;
}

void TStrings::EndUpdate()
{
    if (FUpdateCount == 0) return;
    --FUpdateCount;
    if (FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::SetUpdateState(bool) {}

void TStrings::LoadFromFile(const String& FileName)
{
    TFileStream file(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}


void TStrings::LoadFromStream(TStream& Stream)
{
    const Int64 size = Stream.Size() - Stream.Position();
    String bytes(static_cast<std::size_t>(std::max<Int64>(size, 0)), '\0');
    Stream.ReadBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
    SetText(DecodeTextFile(std::move(bytes)));
}

void TStrings::SaveToFile(const String& FileName) const
{
    TSafeFileStream file(FileName);
    SaveToStream(file);
    file.Commit();
}

void TStrings::SaveToStream(TStream& Stream) const
{
    const RawByteString bytes = EncodeTextFile(Text());
    Stream.WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
}

void TStrings::Assign(TPersistent* Source)
{
    auto* source = dynamic_cast<TStrings*>(Source);
    if (!source) {
        TPersistent::Assign(Source);
        return;
    }
    if (source == this) return;
    WithinUpdate(*this, [&] {
        Clear();
        FNameValueSeparator = source->FNameValueSeparator;
        FDelimiter = source->FDelimiter;
        FQuoteChar = source->FQuoteChar;
        FStrictDelimiter = source->FStrictDelimiter;
        AddStrings(*source);
    });
}

void TStrings::DefineProperties(TFiler& Filer)
{
    Filer.DefineProperty(
        "Strings", [this](TReader& r) { ReadData(r); }, [this](TWriter& w) { WriteData(w); }, Count() > 0);
}

void TStrings::ReadData(TReader& Reader)
{
    Reader.ReadListBegin();
    std::vector<String> lines;
    while (!Reader.EndOfList()) lines.push_back(Reader.ReadString());
    Reader.ReadListEnd();
    SetLines(lines);
}

void TStrings::WriteData(TWriter& Writer) const
{
    Writer.WriteListBegin();
    for (Integer i = 0; i < Count(); ++i) Writer.WriteString(Strings(i));
    Writer.WriteListEnd();
}

bool TStrings::Equals(const TStrings& Other) const
{
    if (Count() != Other.Count()) return false;
    for (Integer i = 0; i < Count(); ++i)
        if (Strings(i) != Other.Strings(i)) return false;
    return true;
}

// --- TStringList -----------------------------------------------------------

TClass TStringList::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TStringList, TStrings>("TStringList").Build();
    return &info;
}

TStringList::~TStringList()
{
    OnChange = nullptr;
    OnChanging = nullptr;
    if (FOwnsObjects)
        for (TItem& item : FItems) ::Free(item.Object);
}

void TStringList::Check(Integer Index) const
{
    if (Index < 0 || Index >= Count()) Error(Index);
}

void TStringList::Changed()
{
    if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::Changing()
{
    if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::SetUpdateState(bool Updating)
{
    if (Updating) Changing();
    else Changed();
}

Integer TStringList::CompareStrings(const String& S1, const String& S2) const
{
    return FCaseSensitive ? AnsiCompareStr(S1, S2) : AnsiCompareText(S1, S2);
}

String TStringList::Strings(Integer Index) const
{
    Check(Index);
    return FItems[static_cast<std::size_t>(Index)].Text;
}

namespace {

[[noreturn]] void RaiseSortedListError()
{
    throw EStringListError(SSortedListError);
}

}  // namespace

void TStringList::SetStrings(Integer Index, const String& S)
{
    if (FSorted) RaiseSortedListError();
    Check(Index);
    Changing();
    FItems[static_cast<std::size_t>(Index)].Text = S;
    Changed();
}

TObject* TStringList::Objects(Integer Index) const
{
    Check(Index);
    return FItems[static_cast<std::size_t>(Index)].Object;
}

void TStringList::SetObjects(Integer Index, TObject* AObject)
{
    Check(Index);
    Changing();
    FItems[static_cast<std::size_t>(Index)].Object = AObject;
    Changed();
}

void TStringList::Insert(Integer Index, const String& S) { InsertObject(Index, S, nullptr); }

void TStringList::InsertObject(Integer Index, const String& S, TObject* AObject)
{
    if (FSorted) RaiseSortedListError();
    if (Index < 0 || Index > Count()) Error(Index);
    InsertItem(Index, S, AObject);
}

void TStringList::InsertItem(Integer Index, const String& S, TObject* AObject)
{
    Changing();
    FItems.insert(FItems.begin() + Index, TItem{S, AObject});
    Changed();
}

void TStringList::Delete(Integer Index)
{
    Check(Index);
    Changing();
    TObject* object = FItems[static_cast<std::size_t>(Index)].Object;
    FItems.erase(FItems.begin() + Index);
    if (FOwnsObjects) ::Free(object);
    Changed();
}

void TStringList::DeleteRange(Integer Index, Integer Count)
{
    if (Count <= 0) return;
    if (Index < 0 || Index > this->Count() - Count) Error(Index < 0 ? Index : Index + Count - 1);
    Changing();
    const auto first = FItems.begin() + Index;
    std::vector<TItem> removed(std::make_move_iterator(first), std::make_move_iterator(first + Count));
    FItems.erase(first, first + Count);
    if (FOwnsObjects)
        for (TItem& item : removed) ::Free(item.Object);
    Changed();
}

void TStringList::Clear()
{
    if (FItems.empty()) return;
    Changing();
    std::vector<TItem> items;
    items.swap(FItems);
    if (FOwnsObjects)
        for (TItem& item : items) ::Free(item.Object);
    Changed();
}

Integer TStringList::AddObject(const String& S, TObject* AObject)
{
    Integer index = Count();
    if (FSorted && Find(S, index)) {
        if (FDuplicates == dupIgnore) return index;
        if (FDuplicates == dupError) throw EStringListError(SDuplicateString);
    }
    InsertItem(index, S, AObject);
    return index;
}

void TStringList::Exchange(Integer Index1, Integer Index2)
{
    Check(Index1);
    Check(Index2);
    Changing();
    std::swap(FItems[static_cast<std::size_t>(Index1)], FItems[static_cast<std::size_t>(Index2)]);
    Changed();
}

Integer TStringList::IndexOf(const String& S) const
{
    if (!FSorted) return TStrings::IndexOf(S);
    Integer index = 0;
    return Find(S, index) ? index : -1;
}

bool TStringList::Find(const String& S, Integer& Index) const
{
    Integer lo = 0, hi = Count();
    while (lo < hi) {
        const Integer mid = lo + (hi - lo) / 2;
        if (CompareStrings(FItems[static_cast<std::size_t>(mid)].Text, S) < 0) lo = mid + 1;
        else hi = mid;
    }
    Index = lo;
    return lo < Count() && CompareStrings(FItems[static_cast<std::size_t>(lo)].Text, S) == 0;
}

void TStringList::Sort()
{
    CustomSort([](TStringList& list, Integer a, Integer b) {
        return list.CompareStrings(list.FItems[static_cast<std::size_t>(a)].Text,
                                   list.FItems[static_cast<std::size_t>(b)].Text);
    });
}

void TStringList::CustomSort(const TStringListSortCompare& Compare)
{
    // A sorted list keeps its own order.
    if (FSorted || Count() < 2) return;
    // Sort a permutation so that Compare sees the list unchanged, then
    // apply it; equal items keep their order.
    std::vector<Integer> order(FItems.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](Integer a, Integer b) { return Compare(*this, a, b) < 0; });
    Changing();
    std::vector<TItem> sorted;
    sorted.reserve(FItems.size());
    for (Integer i : order) sorted.push_back(std::move(FItems[static_cast<std::size_t>(i)]));
    FItems.swap(sorted);
    Changed();
}

void TStringList::SetSorted(bool Value)
{
    if (Value == FSorted) return;
    if (Value) Sort();
    FSorted = Value;
}

void TStringList::SetCaseSensitive(bool Value)
{
    if (Value == FCaseSensitive) return;
    FCaseSensitive = Value;
    if (!FSorted) return;
    FSorted = false;
    Sort();
    FSorted = true;
}
