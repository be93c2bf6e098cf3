#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "platform/Resources.h"
#include "support/FormTestClasses.h"
#include "support/MessageOf.h"

namespace {

using namespace FormTest;

const char* const RichForm = R"(object Root1: TFormTestRoot
  Left = 0
  Caption = 'Corr'#233'lation '#8364' '#128512
  OnClick = RootClick
  ZOrder = 1
  ZOrder = 1
  object Panel1: TFormTestControl
    Left = -5
    Width = 0
    Big = 9000000000
    Ratio = 0.1
    Scale = 0.3
    Precise = 1.0E30
    Caption = 'It''s'#13#10'two lines'
    Accel = 'x'
    Align = taClient
    Visible = False
    Anchors = [akLeft, akRight, akBottom]
    Color = clTestRed
    Font.Height = -16
    Font.Name = 'Arial'
    Font.Style = [tsBold, tsItalic]
    Items.Strings = (
      'signal carre'
      ''
      'S'#233'quence pseudo al'#233'atoire m1'
      '0123456789012345678901234567890123456789012345678901234567890123' +
      '4567')
    Buddy = Button2
    OnValue = ValueChanged
    ZOrder = 2
    ZOrder = 2
    Points = <
      item
        Title = 'first'
        Value = 1.5
      end
      item
        Value = -2.0E-7
      end
      item
        Title = 'third'
      end>
    Data = {
      00FF10203040506070808090A0B0C0D0E0F000112233445566778899AABBCCDD
      EEFF}
    object Button2: TFormTestControl
      Left = 3
      Color = 254
      OnClick = RootClick
      ZOrder = 0
      ZOrder = 0
    end
  end
  object Stand1: TFormTestStandIn
    Left = 7
    ZOrder = 0
    ZOrder = 0
  end
end
)";

class FormStreamTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterFormTestClasses();
        LoadedLog.clear();
    }
    void TearDown() override
    {
        for (auto* root : FRoots) root->Free();
    }
    TFormTestRoot* NewRoot()
    {
        FRoots.push_back(Create<TFormTestRoot>(nullptr));
        return FRoots.back();
    }
    TFormTestRoot* Read(const String& text)
    {
        TFormTestRoot* root = NewRoot();
        ReadComponent(text, root);
        return root;
    }
    // Reading fails with EReadError or EConvertError naming the line.
    void ExpectBad(const String& text, const char* line)
    {
        TFormTestRoot* root = NewRoot();
        const String message = MessageOf<EReadError, EConvertError>([&] { ReadComponent(text, root); });
        EXPECT_NE(message.find(String("ligne ") + line), String::npos) << message << " for:\n" << text;
        EXPECT_EQ(root->ComponentCount(), 0) << "components of a failed read stay";
        EXPECT_FALSE(root->ComponentState().Contains(csLoading));
    }

    std::vector<TFormTestRoot*> FRoots;
};

TEST_F(FormStreamTest, RichFormReadsEveryValueKind)
{
    TFormTestRoot* root = Read(RichForm);
    EXPECT_EQ(root->Name(), "Root1");
    EXPECT_EQ(root->Caption, "Corr\xC3\xA9lation \xE2\x82\xAC \xF0\x9F\x98\x80");
    ASSERT_NE(root->Panel1, nullptr);
    ASSERT_NE(root->Button2, nullptr);
    ASSERT_NE(root->Stand1, nullptr);
    TFormTestControl* p = root->Panel1;
    EXPECT_EQ(p->Left, -5);
    EXPECT_EQ(p->Width, 0);
    EXPECT_EQ(p->Big, 9000000000);
    EXPECT_EQ(p->Ratio, 0.1);
    EXPECT_EQ(p->Scale, 0.3f);
    EXPECT_EQ(p->Precise, 1e30L);
    EXPECT_EQ(p->Caption, "It's\r\ntwo lines");
    EXPECT_EQ(p->Accel, u'x');
    EXPECT_EQ(p->Align, taClient);
    EXPECT_FALSE(p->Visible);
    EXPECT_EQ(p->Anchors, (TSet<TTestAnchor>{akLeft, akRight, akBottom}));
    EXPECT_EQ(p->Color, 255);
    EXPECT_EQ(p->Font()->Height, -16);
    EXPECT_EQ(p->Font()->Name, "Arial");
    EXPECT_EQ(p->Font()->Style, (TSet<TTestStyle>{tsBold, tsItalic}));
    ASSERT_EQ(p->Items()->Count(), 4);
    EXPECT_EQ(p->Items()->Strings(1), "");
    EXPECT_EQ(p->Items()->Strings(2), "S\xC3\xA9quence pseudo al\xC3\xA9"
                                      "atoire m1");
    EXPECT_EQ(p->Items()->Strings(3).size(), 68u);
    ASSERT_EQ(p->Points.size(), 3u);
    EXPECT_EQ(p->Points[0]->Title, "first");
    EXPECT_EQ(p->Points[0]->Value, 1.5);
    EXPECT_EQ(p->Points[1]->Value, -2e-7);
    EXPECT_EQ(p->Points[2]->Title, "third");
    ASSERT_EQ(p->Data.size(), 34u);
    EXPECT_EQ(p->Data[1], 0xFF);
    EXPECT_EQ(p->Data[33], 0xFF);
    // A name written twice is read twice, both times as the published one.
    EXPECT_EQ(p->ZOrder, 2);
    // Forward reference, parents and owners.
    EXPECT_EQ(p->Buddy, root->Button2);
    EXPECT_EQ(root->Button2->Parent(), p);
    EXPECT_EQ(p->Parent(), root);
    EXPECT_EQ(root->Button2->Owner(), root);
    EXPECT_EQ(root->ComponentCount(), 3);
    // Events bound by name through the root's method table.
    root->Button2->OnClick(root->Button2);
    root->OnClick(root);
    EXPECT_EQ(root->Clicks, 2);
    p->OnValue(p, 42);
    EXPECT_EQ(root->LastValue, 42);
}

TEST_F(FormStreamTest, RichFormWritesBackByteIdenticalAndReadsAgain)
{
    TFormTestRoot* first = Read(RichForm);
    const String written = WriteComponent(first);
    EXPECT_EQ(written, RichForm);
    TFormTestRoot* second = Read(written);
    EXPECT_EQ(WriteComponent(second), written);
    EXPECT_EQ(second->Panel1->Precise, first->Panel1->Precise);
    EXPECT_EQ(second->Panel1->Items()->Text(), first->Panel1->Items()->Text());
    EXPECT_EQ(second->Panel1->Buddy, second->Button2);
}

TEST_F(FormStreamTest, StandInSkipsUnknownValuesOfEveryShape)
{
    TFormTestRoot* root = Read(R"(object Root1: TFormTestRoot
  object Stand1: TFormTestStandIn
    Unknown = 5
    Left = 7
    Odd.Path = 'x'
    Items2 = ('a' ('b' <item X = 1 end>) {00})
    Coll = <
      item
        Deep = [a, b]
      end>
  end
end
)");
    ASSERT_NE(root->Stand1, nullptr);
    EXPECT_EQ(root->Stand1->Left, 7);
}

TEST_F(FormStreamTest, StoredRuleOmitsDefaultsAndWritesZeroWithoutDefault)
{
    TFormTestRoot* root = NewRoot();
    root->SetName("R");
    auto* c = Create<TFormTestControl>(root);
    c->SetName("C");
    c->SetParent(root);
    c->Width = 100;  // default: omitted
    c->Left = 0;     // no default: written
    const String text = WriteComponent(root);
    EXPECT_EQ(text, "object R: TFormTestRoot\n  Left = 0\n  ZOrder = 0\n  ZOrder = 0\n"
                    "  object C: TFormTestControl\n    Left = 0\n    ZOrder = 0\n    ZOrder = 0\n  end\nend\n");
    c->Width = 0;
    c->Scale = 0.1f;
    c->Ratio = 1080;
    EXPECT_NE(WriteComponent(root).find("Width = 0\n    Ratio = 1080.0\n    Scale = 0.1\n"), String::npos);
}

TEST_F(FormStreamTest, LoadedRunsOnRootFirstThenInReadOrderWithLoadingDuringTheRead)
{
    TFormTestRoot* root = Read(RichForm);
    EXPECT_EQ(LoadedLog, (std::vector<String>{"Loaded Root1", "Loaded Panel1", "Loaded Button2", "Loaded Stand1"}));
    EXPECT_TRUE(root->Panel1->LoadingSeenBySetter);
    EXPECT_FALSE(root->Panel1->ComponentState().Contains(csLoading));
    EXPECT_FALSE(root->ComponentState().Contains(csReading));
}

TEST_F(FormStreamTest, ResourceIsFoundByUpperCaseClassName)
{
    static const String text = "object Root1: TFormTestRoot\n  Left = 12\nend\n";
    RegisterResource("TFORMTESTROOT", reinterpret_cast<const unsigned char*>(text.data()), text.size());
    TFormTestRoot* root = NewRoot();
    EXPECT_TRUE(ReadComponentResource(root));
    EXPECT_EQ(root->Left, 12);
    TFormTestControl* other = Create<TFormTestControl>(root);
    EXPECT_FALSE(ReadComponentResource(other));
}

TEST_F(FormStreamTest, StreamEntryPointReadsText)
{
    TMemoryStream stream;
    const String text = "object Root1: TFormTestRoot\n  Left = 4\nend\n";
    stream.WriteBuffer(text.data(), static_cast<Int64>(text.size()));
    stream.SetPosition(0);
    TFormTestRoot* root = NewRoot();
    ReadComponent(stream, root);
    EXPECT_EQ(root->Left, 4);
}

TEST_F(FormStreamTest, BadInputRaisesWithLineAndLeavesNothingBehind)
{
    ExpectBad("object Root1: TFormTestRoot\n  object X: TNoSuchClass\n  end\nend\n", "2");
    ExpectBad("object Root1: TFormTestRoot\n  Left = 1\n  Nope = 2\nend\n", "3");
    ExpectBad("object Root1: TFormTestRoot\n  Align = taSideways\nend\n", "2");
    ExpectBad("object Root1: TFormTestRoot\n\n  Align = 7\nend\n", "3");
    ExpectBad("object Root1: TFormTestRoot\n  Anchors = [akLeft, akNowhere]\nend\n", "2");
    ExpectBad("object Root1: TFormTestRoot\n  Anchors = 64\nend\n", "2");
    ExpectBad("object Root1: TFormTestRoot\n  Visible = 2\nend\n", "2");
    ExpectBad("object Root1: TFormTestRoot\n  Left = 2147483648\nend\n", "2");
    ExpectBad("object Root1: TFormTestRoot\n  Left = 99999999999999999999\nend\n", "2");
    ExpectBad("object Root1: TFormTestRoot\n  Scale = 1.0E300\nend\n", "2");
    ExpectBad("object Root1: TFormTestRoot\n  Ratio = 1.0E400\nend\n", "2");
    ExpectBad("object Root1: TFormTestRoot\n  Left = 'text'\nend\n", "2");
    ExpectBad("object Root1: TFormTestRoot\n  Caption = 'open\nend\n", "2");
    ExpectBad("object Root1: TFormTestRoot\n  Caption = #55357'x'\nend\n", "2");
    ExpectBad("object Root1: TFormTestRoot\n  Caption = #1114112\nend\n", "2");
    ExpectBad("object Root1: TFormTestRoot\n  Data = {0F0}\nend\n", "2");
    ExpectBad("object Root1: TFormTestRoot\n  OnClick = NoHandler\nend\n", "2");
    ExpectBad("object Root1: TFormTestRoot\n  OnValue = RootClick\nend\n", "2");
    ExpectBad("object Root1: TFormTestRoot\n  Buddy = Nobody\nend\n", "2");
    ExpectBad("object Root1: TFormTestRoot\n  Font = 3\nend\n", "2");
    ExpectBad("object Root1: TFormTestRoot\n  object A: TFormTestControl\n  end\n  object a: TFormTestControl\n  end\nend\n",
              "4");
    ExpectBad("object Root1: TFormTestRoot\n  object 1A: TFormTestControl\n  end\nend\n", "2");
    ExpectBad("object Root1: TFormTestRoot\n  object Stand1: TFormTestControl\n  end\nend\n", "2");
    ExpectBad("object Root1: TOtherRoot\nend\n", "1");
    ExpectBad("object Root1: TFormTestRoot\nend\nobject X: TFormTestRoot\nend\n", "3");
    ExpectBad("object Root1: TFormTestRoot\n  Points = 5\n  Left = (1)\nend\n", "3");
}

TEST_F(FormStreamTest, EveryTruncationOfTheRichFormRaises)
{
    const String text = RichForm;
    const std::size_t complete = text.rfind("end");
    for (std::size_t n = 0; n < complete; ++n) {
        TFormTestRoot* root = NewRoot();
        EXPECT_THROW(ReadComponent(text.substr(0, n), root), EReadError) << "length " << n;
        EXPECT_EQ(root->ComponentCount(), 0);
    }
}

TEST_F(FormStreamTest, NestingIsLimited)
{
    String objects = "object Root1: TFormTestRoot\n";
    for (int i = 0; i < 40; ++i) objects += "object C" + IntToStr(i) + ": TFormTestControl\n";
    for (int i = 0; i < 41; ++i) objects += "end\n";
    ExpectBad(objects, "33");
    ExpectBad("object Root1: TFormTestRoot\n  Left = " + String(40, '(') + String(40, ')') + "\nend\n", "2");
    ExpectBad("object Root1: TFormTestRoot\n  Points = " + String(40, '<') + "\nend\n", "2");
    // 31 nested lists inside the root still parse; the stand-in skips them.
    Read("object Root1: TFormTestRoot\n  object S: TFormTestStandIn\n    L = " + String(30, '(') + String(30, ')') +
         "\n  end\nend\n");
}

TEST_F(FormStreamTest, HugeStringIsRefused)
{
    String text = "object Root1: TFormTestRoot\n  Caption = '";
    text += String(MaxFormString + 1, 'a');
    text += "'\nend\n";
    ExpectBad(text, "2");
}

TEST_F(FormStreamTest, AFailedWriteLeavesNoComponentMarkedAsWriting)
{
    TFormTestRoot* root = Read(RichForm);
    const String written = WriteComponent(root);
    auto* button = dynamic_cast<TFormTestControl*>(root->FindComponent("Button2"));
    ASSERT_NE(button, nullptr);
    button->FailWritingZOrder = true;
    EXPECT_THROW(WriteComponent(root), EWriteError);
    for (TComponent* c : {static_cast<TComponent*>(root), root->FindComponent("Panel1"), root->FindComponent("Button2")})
        EXPECT_FALSE(c->ComponentState().Contains(csWriting)) << c->Name();
    button->FailWritingZOrder = false;
    EXPECT_EQ(WriteComponent(root), written);
}

TEST_F(FormStreamTest, WriterEscapesAndFormatsValuesStably)
{
    TFormTestRoot* root = NewRoot();
    root->SetName("R");
    root->Caption = String("\x01", 1) + "a'b\xC3\xA9" + String(1, '\0') + "z";
    root->Precise = std::numeric_limits<Extended>::infinity();
    root->Ratio = -0.0;
    root->Scale = 16777216.0f;
    const String text = WriteComponent(root);
    EXPECT_NE(text.find("Ratio = -0.0\n"), String::npos) << text;
    EXPECT_NE(text.find("Scale = 16777216.0\n"), String::npos) << text;
    EXPECT_NE(text.find("Precise = INF\n"), String::npos) << text;
    EXPECT_NE(text.find("Caption = #1'a''b'#233#0'z'\n"), String::npos) << text;
    TFormTestRoot* again = Read(text);
    EXPECT_EQ(again->Caption, root->Caption);
    EXPECT_TRUE(std::signbit(again->Ratio));
    EXPECT_EQ(again->Precise, root->Precise);
}

TEST_F(FormStreamTest, ParserKeepsLinesOfTokens)
{
    const TFormTokens tokens = ParseFormText("object A: TB\r\n  X = 1\r\r\n  Y = 'a' +\n    'b'\nend");
    ASSERT_GE(tokens.size(), 6u);
    EXPECT_EQ(tokens[1].Text, "X");
    EXPECT_EQ(tokens[1].Line, 2);
    EXPECT_EQ(tokens[3].Text, "Y");
    EXPECT_EQ(tokens[3].Line, 4);
    EXPECT_EQ(tokens[4].Text, "ab");
    EXPECT_EQ(tokens[4].Type, vaString);
}

}  // namespace
