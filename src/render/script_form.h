#pragma once
// Which form of the RT script to write. The readable form is the list of
// `in`, `comb` and `r` commands one reads and edits; MGED's time for it grows
// with the square of the number of cells. The fast form builds the same
// database from the objects' stored forms in about a second, and draws the
// tracks from a binary plot file. Automatic: readable for small models,
// fast above kAutoFastAboveCells cells.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tessarin::render {

enum class ScriptForm { Auto, Readable, Fast };

inline constexpr int kAutoFastAboveCells = 1000;

// "auto", "readable", "fast": how the form is named on command lines and in
// the program's settings.
std::string_view ScriptFormName(ScriptForm form);
std::optional<ScriptForm> ParseScriptForm(std::string_view name);

// The form written for a model of `cells` cells: Readable or Fast.
ScriptForm ResolveScriptForm(ScriptForm form, std::size_t cells);

// About how many seconds MGED takes to load the readable script of a model
// of `cells` cells on a desktop machine.
double ReadableLoadSeconds(std::size_t cells);

// What was written, for the window's status line and the command line: the
// form, the cells, and for a readable script that MGED takes long to load
// about how long that is.
std::string ScriptFormSummary(ScriptForm written, std::size_t cells);

}  // namespace tessarin::render
