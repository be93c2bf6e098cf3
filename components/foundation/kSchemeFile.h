#pragma once
// Property schemes: named lists of "path = value" lines, grouped in
// categories, read from the maker's and the user's scheme files of a
// control class, whose folders the registry names.
//
//   <SchemeTypes>
//   <SchemeType>
//   <Name>Colours</Name>
//   <Scheme>
//   <Name>Dark</Name>
//   <Properties>
//   <Font.Color>255</Font.Color>
//   </Properties>
//   </Scheme>
//   </SchemeType>
//   </SchemeTypes>

#include "platform/Classes.h"

class TkXMLMemoryStream;

// A scheme from the maker's file, and one from the user's.
class TkKelvaneSchemeList : public TStringList {};
class TkUserSchemeList : public TStringList {};

inline constexpr const char SSchemeMalformed[] = "Error Loading Scheme. XML File Malformed";
// Format: the property path of the scheme line.
inline constexpr const char SSchemeReadOnly[] = "Scheme Property \"%s\" Is Read-Only";

// Reads a scheme file into Categories, each scheme as a user scheme or a
// maker's one, a category of a name already listed (as the list compares
// names) taking the new schemes after its own. Raises "EOF", the parsing errors or SSchemeMalformed; what
// was read before the error stays.
void LoadSchemeFile(TkXMLMemoryStream& Stream, TStringList& Categories, bool UserSchemes);

// Name: the trimmed text before the first "="; Value: from the second
// character after it on, untrimmed. Both empty without "=".
void SplitSchemeLine(const String& Line, String& Name, String& Value);

// The maker's and the user's scheme folders: the machine's registry values,
// each replaced by the user's when that is not empty; a separator ends
// each non-empty folder.
void GetThemePaths(String& MakerPath, String& UserPath);
