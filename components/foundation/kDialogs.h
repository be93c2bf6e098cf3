#pragma once
// Colour, font, open and save dialogs as components: Execute shows the
// platform's dialog modally over the owner and returns true when the user
// confirmed; the results are then in the properties. A cancelled dialog
// leaves them as they were (except the open dialog's Files, cleared first).

#include <vector>

#include "platform/Classes.h"
#include "platform/Graphics.h"

class TkColorDialog : public TComponent {
    PL_CLASSINFO()
public:
    using TComponent::TComponent;
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    // Starts on Color (as RGB) with sixteen white custom colours.
    bool Execute();

private:
    TColor FColor = clBlack;
};

class TkFontDialog : public TComponent {
    PL_CLASSINFO()
public:
    explicit TkFontDialog(TComponent* AOwner);
    // The setter copies.
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    // Takes back the face, height, colour and style; the character set only
    // when the face changed.
    bool Execute();

private:
    TOwned<TFont> FFont;
};

// The settings a file dialog starts from, kept by the dialogs and by the
// editor's file pickers alike. Filter holds "description|pattern" pairs;
// DefaultDir is where the dialog starts ("." when empty).
class TkFileSettings {
public:
    const String& FileName() const { return FFileName; }
    void SetFileName(const String& Value) { FFileName = Value; }
    const String& Filter() const { return FFilter; }
    void SetFilter(const String& Value) { FFilter = Value; }
    const String& DefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const String& Value) { FDefaultExt = Value; }
    const String& DefaultDir() const { return FDefaultDir; }
    void SetDefaultDir(const String& Value) { FDefaultDir = Value; }

protected:
    ~TkFileSettings() = default;
    String FFileName;
    String FFilter;
    String FDefaultExt;
    String FDefaultDir;
};

class TkFileDialogBase : public TComponent, public TkFileSettings {
    PL_CLASSINFO()
public:
    using TComponent::TComponent;
};

class TkOpenDialog : public TkFileDialogBase {
    PL_CLASSINFO()
public:
    explicit TkOpenDialog(TComponent* AOwner);
    bool FileMustExist() const { return FFileMustExist; }
    void SetFileMustExist(bool Value) { FFileMustExist = Value; }
    bool AllowMultiSelect = false;
    // Every chosen file as a full path, without limit; FileName is the first.
    TStrings* Files() const;
    // Clears Files; shows nothing and returns false when the owner chain
    // holds no form and no windowed control.
    bool Execute();

private:
    bool FFileMustExist = false;
    TOwned<TStringList> FFiles;
};

class TkSaveDialog : public TkFileDialogBase {
    PL_CLASSINFO()
public:
    using TkFileDialogBase::TkFileDialogBase;
    // The chosen filter pair, from 1; the user's choice comes back here.
    Integer FilterIndex() const { return FFilterIndex; }
    void SetFilterIndex(Integer Value) { FFilterIndex = Value; }
    // The extension of the chosen pattern (".csv" for "*.csv"); empty when
    // the pattern is not of that form.
    const String& ReturnExt() const { return FReturnExt; }
    // On confirmation FileName gets ReturnExt appended unless it already
    // ends in it (compared ignoring case) or ReturnExt is empty or ".*".
    // Shows nothing and returns false without an owner form.
    bool Execute();

private:
    Integer FFilterIndex = 1;
    String FReturnExt;
};

// The patterns of a "description|pattern|..." filter: its even-numbered
// parts, in order (a description without a pattern is left out).
std::vector<String> kFilterPatterns(const String& Filter);
// The extension that pattern Index (from 1) of Filter gives a file name:
// ".ext" for a first pattern of the form "*.ext", else empty (also for an
// index outside the patterns).
String kFilterExtension(const String& Filter, Integer Index);
// Name with the extension Ext of the chosen pattern: unchanged when Ext is
// empty or ".*" or when Name already ends in Ext (ignoring case), else
// with Ext appended.
String kApplyFilterExtension(const String& Name, const String& Ext);

void kDialogsInitialization();
