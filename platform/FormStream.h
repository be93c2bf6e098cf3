#pragma once
// Form data: the text that describes a root component (a form) and the
// components it owns, their published properties and the properties they
// define themselves.
//
//   object Form1: TForm1
//     Caption = 'Corr'#233'lation'
//     Font.Style = [fsBold]
//     object Button1: TButton
//       OnClick = calcul
//     end
//   end
//
// Text is parsed into a checked sequence of form tokens (the same sequence
// the binary form of the class library would hold); TReader walks it as
// the text gives it, TWriter produces it, FormatFormText turns it back into
// text.

#include <memory>
#include <span>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "platform/Classes.h"

// Value types of form data, numbered as in the class library's binary form.
enum TValueType : Byte {
    vaNull = 0,  // end of a list, of properties or of children
    vaList = 1,
    vaInt8 = 2,
    vaInt16 = 3,
    vaInt32 = 4,
    vaExtended = 5,
    vaString = 6,
    vaIdent = 7,
    vaFalse = 8,
    vaTrue = 9,
    vaBinary = 10,
    vaSet = 11,
    vaLString = 12,
    vaNil = 13,
    vaCollection = 14,
    vaSingle = 15,
    vaCurrency = 16,
    vaDate = 17,
    vaWString = 18,
    vaInt64 = 19,
    vaUTF8String = 20,
    vaDouble = 21
};

// One element of parsed form data.
struct TFormToken {
    enum TKind : Byte {
        fkObject,    // object header: Text = class name, Name = object name
        fkProperty,  // property name (dotted): Text
        fkValue      // a value or an end marker: Type
    };
    TKind Kind = fkValue;
    TValueType Type = vaNull;
    bool Inherited = false;      // "inherited" instead of "object"
    Integer Line = 0;            // 1-based line of the text
    Int64 Int = 0;               // integers
    String Text;                 // float literal, string (UTF-8), identifier, names
    String Name;                 // object name
    std::vector<String> Items;   // set elements
    std::vector<Byte> Bytes;     // binary data
};
using TFormTokens = std::vector<TFormToken>;

// Limits of form data; beyond them reading raises EReadError.
constexpr Integer MaxFormNesting = 32;
constexpr std::size_t MaxFormString = 16u << 20;
constexpr std::size_t MaxFormBinary = 64u << 20;

// The value type of an integer or a string, as parsed text gives it.
TValueType IntegerValueType(Int64 Value);
TValueType StringValueType(const String& Value);

// Raises EReadError with the line number on malformed or truncated text.
TFormTokens ParseFormText(std::string_view Text);
// 2-space indentation, non-ASCII characters as #nnn, floats with a '.'.
String FormatFormText(const TFormTokens& Tokens);

class TFiler {
public:
    using TReaderProc = std::function<void(TReader& Reader)>;
    using TWriterProc = std::function<void(TWriter& Writer)>;
    using TStreamProc = std::function<void(TStream& Stream)>;

    explicit TFiler(TComponent* ARoot) : FRoot(ARoot) {}
    virtual ~TFiler() = default;
    TFiler(const TFiler&) = delete;
    TFiler& operator=(const TFiler&) = delete;

    // A property of the form data that is not published: the reader calls
    // ReadData when the name comes up; the writer calls WriteData when
    // HasData holds.
    virtual void DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                                bool HasData) = 0;
    // The same for raw bytes, written as {hex}.
    virtual void DefineBinaryProperty(const String& Name, const TStreamProc& ReadData,
                                      const TStreamProc& WriteData, bool HasData) = 0;

    TComponent* Root() const { return FRoot; }

protected:
    TComponent* FRoot;
};

class TFormTokenizer;

// A cursor over the tokens of form text that reads them into a root
// component.
class TReader : public TFiler {
public:
    // Text, which must outlive the reader, is checked whole first: malformed
    // text raises EReadError here, before anything is read. Only the next
    // token is held, whatever the size of the text.
    TReader(std::string_view Text, TComponent* ARoot);
    ~TReader() override;

    // Reads the whole form data into the root: its properties, then the
    // components it holds, created with the root as Owner and the
    // enclosing object as parent (SetParentComponent). Afterwards
    // references are resolved by name within the root, events are bound
    // through the root's method table, and Loaded runs on the root, then
    // on the other components in read order. On failure every component
    // created by the read is freed again and the exception passes on.
    void ReadRootComponent();

    // The type of the next value, without consuming it.
    TValueType NextValue() const;
    // Consumes the next value and returns its type; meant for the markers
    // (vaList, vaCollection, vaNull).
    TValueType ReadValue();
    bool EndOfList() const;
    void ReadListBegin();
    void ReadListEnd();

    Integer ReadInteger();
    Int64 ReadInt64();
    Extended ReadFloat();
    Double ReadDouble();
    Single ReadSingle();
    String ReadString();
    // Identifiers, including True, False and nil.
    String ReadIdent();
    bool ReadBoolean();
    Char ReadChar();
    std::vector<Byte> ReadBinary();
    // Skips one whole value (lists and collections included).
    void SkipValue();

    // Reads one "Name = value" pair into Instance: a published property
    // first, else a property Instance defines; an unknown name raises
    // EReadError unless the class is a stand-in.
    void ReadProperty(TPersistent* Instance);

    // The object enclosing the component being read (nullptr for the root).
    TComponent* Parent() const { return FParent; }
    // Line of the next token (the last line at the end).
    Integer Line() const;
    // Raises EReadError naming the line of the token read last.
    [[noreturn]] void Error(const String& Message) const;

    void DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                        bool HasData) override;
    void DefineBinaryProperty(const String& Name, const TStreamProc& ReadData, const TStreamProc& WriteData,
                              bool HasData) override;

private:
    struct TFixup;
    const TFormToken& Peek() const;
    // The token read, which stays until the next read moves on.
    TFormToken& Next();
    TFormToken& NextOf(TFormToken::TKind Kind);
    void SetRootName(const String& Name);
    void ReadComponentData(TComponent* Instance);
    void ReadChildComponent();
    TComponent* CreateChild(const TFormToken& Header);
    TComponent* FindInherited(const TFormToken& Header);
    void ReadPropertyValue(TObject* Instance, PPropInfo Prop);
    void ReadOrdinal(TObject* Instance, PPropInfo Prop);
    std::any ReadVariant();
    bool ReadDefinedProperty(TPersistent* Instance, const String& Name);
    void ResolveFixups();
    void CallLoaded();
    void Abandon();

    std::unique_ptr<TFormTokenizer> FSource;
    TFormToken FToken;         // the token read last
    TFormToken FAhead;         // the next one, when FHasAhead
    bool FHasAhead = false;
    TComponent* FParent = nullptr;
    TComponent* FCurrent = nullptr;   // component whose properties are being read
    String FPropName;                 // the name DefineProperty is looking for
    bool FPropHandled = false;
    Integer FErrorLine = 0;           // line of the token read last
    std::vector<TComponent*> FLoaded;            // read order (root first)
    std::unordered_set<TComponent*> FLoadedSet;  // the same, for finding them
    std::vector<TWeakRef<TComponent>> FCreated;  // created by this read
    std::vector<TFixup> FFixups;
};

// Produces form tokens from a root component.
class TWriter : public TFiler {
public:
    explicit TWriter(TComponent* ARoot);

    // "object Name: Class", properties, then the children the component
    // gives through GetChildren(…, Root), each the same way.
    void WriteComponent(TComponent* Component);
    // Published properties that are stored and differ from their default,
    // then the properties the instance defines.
    void WriteProperties(TPersistent* Instance);

    void WriteValue(TValueType Value);
    void WriteListBegin() { WriteValue(vaList); }
    void WriteListEnd() { WriteValue(vaNull); }
    void WriteInteger(Int64 Value);
    void WriteFloat(Extended Value);
    void WriteDouble(Double Value);
    void WriteSingle(Single Value);
    void WriteString(const String& Value);
    void WriteIdent(const String& Ident);
    void WriteBoolean(bool Value);
    void WriteChar(Char Value);
    void WriteBinary(std::span<const Byte> Data);
    // A property name; the value follows through the calls above.
    void WritePropName(const String& Name);

    const TFormTokens& Tokens() const { return FTokens; }

    void DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                        bool HasData) override;
    void DefineBinaryProperty(const String& Name, const TStreamProc& ReadData, const TStreamProc& WriteData,
                              bool HasData) override;

private:
    void WriteProperty(TObject* Instance, PPropInfo Prop);
    void WriteOrdinal(TObject* Instance, PPropInfo Prop);
    void WriteSubObject(TObject* Instance, PPropInfo Prop);
    void WriteReference(TObject* Instance, PPropInfo Prop);
    void WriteVariant(TObject* Instance, PPropInfo Prop);
    void WriteIdentOrFloat(const String& Text);
    void PushValue(TValueType Type);
    TFormToken& Push(TFormToken::TKind Kind);

    TFormTokens FTokens;
    String FPropPath;  // "Font." while a sub-object is written
};

// Reads the form data compiled in under the upper-case class name of Root
// ("TFORM1") into Root; false (and nothing read) when there is none.
bool ReadComponentResource(TComponent* Root);
// Reads form text, or a stream holding form text, into Root.
void ReadComponent(const String& Text, TComponent* Root);
void ReadComponent(TStream& Stream, TComponent* Root);
// The form text of Root and the components it gives through GetChildren.
String WriteComponent(TComponent* Root);
