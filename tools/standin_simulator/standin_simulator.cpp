// Varnholt stand-in: accepts the simulator's command line, counts what is in
// the input file and writes an output file, a log file and a track data file
// of made-up histories under the names the simulator would use.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "geometry_check.h"
#include "input_summary.h"
#include "launch/file_names.h"
#include "platform/paths.h"
#include "simulator_options.h"
#include "track_histories.h"

namespace tessarin::standin {
namespace {

constexpr const char* kUsage =
    "usage: Varnholt [tasks N] [check 0|1|-1] [writeLog 0|1] [@n value]... [dir FOLDER] [alt FILE]\n"
    "                in FILE | in= FILE  [log FILE] [out FILE | out= FILE]\n";

struct RunFiles {
  std::string output;
  std::string log;
  std::string trackData;
};

// The run as a parameter set: the names follow the input file as the
// simulator derives them; "log" and "out" replace the derived name.
settings::VIEWPARM RunSet(const SimulatorOptions& options) {
  settings::VIEWPARM set;
  platform::PathParts input = platform::SplitPath(platform::NormalizeSeparators(options.input));
  set.InputFileFolder = input.folder;
  set.InputFN = input.name + input.extension;
  if (!options.output.empty()) {
    set.suffix.clear();
    set.OutputFileName = options.output;
  }
  if (!options.log.empty()) {
    set.logSuffix.clear();
    set.LogFileName = options.log;
  }
  return set;
}

RunFiles DeriveRunFiles(const settings::VIEWPARM& set, const launch::LaunchContext& context) {
  return {launch::OutputFilePath(set, context), launch::LogFilePath(set, context),
          launch::TrackDataFilePath(set, context)};
}

std::string GeometryText(const GeometrySummary& geometry) {
  const input::ModelCounts& counts = geometry.counts;
  return std::to_string(counts.cells) + " cells, " + std::to_string(counts.surfaces) + " surfaces, " +
         std::to_string(counts.macrobodies) + " macrobodies, " + std::to_string(counts.materials) + " materials";
}

bool WriteFile(const std::string& path, const std::string& text) {
  std::filesystem::path folder = std::filesystem::path(path).parent_path();
  std::error_code ignored;
  if (!folder.empty()) std::filesystem::create_directories(folder, ignored);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << text;
  file.close();
  if (file) return true;
  std::cerr << "Error: file \"" << path << "\" could not be written.\n";
  return false;
}

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.16g", value);
  return text;
}

// Both the console and the log file get every line.
class Log {
 public:
  void Line(const std::string& text) {
    std::cout << text << '\n';
    text_ += text + '\n';
  }
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
};

struct TrackCounts {
  int tracks = 0, escaped = 0, stopped = 0, energyLeft = 0;
};

TrackCounts CountTracks(const std::vector<History>& histories) {
  TrackCounts counts;
  for (const History& history : histories) {
    for (const Track& track : history.tracks) {
      ++counts.tracks;
      double last = track.vertices.back().energy;
      if (last < 0) ++counts.escaped;
      else if (last == 0) ++counts.stopped;
      else ++counts.energyLeft;
    }
  }
  return counts;
}

std::string OutputText(const SimulatorOptions& options, const InputSummary& input,
                       const std::optional<GeometrySummary>& geometry, const RunFiles& files,
                       const std::vector<History>& histories) {
  std::ostringstream out;
  out << "Varnholt stand-in simulator: made-up tracks for demonstrations and tests\n\n";
  out << "Input file:            " << options.input << " (" << input.lines << " lines, " << input.directives
      << " directives)\n";
  out << "Tasks:                 " << options.tasks << "\n";
  out << "Syntax check:          " << (geometry ? GeometryText(*geometry) : "not asked for") << "\n";
  for (std::size_t i = 0; i < options.systemVariables.size(); ++i)
    if (options.systemVariables[i] != 0)
      out << "System variable @" << i << ":    " << Number(options.systemVariables[i]) << "\n";
  if (!options.dataFolder.empty()) out << "Data folder:           " << options.dataFolder << "\n";
  if (!options.alternativeCrossSections.empty())
    out << "Cross-section file:    " << options.alternativeCrossSections << "\n";
  for (const std::string& word : options.additional) out << "Additional argument:   " << word << "\n";
  TrackCounts counts = CountTracks(histories);
  out << "Histories:             " << histories.size() << "\n";
  out << "Tracks:                " << counts.tracks << " (" << counts.escaped << " escaped, " << counts.stopped
      << " stopped, " << counts.energyLeft << " with energy left)\n";
  out << "Track data file:       " << files.trackData << "\n";
  return out.str();
}

std::uint64_t Seed(const InputSummary& input, const SimulatorOptions& options) {
  std::uint64_t seed = 1469598103934665603ull;
  for (std::uint64_t part : {static_cast<std::uint64_t>(input.bytes), static_cast<std::uint64_t>(input.directives),
                             static_cast<std::uint64_t>(options.systemVariables[0] * 1000)})
    seed = (seed ^ part) * 1099511628211ull;
  return seed;
}

int Run(const std::vector<std::string>& arguments) {
  ParsedOptions parsed = ParseSimulatorOptions(arguments);
  if (!parsed.options) {
    std::cerr << "Varnholt: " << parsed.error << "\n" << kUsage;
    return 2;
  }
  const SimulatorOptions& options = *parsed.options;
  settings::VIEWPARM set = RunSet(options);
  launch::LaunchContext context{platform::CurrentDirectory(), 1};
  RunFiles files = DeriveRunFiles(set, context);
  Log log;
  log.Line("Varnholt stand-in simulator");
  std::optional<InputSummary> input = SummarizeInput(options.input);
  if (!input) {
    std::cerr << "Error: input file \"" << options.input << "\" could not be opened for reading.\n";
    return 1;
  }
  log.Line("Input file " + options.input + ": " + std::to_string(input->lines) + " lines, " +
           std::to_string(input->directives) + " directives");
  std::optional<GeometrySummary> geometry;
  if (options.check != 0) {
    geometry = CheckGeometry(set, context);
    if (!geometry->loaded) {
      // Like the simulator, nothing is simulated from an input file with errors.
      if (!geometry->problem.empty()) log.Line(geometry->problem);
      log.Line("The input file has errors; no particles were simulated.");
      if (options.writeLog) WriteFile(files.log, log.Text());
      return 1;
    }
    log.Line("Geometry: " + GeometryText(*geometry));
  }
  bool written = true;
  if (options.check >= 0) {
    HistorySettings settings;
    settings.seed = Seed(*input, options);
    if (geometry) {
      settings.sourcePosition = {geometry->sourcePosition[0], geometry->sourcePosition[1],
                                 geometry->sourcePosition[2], 0};
      std::copy(geometry->sourceDirection, geometry->sourceDirection + 3, settings.sourceDirection);
    }
    std::vector<History> histories = MakeHistories(settings);
    for (std::size_t h = 0; h < histories.size(); ++h)
      log.Line("History " + std::to_string(h + 1) + ": " + std::to_string(histories[h].tracks.size()) + " tracks");
    written = WriteFile(files.trackData, TrackDataText(histories)) &&
              WriteFile(files.output, OutputText(options, *input, geometry, files, histories));
    log.Line("Output file " + files.output);
    log.Line("Track data file " + files.trackData);
  }
  if (options.writeLog) written = WriteFile(files.log, log.Text()) && written;
  return written ? 0 : 1;
}

}  // namespace
}  // namespace tessarin::standin

int main(int argc, char** argv) {
  return tessarin::standin::Run(std::vector<std::string>(argv + 1, argv + argc));
}
