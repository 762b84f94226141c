// tessarin-cli plot and overlaps on the demo parameter file, with the demo's
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
  CommandOutcome found = planted.Run("overlaps demo.tesprm --points 20000");
  EXPECT_EQ(found.exitStatus, 1) << planted.Errors();
  EXPECT_EQ(found.output.rfind("overlap: C1 and C2 at (", 0), 0u) << found.output;
  EXPECT_NE(found.output.find("\nundefined: no cell at (3."), std::string::npos) << found.output;
  EXPECT_EQ(std::count(found.output.begin(), found.output.end(), '\n'), 2) << found.output;

  CommandOutcome json = planted.Run("overlaps demo.tesprm --json --points 1000 --seed 3");
  EXPECT_EQ(json.exitStatus, 1);
  EXPECT_NE(json.output.find("\"cells\": [\"C1\", \"C2\"]"), std::string::npos) << json.output;
  EXPECT_NE(json.output.find("\"bordering\": [\"C3\"]"), std::string::npos) << json.output;

  DemoFolder demo;
  CommandOutcome clean = demo.Run("overlaps demo.tesprm");
  EXPECT_EQ(clean.exitStatus, 0) << clean.output << demo.Errors();
  EXPECT_EQ(clean.output, "");
}

TEST(OverlapsCommand, RefusesBadNumbersAndRegions) {
  DemoFolder demo;
  EXPECT_EQ(demo.Run("overlaps demo.tesprm --slices -1").exitStatus, 2);
  EXPECT_EQ(demo.Run("overlaps demo.tesprm --region 0,0,0,1,1").exitStatus, 2);
  EXPECT_EQ(demo.Run("overlaps demo.tesprm --region 0,0,0,1,0,1").exitStatus, 2);
  EXPECT_NE(demo.Errors().find("--region"), std::string::npos);
}

TEST(PlotCommand, WritesAPngPictureOfTheRequestedSize) {
  DemoFolder demo;
  CommandOutcome plot = demo.Run("plot demo.tesprm --basis xz --origin 0,-4,10 --width 30 --pixels 300x200 -o slice.png");
  ASSERT_EQ(plot.exitStatus, 0) << plot.output << demo.Errors();
  EXPECT_EQ(plot.output, "slice.png\n");
  const std::string png = ReadWholeFile(demo.folder.File("slice.png"));
  ASSERT_GT(png.size(), 24u);
  EXPECT_EQ(png.substr(1, 3), "PNG");
  // Width and height, big-endian, in the header chunk.
  auto word = [&](std::size_t at) {
    return (static_cast<unsigned char>(png[at]) << 24) | (static_cast<unsigned char>(png[at + 1]) << 16) |
           (static_cast<unsigned char>(png[at + 2]) << 8) | static_cast<unsigned char>(png[at + 3]);
  };
  EXPECT_EQ(word(16), 300);
  EXPECT_EQ(word(20), 200);

  EXPECT_EQ(demo.Run("plot demo.tesprm").exitStatus, 2);
  EXPECT_EQ(demo.Run("plot demo.tesprm --basis zx -o a.png").exitStatus, 2);
  EXPECT_EQ(demo.Run("plot demo.tesprm --pixels 0x10 -o a.png").exitStatus, 2);
  for (const char* size : {"10000x1", "1x10000"})
    EXPECT_EQ(demo.Run(std::string("plot demo.tesprm --pixels ") + size + " -o a.png").exitStatus, 0) << size;
  for (const char* size : {"10001x1", "1x10001"})
    EXPECT_EQ(demo.Run(std::string("plot demo.tesprm --pixels ") + size + " -o a.png").exitStatus, 2) << size;
  EXPECT_EQ(demo.Run("plot demo.tesprm -o /nonexistent/folder/a.png").exitStatus, 1);
  EXPECT_NE(demo.Errors().find("cannot write"), std::string::npos);
}

}  // namespace
}  // namespace tessarin::preview
