#pragma once
// Made-up particle histories in the shape the simulator writes them: a
// source track from the source position along its direction, and secondary tracks branching
// off it, with the energy falling from vertex to vertex. A track stops
// (final energy 0), escapes through the surface of a cube (its last vertex
// on the surface, its final energy written negative), or ends with energy
// left after its last vertex.

#include <cstdint>
#include <string>
#include <vector>

namespace tessarin::standin {

struct Vertex {
  double x = 0, y = 0, z = 0;
  double energy = 0;  // eV after the collision at the vertex; negative: escaped
};

struct Track {
  int generation = 0;
  int type = 0;  // 0 source, 1 to 11 secondary particle types
  std::vector<Vertex> vertices;
};

struct History {
  std::int64_t sourceParticle = 0;
  std::vector<Track> tracks;  // the source track first
};

struct HistorySettings {
  int histories = 5;
  double sourceEnergy = 1e6;  // eV
  Vertex sourcePosition;      // the centre of the cube as well
  double sourceDirection[3] = {0, 0, 1};  // a unit vector
  double halfSize = 10;       // cm, half the edge of the cube
  std::uint64_t seed = 1;
};

std::vector<History> MakeHistories(const HistorySettings& settings);

// The track data file in its current layout: "n: History No. h", the source
// particle number, the vertex count and the vertex lines; each secondary
// track headed by "n: g/t". Every line stays below 100 characters.
std::string TrackDataText(const std::vector<History>& histories);

}  // namespace tessarin::standin
