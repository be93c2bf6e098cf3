#pragma once
// The plot's translation table: (source text, replacement) pairs that
// replace the library's built-in English texts before they are shown. The
// newest entry comes first, and with duplicate source texts the newest wins.
//
// The table lists the entries it makes; an entry that goes reports it to the
// plot (kPlotHost.h), then leaves the table that lists it. The table is kept
// in the form stream as a collection and in a text file of "source TAB
// replacement" lines; both hold the entries oldest first, so that reading
// them back (each entry to the front) restores the table's order.

#include <functional>
#include <unordered_map>
#include <utility>
#include <vector>

#include "components/plot/objects/kPlotHost.h"
#include "platform/Classes.h"

class TReader;
class TWriter;
class TkPlotTranslationManager;

class TkPlotTranslationObject : public TPersistent {
    PL_CLASSINFO()
public:
    // Both strings read "Unknown" until set. AOwner: the plot, which hears
    // of the entry's going (none without a plot).
    explicit TkPlotTranslationObject(TkPlotObjectOwner* AOwner);
    // Reports the entry's going, then leaves its table.
    void BeforeDestruction() override;

    const String& OriginalString() const { return FOriginalString; }
    void SetOriginalString(const String& Value);
    const String& ReplacementString() const { return FReplacementString; }
    void SetReplacementString(const String& Value) { FReplacementString = Value; }

private:
    friend class TkPlotTranslationManager;

    TkPlotObjectOwner* FOwner;
    String FOriginalString = "Unknown";
    String FReplacementString = "Unknown";
    TkPlotTranslationManager* FTable = nullptr;  // the table that lists the entry
};

class TkPlotTranslationManager : public TObject {
public:
    // AOwner: the plot, which hears of the entries' going (none without a
    // plot); it is the owner of every entry the table makes.
    explicit TkPlotTranslationManager(TkPlotObjectOwner* AOwner = nullptr);
    // Frees the entries.
    void BeforeDestruction() override;

    // A new entry with both strings "Unknown", at the front of the table.
    TkPlotTranslationObject* CreateObject();
    // CreateObject; the new entry's index (0).
    Integer Add();
    void NotificationInsert(TkPlotTranslationObject* AObject);
    void NotificationRemove(TkPlotTranslationObject* AObject);
    void Clear();
    // Frees the entry at Index (EListError outside 0..Count-1).
    void Delete(Integer Index);
    Integer Count() const { return FList.Count(); }
    // Newest first (EListError outside 0..Count-1).
    TkPlotTranslationObject* GetItem(Integer Index) const;

    // Replacement := the replacement of the newest entry whose source equals
    // Source exactly, else Source itself.
    void FindReplacement(const String& Source, String& Replacement) const;

    // Counts the changes of the table: translated texts may change the size
    // of what the plot lays out.
    Cardinal Version() const { return FVersion; }

    bool DoWriteToStream() const { return Count() != 0; }
    void WriteToStream(TWriter& Writer) const;
    // The table is replaced only when the whole collection was read; on a
    // reader error it stays as it was.
    void ReadFromStream(TReader& Reader);

    // "Error Saving Translation Data - " and the cause on failure. An entry
    // whose source holds a TAB, either of whose strings holds a line break,
    // or whose strings are both blank (a line the reader skips) cannot be
    // stored: the file is then left untouched.
    void SaveToFile(const String& FileName) const;
    // The same text, to a stream.
    void SaveToStream(TStream& Stream) const;
    // "Error Loading Data - " and the cause on failure ("Invalid Format - Tab
    // Deliminator Missing" for a line without TAB); the table is replaced
    // only when the whole file was read. Empty lines and lines of blanks
    // alone are skipped.
    void LoadFromFile(const String& FileName);
    // The same, from the rest of a stream.
    void LoadFromStream(TStream& Stream);

private:
    using TEntryText = std::pair<String, String>;

    void ReplaceTable(const std::vector<TEntryText>& Entries);
    // Takes the entry out of the list, looking from the newest end, where
    // removals mostly are.
    void Unlist(const TkPlotTranslationObject* AObject);
    void LoadLines(const std::function<void(TStrings& Lines)>& Load);
    void SaveLines(const std::function<void(const TStrings& Lines)>& Save) const;
    void IndexChanged()
    {
        FIndexStale = true;
        ++FVersion;
    }
    const std::unordered_map<String, const TkPlotTranslationObject*>& Index() const;
    void CheckStorableInFile() const;

    TkPlotObjectOwner* FOwner;
    // Oldest first, so that a new entry costs no move of the others.
    TList<TkPlotTranslationObject*> FList;
    friend class TkPlotTranslationObject;

    // Source text -> newest entry with that source, rebuilt after a change.
    mutable std::unordered_map<String, const TkPlotTranslationObject*> FIndex;
    mutable bool FIndexStale = true;
    Cardinal FVersion = 0;
};

// Splits the lines of a translation table file into entries, in file
// order; raises Exception("Invalid Format - Tab Deliminator Missing") for a
// line without TAB. The text before the first TAB is the source, all after
// it the replacement.
std::vector<std::pair<String, String>> ParseTranslationLines(const TStrings& Lines);
