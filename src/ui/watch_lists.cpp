#include "ui/watch_lists.h"

#include <algorithm>

namespace tessarin::ui {

void WatchList::SetInserted(int setIndex) {
  for (int& index : indices_)
    if (index >= setIndex) ++index;
}

void WatchList::SetDeleted(int setIndex) {
  std::erase(indices_, setIndex);
  for (int& index : indices_)
    if (index > setIndex) --index;
}

}  // namespace tessarin::ui
