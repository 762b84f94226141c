#pragma once
// The in-memory track data of one parameter set. The controller keeps one per
// set, created empty with it and discarded with it; it is never saved. The
// track reader gives it its contents.

namespace tessarin::settings {

struct TRACKSETDATA {};

}  // namespace tessarin::settings
