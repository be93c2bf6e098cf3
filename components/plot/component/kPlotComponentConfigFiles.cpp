// The plot's configuration file (every object's settings and the plot's
// own) and its annotation file.

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

#include "components/foundation/kCommonRoutines.h"
#include "components/foundation/kErrorText.h"
#include "components/plot/annotation/kPlotAnnotation.h"
#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/component/kPlotComponent.h"
#include "components/plot/component/kPlotLoadRollback.h"
#include "components/plot/component/kPlotMasterManager.h"
#include "components/plot/files/kPlotFileIO.h"
#include "components/plot/files/kPlotFileLines.h"
#include "components/plot/files/kPlotPropertyFiles.h"

namespace {

constexpr const char* kConfigFileType = "Plot Config";

// The sections of the configuration file, in file order: one kind each,
// named after it.
constexpr std::size_t kSectionCount = PlotConfigKinds.size();

// Where a control sits on its form belongs to the form; the configuration
// holds it only when asked to.
constexpr const char* kPlacementProperties[] = {"Left", "Top",     "Width",   "Height", "Align",       "Cursor",
                                                "ShowHint", "Tag", "Visible", "Enabled", "Hint", "HelpContext",
                                                "HelpKeyword"};

// Objects of a kind that a file may count without a section of their own
// (each is made with its defaults). Beyond them every object needs its
// section, as every saved object has: a count that the file's sections
// cannot back would make objects until memory runs out.
constexpr Integer kObjectsWithoutSections = 10000;

String CountName(TkPlotObjectKind Kind) { return String(PlotKind(Kind).Name) + "Count"; }
String SectionName(TkPlotObjectKind Kind, Integer Index) { return PlotKind(Kind).Name + IntToStr(Index); }

// The head of a section line's name, split: the word and the index that
// begin it ("Channel" and "12" of "Channel12.Color = 255"); false for any
// other line.
bool SplitSectionHead(std::string_view Line, std::string_view& Word, std::string_view& Index)
{
    const std::size_t equals = Line.find('=');
    if (equals == std::string_view::npos) return false;
    const std::string_view name = TrimView(Line.substr(0, equals));
    const std::size_t dot = name.find('.');
    if (dot == std::string_view::npos) return false;
    const std::string_view head = name.substr(0, dot);
    const std::size_t digits = head.find_last_not_of("0123456789") + 1;
    if (digits == 0 || digits == head.size()) return false;
    Word = head.substr(0, digits);
    Index = head.substr(digits);
    return true;
}

bool HoldsSectionLine(const TkPlotFileLines& Lines, std::string_view Word)
{
    std::string_view word, index;
    for (Integer i = 0; i < Lines.Count(); ++i)
        if (SplitSectionHead(Lines.Line(i), word, index) && SameText(word, Word)) return true;
    return false;
}

// How many of Count objects the sections of Word stand for: one per
// index below Count that heads a line of theirs, however many lines it
// heads. An index written otherwise than the save writes it (a sign, a
// leading zero) names no object's section.
Integer SectionObjects(const TkPlotFileLines& Lines, std::string_view Word, Integer Count)
{
    std::vector<Integer> indices;
    std::string_view word, digits;
    for (Integer i = 0; i < Lines.Count(); ++i) {
        Integer index = 0;
        if (SplitSectionHead(Lines.Line(i), word, digits) && SameText(word, Word) && TryStrToInt(digits, index) &&
            index < Count && IntToStr(index) == digits)
            indices.push_back(index);
    }
    std::sort(indices.begin(), indices.end());
    return static_cast<Integer>(std::unique(indices.begin(), indices.end()) - indices.begin());
}

// The count of the named line; none when the line is missing. A count
// below 0, or beyond what the sections of Word can back, is none that a
// save writes: it is refused before any object is made.
std::optional<Integer> ReadCount(const String& Name, TkPlotFileLines& Lines, std::string_view Word)
{
    String text;
    if (!ExtractNamedLine(Name, text, Lines)) return std::nullopt;
    const Integer count = StrToInt(text);
    if (count < 0) throw EConvertError(Name + " " + IntToStr(count) + " is below 0");
    if (count <= kObjectsWithoutSections) return count;
    const Int64 most = Int64{kObjectsWithoutSections} + SectionObjects(Lines, Word, count);
    if (count > most)
        throw EConvertError(Name + " " + IntToStr(count) + " exceeds the " + IntToStr(most) +
                            " objects that the file can hold (" + IntToStr(kObjectsWithoutSections) +
                            " and one for each object whose section it holds)");
    return count;
}

std::optional<Integer> ReadInteger(const String& Name, TStrings& Lines)
{
    String text;
    if (!ExtractNamedLine(Name, text, Lines)) return std::nullopt;
    return StrToInt(text);
}

// Runs Apply on a new plot of the class of Plot first: a file that fails
// there leaves Plot as it was.
template <class F>
void TryOnTrialPlot(const TkPlotComponent& Plot, F Apply)
{
    if (!Plot.ClassInfo()->CanCreate()) return;
    const TOwned<TComponent> trial(Plot.ClassInfo()->Create(nullptr));
    Apply(static_cast<TkPlotComponent&>(*trial));
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

// What the head of a configuration file says: the count of each kind, in
// section order, and the data views' Z values when it gives them.
struct TkPlotConfigHead {
    std::array<Integer, kSectionCount> Counts{};
    std::optional<Integer> DataViewZHorz;
    std::optional<Integer> DataViewZVert;
};

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
        for (TkPlotObjectKind kind : PlotConfigKinds) lines.Add(CountName(kind) + " = " + IntToStr(ObjectCount(kind)));
        lines.Add("DataViewZHorz = " + IntToStr(DataViewZHorz()));
        lines.Add("DataViewZVert = " + IntToStr(DataViewZVert()));
        for (TkPlotObjectKind kind : PlotConfigKinds) {
            const TkPlotObjectManagerCustom& manager = KindManager(kind);
            for (Integer i = 0; i < manager.Count(); ++i)
                AddSection(manager.GetItem(i), SectionName(kind, i), lines, FDifferentialPropertySave);
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
        TkPlotFileLines lines(ReadPropertyText(FileName));
        CheckFileType(lines, kConfigFileType, "Incompatible Plot Configuration File Type");
        TkPlotConfigHead head;
        NamingTheFile(FileName, [&] {
            for (std::size_t k = 0; k < kSectionCount; ++k) {
                const TkPlotObjectKind kind = PlotConfigKinds[k];
                head.Counts[k] = ReadCount(CountName(kind), lines, PlotKind(kind).Name).value_or(0);
            }
            head.DataViewZHorz = ReadInteger("DataViewZHorz", lines);
            head.DataViewZVert = ReadInteger("DataViewZVert", lines);
        });
        TryOnTrialPlot(*this, [&](TkPlotComponent& Trial) { Trial.ApplyConfiguration(lines, head); });
        ApplyConfiguration(lines, head);
    });
    FLastPropertiesFileName = FileName;
    if (OnAfterLoadProperties) OnAfterLoadProperties(this);
}

// The objects replaced are kept until the new ones are all made: a failure
// that only this plot meets (memory, an event handler) puts them back.
void TkPlotComponent::ApplyConfiguration(const TStrings& Lines, const TkPlotConfigHead& Head)
{
    DisableLayoutManager();
    WithinUpdate(*this, [&] {
        TScopeExit enableLayout([this] { EnableLayoutManager(); });
        TkPlotLoadRollback rollback(*this, Master(), PlotClearKinds, PlotConfigKinds);
        try {
            if (Head.DataViewZHorz) SetDataViewZHorz(*Head.DataViewZHorz);
            if (Head.DataViewZVert) SetDataViewZVert(*Head.DataViewZVert);
            rollback.TakeOut();
            AddConfiguredObjects(Lines, Head);
        } catch (...) {
            rollback.PutBack();
            throw;
        }
    });
}

void TkPlotComponent::AddConfiguredObjects(const TStrings& Lines, const TkPlotConfigHead& Head)
{
    // Each channel is made red below: the palette need not count the
    // colours of all the others first.
    Master().KindManager<kpokChannel>()->SetNewChannelColor(clRed);
    TScopeExit paletteColors([this] { Master().KindManager<kpokChannel>()->SetNewChannelColor(std::nullopt); });
    // Every toolbar section goes to the first toolbar, the first label
    // section to the title; either is made when the plot has none.
    Integer next = 0;
    for (std::size_t k = 0; k < kSectionCount; ++k) {
        const TkPlotObjectKind kind = PlotConfigKinds[k];
        const Integer count = Head.Counts[k];
        const bool intoFirst = kind == kpokToolBar || kind == kpokLabel;
        if (count > 0 && intoFirst && ObjectCount(kind) == 0) AddObject(kind);
        for (Integer i = 0; i < count; ++i) {
            TkPlotObject* object = nullptr;
            if (kind == kpokToolBar || (kind == kpokLabel && i == 0))
                object = KindManager(kind).GetItem(0);
            else
                object = KindManager(kind).GetItem(AddObject(kind));
            // A channel without a colour line is red, whatever its
            // constructor or an add event chose.
            if (kind == kpokChannel) static_cast<TkPlotChannelCustom*>(object)->SetColor(clRed);
            next = ApplyPublishedProperties(object, SectionName(kind, i), Lines, next, next);
        }
    }
    Integer applied = 0;
    ApplyPublishedProperties(this, String(), Lines, next, applied);
}

// ===========================================================================
// Annotation file
// ===========================================================================

void TkPlotComponent::SaveAnnotationsToFile(const String& FileName)
{
    WithErrorPrefix("Error Saving Annotations - ", [&] {
        TStringList lines;
        lines.Add(CountName(kpokAnnotation) + " = " + IntToStr(AnnotationCount()));
        for (Integer i = 0; i < AnnotationCount(); ++i) {
            const String prefix = SectionName(kpokAnnotation, i);
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
        TkPlotFileLines lines(ReadPropertyText(FileName));
        std::optional<Integer> count;
        NamingTheFile(FileName, [&] {
            const std::string_view word = PlotKind(kpokAnnotation).Name;
            count = ReadCount(CountName(kpokAnnotation), lines, word);
            // Annotation lines without the count line make a file of no
            // annotations; lines of neither kind, a file of another kind.
            if (!count && lines.Count() > 0 && !HoldsSectionLine(lines, word))
                throw EConvertError("holds neither an \"AnnotationCount\" line nor an annotation's line: "
                                    "it is no annotation file");
        });
        // Read first into a trial plot: the plot's own change only when the
        // whole file reads.
        TryOnTrialPlot(*this, [&](TkPlotComponent& Trial) { Trial.ApplyAnnotations(lines, count.value_or(0)); });
        ApplyAnnotations(lines, count.value_or(0));
    });
}

void TkPlotComponent::ApplyAnnotations(const TStrings& Lines, Integer Count)
{
    WithinUpdate(*this, [&] {
        TkPlotLoadRollback rollback(*this, Master(), std::array{kpokAnnotation}, {});
        try {
            rollback.TakeOut();
            AddAnnotations(Lines, Count);
        } catch (...) {
            rollback.PutBack();
            throw;
        }
    });
}

void TkPlotComponent::AddAnnotations(const TStrings& Lines, Integer Count)
{
    Integer next = 0;
    for (Integer i = 0; i < Count; ++i) {
        const Integer index = AddAnnotation();
        if (index < 0) continue;
        TkPlotAnnotation* annotation = GetAnnotation(index);
        ResetToPublishedDefaults(*annotation);
        // The section alone is searched for the extra lines: a search of
        // the whole file for each annotation would cost the square of its
        // lines.
        const String prefix = SectionName(kpokAnnotation, i);
        const Integer end = SectionEnd(Lines, prefix, next);
        TStringList section;
        for (; next < end; ++next) section.Add(Lines.Strings(next));
        annotation->LoadExtraLines(prefix, section);
        Integer applied = 0;
        ApplyPublishedProperties(annotation, prefix, section, 0, applied);
    }
}
