#pragma once
// The fast form of an RT script: the database of the readable form, made
// with MGED's `put` from the objects' stored forms instead of with `in`,
// `comb` and `r`, whose cost grows with the database. The fast form is a
// translation of the readable lines, so that the two cannot build different
// databases; everything that is not geometry (the view, the raytrace, the
// materials' colours, the messages) stays as it was.
//
// Runs of primitives and combinations become one data block that a single
// `foreach` hands to `put`: MGED's Tcl slows down with every distinct word
// of a sourced file, and a block is one word however long it is.

#include <string>
#include <string_view>

namespace tessarin::render {

// The first line of a data block and the line that ends it; each line in
// between is "<name> <stored type> {<values>}".
inline constexpr std::string_view kStoredBlockStart = "foreach {name type values} {\n";
inline constexpr std::string_view kStoredBlockEnd = "} {put $name $type {*}$values}\n";

class FastScriptTranslator {
 public:
  // The fast form of the next whole lines of a readable script. Lines it
  // does not know how to store (and a primitive MGED's `in` would refuse)
  // are kept as they are, in their place.
  std::string Translate(std::string_view readable);

 private:
  void TranslateLine(std::string_view line, std::string& out);
  void EndBlock(std::string& out);

  double toBase_ = 0;  // millimetres per local unit; 0 before a known "units" line
  int regions_ = 0;    // "r" lines so far: MGED numbers regions in that order
  std::string block_;  // the entries of the data block being collected
};

}  // namespace tessarin::render
