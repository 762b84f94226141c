#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <optional>
#include <mutex>
#include <ostream>
#include <thread>

#include "app/cli/commands.h"
#include "app/cli/option_names.h"
#include "app/cli/pixel_ids.h"
#include "app/cli/png_file.h"
#include "app/cli/set_geometry.h"
#include "platform/file_replacement.h"
#include "settings/parameter_numbers.h"
#include "view3d/renderer.h"
#include "view3d/set_tracks.h"

namespace tessarin::cli {
namespace {

constexpr CommandDescription kRender{
    "render",
    "Usage: tessarin-cli render FILE [--set N] -o PICTURE.png [--size WxH]\n"
    "                           [--no-tracks] [--ids PIXELS.csv] [--time-limit S]\n"
    "                           [--allow-system] [--allow-files]\n"
    "\n"
    "Reads the input file of a parameter set of the parameter file FILE and\n"
    "raytraces its geometry into a PNG picture as the set's RT script shows it\n"
    "in MGED, without MGED: the set's view (view size, view centre, azimuth,\n"
    "elevation, twist, perspective), the world cube, the cut-away plane, the\n"
    "background colour and, for each material region, its row's colour,\n"
    "transparency and show flag, the source sphere; lit from the eye. When the\n"
    "set shows tracks, the selected tracks of its track data file are drawn in\n"
    "their types' colours, as many points as the RT script's track files would\n"
    "hold, hidden where cells lie in front of them. Prints the picture's path\n"
    "(and the table's, with --ids).\n"
    "\n"
    "Exit status 0 when the picture was written; 1 when the input file could\n"
    "not be read or has errors, the picture or the table could not be written,\n"
    "or reading the tracks and rendering took longer than --time-limit; 2 for\n"
    "bad usage. A track data file that cannot be read is reported, and the\n"
    "picture is made without its tracks.\n"
    "\n"
    "  --set N         use set N (counting from 1) instead of the file's current set\n"
    "  -o PICTURE      the PNG file to write\n"
    "  --size WxH      the picture's size in pixels (default 800x600, at most\n"
    "                  10000x10000); the view size spans its width\n"
    "  --no-tracks     leave the tracks out even when the set shows them\n"
    "  --ids PIXELS    also write a table of every pixel, one line each, with\n"
    "                  the header x,y,ox,oy,oz,dx,dy,dz,cell,material,distance:\n"
    "                  the pixel (x to the right, y down from 0), its ray's\n"
    "                  origin and unit direction in cm, the first cell the ray\n"
    "                  meets among the regions shown (C12; empty for none or\n"
    "                  the source sphere), its region (M3, V0 for void\n"
    "                  material 0, M_source) and the distance in cm from the\n"
    "                  origin to the hit\n"
    TESSARIN_USER_PROGRAM_OPTIONS_HELP};

constexpr long long kMostPixels = 10000;

void ReportFailure(std::string_view message, CommandIo& io) { io.err << "tessarin-cli render: " << message << "\n"; }

// Sets a flag when the time is up; the flag stops the track reading and the
// rendering. Without a limit it never fires.
class Deadline {
 public:
  explicit Deadline(double seconds) {
    if (seconds <= 0) return;
    thread_ = std::thread([this, seconds] {
      std::unique_lock<std::mutex> lock(mutex_);
      if (!wake_.wait_for(lock, std::chrono::duration<double>(seconds), [this] { return done_; })) passed_ = true;
    });
  }
  ~Deadline() {
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      done_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) thread_.join();
  }
  Deadline(const Deadline&) = delete;
  Deadline& operator=(const Deadline&) = delete;

  const std::atomic<bool>& Passed() const { return passed_; }

 private:
  std::atomic<bool> passed_{false};
  std::mutex mutex_;
  std::condition_variable wake_;
  bool done_ = false;
  std::thread thread_;
};

}  // namespace

int RunRenderCommand(const std::vector<std::string>& args, CommandIo& io) {
  ArgumentSpec spec;
  spec.minPositional = 1;
  spec.maxPositional = 1;
  spec.flags = {kNoTracksFlag};
  spec.valueOptions = {kSetOption, kOutputOption, kSizeOption, kIdsOption};
  AddUserProgramOptions(spec);
  CommandStep<ParsedArguments> arguments = ParseCommandArguments(args, spec, kRender, io);
  if (!arguments) return arguments.ExitCode();
  std::optional<UserProgramOptions> programOptions = ReadUserProgramOptions(*arguments, kRender, io);
  if (!programOptions) return kExitUsage;

  const std::optional<std::string> output = arguments->Value(kOutputOption);
  if (!output || output->empty()) {
    ReportUsageError(kRender, "-o PICTURE.png is required", io);
    return kExitUsage;
  }
  int width = 800, height = 600;
  if (auto text = arguments->Value(kSizeOption); text && !ParsePictureSize(*text, kMostPixels, width, height)) {
    ReportUsageError(kRender, "--size takes WxH, each from 1 to 10000", io);
    return kExitUsage;
  }
  const std::optional<std::string> ids = arguments->Value(kIdsOption);
  if (ids && ids->empty()) {
    ReportUsageError(kRender, "--ids takes the name of the table to write", io);
    return kExitUsage;
  }

  CommandStep<SetGeometry> geometry = LoadSetGeometry(*arguments, *programOptions, kRender, io);
  if (!geometry) return geometry.ExitCode();
  const settings::VIEWPARM& set = geometry->set;

  const Deadline deadline(programOptions->timeLimit);
  const view3d::Scene scene = view3d::SceneOfSet(geometry->model, set);
  std::shared_ptr<view3d::TrackScene> tracks;
  if (set.showTracks != 0 && !arguments->Has(kNoTracksFlag)) {
    view3d::SetTracks read = view3d::ReadSetTracks(set, geometry->selected.Context(), deadline.Passed());
    for (const std::string& message : read.messages) io.err << message << "\n";
    tracks = std::move(read.scene);
  }
  view3d::Picture picture;
  const view3d::RenderOutcome outcome = view3d::RenderPicture(scene, view3d::ViewOfSet(set), width, height,
                                                              tracks.get(), {}, &deadline.Passed(), picture);
  if (outcome != view3d::RenderOutcome::Finished || deadline.Passed()) {
    ReportFailure("gave up after the time limit of " + settings::FormatReal(programOptions->timeLimit) + " seconds", io);
    return kExitFailure;
  }
  // The picture and the pixel table replace their older files together or
  // not at all.
  std::string error;
  platform::FileReplacement png(*output);
  if (!PreparePngFile(png, picture.image, error)) {
    ReportFailure(error, io);
    return kExitFailure;
  }
  std::optional<platform::FileReplacement> table;
  if (ids) {
    table.emplace(*ids);
    if (!table->Write(PixelIdsTable(picture, scene)) || !table->Prepare()) {
      ReportFailure("cannot write " + *ids + ": " + table->Reason(), io);
      return kExitFailure;
    }
  }
  for (platform::FileReplacement* file : {&png, table ? &*table : nullptr}) {
    if (file && !file->Commit()) {
      ReportFailure("cannot write " + file->Path() + ": " + file->Reason(), io);
      return kExitFailure;
    }
  }
  io.out << *output << "\n";
  if (ids) io.out << *ids << "\n";
  return geometry->selected.ExitCode(kExitSuccess);
}

}  // namespace tessarin::cli
