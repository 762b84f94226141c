#pragma once
// The fast form of an RT script: the database of the readable form, made
// with MGED's `put` from the objects' stored forms instead of with `in`,
// `comb` and `r`, whose cost grows with the database. The fast form is a
// translation of the readable lines, so that the two cannot build different
// databases; everything that is not geometry (the view, the raytrace, the
// materials' colours, the messages) stays as it was.
//
// Runs of primitives and combinations become data blocks that a `foreach`
// hands to `put`. Measured with MGED 7.32.6 on the 5,000-cell lattice: a
// sourced script costs milliseconds for every command (13,753 put lines: 37 s
// of processor time), while a script fed line by line costs for every line
// of an open command the length of that command so far (one block of all
// objects: 13 s). Blocks of kRowsPerBlock rows keep both ways under a second.
//
// `put` parses a combination's tree in a time that grows with the square of
// its depth: the shield of the lattice, one box minus 5,000 cells, takes it 8
// s. A combination that only subtracts from its first member is therefore
// made with `c`, which builds the same left-deep tree at once; `c` gives the
// combination a region id of -1, which `comb` does not, so that is removed.

#include <string>
#include <string_view>

namespace tessarin::render {

// The first line of a data block and the line that ends it; each line in
// between is "<name> <stored type> {<values>}".
inline constexpr std::string_view kStoredBlockStart = "foreach {name type values} {\n";
inline constexpr std::string_view kStoredBlockEnd = "} {put $name $type {*}$values}\n";
inline constexpr int kRowsPerBlock = 200;

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
  int blockRows_ = 0;
};

}  // namespace tessarin::render
