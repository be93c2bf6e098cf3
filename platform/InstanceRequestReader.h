#pragma once
// What the first instance of the program reads from a later one: lines of
// text, of which "activate" asks it to come forward and any other is
// ignored. The bytes come in pieces, as the socket delivers them. A line
// longer than any request is refused, so that a sender that never ends its
// line cannot make the reader hold its bytes.

#include <cstddef>
#include <string_view>

#include "platform/Types.h"

class TInstanceRequestReader {
public:
    // The request line, as a later instance sends it.
    static constexpr std::string_view ActivateLine = "activate\n";
    // Longer lines, their end included, are refused.
    static constexpr std::size_t MaxLineLength = 64;

    // Takes the next bytes; returns how many activation requests they
    // completed. Once refused, the reader takes nothing more.
    Integer Read(std::string_view Bytes);
    // A line ran past MaxLineLength: the sender is to be cut off.
    bool Refused() const { return FRefused; }

private:
    String FLine;
    bool FRefused = false;
};
