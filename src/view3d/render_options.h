#pragma once
// How a 3D picture is made.

namespace tessarin::view3d {

struct RenderOptions {
  bool translucency = true;         // regions as transparent as their rows say; off: all opaque
  bool tracksThroughCells = false;  // tracks drawn over everything instead of hidden behind cells
  int threads = 0;                  // 0: one per processor
};

}  // namespace tessarin::view3d
