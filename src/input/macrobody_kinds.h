#pragma once
// The kinds of macrobody by their keyword in the input file and their name
// in messages: one table for the reader, its messages and the dump.

#include <array>

#include "input/geometry_model.h"

namespace tessarin::input {

struct MacrobodyKindWords {
  MacrobodyKind kind;
  const char* keyword;  // "RCC"; "MB" for a general macrobody
  const char* name;     // "right circular cylinder"
};

inline constexpr std::array<MacrobodyKindWords, 9> kMacrobodyKinds{{
    {MacrobodyKind::General, "MB", "general macrobody"},
    {MacrobodyKind::RCC, "RCC", "right circular cylinder"},
    {MacrobodyKind::TRC, "TRC", "truncated right-angle cone"},
    {MacrobodyKind::BOX, "BOX", "box"},
    {MacrobodyKind::RPP, "RPP", "rectangular parallelepiped"},
    {MacrobodyKind::RHP, "RHP", "right hexagonal prism"},
    {MacrobodyKind::WED, "WED", "wedge"},
    {MacrobodyKind::ARB4, "ARB4", "four-sided polyhedron"},
    {MacrobodyKind::ARB, "ARB", "polyhedron"},
}};

constexpr const MacrobodyKindWords& WordsOf(MacrobodyKind kind) {
  for (const MacrobodyKindWords& words : kMacrobodyKinds)
    if (words.kind == kind) return words;
  return kMacrobodyKinds[0];
}

}  // namespace tessarin::input
