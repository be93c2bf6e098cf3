#include "app/JOV.h"

#include <algorithm>
#include <bit>

#include "components/plot/channel/xy/kPlotXYChannel.h"

TForm1* Form1 = nullptr;

namespace {

constexpr Integer kChoiceCount = 4;
constexpr Integer kFirstSequenceItem = 2;

// The shift-register masks: taps [7,6,4,2] and [7,5,4,3,2,1].
constexpr Byte kM1Mask = 0x6A;
constexpr Byte kM2Mask = 0x5F;
constexpr Byte kRegisterBits = 0x7F;
constexpr Byte kSeedState = 255;
// Two full periods of the 7-bit sequences.
constexpr Integer kChipCount = 2 * 127;

// Kept in extended precision and applied by one multiplication after the
// sum, so that every integer sum n gives exactly n/360.0 or n/127.0.
constexpr Extended kPulseScale = 1.0L / 360;
constexpr Extended kSequenceScale = 1.0L / 127;

constexpr Double kTriangleStep = 0.0055;
constexpr Integer kTriangleRun = 180;

// Where the signals sit: the first in the middle third, the second at the
// start, so that the delays slide the second across the first.
constexpr Integer kPulseLength = 360;
constexpr Integer kXPulseStart = 360;
constexpr Integer kXSequenceStart = 412;
constexpr Integer kYStart = 0;

const char* const kStartText = "Mise en marche";
const char* const kTapsText = "sequence m1[7,6,4,2] sequence m2[7,5,4,3,2,1]";
const char* const kDirectText = " calcul instantané ";
const char* const kSweepText = " calcul de l'aire commune x et y donne un point sur Cxy(t) ou Cxy(n) ";

using TSignal = TForm1::TSignal;

void FillPulse(TSignal& Signal, Integer First)
{
    std::fill_n(Signal.begin() + First, kPulseLength, 1.0);
}

// A running sum, value by value, as the samples have always been built:
// the last falling sample is a rounding residue near zero, not zero.
void FillTriangle(TSignal& Signal, Integer First)
{
    Double r = 0.0;
    for (Integer i = 0; i < kTriangleRun; ++i) {
        r = r + kTriangleStep;
        Signal[First + i] = r;
    }
    for (Integer i = kTriangleRun; i < 2 * kTriangleRun; ++i) {
        r = r - kTriangleStep;
        Signal[First + i] = r;
    }
}

// Sum over i in increasing order of W[i] * X[i], rounded to double at every
// step, then scaled.
Double CorrelationPoint(const TSignal& W, const TSignal& X, Extended Scale)
{
    Double acc = 0.0;
    for (Integer i = 0; i < TForm1::SampleCount; ++i) acc = acc + W[i] * X[i];
    return static_cast<Double>(acc * Scale);
}

// Delays the signal by one sample: zero comes in, the last sample is lost.
void DelayOneSample(TSignal& W)
{
    std::copy_backward(W.begin(), W.end() - 1, W.end());
    W[0] = 0.0;
}

// Replaces the points of the plot's channel by the signal's (none for nullptr).
void DrawSignal(TkXYPlot* Plot, const TSignal* Signal)
{
    auto* channel = Plot->GetChannel(0);
    channel->Clear();
    if (!Signal) return;
    for (Integer i = 0; i < TForm1::SampleCount; ++i) channel->AddXY(i, (*Signal)[i]);
}

Byte NextChip(Byte& State, Byte Mask)
{
    const Byte taps = State & Mask;
    State = (State << 1) & kRegisterBits;
    const Byte bit = std::popcount(static_cast<unsigned>(taps)) & 1;
    State |= bit;
    return bit;
}

// Items 0..3 choose a table; anything else (no choice, the empty item,
// text typed into the combo box) chooses none.
bool IsTableChoice(Integer ItemIndex) { return ItemIndex >= 0 && ItemIndex < kChoiceCount; }

}  // namespace

TClass TForm1::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TForm1, TForm>("TForm1")
                                       .Field("Panel10", &TForm1::Panel10)
                                       .Field("Panel11", &TForm1::Panel11)
                                       .Field("kXYPlot1", &TForm1::kXYPlot1)
                                       .Field("MainMenu1", &TForm1::MainMenu1)
                                       .Field("File1", &TForm1::File1)
                                       .Field("N1", &TForm1::N1)
                                       .Field("Exit1", &TForm1::Exit1)
                                       .Field("kXYPlot3", &TForm1::kXYPlot3)
                                       .Field("kXYPlot2", &TForm1::kXYPlot2)
                                       .Field("Timer1", &TForm1::Timer1)
                                       .Field("Panel1", &TForm1::Panel1)
                                       .Field("Label1", &TForm1::Label1)
                                       .Field("Panel2", &TForm1::Panel2)
                                       .Field("ComboBox2", &TForm1::ComboBox2)
                                       .Field("ComboBox1", &TForm1::ComboBox1)
                                       .Field("Label2", &TForm1::Label2)
                                       .Field("Label3", &TForm1::Label3)
                                       .Field("Label4", &TForm1::Label4)
                                       .Field("Panel3", &TForm1::Panel3)
                                       .Field("Button1", &TForm1::Button1)
                                       .Field("kSwitchLed1", &TForm1::kSwitchLed1)
                                       .Field("Label5", &TForm1::Label5)
                                       .Field("QdStrEdit1", &TForm1::QdStrEdit1)
                                       .Field("Image1", &TForm1::Image1)
                                       .Field("QdStrEdit2", &TForm1::QdStrEdit2)
                                       .Method<TNotifyEvent>("ComboBox2click", &TForm1::ComboBox2click)
                                       .Method<TNotifyEvent>("ComboBox1Click", &TForm1::ComboBox1Click)
                                       .Method<TNotifyEvent>("calcul", &TForm1::calcul)
                                       .Method<TNotifyEvent>("interact", &TForm1::interact)
                                       .Method<TNotifyEvent>("graph", &TForm1::graph)
                                       .Method<TNotifyEvent>("close", &TForm1::close)
                                       .Build();
    return &info;
}

TForm1::TForm1(TComponent* AOwner) : TForm(AOwner) {}

void TForm1::AfterConstruction()
{
    TForm::AfterConstruction();  // reads the form data
    FState = kSeedState;
    FillTables();
    QdStrEdit1->SetText(kStartText);
    QdStrEdit2->SetText(kTapsText);
}

void TForm1::FillTables()
{
    FillPulse(FXTables[0], kXPulseStart);
    FillTriangle(FXTables[1], kXPulseStart);
    FillSequence(FXTables[2], kXSequenceStart, &TForm1::NextM1Chip);
    FillSequence(FXTables[3], kXSequenceStart, &TForm1::NextM2Chip);
    FillPulse(FYTables[0], kYStart);
    FillTriangle(FYTables[1], kYStart);
    FillSequence(FYTables[2], kYStart, &TForm1::NextM1Chip);
    FillSequence(FYTables[3], kYStart, &TForm1::NextM2Chip);
}

void TForm1::FillSequence(TSignal& Signal, Integer First, Byte (TForm1::*Chip)())
{
    FState = kSeedState;
    for (Integer i = 0; i < kChipCount; ++i) Signal[First + i] = (this->*Chip)();
}

Byte TForm1::NextM1Chip() { return NextChip(FState, kM1Mask); }

Byte TForm1::NextM2Chip() { return NextChip(FState, kM2Mask); }

const TForm1::TSignal* TForm1::ChosenX() const
{
    const Integer item = ComboBox2->ItemIndex();
    return IsTableChoice(item) ? &FXTables[item] : nullptr;
}

const TForm1::TSignal* TForm1::ChosenY() const
{
    const Integer item = ComboBox1->ItemIndex();
    return IsTableChoice(item) ? &FYTables[item] : nullptr;
}

Extended TForm1::ChosenScale() const
{
    return ComboBox2->ItemIndex() < kFirstSequenceItem ? kPulseScale : kSequenceScale;
}

void TForm1::ComboBox2click(TObject*) { DrawSignal(kXYPlot1, ChosenX()); }

void TForm1::ComboBox1Click(TObject*) { DrawSignal(kXYPlot3, ChosenY()); }

void TForm1::calcul(TObject*)
{
    auto* curve = kXYPlot2->GetChannel(0);
    curve->Clear();
    QdStrEdit1->SetText(kDirectText);
    // Without a second signal the sums run over zeros: a flat curve.
    TSignal w{};
    if (const TSignal* y = ChosenY()) w = *y;
    FCurve.fill(0.0);
    if (const TSignal* x = ChosenX()) {
        const Extended scale = ChosenScale();
        for (Integer k = 0; k < SampleCount; ++k) {
            FCurve[k] = CorrelationPoint(w, *x, scale);
            DelayOneSample(w);
        }
    }
    for (Integer k = 0; k < SampleCount; ++k) curve->AddXY(k, FCurve[k]);
}

// Bound to the switch's change, so the step run follows the LED whatever
// turned it (click, key, accelerator): on starts a new sweep, off stops the
// run where it is.
void TForm1::interact(TObject*)
{
    const bool on = kSwitchLed1->Active();
    if (on == Timer1->Enabled()) return;
    if (on) {
        FCurve.fill(0.0);
        FStep = 0;
    }
    Timer1->SetEnabled(on);
}

void TForm1::graph(TObject*)
{
    if (FStep == 0) StartSweep();
    if (const TSignal* x = ChosenX()) FCurve[FStep] = CorrelationPoint(FSliding, *x, ChosenScale());
    DrawSignal(kXYPlot3, &FSliding);
    kXYPlot2->GetChannel(0)->AddXY(FStep, FCurve[FStep]);
    DelayOneSample(FSliding);
    FStep = (FStep + 1) % SampleCount;
}

void TForm1::StartSweep()
{
    if (const TSignal* y = ChosenY()) FSliding = *y;
    kXYPlot2->GetChannel(0)->Clear();
    QdStrEdit1->SetText(kSweepText);
}

void TForm1::close(TObject*) { Close(); }
