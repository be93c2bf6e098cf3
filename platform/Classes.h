#pragma once
// Persistent objects, components, lists, string lists, streams and the
// class registry.

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <functional>
#include <span>
#include <vector>

#include "platform/SysUtils.h"
#include "platform/TypInfo.h"

class TFiler;   // platform/FormStream.h
class TReader;
class TWriter;

// ---------------------------------------------------------------------------
// TPersistent
// ---------------------------------------------------------------------------

class TPersistent : public TObject {
    PL_CLASSINFO()
public:
    // Copies Source's state into this object; raises EConvertError when
    // neither side knows how.
    virtual void Assign(TPersistent* Source);
    // Declares the stream properties that are not published properties.
    virtual void DefineProperties(TFiler& Filer);
    // Dotted path used in messages ("Form1.Button1.Font").
    virtual String GetNamePath() const;

protected:
    virtual void AssignTo(TPersistent* Dest);
};

// ---------------------------------------------------------------------------
// TComponent
// ---------------------------------------------------------------------------

enum TComponentStateItem { csLoading, csReading, csWriting, csDestroying, csDesigning };
using TComponentState = TSet<TComponentStateItem>;

enum TOperation { opInsert, opRemove };

using TGetChildProc = std::function<void(class TComponent* Child)>;

// A named object that may own others. The owner frees what it owns, last
// first, and tells its owned components about insertions and removals.
//
// Life cycle (two-phase, see Create<T>):
//  - the constructor links the component into AOwner's list (fields only);
//  - AfterConstruction sends opInsert to the owner's tree;
//  - BeforeDestruction marks the owned tree csDestroying, tells the
//    free-notification subscribers, frees the owned components last first
//    and leaves the owner, all while every object is still whole.
// Overrides of AfterConstruction and BeforeDestruction call the inherited
// version first.
class TComponent : public TPersistent {
    PL_CLASSINFO()
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;

    void AfterConstruction() override;
    void BeforeDestruction() override;

    TComponent* Owner() const { return FOwner; }
    Integer ComponentCount() const { return static_cast<Integer>(FComponents.size()); }
    // Raises EListError outside 0..ComponentCount-1.
    TComponent* Components(Integer Index) const;
    // Position in the owner's list, -1 without owner.
    Integer ComponentIndex() const;
    // Owned component by name, ignoring case; nullptr when none.
    TComponent* FindComponent(const String& AName) const;

    const String& Name() const { return FName; }
    // Raises EComponentError for a name that is not an identifier or that a
    // sibling already has (ignoring case). An empty name is allowed.
    virtual void SetName(const String& NewName);
    Integer Tag() const { return FTag; }
    void SetTag(Integer Value) { FTag = Value; }
    TComponentState ComponentState() const { return FComponentState; }

    void InsertComponent(TComponent* AComponent);
    void RemoveComponent(TComponent* AComponent);
    // Frees every owned component, last first.
    void DestroyComponents();

    // AComponent hears opRemove when this component is freed (and the
    // reverse), even across owners.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

    // After the whole form data is read; clears csLoading.
    virtual void Loaded();
    // AComponent is inserted or removed in this component's tree; the
    // default forgets a removed free-notification partner and forwards the
    // notice to every owned component.
    virtual void Notification(TComponent* AComponent, TOperation Operation);

    // Streaming: the components written inside this one when Root is
    // written. The default, for the root only, gives the owned components
    // that have no parent.
    virtual void GetChildren(const TGetChildProc& Proc, TComponent* Root);
    // The enclosing object of the form data (a control's parent).
    virtual void SetParentComponent(TComponent* Value);
    virtual TComponent* GetParentComponent() const;
    virtual bool HasParent() const;

    String GetNamePath() const override;

protected:
    // Sets or clears a state flag (the reader's csLoading/csReading, the
    // writer's csWriting).
    void SetComponentStateFlag(TComponentStateItem Item, bool On);
    // The root's published field named Name points to this component (or
    // to nothing); raises EInvalidCast when the field's class differs.
    void SetReference(bool Enable);

private:
    friend class TReader;
    friend class TWriter;

    void MarkDestroying();
    // Idempotent: subscribers told, owned freed, owner left.
    void ReleaseLinks();
    void Insert(TComponent* AComponent);
    void Remove(TComponent* AComponent);
    void ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName) const;

    TComponent* FOwner = nullptr;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
    String FName;
    Integer FTag = 0;
    TComponentState FComponentState;
    bool FLinksReleased = false;
};

// True for a non-empty ASCII identifier (letter or '_', then letters,
// digits or '_').
bool IsValidIdent(const String& Ident);

// ---------------------------------------------------------------------------
// Class registry (classes that form data may name).
// ---------------------------------------------------------------------------

void RegisterClass(TClass AClass);
void RegisterClasses(std::initializer_list<TClass> Classes);
void UnRegisterClass(TClass AClass);
// Raises EClassNotFound.
TClass FindClass(const String& ClassName);
// nullptr when not registered.
TClass GetClass(const String& ClassName);

// ---------------------------------------------------------------------------
// Lists
// ---------------------------------------------------------------------------

[[noreturn]] void RaiseListIndexError(Integer Index);

// An index-checked list of values (pointers in practice).
template <class T>
class TList : public TObject {
public:
    Integer Count() const { return static_cast<Integer>(FItems.size()); }
    const T& Items(Integer Index) const { return FItems[Check(Index)]; }
    T& Items(Integer Index) { return FItems[Check(Index)]; }
    const T& operator[](Integer Index) const { return Items(Index); }
    T& operator[](Integer Index) { return Items(Index); }
    void SetItem(Integer Index, T Item) { FItems[Check(Index)] = std::move(Item); }
    const T& First() const { return Items(0); }
    const T& Last() const { return Items(Count() - 1); }

    Integer Add(T Item)
    {
        FItems.push_back(std::move(Item));
        return Count() - 1;
    }
    void Insert(Integer Index, T Item)
    {
        if (Index < 0 || Index > Count()) RaiseListIndexError(Index);
        FItems.insert(FItems.begin() + Index, std::move(Item));
    }
    void Delete(Integer Index) { FItems.erase(FItems.begin() + Check(Index)); }
    // Index of the removed item, -1 when absent.
    Integer Remove(const T& Item)
    {
        const Integer i = IndexOf(Item);
        if (i >= 0) Delete(i);
        return i;
    }
    Integer IndexOf(const T& Item) const
    {
        auto it = std::find(FItems.begin(), FItems.end(), Item);
        return it == FItems.end() ? -1 : static_cast<Integer>(it - FItems.begin());
    }
    bool Contains(const T& Item) const { return IndexOf(Item) >= 0; }
    void Exchange(Integer Index1, Integer Index2) { std::swap(FItems[Check(Index1)], FItems[Check(Index2)]); }
    void Move(Integer CurIndex, Integer NewIndex)
    {
        if (CurIndex == NewIndex) return;
        Check(NewIndex);
        T item = std::move(FItems[Check(CurIndex)]);
        FItems.erase(FItems.begin() + CurIndex);
        FItems.insert(FItems.begin() + NewIndex, std::move(item));
    }
    void Clear() { FItems.clear(); }
    // Stable, so equal items keep their order.
    template <class Less>
    void Sort(Less less)
    {
        std::stable_sort(FItems.begin(), FItems.end(), less);
    }

    auto begin() const { return FItems.begin(); }
    auto end() const { return FItems.end(); }

protected:
    Integer Check(Integer Index) const
    {
        if (Index < 0 || Index >= Count()) RaiseListIndexError(Index);
        return Index;
    }
    std::vector<T> FItems;
};

// A list of objects that frees them when OwnsObjects (the default) is set.
template <class T>
class TObjectList : public TList<T*> {
    using Base = TList<T*>;

public:
    explicit TObjectList(bool AOwnsObjects = true) : FOwnsObjects(AOwnsObjects) {}
    ~TObjectList() override { Clear(); }

    bool OwnsObjects() const { return FOwnsObjects; }
    void SetOwnsObjects(bool Value) { FOwnsObjects = Value; }

    void Delete(Integer Index)
    {
        T* item = Base::Items(Index);
        Base::Delete(Index);
        if (FOwnsObjects) ::Free(item);
    }
    Integer Remove(T* Item)
    {
        const Integer i = Base::IndexOf(Item);
        if (i >= 0) Delete(i);
        return i;
    }
    // Takes the item out without freeing it.
    T* Extract(T* Item)
    {
        const Integer i = Base::IndexOf(Item);
        if (i < 0) return nullptr;
        Base::Delete(i);
        return Item;
    }
    // Last first, each item out of the list before it is freed.
    void Clear()
    {
        while (Base::Count() > 0) Delete(Base::Count() - 1);
    }

private:
    bool FOwnsObjects;
};

// ---------------------------------------------------------------------------
// Streams
// ---------------------------------------------------------------------------

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
public:
    // Transfer at most Count bytes; return the count transferred.
    virtual Int64 Read(void* Buffer, Int64 Count) = 0;
    virtual Int64 Write(const void* Buffer, Int64 Count) = 0;
    // The new position.
    virtual Int64 Seek(Int64 Offset, TSeekOrigin Origin) = 0;

    Int64 Position() { return Seek(0, soCurrent); }
    void SetPosition(Int64 Pos) { Seek(Pos, soBeginning); }
    virtual Int64 Size();
    virtual void SetSize(Int64 NewSize);

    // Raise EReadError / EWriteError on a short transfer.
    void ReadBuffer(void* Buffer, Int64 Count);
    void WriteBuffer(const void* Buffer, Int64 Count);
    // Count bytes from Source (the whole of Source from its start when
    // Count is 0); returns the count copied.
    Int64 CopyFrom(TStream& Source, Int64 Count);

    // Little-endian scalars, whatever the host.
    template <class V>
    V ReadLE()
    {
        static_assert(std::is_trivially_copyable_v<V>);
        unsigned char bytes[sizeof(V)];
        ReadBuffer(bytes, sizeof(V));
        return FromLE<V>(bytes);
    }
    template <class V>
    void WriteLE(V Value)
    {
        static_assert(std::is_trivially_copyable_v<V>);
        unsigned char bytes[sizeof(V)];
        ToLE(Value, bytes);
        WriteBuffer(bytes, sizeof(V));
    }

private:
    template <class V>
    static V FromLE(const unsigned char* bytes)
    {
        unsigned char ordered[sizeof(V)];
        for (std::size_t i = 0; i < sizeof(V); ++i) ordered[i] = bytes[LEIndex(i, sizeof(V))];
        V v;
        std::memcpy(&v, ordered, sizeof(V));
        return v;
    }
    template <class V>
    static void ToLE(V v, unsigned char* bytes)
    {
        unsigned char raw[sizeof(V)];
        std::memcpy(raw, &v, sizeof(V));
        for (std::size_t i = 0; i < sizeof(V); ++i) bytes[LEIndex(i, sizeof(V))] = raw[i];
    }
    static std::size_t LEIndex(std::size_t i, std::size_t size);
};

// A stream over a block of memory; TMemoryStream owns and grows it,
// TResourceStream reads a compiled-in file.
class TCustomMemoryStream : public TStream {
public:
    Int64 Read(void* Buffer, Int64 Count) override;
    Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
    Int64 Size() override { return FSize; }
    const void* Memory() const { return FMemory; }
    void SaveToStream(TStream& Stream);
    void SaveToFile(const String& FileName);

protected:
    void SetPointer(const void* Ptr, Int64 Size);
    Int64 FPosition = 0;

private:
    const void* FMemory = nullptr;
    Int64 FSize = 0;
};

class TMemoryStream : public TCustomMemoryStream {
public:
    Int64 Write(const void* Buffer, Int64 Count) override;
    void SetSize(Int64 NewSize) override;
    void* Memory() { return FData.data(); }
    const void* Memory() const { return FData.data(); }
    void Clear();
    void LoadFromStream(TStream& Stream);
    void LoadFromFile(const String& FileName);

private:
    void Sync();
    std::vector<Byte> FData;
};

class TResourceStream : public TCustomMemoryStream {
public:
    // Raises EFOpenError when no resource has that name.
    explicit TResourceStream(const String& ResName);
    // Raises EWriteError: resources are read-only.
    Int64 Write(const void* Buffer, Int64 Count) override;
};

// File open modes; the share flags are accepted and ignored.
enum : Word {
    fmOpenRead = 0x0000,
    fmOpenWrite = 0x0001,
    fmOpenReadWrite = 0x0002,
    fmShareCompat = 0x0000,
    fmShareExclusive = 0x0010,
    fmShareDenyWrite = 0x0020,
    fmShareDenyRead = 0x0030,
    fmShareDenyNone = 0x0040,
    fmCreate = 0xFF00
};

class TFileStream : public TStream {
public:
    // fmCreate creates or truncates (EFCreateError); the open modes need an
    // existing file (EFOpenError). Both messages hold the path. Only a
    // regular file opens: a pipe, a device, a socket or a directory is
    // refused at once, never waited on.
    TFileStream(const String& FileName, Word Mode);
    ~TFileStream() override;

    Int64 Read(void* Buffer, Int64 Count) override;
    Int64 Write(const void* Buffer, Int64 Count) override;
    Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
    void SetSize(Int64 NewSize) override;
    const String& FileName() const { return FFileName; }

protected:
    // Takes over an open Handle; the errors name FileName.
    TFileStream(int Handle, const String& FileName);
    int Handle() const { return FHandle; }

private:
    String FFileName;
    int FHandle = -1;
};

// The new content of a file, written to a temporary file beside it and put
// in its place by Commit in one step. Until then the file keeps its earlier
// content, and a stream freed without Commit (a write that failed, an
// exception on the way) removes the temporary file: a full disk never
// leaves a file cut. A file reached through symbolic links is replaced
// where the last link points, the links staying links (a link to no file
// makes the file); the new file keeps the earlier one's permissions. The
// temporary's name is short whatever the file's is, and a save removes the
// temporaries of the same file that a killed save left behind.
// A file the user may write in a folder that refuses a temporary (a shared
// folder) is written over in place by Commit instead: the free space is
// checked first, and a write that fails all the same puts the earlier
// bytes back.
// Every save that replaces a whole file writes through it.
class TSafeFileStream : public TFileStream {
public:
    // EFCreateError naming FileName when it is a directory, a read-only
    // file or anything but a file, when its links loop, or when no file can
    // be made beside it nor written in place.
    explicit TSafeFileStream(const String& FileName);
    ~TSafeFileStream() override;

    // Puts the data on the disk, then in FileName's place (EWriteError when
    // the disk refuses it, EFCreateError when the file cannot be replaced).
    // Nothing may be written after it.
    void Commit();

private:
    struct TPaths {
        String Target;     // the file replaced, links followed
        String Temporary;  // beside it, open as Handle; empty when in place
        int Handle = -1;
    };
    static TPaths PathsFor(const String& FileName);
    TSafeFileStream(const String& FileName, const TPaths& Paths);
    bool InPlace() const { return FPaths.Temporary.empty(); }
    void CommitInPlace();

    TPaths FPaths;
    bool FCommitted = false;
};

// ---------------------------------------------------------------------------
// String lists
// ---------------------------------------------------------------------------

enum TDuplicates { dupIgnore, dupAccept, dupError };

// An abstract list of strings with objects; controls back it with their
// items. Text in memory is UTF-8.
class TStrings : public TPersistent {
    PL_CLASSINFO()
public:
    virtual Integer Count() const = 0;
    // Raise EStringListError outside 0..Count-1.
    virtual String Strings(Integer Index) const = 0;
    virtual void SetStrings(Integer Index, const String& S);
    virtual TObject* Objects(Integer Index) const;
    virtual void SetObjects(Integer Index, TObject* AObject);
    virtual void Insert(Integer Index, const String& S) = 0;
    virtual void InsertObject(Integer Index, const String& S, TObject* AObject);
    virtual void Delete(Integer Index) = 0;
    // Deletes Count items from Index on (EStringListError when they are not
    // all within 0..Count-1).
    virtual void DeleteRange(Integer Index, Integer Count);
    virtual void Clear() = 0;
    Integer Add(const String& S) { return AddObject(S, nullptr); }
    virtual Integer AddObject(const String& S, TObject* AObject);
    void AddStrings(const TStrings& Strings);
    void Append(const String& S) { Add(S); }
    virtual void Exchange(Integer Index1, Integer Index2);
    virtual void Move(Integer CurIndex, Integer NewIndex);

    // Ignoring case by default (see TStringList::CaseSensitive).
    virtual Integer IndexOf(const String& S) const;
    Integer IndexOfName(const String& Name) const;
    Integer IndexOfObject(const TObject* AObject) const;

    // "Name=Value" entries.
    String Names(Integer Index) const;
    String ValueFromIndex(Integer Index) const;
    String Values(const String& Name) const;
    // An empty value deletes the entry.
    void SetValues(const String& Name, const String& Value);
    char NameValueSeparator() const { return FNameValueSeparator; }
    void SetNameValueSeparator(char C) { FNameValueSeparator = C; }

    // Lines joined by CR LF, each line ended by it; setting splits at CR LF,
    // CR and LF (a last line without break counts, an empty tail does not).
    String Text() const;
    virtual void SetText(const String& Value);
    // Items separated by Delimiter; items holding blanks, quotes, the
    // delimiter or control characters are quoted with QuoteChar.
    String DelimitedText() const;
    void SetDelimitedText(const String& Value);
    String CommaText() const;
    void SetCommaText(const String& Value);
    char Delimiter() const { return FDelimiter; }
    void SetDelimiter(char C) { FDelimiter = C; }
    char QuoteChar() const { return FQuoteChar; }
    void SetQuoteChar(char C) { FQuoteChar = C; }
    bool StrictDelimiter() const { return FStrictDelimiter; }
    void SetStrictDelimiter(bool Value) { FStrictDelimiter = Value; }

    void BeginUpdate();
    void EndUpdate();
    Integer UpdateCount() const { return FUpdateCount; }

    // A byte-order mark selects UTF-8 or UTF-16 (LE/BE); otherwise the
    // bytes are Windows-1252. NUL characters are kept. EEncodingError, the
    // list as it was, when text marked as UTF-8 is none.
    void LoadFromFile(const String& FileName);
    void LoadFromStream(TStream& Stream);
    // CR LF after every line; Windows-1252 without a byte-order mark, or
    // UTF-8 behind one when Windows-1252 cannot hold every character.
    void SaveToFile(const String& FileName) const;
    void SaveToStream(TStream& Stream) const;

    void Assign(TPersistent* Source) override;
    // The form-data property "Strings": a list of strings.
    void DefineProperties(TFiler& Filer) override;
    bool Equals(const TStrings& Other) const;

protected:
    // Entered when the update count leaves / returns to zero.
    virtual void SetUpdateState(bool Updating);
    virtual Integer CompareStrings(const String& S1, const String& S2) const;
    [[noreturn]] void Error(Integer Index) const;
    // Splits text into lines (the Text rule) without touching the list.
    static std::vector<String> SplitLines(const String& Value);

private:
    void SetLines(const std::vector<String>& Lines);
    void ReadData(TReader& Reader);
    void WriteData(TWriter& Writer) const;

    Integer FUpdateCount = 0;
    char FNameValueSeparator = '=';
    char FDelimiter = ',';
    char FQuoteChar = '"';
    bool FStrictDelimiter = false;
};

class TStringList : public TStrings {
    PL_CLASSINFO()
public:
    using TStringListSortCompare = std::function<Integer(TStringList& List, Integer Index1, Integer Index2)>;

    TStringList() = default;
    explicit TStringList(bool AOwnsObjects) : FOwnsObjects(AOwnsObjects) {}
    ~TStringList() override;

    Integer Count() const override { return static_cast<Integer>(FItems.size()); }
    String Strings(Integer Index) const override;
    void SetStrings(Integer Index, const String& S) override;
    TObject* Objects(Integer Index) const override;
    void SetObjects(Integer Index, TObject* AObject) override;
    // Raises EStringListError on a sorted list.
    void Insert(Integer Index, const String& S) override;
    void InsertObject(Integer Index, const String& S, TObject* AObject) override;
    void Delete(Integer Index) override;
    // One move of the items behind the range, however long it is.
    void DeleteRange(Integer Index, Integer Count) override;
    void Clear() override;
    // On a sorted list: inserted before the equal keys; dupIgnore returns
    // the existing index, dupError raises EStringListError.
    Integer AddObject(const String& S, TObject* AObject) override;
    void Exchange(Integer Index1, Integer Index2) override;
    Integer IndexOf(const String& S) const override;

    // Binary search of a sorted list: true and the first equal item's
    // index, or false and the insertion point.
    bool Find(const String& S, Integer& Index) const;
    void Sort();
    void CustomSort(const TStringListSortCompare& Compare);

    bool Sorted() const { return FSorted; }
    void SetSorted(bool Value);
    TDuplicates Duplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool Value);
    bool OwnsObjects() const { return FOwnsObjects; }
    void SetOwnsObjects(bool Value) { FOwnsObjects = Value; }

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    void SetUpdateState(bool Updating) override;
    Integer CompareStrings(const String& S1, const String& S2) const override;
    virtual void Changed();
    virtual void Changing();

private:
    struct TItem {
        String Text;
        TObject* Object = nullptr;
    };
    void InsertItem(Integer Index, const String& S, TObject* AObject);
    void Check(Integer Index) const;

    std::vector<TItem> FItems;
    bool FSorted = false;
    TDuplicates FDuplicates = dupIgnore;
    bool FCaseSensitive = false;
    bool FOwnsObjects = false;
};
