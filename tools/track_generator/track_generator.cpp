// track_generator: writes a made-up track data file of about the requested
// size, in the current layout (histories of a source track and secondary
// tracks) or the older one (one track per history, escapes marked by a
// negative vertex count), and optionally a file of just vertex lines of the
// same size for comparisons with general-purpose number readers.

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

namespace {

constexpr const char* kUsage =
    "usage: track_generator SIZE_MB OUTPUT [--older] [--vertex-lines FILE] [--seed N]\n";

class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed | 1) {}
  double Uniform() {
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return static_cast<double>((state_ * 2685821657736338717ull) >> 11) / 9007199254740992.0;
  }
  int Below(int n) { return static_cast<int>(Uniform() * n); }

 private:
  std::uint64_t state_;
};

// Buffered output with a byte count; numbers in the simulator's style.
class Output {
 public:
  explicit Output(const char* path) : file_(std::fopen(path, "wb")) {}
  ~Output() {
    Flush();
    if (file_ != nullptr) std::fclose(file_);
  }
  bool Good() const { return file_ != nullptr && !failed_; }
  std::uint64_t Bytes() const { return bytes_ + used_; }
  void Text(std::string_view text) {
    Reserve(text.size());
    std::memcpy(buffer_ + used_, text.data(), text.size());
    used_ += text.size();
  }
  void Integer(long long value) {
    Reserve(24);
    used_ += static_cast<std::size_t>(std::to_chars(buffer_ + used_, buffer_ + used_ + 24, value).ptr -
                                      (buffer_ + used_));
  }
  void Real(double value) {
    Reserve(32);
    used_ += static_cast<std::size_t>(
        std::to_chars(buffer_ + used_, buffer_ + used_ + 32, value, std::chars_format::scientific, 6).ptr -
        (buffer_ + used_));
  }
  void Vertex(double x, double y, double z, double energy) {
    Text("  ");
    Real(x);
    Text("  ");
    Real(y);
    Text("  ");
    Real(z);
    Text("  ");
    Real(energy);
    Text("\n");
  }

 private:
  void Reserve(std::size_t n) {
    if (used_ + n > sizeof buffer_) Flush();
  }
  void Flush() {
    if (file_ == nullptr || used_ == 0) return;
    if (std::fwrite(buffer_, 1, used_, file_) != used_) failed_ = true;
    bytes_ += used_;
    used_ = 0;
  }
  std::FILE* file_;
  bool failed_ = false;
  std::uint64_t bytes_ = 0;
  std::size_t used_ = 0;
  char buffer_[1 << 20];
};

struct Walker {
  double x = 0, y = 0, z = 0, energy = 1e6;
  void Step(Random& random) {
    const double cosTheta = 2 * random.Uniform() - 1;
    const double sinTheta = std::sqrt(1 - cosTheta * cosTheta);
    const double phi = 6.283185307179586 * random.Uniform();
    const double length = 0.01 + 0.2 * random.Uniform();
    x += length * sinTheta * std::cos(phi);
    y += length * sinTheta * std::sin(phi);
    z += length * cosTheta;
    energy *= 0.7 + 0.25 * random.Uniform();
  }
};

// One track of `count` vertices from the walker's position; it stops,
// escapes (negative final energy) or ends with energy left.
void WriteVertices(Output& out, Walker walker, int count, Random& random, bool olderLayout, bool olderEscape) {
  // The older layout marks escapes by the vertex count, not by the energy.
  const int ending = random.Below(olderLayout ? 2 : 3);
  for (int i = 0; i < count; ++i) {
    double energy = walker.energy;
    if (i == count - 1 && !olderEscape && ending == 0) energy = 0;
    if (i == count - 1 && !olderEscape && ending == 1) energy = -energy;
    if (i == count - 1 && olderEscape) {
      out.Vertex(random.Uniform() - 0.5, random.Uniform() - 0.5, random.Uniform() - 0.5, energy);
      break;
    }
    out.Vertex(walker.x, walker.y, walker.z, energy);
    walker.Step(random);
  }
}

void WriteCurrentLayout(Output& out, std::uint64_t size, Random& random) {
  long long track = 0;
  for (long long history = 1; out.Bytes() < size; ++history) {
    Walker source;
    out.Integer(++track);
    out.Text(": History No. ");
    out.Integer(history);
    out.Text("\n");
    out.Integer(history * 3 - 1);
    out.Text("\n");
    const int count = 2 + random.Below(40);
    out.Integer(count);
    out.Text("\n");
    WriteVertices(out, source, count, random, false, false);
    for (int secondaries = random.Below(6); secondaries > 0; --secondaries) {
      Walker secondary;
      secondary.energy = 1e5 * random.Uniform();
      out.Integer(++track);
      out.Text(": ");
      out.Integer(1 + random.Below(3));
      out.Text("/");
      out.Integer(1 + random.Below(11));
      out.Text("\n");
      const int secondaryCount = 1 + random.Below(25);
      out.Integer(secondaryCount);
      out.Text("\n");
      WriteVertices(out, secondary, secondaryCount, random, false, false);
    }
  }
}

void WriteOlderLayout(Output& out, std::uint64_t size, Random& random) {
  for (long long history = 1; out.Bytes() < size; ++history) {
    out.Text("Track No. ");
    out.Integer(history);
    out.Text("\n");
    out.Integer(history);
    out.Text("\n");
    const int count = 2 + random.Below(40);
    const bool escape = random.Below(3) == 0;
    out.Integer(escape ? -count : count);
    out.Text("\n");
    WriteVertices(out, Walker{}, count, random, true, escape);
  }
}

void WriteVertexLines(Output& out, std::uint64_t size, Random& random) {
  Walker walker;
  while (out.Bytes() < size) {
    out.Vertex(walker.x, walker.y, walker.z, walker.energy);
    walker.Step(random);
    if (walker.energy < 1) walker = Walker{};
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  double megabytes = 0;
  std::from_chars(argv[1], argv[1] + std::strlen(argv[1]), megabytes);
  const auto size = static_cast<std::uint64_t>(megabytes * 1e6);
  bool older = false;
  const char* vertexLines = nullptr;
  std::uint64_t seed = 12345;
  for (int i = 3; i < argc; ++i) {
    if (std::strcmp(argv[i], "--older") == 0) older = true;
    else if (std::strcmp(argv[i], "--vertex-lines") == 0 && i + 1 < argc) vertexLines = argv[++i];
    else if (std::strcmp(argv[i], "--seed") == 0 && i + 1 < argc) seed = std::strtoull(argv[++i], nullptr, 10);
    else {
      std::fputs(kUsage, stderr);
      return 2;
    }
  }
  if (!(megabytes > 0)) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  Random random(seed);
  {
    Output out(argv[2]);
    if (older) WriteOlderLayout(out, size, random);
    else WriteCurrentLayout(out, size, random);
    if (!out.Good()) {
      std::fprintf(stderr, "track_generator: cannot write %s\n", argv[2]);
      return 1;
    }
  }
  if (vertexLines != nullptr) {
    Output out(vertexLines);
    WriteVertexLines(out, size, random);
    if (!out.Good()) {
      std::fprintf(stderr, "track_generator: cannot write %s\n", vertexLines);
      return 1;
    }
  }
  return 0;
}
