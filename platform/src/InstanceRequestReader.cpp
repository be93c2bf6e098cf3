#include "platform/InstanceRequestReader.h"

Integer TInstanceRequestReader::Read(std::string_view Bytes)
{
    Integer requests = 0;
    for (const char c : Bytes) {
        if (FRefused) break;
        FLine += c;
        if (c == '\n') {
            requests += FLine == ActivateLine;
            FLine.clear();
        } else if (FLine.size() >= MaxLineLength) {
            FRefused = true;
            FLine.clear();
        }
    }
    return requests;
}
