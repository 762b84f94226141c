// tessarin-cli plot, overlaps and render on the demo parameter file, with the demo's
// input file replaced where a test needs a model of its own.

#include <gtest/gtest.h>

#include "preview/preview_models.h"
#include "render/script_check/command_run.h"

namespace tessarin::preview {
namespace {

using render::script_check::CommandOutcome;
using render::script_check::RunCommand;
using render::script_check::ShellQuoted;
using tessarin::testing::ReadWholeFile;
using tessarin::testing::WriteWholeFile;

struct DemoFolder {
  tessarin::testing::TempDir folder;
  // `model`: the text of the set's input file, or the demo's own.
  explicit DemoFolder(const std::string& model = "") {
    const std::string examples = std::string(TESSARIN_SOURCE_DIR) + "/examples/";
    WriteWholeFile(folder.File("demo.tesprm"), ReadWholeFile(examples + "demo.tesprm"));
    WriteWholeFile(folder.File("demo_lattice.inp"), model.empty() ? ReadWholeFile(examples + "demo_lattice.inp") : model);
  }
  CommandOutcome Run(const std::string& arguments) const {
    const std::string cli = std::string(TESSARIN_BINARY_DIR) + "/bin/tessarin-cli";
    return RunCommand("cd " + ShellQuoted(folder.path()) + " && " + ShellQuoted(cli) + " " + arguments +
                      " 2>" + ShellQuoted(folder.File("err.txt")), 120);
  }
  std::string Errors() const { return ReadWholeFile(folder.File("err.txt")); }
};

TEST(OverlapsCommand, TellsThePlantedOverlapAndGapAndFailsThenSaysNothingOnTheDemo) {
  DemoFolder planted(testing::kPlantedFaults);
  CommandOutcome found = planted.Run("overlaps demo.tesprm --rays 100");
  EXPECT_EQ(found.exitStatus, 1) << planted.Errors();
  EXPECT_EQ(found.output.rfind("overlap: C1 and C2 at (", 0), 0u) << found.output;
  EXPECT_NE(found.output.find("\nundefined: no cell at (3."), std::string::npos) << found.output;
  EXPECT_NE(found.output.find("around C3\n1 overlap and 1 undefined region found in 3 cells ("), std::string::npos)
      << found.output;
  EXPECT_EQ(std::count(found.output.begin(), found.output.end(), '\n'), 3) << found.output;

  CommandOutcome json = planted.Run("overlaps demo.tesprm --json --rays 50 --threads 1");
  EXPECT_EQ(json.exitStatus, 1);
  EXPECT_NE(json.output.find("\"cells\": [\"C1\", \"C2\"]"), std::string::npos) << json.output;
  EXPECT_NE(json.output.find("\"bordering\": [\"C3\"]"), std::string::npos) << json.output;

  DemoFolder demo;
  CommandOutcome clean = demo.Run("overlaps demo.tesprm");
  EXPECT_EQ(clean.exitStatus, 0) << clean.output << demo.Errors();
  EXPECT_EQ(clean.output.rfind("no overlaps or undefined regions found in ", 0), 0u) << clean.output;
  EXPECT_EQ(std::count(clean.output.begin(), clean.output.end(), '\n'), 1) << clean.output;
}

// Two overlapping spheres that are members of one union: still an overlap,
// marked as what it is.
TEST(OverlapsCommand, MarksAnOverlapOfTwoMembersOfOneUnion) {
  DemoFolder members(
      "COMPLEX_GEOMETRY 1\nM1 \"a\"\nS1 S 0 0 0 2\nS2 S 1 0 0 2\nS3 S 0 0 0 10\n"
      "C1 1 1 -1\nC2 1 1 -2\nC3 0 -3 #1 #2\nUNION5 1 1 1 2\n");
  CommandOutcome text = members.Run("overlaps demo.tesprm --rays 60");
  EXPECT_EQ(text.exitStatus, 1) << members.Errors();
  EXPECT_EQ(text.output.rfind("overlap: C1 and C2 (both in UNION5) at (", 0), 0u) << text.output;
  CommandOutcome json = members.Run("overlaps demo.tesprm --rays 60 --json");
  EXPECT_NE(json.output.find("{\"cells\": [\"C1\", \"C2\"], \"union\": 5, \"at\": ["), std::string::npos)
      << json.output;
}

TEST(OverlapsCommand, RefusesBadNumbersAndRegions) {
  DemoFolder demo;
  EXPECT_EQ(demo.Run("overlaps demo.tesprm --rays 0").exitStatus, 2);
  EXPECT_EQ(demo.Run("overlaps demo.tesprm --region 0,0,0,1,1").exitStatus, 2);
  EXPECT_EQ(demo.Run("overlaps demo.tesprm --region 0,0,0,1,0,1").exitStatus, 2);
  EXPECT_NE(demo.Errors().find("--region"), std::string::npos);
  // Each whole number at its largest is taken, one more is refused; a thin
  // region keeps the finest grid cheap.
  const std::string thin = "overlaps demo.tesprm --region 0,0,0,10,0.0025,0.0025 ";
  for (const char* numbers : {"--rays 4000", "--threads 256"})
    EXPECT_EQ(demo.Run(thin + numbers).exitStatus, 0) << numbers << demo.Errors();
  for (const char* numbers : {"--rays 4001", "--threads 257", "--threads 0"})
    EXPECT_EQ(demo.Run(thin + numbers).exitStatus, 2) << numbers;
}

// A big-endian word of the header chunk: width at 16, height at 20.
unsigned PngWord(const std::string& png, std::size_t at) {
  unsigned word = 0;
  for (std::size_t k = 0; k < 4; ++k) word = word << 8 | static_cast<unsigned char>(png[at + k]);
  return word;
}

// A side of 10000 pixels is taken, one more is bad usage.
void ExpectPictureSizesUpTo10000(const DemoFolder& demo, const std::string& command) {
  for (const char* size : {"10000x1", "1x10000"}) EXPECT_EQ(demo.Run(command + size).exitStatus, 0) << command << size;
  for (const char* size : {"10001x1", "1x10001"}) EXPECT_EQ(demo.Run(command + size).exitStatus, 2) << command << size;
}

TEST(PlotCommand, WritesAPngPictureOfTheRequestedSize) {
  DemoFolder demo;
  CommandOutcome plot = demo.Run("plot demo.tesprm --basis xz --origin 0,-4,10 --width 30 --pixels 300x200 -o slice.png");
  ASSERT_EQ(plot.exitStatus, 0) << plot.output << demo.Errors();
  EXPECT_EQ(plot.output, "slice.png\n");
  const std::string png = ReadWholeFile(demo.folder.File("slice.png"));
  ASSERT_GT(png.size(), 24u);
  EXPECT_EQ(png.substr(1, 3), "PNG");
  EXPECT_EQ(PngWord(png, 16), 300u);
  EXPECT_EQ(PngWord(png, 20), 200u);

  EXPECT_EQ(demo.Run("plot demo.tesprm").exitStatus, 2);
  EXPECT_EQ(demo.Run("plot demo.tesprm --basis zx -o a.png").exitStatus, 2);
  EXPECT_EQ(demo.Run("plot demo.tesprm --pixels 0x10 -o a.png").exitStatus, 2);
  ExpectPictureSizesUpTo10000(demo, "plot demo.tesprm -o a.png --pixels ");
  EXPECT_EQ(demo.Run("plot demo.tesprm -o /nonexistent/folder/a.png").exitStatus, 1);
  EXPECT_NE(demo.Errors().find("cannot write"), std::string::npos);
}

TEST(RenderCommand, WritesThePictureAndOneLinePerPixel) {
  DemoFolder demo;
  const CommandOutcome render = demo.Run("render demo.tesprm --set 1 --size 120x90 -o picture.png --ids pixels.csv");
  ASSERT_EQ(render.exitStatus, 0) << render.output << demo.Errors();
  EXPECT_EQ(render.output, "picture.png\npixels.csv\n");
  const std::string png = ReadWholeFile(demo.folder.File("picture.png"));
  ASSERT_GT(png.size(), 24u);
  EXPECT_EQ(png.substr(1, 3), "PNG");
  EXPECT_EQ(PngWord(png, 16), 120u);
  EXPECT_EQ(PngWord(png, 20), 90u);
  const std::string ids = ReadWholeFile(demo.folder.File("pixels.csv"));
  EXPECT_EQ(ids.rfind("x,y,ox,oy,oz,dx,dy,dz,cell,material,distance\n0,0,", 0), 0u) << ids.substr(0, 100);
  EXPECT_EQ(std::count(ids.begin(), ids.end(), '\n'), 1 + 120 * 90);
  // The demo's rods are fuel (M1) in water (M2); the middle of the picture
  // looks at the water around them.
  EXPECT_NE(ids.find(",C10,M2,"), std::string::npos);
  // The set shows tracks, but the simulator has not run: a note, not an error.
  EXPECT_NE(demo.Errors().find("Note: no track data yet: start Varnholt first."), std::string::npos) << demo.Errors();
  EXPECT_EQ(demo.Errors().find("could not be opened"), std::string::npos) << demo.Errors();
}

TEST(RenderCommand, RefusesBadArgumentsAndSaysWhatFailed) {
  DemoFolder demo;
  EXPECT_EQ(demo.Run("render demo.tesprm").exitStatus, 2);
  EXPECT_EQ(demo.Run("render demo.tesprm -o a.png --size 0x10").exitStatus, 2);
  ExpectPictureSizesUpTo10000(demo, "render demo.tesprm --no-tracks -o a.png --size ");
  EXPECT_EQ(demo.Run("render demo.tesprm -o a.png --time-limit -1").exitStatus, 2);
  EXPECT_EQ(demo.Run("render demo.tesprm -o a.png --set 9").exitStatus, 2);
  EXPECT_EQ(demo.Run("render demo.tesprm --no-tracks -o /nonexistent/folder/a.png").exitStatus, 1);
  EXPECT_NE(demo.Errors().find("tessarin-cli render: cannot write /nonexistent/folder/a.png"), std::string::npos)
      << demo.Errors();
  EXPECT_EQ(demo.Run("render demo.tesprm --no-tracks -o a.png --time-limit 0.001").exitStatus, 1);
  EXPECT_NE(demo.Errors().find("gave up after the time limit"), std::string::npos) << demo.Errors();
}

}  // namespace
}  // namespace tessarin::preview
