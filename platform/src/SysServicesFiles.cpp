#include <sys/stat.h>

#include "platform/SysServices.h"
#include "platform/SysUtils.h"

bool GetFileIdentity(std::string_view Path, TFileIdentity& Identity)
{
    struct stat info {};
    if (::stat(ExpandFileName(Path).c_str(), &info) != 0) return false;
    Identity = {static_cast<UInt64>(info.st_dev), static_cast<UInt64>(info.st_ino)};
    return true;
}

bool SameFile(std::string_view A, std::string_view B)
{
    TFileIdentity a, b;
    return GetFileIdentity(A, a) && GetFileIdentity(B, b) && a == b;
}

bool IsSymbolicLink(std::string_view Path)
{
    struct stat info {};
    return ::lstat(ExcludeTrailingPathDelimiter(ExpandFileName(Path)).c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}
