// A scheme file of 20,000 and 40,000 categories, each with one scheme of
// one line, read into an empty category list.

#include <benchmark/benchmark.h>

#include "components/foundation/kSchemeFile.h"
#include "components/foundation/kXMLMemoryStream.h"

namespace {

void BM_LoadSchemeCategories(benchmark::State& State)
{
    String text = "<SchemeTypes>\r\n";
    for (Int64 i = 0; i < State.range(0); ++i)
        text += "<SchemeType>\r\n<Name>Category " + IntToStr(i) +
                "</Name>\r\n<Scheme>\r\n<Name>Dark</Name>\r\n<Properties>\r\n<Font.Color>255</Font.Color>\r\n"
                "</Properties>\r\n</Scheme>\r\n</SchemeType>\r\n";
    text += "</SchemeTypes>\r\n";
    TkXMLMemoryStream stream;
    stream.WriteBuffer(text.data(), static_cast<Int64>(text.size()));
    for (auto _ : State) {
        TOwned<TStringList> categories(Create<TStringList>(true));
        stream.SetPosition(0);
        LoadSchemeFile(stream, *categories, false);
        benchmark::DoNotOptimize(categories->Count());
    }
}
BENCHMARK(BM_LoadSchemeCategories)->Arg(20000)->Arg(40000)->Unit(benchmark::kMillisecond);

}  // namespace
