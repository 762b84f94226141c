// Input files that cannot be read as files, and reads that fail in a way
// nobody foresaw: the window reports them and goes on with its sets intact.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <stdexcept>

#include "ui/controller_fixture.h"

namespace tessarin::ui {
namespace {

using platform::MessageIcon;
using testing::ControllerFixture;
using testing::StartWith;

// Sets the input file as the command-line dialog would, then Reload.
void ReloadFrom(Controller& controller, const std::string& folder, const std::string& name) {
  controller.EditWorkingCopy().InputFileFolder = folder;
  controller.EditWorkingCopy().InputFN = name;
  controller.ReloadInputFile();
}

TEST(UnreadableInput, PathsThatAreNoFileAreReportedAsNotOpened) {
  ControllerFixture fixture(StartWith::DemoFile);
  Controller& controller = *fixture.controller;
  const std::string folder = fixture.folder.path();
  ASSERT_EQ(::mkdir(fixture.folder.File("sub").c_str(), 0700), 0);
  ASSERT_EQ(::mkfifo(fixture.folder.File("pipe").c_str(), 0600), 0);
  ASSERT_EQ(::symlink(fixture.folder.File("nowhere").c_str(), fixture.folder.File("dangling").c_str()), 0);
  tessarin::testing::WriteWholeFile(fixture.folder.File("locked"), "MATERIAL 1\n");
  ::chmod(fixture.folder.File("locked").c_str(), 0);
  controller.Commit(NumberField::ViewSize, "12");  // an unsaved change that must survive
  controller.EditWorkingCopy().checkSyntax_Tessarin = 1;

  std::vector<std::string> names{"sub", "pipe", "dangling"};
  if (::geteuid() != 0) names.push_back("locked");  // root reads it anyway
  for (const std::string& name : names) {
    fixture.host.messages.clear();
    ReloadFrom(controller, folder, name);
    ASSERT_EQ(fixture.host.messages.size(), 1u) << name;
    EXPECT_EQ(fixture.host.messages[0].text, "File \"" + folder + name + "\" could not be opened for reading.");
    EXPECT_EQ(fixture.host.messages[0].icon, MessageIcon::Error);
    EXPECT_FALSE(controller.Model().loaded);
    EXPECT_FALSE(controller.IsReadingInputFile());
  }
  // The folder itself, named with a trailing slash and no file name.
  fixture.host.messages.clear();
  ReloadFrom(controller, folder + "sub/", ".");
  ASSERT_EQ(fixture.host.messages.size(), 1u);
  EXPECT_EQ(fixture.host.messages[0].icon, MessageIcon::Error);

  EXPECT_EQ(controller.WorkingCopy().viewSize, 12);
  EXPECT_EQ(controller.Sets().size(), 3u);
  EXPECT_TRUE(controller.IsModified());
}

class ThrowingEngine final : public input::UserCodeEngine {
 public:
  std::unique_ptr<input::UserCodeSession> OpenSession(const input::UserCodeSetup&, std::string&) override {
    throw std::runtime_error("engine out of order");
  }
};

TEST(UnreadableInput, AnUnforeseenFailureEndsTheReadWithAMessage) {
  ThrowingEngine engine;
  ControllerFixture fixture(StartWith::DemoFile, nullptr, &engine);
  Controller& controller = *fixture.controller;
  controller.Commit(NumberField::ViewSize, "12");
  controller.EditWorkingCopy().checkSyntax_Tessarin = 1;
  const std::string expected =
      "An unexpected failure stopped the command:\nengine out of order\n\n"
      "The program goes on with the parameter sets as they are now.";
  for (int attempt = 0; attempt < 2; ++attempt) {  // the first must not block the second
    fixture.host.messages.clear();
    ReloadFrom(controller, std::string(TESSARIN_SOURCE_DIR) + "/examples/", "cells_layer.inp");
    ASSERT_EQ(fixture.host.messages.size(), 1u);
    EXPECT_EQ(fixture.host.messages[0].text, expected);
    EXPECT_EQ(fixture.host.messages[0].icon, MessageIcon::Error);
  }
  EXPECT_FALSE(controller.IsReadingInputFile());
  EXPECT_FALSE(controller.Model().loaded);
  EXPECT_TRUE(fixture.console.closeEnabled);
  EXPECT_EQ(controller.WorkingCopy().viewSize, 12);
  EXPECT_TRUE(controller.IsModified());
}

}  // namespace
}  // namespace tessarin::ui
