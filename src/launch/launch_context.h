#pragma once
// What the derivations of a run need besides the parameter set itself.

#include <string>

namespace tessarin::launch {

struct LaunchContext {
  std::string startupDirectory;  // the working directory at program start, ending with '/'
  int setNumber = 1;             // the set's position in the list, counting from 1
};

}  // namespace tessarin::launch
