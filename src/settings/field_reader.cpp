#include "settings/field_reader.h"

#include <algorithm>

#include "platform/paths.h"
#include "platform/text_case.h"
#include "settings/colors.h"
#include "settings/message_format.h"
#include "settings/messages.h"
#include "settings/parameter_numbers.h"
#include "settings/suffix_validity.h"

namespace tessarin::settings {

namespace {

constexpr std::string_view kKeyDelimiters = " =";
constexpr std::string_view kNumberDelimiters = " =\t";
constexpr std::string_view kSuffixDelimiters = " =";
// A vector or colour is "(a, b, c)" or three numbers separated by blanks.
constexpr std::string_view kTripleDelimiters[3] = {" =(,\t", " ,\t", " ,)\t"};

// The value as the user wrote it, for messages.
std::string_view WithoutTrailingBlanks(std::string_view text) {
  const std::size_t end = text.find_last_not_of(" \t\r");
  return end == std::string_view::npos ? std::string_view{} : text.substr(0, end + 1);
}

}  // namespace

bool FieldReader::Expect(std::string_view key, int keyGeneration, std::size_t lineLength,
                         std::optional<LineTokens>& line) {
  line.reset();
  const bool optional = keyGeneration > generation_;
  const long long lineNumber = source_.LineNumber();
  std::optional<std::string> text = source_.Peek(lineLength);
  if (!text) return optional || Fail(messages::kEndBeforeKey, key, {}, lineNumber);
  currentLine_ = std::move(*text);
  LineTokens tokens(currentLine_);
  if (!platform::EqualsIgnoringCase(tokens.Next(kKeyDelimiters), key))
    return optional || Fail(messages::kOtherLineFound, key, WithoutTrailingBlanks(currentLine_), lineNumber);
  source_.Take(lineLength);
  generation_ = std::max(generation_, keyGeneration);
  lineNumber_ = lineNumber;
  key_ = std::string(key);
  value_ = std::string(WithoutTrailingBlanks(tokens.Rest()));
  line = tokens;
  return true;
}

bool FieldReader::Fail(std::string_view pattern, std::string_view key, std::string_view found, long long lineNumber) {
  if (failure_.empty()) failure_ = FillMessage(pattern, {fileName_, std::to_string(lineNumber), key, found});
  return false;
}

bool FieldReader::RejectLastValue() { return Fail(messages::kValueNotValid, key_, value_, lineNumber_); }

bool FieldReader::CheckValue(bool parsed, bool inRange) {
  if (parsed && inRange) return true;
  return Fail(parsed ? messages::kValueOutOfRange : messages::kValueNotValid, key_, value_, lineNumber_);
}

std::optional<long long> FieldReader::IntegerValue(std::string_view token, IntRange range) {
  std::optional<long long> value = ParseInteger(token);
  if (!CheckValue(value.has_value(), value && range.Contains(*value))) return std::nullopt;
  return value;
}

std::optional<double> FieldReader::RealValue(std::string_view token, RealRange range) {
  std::optional<double> value = ParseReal(token);
  if (!CheckValue(value.has_value(), value && range.Contains(*value))) return std::nullopt;
  return value;
}

bool FieldReader::Int(std::string_view key, int& field, IntRange range, int keyGeneration) {
  std::optional<LineTokens> line;
  if (!Expect(key, keyGeneration, kNumberLineLength, line)) return false;
  if (!line) return true;
  std::optional<long long> value = IntegerValue(line->Next(kNumberDelimiters), range);
  if (!value) return false;
  field = static_cast<int>(*value);
  return true;
}

bool FieldReader::Flag(std::string_view key, int& field, int keyGeneration) {
  int value = field;
  if (!Int(key, value, IntRange{INT_MIN, INT_MAX}, keyGeneration)) return false;
  field = value != 0 ? 1 : 0;
  return true;
}

bool FieldReader::OneBased(std::string_view key, int& field, IntRange rangeInFile, int keyGeneration) {
  int value = field + 1;
  if (!Int(key, value, rangeInFile, keyGeneration)) return false;
  field = value - 1;
  return true;
}

bool FieldReader::VertexLimit(std::string_view key, int& field, int minimum) {
  if (!Int(key, field, kVertexLimitInFileRange)) return false;
  if (field >= 0 && field < minimum) field = -1;
  return true;
}

bool FieldReader::Real(std::string_view key, double& field, RealRange range, int keyGeneration) {
  std::optional<LineTokens> line;
  if (!Expect(key, keyGeneration, kNumberLineLength, line)) return false;
  if (!line) return true;
  std::optional<double> value = RealValue(line->Next(kNumberDelimiters), range);
  if (!value) return false;
  field = *value;
  return true;
}

bool FieldReader::Vector(std::string_view key, Vector3& field, RealRange range) {
  std::optional<LineTokens> line;
  if (!Expect(key, kFirstGeneration, kVectorLineLength, line)) return false;
  if (!line) return true;
  double values[3];
  for (int i = 0; i < 3; ++i) {
    std::optional<double> component = RealValue(line->Next(kTripleDelimiters[i]), range);
    if (!component) return false;
    values[i] = *component;
  }
  field = Vector3{values[0], values[1], values[2]};
  return true;
}

bool FieldReader::ReadIntegers(LineTokens& line, long long (&values)[3], IntRange range) {
  for (int i = 0; i < 3; ++i) {
    std::optional<long long> value = IntegerValue(line.Next(kTripleDelimiters[i]), range);
    if (!value) return false;
    values[i] = *value;
  }
  return true;
}

bool FieldReader::Color(std::string_view key, ColorEntry& field, bool materialRow, int keyGeneration) {
  std::optional<LineTokens> line;
  if (!Expect(key, keyGeneration, kVectorLineLength, line)) return false;
  if (!line) return true;
  long long rgb[3];
  if (!ReadIntegers(*line, rgb, kColorComponentRange)) return false;
  field = MakeColor(static_cast<int>(rgb[0]), static_cast<int>(rgb[1]), static_cast<int>(rgb[2]), materialRow);
  return true;
}

bool FieldReader::BeamAxisColor(std::string_view key, ColorEntry& field) {
  std::optional<LineTokens> line;
  if (!Expect(key, kFirstGeneration, kVectorLineLength, line)) return false;
  if (!line) return true;
  long long rgb[3];
  if (!ReadIntegers(*line, rgb, IntRange{-1, kColorComponentRange.max})) return false;
  const bool none = rgb[0] == -1;
  for (long long component : rgb)
    if (none ? component != -1 : component < 0) return RejectLastValue();
  if (none)
    field = MakeColor(buttonFace_.red, buttonFace_.green, buttonFace_.blue, false);
  else
    field = MakeColor(static_cast<int>(rgb[0]), static_cast<int>(rgb[1]), static_cast<int>(rgb[2]), false);
  return true;
}

bool FieldReader::Text(std::string_view key, std::string& field, std::size_t maxCharacters, TextKind kind,
                       std::size_t lineLength, int keyGeneration) {
  std::optional<LineTokens> line;
  if (!Expect(key, keyGeneration, lineLength, line)) return false;
  if (!line) return true;
  std::string_view value = line->Rest().substr(0, maxCharacters);
  field = kind == TextKind::Path ? platform::NormalizeSeparators(value) : std::string(value);
  return true;
}

bool FieldReader::Suffix(std::string_view key, std::string& field, int keyGeneration) {
  const std::size_t cutLength = key.size() + 3 + kMaxSuffixLength;
  std::optional<LineTokens> line;
  if (!Expect(key, keyGeneration, cutLength + 1, line)) return false;
  if (!line) return true;
  // A "%d" split by the cut would leave a lone "%".
  std::string_view kept = std::string_view(currentLine_).substr(0, cutLength);
  if (kept.size() == cutLength && kept.back() == '%') kept.remove_suffix(1);
  LineTokens tokens(kept);
  tokens.Next(kKeyDelimiters);
  std::string_view value = tokens.Next(kSuffixDelimiters);
  if (!IsValidSuffix(value)) return RejectLastValue();
  field = std::string(value);
  return true;
}

bool FieldReader::Name(std::string& field, std::size_t maxCharacters, std::size_t lineLength) {
  const long long lineNumber = source_.LineNumber();
  std::optional<std::string> line = source_.Peek(lineLength);
  if (!line) return Fail(messages::kEndBeforeName, {}, {}, lineNumber);
  source_.Take(lineLength);
  field = line->substr(0, maxCharacters);
  return true;
}

}  // namespace tessarin::settings
