#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <vector>

#include "platform/SysUtils.h"

namespace fs = std::filesystem;

namespace {

constexpr Integer kErrorFileNotFound = 2;
constexpr Integer kErrorNoMoreFiles = 18;
constexpr Integer kErrorAccess = 5;

bool IsDelimiter(char c) { return c == '/' || c == '\\'; }

String Normalized(std::string_view path)
{
    String out(path);
    std::replace(out.begin(), out.end(), '\\', '/');
    return out;
}

fs::path ToPath(std::string_view path) { return fs::path(Normalized(path)); }

// Index just past the last separator (0 when none).
std::size_t NameStart(std::string_view path)
{
    std::size_t i = path.size();
    while (i > 0 && !IsDelimiter(path[i - 1])) --i;
    return i;
}

// Index of the extension's dot within the file name, npos when none.
std::size_t ExtensionDot(std::string_view path)
{
    const std::size_t dot = path.rfind('.');
    return (dot == std::string_view::npos || dot < NameStart(path)) ? std::string_view::npos : dot;
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

// '*' any run, '?' any one byte; letters compare without case.
bool MatchesMask(std::string_view name, std::string_view mask)
{
    if (mask == "*.*" || mask == "*") return true;
    std::size_t n = 0, m = 0, starM = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == '?' || LowerAscii(mask[m]) == LowerAscii(name[n]))) {
            ++n, ++m;
        } else if (m < mask.size() && mask[m] == '*') {
            starM = m++;
            starN = n;
        } else if (starM != std::string_view::npos) {
            m = starM + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*') ++m;
    return m == mask.size();
}

Integer PackDosDate(const std::tm& t)
{
    const int year = std::clamp(t.tm_year + 1900, 1980, 2107);
    return static_cast<Integer>(static_cast<UInt64>(year - 1980) << 25 | static_cast<UInt64>(t.tm_mon + 1) << 21 |
                                static_cast<UInt64>(t.tm_mday) << 16 | static_cast<UInt64>(t.tm_hour) << 11 |
                                static_cast<UInt64>(t.tm_min) << 5 | static_cast<UInt64>(std::min(t.tm_sec, 59) / 2));
}

Integer DosDateOf(fs::file_time_type time)
{
    const std::time_t seconds = std::chrono::system_clock::to_time_t(
        std::chrono::time_point_cast<std::chrono::system_clock::duration>(std::chrono::file_clock::to_sys(time)));
    std::tm local{};
    localtime_r(&seconds, &local);
    return PackDosDate(local);
}

struct TDosFields {
    Word Year, Month, Day, Hour, Min, Sec;
};

TDosFields UnpackDosDate(Integer fileDate)
{
    const auto v = static_cast<std::uint32_t>(fileDate);
    return {static_cast<Word>((v >> 25) + 1980), static_cast<Word>((v >> 21) & 0xF), static_cast<Word>((v >> 16) & 0x1F),
            static_cast<Word>((v >> 11) & 0x1F), static_cast<Word>((v >> 5) & 0x3F), static_cast<Word>((v & 0x1F) * 2)};
}

// Entries listed once by FindFirst and handed out by FindNext.
struct TFindState {
    std::vector<fs::directory_entry> Entries;
    std::size_t Next = 0;
    Integer Attr = 0;
};

Integer AttributesOf(const fs::directory_entry& entry)
{
    std::error_code ec;
    Integer attr = 0;
    if (entry.is_directory(ec)) attr |= faDirectory;
    const String name = entry.path().filename().string();
    if (!name.empty() && name[0] == '.') attr |= faHidden;
    const auto perms = entry.status(ec).permissions();
    if ((perms & fs::perms::owner_write) == fs::perms::none) attr |= faReadOnly;
    if (!(attr & faDirectory)) attr |= faArchive;
    return attr;
}

Integer FillNext(TSearchRec& found, Integer notFoundCode)
{
    auto* state = static_cast<TFindState*>(found.FindHandle.get());
    if (!state) return notFoundCode;
    while (state->Next < state->Entries.size()) {
        const fs::directory_entry& entry = state->Entries[state->Next++];
        const Integer attr = AttributesOf(entry);
        // Hidden entries and directories come only when asked for.
        if ((attr & (faHidden | faDirectory)) & ~state->Attr) continue;
        std::error_code ec;
        found.Name = entry.path().filename().string();
        found.Attr = attr;
        found.Size = (attr & faDirectory) ? 0 : static_cast<Int64>(entry.file_size(ec));
        found.Time = DosDateOf(entry.last_write_time(ec));
        return 0;
    }
    return notFoundCode;
}

}  // namespace

String ExtractFileName(std::string_view path) { return String(path.substr(NameStart(path))); }

String ExtractFileExt(std::string_view path)
{
    const std::size_t dot = ExtensionDot(path);
    return dot == std::string_view::npos ? String() : String(path.substr(dot));
}

String ExtractFilePath(std::string_view path) { return Normalized(path.substr(0, NameStart(path))); }

String ExtractFileDir(std::string_view path)
{
    std::size_t end = NameStart(path);
    if (end > 1) --end;  // keep the root "/" itself
    return Normalized(path.substr(0, end));
}

String ChangeFileExt(std::string_view path, std::string_view extension)
{
    const std::size_t dot = ExtensionDot(path);
    String out = Normalized(path.substr(0, dot == std::string_view::npos ? path.size() : dot));
    out.append(extension);
    return out;
}

String IncludeTrailingPathDelimiter(std::string_view path)
{
    String out = Normalized(path);
    if (out.empty() || out.back() != PathDelim) out += PathDelim;
    return out;
}

String ExcludeTrailingPathDelimiter(std::string_view path)
{
    String out = Normalized(path);
    while (out.size() > 1 && out.back() == PathDelim) out.pop_back();
    return out;
}

String ExpandFileName(std::string_view path)
{
    std::error_code ec;
    const fs::path absolute = fs::absolute(ToPath(path), ec);
    return (ec ? ToPath(path) : absolute).lexically_normal().string();
}

bool FileExists(std::string_view path)
{
    std::error_code ec;
    return fs::exists(ToPath(path), ec) && !fs::is_directory(ToPath(path), ec);
}

bool FileMissing(std::string_view path)
{
    struct stat info {};
    return ::stat(ToPath(path).c_str(), &info) != 0 && errno == ENOENT;
}

bool DirectoryExists(std::string_view path)
{
    std::error_code ec;
    return fs::is_directory(ToPath(path), ec);
}

bool ForceDirectories(std::string_view path)
{
    if (path.empty()) return false;
    std::error_code ec;
    fs::create_directories(ToPath(path), ec);
    return DirectoryExists(path);
}

bool CreateDir(std::string_view path)
{
    std::error_code ec;
    return fs::create_directory(ToPath(path), ec);
}

bool RemoveDir(std::string_view path)
{
    std::error_code ec;
    return DirectoryExists(path) && fs::remove(ToPath(path), ec);
}

bool DeleteFile(std::string_view path)
{
    std::error_code ec;
    return FileExists(path) && fs::remove(ToPath(path), ec);
}

bool RenameFile(std::string_view oldName, std::string_view newName)
{
    std::error_code ec;
    if (fs::exists(ToPath(newName), ec)) return false;
    fs::rename(ToPath(oldName), ToPath(newName), ec);
    return !ec;
}

String GetCurrentDir()
{
    std::error_code ec;
    return fs::current_path(ec).string();
}

Integer FileAge(std::string_view path)
{
    std::error_code ec;
    const auto time = fs::last_write_time(ToPath(path), ec);
    return ec ? -1 : DosDateOf(time);
}

Integer FileGetDate(std::string_view path) { return FileAge(path); }

Integer FileSetDate(std::string_view path, Integer age)
{
    TDateTime value = 0;
    try {
        value = FileDateToDateTime(age);
    } catch (const EConvertError&) {
        return kErrorAccess;
    }
    Word y, mo, d, h, mi, s, ms;
    DecodeDateTime(value, y, mo, d, h, mi, s, ms);
    std::tm local{};
    local.tm_year = y - 1900, local.tm_mon = mo - 1, local.tm_mday = d;
    local.tm_hour = h, local.tm_min = mi, local.tm_sec = s, local.tm_isdst = -1;
    const std::time_t seconds = std::mktime(&local);
    std::error_code ec;
    fs::last_write_time(ToPath(path),
                        std::chrono::file_clock::from_sys(std::chrono::system_clock::from_time_t(seconds)), ec);
    return ec ? kErrorFileNotFound : 0;
}

TDateTime FileDateToDateTime(Integer fileDate)
{
    const TDosFields f = UnpackDosDate(fileDate);
    return EncodeDateTime(f.Year, f.Month, f.Day, f.Hour, f.Min, f.Sec, 0);
}

Integer DateTimeToFileDate(TDateTime value)
{
    Word y, mo, d, h, mi, s, ms;
    if (!TryDecodeDateTime(value, y, mo, d, h, mi, s, ms) || y < 1980 || y > 2107) return 0;
    std::tm t{};
    t.tm_year = y - 1900, t.tm_mon = mo - 1, t.tm_mday = d, t.tm_hour = h, t.tm_min = mi, t.tm_sec = s;
    return PackDosDate(t);
}

Integer FindFirst(std::string_view path, Integer attr, TSearchRec& found)
{
    FindClose(found);
    const String dir = ExtractFilePath(path);
    const String mask = ExtractFileName(path);
    auto state = std::make_shared<TFindState>();
    state->Attr = attr;
    std::error_code ec;
    for (fs::directory_iterator it(dir.empty() ? fs::path(".") : fs::path(dir), ec), end; !ec && it != end;
         it.increment(ec))
        if (MatchesMask(it->path().filename().string(), mask)) state->Entries.push_back(*it);
    std::sort(state->Entries.begin(), state->Entries.end(),
              [](const auto& a, const auto& b) { return a.path().filename() < b.path().filename(); });
    found.FindHandle = state;
    return FillNext(found, kErrorFileNotFound);
}

Integer FindNext(TSearchRec& found) { return FillNext(found, kErrorNoMoreFiles); }

void FindClose(TSearchRec& found) { found.FindHandle.reset(); }
