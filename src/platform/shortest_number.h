#pragma once
// Numbers as the shortest decimal text that reads back as the same double,
// spelt as the C locale does whatever the user's locale: "0.1", "-0",
// "1e+300", "inf", "nan".

#include <string>

namespace tessarin::platform {

void AppendShortest(std::string& text, double value);
std::string ShortestText(double value);

}  // namespace tessarin::platform
