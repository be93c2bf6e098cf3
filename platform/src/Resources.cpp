#include "platform/Resources.h"

#include <algorithm>
#include <map>
#include <string>

namespace {

String Upper(String s)
{
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c); });
    return s;
}

std::map<String, std::span<const unsigned char>>& Table()
{
    static std::map<String, std::span<const unsigned char>> table;
    return table;
}

}  // namespace

void RegisterResource(const String& name, const unsigned char* data, std::size_t size)
{
    Table()[Upper(name)] = {data, size};
}

std::span<const unsigned char> FindResourceData(const String& name)
{
    auto it = Table().find(Upper(name));
    return it == Table().end() ? std::span<const unsigned char>{} : it->second;
}

String NumberedResourceName(Integer ID) { return "#" + std::to_string(ID); }
