#include "core/app/text_encoding.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace trennic {
namespace {

constexpr TextEncoding kSjis = TextEncoding::shiftJis();
constexpr TextEncoding kSingle = TextEncoding::singleByte();

struct LeadCase {
  const char* rule;
  unsigned char byte;
  bool lead;
};
void PrintTo(const LeadCase& c, std::ostream* os) { *os << c.rule; }

class LeadBytes : public ::testing::TestWithParam<LeadCase> {};

TEST_P(LeadBytes, ShiftJisRanges) { EXPECT_EQ(kSjis.isLeadByte(GetParam().byte), GetParam().lead); }

INSTANTIATE_TEST_SUITE_P(Rules, LeadBytes,
                         ::testing::Values(LeadCase{"AsciiIsSingle", 'A', false},
                                           LeadCase{"BackslashIsSingle", 0x5C, false},
                                           LeadCase{"Below81IsSingle", 0x80, false},
                                           LeadCase{"FirstRangeStart", 0x81, true},
                                           LeadCase{"FirstRangeEnd", 0x9F, true},
                                           LeadCase{"HalfWidthKanaIsSingle", 0xA0, false},
                                           LeadCase{"BeforeSecondRange", 0xDF, false},
                                           LeadCase{"SecondRangeStart", 0xE0, true},
                                           LeadCase{"SecondRangeEnd", 0xFC, true},
                                           LeadCase{"AboveFCIsSingle", 0xFD, false}),
                         [](const auto& info) { return std::string(info.param.rule); });

struct EndCase {
  const char* rule;
  std::string text;
  bool endsWithBackslash;
};
void PrintTo(const EndCase& c, std::ostream* os) { *os << c.rule; }

class EndsWith : public ::testing::TestWithParam<EndCase> {};

TEST_P(EndsWith, Backslash) { EXPECT_EQ(kSjis.endsWithChar(GetParam().text, '\\'), GetParam().endsWithBackslash); }

INSTANTIATE_TEST_SUITE_P(
    Rules, EndsWith,
    ::testing::Values(EndCase{"EmptyEndsWithNothing", "", false},
                      EndCase{"PlainBackslash", "C:\\dir\\", true},
                      EndCase{"PlainLetter", "C:\\dir", false},
                      // 0x95 0x5C is one character; its second byte is no separator.
                      EndCase{"TrailByteIsNotABackslash", "C:\\\x95\x5C", false},
                      EndCase{"BackslashAfterAPair", "\x95\x5C\\", true},
                      // 0x81 0x81 is a pair, so the 0x5C after it stands alone.
                      EndCase{"LeadByteAsSecondByteOfAPair", "\x81\x81\\", true},
                      EndCase{"LoneLeadByteAtTheEnd", "\\\x95", false}),
    [](const auto& info) { return std::string(info.param.rule); });

TEST(EndsWith, OtherCharacters) {
  EXPECT_TRUE(kSjis.endsWithChar("a/b/", '/'));
  EXPECT_FALSE(kSjis.endsWithChar("a/b", '/'));
  EXPECT_TRUE(kSjis.endsWithChar("x", 'x'));
}

struct SeparatorCase {
  const char* rule;
  std::string path;
  std::string expected;
};
void PrintTo(const SeparatorCase& c, std::ostream* os) { *os << c.rule; }

class TrailingSeparator : public ::testing::TestWithParam<SeparatorCase> {};

TEST_P(TrailingSeparator, Backslash) {
  EXPECT_EQ(kSjis.withTrailingSeparator(GetParam().path, '\\'), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, TrailingSeparator,
    ::testing::Values(SeparatorCase{"EmptyBecomesSeparator", "", "\\"},
                      SeparatorCase{"Appended", "C:\\dir", "C:\\dir\\"},
                      SeparatorCase{"NotDoubled", "C:\\dir\\", "C:\\dir\\"},
                      SeparatorCase{"SlashEndsAFolderToo", "C:/dir/", "C:/dir/"},
                      SeparatorCase{"SlashAfterPairEndingIn5C", "C:/\x95\x5C/", "C:/\x95\x5C/"},
                      SeparatorCase{"AppendedAfterPairEndingIn5C", "C:\\\x95\x5C", "C:\\\x95\x5C\\"},
                      SeparatorCase{"PairAloneGainsOne", "\x95\x5C", "\x95\x5C\\"}),
    [](const auto& info) { return std::string(info.param.rule); });

struct TruncateCase {
  const char* rule;
  std::string text;
  std::size_t maxBytes;
  std::string expected;
};
void PrintTo(const TruncateCase& c, std::ostream* os) { *os << c.rule; }

class Truncate : public ::testing::TestWithParam<TruncateCase> {};

TEST_P(Truncate, NeverSplitsAPair) {
  EXPECT_EQ(kSjis.truncate(GetParam().text, GetParam().maxBytes), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rules, Truncate,
                         ::testing::Values(TruncateCase{"ShortTextKept", "abc", 5, "abc"},
                                           TruncateCase{"ExactFitKept", "abc", 3, "abc"},
                                           TruncateCase{"AsciiCut", "abcdef", 4, "abcd"},
                                           TruncateCase{"PairAcrossCutDropped", "ab\x95\x5C" "cd", 3, "ab"},
                                           TruncateCase{"PairBeforeCutKept", "ab\x95\x5C" "cd", 4, "ab\x95\x5C"},
                                           TruncateCase{"ZeroKeepsNothing", "\x95\x5C", 0, ""},
                                           TruncateCase{"LoneLeadAtEndCountsOne", "ab\x95", 3, "ab\x95"}),
                         [](const auto& info) { return std::string(info.param.rule); });

TEST(UpperAscii, LettersOutsidePairsOnly) {
  EXPECT_EQ(kSjis.toUpperAscii("ab-cd"), "AB-CD");
  // 0x83 0x61 is a character whose second byte looks like 'a'.
  EXPECT_EQ(kSjis.toUpperAscii("a\x83\x61z"), "A\x83\x61Z");
  EXPECT_EQ(kSjis.toUpperAscii("0a-1b-\xE0\x7A"), "0A-1B-\xE0\x7A");
}

TEST(CharLength, PairsAndSingles) {
  EXPECT_EQ(kSjis.charLength("\x95\x5C", 0), 2u);
  EXPECT_EQ(kSjis.charLength("\x95\x5C", 1), 1u);
  EXPECT_EQ(kSjis.charLength("a", 0), 1u);
  EXPECT_EQ(kSjis.charLength("a\x95", 1), 1u);
}

// windows-1252 letters whose bytes fall in the Shift-JIS lead ranges: under a
// single-byte code page each is one character, even before a quote or a
// separator.
struct SingleCase {
  const char* rule;
  std::string letter;
};
void PrintTo(const SingleCase& c, std::ostream* os) { *os << c.rule; }

class SingleByte : public ::testing::TestWithParam<SingleCase> {};

TEST_P(SingleByte, EveryByteIsACharacter) {
  const std::string& l = GetParam().letter;
  EXPECT_FALSE(kSingle.isLeadByte(static_cast<unsigned char>(l[0])));
  EXPECT_TRUE(kSjis.isLeadByte(static_cast<unsigned char>(l[0])));
  EXPECT_EQ(kSingle.charLength(l + "\"", 0), 1u);
  EXPECT_TRUE(kSingle.endsWithChar("Caf" + l + "\\", '\\'));
  EXPECT_EQ(kSingle.withTrailingSeparator("Caf" + l + "/", '/'), "Caf" + l + "/");
  EXPECT_EQ(kSingle.truncate("Caf" + l + "x", 4), "Caf" + l);
  EXPECT_EQ(kSingle.toUpperAscii(l + "a"), l + "A");
  // The same bytes under Shift_JIS are what they always were there.
  EXPECT_EQ(kSjis.charLength(l + "\"", 0), 2u);
  EXPECT_FALSE(kSjis.endsWithChar("Caf" + l + "\\", '\\'));
  EXPECT_EQ(kSjis.truncate("Caf" + l + "x", 4), "Caf");
}

INSTANTIATE_TEST_SUITE_P(Windows1252, SingleByte,
                         ::testing::Values(SingleCase{"EAcute", "\xE9"}, SingleCase{"AGrave", "\xE0"},
                                           SingleCase{"UUmlaut", "\xFC"}, SingleCase{"CCedilla", "\xE7"},
                                           SingleCase{"RightQuote", "\x92"}, SingleCase{"EnDash", "\x96"}),
                         [](const auto& info) { return std::string(info.param.rule); });

// Files saved as "Unicode" text are read in the code page; without the
// front's conversion the core knows windows-1252, and ASCII under Shift_JIS.
TEST(Conversion, Windows1252BytesAndCharacters) {
  const CodePageConversion& c = kSingle.conversion();
  EXPECT_EQ(c.toUtf16("a\x80\x81\x92\x9F\xA0\xE9\xFF"), u"a\u20AC\u0081\u2019\u0178\u00A0\u00E9\u00FF");
  // A character outside the code page is one '?', however many units it takes.
  EXPECT_EQ(c.fromUtf16(u"a\u20AC\u00E9\u0100\U0001F600\xD800z\xDC00"), "a\x80\xE9???z?");
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    EXPECT_EQ(c.fromUtf16(c.toUtf16(byte)), byte) << b;
  }
}

TEST(Conversion, ShiftJisWithoutTheFrontsConversionKeepsAscii) {
  const CodePageConversion& c = kSjis.conversion();
  EXPECT_EQ(c.fromUtf16(u"[S]\u8868"), "[S]?");
  EXPECT_EQ(c.toUtf16("k=\x95"), u"k=?");
}

TEST(Conversion, TheFrontsConversionIsUsed) {
  struct Upper final : CodePageConversion {
    std::string fromUtf16(std::u16string_view) const override { return "from"; }
    std::u16string toUtf16(std::string_view) const override { return u"to"; }
  } upper;
  const TextEncoding e(ByteRule::ShiftJis, &upper);
  EXPECT_EQ(e.conversion().fromUtf16(u"x"), "from");
  EXPECT_EQ(e.conversion().toUtf16("x"), u"to");
  // The rule is what makes two encodings alike.
  EXPECT_EQ(e, kSjis);
  EXPECT_FALSE(e == kSingle);
}

TEST(SingleByte, NoByteLeads) {
  for (int c = 0; c < 256; ++c) EXPECT_FALSE(kSingle.isLeadByte(static_cast<unsigned char>(c))) << c;
}

}  // namespace
}  // namespace trennic
