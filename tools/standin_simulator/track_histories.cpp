#include "track_histories.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <deque>

namespace tessarin::standin {
namespace {

constexpr int kMaxVertices = 12;
constexpr int kMaxSecondaries = 6;
constexpr int kMaxGeneration = 2;
constexpr double kCutoffEnergy = 1e3;  // eV; below it a particle stops

// xorshift64*: small, fast and the same on every machine, so a run can be
// repeated exactly.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed == 0 ? 0x9E3779B97F4A7C15ull : seed) {}
  double Uniform() {
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return static_cast<double>((state_ * 2685821657736338717ull) >> 11) / 9007199254740992.0;
  }

 private:
  std::uint64_t state_;
};

struct Direction {
  double x = 0, y = 0, z = 1;
  void Normalize() {
    double length = std::sqrt(x * x + y * y + z * z);
    x /= length;
    y /= length;
    z /= length;
  }
};

Direction RandomDirection(Random& random) {
  double cosTheta = 2 * random.Uniform() - 1;
  double sinTheta = std::sqrt(1 - cosTheta * cosTheta);
  double phi = 2 * M_PI * random.Uniform();
  return {sinTheta * std::cos(phi), sinTheta * std::sin(phi), cosTheta};
}

struct Pending {
  Vertex start;
  Direction direction;
  int generation;
  int type;
};

// The distance along `d` from `p` to the surface of the cube around `centre`.
double DistanceToSurface(const Vertex& p, const Direction& d, const Vertex& centre, double halfSize) {
  double distance = INFINITY;
  const double position[3] = {p.x - centre.x, p.y - centre.y, p.z - centre.z};
  const double step[3] = {d.x, d.y, d.z};
  for (int axis = 0; axis < 3; ++axis) {
    if (step[axis] > 0) distance = std::min(distance, (halfSize - position[axis]) / step[axis]);
    if (step[axis] < 0) distance = std::min(distance, (-halfSize - position[axis]) / step[axis]);
  }
  return distance;
}

Track Follow(const Pending& particle, const HistorySettings& settings, Random& random,
             std::deque<Pending>& secondaries, int& secondariesLeft) {
  Track track{particle.generation, particle.type, {particle.start}};
  Vertex here = particle.start;
  Direction direction = particle.direction;
  if (here.energy < 2 * kCutoffEnergy) return track;  // absorbed where it was made
  for (int step = 1; step < kMaxVertices; ++step) {
    double length = 0.3 + 1.7 * random.Uniform();
    double exit = DistanceToSurface(here, direction, settings.sourcePosition, settings.halfSize);
    if (exit <= length) {
      track.vertices.push_back(
          {here.x + direction.x * exit, here.y + direction.y * exit, here.z + direction.z * exit, -here.energy});
      return track;
    }
    double loss = here.energy * (0.1 + 0.3 * random.Uniform());
    here = {here.x + direction.x * length, here.y + direction.y * length, here.z + direction.z * length,
            here.energy - loss};
    if (here.energy < kCutoffEnergy) here.energy = 0;
    track.vertices.push_back(here);
    if (here.energy == 0) return track;
    if (particle.generation < kMaxGeneration && secondariesLeft > 0 && random.Uniform() < 0.2) {
      --secondariesLeft;
      int type = 1 + static_cast<int>(random.Uniform() * 11);
      secondaries.push_back({{here.x, here.y, here.z, loss * 0.5}, RandomDirection(random), particle.generation + 1,
                             std::min(type, 11)});
    }
    Direction turn = RandomDirection(random);
    direction = {direction.x + 0.3 * turn.x, direction.y + 0.3 * turn.y, direction.z + 0.3 * turn.z};
    direction.Normalize();
  }
  return track;
}

void AppendLine(std::string& text, const char* format, auto... values) {
  char line[100];
  std::snprintf(line, sizeof line, format, values...);
  text += line;
}

}  // namespace

std::vector<History> MakeHistories(const HistorySettings& settings) {
  Random random(settings.seed);
  std::vector<History> histories;
  for (int h = 0; h < settings.histories; ++h) {
    History history;
    history.sourceParticle = 1 + 3 * static_cast<std::int64_t>(h);
    Vertex start = settings.sourcePosition;
    start.energy = settings.sourceEnergy;
    const double* d = settings.sourceDirection;
    std::deque<Pending> pending{{start, {d[0], d[1], d[2]}, 0, 0}};
    int secondariesLeft = kMaxSecondaries;
    while (!pending.empty()) {
      history.tracks.push_back(Follow(pending.front(), settings, random, pending, secondariesLeft));
      pending.pop_front();
    }
    histories.push_back(std::move(history));
  }
  return histories;
}

std::string TrackDataText(const std::vector<History>& histories) {
  std::string text;
  int trackNumber = 0;
  for (std::size_t h = 0; h < histories.size(); ++h) {
    for (const Track& track : histories[h].tracks) {
      ++trackNumber;
      if (track.generation == 0) {
        AppendLine(text, "%d: History No. %zu\n", trackNumber, h + 1);
        AppendLine(text, "%lld\n", static_cast<long long>(histories[h].sourceParticle));
      } else {
        AppendLine(text, "%d: %d/%d\n", trackNumber, track.generation, track.type);
      }
      AppendLine(text, "%zu\n", track.vertices.size());
      for (const Vertex& v : track.vertices) AppendLine(text, "%.6g %.6g %.6g %.6g\n", v.x, v.y, v.z, v.energy);
    }
  }
  return text;
}

}  // namespace tessarin::standin
