#include <ostream>

#include "app/cli/commands.h"
#include "app/cli/option_names.h"
#include "app/cli/png_file.h"
#include "app/cli/set_geometry.h"
#include "preview/point_locator.h"
#include "preview/set_world.h"
#include "preview/slice_frame.h"
#include "preview/slice_picture.h"
#include "preview/slice_scan.h"
#include "settings/parameter_numbers.h"

namespace tessarin::cli {
namespace {

constexpr CommandDescription kPlot{
    "plot",
    "Usage: tessarin-cli plot FILE [--set N] [--basis xy|xz|yz|view] [--origin X,Y,Z]\n"
    "                         [--width W] [--pixels WxH] [--time-limit SECONDS]\n"
    "                         [--allow-system] [--allow-files] -o PICTURE.png\n"
    "\n"
    "Reads the input file of a parameter set of the parameter file FILE and\n"
    "draws a slice of its geometry as a PNG picture, as the Geometry view shows\n"
    "it: each cell in its material's colour (void cells light grey), thin dark\n"
    "lines where one cell meets another, overlaps (points in two or more cells)\n"
    "in red stripes, undefined regions (points in no cell that the cells\n"
    "enclose) magenta, and the model's outside white. Prints the picture's path.\n"
    "\n"
    "Exit status 0 when the picture was written; 1 when the input file could\n"
    "not be read or has errors, or the picture could not be written; 2 for bad\n"
    "usage.\n"
    "\n"
    "  --set N        use set N (counting from 1) instead of the file's current set\n"
    "  --basis B      the plane: xy, xz, yz (default xy), or view, across the\n"
    "                 set's view direction (azimuth, elevation, twist)\n"
    "  --origin X,Y,Z the picture's centre in cm (default: the set's view centre)\n"
    "  --width W      the width the picture spans in cm (default: the view size)\n"
    "  --pixels WxH   the picture's size (default 800x800, at most 10000x10000)\n"
    TESSARIN_USER_PROGRAM_OPTIONS_HELP
    "  -o PICTURE     the PNG file to write\n"};

constexpr long long kMaxPixels = 10000;

}  // namespace

int RunPlotCommand(const std::vector<std::string>& args, CommandIo& io) {
  ArgumentSpec spec;
  spec.minPositional = 1;
  spec.maxPositional = 1;
  spec.valueOptions = {kSetOption, kBasisOption, kOriginOption, kWidthOption, kPixelsOption, kOutputOption};
  AddUserProgramOptions(spec);
  CommandStep<ParsedArguments> arguments = ParseCommandArguments(args, spec, kPlot, io);
  if (!arguments) return arguments.ExitCode();
  std::optional<UserProgramOptions> programOptions = ReadUserProgramOptions(*arguments, kPlot, io);
  if (!programOptions) return kExitUsage;

  const std::optional<std::string> output = arguments->Value(kOutputOption);
  if (!output || output->empty()) {
    ReportUsageError(kPlot, "-o PICTURE.png is required", io);
    return kExitUsage;
  }
  preview::SliceBasis basis = preview::SliceBasis::XY;
  if (auto text = arguments->Value(kBasisOption)) {
    std::optional<preview::SliceBasis> parsed = preview::ParseSliceBasis(*text);
    if (!parsed) {
      ReportUsageError(kPlot, "--basis takes xy, xz, yz or view", io);
      return kExitUsage;
    }
    basis = *parsed;
  }
  int wide = 800, high = 800;
  if (auto text = arguments->Value(kPixelsOption); text && !ParsePictureSize(*text, kMaxPixels, wide, high)) {
    ReportUsageError(kPlot, "--pixels takes WxH, each from 1 to 10000", io);
    return kExitUsage;
  }
  std::optional<input::Vec3> origin;
  if (auto text = arguments->Value(kOriginOption)) {
    origin = ParseTriple(*text);
    if (!origin) {
      ReportUsageError(kPlot, "--origin takes three numbers X,Y,Z", io);
      return kExitUsage;
    }
  }
  std::optional<double> width;
  if (auto text = arguments->Value(kWidthOption)) {
    width = settings::ParseReal(*text);
    if (!width || *width <= 0) {
      ReportUsageError(kPlot, "--width takes a positive number", io);
      return kExitUsage;
    }
  }

  CommandStep<SetGeometry> geometry = LoadSetGeometry(*arguments, *programOptions, kPlot, io);
  if (!geometry) return geometry.ExitCode();

  const settings::VIEWPARM& set = geometry->set;
  preview::SliceFrame frame = preview::DefaultSliceFrame(set, basis, wide, high);
  if (origin) frame.centre = *origin;
  if (width) frame.width = *width;
  const preview::PointLocator locator(geometry->model, preview::WorldCubeOf(set));
  const preview::RgbImage image =
      preview::PaintSlice(preview::ScanSlice(locator, frame), preview::CellColours(geometry->model, set));
  std::string error;
  if (!WritePngFile(*output, image, error)) {
    io.err << "tessarin-cli plot: " << error << "\n";
    return kExitFailure;
  }
  io.out << *output << "\n";
  return geometry->selected.ExitCode(kExitSuccess);
}

}  // namespace tessarin::cli
