// Feeds arbitrary bytes to the registry as the user's file; the first bytes
// also give the name and the text of a value to write. A file that is no
// text (no UTF-8 after a UTF-8 mark) is refused with a registry error and
// kept. Values read as text, as numbers or fail with a registry error. A
// write either fails with a registry error and leaves the file as it was,
// or rewrites the file so that it reads back the value written and the
// values it held before, and writing it again changes nothing.

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <vector>

#include "FuzzSupport.h"
#include "platform/Registry.h"

namespace {

const char* const kKey = "Software\\Fuzz";
const char* const kWitnesses[] = {"A", "B"};

struct TRead {
    std::optional<String> Text;
    std::optional<Integer> Number;
    bool operator==(const TRead&) const = default;
};

TRead ReadValue(const TRegistry& Registry, const String& Name)
{
    TRead read;
    try {
        read.Text = Registry.ReadString(Name);
    } catch (const ERegistryException&) {
    }
    try {
        read.Number = Registry.ReadInteger(Name);
    } catch (const ERegistryException&) {
    }
    Fuzz::Check(Registry.ValueExists(Name) || (read.Text == String() && !read.Number));
    return read;
}

String Part(const std::uint8_t* Data, std::size_t Size, std::size_t From, std::size_t Count)
{
    return From < Size ? String(reinterpret_cast<const char*>(Data) + From, std::min(Count, Size - From)) : String();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    static const String file = [] {
        const String path = Fuzz::InputFile("RegistryFileFuzz-user", nullptr, 0);
        ::setenv("PL_REGISTRY_USER", path.c_str(), 1);
        return path;
    }();
    const String name = Part(Data, Size, 0, 6), text = Part(Data, Size, 6, 24);
    Fuzz::InputFile("RegistryFileFuzz-user", Data, Size);
    TRegistry registry;
    std::vector<TRead> before;
    try {
        registry.OpenKey(kKey, true);
        for (const char* witness : kWitnesses) before.push_back(ReadValue(registry, witness));
        registry.WriteString(name, text);
    } catch (const ERegistryException&) {
        Fuzz::Check(Fuzz::FileBytes(file) == Part(Data, Size, 0, Size));
        return 0;
    }
    const std::string written = Fuzz::FileBytes(file);
    TRegistry again;
    Fuzz::Check(again.OpenKey(kKey, false) && again.ReadString(name) == text);
    for (std::size_t i = 0; i < std::size(kWitnesses); ++i)
        Fuzz::Check(SameText(name, kWitnesses[i]) || ReadValue(again, kWitnesses[i]) == before[i]);
    again.WriteString(name, text);
    Fuzz::Check(Fuzz::FileBytes(file) == written);
    return 0;
}
