#pragma once
// A BRL-CAD database as g2asc writes it, compared object by object: two
// scripts that build the same database give dumps that differ at most in
// the order of objects and attributes and in the last bits of numbers.

#include <optional>
#include <string>
#include <vector>

namespace tessarin::render::script_check {

// The g2asc text of the database, or nothing (and why in `error`).
std::optional<std::string> DumpDatabase(const std::string& databasePath, std::string& error);

// What differs between two dumps, one line each: objects only in one, and
// objects whose stored words or attributes differ (numbers within
// `relative` of the largest number of their line). Empty when none.
std::vector<std::string> CompareDumps(const std::string& first, const std::string& second,
                                      double relative = 1e-12);

}  // namespace tessarin::render::script_check
