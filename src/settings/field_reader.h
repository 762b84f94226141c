#pragma once
// Reads the fields of a parameter file one expected key at a time. Keys are
// compared without regard to case. A key of a newer format generation than
// any seen so far may be missing: the field then keeps its value (the
// default) and the same line is offered to the next key. Every reader
// returns false on a format error: a wrong key, a bad number or a value
// outside its range; FailureDetail then says where and why.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/host.h"
#include "settings/color_entry.h"
#include "settings/parameter_file_lines.h"
#include "settings/line_tokens.h"
#include "settings/ranges.h"
#include "settings/viewparm.h"

namespace tessarin::settings {

// The format generations and the maximum line lengths, line feed included.
inline constexpr int kFirstGeneration = 1;
inline constexpr std::size_t kNumberLineLength = 99;
inline constexpr std::size_t kVectorLineLength = 199;
inline constexpr std::size_t kSetNameLineLength = 201;
inline constexpr std::size_t kTextLineLength = 358;
inline constexpr std::size_t kAdditionalArgsLineLength = 617;
inline constexpr std::size_t kRowNameLineLength = 51;

enum class TextKind { Plain, Path };

class FieldReader {
 public:
  // `fileName` names the file in the failure detail.
  FieldReader(ParameterFileLines& source, platform::Rgb buttonFace, std::string fileName = {})
      : source_(source), buttonFace_(buttonFace), fileName_(std::move(fileName)) {}

  // The newest generation whose keys were seen.
  int generation() const { return generation_; }

  [[nodiscard]] bool Int(std::string_view key, int& field, IntRange range, int keyGeneration = kFirstGeneration);
  // Any integer; stored as 0 or 1.
  [[nodiscard]] bool Flag(std::string_view key, int& field, int keyGeneration = kFirstGeneration);
  // Stored 0-based, written 1-based: 0 in the file is a stored -1.
  [[nodiscard]] bool OneBased(std::string_view key, int& field, IntRange rangeInFile, int keyGeneration = kFirstGeneration);
  // -1 or at least `minimum`; values from 0 to minimum - 1 become -1.
  [[nodiscard]] bool VertexLimit(std::string_view key, int& field, int minimum);
  [[nodiscard]] bool Real(std::string_view key, double& field, RealRange range, int keyGeneration = kFirstGeneration);
  [[nodiscard]] bool Vector(std::string_view key, Vector3& field, RealRange range);
  [[nodiscard]] bool Color(std::string_view key, ColorEntry& field, bool materialRow, int keyGeneration = kFirstGeneration);
  // "-1, -1, -1" stands for the button-face colour ("None").
  [[nodiscard]] bool BeamAxisColor(std::string_view key, ColorEntry& field);
  // The rest of the line, cut to maxCharacters; paths get "/" separators.
  [[nodiscard]] bool Text(std::string_view key, std::string& field, std::size_t maxCharacters, TextKind kind,
            std::size_t lineLength = kTextLineLength, int keyGeneration = kFirstGeneration);
  // One token after the line is cut to the key, " = " and 50 characters,
  // dropping a "%" left at the cut; must be a valid suffix.
  [[nodiscard]] bool Suffix(std::string_view key, std::string& field, int keyGeneration = kFirstGeneration);
  // A whole line without key, leading blanks kept, cut to maxCharacters.
  [[nodiscard]] bool Name(std::string& field, std::size_t maxCharacters, std::size_t lineLength);

  // Refuses the value just read for a reason of the caller's; always false.
  [[nodiscard]] bool RejectLastValue();
  // The line number, key and value of the first format error, for the user
  // ("  at demo.tesprm:212: nThreads = 4000 is out of range"); empty without
  // an error.
  const std::string& FailureDetail() const { return failure_; }

 private:
  // True with `line` set when the key's line was taken; true without a line
  // when an optional key is absent; false on a missing required key.
  [[nodiscard]] bool Expect(std::string_view key, int keyGeneration, std::size_t lineLength, std::optional<LineTokens>& line);
  [[nodiscard]] bool ReadIntegers(LineTokens& line, long long (&values)[3], IntRange range);
  std::optional<long long> IntegerValue(std::string_view token, IntRange range);
  std::optional<double> RealValue(std::string_view token, RealRange range);
  // True for a value that was read and is in range; otherwise records why.
  [[nodiscard]] bool CheckValue(bool parsed, bool inRange);
  // Records a failure in the message pattern's words; always false.
  bool Fail(std::string_view pattern, std::string_view key, std::string_view found, long long lineNumber);

  ParameterFileLines& source_;
  platform::Rgb buttonFace_;
  int generation_ = kFirstGeneration;
  std::string currentLine_;
  // The line taken last: its number, the expected key and the value text.
  long long lineNumber_ = 0;
  std::string key_;
  std::string value_;
  std::string failure_;
  std::string fileName_;
};

}  // namespace tessarin::settings
