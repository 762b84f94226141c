#pragma once
// The parameter sets whose started console or MGED is being watched, by
// set index. Inserting or deleting a set moves the indices behind it so that
// a watched process stays attributed to its own set.

#include <vector>

namespace tessarin::ui {

class WatchList {
 public:
  const std::vector<int>& SetIndices() const { return indices_; }
  void Add(int setIndex) { indices_.push_back(setIndex); }
  void Clear() { indices_.clear(); }

  // A set was inserted at `setIndex`: every index from there on moves up.
  void SetInserted(int setIndex);
  // The set at `setIndex` was deleted: its entries go, later indices move down.
  void SetDeleted(int setIndex);

 private:
  std::vector<int> indices_;
};

}  // namespace tessarin::ui
