#pragma once
// System services of the non-visual components: file identities and
// replacement, a single-instance guard and a notification-area icon.

#include <functional>
#include <memory>
#include <string_view>

#include "platform/Types.h"

// ---------------------------------------------------------------------------
// Files
// ---------------------------------------------------------------------------

// The file a path names, links followed: equal identities are one file.
struct TFileIdentity {
    UInt64 Device = 0;
    UInt64 Inode = 0;
    bool operator==(const TFileIdentity&) const = default;
};
// False (Identity untouched) when the path names nothing.
bool GetFileIdentity(std::string_view Path, TFileIdentity& Identity);
// Both paths exist and name the same file (through links too).
bool SameFile(std::string_view A, std::string_view B);
// The path itself is a symbolic link (whatever it points to).
bool IsSymbolicLink(std::string_view Path);
// Moves Source over Dest in one step, replacing it; false on failure.
bool ReplaceFile(std::string_view Source, std::string_view Dest);
