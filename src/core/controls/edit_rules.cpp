#include "core/controls/edit_rules.h"

#include <algorithm>

namespace trennic {
namespace {

bool isControl(char32_t c) { return c < 0x20; }
bool isDecimalDigit(char32_t c) { return c >= U'0' && c <= U'9'; }
bool isHexDigit(char32_t c) {
  return isDecimalDigit(c) || (c >= U'A' && c <= U'F') || (c >= U'a' && c <= U'f');
}
// What an address written out puts between its bytes or octets.
bool isAddressSeparator(char32_t c) { return c == U'-' || c == U':' || c == U'.' || c == U' '; }
// The blanks "%lu" skips before a number.
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

std::string formatDecimal(std::uint32_t value) { return std::to_string(value); }

}  // namespace

bool hexCharAccepted(char32_t c) { return isControl(c) || isHexDigit(c); }

bool decimalCharAccepted(char32_t c) { return isControl(c) || isDecimalDigit(c); }

bool editCharAccepted(EditKind kind, char32_t c) {
  return kind == EditKind::Hex ? hexCharAccepted(c) : decimalCharAccepted(c);
}

std::size_t editRoom(std::size_t length, std::size_t selected, std::size_t limit) {
  const std::size_t stays = length - std::min(selected, length);
  return stays < limit ? limit - stays : 0;
}

TypedGoes typedCharacterGoes(std::size_t room, bool nextBoxOpen) {
  if (room > 0) return TypedGoes::Here;
  return nextBoxOpen ? TypedGoes::NextBox : TypedGoes::Refused;
}

PasteSpread spreadPaste(EditKind kind, std::u32string_view pasted, std::size_t room,
                        std::span<const std::size_t> boxesAfter) {
  const auto takes = [kind](char32_t c) { return !isControl(c) && editCharAccepted(kind, c); };
  std::size_t i = 0;
  const auto take = [&](std::size_t limit) {
    std::u32string part;
    while (i < pasted.size() && part.size() < limit && takes(pasted[i])) part += pasted[i++];
    return part;
  };

  PasteSpread spread;
  spread.parts.push_back(take(room));
  for (std::size_t limit : boxesAfter) {
    if (i == pasted.size()) break;
    if (!takes(pasted[i])) {
      // A separator only counts after a part: a text that starts with one,
      // or holds two in a row, is no address.
      if (!isAddressSeparator(pasted[i]) || spread.parts.back().empty()) break;
      ++i;
      if (i == pasted.size() || !takes(pasted[i])) break;
    }
    std::u32string part = take(limit);
    if (part.empty()) break;
    spread.parts.push_back(std::move(part));
  }
  spread.refused = !pasted.empty() && spread.parts.size() == 1 && spread.parts.front().empty();
  return spread;
}

void DecimalRange::SetRange(std::uint32_t newMinimum, std::uint32_t newMaximum) {
  maxDigits = static_cast<std::uint16_t>(formatDecimal(newMaximum).size());
  minimum = newMinimum;
  maximum = newMaximum;
}

std::optional<ParsedDecimal> parseDecimalText(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && isBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i == text.size() || !isDecimalDigit(static_cast<unsigned char>(text[i]))) return std::nullopt;

  constexpr std::uint64_t kLimit = 0xFFFFFFFFu;
  std::uint64_t magnitude = 0;
  bool tooLarge = false;
  for (; i < text.size() && isDecimalDigit(static_cast<unsigned char>(text[i])); ++i) {
    // Once past 32 bits the digits no longer matter; stopping the sum there
    // keeps it from wrapping on very long texts.
    if (!tooLarge) {
      magnitude = magnitude * 10 + static_cast<std::uint64_t>(text[i] - '0');
      tooLarge = magnitude > kLimit;
    }
  }
  ParsedDecimal parsed;
  parsed.tooLarge = tooLarge;
  if (!tooLarge) {
    const auto low = static_cast<std::uint32_t>(magnitude);
    parsed.value = negative ? static_cast<std::uint32_t>(0u - low) : low;
  }
  return parsed;
}

std::optional<std::string> decimalAfterEdit(const DecimalRange& range, std::string_view textAfterEdit,
                                            char32_t typed) {
  const std::size_t n = textAfterEdit.size();
  if (n < range.maxDigits) {
    if (range.minimum > 0 && n == 1 && typed == U'0') return formatDecimal(range.minimum);
    return std::nullopt;
  }

  const std::optional<ParsedDecimal> parsed = parseDecimalText(textAfterEdit);
  if (!parsed) return formatDecimal(range.minimum);
  // Ten digits can say more than 32 bits hold; such a number is above every
  // maximum, even the largest, rather than left standing in the field.
  if (parsed->tooLarge || parsed->value > range.maximum) return formatDecimal(range.maximum);
  if (parsed->value < range.minimum) return formatDecimal(range.minimum);
  return std::nullopt;
}

ByteTextEdit judgeByteTextEdit(std::size_t limit, std::size_t bytesBefore, const ByteTextAfterEdit& after) {
  if (after.asOpened) return ByteTextEdit::Taken;
  if (!after.storable) return ByteTextEdit::Unstorable;
  if (after.bytes > std::max(limit, bytesBefore)) return ByteTextEdit::TooLong;
  return ByteTextEdit::Taken;
}

std::size_t byteTextCharsThatFit(std::size_t limit, std::size_t bytesBefore, std::size_t bytesOutside,
                                 std::span<const std::size_t> insertedChars) {
  const std::size_t most = std::max(limit, bytesBefore);
  std::size_t used = bytesOutside, n = 0;
  for (std::size_t b : insertedChars) {
    if (used > most || b > most - used) break;
    used += b;
    ++n;
  }
  return n;
}

std::string byteTextToStore(std::string_view openedBytes, bool showsOpenedText, std::string_view typedBytes) {
  return std::string(showsOpenedText ? openedBytes : typedBytes);
}

}  // namespace trennic
