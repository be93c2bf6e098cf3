#pragma once
// Form text read token by token: the sequence ParseFormText gives, made one
// token at a time, so that reading form data of a hundred megabytes holds a
// token and the nesting, not millions of tokens.

#include <string_view>
#include <vector>

#include "platform/FormStream.h"

class TFormTokenizer {
public:
    // Text must outlive the tokenizer.
    explicit TFormTokenizer(std::string_view Text);

    // The next token into Token; false after the root object's end, once
    // the rest of the text was found blank. Raises EReadError with the line
    // number on malformed or truncated text, nesting deeper than
    // MaxFormNesting or values past the limits.
    bool Next(TFormToken& Token);

private:
    // What the tokens next to come belong to, innermost last.
    enum class TScope : Byte { Properties, Children, List, Collection, Item };

    // --- characters ---
    bool AtEnd() const { return FPos >= FText.size(); }
    char Peek(std::size_t Ahead = 0) const;
    void SkipBlanks();
    [[noreturn]] void Error(const String& Message) const;
    void Expect(char C);
    String ReadIdent();
    String ExpectIdent(const char* What);
    bool NextIsKeyword(const char* Keyword);
    bool NextEndsProperties();

    // --- structure ---
    void Open(TScope Scope);
    void Emit(TFormToken& Token, TFormToken::TKind Kind, TValueType Type = vaNull) const;
    void Close(TFormToken& Token);
    // Closes the innermost scope when C comes next.
    bool ClosedBy(char C, TFormToken& Token);
    void ScopeToken(TFormToken& Token);
    void ObjectHeader(TFormToken& Token);
    void PropertyName(TFormToken& Token);
    void Value(TFormToken& Token);

    // --- values ---
    void IdentValue(TFormToken& Token);
    void NegativeInfinity(TFormToken& Token);
    void Number(TFormToken& Token);
    void HexNumber(TFormToken& Token);
    void IntegerValue(TFormToken& Token, std::string_view Digits, int Base);
    void FloatValue(TFormToken& Token, std::string_view Text);
    void StringValue(TFormToken& Token);
    void StringPiece(String& Value, char16_t& HighSurrogate);
    Int64 CharCode();
    void AppendCodePoint(String& Value, char16_t& HighSurrogate, Int64 Code) const;
    void SetValue(TFormToken& Token);
    void BinaryValue(TFormToken& Token);

    std::string_view FText;
    std::size_t FPos = 0;
    Integer FLine = 1;
    std::vector<TScope> FScopes;
    bool FStarted = false;
    bool FValueDue = false;  // a property's name was given, its value comes next
    bool FDone = false;
};
