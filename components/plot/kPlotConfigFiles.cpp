// The plot's configuration file (every object's settings and the plot's
// own) and its annotation file.

#include <algorithm>

#include "components/foundation/kCommonRoutines.h"
#include "components/foundation/kErrorText.h"
#include "components/plot/kPlotComponent.h"
#include "components/plot/kPlotPropertyFiles.h"

namespace {

constexpr const char* kConfigFileType = "Plot Config";

// The sections of the configuration file, in file order.
struct TkConfigSection {
    const char* Word;
    TkPlotObjectKind Kind;
    Integer (TkPlotComponent::*Add)();
};
using P = TkPlotComponent;
constexpr TkConfigSection kSections[] = {
    {"Channel", kpokChannel, &P::AddChannel},          {"XAxis", kpokXAxis, &P::AddXAxis},
    {"YAxis", kpokYAxis, &P::AddYAxis},                {"ToolBar", kpokToolBar, &P::AddToolBar},
    {"Legend", kpokLegend, &P::AddLegend},             {"Table", kpokTable, &P::AddTable},
    {"Label", kpokLabel, &P::AddLabel},                {"DataView", kpokDataView, &P::AddDataView},
    {"DataCursor", kpokDataCursor, &P::AddDataCursor}, {"Limit", kpokLimit, &P::AddLimit}};
constexpr std::size_t kSectionCount = std::size(kSections);

// Where a control sits on its form belongs to the form; the configuration
// holds it only when asked to.
constexpr const char* kPlacementProperties[] = {"Left", "Top",     "Width",   "Height", "Align",       "Cursor",
                                                "ShowHint", "Tag", "Visible", "Enabled", "Hint", "HelpContext",
                                                "HelpKeyword"};

String CountName(const char* Word) { return String(Word) + "Count"; }

// The count of the named line (0 when missing or below 0). Every saved
// object writes at least one line: a count beyond the file's lines is no
// count of this file.
Integer ReadCount(const String& Name, TStrings& Lines)
{
    String text;
    if (!ExtractNamedLine(Name, text, Lines)) return 0;
    const Integer count = std::max(StrToInt(text), 0);
    if (count > Lines.Count())
        throw EConvertError(Name + " " + IntToStr(count) + " exceeds the " + IntToStr(Lines.Count()) +
                            " lines of the file");
    return count;
}

void AddSection(TObject* Object, const String& Name, TStrings& Lines, bool Differential)
{
    SavePublishedProperties(Object, Name, Lines, Differential);
}

// An annotation as its class makes it: the plot's annotation defaults
// would stand for every line that a differential file leaves out.
void ResetToPublishedDefaults(TkPlotAnnotation& Annotation)
{
    for (PPropInfo prop : GetPropList(&Annotation))
        if (prop->HasSetter() && !prop->Default.IsEmpty()) SetPropValue(&Annotation, prop, prop->Default);
    const TOwned<TFont> font = CreateOwned<TFont>();
    Annotation.SetFont(font.get());
}

}  // namespace

// ===========================================================================
// Configuration file
// ===========================================================================

void TkPlotComponent::SavePropertiesToFile(const String& FileName)
{
    WithErrorPrefix("Error Saving Properties - ", [&] {
        TStringList exclusions;
        exclusions.Add("Name");
        if (!OptionSaveAllProperties())
            for (const char* name : kPlacementProperties) exclusions.Add(name);
        TStringList lines;
        lines.Add(String("File Type = ") + kConfigFileType);
        for (const TkConfigSection& section : kSections)
            lines.Add(CountName(section.Word) + " = " + IntToStr(Master().Manager(section.Kind)->Count()));
        lines.Add("DataViewZHorz = " + IntToStr(DataViewZHorz()));
        lines.Add("DataViewZVert = " + IntToStr(DataViewZVert()));
        for (const TkConfigSection& section : kSections) {
            const TkPlotObjectManagerCustom& manager = *Master().Manager(section.Kind);
            for (Integer i = 0; i < manager.Count(); ++i)
                AddSection(manager.GetItem(i), section.Word + IntToStr(i), lines, FDifferentialPropertySave);
        }
        SavePublishedProperties(this, String(), lines, FDifferentialPropertySave, &exclusions);
        SaveLinesSafely(FileName, lines);
    });
    FLastPropertiesFileName = FileName;
    if (OnAfterSaveProperties) OnAfterSaveProperties(this);
}

void TkPlotComponent::LoadPropertiesFromFile(const String& FileName)
{
    if (OnBeforeLoadProperties) OnBeforeLoadProperties(this);
    WithErrorPrefix("Error Loading Properties - ", [&] {
        TStringList lines;
        ReadTypedPropertyFile(FileName, kConfigFileType, "Incompatible Plot Configuration File Type", lines);
        std::array<Integer, kSectionCount> counts{};
        for (std::size_t k = 0; k < kSectionCount; ++k) counts[k] = ReadCount(CountName(kSections[k].Word), lines);
        // A plot of the same kind reads the file first: a file that fails
        // leaves this plot as it was.
        if (ClassInfo()->CanCreate()) {
            const TOwned<TComponent> trial(ClassInfo()->Create(nullptr));
            TStringList copy;
            copy.AddStrings(lines);
            static_cast<TkPlotComponent*>(trial.get())->ApplyConfiguration(copy, counts);
        }
        ApplyConfiguration(lines, counts);
    });
    FLastPropertiesFileName = FileName;
    if (OnAfterLoadProperties) OnAfterLoadProperties(this);
}

void TkPlotComponent::ApplyConfiguration(TStringList& Lines, const std::array<Integer, 10>& Counts)
{
    DisableLayoutManager();
    WithinUpdate(*this, [&] {
        TScopeExit enableLayout([this] { EnableLayoutManager(); });
        String z;
        if (ExtractNamedLine("DataViewZHorz", z, Lines)) SetDataViewZHorz(StrToInt(z));
        if (ExtractNamedLine("DataViewZVert", z, Lines)) SetDataViewZVert(StrToInt(z));
        RemoveAllLegends();
        RemoveAllTables();
        RemoveAllLabels();
        RemoveAllLimits();
        RemoveAllXAxes();
        RemoveAllYAxes();
        RemoveAllDataViews();
        RemoveAllChannels();
        RemoveAllAnnotations();
        RemoveAllDataCursors();
        // Every toolbar section goes to the first toolbar, the first label
        // section to the title; either is made when the plot has none.
        Integer next = 0;
        for (std::size_t k = 0; k < kSectionCount; ++k) {
            const TkConfigSection& section = kSections[k];
            if (Counts[k] > 0 && section.Kind == kpokToolBar && ToolBarCount() == 0) AddToolBar();
            if (Counts[k] > 0 && section.Kind == kpokLabel && LabelCount() == 0) AddLabel();
            for (Integer i = 0; i < Counts[k]; ++i) {
                TkPlotObject* object = nullptr;
                if (section.Kind == kpokToolBar)
                    object = GetToolBar(0);
                else if (section.Kind == kpokLabel && i == 0)
                    object = GetLabel(0);
                else
                    object = Master().Manager(section.Kind)->GetItem((this->*section.Add)());
                // A channel without a colour line is red, whatever its
                // constructor chose.
                if (section.Kind == kpokChannel) static_cast<TkPlotChannelCustom*>(object)->SetColor(255);
                next = ApplyPublishedProperties(object, section.Word + IntToStr(i), Lines, next, next);
            }
        }
        Integer applied = 0;
        ApplyPublishedProperties(this, String(), Lines, next, applied);
    });
}

// ===========================================================================
// Annotation file
// ===========================================================================

void TkPlotComponent::SaveAnnotationsToFile(const String& FileName)
{
    WithErrorPrefix("Error Saving Annotations - ", [&] {
        TStringList lines;
        lines.Add("AnnotationCount = " + IntToStr(AnnotationCount()));
        for (Integer i = 0; i < AnnotationCount(); ++i) {
            const String prefix = "Annotation" + IntToStr(i);
            AddSection(GetAnnotation(i), prefix, lines, true);
            // The polygon's points and the picture, which are not published.
            GetAnnotation(i)->SaveExtraLines(prefix, lines);
        }
        SaveLinesSafely(FileName, lines);
    });
}

void TkPlotComponent::LoadAnnotationsFromFile(const String& FileName)
{
    WithErrorPrefix("Error Loading Annotations - ", [&] {
        TStringList lines;
        lines.LoadFromFile(FileName);
        const Integer count = ReadCount("AnnotationCount", lines);
        // Read first into free-standing annotations of a trial plot: the
        // plot's own change only when the whole file reads.
        if (ClassInfo()->CanCreate()) {
            const TOwned<TComponent> trial(ClassInfo()->Create(nullptr));
            TStringList copy;
            copy.AddStrings(lines);
            static_cast<TkPlotComponent*>(trial.get())->ApplyAnnotations(copy, count);
        }
        ApplyAnnotations(lines, count);
    });
}

void TkPlotComponent::ApplyAnnotations(TStrings& Lines, Integer Count)
{
    WithinUpdate(*this, [&] {
        RemoveAllAnnotations();
        Integer next = 0;
        for (Integer i = 0; i < Count; ++i) {
            const Integer index = AddAnnotation();
            if (index < 0) continue;
            TkPlotAnnotation* annotation = GetAnnotation(index);
            ResetToPublishedDefaults(*annotation);
            const String prefix = "Annotation" + IntToStr(i);
            annotation->LoadExtraLines(prefix, Lines);
            next = ApplyPublishedProperties(annotation, prefix, Lines, next, next);
        }
    });
}
