// Windows' wildcard match for file searches, shared by the platform doubles.
#pragma once

#include <string_view>

namespace karmo::platzhalter {

// Whether `name` matches `muster`: "*" any run of characters, "?" exactly
// one. Both are compared as given; callers fold the case of both first.
inline bool passt(std::string_view muster, std::string_view name) {
    std::size_t m = 0, n = 0, stern = std::string_view::npos, merk = 0;
    while (n < name.size()) {
        if (m < muster.size() && (muster[m] == '?' || muster[m] == name[n])) {
            ++m;
            ++n;
        } else if (m < muster.size() && muster[m] == '*') {
            stern = m++;
            merk = n;
        } else if (stern != std::string_view::npos) {
            m = stern + 1;
            n = ++merk;
        } else {
            return false;
        }
    }
    while (m < muster.size() && muster[m] == '*') ++m;
    return m == muster.size();
}

} // namespace karmo::platzhalter
