// The proof against the real raytracer: tessarin-cli render --ids on the
// bundled examples and on generated models, and BRL-CAD's nirt fired along
// the same rays on the database the RT script builds. For every pixel that
// is not within the distance precision of a boundary, the first region hit
// and the distance to it must be the same.

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <sstream>

#include "render/script_check/command_run.h"
#include "render/script_check/mged_runner.h"
#include "render/script_check/random_model.h"
#include "render/script_check/ray_check.h"
#include "view3d/pixel_tracer.h"
#include "view3d/scripted_model.h"

namespace tessarin::view3d {
namespace {

namespace check = render::script_check;
using testing::ScriptedModel;
using tessarin::testing::ReadWholeFile;

struct IdsLine {
  int x = 0, y = 0;
  Vec3 origin, direction;
  std::string cell, material;
  double distance = 0;
};

std::vector<IdsLine> ReadIds(const std::string& path) {
  std::vector<IdsLine> lines;
  std::istringstream text(ReadWholeFile(path));
  std::string line;
  std::getline(text, line);
  EXPECT_EQ(line + "\n", "x,y,ox,oy,oz,dx,dy,dz,cell,material,distance\n");
  while (std::getline(text, line)) {
    std::vector<std::string> fields;
    std::istringstream cells(line);
    for (std::string field; std::getline(cells, field, ',');) fields.push_back(field);
    fields.resize(11);
    IdsLine ids;
    ids.x = std::stoi(fields[0]);
    ids.y = std::stoi(fields[1]);
    ids.origin = {std::stod(fields[2]), std::stod(fields[3]), std::stod(fields[4])};
    ids.direction = {std::stod(fields[5]), std::stod(fields[6]), std::stod(fields[7])};
    ids.cell = fields[8];
    ids.material = fields[9];
    ids.distance = fields[10].empty() ? 0 : std::stod(fields[10]);
    lines.push_back(ids);
  }
  return lines;
}

struct NirtHit {
  std::string region;  // empty: a miss
  double distance = 0;
};

// One nirt run for every ray: the first region each ray meets ahead of its
// origin, with the distance to where it enters.
std::vector<NirtHit> FirstHits(const ScriptedModel& model, const std::vector<const IdsLine*>& rays) {
  // Too many rays for one command-line argument: nirt reads them from a file.
  std::ostringstream commands;
  commands.precision(17);
  commands << "fmt r \"ray\\n\"; fmt h \"\"; fmt f \"\"; fmt m \"\"; fmt o \"\"; "
              "fmt p \"hit %s %.17g %.17g %.17g %.17g %.17g %.17g\\n\" reg_name x_in y_in z_in x_out y_out z_out\n";
  for (const IdsLine* ray : rays)
    commands << "xyz " << ray->origin.x << " " << ray->origin.y << " " << ray->origin.z << "; dir "
             << ray->direction.x << " " << ray->direction.y << " " << ray->direction.z << "; s\n";
  const std::string file = model.folder.File("rays.nirt");
  tessarin::testing::WriteWholeFile(file, commands.str());
  std::string command = check::ShellQuoted(*check::BrlcadBinFolder() + "/nirt") + " -s " +
                        check::ShellQuoted(model.database);
  for (const std::string& region : model.regions) command += " " + check::ShellQuoted(region);
  std::istringstream output(check::RunCommand(command + " < " + check::ShellQuoted(file)).output);
  std::vector<NirtHit> hits;
  std::string line;
  while (std::getline(output, line)) {
    if (line == "ray") {
      hits.emplace_back();
      continue;
    }
    std::istringstream words(line);
    std::string word, region;
    Vec3 in, out;
    if (!(words >> word >> region >> in.x >> in.y >> in.z >> out.x >> out.y >> out.z) || word != "hit" ||
        hits.empty() || !hits.back().region.empty())
      continue;
    const IdsLine& ray = *rays[hits.size() - 1];
    if (Dot(out - ray.origin, ray.direction) <= 0) continue;  // behind the origin
    hits.back() = {region, Dot(in - ray.origin, ray.direction)};
  }
  EXPECT_EQ(hits.size(), rays.size());
  hits.resize(rays.size());
  return hits;
}

// Whether a pixel's first hit is clear of every boundary by `margin` (cm):
// rays shifted that far across, and the next region along the ray, say so.
class ClearPixels {
 public:
  ClearPixels(const Scene& scene, const ViewSettings& view, int width, int height)
      : camera_(view, width, height, StandOff(view, scene.maximumObjectSizeRatio)),
        tracer_(scene, camera_, view, RenderOptions{false, false, 1}),
        translucent_(scene, camera_, view, RenderOptions{true, false, 1}) {
    margin_ = 1e-5 * view.viewSize;
    // How many pixels the margin is across, near the view centre.
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0, depth = 0;
    EXPECT_TRUE(camera_.Project(view.centre, x0, y0, depth));
    EXPECT_TRUE(camera_.Project(view.centre + margin_ * camera_.Right(), x1, y1, depth));
    shift_ = std::fabs(x1 - x0);
  }

  bool Clear(const IdsLine& pixel) {
    const double x = pixel.x + 0.5, y = pixel.y + 0.5;
    const PixelShade here = tracer_.Trace(x, y, nullptr);
    for (const auto& [dx, dy] : {std::pair{1, 0}, std::pair{-1, 0}, std::pair{0, 1}, std::pair{0, -1}}) {
      const PixelShade there = tracer_.Trace(x + dx * shift_, y + dy * shift_, nullptr);
      if (there.hit.look != here.hit.look || there.hit.cell != here.hit.cell) return false;
    }
    layers_.clear();
    translucent_.Trace(x, y, &layers_);
    return layers_.size() < 2 || layers_[1].depth - layers_[0].depth > margin_;
  }
  double Margin() const { return margin_; }

 private:
  Camera camera_;
  PixelTracer tracer_, translucent_;
  std::vector<PixelLayer> layers_;
  double margin_ = 0, shift_ = 0;
};

struct Case {
  std::string name;
  std::string input;  // the input file's text
  std::function<void(settings::VIEWPARM&)> view;
};

std::string Example(const std::string& name) {
  return ReadWholeFile(std::string(TESSARIN_SOURCE_DIR) + "/examples/" + name);
}

void CompareWithNirt(const Case& c) {
  SCOPED_TRACE(c.name);
  ScriptedModel model(c.input, c.view);
  ASSERT_TRUE(model.read.loaded) << model.read.console;
  ASSERT_TRUE(model.MakeDatabase()) << model.transcript;
  constexpr int kWidth = 64, kHeight = 48;
  ASSERT_EQ(model.RunCli("render " + model.WriteParameterFile() + " -o p.png --ids ids.csv --size 64x48"), 0)
      << ReadWholeFile(model.folder.File("err.txt"));
  const std::vector<IdsLine> ids = ReadIds(model.folder.File("ids.csv"));
  ASSERT_EQ(ids.size(), static_cast<std::size_t>(kWidth * kHeight));

  const Scene scene = SceneOfSet(model.read.model, model.set);
  ClearPixels clear(scene, ViewOfSet(model.set), kWidth, kHeight);
  std::vector<const IdsLine*> rays;
  for (const IdsLine& pixel : ids)
    if (clear.Clear(pixel)) rays.push_back(&pixel);
  const std::vector<NirtHit> hits = FirstHits(model, rays);
  int compared = 0, hit = 0;
  for (std::size_t k = 0; k < rays.size(); ++k) {
    const IdsLine& pixel = *rays[k];
    ++compared;
    hit += pixel.material.empty() ? 0 : 1;
    EXPECT_EQ(pixel.material, hits[k].region) << "pixel " << pixel.x << "," << pixel.y;
    if (!pixel.material.empty() && pixel.material == hits[k].region) {
      EXPECT_NEAR(pixel.distance, hits[k].distance, clear.Margin()) << "pixel " << pixel.x << "," << pixel.y;
    }
  }
  EXPECT_GT(compared, kWidth * kHeight * 8 / 10);
  EXPECT_GT(hit, kWidth * kHeight / 10);
}

// A model 35 µm wide whose cells share cones, some clipped: MGED saw
// overlaps of up to 1e-4 of the view between them where the input has none,
// because each copy of a cone tapered from its own apex radius.
TEST(NirtAgreement, CellsSharingAConeMeetWithoutOverlaps) {
  if (!check::BrlcadBinFolder()) GTEST_SKIP() << check::kNoBrlcad;
  ScriptedModel model(ReadWholeFile(TESSARIN_TEST_DATA_DIR "/geometry/micro_overlap_1024.inp"),
                      [](settings::VIEWPARM& set) {
                        set.viewSize = 0.00347987910599142;
                        set.maximumObjectSizeRatio = 50;
                        set.useCutawayPlane = 1;
                        set.cutawayPlanePoint = {7.91764342348453e-06, 1.96608296709744e-05, -7.86453544591613e-05};
                        set.cutawayPlaneNormal = {-0.316581775106721, -1.03478342137997, 0.331942817513999};
                      });
  ASSERT_TRUE(model.read.loaded) << model.read.console;
  ASSERT_TRUE(model.MakeDatabase()) << model.transcript;
  // Rays along the three axes across the world, in the script's unit (µm).
  const double half = 0.5 * model.set.viewSize * model.set.maximumObjectSizeRatio * 1e4;
  std::vector<check::Ray> rays;
  for (int k = 0; k < 600; ++k) {
    const int axis = k % 3;
    const double a = half * (2 * ((k * 0.618034) - std::floor(k * 0.618034)) - 1);
    const double b = half * (2 * ((k * 0.414214) - std::floor(k * 0.414214)) - 1);
    Vec3 origin{a, b, a}, direction;
    (axis == 0 ? origin.x : axis == 1 ? origin.y : origin.z) = -2 * half;
    (axis == 0 ? origin.y : axis == 1 ? origin.z : origin.x) = b;
    (axis == 0 ? direction.x : axis == 1 ? direction.y : direction.z) = 1;
    rays.push_back({origin, direction});
  }
  const std::vector<check::RayQuery> answers = check::ShootRays(model.database, model.regions, rays);
  ASSERT_EQ(answers.size(), rays.size());
  int overlapping = 0, hitting = 0;
  for (const check::RayQuery& answer : answers) {
    overlapping += answer.overlap ? 1 : 0;
    hitting += answer.segments.empty() ? 0 : 1;
  }
  EXPECT_EQ(overlapping, 0);
  EXPECT_GT(hitting, 400);
}

TEST(NirtAgreement, FirstRegionAndDistanceOfEveryClearPixel) {
  if (!check::BrlcadBinFolder()) GTEST_SKIP() << check::kNoBrlcad;
  const std::vector<Case> cases = {
      {"demo lattice", Example("demo_lattice.inp"),
       [](settings::VIEWPARM& set) {
         set.viewSize = 40;
         set.viewCenter = {0, 0, 12};
         set.azimuth = 35;
         set.elevation = 25;
       }},
      {"demo lattice, perspective and cut away", Example("demo_lattice.inp"),
       [](settings::VIEWPARM& set) {
         set.viewSize = 40;
         set.viewCenter = {0, 0, 10};
         set.perspective = 30;
         set.azimuth = 20;
         set.elevation = 40;
         set.twist = 15;
         set.useCutawayPlane = 1;
         set.cutawayPlanePoint = {0, 0, 10};
         set.cutawayPlaneNormal = {1, 1, 1};
       }},
      {"every surface kind", Example("surfaces_all_kinds.inp"), [](settings::VIEWPARM& set) { set.viewSize = 40; }},
      {"macrobodies", Example("macrobodies.inp"), [](settings::VIEWPARM& set) { set.viewSize = 40; }},
      {"transformations", Example("transforms.inp"), [](settings::VIEWPARM& set) { set.viewSize = 40; }},
      {"generated 1", check::RandomModelInput(1), [](settings::VIEWPARM& set) { set.viewSize = 60; }},
      {"generated 2", check::RandomModelInput(2),
       [](settings::VIEWPARM& set) {
         set.viewSize = 60;
         set.azimuth = -60;
         set.elevation = -30;
       }},
      {"generated 3", check::RandomModelInput(3),
       [](settings::VIEWPARM& set) {
         set.viewSize = 50;
         set.azimuth = 130;
         set.elevation = 10;
         set.useCutawayPlane = 1;
         set.cutawayPlaneNormal = {0, -1, 0};
       }},
  };
  for (const Case& c : cases) CompareWithNirt(c);
}

}  // namespace
}  // namespace tessarin::view3d
