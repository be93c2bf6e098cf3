#pragma once
// Test support compiled into the layer: a headless process set-up.

namespace Testing {

// Headless application object, fixed locale and fonts; call once per test
// program before any test runs.
void InitTestProcess(int& argc, char** argv);
void DoneTestProcess();

}  // namespace Testing
