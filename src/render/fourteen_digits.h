#pragma once
// Numbers as "%.14g" writes them in the C locale, quickly: a drawing writes
// millions of coordinates.

namespace tessarin::render {

// Writes `value` at `out` exactly as std::to_chars(..., general, 14) does
// (printf's "%.14g"); at most 32 characters. Returns the end.
char* WriteFourteenDigits(char* out, double value);

}  // namespace tessarin::render
