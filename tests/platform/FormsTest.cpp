// Forms built from form data, the application object, modal forms,
// closing and exception handling.

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/FormStream.h"
#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/Resources.h"
#include "platform/StdCtrls.h"
#include "platform/Testing.h"
#include "support/EventLog.h"
#include "support/ExceptionCatcher.h"

using namespace Testing;

namespace {

const char FormText[] = R"(object ProbeForm: TProbeForm
  Left = 0
  Top = 0
  Caption = 'Essai'
  ClientHeight = 272
  ClientWidth = 576
  Color = clBtnFace
  Font.Height = -11
  Font.Name = 'Tahoma'
  Menu = MainMenu1
  PixelsPerInch = 96
  object Panel1: TPanel
    Left = 8
    Top = 8
    Width = 300
    Height = 200
    TabOrder = 0
    object Label1: TLabel
      Left = 10
      Top = 10
      Width = 80
      Height = 13
      Caption = 'Choix du signal'
      Font.Height = -16
      Font.Color = clRed
      ParentFont = False
    end
    object ComboBox1: TComboBox
      Left = 10
      Top = 40
      Width = 190
      Height = 21
      Text = 'waveform'
      OnClick = Chosen
      Items.Strings = (
        'un'
        'deux')
    end
    object Button1: TButton
      Left = 10
      Top = 80
      Width = 105
      Height = 57
      Caption = 'Calcul direct'
      OnClick = Pressed
    end
  end
  object MainMenu1: TMainMenu
    object File1: TMenuItem
      Caption = '&File'
      object N1: TMenuItem
        Caption = '-'
      end
      object Exit1: TMenuItem
        Caption = 'E&xit'
        OnClick = Quit
      end
    end
  end
  object Timer1: TTimer
    Enabled = False
    Interval = 50
    OnTimer = Tick
  end
end
)";

// An application form: fields bound to its components by name, handlers
// published for the form data.
class TProbeForm : public TForm {
    PL_CLASSINFO()
public:
    using TForm::TForm;

    TPanel* Panel1 = nullptr;
    TLabel* Label1 = nullptr;
    TComboBox* ComboBox1 = nullptr;
    TButton* Button1 = nullptr;
    TMainMenu* MainMenu1 = nullptr;
    TMenuItem* File1 = nullptr;
    TMenuItem* N1 = nullptr;
    TMenuItem* Exit1 = nullptr;
    TTimer* Timer1 = nullptr;

    TEventLog Log;
    void Chosen(TObject*) { Log.push_back("chosen " + IntToStr(ComboBox1->ItemIndex())); }
    void Pressed(TObject*) { Log.push_back("pressed"); }
    void Quit(TObject*) { Close(); }
    void Tick(TObject*) { Log.push_back("tick"); }

    // Construction code that follows the form data.
    void AfterConstruction() override
    {
        TForm::AfterConstruction();
        Log.push_back("constructed, button " + String(Button1 ? Button1->Caption() : "missing"));
        OnCreate = [this](TObject*) { Log.push_back("OnCreate"); };
    }
};

TClass TProbeForm::StaticClassInfo()
{
    using C = TProbeForm;
    static const TClassInfo info = TClassBuilder<C, TForm>("TProbeForm")
                                       .Field("Panel1", &C::Panel1)
                                       .Field("Label1", &C::Label1)
                                       .Field("ComboBox1", &C::ComboBox1)
                                       .Field("Button1", &C::Button1)
                                       .Field("MainMenu1", &C::MainMenu1)
                                       .Field("File1", &C::File1)
                                       .Field("N1", &C::N1)
                                       .Field("Exit1", &C::Exit1)
                                       .Field("Timer1", &C::Timer1)
                                       .Method<TNotifyEvent>("Chosen", &C::Chosen)
                                       .Method<TNotifyEvent>("Pressed", &C::Pressed)
                                       .Method<TNotifyEvent>("Quit", &C::Quit)
                                       .Method<TNotifyEvent>("Tick", &C::Tick)
                                       .Build();
    return &info;
}

class FormsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        RegisterResource("TPROBEFORM", reinterpret_cast<const unsigned char*>(FormText), std::strlen(FormText));
    }
    void TearDown() override
    {
        Input::Flush();
        Answers::Clear();
    }
};

}  // namespace

TEST_F(FormsTest, FormDataBuildsTheControlsAndBindsFieldsAndHandlers)
{
    auto* form = Create<TProbeForm>(nullptr);
    EXPECT_EQ(form->Log, (TEventLog{"constructed, button Calcul direct", "OnCreate"}));
    EXPECT_EQ(form->Caption(), "Essai");
    ASSERT_TRUE(form->Label1 && form->ComboBox1 && form->Timer1 && form->Exit1);
    EXPECT_EQ(form->Label1->Parent(), form->Panel1);
    EXPECT_EQ(form->Label1->Font()->Color(), clRed);
    EXPECT_EQ(form->Button1->Font()->Height(), -11);  // from the form
    EXPECT_EQ(form->ComboBox1->Items()->Count(), 2);
    EXPECT_EQ(form->ComboBox1->ItemIndex(), -1);
    EXPECT_EQ(form->ComboBox1->Text(), "waveform");
    EXPECT_FALSE(form->Timer1->Enabled());
    EXPECT_EQ(form->Timer1->Interval(), 50u);
    EXPECT_EQ(form->Menu(), form->MainMenu1);
    EXPECT_EQ(form->File1->Count(), 2);
    EXPECT_TRUE(form->N1->IsLine());
    // The client area keeps its size; borders, caption and menu bar add to it.
    EXPECT_EQ(form->ClientWidth(), 576);
    EXPECT_EQ(form->ClientHeight(), 272);
    EXPECT_EQ(form->Width(), 584);
    EXPECT_EQ(form->Height(), 306 + FormMenuBarHeight);
    form->Free();
}

TEST_F(FormsTest, WithoutMenuTheNonClientAreaIsBordersAndCaption)
{
    auto* form = Create<TForm>(nullptr);
    form->SetClientWidth(576);
    form->SetClientHeight(272);
    EXPECT_EQ(form->Width(), 584);
    EXPECT_EQ(form->Height(), 306);
    form->SetBorderStyle(bsNone);
    EXPECT_EQ(form->Width(), 576);
    EXPECT_EQ(form->ClientHeight(), 272);
    form->Free();
}

TEST_F(FormsTest, LabelTakesTheSizeOfItsText)
{
    auto* form = Create<TProbeForm>(nullptr);
    TLabel* label = form->Label1;
    const Integer width = label->Width();
    EXPECT_GT(width, 80);  // the form data's 80 was too small for the text at -16
    EXPECT_EQ(label->Height(), 19);
    label->SetCaption("Choix");
    EXPECT_LT(label->Width(), width);
    label->SetAutoSize(false);
    label->SetCaption("Choix du signal, plus long");
    EXPECT_LT(label->Width(), width);
    form->Free();
}

TEST_F(FormsTest, CreateFormSetsTheReferenceFirstAndTheFirstFormIsMain)
{
    struct TEarly : TForm {
        using TForm::TForm;
        TEarly** Ref = nullptr;
        bool SawItself = false;
    };
    static TEarly* early = nullptr;
    struct TChecking : TEarly {
        using TEarly::TEarly;
        void AfterConstruction() override
        {
            TEarly::AfterConstruction();
            SawItself = early == this;
        }
    };
    TCustomForm* previousMain = Application->MainForm();
    TChecking* form = nullptr;
    Application->CreateForm(form);
    early = form;
    EXPECT_EQ(form->Owner(), Application);
    if (!previousMain) {
        EXPECT_EQ(Application->MainForm(), form);
    }
    TChecking* second = nullptr;
    Application->CreateForm(second);
    EXPECT_NE(Application->MainForm(), second);
    second->Free();
    form->Free();
    EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST_F(FormsTest, ShowModalReturnsTheButtonsResultWhileATimerTicks)
{
    auto* owner = Create<TForm>(nullptr);
    owner->Show();
    auto* dialog = Create<TForm>(nullptr);
    auto* ok = Create<TButton>(dialog);
    ok->SetParent(dialog);
    ok->SetModalResult(mrOk);
    auto* timer = Create<TTimer>(owner);
    timer->SetInterval(50);
    int ticks = 0;
    timer->SetOnTimer([&](TObject*) { ++ticks; });
    bool ownerBlocked = false;
    Answers::Modal([&](TCustomForm* shown) {
        EXPECT_EQ(shown, dialog);
        EXPECT_TRUE(dialog->Modal());
        EXPECT_EQ(Screen->ActiveForm(), dialog);
        bool clicked = false;
        owner->OnClick = [&](TObject*) { clicked = true; };
        Input::Click(owner, mbLeft, 5, 5);
        ownerBlocked = !clicked;
        VirtualClock::Advance(200);
        Input::Click(ok, mbLeft, 3, 3);
    });
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_EQ(ticks, 4);
    EXPECT_TRUE(ownerBlocked);
    EXPECT_FALSE(dialog->Visible());
    EXPECT_EQ(Screen->ActiveForm(), owner);
    dialog->Free();
    owner->Free();
}

TEST_F(FormsTest, ModalCloseQueryCanRefuseAndCloseGivesCancel)
{
    auto* dialog = Create<TForm>(nullptr);
    int asked = 0;
    dialog->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = ++asked > 1; };
    Answers::Modal([&](TCustomForm*) {
        dialog->Close();
    });
    EXPECT_THROW(dialog->ShowModal(), EInvalidOperation);  // refused, and a test never waits
    EXPECT_FALSE(dialog->Visible());
    Answers::Modal([&](TCustomForm*) { dialog->Close(); });
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    dialog->Free();
}

TEST_F(FormsTest, UnansweredModalFormRaisesInsteadOfHanging)
{
    auto* dialog = Create<TForm>(nullptr);
    EXPECT_THROW(dialog->ShowModal(), EInvalidOperation);
    EXPECT_FALSE(dialog->Modal());
    EXPECT_FALSE(dialog->Visible());
    dialog->Free();
}

TEST_F(FormsTest, CloseActions)
{
    auto* form = Create<TForm>(nullptr);
    TWeakRef<TForm> alive(form);
    form->Show();
    bool canClose = false;
    form->OnCloseQuery = [&](TObject*, bool& ok) { ok = canClose; };
    TCloseAction action = caHide;
    form->OnClose = [&](TObject*, TCloseAction& a) { a = action; };
    form->Close();
    EXPECT_TRUE(form->Visible());
    canClose = true;
    action = caNone;
    form->Close();
    EXPECT_TRUE(form->Visible());
    action = caHide;
    form->Close();
    EXPECT_FALSE(form->Visible());
    form->Show();
    action = caFree;
    form->Close();
    EXPECT_TRUE(alive);  // released from the message loop
    Input::Flush();
    EXPECT_FALSE(alive);
}

TEST_F(FormsTest, ClosingTheMainFormEndsTheApplication)
{
    auto* form = Create<TProbeForm>(Application);
    TCustomForm* previousMain = Application->MainForm();
    form->Show();
    if (previousMain) GTEST_SKIP() << "another test left a main form";
    // Created with Create<T>, not CreateForm: not the main form.
    EXPECT_NE(Application->MainForm(), form);
    form->Free();
    TProbeForm* main = nullptr;
    Application->CreateForm(main);
    main->Show();
    main->Exit1->Click();  // the menu command calls Close
    EXPECT_TRUE(Application->Terminated());
    EXPECT_FALSE(main->Visible());
    main->Free();
}

TEST_F(FormsTest, ReleaseIsSafeWhenTheFormIsFreedFirst)
{
    auto* form = Create<TForm>(nullptr);
    form->Release();
    form->Free();
    Input::Flush();
    SUCCEED();
}

TEST_F(FormsTest, ExceptionInAClickReachesHandleException)
{
    ExceptionCatcher caught;
    auto* form = Create<TProbeForm>(nullptr);
    form->Show();
    form->Button1->OnClick = [](TObject*) { throw EConvertError("bad click"); };
    Input::Click(form->Button1, mbLeft, 5, 5);
    EXPECT_EQ(caught.Messages, (std::vector<String>{"bad click"}));
    form->Free();
}

TEST_F(FormsTest, HandleExceptionIgnoresAbortAndShowExceptionAddsAPeriod)
{
    try {
        throw EAbort("silent");
    } catch (...) {
        Application->HandleException(nullptr);
    }
    EXPECT_TRUE(Answers::MessageTexts().empty());
    for (const char* text : {"Valeur incorrecte", "Fin.", "Fichier é", "Déjà fini!"}) {
        Answers::Message();
        Application->ShowException(Exception(text));
    }
    EXPECT_EQ(Answers::MessageTexts(),
              (std::vector<String>{"Valeur incorrecte.", "Fin.", "Fichier é.", "Déjà fini!"}));
    Answers::Clear();
    Answers::Message();
    try {
        throw std::runtime_error("not ours");
    } catch (...) {
        Application->HandleException(nullptr);
    }
    EXPECT_EQ(Answers::MessageTexts(), (std::vector<String>{"not ours."}));
}

TEST_F(FormsTest, MessageDlgAsksTheAnswerer)
{
    Answers::Message(mrNo);
    EXPECT_EQ(MessageDlg("Enregistrer ?", mtConfirmation, mbYesNoCancel), mrNo);
    EXPECT_THROW(MessageDlg("Encore ?", mtConfirmation, mbYesNo), EInvalidOperation);
    EXPECT_EQ(Answers::MessageTexts(), (std::vector<String>{"Enregistrer ?", "Encore ?"}));
}

TEST_F(FormsTest, OwnersFreeTheirComponentsLastFirst)
{
    TEventLog order;
    struct TNoisy : TComponent {
        TEventLog* Order = nullptr;
        using TComponent::TComponent;
        void BeforeDestruction() override
        {
            Order->push_back(Name());
            TComponent::BeforeDestruction();
        }
    };
    auto* form = Create<TForm>(nullptr);
    for (const char* name : {"First", "Second", "Third"}) {
        auto* c = Create<TNoisy>(form);
        c->SetName(name);
        c->Order = &order;
    }
    auto* panel = Create<TPanel>(form);
    panel->SetParent(form);
    auto* button = Create<TButton>(form);  // owned by the form, parented on the panel
    button->SetParent(panel);
    TWeakRef<TButton> buttonAlive(button);
    form->Free();
    EXPECT_EQ(order, (TEventLog{"Third", "Second", "First"}));
    EXPECT_FALSE(buttonAlive);
}

TEST_F(FormsTest, MenuShortcutPostsTheItemsClick)
{
    auto* form = Create<TProbeForm>(nullptr);
    form->Show();
    form->Exit1->SetShortCut(ShortCut('Q', {ssCtrl}));
    form->Exit1->OnClick = [form](TObject*) { form->Log.push_back("exit"); };
    form->Button1->SetFocus();
    Input::Key('Q', {ssCtrl});
    EXPECT_TRUE(form->Log.back() != "exit");
    Input::Flush();
    EXPECT_EQ(form->Log.back(), "exit");
    EXPECT_EQ(ShortCutToText(form->Exit1->ShortCut()), "Ctrl+Q");
    EXPECT_EQ(TextToShortCut("Shift+Ctrl+F10"), ShortCut(VK_F10, {ssShift, ssCtrl}));
    form->Free();
}

TEST_F(FormsTest, UnitsInitialiseInOrderAndFinaliseInReverse)
{
    static TEventLog log;
    RegisterUnitInitialization("unitA", [] { log.push_back("A+"); }, [] { log.push_back("A-"); });
    RegisterUnitInitialization("unitB", [] { log.push_back("B+"); }, [] { log.push_back("B-"); });
    RegisterUnitInitialization("unitA", [] { log.push_back("again"); }, nullptr);
    InitializeUnits();
    InitializeUnits();
    EXPECT_EQ(log, (TEventLog{"A+", "B+"}));
    FinalizeUnits();
    EXPECT_EQ(log, (TEventLog{"A+", "B+", "B-", "A-"}));
    InitializeUnits();  // the platform's unit again, for the tests that follow
    EXPECT_NE(FindClass("TPanel"), nullptr);
}

TEST_F(FormsTest, WritingAFormNestsControlsUnderTheirParentsAndSkipsDefaults)
{
    auto* form = Create<TProbeForm>(nullptr);
    const String text = WriteComponent(form);
    const auto at = [&](const char* s) { return text.find(s); };
    ASSERT_NE(at("object Panel1: TPanel"), String::npos);
    EXPECT_LT(at("object Panel1: TPanel"), at("    object Label1: TLabel"));
    EXPECT_LT(at("    object Button1: TButton"), at("  object MainMenu1: TMainMenu"));
    EXPECT_LT(at("  object MainMenu1: TMainMenu"), at("    object File1: TMenuItem"));
    EXPECT_NE(at("OnClick = Pressed"), String::npos);
    EXPECT_NE(at("ClientHeight = 272"), String::npos);
    EXPECT_EQ(at("Visible = "), String::npos);
    EXPECT_EQ(at("ParentColor"), String::npos);
    EXPECT_EQ(at("ParentFont = True"), String::npos);
    form->Free();
}
