#pragma once
// The editor kit's controls as the page binder's fields: each adapter
// reads and writes its control through the kit's event-free accessors.

#include <memory>

#include "components/editor/kPlotEditorFields.h"

class TComponent;

// Base of the adapters, so that a dialog can keep them together.
class TkPlotEditorKitField {
public:
    virtual ~TkPlotEditorKitField() = default;
};

// The adapter of Control as a field of each kind, or nullptr when Control
// is of no class that can serve as that kind.
std::unique_ptr<TkPlotEditorKitField> MakeKitTextField(TComponent* Control);
std::unique_ptr<TkPlotEditorKitField> MakeKitCheckField(TComponent* Control);
std::unique_ptr<TkPlotEditorKitField> MakeKitChoiceField(TComponent* Control);
std::unique_ptr<TkPlotEditorKitField> MakeKitColorField(TComponent* Control);
std::unique_ptr<TkPlotEditorKitField> MakeKitFontField(TComponent* Control);
