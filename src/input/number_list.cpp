#include "input/number_list.h"

#include "input/numbers.h"
#include "input/owned_token.h"
#include "platform/format_text.h"

namespace tessarin::input {

bool ReadNumberList(DirectiveContext& context, std::optional<std::string> first, double* values, int count,
                    const NumberListTexts& texts) {
  for (int k = 0; k < count; ++k) {
    std::optional<std::string> token = std::move(first);
    first.reset();
    if (!token) token = NextOwnedToken(context.tokens);
    if (!token) return context.Fail(k == 0 && texts.missing != nullptr ? texts.missing : texts.tooFew);
    std::optional<double> value = ParseCompleteNumber(*token);
    if (!value) return context.Fail(platform::FormatText(texts.invalid, token->c_str()));
    values[k] = *value;
  }
  return true;
}

bool ReadVector(DirectiveContext& context, std::optional<std::string> first, Vec3& vector,
                const NumberListTexts& texts) {
  double values[3] = {0, 0, 0};
  if (!ReadNumberList(context, std::move(first), values, 3, texts)) return false;
  vector = {values[0], values[1], values[2]};
  return true;
}

}  // namespace tessarin::input
