#include "engine/engine_tables.h"

#include <algorithm>

#include "engine/names.h"

namespace tessarin::engine {

int GlobalTable::Find(std::string_view name) const {
  auto found = byName_.find(FoldName(name));
  return found == byName_.end() ? -1 : found->second;
}

int GlobalTable::Add(std::string_view name, double value) {
  int index = size();
  names_.emplace_back(name);
  values_.push_back(value);
  byName_.emplace(FoldName(names_.back()), index);
  return index;
}

int EngineTables::FindProgram(std::string_view name, int beforeSlot) const {
  int last = std::min<int>(beforeSlot, static_cast<int>(slots.size()) - 1);
  for (int i = 0; i <= last; ++i) {
    const ProgramRecord& record = slots[i]->record;
    if (record.kind != BlockKind::kParameters && SameName(record.name, name)) return i;
  }
  return -1;
}

}  // namespace tessarin::engine
