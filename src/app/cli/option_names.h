#pragma once
// The command line's option names, one spelling for every command that
// takes them.

namespace tessarin::cli {

inline constexpr const char* kAllowFilesFlag = "--allow-files";
inline constexpr const char* kAllowSystemFlag = "--allow-system";
inline constexpr const char* kBaseOption = "--base";
inline constexpr const char* kBasisOption = "--basis";
inline constexpr const char* kDumpFlag = "--dump";
inline constexpr const char* kFormOption = "--form";
inline constexpr const char* kIdsOption = "--ids";
inline constexpr const char* kJsonFlag = "--json";
inline constexpr const char* kNoTracksFlag = "--no-tracks";
inline constexpr const char* kOriginOption = "--origin";
inline constexpr const char* kOutputOption = "-o";
inline constexpr const char* kParamsOption = "--params";
inline constexpr const char* kPixelsOption = "--pixels";
inline constexpr const char* kRaysOption = "--rays";
inline constexpr const char* kRegionOption = "--region";
inline constexpr const char* kSetOption = "--set";
inline constexpr const char* kSizeOption = "--size";
inline constexpr const char* kThreadsOption = "--threads";
inline constexpr const char* kTimeLimitOption = "--time-limit";
inline constexpr const char* kWidthOption = "--width";
inline constexpr const char* kYesFlag = "--yes";

}  // namespace tessarin::cli
