// The benchmark program runs in one headless process, set up before the
// first benchmark (text measuring and windows need it) and shut down after
// the last, so that nothing of it is left to static destruction.

#include <benchmark/benchmark.h>

#include "platform/Testing.h"

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    Testing::InitTestProcess(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Testing::DoneTestProcess();
    return 0;
}
