#include "components/foundation/kXMLMemoryStream.h"

#include "platform/SysUtils.h"

// ---------------------------------------------------------------------------
// Single-byte text
// ---------------------------------------------------------------------------

void TkMemoryStream::WriteString(const String& Value)
{
    if (CharCount(Value) >= 256) throw Exception(SXMLStringTooLong);
    const RawByteString bytes = Utf8ToWin1252(Value);
    WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
}

void TkMemoryStream::WriteCRLF() { WriteBuffer("\r\n", 2); }

void TkMemoryStream::WriteStringCRLF(const String& Value)
{
    WriteString(Value);
    WriteCRLF();
}

char TkMemoryStream::ReadChar()
{
    char c = 0;
    if (Read(&c, 1) != 1) throw Exception(SXMLEOF);
    return c;
}

// ---------------------------------------------------------------------------
// Elements: writer
// ---------------------------------------------------------------------------

void TkXMLMemoryStream::StartElement(const String& Name) { WriteStringCRLF("<" + Name + ">"); }

void TkXMLMemoryStream::EndElement(const String& Name) { WriteStringCRLF("</" + Name + ">"); }

void TkXMLMemoryStream::WriteElement(const String& Name, const String& Value)
{
    WriteString("<" + Name + ">");
    WriteString(Value);
    WriteStringCRLF("</" + Name + ">");
}

// ---------------------------------------------------------------------------
// Elements: reader
// ---------------------------------------------------------------------------

RawByteString TkXMLMemoryStream::ReadUpTo(char Stop)
{
    RawByteString text;
    for (char c = ReadChar(); c != Stop; c = ReadChar()) text += c;
    return text;
}

void TkXMLMemoryStream::StepBack() { Seek(-1, soCurrent); }

String TkXMLMemoryStream::GetNameElementStart()
{
    ReadUpTo('<');
    // End tags on the way are passed over.
    while (true) {
        FCurrentElementStart = Position() - 1;
        if (ReadChar() != '/') break;
        ReadUpTo('<');
    }
    StepBack();
    const RawByteString tag = ReadUpTo('>');
    return Win1252ToUtf8(tag.substr(0, tag.find(' ')));
}

void TkXMLMemoryStream::GotoElementStart(const String& Name)
{
    while (GetNameElementStart() != Name) {
    }
}

String TkXMLMemoryStream::GetElementValue()
{
    const RawByteString text = ReadUpTo('<');
    StepBack();
    return Win1252ToUtf8(text);
}

String TkXMLMemoryStream::GetNameElementStop()
{
    if (ReadChar() != '<') throw Exception(SXMLOpenNotFound);
    if (ReadChar() != '/') throw Exception(SXMLSlashNotFound);
    return Win1252ToUtf8(ReadUpTo('>'));
}

String TkXMLMemoryStream::GetElement(const String& Name)
{
    GotoElementStart(Name);
    const String value = GetElementValue();
    while (GetNameElementStop() != Name) {
    }
    return value;
}

String TkXMLMemoryStream::GetNextPiece()
{
    char c = ReadChar();
    // Indented files are read as well as flat ones.
    while (c == '\r' || c == '\n' || c == ' ' || c == '\t') c = ReadChar();
    if (c == '<') return Win1252ToUtf8(ReadUpTo('>'));
    RawByteString text(1, c);
    text += ReadUpTo('<');
    StepBack();
    return Win1252ToUtf8(text);
}

String TkXMLMemoryStream::PeekNextPiece()
{
    const Int64 start = Position();
    const TScopeExit back([this, start] { SetPosition(start); });
    return GetNextPiece();
}
