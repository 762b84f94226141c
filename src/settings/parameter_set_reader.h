#pragma once
// The lines of one parameter set, read in the order the writer writes them.

#include "settings/field_reader.h"
#include "settings/viewparm.h"

namespace tessarin::settings {

// Fills `set`, which must hold the defaults, from the reader's next lines.
// False on a format error; `set` is then partly filled.
[[nodiscard]] bool ReadParameterSet(FieldReader& reader, VIEWPARM& set);

}  // namespace tessarin::settings
