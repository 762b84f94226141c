#include "output_writers.h"

#include <gtest/gtest.h>

namespace tessarin::testing {
namespace {

std::string ManyTracks() {
  std::string text;
  for (int history = 1; history <= 400; ++history) {
    text += std::to_string(history) + ": History No. " + std::to_string(history) + "\n1\n20\n";
    for (int point = 0; point < 20; ++point)
      text += "0.125 " + std::to_string(history % 7) + " " + std::to_string(point) + " " +
              std::to_string(20 - point) + "e5\n";
  }
  return text;
}

void ReplaceFirst(std::string& text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  ASSERT_NE(at, std::string::npos) << from;
  text.replace(at, from.size(), to);
}

}  // namespace

const std::vector<OutputWriter>& OutputWriters() {
  static const std::vector<OutputWriter> writers{
      {"rt", {"--yes"}, "demo_lattice.rt"},
      {"rt", {"--yes"}, "demo_lattice_tracks0_source.rt"},
      {"tracks draw", {"--base", "disk/scene"}, "scene_tracks0_source.rt"},
      {"tracks export", {"-o", "disk/tracks.vtp"}, "tracks.vtp"},
      {"plot", {"--pixels", "300x300", "-o", "disk/slice.png"}, "slice.png"},
      {"render", {"--size", "160x120", "-o", "disk/picture.png"}, "picture.png"},
      {"render", {"--size", "160x120", "-o", "picture.png", "--ids", "disk/pixels.csv"}, "pixels.csv"},
  };
  return writers;
}

OutputWriterFolder::OutputWriterFolder() {
  std::string params = ReadWholeFile(TESSARIN_SOURCE_DIR "/examples/demo.tesprm");
  // The script folder without its closing slash is still a folder.
  ReplaceFirst(params, "ScriptFolder = \n", "ScriptFolder = disk\n");
  ReplaceFirst(params, "useCustomTrackFN = 0\n", "useCustomTrackFN = 1\nTrackFN = tracks.txt\n");
  WriteWholeFile(File("set.tesprm"), params);
  WriteWholeFile(File("demo_lattice.inp"), ReadWholeFile(TESSARIN_SOURCE_DIR "/examples/demo_lattice.inp"));
  WriteWholeFile(File("tracks.txt"), ManyTracks());
}

std::vector<std::string> OutputWriterFolder::Args(const OutputWriter& writer) const {
  std::vector<std::string> args;
  const std::string command = writer.command;
  const std::size_t blank = command.find(' ');
  args.push_back(command.substr(0, blank));
  if (blank != std::string::npos) args.push_back(command.substr(blank + 1));
  args.insert(args.end(), {File("set.tesprm"), "--set", "1"});
  args.insert(args.end(), writer.args.begin(), writer.args.end());
  return args;
}

}  // namespace tessarin::testing
