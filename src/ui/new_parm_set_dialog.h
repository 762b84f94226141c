#pragma once
// The logic of the "New parameter set" dialog: the new set's name and where
// the copy of the current set goes.

#include <string>
#include <vector>

#include "settings/viewparm.h"

namespace tessarin::ui {

inline constexpr std::size_t kMaxNewSetNameLength = 99;

class CNewParmSetDlg {
 public:
  CNewParmSetDlg(const std::vector<settings::VIEWPARM>& sets, int currentIndex);

  // Entry 0 is empty (before the first set), entry k is set k.
  const std::vector<std::string>& InsertPositions() const { return positions_; }

  std::string name;       // the edit field; starts with the current name
  int insertPosition = 0;  // the selected entry; starts after the current set

  // What OK stores: the name without leading blanks and tabs, at most 99
  // characters.
  std::string ChosenName() const;

 private:
  std::vector<std::string> positions_;
};

}  // namespace tessarin::ui
