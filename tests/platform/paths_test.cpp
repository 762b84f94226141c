#include "platform/paths.h"

#include <gtest/gtest.h>

namespace tessarin::platform {
namespace {

TEST(Paths, AbsoluteWhenRootedOrWithColonOrBackslash) {
  EXPECT_TRUE(IsAbsolutePath("/home/a.txt"));
  EXPECT_TRUE(IsAbsolutePath("C:\\sim\\a.txt"));
  EXPECT_TRUE(IsAbsolutePath("\\share\\a.txt"));
  EXPECT_FALSE(IsAbsolutePath("runs/a.txt"));
  EXPECT_FALSE(IsAbsolutePath(""));
  EXPECT_EQ(AbsolutePath("runs/a.txt", "/sim/"), "/sim/runs/a.txt");
  EXPECT_EQ(AbsolutePath("/x/a.txt", "/sim/"), "/x/a.txt");
}

TEST(Paths, RelativeToBaseOrAbsolute) {
  EXPECT_EQ(RelativePath("/sim/runs/a.txt", "/sim/", "/sim/"), "runs/a.txt");
  EXPECT_EQ(RelativePath("/x.txt", "/sim/", "/sim/"), "/x.txt");
  // A relative base and a relative path both start from the start-up directory.
  EXPECT_EQ(RelativePath("runs/a.txt", "runs/", "/sim/"), "a.txt");
  EXPECT_EQ(RelativePath("a.txt", "/other/", "/sim/"), "/sim/a.txt");
  // File names are case-sensitive here.
  EXPECT_EQ(RelativePath("/SIM/a.txt", "/sim/", "/sim/"), "/SIM/a.txt");
  EXPECT_EQ(RelativePath("/sim/", "/sim/", "/sim/"), "");
  // A base longer than the path never matches.
  EXPECT_EQ(RelativePath("/sim", "/sim/", "/sim/"), "/sim");
}

// Path fields of parameter files written elsewhere have their backslashes
// turned into slashes when read; after that a backslash is part of a name,
// as it is for the simulator, and names no other file.
TEST(Paths, ABackslashIsPartOfTheName) {
  EXPECT_EQ(NormalizeSeparators("runs\\a.txt"), "runs/a.txt");
  EXPECT_EQ(AbsolutePath("runs\\a.txt", "/sim/"), "/sim/runs\\a.txt");
  EXPECT_EQ(AbsolutePath("\\share\\a.txt", "/sim/"), "\\share\\a.txt");
  EXPECT_EQ(RelativePath("/sim/runs\\a.txt", "/sim/", "/other/"), "runs\\a.txt");
  EXPECT_EQ(SplitPath("/sim/we\\ird.inp").folder, "/sim/");
  EXPECT_EQ(SplitPath("/sim/we\\ird.inp").name, "we\\ird");
  EXPECT_EQ(WithTrailingSeparator("runs\\"), "runs\\");
  EXPECT_EQ(WithTrailingSeparator("runs"), "runs/");
  EXPECT_EQ(WithTrailingSeparator(""), "");
}

TEST(Paths, FolderNamesEndWithASeparatorOrColon) {
  EXPECT_TRUE(EndsWithSeparator("/sim/"));
  EXPECT_TRUE(EndsWithSeparator("xs\\"));
  EXPECT_TRUE(EndsWithSeparator("D:"));
  EXPECT_FALSE(EndsWithSeparator("/sim/a.txt"));
  EXPECT_FALSE(EndsWithSeparator(""));
}

TEST(Paths, SplitIntoFolderNameAndExtension) {
  PathParts parts = SplitPath("/a/b/run.1.txt");
  EXPECT_EQ(parts.folder, "/a/b/");
  EXPECT_EQ(parts.name, "run.1");
  EXPECT_EQ(parts.extension, ".txt");
  parts = SplitPath("noext");
  EXPECT_EQ(parts.folder, "");
  EXPECT_EQ(parts.name, "noext");
  EXPECT_EQ(parts.extension, "");
  EXPECT_EQ(NormalizeSeparators("C:\\sim\\a.txt"), "C:/sim/a.txt");
}

}  // namespace
}  // namespace tessarin::platform
