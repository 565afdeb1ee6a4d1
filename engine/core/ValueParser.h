#pragma once
// Reading int and bool values out of script and settings text.
//
// Failure: both throw veru::excp::NumberFormatException whose message is the
// fixed description followed by the offending text.

#include <string>

namespace veru {

// Decimal text to int: leading white space and a sign are allowed and the
// conversion stops at the first non-digit ("12abc" is 12). Text without
// digits is 0 without error; a value outside the int range throws.
int parseInt(std::u16string text);

// Exactly "true" or "false" (case-sensitive, no white space); anything else
// throws.
bool parseBool(std::u16string text);

}  // namespace veru
