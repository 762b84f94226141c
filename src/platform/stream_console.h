#pragma once
// The console of the command-line program: text goes to a stream (standard
// output), key presses come from an optional key source (the terminal).

#include <functional>
#include <iosfwd>

#include "platform/console.h"

namespace tessarin::platform {

class StreamConsole final : public Console {
 public:
  using KeySource = std::function<std::optional<int>()>;
  explicit StreamConsole(std::ostream& out, KeySource keys = {});

  void Open() override { open_ = true; }
  void Write(std::string_view text) override;
  std::optional<int> PollKey() override;
  [[nodiscard]] bool HasText() const override { return hasText_; }
  void SetCloseEnabled(bool) override {}
  [[nodiscard]] bool IsOpen() const override { return open_; }
  void Hide() override {}
  void Close() override { open_ = false; hasText_ = false; }

 private:
  std::ostream& out_;
  KeySource keys_;
  bool open_ = false;
  bool hasText_ = false;
};

}  // namespace tessarin::platform
