#pragma once
// Files compiled into the program (form data, bitmaps, cursors), found by
// the upper-case stem of their file name. A resource may be numbered
// instead: number N is the resource named "#N", as resource scripts have it.

#include <cstddef>
#include <span>

#include "platform/Types.h"

void RegisterResource(const String& name, const unsigned char* data, std::size_t size);
// Empty when no resource has that name (compared ignoring ASCII case).
std::span<const unsigned char> FindResourceData(const String& name);
// The name of the resource numbered ID: "#" and the number.
String NumberedResourceName(Integer ID);
