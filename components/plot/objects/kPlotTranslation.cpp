#include "components/plot/objects/kPlotTranslation.h"

#include "components/plot/objects/kPlotHostServices.h"
#include "platform/FormStream.h"

// ===========================================================================
// TkPlotTranslationObject
// ===========================================================================

TClass TkPlotTranslationObject::StaticClassInfo()
{
    using C = TkPlotTranslationObject;
    static const TClassInfo info =
        TClassBuilder<C, TPersistent>("TkPlotTranslationObject")
            .String("OriginalString", &C::OriginalString, &C::SetOriginalString)
            .String("ReplacementString", &C::ReplacementString, &C::SetReplacementString)
            .Build();
    return &info;
}

TkPlotTranslationObject::TkPlotTranslationObject(TkPlotObjectOwner* AOwner) : FOwner(AOwner) {}

void TkPlotTranslationObject::BeforeDestruction()
{
    if (TkPlotReportHost* reports = FOwner ? FOwner->Host().Reports : nullptr) reports->Removed(*this);
    if (FTable) FTable->NotificationRemove(this);
    TPersistent::BeforeDestruction();
}

void TkPlotTranslationObject::SetOriginalString(const String& Value)
{
    if (Value == FOriginalString) return;
    FOriginalString = Value;
    if (FTable) FTable->IndexChanged();
}

// ===========================================================================
// TkPlotTranslationManager
// ===========================================================================

namespace {

constexpr const char* kLoadPrefix = "Error Loading Data - ";
constexpr const char* kSavePrefix = "Error Saving Translation Data - ";

bool HasLineBreak(const String& Text) { return Text.find_first_of("\r\n") != String::npos; }

bool IsBlankLine(std::string_view Line) { return TrimView(Line).empty(); }

// A line the file holds and reads back as the same entry.
bool StorableInFile(const TkPlotTranslationObject& Entry)
{
    const String& original = Entry.OriginalString();
    return original.find('\t') == String::npos && !HasLineBreak(original) &&
           !HasLineBreak(Entry.ReplacementString()) && !IsBlankLine(original + '\t' + Entry.ReplacementString());
}

}  // namespace

TkPlotTranslationManager::TkPlotTranslationManager(TkPlotObjectOwner* AOwner) : FOwner(AOwner) {}

void TkPlotTranslationManager::BeforeDestruction()
{
    Clear();
    TObject::BeforeDestruction();
}

TkPlotTranslationObject* TkPlotTranslationManager::CreateObject()
{
    auto* entry = Create<TkPlotTranslationObject>(FOwner);
    NotificationInsert(entry);
    return entry;
}

Integer TkPlotTranslationManager::Add()
{
    CreateObject();
    return 0;
}

TkPlotTranslationObject* TkPlotTranslationManager::GetItem(Integer Index) const
{
    if (Index < 0 || Index >= Count()) RaiseListIndexError(Index);
    return FList[Count() - 1 - Index];
}

void TkPlotTranslationManager::NotificationInsert(TkPlotTranslationObject* AObject)
{
    if (!AObject || AObject->FTable == this) return;
    FList.Add(AObject);
    AObject->FTable = this;
    IndexChanged();
}

void TkPlotTranslationManager::NotificationRemove(TkPlotTranslationObject* AObject)
{
    if (!AObject || AObject->FTable != this) return;
    Unlist(AObject);
    AObject->FTable = nullptr;
    IndexChanged();
}

void TkPlotTranslationManager::Clear()
{
    // Each entry leaves the list as it goes; a handler may
    // free other entries meanwhile, so the walk goes over a snapshot and
    // skips what is gone.
    // Newest first: each removal then finds its entry at the end of the list.
    const std::vector<TWeakRef<TkPlotTranslationObject>> snapshot(FList.begin(), FList.end());
    for (auto ref = snapshot.rbegin(); ref != snapshot.rend(); ++ref) {
        TkPlotTranslationObject* entry = ref->Get();
        if (entry && entry->FTable == this) entry->Free();
    }
    IndexChanged();
}

void TkPlotTranslationManager::Delete(Integer Index)
{
    // The entry leaves the table as it goes.
    GetItem(Index)->Free();
    IndexChanged();
}

const std::unordered_map<String, const TkPlotTranslationObject*>& TkPlotTranslationManager::Index() const
{
    if (FIndexStale) {
        FIndex.clear();
        // Oldest first, so that the newest entry of a source text stays.
        for (const TkPlotTranslationObject* entry : FList) FIndex[entry->OriginalString()] = entry;
        FIndexStale = false;
    }
    return FIndex;
}

void TkPlotTranslationManager::FindReplacement(const String& Source, String& Replacement) const
{
    const auto& index = Index();
    const auto found = index.find(Source);
    Replacement = found == index.end() ? Source : found->second->ReplacementString();
}

void TkPlotTranslationManager::ReplaceTable(const std::vector<TEntryText>& Entries)
{
    Clear();
    for (const auto& [original, replacement] : Entries) {
        TkPlotTranslationObject* entry = CreateObject();
        entry->SetOriginalString(original);
        entry->SetReplacementString(replacement);
    }
}

void TkPlotTranslationManager::Unlist(const TkPlotTranslationObject* AObject)
{
    for (Integer i = Count() - 1; i >= 0; --i) {
        if (FList[i] != AObject) continue;
        FList.Delete(i);
        return;
    }
}

// --- form stream -------------------------------------------------------------

void TkPlotTranslationManager::WriteToStream(TWriter& Writer) const
{
    Writer.WriteValue(vaCollection);
    for (TkPlotTranslationObject* entry : FList) {
        Writer.WriteListBegin();
        Writer.WriteProperties(entry);
        Writer.WriteListEnd();
    }
    Writer.WriteListEnd();
}

void TkPlotTranslationManager::ReadFromStream(TReader& Reader)
{
    if (Reader.NextValue() != vaCollection) return Reader.SkipValue();
    Reader.ReadValue();
    // Items are read into a free-standing entry first: the table changes
    // only once the whole collection has been read.
    TOwned<TkPlotTranslationObject> item(Create<TkPlotTranslationObject>(nullptr));
    std::vector<TEntryText> entries;
    while (!Reader.EndOfList()) {
        item->FOriginalString = item->FReplacementString = "Unknown";
        Reader.ReadListBegin();
        while (!Reader.EndOfList()) Reader.ReadProperty(item.get());
        Reader.ReadListEnd();
        entries.emplace_back(item->FOriginalString, item->FReplacementString);
    }
    Reader.ReadListEnd();
    ReplaceTable(entries);
}

// --- file ----------------------------------------------------------------------

std::vector<std::pair<String, String>> ParseTranslationLines(const TStrings& Lines)
{
    std::vector<std::pair<String, String>> entries;
    entries.reserve(static_cast<std::size_t>(Lines.Count()));
    for (Integer i = 0; i < Lines.Count(); ++i) {
        const String line = Lines.Strings(i);
        // Blank lines are no entries, as in every other file the plot reads.
        if (IsBlankLine(line)) continue;
        const std::size_t tab = line.find('\t');
        if (tab == String::npos) throw Exception("Invalid Format - Tab Deliminator Missing");
        entries.emplace_back(line.substr(0, tab), line.substr(tab + 1));
    }
    return entries;
}

void TkPlotTranslationManager::LoadLines(const std::function<void(TStrings& Lines)>& Load)
{
    try {
        TStringList lines;
        Load(lines);
        ReplaceTable(ParseTranslationLines(lines));
    } catch (const Exception& e) {
        throw Exception(kLoadPrefix + e.Message());
    }
}

void TkPlotTranslationManager::LoadFromFile(const String& FileName)
{
    LoadLines([&](TStrings& Lines) { Lines.LoadFromFile(FileName); });
}

void TkPlotTranslationManager::LoadFromStream(TStream& Stream)
{
    LoadLines([&](TStrings& Lines) { Lines.LoadFromStream(Stream); });
}

void TkPlotTranslationManager::CheckStorableInFile() const
{
    for (Integer i = 0; i < Count(); ++i) {
        const TkPlotTranslationObject* entry = GetItem(i);
        if (!StorableInFile(*entry))
            throw Exception("Translation " + IntToStr(i) + " (" + QuotedStr(TextExcerpt(entry->OriginalString())) +
                            ") holds a tab in its original text or a line break, or only blanks, which the file "
                            "cannot store");
    }
}

void TkPlotTranslationManager::SaveLines(const std::function<void(const TStrings& Lines)>& Save) const
{
    try {
        CheckStorableInFile();
        TStringList lines;
        for (const TkPlotTranslationObject* entry : FList)
            lines.Add(entry->OriginalString() + '\t' + entry->ReplacementString());
        Save(lines);
    } catch (const Exception& e) {
        throw Exception(kSavePrefix + e.Message());
    }
}

void TkPlotTranslationManager::SaveToFile(const String& FileName) const
{
    SaveLines([&](const TStrings& Lines) { Lines.SaveToFile(FileName); });
}

void TkPlotTranslationManager::SaveToStream(TStream& Stream) const
{
    SaveLines([&](const TStrings& Lines) { Lines.SaveToStream(Stream); });
}
