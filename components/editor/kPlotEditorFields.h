#pragma once
// The controls of the plot editor's pages as the page binder sees them:
// typed values, set without firing the controls' events. The dialog wraps
// each of its controls in one of these; the binder never knows a control
// class, which keeps the binding testable without a window.

#include "platform/Graphics.h"

class TStrings;

class TkPlotEditorTextField {
public:
    virtual String Text() const = 0;
    virtual void SetText(const String& Value) = 0;

protected:
    ~TkPlotEditorTextField() = default;
};

class TkPlotEditorCheckField {
public:
    virtual bool Checked() const = 0;
    virtual void SetChecked(bool Value) = 0;

protected:
    ~TkPlotEditorCheckField() = default;
};

// A combo box or a radio group: a list of items, one of them chosen (-1
// for none); an editable combo box also holds free text.
class TkPlotEditorChoiceField : public TkPlotEditorTextField {
public:
    virtual Integer ItemIndex() const = 0;
    virtual void SetItemIndex(Integer Value) = 0;
    virtual TStrings& Items() = 0;

protected:
    ~TkPlotEditorChoiceField() = default;
};

class TkPlotEditorColorField {
public:
    virtual TColor Color() const = 0;
    virtual void SetColor(TColor Value) = 0;

protected:
    ~TkPlotEditorColorField() = default;
};

class TkPlotEditorFontField {
public:
    virtual TFont& Font() = 0;

protected:
    ~TkPlotEditorFontField() = default;
};

// The fields of a dialog by control name. Each raises EComponentError when
// the dialog has no control of that name and kind: the form data and the
// page tables disagree.
class TkPlotEditorFields {
public:
    virtual TkPlotEditorTextField& TextField(const String& Name) = 0;
    virtual TkPlotEditorCheckField& CheckField(const String& Name) = 0;
    virtual TkPlotEditorChoiceField& ChoiceField(const String& Name) = 0;
    virtual TkPlotEditorColorField& ColorField(const String& Name) = 0;
    virtual TkPlotEditorFontField& FontField(const String& Name) = 0;

protected:
    ~TkPlotEditorFields() = default;
};
