// OPC values arriving from the library's worker thread at 10,000 a second,
// alternately for an item bound to a switch's property and for a time
// channel's item. The worker reads each value and queues it; the GUI thread
// delivers it into the property or the channel. The figures that matter:
// the GUI thread's busy time per update (us_per_update, at most 5 us) and
// how far delivery trails the last value (lag_ms: the GUI thread keeps up).

#ifdef FAKE_OPC_LIBRARY

#include <benchmark/benchmark.h>

#include <chrono>
#include <thread>

#include "components/foundation/kOPCItem.h"
#include "components/foundation/kSwitchLed.h"
#include "components/plot/channel/time/kPlotChannel.h"
#include "components/plot/component/kPlot.h"
#include "components/plot/channel/kPlotChannelOPC.h"
#include "support/FakeOPC.h"

namespace {

using TClock = std::chrono::steady_clock;

constexpr Integer kUpdates = 5'000;              // half a second's worth
constexpr auto kPeriod = std::chrono::microseconds(100);  // 10,000 a second

void OPCUpdatesIntoSwitchAndChannel(benchmark::State& state)
{
    FakeOPC::Server server;
    TOwned<TkSwitchLed> sw(Create<TkSwitchLed>(nullptr));
    TkOPCItem* item = sw->OPCItemManager()->GetItem(sw->OPCAddItem());
    item->SetPropertyName("Tag");
    item->SetServerName("Sim.Server");
    item->SetItemName("Bench.Switch");
    item->Activate();
    TOwned<TkPlot> plot(Create<TkPlot>(nullptr));
    TkPlotChannel* channel = plot->GetChannel(0);
    channel->OPCLink()->Item(0)->SetServerName("Sim.Server");
    channel->OPCLink()->Item(0)->SetItemName("Bench.Channel");
    channel->OPCLink()->OPCActivate();

    Integer switchUpdates = 0;
    sw->OnNewOPCData = [&](TObject*, Integer) { ++switchUpdates; };
    double busy = 0;
    double lag = 0;
    for (auto _ : state) {
        channel->Clear();
        switchUpdates = 0;
        TClock::time_point lastPublished;
        std::thread publisher([&] {
            auto next = TClock::now();
            for (Integer i = 0; i < kUpdates; ++i) {
                std::this_thread::sleep_until(next += kPeriod);
                server.Publish(i % 2 ? "Bench.Switch" : "Bench.Channel", FakeOPC::IntValue(varInteger, i),
                               FakeOPC::Good, 45000.0 + i * 1e-6);
            }
            lastPublished = TClock::now();
        });
        double iterationBusy = 0;
        while (switchUpdates + channel->Count() < kUpdates) {
            // Only the delivering counts: the wait for the next value does not.
            const auto start = TClock::now();
            if (CheckSynchronize(0)) iterationBusy += std::chrono::duration<double>(TClock::now() - start).count();
            else std::this_thread::sleep_for(std::chrono::microseconds(50));
        }
        const auto done = TClock::now();
        publisher.join();
        lag += std::chrono::duration<double, std::milli>(done - lastPublished).count();
        busy += iterationBusy;
        state.SetIterationTime(iterationBusy);
    }
    state.SetItemsProcessed(state.iterations() * kUpdates);
    state.counters["us_per_update"] = busy * 1e6 / (static_cast<double>(state.iterations()) * kUpdates);
    state.counters["lag_ms"] = lag / static_cast<double>(state.iterations());
}

}  // namespace

BENCHMARK(OPCUpdatesIntoSwitchAndChannel)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(4);

#endif
