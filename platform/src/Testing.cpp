#include "platform/Testing.h"

#include <QApplication>
#include <clocale>
#include <cstdlib>
#include <memory>

namespace Testing {

namespace {
std::unique_ptr<QApplication> g_app;
}

void InitTestProcess(int& argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 1);
    g_app = std::make_unique<QApplication>(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
}

void DoneTestProcess() { g_app.reset(); }

}  // namespace Testing
