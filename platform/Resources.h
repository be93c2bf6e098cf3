#pragma once
// Files compiled into the program (form data, bitmaps, cursors), found by
// the upper-case stem of their file name.

#include <cstddef>
#include <span>

#include "platform/Types.h"

void RegisterResource(const String& name, const unsigned char* data, std::size_t size);
// Empty when no resource has that name (compared ignoring ASCII case).
std::span<const unsigned char> FindResourceData(const String& name);
