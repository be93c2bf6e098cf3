#include "components/editor/kPlotEditorBinder.h"

#include <vector>

#include "components/plot/component/kPlotMasterManager.h"
#include "platform/SysUtils.h"

namespace {

// What the plot stores for the special items of name combo boxes, whatever
// the items show in the user's language.
const String NoneName = "<None>";
const String AllName = "<All>";

bool ListsNone(TkPlotEditorSpecialItems Special) { return Special != kesAll; }
bool ListsAll(TkPlotEditorSpecialItems Special) { return Special != kesNone; }

// The position of the first name: after a leading special item.
constexpr Integer FirstNameIndex = 1;

[[noreturn]] void RaiseKindMismatch(const TkPlotEditorRow& Row)
{
    throw EConvertError(Format("The editor control %s cannot show the property %s", Row.Control, Row.Property));
}

[[noreturn]] void RaiseBadNumber(const TkPlotEditorRow& Row, const String& Text)
{
    throw EConvertError(Format("'%s' is not a valid value for %s", TextExcerpt(Text), Row.Property));
}

bool IsOrdinal(PPropInfo Prop) { return Prop->Kind == tkInteger || Prop->Kind == tkInt64; }
bool IsEnumeration(PPropInfo Prop) { return Prop->Kind == tkEnumeration; }

}  // namespace

TkPlotEditorBinder::TkPlotEditorBinder(TkPlotEditorFields& Fields, const TkPlotMasterManagerCustom& Master)
    : FFields(Fields), FMaster(Master)
{
}

// ---------------------------------------------------------------------------
// Name combo boxes
// ---------------------------------------------------------------------------

String TkPlotEditorBinder::Translated(const String& Canonical) const
{
    String result = Canonical;
    if (const TkPlotTranslationManager* table = FMaster.TranslationManager()) table->FindReplacement(Canonical, result);
    return result;
}

void TkPlotEditorBinder::RefillNameChoices(const TkPlotEditorPage& Page, const TkPlotObject* Renamed)
{
    for (const TkPlotEditorRow& row : Page.Rows)
        if (row.Kind == kecNameCombo) RefillNames(row, Renamed);
}

void TkPlotEditorBinder::RefillNames(const TkPlotEditorRow& Row, const TkPlotObject* Renamed)
{
    TkPlotEditorChoiceField& field = FFields.ChoiceField(Row.Control);
    String chosen = field.ItemIndex() >= 0 ? field.Items().Strings(field.ItemIndex()) : String();
    if (Renamed && Renamed->Kind() == Row.Names && !chosen.empty() && SameText(chosen, Renamed->NameOld()))
        chosen = Renamed->Name();
    TStrings& items = field.Items();
    items.BeginUpdate();
    items.Clear();
    items.Add(Translated(ListsNone(Row.Special) ? NoneName : AllName));
    FMaster.ForEachObjectOf(Row.Names, [&](TkPlotObject* o) {
        if (o != FLeaving) items.Add(o->Name());
    });
    if (Row.Special == kesNoneAndAll) items.Add(Translated(AllName));
    items.EndUpdate();
    field.SetItemIndex(chosen.empty() ? -1 : items.IndexOf(chosen));
}

Integer TkPlotEditorBinder::NameIndex(const TkPlotEditorRow& Row, const String& Name)
{
    TStrings& items = FFields.ChoiceField(Row.Control).Items();
    if (SameText(Name, NoneName) && ListsNone(Row.Special)) return 0;
    if (SameText(Name, AllName) && ListsAll(Row.Special)) return Row.Special == kesAll ? 0 : items.Count() - 1;
    const Integer end = items.Count() - (Row.Special == kesNoneAndAll ? 1 : 0);
    for (Integer i = FirstNameIndex; i < end; ++i)
        if (SameText(items.Strings(i), Name)) return i;
    return -1;
}

TValue TkPlotEditorBinder::NameValue(const TkPlotEditorRow& Row)
{
    TkPlotEditorChoiceField& field = FFields.ChoiceField(Row.Control);
    const Integer index = field.ItemIndex();
    const String text = index >= 0 && index < field.Items().Count() ? field.Items().Strings(index) : Trim(field.Text());
    // A name not listed (an axis a configuration is about to add) is kept:
    // an empty choice never erases it.
    if (text.empty()) return {};
    if (ListsNone(Row.Special) && (index == 0 || SameText(text, Translated(NoneName)))) return NoneName;
    if (ListsAll(Row.Special) && SameText(text, Translated(AllName)) &&
        (index < 0 || index == NameIndex(Row, AllName)))
        return AllName;
    return text;
}

// ---------------------------------------------------------------------------
// Loading
// ---------------------------------------------------------------------------

void TkPlotEditorBinder::Load(const TkPlotEditorPage& Page, TObject* Object)
{
    RefillNameChoices(Page);
    for (const TkPlotEditorRow& row : Page.Rows)
        if (PPropInfo prop = Object->ClassInfo()->FindProperty(row.Property)) LoadRow(row, prop, Object);
}

void TkPlotEditorBinder::LoadRow(const TkPlotEditorRow& Row, PPropInfo Prop, TObject* Object)
{
    switch (Row.Kind) {
    case kecEdit:
    case kecMemo: {
        TkPlotEditorTextField& field = FFields.TextField(Row.Control);
        if (Prop->Kind == tkString) field.SetText(GetStrProp(Object, Prop));
        else if (IsOrdinal(Prop)) field.SetText(IntToStr(GetOrdProp(Object, Prop)));
        else if (Prop->Kind == tkFloat) {
            const String text = FloatToStrF(GetFloatProp(Object, Prop), ffGeneral, Row.ShownDigits, 0);
            field.SetText(text);
            FLoadedFloats.insert_or_assign(Row.Control, text);
        } else RaiseKindMismatch(Row);
        return;
    }
    case kecCheck:
        if (!IsEnumeration(Prop)) RaiseKindMismatch(Row);
        FFields.CheckField(Row.Control).SetChecked(GetOrdProp(Object, Prop) != 0);
        return;
    case kecCombo:
    case kecRadio: {
        TkPlotEditorChoiceField& field = FFields.ChoiceField(Row.Control);
        if (IsEnumeration(Prop)) field.SetItemIndex(static_cast<Integer>(GetOrdProp(Object, Prop)));
        else if (Prop->Kind == tkString && Row.Kind == kecCombo) field.SetText(GetStrProp(Object, Prop));
        else RaiseKindMismatch(Row);
        return;
    }
    case kecNameCombo:
        if (Prop->Kind != tkString) RaiseKindMismatch(Row);
        FFields.ChoiceField(Row.Control).SetItemIndex(NameIndex(Row, GetStrProp(Object, Prop)));
        return;
    case kecColor:
        if (!IsOrdinal(Prop)) RaiseKindMismatch(Row);
        FFields.ColorField(Row.Control).SetColor(static_cast<TColor>(GetOrdProp(Object, Prop)));
        return;
    case kecFont: {
        auto* font = dynamic_cast<TFont*>(Prop->Kind == tkClass ? GetObjectProp(Object, Prop) : nullptr);
        if (!font) RaiseKindMismatch(Row);
        FFields.FontField(Row.Control).Font().Assign(font);
        return;
    }
    }
}

// ---------------------------------------------------------------------------
// Writing
// ---------------------------------------------------------------------------

void TkPlotEditorBinder::Write(const TkPlotEditorPage& Page, TObject* Object)
{
    struct TPending {
        PPropInfo Prop;
        TValue Value;
    };
    std::vector<TPending> pending;
    pending.reserve(Page.Rows.size());
    for (const TkPlotEditorRow& row : Page.Rows) {
        PPropInfo prop = Object->ClassInfo()->FindProperty(row.Property);
        if (!prop) continue;
        TValue value = RowValue(row, prop);
        if (!value.IsEmpty()) pending.push_back({prop, std::move(value)});
    }
    for (const TPending& p : pending) {
        // Fonts are assigned, also where the property has no setter.
        if (p.Prop->Kind == tkClass && !p.Prop->HasSetter())
            static_cast<TPersistent*>(GetObjectProp(Object, p.Prop))->Assign(static_cast<TPersistent*>(p.Value.AsObject()));
        else SetPropValue(Object, p.Prop, p.Value);
    }
}

TValue TkPlotEditorBinder::RowValue(const TkPlotEditorRow& Row, PPropInfo Prop)
{
    switch (Row.Kind) {
    case kecEdit:
    case kecMemo:
        return EditValue(Row, Prop);
    case kecCheck:
        if (!IsEnumeration(Prop)) RaiseKindMismatch(Row);
        return Int64{FFields.CheckField(Row.Control).Checked() ? 1 : 0};
    case kecCombo:
    case kecRadio:
        return ChoiceValue(Row, Prop);
    case kecNameCombo:
        if (Prop->Kind != tkString) RaiseKindMismatch(Row);
        return NameValue(Row);
    case kecColor:
        if (!IsOrdinal(Prop)) RaiseKindMismatch(Row);
        return Int64{FFields.ColorField(Row.Control).Color()};
    case kecFont:
        if (Prop->Kind != tkClass) RaiseKindMismatch(Row);
        return TValue(static_cast<TObject*>(&FFields.FontField(Row.Control).Font()));
    }
    RaiseKindMismatch(Row);
}

// A field being cleared to type a new number holds no number for a while:
// it reads 0, as the editor's edits read it.
TValue TkPlotEditorBinder::EditValue(const TkPlotEditorRow& Row, PPropInfo Prop)
{
    const String text = FFields.TextField(Row.Control).Text();
    if (Prop->Kind == tkString) return text;
    const String trimmed = Trim(text);
    if (IsOrdinal(Prop)) {
        Int64 value = 0;
        if (!TryStrToInt64(trimmed, value)) value = 0;
        if (value < Prop->Type->MinValue || value > Prop->Type->MaxValue) RaiseBadNumber(Row, text);
        return value;
    }
    if (Prop->Kind != tkFloat) RaiseKindMismatch(Row);
    if (auto loaded = FLoadedFloats.find(Row.Control); loaded != FLoadedFloats.end() && loaded->second == text) return {};
    Extended value = 0;
    if (!TryStrToFloat(trimmed, value)) value = 0;
    return value;
}

TValue TkPlotEditorBinder::ChoiceValue(const TkPlotEditorRow& Row, PPropInfo Prop)
{
    TkPlotEditorChoiceField& field = FFields.ChoiceField(Row.Control);
    if (Prop->Kind == tkString && Row.Kind == kecCombo) return field.Text();
    if (!IsEnumeration(Prop)) RaiseKindMismatch(Row);
    // No choice, or one the enumeration does not have: the property keeps
    // its value rather than take an ordinal it cannot hold.
    const Int64 index = field.ItemIndex();
    if (index < Prop->Type->MinValue || index > Prop->Type->MaxValue) return {};
    return index;
}
