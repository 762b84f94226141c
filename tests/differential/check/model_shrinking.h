#pragma once
// Making a failing input small: lines, then complement tokens, are left out
// one at a time while the input still fails; what cannot go stays.

#include <functional>
#include <string>

namespace tessarin::differential {

// `stillFails` is asked about each candidate; at most `maxTrials` are tried.
std::string ShrinkInput(const std::string& input, const std::function<bool(const std::string&)>& stillFails,
                        int maxTrials = 600);

}  // namespace tessarin::differential
