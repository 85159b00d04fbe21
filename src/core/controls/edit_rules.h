#pragma once
// What the hexadecimal and the bounded decimal edit fields do with each
// character typed into them. The fields themselves only hand every key to
// these functions and carry out the answer, so the rules are the same for
// every window and can be checked without one.
#include <cstdint>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace trennic {

// A control character (below 0x20: Backspace, Enter, Tab and the clipboard
// keys) is an editing key and always goes to the field; of the rest, a hex
// field takes "0"-"9", "A"-"F" and "a"-"f", kept as typed.
bool hexCharAccepted(char32_t c);
// A decimal field takes control characters and "0"-"9".
bool decimalCharAccepted(char32_t c);

// The two kinds of field, by the characters they take.
enum class EditKind { Hex, Decimal };
bool editCharAccepted(EditKind kind, char32_t c);

// How many more characters a box takes: what is typed or pasted replaces the
// selection, so only the text outside it counts against the limit.
std::size_t editRoom(std::size_t length, std::size_t selected, std::size_t limit);

// The boxes of one address (the bytes of a MAC address, the octets of an IP
// address) work as one field. A character a box takes but has no room for
// goes on into the next box of the address, as address fields do on every
// desktop; where no open box follows, it is refused like any other refused
// character, never lost without a word.
enum class TypedGoes { Here, NextBox, Refused };
TypedGoes typedCharacterGoes(std::size_t room, bool nextBoxOpen);

// A pasted text (or one an input method commits) is taken from its start:
// the leading characters the field takes, up to its room, so a line break
// copied from a terminal or the rest of a copied address costs nothing. When
// the first box is full or the text runs on, the text runs on into the boxes
// that follow, each taking as many as it holds; one separator of an address
// written out ("-", ":", "." or a blank) moves on to the next box, so
// "00-11-22-33-44-55", "00:11:22:33:44:55" and "192.168.0.1" fill a whole
// row. The first character the boxes can't take ends the paste.
struct PasteSpread {
  // parts[0] goes in at the caret of the box pasted into (and may be empty
  // when that box has no room); each later part replaces the whole text of
  // the next box of the row, and is never empty.
  std::vector<std::u32string> parts;
  // The text held characters but none of them could be taken: the field
  // refuses the paste and nothing changes.
  bool refused = false;
};
// `room` is the room of the box pasted into; boxesAfter the limits of the
// open boxes that follow it in its row, in order (none for a field that
// stands alone).
PasteSpread spreadPaste(EditKind kind, std::u32string_view pasted, std::size_t room,
                        std::span<const std::size_t> boxesAfter);

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

// --- Byte texts ----------------------------------------------------------------

// A field that holds a byte text (an ESS ID, an SNMP text, a password, a
// file name kept in the settings) takes it in the user's code page: its
// limit counts that code page's bytes, so a double-byte character takes two
// of them and is never cut in half, and a character the code page cannot
// store never gets in, for it could only ever be written as "?".
//
// The limit is the field's, not the text's: a longer text from a unit or a
// file is shown whole and kept, and an edit may shorten it but never make it
// longer. Coming back to the text the field opened with is always taken.
enum class ByteTextEdit {
  Taken,
  TooLong,     // refused as a full field refuses a key
  Unstorable,  // refused, and the user is told which character
};
struct ByteTextAfterEdit {
  std::size_t bytes = 0;   // in the code page
  bool storable = true;    // every character has bytes in the code page
  bool asOpened = false;   // the text is the one the field opened with
};
ByteTextEdit judgeByteTextEdit(std::size_t limit, std::size_t bytesBefore, const ByteTextAfterEdit& after);

// A paste or a committed text that runs past the limit keeps its leading
// characters that fit whole, as a full field keeps what it has room for:
// the number of them, of insertedChars (each character's bytes, in order),
// when the rest of the text takes bytesOutside.
std::size_t byteTextCharsThatFit(std::size_t limit, std::size_t bytesBefore, std::size_t bytesOutside,
                                 std::span<const std::size_t> insertedChars);

// What the field stores. A code page may read two codes as one character
// (Shift_JIS as Windows writes it has NEC's and IBM's codes for the same
// kanji) or bytes as no character at all, so writing back what it shows
// could change bytes no one touched: while the field shows the text it
// opened with, it stores the bytes it opened with.
std::string byteTextToStore(std::string_view openedBytes, bool showsOpenedText, std::string_view typedBytes);

}  // namespace trennic
