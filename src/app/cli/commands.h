#pragma once
// The sub-commands of tessarin-cli, one file each.

#include "app/cli/cli.h"

namespace tessarin::cli {
}  // namespace tessarin::cli
