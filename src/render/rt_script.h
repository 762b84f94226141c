#pragma once
// Make RT script: writes the Tcl command file with which MGED builds the
// geometry of the last successful read, colours and draws its regions, sets
// the view and starts a raytrace. The caller re-reads the input file first
// and calls this only when that read succeeded.

#include <optional>
#include <string>
#include <vector>

#include "input/geometry_model.h"
#include "launch/launch_context.h"
#include "platform/host.h"
#include "platform/windows_clipboard.h"
#include "render/script_form.h"
#include "render/track_files.h"
#include "settings/viewparm.h"

namespace tessarin::render {

struct RtScriptRequest {
  // The model of the last successful read. The command appends its bounding
  // planes for its own duration and removes them again; its precision
  // settings are left as they were.
  input::GeometryModel& model;
  const settings::VIEWPARM& set;  // the working copy, its region rows included
  launch::LaunchContext launch;   // start-up directory and set number
  std::string scriptPath;         // where the script goes (the set's derived RT script path, absolute)
  std::string inputBaseName;      // the input file's name without folder and extension
  bool overwritePrompt = true;    // ask before overwriting an existing script
  platform::Host& host;           // the overwrite question and the error boxes
  platform::Clipboard* clipboard = nullptr;  // copy of the script when the set asks for it
  // With showTracks on: the reading of the set's track data that draws the
  // selected tracks (the window's runs behind its progress dialog). None: the
  // set's track data file is read at once on the calling thread.
  TrackReadingForDrawing readTracks = {};
  // Readable, fast, or chosen by the number of cells; the track drawings
  // follow the script.
  ScriptForm form = ScriptForm::Auto;
  // With the overwrite prompt: a script name that is a symbolic link is
  // replaced (the link, never its target) when the user says so in the
  // overwrite question. Otherwise such a name is refused, as on the command
  // line, where --yes answers only for ordinary files.
  bool askAboutLinks = false;
};

enum class [[nodiscard]] RtScriptOutcome {
  Written,           // the script is complete
  NotOverwritten,    // the user declined to overwrite an existing file
  CouldNotOpen,      // the file could not be opened for writing (message shown)
  CouldNotWrite,     // writing it failed, the disk being full perhaps (message shown)
  WorldVolumeZero,   // the cut-away plane removes the whole world (message shown)
  NonFiniteNumber,   // a number for MGED overflowed, or a member was never made (message shown)
};
// Whatever the outcome, an existing script is replaced only by a complete
// one, and only when its track drawings were written whole too.

// Where the time of one command went (seconds); the region tests include
// the vertex searches they ran.
struct RtScriptTimes {
  double regionTestSeconds = 0;
  double vertexSearchSeconds = 0;
  double clippingSeconds = 0;
  double cellsSeconds = 0;  // the whole cell loop, its tests and clipping included
  double totalSeconds = 0;
};

struct [[nodiscard]] RtScriptResult {
  RtScriptOutcome outcome = RtScriptOutcome::CouldNotOpen;
  std::string databasePath;  // the ".g" database the script creates, with '/' separators
  std::string trackBasePath; // the database path without ".g": where track drawing files go
  TrackFileNames trackFiles;                // the track drawing files the script loads, by type
  int trackFilesFailed = 0;                 // track files that could not be made or written
  bool trackFilesUnwritten = false;         // the drawing could not be written whole: nothing was replaced
  std::optional<long long> selectedTracks;  // with showTracks on: the count for "Number of tracks:"
  bool trackDataMissing = false;            // tracks were to be shown, but there is no track data file yet
  std::size_t scriptBytes = 0;
  // Ids of the cells that contain no point: their combinations are written
  // empty (the world less itself), so that names and regions stay.
  std::vector<int> emptyCells;
  ScriptForm form = ScriptForm::Readable;  // the form written: Readable or Fast
  std::size_t cells = 0;                   // the model's cells
  RtScriptTimes times;
};

RtScriptResult WriteRtScript(const RtScriptRequest& request);

}  // namespace tessarin::render
