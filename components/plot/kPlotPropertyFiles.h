#pragma once
// Property text files of the plot and its objects: written whole or not at
// all, read with a check of their file type, and applied so that a failure
// leaves the object's settings as they were.

#include <initializer_list>

#include "platform/Classes.h"

// Lines in single-byte text, CR LF after each, put in FileName's place only
// when complete.
void SaveLinesSafely(const String& FileName, const TStrings& Lines);
// Reads FileName into Lines and takes out its "File Type" line, whose value
// must be FileType ignoring case; Exception(Incompatible) otherwise.
void ReadTypedPropertyFile(const String& FileName, const String& FileType, const char* Incompatible,
                           TStringList& Lines);
// Applies the lines behind Prefix from From on to Instance (as
// ApplyPublishedProperties) and returns where they end. The properties in
// Last go after all others: their setters drop what the object holds, so
// they come when every other line has read. On failure every property
// that the lines reached is set back from its saved text before the
// failure passes on.
Integer ApplyPropertiesOrRestore(TObject* Instance, const String& Prefix, const TStrings& Lines, Integer From,
                                 std::initializer_list<const char*> Last = {});
