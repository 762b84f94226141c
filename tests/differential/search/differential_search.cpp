// Searches random models for geometry that the RT script or the point
// locator holds differently from the input, with new seeds until the time is
// up. Each finding is printed with its seed and shrunk, and the shrunk model
// is written beside a one-set parameter file, ready to be kept as a
// regression case.

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <fstream>
#include <iostream>
#include <string>

#include "differential/check/model_check.h"
#include "differential/check/model_shrinking.h"
#include "differential/check/random_geometry.h"
#include "platform/scripted_host.h"
#include "render/script_check/model_reading.h"
#include "settings/parameter_file.h"

namespace {

using namespace tessarin;
using Clock = std::chrono::steady_clock;

constexpr const char* kUsage =
    "Usage: tessarin_differential_search [SECONDS] [--first-seed N] [--models N]\n"
    "                                     [--points N] [--bodies N] [--brlcad-every K]\n"
    "                                     [--stress] [--findings DIR]\n"
    "Generates models from consecutive seeds (by default starting from the clock)\n"
    "for SECONDS (default 60) or N models, and compares the input's cells with the\n"
    "RT script, the point locator and, for every K-th model, MGED and nirt, at N\n"
    "scattered points (default 1200) and rows of points along lines; a container\n"
    "holds at most --bodies bodies (default 8). --stress generates the stress\n"
    "family: up to 216 slots, slivers, nearly touching balls and thin slabs.\n"
    "Findings are shrunk and written to DIR (default differential-findings).\n";

struct Options {
  double seconds = 60;
  std::uint64_t firstSeed = 0;
  long models = -1;
  int points = 1200;
  int bodies = 8;
  bool stress = false;
  int brlcadEvery = 0;
  std::string findings = "differential-findings";
};

bool ParseOptions(int argc, char** argv, Options& options) {
  options.firstSeed = static_cast<std::uint64_t>(Clock::now().time_since_epoch().count()) % 1000000007ULL;
  for (int k = 1; k < argc; ++k) {
    const std::string argument = argv[k];
    const bool hasValue = k + 1 < argc;
    if (argument == "--first-seed" && hasValue) options.firstSeed = std::strtoull(argv[++k], nullptr, 10);
    else if (argument == "--models" && hasValue) options.models = std::strtol(argv[++k], nullptr, 10);
    else if (argument == "--points" && hasValue) options.points = std::atoi(argv[++k]);
    else if (argument == "--bodies" && hasValue) options.bodies = std::atoi(argv[++k]);
    else if (argument == "--brlcad-every" && hasValue) options.brlcadEvery = std::atoi(argv[++k]);
    else if (argument == "--findings" && hasValue) options.findings = argv[++k];
    else if (argument == "--stress") options.stress = true;
    else if (!argument.empty() && argument[0] != '-') options.seconds = std::strtod(argument.c_str(), nullptr);
    else return false;
  }
  return options.seconds > 0 && options.points > 0 && options.bodies > 0;
}

// The shrunk model and its view as NAME.inp and NAME.tesprm in the folder.
std::string Keep(const std::string& folder, const std::string& name, const std::string& input,
                 const differential::ModelView& view) {
  std::filesystem::create_directories(folder);
  const std::string base = (std::filesystem::path(folder) / name).string();
  std::ofstream(base + ".inp") << input;
  settings::VIEWPARM set = render::script_check::SetForInput(base + ".inp", folder + "/");
  set.InputFileFolder.clear();
  set.name = name;  // a set without a name does not read back
  view.ApplyTo(set);
  set.sourceSizeRatio = 0;
  platform::ScriptedHost host;
  settings::ParameterSetList list;
  list.sets.push_back(set);
  if (!settings::WriteParameterFile(base + ".tesprm", list, folder + "/", host))
    throw std::runtime_error("cannot write " + base + ".tesprm");
  return base;
}

// The view as the kept parameter file gives it back (its numbers are
// written with six digits).
differential::ModelView ReadBack(const std::string& base) {
  platform::ScriptedHost host;
  const settings::ParameterFileReadResult file = settings::ReadParameterFile(base + ".tesprm", false, host);
  return differential::ModelView::Of(file.list.sets.front());
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::cerr << kUsage;
    return 2;
  }
  std::cout << "first seed " << options.firstSeed << "\n";
  const Clock::time_point started = Clock::now();
  long models = 0, findings = 0, points = 0, rays = 0;
  for (std::uint64_t seed = options.firstSeed;; ++seed) {
    const double elapsed = std::chrono::duration<double>(Clock::now() - started).count();
    if (options.models >= 0 ? models >= options.models : elapsed >= options.seconds) break;
    const differential::GeneratedModel model = differential::GenerateModel(
        seed, options.bodies, options.stress ? differential::ModelFamily::Stress : differential::ModelFamily::Classic);
    differential::CheckOptions check;
    check.points = options.points;
    check.brlcad = options.brlcadEvery > 0 && models % options.brlcadEvery == 0;
    const differential::CheckReport report = differential::CheckModel(model.input, model.view, check);
    ++models;
    points += report.comparedPoints;
    rays += report.nirtRays;
    if (!report.Found()) continue;
    ++findings;
    std::cout << "\nFINDING: seed " << seed << "\n" << report.Describe() << std::flush;
    // The same kind of difference (script, locator, mged, nirt) must stay,
    // so that shrinking does not wander off to another one; and the view is
    // the one the kept parameter file will give back, when it still shows it.
    const std::string kind = report.findings.front().substr(0, report.findings.front().find(':'));
    auto showsIt = [&](const std::string& input, const differential::ModelView& view) {
      const differential::CheckReport again = differential::CheckModel(input, view, check);
      if (!again.read) return false;
      for (const std::string& finding : again.findings)
        if (finding.rfind(kind + ":", 0) == 0) return true;
      return false;
    };
    const std::string name = "seed-" + std::to_string(seed);
    differential::ModelView view = ReadBack(Keep(options.findings, name, model.input, model.view));
    if (!showsIt(model.input, view)) {
      view = model.view;
      std::cout << "(the six digits of the kept parameter file lose it: the view is printed in full)\n";
    }
    const std::string shrunk =
        differential::ShrinkInput(model.input, [&](const std::string& candidate) { return showsIt(candidate, view); });
    const differential::CheckReport last = differential::CheckModel(shrunk, view, check);
    const std::string kept = Keep(options.findings, name, shrunk, view);
    std::cout.precision(17);
    std::cout << "shrunk (" << kept << ".inp and .tesprm):\n"
              << shrunk << "view size " << view.viewSize << ", centre (" << view.viewCenter.x << ", "
              << view.viewCenter.y << ", " << view.viewCenter.z << "), world ratio " << view.maximumObjectSizeRatio
              << ", nIterations " << view.nIterations << (view.useCutawayPlane ? ", cut-away plane" : "") << "\n"
              << last.Describe() << std::flush;
    std::cout.precision(6);
  }
  const double seconds = std::chrono::duration<double>(Clock::now() - started).count();
  std::cout << "\n" << models << " models, " << findings << " with findings, " << points << " points compared ("
            << (models ? points / models : 0) << " a model), " << rays << " nirt rays, "
            << (models ? 1000 * seconds / static_cast<double>(models) : 0) << " ms a model\n";
  return findings == 0 ? 0 : 1;
}
