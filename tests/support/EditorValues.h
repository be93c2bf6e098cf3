#pragma once
// Values for the editor's page tests: every property a page binds set to
// something other than what it holds, and the object's state to compare
// before and after a page's round trip.

#include <vector>

#include "components/editor/kPlotEditorPages.h"
#include "components/foundation/kCommonRoutines.h"
#include "components/plot/component/kPlotMasterManager.h"
#include "platform/Graphics.h"

namespace EditorTest {

// Everything the object publishes, as property text.
inline String PropertyText(TObject* Object)
{
    TStringList lines;
    SavePublishedProperties(Object, "", lines, false);
    return lines.Text();
}

// Every float the object publishes, exactly (property text rounds them).
inline std::vector<Extended> Floats(TObject* Object)
{
    std::vector<Extended> values;
    for (PPropInfo prop : GetPropList(Object))
        if (prop->Kind == tkFloat) values.push_back(GetFloatProp(Object, prop));
    return values;
}

// A value other than the present one in every row the object publishes:
// names of the last object of the kind a name combo lists, floats that
// need all 17 digits.
inline void GiveNonDefaultValues(const TkPlotMasterManagerCustom& Master, const TkPlotEditorPage& Page,
                                 TObject* Object)
{
    for (const TkPlotEditorRow& row : Page.Rows) {
        PPropInfo prop = Object->ClassInfo()->FindProperty(row.Property);
        if (!prop || !prop->HasSetter()) continue;
        switch (prop->Kind) {
        case tkString:
            if (row.Kind == kecNameCombo) {
                TkPlotObjectManagerCustom* names = Master.Manager(row.Names);
                SetStrProp(Object, prop, names->GetItem(names->Count() - 1)->Name());
            } else {
                SetStrProp(Object, prop, String("Text ") + row.Property);
            }
            break;
        case tkEnumeration:
            SetOrdProp(Object, prop, (GetOrdProp(Object, prop) + 1) % (prop->Type->MaxValue + 1));
            break;
        case tkInteger:
            SetOrdProp(Object, prop, prop->IdentTable == "TColor" ? clTeal : GetOrdProp(Object, prop) + 2);
            break;
        case tkFloat:
            SetFloatProp(Object, prop, GetFloatProp(Object, prop) + 0.1 + 0.2);
            break;
        case tkClass:
            static_cast<TFont*>(GetObjectProp(Object, prop))->SetSize(17);
            break;
        default:
            break;
        }
    }
}

}  // namespace EditorTest
