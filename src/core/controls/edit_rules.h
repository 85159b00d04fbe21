#pragma once
// What the hexadecimal and the bounded decimal edit fields do with each
// character typed into them. The fields themselves only hand every key to
// these functions and carry out the answer, so the rules are the same for
// every window and can be checked without one.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace trennic {

// A control character (below 0x20: Backspace, Enter, Tab and the clipboard
// keys) is an editing key and always goes to the field; of the rest, a hex
// field takes "0"-"9", "A"-"F" and "a"-"f", kept as typed.
bool hexCharAccepted(char32_t c);
// A decimal field takes control characters and "0"-"9".
bool decimalCharAccepted(char32_t c);

// Text that is pasted lands in the field as it is, control characters
// included, so a paste is taken only when every one of its characters is one
// the field would keep when typed: hex digits, or decimal digits. An empty
// paste holds nothing the field would refuse.
bool hexPasteAccepted(std::u32string_view pasted);
bool decimalPasteAccepted(std::u32string_view pasted);

// The bounds of a decimal field. maxDigits is the number of characters of the
// maximum written out, and the field's text limit as well: a field holding
// that many characters is full, and only a full field is range-checked.
struct DecimalRange {
  std::uint16_t maxDigits = 10;
  std::uint32_t minimum = 0;
  std::uint32_t maximum = 4294967295u;

  void SetRange(std::uint32_t newMinimum, std::uint32_t newMaximum);
};

// Reads text the way "%lu" does: leading blanks, an optional sign, then the
// digits up to the first other character; a minus negates modulo 2^32. A
// number too large for 32 bits reads as nothing that fits, which the range
// check below treats as above any maximum. Empty when no digit is found.
// The flag says the digits ran past 32 bits.
struct ParsedDecimal {
  std::uint32_t value = 0;
  bool tooLarge = false;
};
std::optional<ParsedDecimal> parseDecimalText(std::string_view text);

// Runs after the field has applied the key `typed` (a digit or a control
// character) and holds textAfterEdit, one byte per character. Returns the text that replaces it,
// which the field then selects whole, or nothing when the text stays:
// - a field that is not full stays as typed, except that a "0" typed into an
//   empty field with a minimum above zero becomes the minimum: a number that
//   must be at least one gains nothing from a leading zero, and the user
//   sees at once where the range starts;
// - a full field whose value lies inside the range stays;
// - a full field above the maximum becomes the maximum;
// - a full field below the minimum, or one that holds no number, becomes the
//   minimum.
std::optional<std::string> decimalAfterEdit(const DecimalRange& range, std::string_view textAfterEdit,
                                            char32_t typed);

}  // namespace trennic
