#pragma once
// Every text the track reader, the filter and the statistics show, in one
// place. "%s" stands for the full path of the track data file.

#include <array>
#include <string_view>

#include "settings/track_types.h"

namespace tessarin::tracks::messages {

inline constexpr std::string_view kCannotOpen =
    "Error: Track data file \"%s\" could not be opened for reading. Particle tracks will not be shown.";
// History number (%d) and source particle number (%lld) follow the path.
inline constexpr std::string_view kIncorrectFormat =
    "Error: File \"%s\" has incorrect format (error occurred while reading history No. %d, corresponding to source "
    "particle No. %lld).";
// The line after a format error: the file's name and the number of the line
// where reading stopped.
inline constexpr std::string_view kFormatErrorLocation = "  at %s:%s";
inline constexpr std::string_view kInterrupted =
    "The process of reading the track data from file \"%s\" has been interrupted. The track statistics that will be "
    "shown will correspond to the incomplete dataset.";
inline constexpr std::string_view kInterruptedCaption = "Reading of the track dataset has been interrupted";
inline constexpr std::string_view kProgressCaption = "Reading the track data file (%.2f %%)";
inline constexpr std::string_view kStopButton = "Stop";
inline constexpr std::string_view kBusyRefusal =
    "The track filtering parameters cannot be modified while the track data are being processed.";

// The particle types, by type number, as the type table shows them.
inline constexpr std::array<std::string_view, settings::kTrackTypeCount> kTrackTypeCaptions{
    "Source particles",
    "Bremsstrahlung photons",
    "Positron annihilation photons",
    "X-ray photons emitted after electron- or positron-impact ionization",
    "X-ray photons emitted after photoelectric and Compton collisions",
    "Electrons from pair production",
    "Positrons from pair production",
    "Compton recoil electrons",
    "Photoelectrons",
    "Auger electrons emitted after photoelectric and Compton collisions",
    "Auger electrons emitted after electron- or positron-impact ionization",
    "Knock-on electrons"};

// The shorter captions of the type check boxes.
inline constexpr std::array<std::string_view, settings::kTrackTypeCount> kTrackTypeCheckBoxCaptions{
    "Source particles",
    "Bremsstrahlung photons",
    "Positron annihilation photons",
    "X-ray photons after electron- or positron-impact ionization",
    "X-ray photons after photoelectric and Compton collisions",
    "Electrons from pair production",
    "Positrons from pair production",
    "Compton recoil electrons",
    "Photoelectrons",
    "Auger electrons after photoelectric and Compton collisions",
    "Auger electrons after electron- or positron-impact ionization",
    "Knock-on electrons"};

// The statistics table: row captions, each with the unit kind that follows
// it in parentheses.
enum class StatisticUnit { None, Energy, Distance, Percent, StoppingPower };
struct StatisticCaption {
  std::string_view text;
  StatisticUnit unit;
};
inline constexpr int kStatisticRowCount = 18;
inline constexpr std::array<StatisticCaption, kStatisticRowCount> kStatisticCaptions{{
    {"History sequence number", StatisticUnit::None},
    {"Track sequence number", StatisticUnit::None},
    {"Initial number of collisions in a track", StatisticUnit::None},
    {"Number of collisions in a track", StatisticUnit::None},
    {"Initial energy", StatisticUnit::Energy},
    {"Final energy", StatisticUnit::Energy},
    {"Initial energy loss", StatisticUnit::Energy},
    {"Energy loss", StatisticUnit::Energy},
    {"Initial relative energy loss", StatisticUnit::Percent},
    {"Relative energy loss", StatisticUnit::Percent},
    {"Initial displacement", StatisticUnit::Distance},
    {"Displacement", StatisticUnit::Distance},
    {"Peak displacement", StatisticUnit::Distance},
    {"Initial path length", StatisticUnit::Distance},
    {"Path length", StatisticUnit::Distance},
    {"Mean free path", StatisticUnit::Distance},
    {"Mean energy loss per collision", StatisticUnit::Energy},
    {"Stopping power", StatisticUnit::StoppingPower},
}};

inline constexpr std::array<std::string_view, 5> kStatisticColumns{"Statistic", "Minimum", "Maximum", "Average",
                                                                    "Std. dev."};
inline constexpr std::array<std::string_view, 4> kCountCaptions{"Number of histories:", "Number of tracks:",
                                                                 "Number of escape tracks:",
                                                                 "Number of truncated tracks:"};
inline constexpr std::string_view kStatisticsHeading =
    "Statistics for the subset of tracks selected according to the filtering criteria";
inline constexpr std::string_view kStatisticsDialogCaption = "Track statistics";

}  // namespace tessarin::tracks::messages
