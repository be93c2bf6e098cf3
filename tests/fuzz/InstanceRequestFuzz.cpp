// Feeds arbitrary bytes to the reader of the requests a later instance
// sends the first one. However the bytes are cut into pieces, the reader
// counts the whole "activate" lines before the first line past the limit,
// and refuses the sender exactly when there is such a line.

#include <algorithm>
#include <string_view>

#include "FuzzSupport.h"
#include "platform/InstanceRequestReader.h"

namespace {

struct TOutcome {
    Integer Requests = 0;
    bool Refused = false;
    bool operator==(const TOutcome&) const = default;
};

TOutcome ReadInPieces(std::string_view Bytes, std::size_t Piece)
{
    TInstanceRequestReader reader;
    TOutcome outcome;
    for (std::size_t at = 0; at < Bytes.size(); at += Piece) outcome.Requests += reader.Read(Bytes.substr(at, Piece));
    outcome.Refused = reader.Refused();
    return outcome;
}

TOutcome LineByLine(std::string_view Bytes)
{
    const std::string_view activate = TInstanceRequestReader::ActivateLine.substr(0, 8);
    TOutcome outcome;
    while (!Bytes.empty()) {
        const std::size_t end = std::min(Bytes.find('\n'), Bytes.size());
        if (end >= TInstanceRequestReader::MaxLineLength) {
            outcome.Refused = true;
            break;
        }
        outcome.Requests += end < Bytes.size() && Bytes.substr(0, end) == activate;
        Bytes.remove_prefix(std::min(end + 1, Bytes.size()));
    }
    return outcome;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(Data), Size);
    const TOutcome whole = ReadInPieces(bytes, bytes.size() + 1);
    Fuzz::Check(whole == LineByLine(bytes));
    Fuzz::Check(ReadInPieces(bytes, 1) == whole);
    if (Size > 0) Fuzz::Check(ReadInPieces(bytes, 1 + Data[0] % 16) == whole);
    return 0;
}
