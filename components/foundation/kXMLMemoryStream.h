#pragma once
// Memory streams of single-byte text: one that writes strings as bytes of
// the system code page, and a minimal reader and writer of elements without
// attributes, entities or comments, one element a line:
//
//   <Scheme>
//   <Name>Dark</Name>
//   </Scheme>

#include "platform/Classes.h"

class TkMemoryStream : public TMemoryStream {
public:
    // Raises "String Exceeds 255 Characters" for 256 characters or more.
    void WriteString(const String& Value);
    void WriteCRLF();
    void WriteStringCRLF(const String& Value);
    // One byte as a character; raises "EOF" at the end of the stream.
    char ReadChar();
};

class TkXMLMemoryStream : public TkMemoryStream {
public:
    // ---- Writer ----
    void StartElement(const String& Name);
    void EndElement(const String& Name);
    void WriteElement(const String& Name, const String& Value);

    // ---- Reader ----
    // The name of the next start tag, end tags skipped; what follows a
    // blank inside the tag is ignored.
    String GetNameElementStart();
    // Reads start tags until one is called Name.
    void GotoElementStart(const String& Name);
    // The text up to the next "<", which is read again next.
    String GetElementValue();
    // The name of the end tag that must follow at once; raises
    // XML Parsing Error - "<" not Found, or - "/" not Found, without one.
    String GetNameElementStop();
    // The text of the next element called Name.
    String GetElement(const String& Name);
    // After line ends, blanks and tabs: a tag's name ("/Name" for an end
    // tag) or the text up to the next "<".
    String GetNextPiece();
    // GetNextPiece without moving.
    String PeekNextPiece();

    Int64 CurrentElementStart() const { return FCurrentElementStart; }

private:
    // The characters up to Stop, which is consumed; raises "EOF" first
    // when the stream ends.
    RawByteString ReadUpTo(char Stop);
    void StepBack();

    Int64 FCurrentElementStart = 0;
};

inline constexpr const char SXMLEOF[] = "EOF";
inline constexpr const char SXMLStringTooLong[] = "String Exceeds 255 Characters";
inline constexpr const char SXMLOpenNotFound[] = "XML Parsing Error - \"<\" not Found";
inline constexpr const char SXMLSlashNotFound[] = "XML Parsing Error - \"/\" not Found";
