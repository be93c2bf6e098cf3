#pragma once
// The main window: two test signals, their auto- or cross-correlation
// computed at once or one shift per timer tick, and three plots that show
// the first signal, the (shifted) second signal and the correlation curve.

#include <array>

#include "components/foundation/kSwitchLed.h"
#include "components/plot/component/kXYPlot.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"
#include "widgets/QdEdit.h"

class TForm1 : public TForm {
    PL_CLASSINFO()
public:
    // Samples per signal, and shifts per correlation curve.
    static constexpr Integer SampleCount = 1080;
    using TSignal = std::array<Double, SampleCount>;

    explicit TForm1(TComponent* AOwner);
    void AfterConstruction() override;

    // Published components, created by the form data.
    TPanel* Panel10 = nullptr;
    TPanel* Panel11 = nullptr;
    TkXYPlot* kXYPlot1 = nullptr;
    TMainMenu* MainMenu1 = nullptr;
    TMenuItem* File1 = nullptr;
    TMenuItem* N1 = nullptr;
    TMenuItem* Exit1 = nullptr;
    TkXYPlot* kXYPlot3 = nullptr;
    TkXYPlot* kXYPlot2 = nullptr;
    TTimer* Timer1 = nullptr;
    TPanel* Panel1 = nullptr;
    TLabel* Label1 = nullptr;
    TPanel* Panel2 = nullptr;
    TComboBox* ComboBox2 = nullptr;
    TComboBox* ComboBox1 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label3 = nullptr;
    TLabel* Label4 = nullptr;
    TPanel* Panel3 = nullptr;
    TButton* Button1 = nullptr;
    TkSwitchLed* kSwitchLed1 = nullptr;
    TLabel* Label5 = nullptr;
    TQdStrEdit* QdStrEdit1 = nullptr;
    TImage* Image1 = nullptr;
    TQdStrEdit* QdStrEdit2 = nullptr;

    // Published handlers, bound by the form data.
    void ComboBox2click(TObject* Sender);
    void ComboBox1Click(TObject* Sender);
    void calcul(TObject* Sender);
    void interact(TObject* Sender);
    void graph(TObject* Sender);
    void close(TObject* Sender);

    // The two m-sequence generators: each advances the shared shift
    // register by one step and returns the output bit.
    Byte NextM1Chip();
    Byte NextM2Chip();

private:
    void FillTables();
    void FillSequence(TSignal& Signal, Integer First, Byte (TForm1::*Chip)());
    // The tables chosen in the combo boxes; nullptr when none is.
    const TSignal* ChosenX() const;
    const TSignal* ChosenY() const;
    // The scale of the correlation sums, which follows the first signal.
    Extended ChosenScale() const;
    void StartSweep();

    // Items 0..3 of ComboBox2 (square, triangle, m1, m2), then of ComboBox1.
    std::array<TSignal, 4> FXTables{};
    std::array<TSignal, 4> FYTables{};
    TSignal FCurve{};
    TSignal FSliding{};
    Integer FStep = 0;
    Byte FState = 0;
};

extern TForm1* Form1;
