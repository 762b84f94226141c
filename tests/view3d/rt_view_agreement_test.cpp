// The picture's view against what the RT script shows: MGED builds the
// database and sets the view from the script, saveview hands that view to
// BRL-CAD's rt as the script's own raytrace would, and each region must
// cover the same pixels in rt's picture as in ours.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "render/script_check/command_run.h"
#include "render/script_check/mged_runner.h"
#include "view3d/renderer.h"
#include "view3d/scripted_model.h"

namespace tessarin::view3d {
namespace {

namespace check = render::script_check;
using testing::ScriptedModel;
using tessarin::testing::ReadWholeFile;

// Three opaque bodies in red, green and blue around the view centre.
constexpr const char* kThreeBodies =
    "COMPLEX_GEOMETRY 1\nM1 \"red\"\nM2 \"green\"\nM3 \"blue\"\n"
    "S1 S 5 0 0 1.5\nS2 RPP -1 2 3 6 -2 0\nS3 RCC 0 0 2 0 1 4 1.2\n"
    "C1 1 1 -1\nC2 2 1 -2\nC3 3 1 -3\n";

void Opaque(settings::VIEWPARM& set) {
  set.sourceSizeRatio = 0;
  set.backgroundColorRGB = {0, 0, 0, 0};
  set.viewCenter = {1, 2, 1};
  set.viewSize = 16;
}

// Which body a pixel of rt's picture shows: its strongest colour, or -1
// for the black background.
int BodyOf(const unsigned char* rgb) {
  if (rgb[0] + rgb[1] + rgb[2] < 12) return -1;
  return rgb[0] >= rgb[1] && rgb[0] >= rgb[2] ? 0 : rgb[1] >= rgb[2] ? 1 : 2;
}

struct ViewCase {
  std::string name;
  std::function<void(settings::VIEWPARM&)> view;
  int width, height;
};

void CompareWithRt(const ViewCase& c) {
  SCOPED_TRACE(c.name);
  ScriptedModel model(kThreeBodies, [&](settings::VIEWPARM& set) {
    Opaque(set);
    c.view(set);
  });
  ASSERT_TRUE(model.read.loaded) << model.read.console;
  const std::vector<settings::ColorEntry> colours = {{0, 255, 0, 0}, {0, 0, 255, 0}, {0, 0, 0, 255}};
  for (std::size_t row = 0; row < 3; ++row) {
    model.set.rows[row].color = colours[row];
    model.set.rows[row].transparency = 0;
  }
  const std::string view = model.folder.File("view.sh");
  ASSERT_TRUE(model.MakeDatabase("saveview " + view + "\n")) << model.transcript;

  // saveview writes rt's command line and the view on its standard input.
  const std::string saved = ReadWholeFile(view);
  const std::size_t from = saved.find("viewsize"), to = saved.find("end;");
  ASSERT_NE(from, std::string::npos) << saved;
  tessarin::testing::WriteWholeFile(model.folder.File("view.txt"), saved.substr(from, to + 4 - from) + "\n");
  std::string perspective;
  if (const std::size_t p = saved.find(" -p"); p != std::string::npos)
    perspective = saved.substr(p, saved.find_first_of(" \\\n", p + 1) - p);
  std::string regions;
  for (const std::string& region : model.regions) regions += " " + region;
  const std::string pix = model.folder.File("rt.pix");
  std::ostringstream command;
  command << check::ShellQuoted(*check::BrlcadBinFolder() + "/rt") << " -M" << perspective << " -w " << c.width
          << " -n " << c.height << " -V " << static_cast<double>(c.width) / c.height << " -C0/0/0 -H0 -J0 -l0 -o "
          << check::ShellQuoted(pix) << " " << check::ShellQuoted(model.database) << regions << " < "
          << check::ShellQuoted(model.folder.File("view.txt"));
  const check::CommandOutcome rt = check::RunCommand(command.str());
  ASSERT_EQ(rt.exitStatus, 0) << rt.output;
  const std::string image = ReadWholeFile(pix);
  ASSERT_EQ(image.size(), static_cast<std::size_t>(3 * c.width * c.height));

  Picture picture;
  ASSERT_EQ(RenderPicture(SceneOfSet(model.read.model, model.set), ViewOfSet(model.set), c.width, c.height, nullptr,
                          {}, nullptr, picture),
            RenderOutcome::Finished);
  int compared = 0, agreed = 0, bodies = 0;
  for (int row = 1; row + 1 < c.height; ++row) {
    for (int column = 1; column + 1 < c.width; ++column) {
      // Away from our edges, where half a pixel decides.
      const int look = picture.HitAt(column, row).look;
      bool inside = true;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) inside = inside && picture.HitAt(column + dx, row + dy).look == look;
      if (!inside) continue;
      // rt writes its rows from the bottom.
      const auto at = 3 * (static_cast<std::size_t>(c.height - 1 - row) * c.width + column);
      ++compared;
      bodies += look >= 0 ? 1 : 0;
      agreed += BodyOf(reinterpret_cast<const unsigned char*>(image.data()) + at) == look ? 1 : 0;
    }
  }
  EXPECT_GT(bodies, compared / 20);
  EXPECT_GE(agreed, compared - compared / 200) << agreed << " of " << compared;
}

TEST(RtViewAgreement, RegionsCoverTheSamePixelsAsInRtsPicture) {
  if (!check::BrlcadBinFolder()) GTEST_SKIP() << check::kNoBrlcad;
  const std::vector<ViewCase> cases = {
      {"azimuth, elevation and twist", [](settings::VIEWPARM& set) { set.azimuth = 35, set.elevation = 25, set.twist = 10; },
       120, 90},
      {"from below, wide", [](settings::VIEWPARM& set) { set.azimuth = 200, set.elevation = -40; }, 160, 60},
      {"perspective", [](settings::VIEWPARM& set) { set.azimuth = 60, set.elevation = 20, set.twist = -25, set.perspective = 40; },
       100, 100},
  };
  for (const ViewCase& c : cases) CompareWithRt(c);
}

}  // namespace
}  // namespace tessarin::view3d
