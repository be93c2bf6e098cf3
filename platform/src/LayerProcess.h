#pragma once
// Start and end of the layer's process state, shared by ProgramMain and the
// test process.

#include <QApplication>
#include <memory>

namespace pl {

// A QApplication whose notify is the last barrier against exceptions.
std::unique_ptr<QApplication> CreateLayerApplication(int& argc, char** argv);
// "C" numbers, the fixed style, Qt's own texts in French, the layer's
// fonts, Application, Screen and Mouse, then the units' initialisation
// (the platform's first).
void StartLayer();
// Frees the forms, finalises the units in reverse and frees the globals.
void StopLayer();

}  // namespace pl
