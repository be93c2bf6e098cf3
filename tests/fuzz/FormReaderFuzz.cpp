// Feeds arbitrary bytes to the form reader over a fresh root. Whatever is
// read must write back, read again and write the same text.

#include <cstddef>
#include <cstdint>

#include "support/FormTestClasses.h"

namespace {

using namespace FormTest;

// The text of what was read, or empty when the input is refused.
String ReadAndWrite(const String& text)
{
    LoadedLog.clear();
    TOwned<TFormTestRoot> root(Create<TFormTestRoot>(nullptr));
    try {
        ReadComponent(text, root.get());
    } catch (const EReadError&) {
        return String();
    } catch (const EConvertError&) {
        return String();
    }
    return WriteComponent(root.get());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool registered = [] {
        RegisterFormTestClasses();
        return true;
    }();
    (void)registered;
    const String first = ReadAndWrite(String(reinterpret_cast<const char*>(data), size));
    if (first.empty()) return 0;
    const String second = ReadAndWrite(first);
    if (second != first) __builtin_trap();
    return 0;
}
