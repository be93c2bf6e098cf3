#pragma once
// The plot control: the published component, and the owner of the plot's
// objects. One master manager holds every part of the plot (toolbars,
// legends, tables, X and Y axes, channels, data views, data cursors, limits,
// labels, annotations and the translation table); the plot gives typed
// access to them by index and by name, one family of accessors per kind
// (kPlotKindAccess.h). It publishes its objects' events itself and hears
// from its master manager what else its objects report (kPlotHost.h); the
// rest of its work is done by objects of their own, each in its file
// pair and held behind the plot's one private pointer (kPlotRoles.h): the
// painter (layout, paint and the paint services), the input router (the
// user's input and the input services), the hint box, the commands the
// objects ask for, the answers to what the objects ask of the plot itself
// (what it holds, what their files need), the output (clipboard, image
// files, printing), the log and the image lists.
//
// Object events are fired with the index of the object within its own kind,
// never while the plot is being read from its form stream. The events of
// the families that exist for several kinds are kept per kind:
// Plot->OnObjectMouseDown[kpokChannel] is published as OnMouseDownChannel.
//
// The title is label 0: the title properties act on it, and it cannot be
// deleted. TkPlot and TkXYPlot publish the class with their own channel
// class and default objects.

#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "components/foundation/kCustomComponent.h"
#include "components/plot/axis/kPlotWaitingPoints.h"
#include "components/plot/component/kPlotKindAccess.h"
#include "components/plot/objects/kPlotEvents.h"
#include "components/plot/objects/kPlotHost.h"
#include "platform/Printers.h"

class TImageList;
class TPopupMenu;
class TkPlotObjectManagerCustom;
struct TkPlotHintData;
struct TkPlotPaintContext;
struct TkPlotRoles;
template <class K>
class TkPlotMasterManagerOf;
using TkPlotMasterManager = TkPlotMasterManagerOf<TkPlotObjectKinds>;

// Format of the plot's data files.
enum TkPlotDataFileFormat { kpdffText, kpdffCompactInterval };
PL_ENUM_NAMES(TkPlotDataFileFormat, "kpdffText", "kpdffCompactInterval")

// Column separator of the plot's text data files: TAB (9) or comma (44).
enum TkPlotDataFileColumnSeparator { kpdfcsTab, kpdfcsComma };
PL_ENUM_NAMES(TkPlotDataFileColumnSeparator, "kpdfcsTab", "kpdfcsComma")

// What the head of a configuration file says (its loader's own).
struct TkPlotConfigHead;
struct TkPlotDataColumn;

// A published setting that one of the plot's roles keeps: its getter and
// its setter (kPlotComponentRoles.cpp).
#define PL_PLOT_SETTING(Type, Name) \
    Type Name() const;              \
    void Set##Name(Type Value);

// The plot is the owner of its objects; it hands them the parts of its seam
// once its roles are made.
class TkPlotComponent : public TkCustomComponent,
                        public TkPlotKindAccess,
                        public TkPlotEventHost,
                        public TkPlotWaitingPointsOwner,
                        public TkPlotObjectOwner,
                        private TkPlotMasterListener {
    PL_CLASSINFO()
public:
    explicit TkPlotComponent(TComponent* AOwner);
    ~TkPlotComponent() override;
    // Ends every object without events, then the base.
    void BeforeDestruction() override;

    TkPlotMasterManager& Master() const { return *FMasterManager; }
    // False once the plot is being taken apart.
    bool HasObjects() const { return FMasterManager != nullptr; }

    // ================================================================================================
    // The plot's objects (kPlotComponentObjects.cpp)
    // ================================================================================================

    // --- object access ---------------------------------------------------------------
    // One family of accessors per kind (kPlotKindAccess.h). The plot's
    // objects, as the objects look them up (TkPlotHost), are the same.
    // The X axes (XAxes) or the Y axes, in the order of their manager.
    Integer AxisCount(bool XAxes) const { return XAxes ? XAxisCount() : YAxisCount(); }
    TkPlotAxis* GetAxis(bool XAxes, Integer Index) const;

    // --- translation table ---------------------------------------------------------------
    // A new entry, first in the table; returns its index (0).
    virtual Integer AddTranslation(const String& Original, const String& Replacement);
    virtual void DeleteTranslation(Integer Index);
    virtual void RemoveAllTranslations();
    Integer TranslationCount() const;
    String GetTranslationOriginalString(Integer Index) const;
    String GetTranslationReplacementString(Integer Index) const;
    void LoadTranslationsFromFile(const String& FileName);
    void SaveTranslationsToFile(const String& FileName) const;

    // --- layout manager ----------------------------------------------------------------------
    // A disabled layout manager keeps the rows of new and removed objects.
    void DisableLayoutManager();
    // Rebuilds the side lists.
    void EnableLayoutManager();
    void RefreshLayoutManager();

    // ================================================================================================
    // The published component
    // ================================================================================================

    // --- layout and paint (kPlotPainter.h), hint box (kPlotHint.h), input (kPlotInputRouter.h)
    void kPaintTo(TCanvas* Canvas) override;
    void CalcLayout(TCanvas* Canvas);
    void ReCalcLayout();
    void DrawLayoutObjects(const TkPlotPaintContext& Outside);
    bool Painting() const;
    const TkPlotHintData& Hint() const;
    void SetHint(const TkPlotHintData& Value, bool Showing);
    void HintTimerEvent();
    void HideHint();
    TkPlotObject* GetObjectAt(TPoint P);
    // The label text that DoAxisCustomizeLabel hands back.
    void SetCustomizeLabelText(const String& Text);

    // --- configuration and annotation files (kPlotComponentConfigFiles.cpp) --------------------
    // "File Type = Plot Config", the object counts and data view rows, one
    // section of property text per object (Channel0, XAxis0, ...), then the
    // plot's own properties; differential as DifferentialPropertySave.
    // Written to a new file that replaces FileName only when complete; then
    // OnAfterSaveProperties. "Error Saving Properties - " and the cause on
    // failure.
    void SavePropertiesToFile(const String& FileName) override;
    // Replaces the objects by those of the file (toolbars and the title are
    // kept, annotations removed). The file is read into a trial plot first,
    // so that a file that does not load never touches the plot; what fails
    // in the plot itself (memory, an event handler) puts back the objects
    // replaced, kept whole meanwhile, and the settings changed: on failure
    // ("Error Loading Properties - " and the cause) the plot is as it was.
    // OnBeforeLoadProperties, OnAfterLoadProperties.
    void LoadPropertiesFromFile(const String& FileName) override;
    const String& LastPropertiesFileName() const { return FLastPropertiesFileName; }
    // "AnnotationCount = n", then one differential section per annotation.
    void SaveAnnotationsToFile(const String& FileName);
    // Replaces the annotations by those of the file, each from its class's
    // defaults rather than the plot's; on failure they are as they were,
    // as with the configuration file.
    void LoadAnnotationsFromFile(const String& FileName);

    // --- data and log files (kPlotComponentDataFiles.cpp) -------------------------------------------
    // The points of every channel, in the form of DataFileFormat, written
    // to a new file that replaces FileName only when complete; then
    // OnAfterSaveData. "Error Saving Data - " and the cause on failure.
    void SaveDataToFile(const String& FileName);
    // Appends the points of a data file of either form to the existing
    // channels, column after column; columns beyond the channels are left.
    // The whole file is read and checked first, then every channel makes
    // room for its points (as much as they take one by one) and checks
    // them: a file that does not read or that a channel's store refuses
    // ("Error Loading Data - ", the file, the line or record and the cause)
    // changes no channel. Then OnAfterLoadData.
    void LoadDataFromFile(const String& FileName);
    // The same in place of the channels' points, which are cleared (by
    // ClearAllData, which ends an active log) only once the whole file has
    // read: a file that does not read keeps them and the log running.
    void ReplaceDataFromFile(const String& FileName);
    const String& LastDataFileName() const { return FLastDataFileName; }
    // The log (kPlotLog.h); AddDataArray reports the rows it adds.
    void LogActivate(bool Append);
    void LogDeactivate();
    void LogFlushBuffer();
    // The columns of every channel, as the data files write them.
    std::vector<TkPlotDataColumn> DataColumns() const;

    // --- output: clipboard, image files, printer (kPlotOutput.h) -------------------------------
    void CopyToClipBoard();
    TPicture* GetSnapShotPicture();
    void Save();
    bool SaveImageByExtension(const String& FileName);
    void PrintChart();
    void PreviewChart();
    void PrintSizeToFillPage();
    void PrintAdjustXSpanToMinutesPerMillimeter(Double MinutesPerMillimeter);

    // --- data of all channels ---------------------------------------------------------------
    // Empties every channel; an active log is ended first, so that the rows
    // it buffered are written before they go. A log that cannot be written
    // raises and leaves every point in place.
    void ClearAllData();
    // Every channel's waiting points are tracked now (kPlotWaitingPoints.h):
    // before every paint, and before a handler of the scale events comes.
    void SettleWaitingPoints() override;
    // Also settles the points that waited within the bracket: the repaint
    // it asks for may be paced, and then comes only with a later change.
    void EndUpdate() override;
    // One-dimensional Data: element i is channel i's point at XValue (a
    // value in (1e-301, 1e-300) adds a null point, one in (1e-302, 1e-301)
    // an empty one). Two-dimensional Data: each row j of the second
    // dimension adds element [i, j] to channel i at its last X + XValue (0
    // for an empty channel). Every index and element is checked before any
    // point is added; other shapes raise "Data Array must be 1 or 2
    // Dimensions". The rows added count for the log.
    void AddDataArray(Double XValue, const Variant& Data);
    // Points StartIndex .. StopIndex of the source appended to the
    // destination with their null and empty flags (none when StartIndex >
    // StopIndex); the range is read before anything is added.
    void TransferChannelData(Integer SourceIndex, Integer DestinationIndex, Integer StartIndex, Integer StopIndex);
    // The current date and time, in days.
    Double GetNow() const;

    // --- title (label 0; without labels setters do nothing) ----------------------------------
    TkPlotLabel* TitleLabel() const { return LabelCount() > 0 ? GetLabel(0) : nullptr; }
    bool TitleVisible() const;
    void SetTitleVisible(bool Value);
    String TitleText() const;
    void SetTitleText(const String& Value);
    // The control's own font while there is no label.
    TFont* TitleFont() const;
    void SetTitleFont(TFont* Value);
    // The title label's MarginBottom.
    Double TitleMargin() const;
    void SetTitleMargin(Double Value);

    // --- published properties ----------------------------------------------------------------
    // The rows of the data view's layout placeholders.
    Integer DataViewZHorz() const;
    void SetDataViewZHorz(Integer Value);
    Integer DataViewZVert() const;
    void SetDataViewZVert(Integer Value);
    bool XYAxesReverse() const;
    void SetXYAxesReverse(bool Value);
    bool UserCanEditObjects() const;
    void SetUserCanEditObjects(bool Value);
    bool UserCanAddRemoveChannels() const { return FUserCanAddRemoveChannels; }
    void SetUserCanAddRemoveChannels(bool Value) { FUserCanAddRemoveChannels = Value; }
    Integer OuterMarginLeft() const { return FOuterMarginLeft; }
    void SetOuterMarginLeft(Integer Value) { SetIntegerProperty(Value, FOuterMarginLeft, 0); }
    Integer OuterMarginTop() const { return FOuterMarginTop; }
    void SetOuterMarginTop(Integer Value) { SetIntegerProperty(Value, FOuterMarginTop, 0); }
    Integer OuterMarginRight() const { return FOuterMarginRight; }
    void SetOuterMarginRight(Integer Value) { SetIntegerProperty(Value, FOuterMarginRight, 0); }
    Integer OuterMarginBottom() const { return FOuterMarginBottom; }
    void SetOuterMarginBottom(Integer Value) { SetIntegerProperty(Value, FOuterMarginBottom, 0); }

    TkPlotFormStyle EditorFormStyle() const { return FEditorFormStyle; }
    void SetEditorFormStyle(TkPlotFormStyle Value) { FEditorFormStyle = Value; }
    PL_PLOT_SETTING(TkPlotExportFormat, CopyToClipBoardFormat)

    PL_PLOT_SETTING(TPrinterOrientation, PrintOrientation)
    // Inches.
    PL_PLOT_SETTING(Double, PrintMarginLeft)
    PL_PLOT_SETTING(Double, PrintMarginTop)
    PL_PLOT_SETTING(Double, PrintMarginRight)
    PL_PLOT_SETTING(Double, PrintMarginBottom)
    PL_PLOT_SETTING(bool, PrintShowDialog)
    PL_PLOT_SETTING(const String&, PrintDocumentName)
    PL_PLOT_SETTING(const String&, PrinterName)

    // Milliseconds.
    PL_PLOT_SETTING(Integer, HintsPause)
    PL_PLOT_SETTING(Integer, HintsHidePause)
    PL_PLOT_SETTING(bool, HintsShow)
    TFont* HintsFont() const;
    void SetHintsFont(TFont* Value);

    // The log file settings cannot change while logging is active.
    const String& LogFileName() const;
    void SetLogFileName(const String& Value);
    PL_PLOT_SETTING(Integer, LogBufferSize)
    bool LoggingActive() const;
    TkPlotDataFileColumnSeparator DataFileColumnSeparator() const { return FDataFileColumnSeparator; }
    void SetDataFileColumnSeparator(TkPlotDataFileColumnSeparator Value);
    TkPlotDataFileFormat DataFileFormat() const { return FDataFileFormat; }
    void SetDataFileFormat(TkPlotDataFileFormat Value);
    PL_PLOT_SETTING(const String&, DefaultSaveImageDirectory)
    PL_PLOT_SETTING(TkPlotImageFormat, DefaultSaveImageFormat)
    PL_PLOT_SETTING(const String&, DefaultPropertyDirectory)
    PL_PLOT_SETTING(const String&, DefaultDataDirectory)
    PL_PLOT_SETTING(const String&, DefaultAnnotationDirectory)
    bool DifferentialPropertySave() const { return FDifferentialPropertySave; }
    void SetDifferentialPropertySave(bool Value) { FDifferentialPropertySave = Value; }

    // What AddAnnotation gives a new annotation.
    TFont* AnnotationDefaultFont() const;
    void SetAnnotationDefaultFont(TFont* Value);
    PL_PLOT_SETTING(TBrushStyle, AnnotationDefaultBrushStlye)
    PL_PLOT_SETTING(TColor, AnnotationDefaultBrushColor)
    PL_PLOT_SETTING(TPenStyle, AnnotationDefaultPenStlye)
    PL_PLOT_SETTING(TColor, AnnotationDefaultPenColor)
    PL_PLOT_SETTING(Integer, AnnotationDefaultPenWidth)
    PL_PLOT_SETTING(TkPlotReferenceType, AnnotationDefaultReference)
    PL_PLOT_SETTING(TkPlotReferenceIndividual, AnnotationDefaultReferencePositionX)
    PL_PLOT_SETTING(TkPlotReferenceIndividual, AnnotationDefaultReferencePositionY)
    PL_PLOT_SETTING(TkPlotReferenceIndividual, AnnotationDefaultReferenceSizeX)
    PL_PLOT_SETTING(TkPlotReferenceIndividual, AnnotationDefaultReferenceSizeY)
    bool ClipAnnotationsToAxes() const { return FClipAnnotationsToAxes; }
    void SetClipAnnotationsToAxes(bool Value) { SetByteProperty(Value, FClipAnnotationsToAxes, 0); }

    bool BackGroundGradientEnabled() const;
    void SetBackGroundGradientEnabled(bool Value);
    TkFillDirection BackGroundGradientDirection() const;
    void SetBackGroundGradientDirection(TkFillDirection Value);
    TColor BackGroundGradientStartColor() const;
    void SetBackGroundGradientStartColor(TColor Value);
    TColor BackGroundGradientStopColor() const;
    void SetBackGroundGradientStopColor(TColor Value);

    // --- image lists 0, 1 and 2 (kPlotImageLists.h); a change repaints ------------------
    TImageList* ImageList(Integer Index) const;
    void ImageListClear(Integer Index);
    void ImageListAdd(Integer Index, TBitmap* Bitmap);
    void ImageListLoadFromResourceName(Integer Index, const String& ResName);
    // The bitmap compiled in as resource number ResID.
    void ImageListLoadFromResourceID(Integer Index, Integer ResID);

    // --- events ----------------------------------------------------------------------------
    // Per kind: XAxis, YAxis, DataView, Legend, Channel, Limit, DataCursor,
    // Annotation.
    TkPlotKindEvents<TkPlotObjectMouseEvent> OnObjectMouseDown;
    TkPlotKindEvents<TkPlotObjectMouseEvent> OnObjectMouseUp;
    TkPlotKindEvents<TkPlotObjectMouseMoveEvent> OnObjectMouseMove;
    TkPlotKindEvents<TkPlotObjectEvent> OnObjectClick;
    TkPlotKindEvents<TkPlotObjectEvent> OnObjectDblClick;
    TkPlotKindEvents<TkPlotObjectMouseWheelEvent> OnObjectMouseWheel;
    // Per kind: Channel, XAxis, YAxis, DataCursor, DataView, Legend,
    // Annotation.
    TkPlotKindEvents<TkPlotObjectEvent> OnObjectGotFocus;
    TkPlotKindEvents<TkPlotObjectEvent> OnObjectLostFocus;
    // Per kind: Channel, XAxis, YAxis, DataCursor, DataView, Legend, Limit,
    // Table, Annotation.
    TkPlotKindEvents<TkPlotObjectEvent> OnObjectAdd;
    TkPlotKindEvents<TkPlotObjectEvent> OnObjectRemove;
    TkPlotKindEvents<TkPlotObjectGetMouseCursorEvent> OnObjectGetMouseCursor;
    // Per kind, as the mouse events: XAxis, YAxis, DataView, Legend, Channel,
    // Limit, DataCursor, Annotation.
    TkPlotKindEvents<TkPlotObjectPopupMenuEvent> OnObjectPopupMenu;

    TkPlotDataPointMouseEvent OnMouseDownDataPoint;
    TkPlotDataPointMouseEvent OnMouseUpDataPoint;
    TkPlotDataPointMouseMoveEvent OnMouseMoveDataPoint;
    TkPlotDataPointEvent OnClickDataPoint;
    TkPlotDataPointEvent OnDblClickDataPoint;

    TkPlotDataPointMovedEvent OnDataPointMoved;
    TkPlotObjectEvent OnDataCursorChange;
    TkPlotSettlingEvent<TkPlotValueChangeEvent> OnXAxisMinChange{*this};
    TkPlotSettlingEvent<TkPlotValueChangeEvent> OnXAxisSpanChange{*this};
    TkPlotSettlingEvent<TkPlotValueChangeEvent> OnYAxisMinChange{*this};
    TkPlotSettlingEvent<TkPlotValueChangeEvent> OnYAxisSpanChange{*this};
    TkPlotSettlingEvent<TkPlotMinSpanChangeEvent> OnXAxisMinSpanChange{*this};
    TkPlotMinSpanChangeEvent OnXAxisMinSpanChangeFinished;
    TkPlotSettlingEvent<TkPlotMinSpanChangeEvent> OnYAxisMinSpanChange{*this};
    TkPlotMinSpanChangeEvent OnYAxisMinSpanChangeFinished;
    TkPlotCustomizeLabelEvent OnXAxisCustomizeLabel;
    TkPlotCustomizeLabelEvent OnYAxisCustomizeLabel;
    TkPlotCustomizeHintEvent OnDataCursorCustomizeHint;
    TkPlotCustomizeHintEvent OnXAxisCustomizeHint;
    TkPlotCustomizeHintEvent OnYAxisCustomizeHint;
    TkPlotCustomizeHintEvent OnToolBarCustomizeHint;
    TkPlotDataPointCustomizeHintEvent OnDataPointCustomizeHint;
    TkPlotValueChangeEvent OnLimitLine1PositionChange;
    TkPlotValueChangeEvent OnLimitLine2PositionChange;
    TNotifyEvent OnBeforePrint;
    TNotifyEvent OnAfterPrint;
    TkPlotBeforePrintPageEvent OnBeforePrintPage;
    TNotifyEvent OnBeforeLoadProperties;
    TNotifyEvent OnAfterLoadProperties;
    TNotifyEvent OnAfterSaveProperties;
    TNotifyEvent OnAfterLoadData;
    TNotifyEvent OnAfterSaveData;
    TNotifyEvent OnAfterPaint;
    TNotifyEvent OnAfterOpenEditor;
    TNotifyEvent OnAfterCloseEditor;
    TkPlotBeforeZoomBoxEvent OnBeforeZoomBox;
    TkPlotToolBarButtonClickEvent OnToolBarButtonClick;
    TkPlotBeforeToolBarButtonClickEvent OnBeforeToolBarButtonClick;
    TkPlotObjectEvent OnBeforeDataCursorUpdate;
    TkPlotObjectEvent OnAnnotationCoordinatesChange;
    TkPlotObjectEvent OnAnnotationMoveUser;
    TkPlotObjectEvent OnAnnotationResizeUser;
    TkPlotObjectEvent OnAnnotationCoordinatesChangeFinished;

    // ================================================================================================
    // Services to the objects that are the plot's own (kPlotHost.h; kPlotComponentHost.cpp)
    // ================================================================================================
    // --- events: the published event of each report (Fire, below) ----------------------------
    bool AxisScaleEventsAssigned() const override;

    // --- the first toolbar's mode and the axes' tracking ---------------------------------------
    // The first toolbar's Select button is down; false without a toolbar.
    bool IsToolBarSelectMode() const;
    // Clicks the first toolbar's Select button when its state differs.
    void SetToolBarSelectMode(bool Value);
    // Tracking off, or on, on every X axis, then every Y axis.
    void DisableAllTracking();
    void EnableAllTracking();

protected:
    // The control's input, routed to the objects under the mouse or to the
    // selected ones.
    void kMouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void kMouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void kMouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void kDblClick() override;
    bool kMouseWheel(Integer WheelDelta, TShiftState Shift, TPoint MousePos) override;
    void kKeyDown(Word& Key, TShiftState Shift) override;
    // The arrow keys reach the objects.
    void kWantSpecialKey(Word& CharCode, Integer& Result) override;
    // The drag in progress ends where the mouse was last seen.
    void kKillFocus() override;
    // Another control took the mouse: the hint goes, and the object under
    // the mouse hears that it no longer is.
    void WMCaptureChanged() override;

    // The layout manager is held still while each collection is read, so
    // that the rows read stay as they were written; the other settings
    // follow in Loaded.
    void DefineProperties(TFiler& Filer) override;
    // A toolbar that shares the title's side and row moves one row out,
    // then the layout is rebuilt.
    void Loaded() override;

    void SetChannelClass(TkPlotObjectClassOf<TkPlotChannelCustom> Value);
    // The objects of a new plot, in this order: a toolbar (row 3), a legend
    // (row 2), an X axis, a Y axis, a channel, a data view, a data cursor,
    // and the title label "Title" (row 2, caption "Untitled"). The layout
    // manager stays still meanwhile, so the rows are kept as set.
    void CreateDefaultObjects();
    // The plot's roles (kPlotRoles.h), which the plot's checks look into
    // (tests/support/PlotRoles.h).
    TkPlotRoles& Roles() const { return *FRoles; }

    // --- notifications from the master manager -----------------------------------------------
    // Fire the kind's add or remove event (managers, translation entries,
    // toolbars and labels have none); a change repaints.
    virtual void DoObjectAdd(TObject* Object);
    virtual void DoObjectRemove(TObject* Object);
    virtual void DoObjectChange(TObject* Sender);

private:
    // The published event of each report of the plot's objects.
    void Fire(const TkPlotEvent& Event) override;
    // What the master manager passes on (TkPlotMasterListener): the
    // notifications above, and a repaint at once.
    void ObjectAdded(TkPlotObject& Object) override;
    void MemberRemoving(TObject& Member) override;
    void ObjectsChanged(TObject& Sender) override;
    void RepaintNow() override;
    template <class E, class... A>
    void FireIndexedEvent(const E& Event, const TkPlotObject* Object, A&&... Args);
    template <class E, class... A>
    void FireObjectEvent(const TkPlotKindEvents<E>& Events, std::span<const TkPlotObjectKind> Kinds,
                         TkPlotObject* Object, A&&... Args);
    template <class E, class... A>
    void FireAxisEvent(const E& XEvent, const E& YEvent, TkPlotAxis* Axis, A&&... Args);
    // The objects of one kind: their manager, a new one, object Index or
    // every one of them freed (kPlotComponentObjects.cpp).
    TkPlotObjectManagerCustom& KindManager(TkPlotObjectKind Kind) const override;
    Integer AddObject(TkPlotObjectKind Kind) override;
    void DeleteObject(TkPlotObjectKind Kind, Integer Index) override;
    void RemoveAllObjects(TkPlotObjectKind Kind) override;
    // The index of an object within its kind; -1 for objects not listed.
    Integer ObjectIndex(const TkPlotObject* Object) const;
    void ReadDataFile(const String& FileName, bool ReplaceData);
    // The removal and rebuild of a configuration whose head was read, from
    // the remaining lines.
    void ApplyConfiguration(const TStrings& Lines, const TkPlotConfigHead& Head);
    void AddConfiguredObjects(const TStrings& Lines, const TkPlotConfigHead& Head);
    void ApplyAnnotations(const TStrings& Lines, Integer Count);
    void AddAnnotations(const TStrings& Lines, Integer Count);
    void DefineCollection(TFiler& Filer, const String& Name, const std::function<void(TReader&)>& Read,
                          const std::function<void(TWriter&)>& Write, bool HasData);
    void DefineManager(TFiler& Filer, const String& Name, TkPlotObjectManagerCustom& Manager);
    void SeparateToolBarFromTitle();

    TOwned<TkPlotMasterManager> FMasterManager;

    // The published settings that are the plot's own.
    bool FUserCanAddRemoveChannels = false;
    Integer FOuterMarginLeft = 5;
    Integer FOuterMarginTop = 5;
    Integer FOuterMarginRight = 5;
    Integer FOuterMarginBottom = 5;
    TkPlotFormStyle FEditorFormStyle = kpfsModal;
    String FLastDataFileName;
    String FLastPropertiesFileName;
    TkPlotDataFileColumnSeparator FDataFileColumnSeparator = kpdfcsTab;
    TkPlotDataFileFormat FDataFileFormat = kpdffText;
    bool FDifferentialPropertySave = false;
    bool FClipAnnotationsToAxes = true;

    // The plot's roles, each with what it keeps, and the settings they keep
    // for the plot.
    std::unique_ptr<TkPlotRoles> FRoles;
};

#undef PL_PLOT_SETTING
