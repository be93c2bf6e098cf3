#include <gtest/gtest.h>

#include "platform/FormStream.h"
#include "platform/TypInfo.h"
#include "support/Painted.h"

namespace {

// A component holding a bitmap as a published sub-object, as glyph
// properties do.
class TGlyphHolder : public TComponent {
    PL_CLASSINFO()
public:
    using TComponent::TComponent;
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* Value) { FGlyph->Assign(Value); }

private:
    TOwned<TBitmap> FGlyph = CreateOwned<TBitmap>();
};

TClass TGlyphHolder::StaticClassInfo()
{
    static const TClassInfo info =
        TClassBuilder<TGlyphHolder, TComponent>("TGlyphHolder").Object("Glyph", &TGlyphHolder::Glyph, &TGlyphHolder::SetGlyph).Build();
    return &info;
}

}  // namespace

TEST(BitmapFormData, GlyphsSurviveFormTextAndBadDataChangesNothing)
{
    TOwned<TGlyphHolder> holder = CreateOwned<TGlyphHolder>(nullptr);
    holder->SetName("Holder");
    EXPECT_EQ(WriteComponent(holder.get()).find("Glyph.Data"), String::npos);  // empty: nothing stored

    holder->SetGlyph(PatternBitmap(5, 3, 9).get());
    const String text = WriteComponent(holder.get());
    EXPECT_NE(text.find("Glyph.Data = {"), String::npos);
    TOwned<TGlyphHolder> copy = CreateOwned<TGlyphHolder>(nullptr);
    ReadComponent(text, copy.get());
    EXPECT_TRUE(SamePixels(copy->Glyph(), holder->Glyph()));

    // A size beyond the data, a size of 0 and a broken image each raise
    // and leave the bitmap as it was.
    for (const char* data : {"FF000000424D", "00000000", "06000000424D00000000"}) {
        EXPECT_THROW(ReadComponent(String("object Holder: TGlyphHolder\n  Glyph.Data = {") + data + "}\nend\n",
                                   copy.get()),
                     Exception)
            << data;
        EXPECT_TRUE(SamePixels(copy->Glyph(), holder->Glyph())) << data;
    }
}
