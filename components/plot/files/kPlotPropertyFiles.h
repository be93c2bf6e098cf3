#pragma once
// Property text files of the plot and its objects: written whole or not at
// all, read with a check of their file type, and applied so that a failure
// leaves the object's settings as they were.

#include <initializer_list>
#include <vector>

#include "platform/Classes.h"

// Lines as EncodeTextFile encodes a whole file (the system code page, or
// UTF-8 behind a byte-order mark when that cannot hold them), CR LF after
// each, put in FileName's place only when complete. EConvertError naming the line's property when a value
// holds a control character that a text file cannot hold: no file is
// written that would not read back.
void SaveLinesSafely(const String& FileName, const TStrings& Lines);
// The text of a property file, decoded as TStrings::LoadFromFile decodes
// it. EConvertError naming the file and the line when it holds a binary
// byte: such a file is no property text; EEncodingError so when it is
// marked as UTF-8 and is none.
String ReadPropertyText(const String& FileName);
// Takes the "File Type" line out of Lines; its value must be FileType
// ignoring case, Exception(Incompatible) otherwise.
void CheckFileType(TStrings& Lines, const String& FileType, const char* Incompatible);
// The index of the first line from From on that does not stand behind
// Prefix: where the section of Prefix ends.
Integer SectionEnd(const TStrings& Lines, const String& Prefix, Integer From);
// The published properties of an object behind a prefix as they stand,
// to be set back after a failure: Restore sets again each one whose text
// changed since, those in Last after the others (their setters drop what
// the object holds).
class TkPropertiesRestorePoint {
public:
    TkPropertiesRestorePoint(TObject* Instance, String Prefix, std::initializer_list<const char*> Last = {});
    void Restore() const;

private:
    TObject* FInstance;
    String FPrefix;
    std::vector<const char*> FLast;
    TStringList FSaved;
};

// Applies the lines behind Prefix from From on to Instance (as
// ApplyPublishedProperties) and returns where they end. The properties in
// Last go after all others: their setters drop what the object holds, so
// they come when every other line has read. On failure every property
// that the lines reached is set back from its saved text before the
// failure passes on.
Integer ApplyPropertiesOrRestore(TObject* Instance, const String& Prefix, const TStrings& Lines, Integer From,
                                 std::initializer_list<const char*> Last = {});
