#include "core/controls/edit_rules.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace trennic {
namespace {

DecimalRange rangeOf(std::uint32_t minimum, std::uint32_t maximum) {
  DecimalRange range;
  range.SetRange(minimum, maximum);
  return range;
}

// ------------------------------------------------------------ characters

struct CharCase {
  const char* rule;
  char32_t c;
  bool hex;
  bool decimal;
};
void PrintTo(const CharCase& c, std::ostream* os) { *os << c.rule; }
class EditRulesCharacter : public ::testing::TestWithParam<CharCase> {};

TEST_P(EditRulesCharacter, Hex) { EXPECT_EQ(hexCharAccepted(GetParam().c), GetParam().hex); }
TEST_P(EditRulesCharacter, Decimal) { EXPECT_EQ(decimalCharAccepted(GetParam().c), GetParam().decimal); }

INSTANTIATE_TEST_SUITE_P(
    EditRules, EditRulesCharacter,
    ::testing::Values(CharCase{"DigitZero", U'0', true, true}, CharCase{"DigitNine", U'9', true, true},
                      CharCase{"UpperA", U'A', true, false}, CharCase{"UpperF", U'F', true, false},
                      CharCase{"LowerA", U'a', true, false}, CharCase{"LowerF", U'f', true, false},
                      CharCase{"UpperG", U'G', false, false}, CharCase{"LowerG", U'g', false, false},
                      CharCase{"LowerX", U'x', false, false}, CharCase{"Space", U' ', false, false},
                      CharCase{"Minus", U'-', false, false}, CharCase{"Dot", U'.', false, false},
                      CharCase{"Plus", U'+', false, false}, CharCase{"Colon", U':', false, false},
                      CharCase{"At", U'@', false, false}, CharCase{"Backspace", 0x08, true, true},
                      CharCase{"Tab", 0x09, true, true}, CharCase{"Enter", 0x0D, true, true},
                      CharCase{"CtrlV", 0x16, true, true}, CharCase{"Nul", 0x00, true, true},
                      CharCase{"Unit", 0x1F, true, true}, CharCase{"Del", 0x7F, false, false},
                      CharCase{"FullWidthDigit", U'\uFF11', false, false},
                      CharCase{"FullWidthLetterA", U'\uFF21', false, false},
                      CharCase{"ArabicIndicDigit", U'\u0661', false, false}),
    [](const auto& info) { return std::string(info.param.rule); });

// ------------------------------------------------------------ pasted text

constexpr EditKind kHex = EditKind::Hex;
constexpr EditKind kDecimal = EditKind::Decimal;

struct SpreadCase {
  const char* rule;
  EditKind kind;
  std::u32string_view text;
  std::size_t room;
  std::vector<std::size_t> boxesAfter;
  std::vector<std::u32string> parts;
  bool refused;
};
void PrintTo(const SpreadCase& c, std::ostream* os) { *os << c.rule; }
class EditRulesPaste : public ::testing::TestWithParam<SpreadCase> {};

TEST_P(EditRulesPaste, Spread) {
  const SpreadCase& c = GetParam();
  const PasteSpread spread = spreadPaste(c.kind, c.text, c.room, c.boxesAfter);
  EXPECT_EQ(spread.parts, c.parts);
  EXPECT_EQ(spread.refused, c.refused);
}

const std::vector<std::size_t> kMacAfter{2, 2, 2, 2, 2};
const std::vector<std::size_t> kIpAfter{3, 3, 3};

INSTANTIATE_TEST_SUITE_P(
    EditRules, EditRulesPaste,
    ::testing::Values(
        // One field: the leading characters it takes, up to its room.
        SpreadCase{"EmptyIsNoRefusal", kDecimal, U"", 3, {}, {U""}, false},
        SpreadCase{"DecimalDigits", kDecimal, U"12", 3, {}, {U"12"}, false},
        SpreadCase{"TrailingNewlineLeft", kDecimal, U"25\n", 3, {}, {U"25"}, false},
        SpreadCase{"TrailingCrLfLeft", kDecimal, U"25\r\n", 3, {}, {U"25"}, false},
        SpreadCase{"DecimalStopsAtLetter", kDecimal, U"1a", 3, {}, {U"1"}, false},
        SpreadCase{"DecimalStopsAtDot", kDecimal, U"10.0", 3, {}, {U"10"}, false},
        SpreadCase{"DecimalStopsAtTab", kDecimal, U"1\t2", 3, {}, {U"1"}, false},
        SpreadCase{"CutAtRoom", kDecimal, U"999", 1, {}, {U"9"}, false},
        SpreadCase{"MacTextIntoOneByte", kHex, U"00-11", 2, {}, {U"00"}, false},
        SpreadCase{"HexBothCasesKept", kHex, U"aBcDeF", 32, {}, {U"aBcDeF"}, false},
        SpreadCase{"HexPrefixStopsAtX", kHex, U"0x1F", 8, {}, {U"0"}, false},
        SpreadCase{"HexLettersInDecimalRefused", kDecimal, U"aBcDeF", 3, {}, {U""}, true},
        SpreadCase{"LeadingBlankRefused", kDecimal, U" 12", 3, {}, {U""}, true},
        SpreadCase{"SignRefused", kDecimal, U"-12", 3, {}, {U""}, true},
        SpreadCase{"LeadingNewlineRefused", kHex, U"\n12", 2, {}, {U""}, true},
        SpreadCase{"FullWidthDigitsRefused", kDecimal, U"\uFF11\uFF12", 3, {}, {U""}, true},
        SpreadCase{"NoRoomRefused", kHex, U"12", 0, {}, {U""}, true},
        // A row: on into the boxes that follow.
        SpreadCase{"MacWithDashes", kHex, U"00-11-22-33-44-55", 2, kMacAfter,
                   {U"00", U"11", U"22", U"33", U"44", U"55"}, false},
        SpreadCase{"MacWithColons", kHex, U"00:11:22:aa:BB:cc", 2, kMacAfter,
                   {U"00", U"11", U"22", U"aa", U"BB", U"cc"}, false},
        SpreadCase{"MacWithBlanks", kHex, U"00 11 22 33 44 55\n", 2, kMacAfter,
                   {U"00", U"11", U"22", U"33", U"44", U"55"}, false},
        SpreadCase{"MacWithoutSeparators", kHex, U"001122334455", 2, kMacAfter,
                   {U"00", U"11", U"22", U"33", U"44", U"55"}, false},
        SpreadCase{"MacShortBytes", kHex, U"0-1-2-3-4-5", 2, kMacAfter, {U"0", U"1", U"2", U"3", U"4", U"5"}, false},
        SpreadCase{"IpDotted", kDecimal, U"192.168.0.1", 3, kIpAfter, {U"192", U"168", U"0", U"1"}, false},
        SpreadCase{"IpWithNewline", kDecimal, U"10.0.0.1\n", 3, kIpAfter, {U"10", U"0", U"0", U"1"}, false},
        SpreadCase{"IpLongerThanRow", kDecimal, U"1.2.3.4.5", 3, kIpAfter, {U"1", U"2", U"3", U"4"}, false},
        SpreadCase{"DigitsRunOnPastFullBox", kDecimal, U"1234", 3, kIpAfter, {U"123", U"4"}, false},
        SpreadCase{"IntoMiddleBox", kDecimal, U"192.168.0.1", 3, {3}, {U"192", U"168"}, false},
        SpreadCase{"FullBoxRunsOnToNext", kDecimal, U"168", 0, {3, 3}, {U"", U"168"}, false},
        SpreadCase{"FirstPartCutAtRoom", kHex, U"123", 1, kMacAfter, {U"1", U"23"}, false},
        SpreadCase{"TrailingSeparator", kHex, U"00-", 2, kMacAfter, {U"00"}, false},
        SpreadCase{"TwoSeparatorsEndIt", kHex, U"00--11", 2, kMacAfter, {U"00"}, false},
        SpreadCase{"OtherSeparatorEndsIt", kHex, U"00/11", 2, kMacAfter, {U"00"}, false},
        SpreadCase{"SeparatorThenJunkEndsIt", kHex, U"00-xx", 2, kMacAfter, {U"00"}, false},
        SpreadCase{"LeadingSeparatorRefused", kHex, U"-11", 2, kMacAfter, {U""}, true},
        SpreadCase{"LeadingSeparatorIntoFullBoxRefused", kHex, U"-11", 0, kMacAfter, {U""}, true},
        SpreadCase{"NothingTakenInRowRefused", kDecimal, U"ab.cd", 3, kIpAfter, {U""}, true}),
    [](const auto& info) { return std::string(info.param.rule); });

struct RoomCase {
  const char* rule;
  std::size_t length;
  std::size_t selected;
  std::size_t limit;
  std::size_t room;
};
void PrintTo(const RoomCase& c, std::ostream* os) { *os << c.rule; }
class EditRulesRoom : public ::testing::TestWithParam<RoomCase> {};

TEST_P(EditRulesRoom, Room) {
  EXPECT_EQ(editRoom(GetParam().length, GetParam().selected, GetParam().limit), GetParam().room);
}

INSTANTIATE_TEST_SUITE_P(EditRules, EditRulesRoom,
                         ::testing::Values(RoomCase{"Empty", 0, 0, 2, 2}, RoomCase{"HalfFull", 1, 0, 2, 1},
                                           RoomCase{"Full", 2, 0, 2, 0},
                                           RoomCase{"FullAndSelectedWhole", 2, 2, 2, 2},
                                           RoomCase{"FullPartlySelected", 3, 1, 3, 1},
                                           RoomCase{"LongerThanLimit", 4, 0, 3, 0},
                                           RoomCase{"SelectionBeyondText", 1, 5, 3, 3}),
                         [](const auto& info) { return std::string(info.param.rule); });

// ------------------------------------------------------------ typed into a full box

struct TypedCase {
  const char* rule;
  std::size_t room;
  bool nextBoxOpen;
  TypedGoes goes;
};
void PrintTo(const TypedCase& c, std::ostream* os) { *os << c.rule; }
class EditRulesTyped : public ::testing::TestWithParam<TypedCase> {};

TEST_P(EditRulesTyped, Goes) { EXPECT_EQ(typedCharacterGoes(GetParam().room, GetParam().nextBoxOpen), GetParam().goes); }

INSTANTIATE_TEST_SUITE_P(EditRules, EditRulesTyped,
                         ::testing::Values(TypedCase{"RoomHere", 1, false, TypedGoes::Here},
                                           TypedCase{"RoomHereBeforeNextBox", 2, true, TypedGoes::Here},
                                           TypedCase{"FullRunsOnToNextBox", 0, true, TypedGoes::NextBox},
                                           TypedCase{"FullLastBoxRefuses", 0, false, TypedGoes::Refused}),
                         [](const auto& info) { return std::string(info.param.rule); });

// ------------------------------------------------------------ range

struct SetRangeCase {
  const char* rule;
  std::uint32_t minimum;
  std::uint32_t maximum;
  std::uint16_t maxDigits;
};
void PrintTo(const SetRangeCase& c, std::ostream* os) { *os << c.rule; }
class EditRulesSetRange : public ::testing::TestWithParam<SetRangeCase> {};

TEST_P(EditRulesSetRange, DigitsOfMaximum) {
  const DecimalRange range = rangeOf(GetParam().minimum, GetParam().maximum);
  EXPECT_EQ(range.maxDigits, GetParam().maxDigits);
  EXPECT_EQ(range.minimum, GetParam().minimum);
  EXPECT_EQ(range.maximum, GetParam().maximum);
}

INSTANTIATE_TEST_SUITE_P(EditRules, EditRulesSetRange,
                         ::testing::Values(SetRangeCase{"Octet", 0, 255, 3}, SetRangeCase{"OneToTen", 1, 10, 2},
                                           SetRangeCase{"SixToForty", 6, 40, 2}, SetRangeCase{"Port", 0, 65535, 5},
                                           SetRangeCase{"OnlyZero", 0, 0, 1}, SetRangeCase{"OneToNine", 1, 9, 1},
                                           SetRangeCase{"Widest", 0, 4294967295u, 10},
                                           SetRangeCase{"MinimumWiderThanMaximum", 1000, 99, 2}),
                         [](const auto& info) { return std::string(info.param.rule); });

TEST(EditRulesDefaults, WholeUnsignedRange) {
  const DecimalRange range;
  EXPECT_EQ(range.maxDigits, 10);
  EXPECT_EQ(range.minimum, 0u);
  EXPECT_EQ(range.maximum, 4294967295u);
}

// ------------------------------------------------------------ reading "%lu"

struct ParseCase {
  const char* rule;
  std::string_view text;
  std::optional<std::uint32_t> value;
  bool tooLarge;
};
void PrintTo(const ParseCase& c, std::ostream* os) { *os << c.rule; }
class EditRulesParse : public ::testing::TestWithParam<ParseCase> {};

TEST_P(EditRulesParse, Reads) {
  const auto parsed = parseDecimalText(GetParam().text);
  ASSERT_EQ(parsed.has_value(), GetParam().value.has_value() || GetParam().tooLarge);
  if (!parsed) return;
  EXPECT_EQ(parsed->tooLarge, GetParam().tooLarge);
  if (!GetParam().tooLarge) {
    EXPECT_EQ(parsed->value, *GetParam().value);
  }
}

INSTANTIATE_TEST_SUITE_P(
    EditRules, EditRulesParse,
    ::testing::Values(ParseCase{"Plain", "255", 255u, false}, ParseCase{"LeadingZeros", "007", 7u, false},
                      ParseCase{"LeadingBlanks", " \t42", 42u, false}, ParseCase{"Plus", "+9", 9u, false},
                      ParseCase{"MinusWrapsAsUnsigned", "-1", 4294967295u, false},
                      ParseCase{"MinusZero", "-0", 0u, false}, ParseCase{"StopsAtFirstOther", "25x", 25u, false},
                      ParseCase{"Largest", "4294967295", 4294967295u, false},
                      ParseCase{"PastThirtyTwoBits", "4294967296", std::nullopt, true},
                      ParseCase{"VeryLong", "99999999999999999999999999", std::nullopt, true},
                      ParseCase{"Empty", "", std::nullopt, false}, ParseCase{"OnlyBlanks", "   ", std::nullopt, false},
                      ParseCase{"Letters", "ab", std::nullopt, false}, ParseCase{"SignOnly", "-", std::nullopt, false},
                      ParseCase{"BlankAfterSign", "+ 5", std::nullopt, false}),
    [](const auto& info) { return std::string(info.param.rule); });

// ------------------------------------------------------------ after an edit

constexpr char32_t kBackspace = 0x08;
constexpr char32_t kPaste = 0x16;

struct AfterEditCase {
  const char* rule;
  std::uint32_t minimum;
  std::uint32_t maximum;
  std::string_view text;
  char32_t typed;
  std::optional<std::string> replacement;
};
void PrintTo(const AfterEditCase& c, std::ostream* os) { *os << c.rule; }
class EditRulesAfterEdit : public ::testing::TestWithParam<AfterEditCase> {};

TEST_P(EditRulesAfterEdit, Replacement) {
  const AfterEditCase& c = GetParam();
  EXPECT_EQ(decimalAfterEdit(rangeOf(c.minimum, c.maximum), c.text, c.typed), c.replacement);
}

INSTANTIATE_TEST_SUITE_P(
    EditRules, EditRulesAfterEdit,
    ::testing::Values(
        // 0-255, typing 2, 5, 6
        AfterEditCase{"OctetFirstDigitStays", 0, 255, "2", U'2', std::nullopt},
        AfterEditCase{"OctetSecondDigitStays", 0, 255, "25", U'5', std::nullopt},
        AfterEditCase{"OctetFullAboveMaximum", 0, 255, "256", U'6', "255"},
        AfterEditCase{"OctetFullAtMaximumStays", 0, 255, "255", U'5', std::nullopt},
        // 0-255, typing 0, 1
        AfterEditCase{"ZeroWithZeroMinimumStays", 0, 255, "0", U'0', std::nullopt},
        AfterEditCase{"LeadingZeroShortStays", 0, 255, "01", U'1', std::nullopt},
        AfterEditCase{"FullWithLeadingZerosInRangeStays", 0, 255, "001", U'1', std::nullopt},
        // 1-10
        AfterEditCase{"ZeroIntoEmptyBecomesMinimum", 1, 10, "0", U'0', "1"},
        AfterEditCase{"OneStays", 1, 10, "1", U'1', std::nullopt},
        AfterEditCase{"ElevenBecomesMaximum", 1, 10, "11", U'1', "10"},
        AfterEditCase{"TenStays", 1, 10, "10", U'0', std::nullopt},
        AfterEditCase{"FullZeroZeroBelowMinimum", 1, 10, "00", U'0', "1"},
        // 6-40, typing 3; 5, 0; 0, 5
        AfterEditCase{"ShortBelowMinimumStays", 6, 40, "3", U'3', std::nullopt},
        AfterEditCase{"FiveStays", 6, 40, "5", U'5', std::nullopt},
        AfterEditCase{"FiftyBecomesMaximum", 6, 40, "50", U'0', "40"},
        AfterEditCase{"ZeroBecomesMinimum", 6, 40, "0", U'0', "6"},
        AfterEditCase{"FullBelowMinimum", 6, 40, "05", U'5', "6"},
        // 0-65535, five nines
        AfterEditCase{"FourNinesStay", 0, 65535, "9999", U'9', std::nullopt},
        AfterEditCase{"FiveNinesBecomeMaximum", 0, 65535, "99999", U'9', "65535"},
        // The leading-zero rule looks at the key, not at the text.
        AfterEditCase{"LoneZeroLeftByBackspaceStays", 1, 10, "0", kBackspace, std::nullopt},
        AfterEditCase{"LoneZeroPastedStays", 1, 10, "0", kPaste, std::nullopt},
        AfterEditCase{"ZeroTypedBeforeDigitStays", 1, 999, "05", U'0', std::nullopt},
        AfterEditCase{"ZeroAtOneDigitLimitBelowMinimum", 1, 9, "0", U'0', "1"},
        // Edits that shorten the text are left alone.
        AfterEditCase{"EmptyAfterBackspaceStays", 1, 10, "", kBackspace, std::nullopt},
        AfterEditCase{"ShortAfterBackspaceStays", 6, 40, "4", kBackspace, std::nullopt},
        // A paste is a control character: a full result is checked, a short one is not.
        AfterEditCase{"FullPasteAboveMaximum", 0, 255, "300", kPaste, "255"},
        AfterEditCase{"ShortPasteOfLettersStays", 0, 255, "ab", kPaste, std::nullopt},
        AfterEditCase{"FullPasteOfLettersBecomesMinimum", 6, 40, "ab", kPaste, "6"},
        AfterEditCase{"FullPasteOfBlanksBecomesMinimum", 6, 40, "  ", kPaste, "6"},
        AfterEditCase{"FullTextReadUpToFirstOther", 0, 255, "25x", kPaste, std::nullopt},
        AfterEditCase{"FullMinusWrapsAboveMaximum", 0, 99, "-5", kPaste, "99"},
        AfterEditCase{"LongerThanLimitIsChecked", 0, 255, "1000", kPaste, "255"},
        // The widest field: ten digits can exceed 32 bits.
        AfterEditCase{"WidestAtMaximumStays", 0, 4294967295u, "4294967295", U'5', std::nullopt},
        AfterEditCase{"WidestPastThirtyTwoBits", 0, 4294967295u, "4294967296", U'6', "4294967295"},
        AfterEditCase{"WidestTenNines", 0, 4294967295u, "9999999999", U'9', "4294967295"},
        AfterEditCase{"TenDigitMaximumBelowLimit", 0, 3000000000u, "3000000001", U'1', "3000000000"},
        // A range given upside down: above the maximum wins.
        AfterEditCase{"InvertedRangeAboveMaximum", 50, 20, "30", U'0', "20"},
        AfterEditCase{"InvertedRangeBelowBoth", 50, 20, "10", U'0', "50"}),
    [](const auto& info) { return std::string(info.param.rule); });

// ------------------------------------------------------------ byte texts

struct ByteTextCase {
  const char* rule;
  std::size_t limit;
  std::size_t before;
  ByteTextAfterEdit after;
  ByteTextEdit verdict;
};
void PrintTo(const ByteTextCase& c, std::ostream* os) { *os << c.rule; }
class EditRulesByteText : public ::testing::TestWithParam<ByteTextCase> {};

TEST_P(EditRulesByteText, Judged) {
  EXPECT_EQ(judgeByteTextEdit(GetParam().limit, GetParam().before, GetParam().after), GetParam().verdict);
}

INSTANTIATE_TEST_SUITE_P(
    EditRules, EditRulesByteText,
    ::testing::Values(ByteTextCase{"UpToTheLimit", 32, 31, {32, true, false}, ByteTextEdit::Taken},
                      // 31 bytes and a two-byte character: it would be cut in half.
                      ByteTextCase{"DoubleByteOverTheLimit", 32, 31, {33, true, false}, ByteTextEdit::TooLong},
                      ByteTextCase{"LongerTextMayShrink", 32, 40, {39, true, false}, ByteTextEdit::Taken},
                      ByteTextCase{"LongerTextMayNotGrow", 32, 40, {41, true, false}, ByteTextEdit::TooLong},
                      ByteTextCase{"UnstorableIsRefused", 32, 3, {4, false, false}, ByteTextEdit::Unstorable},
                      ByteTextCase{"UnstorableBeforeTheLimit", 32, 32, {34, false, false},
                                   ByteTextEdit::Unstorable},
                      // Bytes that read as no character come back as they were.
                      ByteTextCase{"BackToTheOpenedText", 32, 0, {40, false, true}, ByteTextEdit::Taken}),
    [](const auto& info) { return std::string(info.param.rule); });

struct FitCase {
  const char* rule;
  std::size_t limit;
  std::size_t before;
  std::size_t outside;
  std::vector<std::size_t> inserted;
  std::size_t kept;
};
void PrintTo(const FitCase& c, std::ostream* os) { *os << c.rule; }
class EditRulesByteFit : public ::testing::TestWithParam<FitCase> {};

TEST_P(EditRulesByteFit, Kept) {
  const FitCase& c = GetParam();
  EXPECT_EQ(byteTextCharsThatFit(c.limit, c.before, c.outside, c.inserted), c.kept);
}

INSTANTIATE_TEST_SUITE_P(
    EditRules, EditRulesByteFit,
    ::testing::Values(FitCase{"AllFit", 32, 0, 0, {1, 2, 1}, 3},
                      FitCase{"StopsBeforeASplitCharacter", 32, 30, 30, {1, 2, 1}, 1},
                      FitCase{"NothingFitsInOneByteOfRoom", 32, 31, 31, {2, 2}, 0},
                      FitCase{"FullField", 32, 32, 32, {1}, 0},
                      FitCase{"ALongerTextKeepsItsOwnRoom", 32, 40, 38, {2, 1}, 1},
                      FitCase{"OutsideAlreadyPastTheLimit", 32, 0, 33, {1}, 0}),
    [](const auto& info) { return std::string(info.param.rule); });

TEST(EditRulesByteStore, OpenedBytesWhileTheOpenedTextIsShown) {
  // 0xED 0x40 and 0xFA 0x5C are one kanji; the code page writes it the second way.
  EXPECT_EQ(byteTextToStore("\xED\x40", true, "\xFA\x5C"), std::string("\xED\x40"));
  EXPECT_EQ(byteTextToStore("\xED\x40", false, "\xFA\x5C"), std::string("\xFA\x5C"));
}

}  // namespace
}  // namespace trennic
