#pragma once
// Random points for trace pictures: a sine with noise, sorted or scattered
// along X, with nulls and empties among them and values off the scale on
// either side, the same for every run of a test.

#include <cmath>
#include <random>

#include "components/plot/channel/kPlotChannelCustom.h"
#include "platform/Math.h"

struct TRandomTrace {
    Integer Points = 20000;
    bool SortedX = true;
    bool NullsAndEmpties = false;
    // Points run this many spans past the scale 0..1 on either side.
    Double Overshoot = 0;
    // The noise about the sine, in spans: small noise keeps most points of a
    // pixel column on a few rows.
    Double Noise = 0.05;
    // Y as powers of ten about 0.1..100 (for a logarithmic scale).
    bool LogY = false;
    // Y as levels 0 and 1 (for a digital trace).
    bool Levels = false;
    unsigned Seed = 7;

    void AddTo(TkPlotChannelCustom& Channel) const
    {
        std::mt19937 random(Seed);
        const auto uniform = [&random](Double Low, Double High) {
            return std::uniform_real_distribution<Double>(Low, High)(random);
        };
        const Double low = -Overshoot;
        const Double high = 1 + Overshoot;
        for (Integer i = 0; i < Points; ++i) {
            const Double x = SortedX ? low + (high - low) * i / Points : uniform(low, high);
            const Double wave = 0.5 + (0.5 + Overshoot) * std::sin(2 * Pi * 3 * x) + uniform(-Noise, Noise);
            Double y = LogY ? std::pow(10.0, 3 * wave - 1) : wave;
            if (Levels) y = wave > 0.5 ? 1 : 0;
            const auto kind = NullsAndEmpties ? random() % 20 : 2;
            Channel.AddPoint(kind == 0, kind == 1, x, y);
        }
    }
};
