#include "components/plot/kPlotDataCursor.h"

#include "components/plot/kPlotDataView.h"

TClass TkPlotDataCursor::StaticClassInfo()
{
    using C = TkPlotDataCursor;
    static const TClassInfo info = TClassBuilder<C, TkPlotManagerObject>("TkPlotDataCursor")
                                       .String("ChannelName", &C::ChannelName, &C::SetChannelName)
                                       .Enum("Style", &C::Style, &C::SetStyle)
                                       .Color("Color", &C::Color, &C::SetColor)
                                       .Build();
    return &info;
}

TkPlotDataCursor::TkPlotDataCursor(TkPlotObjectOwner* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert,
                                   TNotifyEvent AOnRemove, TNotifyEvent AOnRename)
    : TkPlotManagerObject(AOwner, std::move(AOnChange), std::move(AOnInsert), std::move(AOnRemove),
                          std::move(AOnRename))
{
}

void TkPlotDataCursor::SetChannelName(const String& Value)
{
    SetProperty(FChannelName, Value, &TkPlotDataCursor::DoChange);
}

void TkPlotDataCursor::SetStyle(TkPlotDataCursorStyle Value)
{
    SetProperty(FStyle, Value, &TkPlotDataCursor::DoChange);
}

void TkPlotDataCursor::SetColor(TColor Value) { SetProperty(FColor, Value, &TkPlotDataCursor::DoChange); }

void TkPlotDataCursor::SetDataView(TkPlotDataView* Value) { FDataView = TWeakRef<TkPlotDataView>(Value); }
