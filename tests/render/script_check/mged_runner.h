#pragma once
// BRL-CAD's MGED and rt for tests: runs an RT script through the real MGED
// (headless, so the lines that need a display or a frame buffer are left
// out), looks for errors in its transcript (MGED exits 0 even when a command
// fails), and raytraces regions of the database the script made.

#include <optional>
#include <string>
#include <vector>

namespace tessarin::render::script_check {

// The folder of mged and rt, or nothing when BRL-CAD is not unpacked in the
// build tree.
std::optional<std::string> BrlcadBinFolder();
inline constexpr const char* kNoBrlcad =
    "BRL-CAD is not in the build tree (the tarball under ../shared/tools/brlcad was not found at configure time): "
    "MGED checks skipped";

// The script without its frame-buffer, raytrace and display-size lines.
std::string HeadlessScript(const std::string& script);
// The database path of the script's "opendb" line.
std::string DatabasePath(const std::string& script);

struct MgedRun {
  bool passed = false;
  std::string transcript;
  std::vector<std::string> errorLines;  // the transcript lines that report a failure
};

// Writes the headless script beside `scriptPath` and feeds it to MGED.
MgedRun RunThroughMged(const std::string& scriptPath);

struct Raytrace {
  bool passed = false;
  std::string message;
  long pixels = 0;     // of the image
  long hitPixels = 0;  // pixels not of the background
};

// Raytraces the regions from azimuth 35, elevation 25 to `pngPath`, and
// counts the pixels that show geometry.
Raytrace RaytraceToPng(const std::string& databasePath, const std::vector<std::string>& regions,
                       const std::string& pngPath, int size = 256);

// BRL-CAD's own ray query along one ray; its output lists the regions hit
// and an "OVERLAP" line wherever two regions claim the same stretch.
std::string NirtShot(const std::string& databasePath, const std::vector<std::string>& regions, const double origin[3],
                     const double direction[3]);
// nirt with its own commands ("xyz ...; dir ...; s; ..."), for many rays in one run.
std::string RunNirt(const std::string& databasePath, const std::vector<std::string>& regions,
                    const std::string& commands);

}  // namespace tessarin::render::script_check
