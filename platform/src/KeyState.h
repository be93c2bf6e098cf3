#pragma once
// Feeds the process-wide key-state table that GetKeyState reads.

#include "platform/Types.h"

namespace pl {

void SetKeyDown(Word vk, bool down);

}  // namespace pl
