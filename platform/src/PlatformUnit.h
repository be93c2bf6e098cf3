#pragma once
// The platform's own unit: the classes that form data may name, the
// identifier tables of colours and cursors.

namespace pl {

void InitializePlatformUnit();
void FinalizePlatformUnit();

}  // namespace pl
