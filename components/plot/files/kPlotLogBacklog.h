#pragma once
// The rows given to a log and not yet in its file, and when to write them.

#include <algorithm>

#include "components/foundation/kTypes.h"
#include "platform/Math.h"

// A flush is due once a block of rows came since the last one was tried,
// whether that one was written or not: a log on a full disk costs one
// failed write per block, never one per row, and keeps its rows for the
// write that succeeds.
class TkPlotLogBacklog {
public:
    // Rows more; of the rows waiting, at most Held are still in the data (a
    // ring drops what waited too long).
    void Add(Integer Rows, Integer Held)
    {
        const Int64 rows = std::max(Rows, 0);
        FWaiting = static_cast<Integer>(std::clamp<Int64>(Int64(FWaiting) + rows, 0, std::max(Held, 0)));
        FSinceTry = SatInt32(Int64(FSinceTry) + rows);
    }
    // BlockSize rows came since the last try.
    bool Due(Integer BlockSize) const { return FSinceTry >= BlockSize; }
    // Rows not in the file yet.
    Integer Waiting() const { return FWaiting; }
    // Write gets the rows waiting: they are in the file once it returns,
    // and wait still when it raises.
    template <class F>
    void Flush(F&& Write)
    {
        FSinceTry = 0;
        Write(FWaiting);
        FWaiting = 0;
    }
    void Clear()
    {
        FWaiting = 0;
        FSinceTry = 0;
    }

private:
    Integer FWaiting = 0;
    Integer FSinceTry = 0;
};
