// Two sides of a comparison measured in turns, so that a slow spell of the machine falls on both.
#pragma once

#include <algorithm>
#include <functional>
#include <optional>
#include <vector>

namespace bench {

// Medians over the rounds, in seconds; `verhaeltnis` is the median of the
// rounds' own ratios (Karmo / floor), which is what the row reports.
struct Im_Wechsel {
    double karmo, boden, verhaeltnis;
    int runden;
};

inline double median_von(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Each round runs each side once, the floor first in even rounds and Karmo
// first in odd ones (neither always gets the warmer cache). A side does its
// own set-up untimed and returns the CPU seconds of its run, nothing when
// the run went wrong (then the comparison is nothing).
inline std::optional<Im_Wechsel> im_wechsel(int runden, const std::function<std::optional<double>()>& karmo,
                                            const std::function<std::optional<double>()>& boden) {
    std::vector<double> k, b, v;
    for (int i = 0; i < runden; ++i) {
        std::optional<double> tk, tb;
        if (i % 2 == 0) {
            tb = boden();
            tk = karmo();
        } else {
            tk = karmo();
            tb = boden();
        }
        if (!tk || !tb || *tb <= 0) return std::nullopt;
        k.push_back(*tk);
        b.push_back(*tb);
        v.push_back(*tk / *tb);
    }
    if (runden <= 0) return std::nullopt;
    return Im_Wechsel{median_von(k), median_von(b), median_von(v), runden};
}

} // namespace bench
