#pragma once
// A limit marks values on a pair of axes inside the data view: a line, a
// band between two values, or a band whose bounds vary along the other
// axis. It names its axes.

#include "components/plot/kPlotObjects.h"

class TkPlotLimit : public TkPlotObject {
    PL_CLASSINFO()
public:
    TkPlotLimit(TkPlotObjectOwner* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert, TNotifyEvent AOnRemove,
                TNotifyEvent AOnRename);

    // --- published properties ---------------------------------------------
    const String& XAxisName() const { return FXAxisName; }
    void SetXAxisName(const String& Value);
    const String& YAxisName() const { return FYAxisName; }
    void SetYAxisName(const String& Value);

private:
    String FYAxisName;
    String FXAxisName;
};
