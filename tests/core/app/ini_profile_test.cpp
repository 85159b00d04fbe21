#include "core/app/ini_profile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>

#include "support/temp_dir.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace trennic::ini {
namespace {

namespace fs = std::filesystem;
using trennic::testing::joinLines;
using trennic::testing::kNewFileEol;
using trennic::testing::readBytes;
using trennic::testing::TempDir;
using trennic::testing::writeBytes;

// ---------------------------------------------------------------- reading

struct ReadCase {
  const char* rule;
  std::string file;
  std::string section;
  std::string key;
  std::string expected;  // "<default>" when the caller's default must come back
  // The files of Japan's users are the harder case, so the rows are read
  // under Shift_JIS unless they say otherwise.
  TextEncoding encoding = TextEncoding::shiftJis();
};
void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.rule; }

class IniRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(IniRead, GetString) {
  const ReadCase& c = GetParam();
  TempDir dir;
  std::string path = dir.file("read.ini");
  writeBytes(path, c.file);
  EXPECT_EQ(getProfileString(path, c.section, c.key, "<default>", kValueBuffer, c.encoding), c.expected);
}

constexpr TextEncoding kSingle = TextEncoding::singleByte();
const std::string kLongValue(253, 'x');
const std::u16string kLongWide(253, u'x');

// The bytes a Windows editor saves as "Unicode" text: UTF-16LE after its mark.
std::string utf16le(std::u16string_view text) {
  std::string out = "\xFF\xFE";
  for (char16_t c : text) {
    out.push_back(static_cast<char>(c & 0xFF));
    out.push_back(static_cast<char>(c >> 8));
  }
  return out;
}

// A few characters of Shift_JIS, the way the front's conversion gives them:
// U+30BE ends in the byte of ']', U+8868 in that of a backslash.
class FewShiftJis final : public CodePageConversion {
 public:
  std::string fromUtf16(std::u16string_view text) const override {
    std::string out;
    for (char16_t c : text) {
      if (c < 0x80) {
        out.push_back(static_cast<char>(c));
      } else if (const char* pair = pairOf(c)) {
        out += pair;
      } else {
        out.push_back('?');
      }
    }
    return out;
  }
  std::u16string toUtf16(std::string_view bytes) const override {
    std::u16string out;
    for (std::size_t i = 0; i < bytes.size();) {
      std::size_t n = TextEncoding::shiftJis().charLength(bytes, i);
      char16_t c = static_cast<unsigned char>(bytes[i]) < 0x80 ? char16_t(bytes[i]) : u'?';
      for (const auto& [wide, pair] : kChars)
        if (bytes.substr(i, n) == pair) c = wide;
      out.push_back(c);
      i += n;
    }
    return out;
  }

 private:
  static constexpr std::pair<char16_t, std::string_view> kChars[] = {{u'\u30BE', "\x83\x5D"}, {u'\u8868', "\x95\x5C"}};
  static const char* pairOf(char16_t c) {
    for (const auto& [wide, pair] : kChars)
      if (wide == c) return pair.data();
    return nullptr;
  }
};
const FewShiftJis kFewShiftJis;
const TextEncoding kSjisOfTheFront(ByteRule::ShiftJis, &kFewShiftJis);

INSTANTIATE_TEST_SUITE_P(
    Rules, IniRead,
    ::testing::Values(
        ReadCase{"SectionNameIgnoresCase", "[Environment]\nKey=v\n", "ENVIRONMENT", "Key", "v"},
        ReadCase{"KeyNameIgnoresCase", "[S]\nScanTime=5\n", "s", "SCANTIME", "5"},
        // 0x83 0x61 and 0x83 0x41 are two different characters, though the
        // trail bytes look like 'a' and 'A'.
        ReadCase{"SectionTrailByteNotFolded", "[\x83\x61]\nk=v\n", "\x83\x41", "k", "<default>"},
        ReadCase{"SectionTrailByteMatchedExactly", "[\x83\x61]\nk=v\n", "\x83\x61", "k", "v"},
        ReadCase{"KeyTrailByteNotFolded", "[S]\n\x83\x61=v\n", "S", "\x83\x41", "<default>"},
        ReadCase{"KeyTrailByteMatchedExactly", "[S]\nx\x83\x61=v\n", "s", "X\x83\x61", "v"},
        // 0x83 0x5D is one character whose second byte is ']'.
        ReadCase{"SectionNameMayHoldTrailByteOfCloseBracket", "[\x83\x5D]\nk=v\n", "\x83\x5D", "k", "v"},
        ReadCase{"MissingKeyGivesDefault", "[S]\nother=v\n", "S", "k", "<default>"},
        ReadCase{"MissingSectionGivesDefault", "[T]\nk=v\n", "S", "k", "<default>"},
        ReadCase{"MissingFileGivesDefault", "", "S", "k", "<default>"},
        ReadCase{"EmptyValueIsNotMissing", "[S]\nk=\n", "S", "k", ""},
        ReadCase{"BlanksAroundKeyAndValueIgnored", "[S]\n  k \t=  two words \t\n", "S", "k", "two words"},
        ReadCase{"EnclosingQuotesRemoved", "[S]\nk=\" padded \"\n", "S", "k", " padded "},
        ReadCase{"OnlyOnePairOfQuotesRemoved", "[S]\nk=\"\"x\"\"\n", "S", "k", "\"x\""},
        ReadCase{"UnpairedQuoteKept", "[S]\nk=\"open\n", "S", "k", "\"open"},
        ReadCase{"InnerQuotesKept", "[S]\nk=a\"b\"c\n", "S", "k", "a\"b\"c"},
        ReadCase{"EnclosingSingleQuotesRemoved", "[S]\nESSID='single'\n", "S", "essid", "single"},
        ReadCase{"OnlyOnePairOfSingleQuotesRemoved", "[S]\nk=''x''\n", "S", "k", "'x'"},
        ReadCase{"QuotesOfTwoKindsKept", "[S]\nk='x\"\n", "S", "k", "'x\""},
        ReadCase{"LoneQuoteKept", "[S]\nk='\n", "S", "k", "'"},
        ReadCase{"CrLfFileRead", "[S]\r\nk=v\r\nj=w\r\n", "S", "k", "v"},
        ReadCase{"LfFileRead", "[S]\nk=v\nj=w\n", "S", "j", "w"},
        ReadCase{"LastLineWithoutLineEnd", "[S]\nk=v", "S", "k", "v"},
        // CR LF written through a text-mode stream, as Windows scripts do.
        ReadCase{"CrCrLfFileKeepsNoQuotes", "[S]\r\r\nk=\"v\"\r\r\nj=w\r\r\n", "S", "k", "v"},
        ReadCase{"CrCrLfFileReadToTheEnd", "[S]\r\r\nk=\"v\"\r\r\nj='w'\r\r\n", "S", "j", "w"},
        ReadCase{"LoneCrFileRead", "[S]\rk=v\rj=\"w\"\r", "S", "j", "w"},
        ReadCase{"LoneCrEndsAValue", "[S]\nk=first\rj=w\n", "S", "k", "first"},
        ReadCase{"LineAfterALoneCrIsALine", "[S]\nk=first\rj=w\n", "S", "j", "w"},
        ReadCase{"NoValueKeepsATrailingCr", "[S]\nk=\"v\" \r", "S", "k", "v"},
        ReadCase{"BlankLinesOfLoneCrs", "[S]\r\r\rk=v\r\r", "S", "k", "v"},
        ReadCase{"CommentIsNotAKey", "[S]\n;k=v\n", "S", "k", "<default>"},
        ReadCase{"KeyBeforeAnySectionBelongsToNone", "k=v\n[S]\n", "S", "k", "<default>"},
        ReadCase{"SectionEndsAtNextHeader", "[A]\n[B]\nk=v\n", "A", "k", "<default>"},
        ReadCase{"FirstOfTwoEqualKeysWins", "[S]\nk=1\nK=2\n", "S", "k", "1"},
        ReadCase{"EqualsSignInValueKept", "[S]\nk=a=b\n", "S", "k", "a=b"},
        ReadCase{"ShiftJisValuePassesThrough", "[S]\nk=\x95\x5C\x83\x5C\x83\x41\n", "S", "k", "\x95\x5C\x83\x5C\x83\x41"},
        ReadCase{"Utf8MarkBeforeFirstSectionIgnored", "\xEF\xBB\xBF[S]\nk=v\n", "S", "k", "v"},
        // Under windows-1252 "\xE9" is "é", a letter of its own: it closes no
        // pair with the bracket after it, the letter after it still folds, and
        // it fits the last byte of the buffer.
        ReadCase{"SingleByteSectionEndingInLeadRangeByte", "[Caf\xE9]\nk=v\n", "Caf\xE9", "k", "v", kSingle},
        ReadCase{"SingleByteSectionsStillEndAtTheNext", "[Caf\xE9]\n[S]\nk=v\n", "Caf\xE9", "k", "<default>", kSingle},
        ReadCase{"SingleByteLetterAfterLeadRangeByteFolds", "[S]\nCaf\xE9s=v\n", "S", "CAF\xE9S", "v", kSingle},
        ReadCase{"SingleByteValueKeepsLastByte", "[S]\nk=" + kLongValue + "\xE9!\n", "S", "k", kLongValue + "\xE9",
                 kSingle},
        // Saved by a Windows editor as "Unicode" text: read in the code page in
        // use, by its rules.
        ReadCase{"Utf16FileRead", utf16le(u"[S]\r\nk=\"v\"\r\nj=w\r\n"), "S", "k", "v"},
        ReadCase{"Utf16FileWithLoneCrs", utf16le(u"[S]\rk=v\rj='w'\r"), "S", "j", "w"},
        ReadCase{"Utf16SingleByteSectionAndLastByte",
                 utf16le(u"[Caf\u00E9]\r\nk=" + kLongWide + u"\u00E9!\r\n"), "Caf\xE9", "k", kLongValue + "\xE9",
                 kSingle},
        ReadCase{"Utf16Windows1252Punctuation", utf16le(u"[S]\nk=\u2019\u20AC\u2013\n"), "S", "k", "\x92\x80\x96",
                 kSingle},
        ReadCase{"Utf16CharacterOutsideTheCodePageIsAQuestionMark", utf16le(u"[S]\nk=a\u8868\U0001F600b\n"), "S",
                 "k", "a??b", kSingle},
        ReadCase{"Utf16ShiftJisSectionEndingInBracketByte", utf16le(u"[\u30BE]\nk=\u8868\n"), "\x83\x5D", "k",
                 "\x95\x5C", kSjisOfTheFront},
        ReadCase{"Utf16ShiftJisValueDropsSplitPair", utf16le(u"[S]\nk=" + kLongWide + u"\u8868\n"), "S", "k",
                 kLongValue, kSjisOfTheFront},
        ReadCase{"Utf16MarkAloneIsAnEmptyFile", utf16le(u""), "S", "k", "<default>"},
        ReadCase{"ShiftJisSectionNameSwallowsBracket", "[Caf\xE9]\nk=v\n", "Caf\xE9", "k", "<default>"},
        ReadCase{"ShiftJisValueDropsSplitPair", "[S]\nk=" + kLongValue + "\xE9!\n", "S", "k", kLongValue}),
    [](const auto& info) { return std::string(info.param.rule); });

// -------------------------------------------------------------- truncation

struct CutCase {
  const char* rule;
  std::string value;
  std::size_t bufferSize;
  std::string expected;
};
void PrintTo(const CutCase& c, std::ostream* os) { *os << c.rule; }

class IniCut : public ::testing::TestWithParam<CutCase> {};

TEST_P(IniCut, ValueFitsCallersBuffer) {
  const CutCase& c = GetParam();
  Profile p(TextEncoding::shiftJis());
  p.setString("S", "k", c.value);
  EXPECT_EQ(p.getString("S", "k", "", c.bufferSize), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, IniCut,
    ::testing::Values(
        CutCase{"ValueBufferHolds254Bytes", std::string(254, 'a'), kValueBuffer, std::string(254, 'a')},
        CutCase{"ValueBufferCutsThe255th", std::string(255, 'a'), kValueBuffer, std::string(254, 'a')},
        CutCase{"PathBufferHolds259Bytes", std::string(300, 'p'), kPathBuffer, std::string(259, 'p')},
        // A pair that would straddle the cut is dropped whole, never halved.
        CutCase{"PairAtTheCutIsDroppedWhole", std::string(253, 'a') + "\x95\x5C" + "tail", kValueBuffer,
                std::string(253, 'a')},
        CutCase{"PairEndingAtTheCutIsKept", std::string(252, 'a') + "\x95\x5C" + "tail", kValueBuffer,
                std::string(252, 'a') + "\x95\x5C"},
        CutCase{"BufferOfOneHoldsNothing", "abc", 1, ""}),
    [](const auto& info) { return std::string(info.param.rule); });

TEST(IniCut, DefaultIsCutLikeAValue) {
  Profile p;
  EXPECT_EQ(p.getString("S", "missing", std::string(300, 'd'), kPathBuffer), std::string(259, 'd'));
}

// ------------------------------------------------------------------ getInt

struct IntCase {
  const char* rule;
  std::string file;
  int expected;  // with default 77
};
void PrintTo(const IntCase& c, std::ostream* os) { *os << c.rule; }

class IniInt : public ::testing::TestWithParam<IntCase> {};

TEST_P(IniInt, GetInt) {
  const IntCase& c = GetParam();
  TempDir dir;
  std::string path = dir.file("int.ini");
  writeBytes(path, c.file);
  EXPECT_EQ(getProfileInt(path, "S", "n", 77), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Rules, IniInt,
                         ::testing::Values(IntCase{"MissingKeyGivesDefault", "[S]\n", 77},
                                           IntCase{"EmptyValueGivesDefault", "[S]\nn=\n", 77},
                                           IntCase{"MinusOneReadsAsMinusOne", "[S]\nn=-1\n", -1},
                                           IntCase{"NoDigitsReadAsZero", "[S]\nn=abc\n", 0},
                                           IntCase{"LeadingDigitsCount", "[S]\nn=12x\n", 12},
                                           IntCase{"PlainNumber", "[S]\nn=1500\n", 1500},
                                           IntCase{"QuotedNumber", "[S]\nn=\"8\"\n", 8},
                                           IntCase{"KeyComparedWithoutCase", "[s]\nN=3\n", 3}),
                         [](const auto& info) { return std::string(info.param.rule); });

// ----------------------------------------------------------------- writing

class IniWrite : public ::testing::Test {
 protected:
  TempDir dir;
  std::string path = dir.file("profile.ini");
};

TEST_F(IniWrite, CreatesFileAndSection) {
  ASSERT_TRUE(writeProfileString(path, "NodeList", "Entry1", "0,00-11-22-33-44-55"));
  EXPECT_EQ(readBytes(path), joinLines({"[NodeList]", "Entry1=0,00-11-22-33-44-55"}));
}

TEST_F(IniWrite, KeepsOtherSectionsKeysCommentsAndOrder) {
  std::string before =
      "; settings of the tool\n"
      "[Environment]\n"
      "DispSave=1\n"
      "  ; window placement follows\n"
      "RegWinX = 100\n"
      "TopWin=0\n"
      "\n"
      "[NodeList]\n"
      "Entry1=1,00-11-22-33-44-55,10.0.0.1,\"a\",1.00\n";
  writeBytes(path, before);
  ASSERT_TRUE(writeProfileString(path, "environment", "regwinx", "250"));
  std::string after = readBytes(path);
  std::string expected = before;
  expected.replace(expected.find("RegWinX = 100"), 13, "RegWinX=250");
  EXPECT_EQ(after, expected);
}

TEST_F(IniWrite, ReplacedKeyKeepsItsPosition) {
  writeBytes(path, "[S]\na=1\nb=2\nc=3\n");
  ASSERT_TRUE(writeProfileString(path, "S", "b", "20"));
  EXPECT_EQ(readBytes(path), "[S]\na=1\nb=20\nc=3\n");
}

TEST_F(IniWrite, NewKeyGoesBehindLastNonBlankLineOfItsSection) {
  writeBytes(path, "[A]\na=1\n; note\n\n\n[B]\nb=1\n");
  ASSERT_TRUE(writeProfileString(path, "A", "c", "3"));
  EXPECT_EQ(readBytes(path), "[A]\na=1\n; note\nc=3\n\n\n[B]\nb=1\n");
}

TEST_F(IniWrite, NewKeyInLastSectionGoesAtTheEnd) {
  writeBytes(path, "[A]\na=1\n[B]\nb=1");
  ASSERT_TRUE(writeProfileString(path, "B", "c", "3"));
  EXPECT_EQ(getProfileString(path, "B", "b", ""), "1");
  EXPECT_EQ(readBytes(path), "[A]\na=1\n[B]\nb=1\nc=3\n");
}

TEST_F(IniWrite, NewSectionIsAddedAfterEverythingElse) {
  writeBytes(path, "[A]\na=1\n");
  ASSERT_TRUE(writeProfileString(path, "B", "b", "2"));
  std::string text = readBytes(path);
  EXPECT_EQ(text.rfind("[A]\na=1\n", 0), 0u) << text;
  EXPECT_LT(text.find("[A]"), text.find("[B]\nb=2\n"));
  EXPECT_EQ(getProfileString(path, "A", "a", ""), "1");
  EXPECT_EQ(getProfileString(path, "B", "b", ""), "2");
}

struct EolCase {
  const char* rule;
  std::string eol;
};
void PrintTo(const EolCase& c, std::ostream* os) { *os << c.rule; }

class IniLineEnds : public ::testing::TestWithParam<EolCase> {};

TEST_P(IniLineEnds, WritingKeepsTheFilesLineEnds) {
  const std::string& eol = GetParam().eol;
  TempDir dir;
  std::string path = dir.file("eol.ini");
  writeBytes(path, "[A]" + eol + "a=1" + eol + eol + "[B]" + eol + "b=1" + eol);
  ASSERT_TRUE(writeProfileString(path, "A", "a", "2"));
  ASSERT_TRUE(writeProfileString(path, "A", "new", "3"));
  ASSERT_TRUE(writeProfileString(path, "C", "c", "4"));
  std::string text = readBytes(path);
  EXPECT_EQ(text.rfind("[A]" + eol + "a=2" + eol + "new=3" + eol + eol + "[B]" + eol + "b=1" + eol, 0), 0u);
  // Every line end in the file is of the one kind.
  std::string rest;
  for (std::size_t i = 0; i < text.size();) {
    if (text.compare(i, eol.size(), eol) == 0) {
      i += eol.size();
    } else {
      rest += text[i++];
    }
  }
  EXPECT_EQ(rest.find_first_of("\r\n"), std::string::npos) << text;
  EXPECT_EQ(getProfileString(path, "C", "c", ""), "4");
}

INSTANTIATE_TEST_SUITE_P(Rules, IniLineEnds,
                         ::testing::Values(EolCase{"CrLf", "\r\n"}, EolCase{"Lf", "\n"}, EolCase{"Cr", "\r"},
                                           EolCase{"CrCrLf", "\r\r\n"}),
                         [](const auto& info) { return std::string(info.param.rule); });

TEST_F(IniWrite, FileThatIsOnlyReadSavesByteForByte) {
  std::string original = "; c\r\n[A]\r\n  a = \"x\" \r\n\r\nfree text line\r\n[B]\r\nb=\x95\x5C\r\n";
  writeBytes(path, original);
  Profile p = Profile::load(path);
  EXPECT_EQ(p.state(), LoadState::Loaded);
  EXPECT_EQ(p.text(), original);
  ASSERT_TRUE(p.save(path));
  EXPECT_EQ(readBytes(path), original);
}

// Each line keeps the end it came with, whatever the others have.
TEST_F(IniWrite, MixedLineEndsSaveByteForByte) {
  std::string original = "[A]\r\r\na=1\rb=2\r\n\n\r\r[B]\nb=\"x\"\r";
  writeBytes(path, original);
  Profile p = Profile::load(path);
  EXPECT_EQ(p.text(), original);
  EXPECT_EQ(p.getString("A", "b", ""), "2");
  EXPECT_EQ(p.getString("B", "b", ""), "x");
  p.setString("A", "b", "3");
  EXPECT_EQ(p.text(), "[A]\r\r\na=1\rb=3\r\n\n\r\r[B]\nb=\"x\"\r");
}

TEST_F(IniWrite, Utf8MarkIsKeptAndDoesNotHideTheFirstSection) {
  writeBytes(path, "\xEF\xBB\xBF[A]\na=1\n");
  EXPECT_EQ(getProfileString(path, "A", "a", ""), "1");
  ASSERT_TRUE(writeProfileString(path, "A", "b", "2"));
  EXPECT_EQ(readBytes(path), "\xEF\xBB\xBF[A]\na=1\nb=2\n");
}

TEST_F(IniWrite, Utf16FileSavesByteForByte) {
  const std::string original = utf16le(u"; \u65E5\u672C\r\n[A]\r\n  a = \"x\" \r\n\r\n[B]\rb=\u8868\U0001F600\n");
  writeBytes(path, original);
  Profile p = Profile::load(path, kSingle);
  EXPECT_EQ(p.getString("B", "b", ""), "??");
  EXPECT_EQ(p.text(), original);
  ASSERT_TRUE(p.save(path));
  EXPECT_EQ(readBytes(path), original);
}

// A write keeps the file "Unicode" text, and every line it does not change
// keeps the characters the code page has no bytes for.
TEST_F(IniWrite, WriteIntoUtf16FileKeepsItsEncoding) {
  writeBytes(path, utf16le(u"; \u65E5\u672C\r\n[S]\r\nk=1\r\nkeep=\u65E5\r\n"));
  ASSERT_TRUE(writeProfileString(path, "S", "k", "Caf\xE9", kSingle));
  ASSERT_TRUE(writeProfileString(path, "S", "new", "\x80", kSingle));
  ASSERT_TRUE(writeProfileString(path, "T", "t", "3", kSingle));
  EXPECT_EQ(readBytes(path),
            utf16le(u"; \u65E5\u672C\r\n[S]\r\nk=Caf\u00E9\r\nkeep=\u65E5\r\nnew=\u20AC\r\n\r\n[T]\r\nt=3\r\n"));
  EXPECT_EQ(getProfileString(path, "S", "k", "", kValueBuffer, kSingle), "Caf\xE9");
  ASSERT_TRUE(deleteProfileKey(path, "S", "new", kSingle));
  EXPECT_EQ(readBytes(path), utf16le(u"; \u65E5\u672C\r\n[S]\r\nk=Caf\u00E9\r\nkeep=\u65E5\r\n\r\n[T]\r\nt=3\r\n"));

  // Under Shift_JIS the front's conversion makes the characters.
  writeBytes(path, utf16le(u"[\u30BE]\n"));
  ASSERT_TRUE(writeProfileString(path, "\x83\x5D", "k", "\x95\x5C\x83\x5D", kSjisOfTheFront));
  EXPECT_EQ(readBytes(path), utf16le(u"[\u30BE]\nk=\u8868\u30BE\n"));
}

TEST_F(IniWrite, DeletingAKeyRemovesOnlyItsLine) {
  writeBytes(path, "[A]\nk=1\nj=2\n[B]\nk=3\n");
  ASSERT_TRUE(deleteProfileKey(path, "a", "K"));
  EXPECT_EQ(readBytes(path), "[A]\nj=2\n[B]\nk=3\n");
  EXPECT_EQ(getProfileString(path, "A", "k", "gone"), "gone");
}

TEST_F(IniWrite, DeletingAMissingKeyChangesNothing) {
  std::string before = "[A]\r\nk=1\r\n";
  writeBytes(path, before);
  ASSERT_TRUE(deleteProfileKey(path, "A", "absent"));
  ASSERT_TRUE(deleteProfileKey(path, "Absent", "k"));
  EXPECT_EQ(readBytes(path), before);
}

TEST_F(IniWrite, DeletingAKeyOfAMissingFileCreatesNothing) {
  EXPECT_TRUE(deleteProfileKey(path, "A", "k"));
  EXPECT_FALSE(fs::exists(path));
}

TEST_F(IniWrite, DeletingAFile) {
  writeBytes(path, "[A]\nk=1\n");
  EXPECT_TRUE(deleteProfileFile(path));
  EXPECT_FALSE(fs::exists(path));
  EXPECT_TRUE(deleteProfileFile(path)) << "a file that is already gone is no failure";
}

TEST_F(IniWrite, DeletingAFileLeavesAFolderOfThatName) {
  fs::create_directory(path);
  EXPECT_FALSE(deleteProfileFile(path));
  EXPECT_TRUE(fs::is_directory(path));
}

struct InjectCase {
  const char* rule;
  std::string key;
  std::string value;
};
void PrintTo(const InjectCase& c, std::ostream* os) { *os << c.rule; }

class IniInjection : public ::testing::TestWithParam<InjectCase> {};

TEST_P(IniInjection, LineBreakCannotAddLines) {
  const InjectCase& c = GetParam();
  TempDir dir;
  std::string path = dir.file("inject.ini");
  writeBytes(path, "[S]\nkeep=1\n");
  ASSERT_TRUE(writeProfileString(path, "S", c.key, c.value));
  Profile p = Profile::load(path);
  EXPECT_FALSE(p.hasSection("Evil"));
  EXPECT_EQ(p.keys("S"), (std::vector<std::string>{"keep", "k"}));
  EXPECT_EQ(p.getString("S", "k", "<none>"), "first");
  EXPECT_EQ(p.getString("S", "x", "<none>"), "<none>");
}

INSTANTIATE_TEST_SUITE_P(Rules, IniInjection,
                         ::testing::Values(InjectCase{"LfInValue", "k", "first\n[Evil]\nx=1"},
                                           InjectCase{"CrLfInValue", "k", "first\r\n[Evil]\r\nx=1"},
                                           InjectCase{"CrInValue", "k", "first\r[Evil]\rx=1"},
                                           InjectCase{"LfInKey", "k\n[Evil]\nx", "first"}),
                         [](const auto& info) { return std::string(info.param.rule); });

// Texts the reader would change (blanks it trims, a pair of quotes it takes
// off) go into the file quoted, and come back as they were; others are
// written bare.
TEST_F(IniWrite, QuotedWhereNeededReadsBackAsWritten) {
  struct Case {
    std::string text;
    bool quoted;
  } cases[] = {{"plain.bin", false}, {"", false},          {"a \"b\" c", false}, {"'", false},
               {"'fw.bin'", true},   {"\"fw.bin\"", true}, {" lead", true},        {"trail\t", true},
               {"''", true}};
  for (const auto& c : cases) {
    ASSERT_TRUE(writeProfileString(path, "S", "k", quotedWhereNeeded(c.text)));
    EXPECT_EQ(getProfileString(path, "S", "k", "<none>"), c.text);
    EXPECT_EQ(readBytes(path), joinLines({"[S]", "k=" + (c.quoted ? "\"" + c.text + "\"" : c.text)})) << c.text;
  }
}

// What was read, written back and read again is what was read first: the
// reader ends a value where the writer cuts it.
struct RoundTripCase {
  const char* rule;
  std::string file;
};
void PrintTo(const RoundTripCase& c, std::ostream* os) { *os << c.rule; }

class IniRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(IniRoundTrip, ReadWriteReadGivesTheFirstRead) {
  TempDir dir;
  std::string path = dir.file("round.ini");
  writeBytes(path, GetParam().file);
  auto readAll = [&] {
    Profile p = Profile::load(path);
    std::vector<std::pair<std::string, std::string>> out;
    for (const auto& k : p.keys("S")) out.emplace_back(k, p.getString("S", k, "<none>"));
    return out;
  };
  const auto first = readAll();
  ASSERT_FALSE(first.empty());
  Profile p = Profile::load(path);
  for (const auto& [k, v] : first) p.setString("S", k, v);
  p.setString("S", "added", "1");
  ASSERT_TRUE(p.save(path));
  auto again = readAll();
  ASSERT_EQ(again.back(), (std::pair<std::string, std::string>{"added", "1"}));
  again.pop_back();
  EXPECT_EQ(again, first);
  // And a copy into a new file reads the same.
  Profile copy;
  for (const auto& [k, v] : first) copy.setString("S", k, v);
  ASSERT_TRUE(copy.save(path));
  EXPECT_EQ(readAll(), first);
}

INSTANTIATE_TEST_SUITE_P(Rules, IniRoundTrip,
                         ::testing::Values(RoundTripCase{"LoneCrInsideAValue", "[S]\nk=first\rsecond=2\nj=w\n"},
                                           RoundTripCase{"LoneCrFile", "[S]\rk=v\rj=w"},
                                           RoundTripCase{"CrCrLfFile", "[S]\r\r\nk=\"v\"\r\r\nj=w\r\r\n"},
                                           RoundTripCase{"CrAtTheVeryEnd", "[S]\nk=v\r"}),
                         [](const auto& info) { return std::string(info.param.rule); });

TEST_F(IniWrite, ShiftJisBytesPassThroughUntouched) {
  // Pairs whose second byte is '[', a backslash or ']' are text, never syntax,
  // and their bytes reach the file and come back unchanged.
  const std::string section = "\x83\x5D\x95\x5C";
  const std::string value = "\x95\x5C\x83\x5B\x83\x5D\x8E\x9F\xE0\x40";
  const TextEncoding sjis = TextEncoding::shiftJis();
  ASSERT_TRUE(writeProfileString(path, section, "\x83\x41", value, sjis));
  ASSERT_TRUE(writeProfileString(path, section, "\x83\x61", "second", sjis));
  EXPECT_EQ(readBytes(path), joinLines({"[" + section + "]", "\x83\x41=" + value, "\x83\x61=second"}));
  EXPECT_EQ(getProfileString(path, section, "\x83\x41", "", kValueBuffer, sjis), value);
  EXPECT_EQ(getProfileString(path, section, "\x83\x61", "", kValueBuffer, sjis), "second");
}

// Sections and keys named in windows-1252 with a letter from the Shift-JIS
// lead ranges last: each write finds what the one before wrote.
TEST_F(IniWrite, SingleByteNamesEndingInAnyLetterAreFoundAgain) {
  const TextEncoding single = TextEncoding::singleByte();
  for (const std::string letter : {"\xE9", "\xE0", "\xFC", "\xE7", "\x92", "\x96"}) {
    const std::string section = "Caf" + letter, key = "Entr" + letter;
    fs::remove(path);
    ASSERT_TRUE(writeProfileString(path, section, key, "1", single));
    ASSERT_TRUE(writeProfileString(path, section, key, "2" + letter, single));
    ASSERT_TRUE(writeProfileString(path, "Next", "k", "3", single));
    EXPECT_EQ(readBytes(path), joinLines({"[" + section + "]", key + "=2" + letter, "", "[Next]", "k=3"}));
    EXPECT_EQ(getProfileString(path, section, key, "", kValueBuffer, single), "2" + letter);
    EXPECT_EQ(Profile::load(path, single).keys(section), std::vector<std::string>{key});
  }
}

// ----------------------------------------------------------- atomic saves

TEST_F(IniWrite, SaveLeavesNoTemporaryFileBehind) {
  writeBytes(path, "[A]\na=1\n");
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(writeProfileString(path, "A", "n", std::to_string(i)));
  ASSERT_TRUE(deleteProfileKey(path, "A", "a"));
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"profile.ini"}));
  EXPECT_EQ(readBytes(path), "[A]\nn=4\n");
}

TEST_F(IniWrite, SaveIntoMissingFolderFailsAndCreatesNothing) {
  std::string nowhere = dir.file("no-such-folder/profile.ini");
  EXPECT_FALSE(writeProfileString(nowhere, "A", "a", "1"));
  EXPECT_TRUE(dir.entries().empty());
}

TEST_F(IniWrite, FolderInThePlaceOfTheFileIsNotReplaced) {
  fs::create_directory(path);
  Profile p = Profile::load(path);
  EXPECT_EQ(p.state(), LoadState::Unreadable);
  EXPECT_FALSE(p.save(path));
  EXPECT_FALSE(writeProfileString(path, "A", "a", "1"));
  EXPECT_FALSE(deleteProfileKey(path, "A", "a"));
  EXPECT_TRUE(fs::is_directory(path));
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"profile.ini"}));
}

// Links need a system (and, on Windows, a right) that makes them.
bool makeLink(const std::string& target, const std::string& link) {
  std::error_code e;
  fs::create_symlink(target, link, e);
  return !e;
}

TEST_F(IniWrite, LinkLoopInThePlaceOfTheFileIsNotReplaced) {
  std::string other = dir.file("other.ini");
  if (!makeLink("other.ini", path) || !makeLink("profile.ini", other)) GTEST_SKIP() << "no symbolic links here";
  Profile p = Profile::load(path);
  EXPECT_EQ(p.state(), LoadState::Unreadable);
  EXPECT_FALSE(writeProfileString(path, "A", "a", "1"));
  EXPECT_TRUE(fs::is_symlink(path));
  EXPECT_TRUE(fs::is_symlink(other));
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"other.ini", "profile.ini"}));
}

TEST_F(IniWrite, FileReachedThroughALinkIsWrittenAndTheLinkKept) {
  std::string real = dir.file("real.ini");
  writeBytes(real, "[A]\na=1\n");
  if (!makeLink("real.ini", path)) GTEST_SKIP() << "no symbolic links here";
  ASSERT_TRUE(writeProfileString(path, "A", "b", "2"));
  EXPECT_TRUE(fs::is_symlink(path));
  EXPECT_EQ(readBytes(real), "[A]\na=1\nb=2\n");
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"profile.ini", "real.ini"}));
}

#ifndef _WIN32
TEST_F(IniWrite, PipeInThePlaceOfTheFileIsNotReplaced) {
  ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
  EXPECT_EQ(Profile::load(path).state(), LoadState::Unreadable);
  EXPECT_FALSE(writeProfileString(path, "A", "a", "1"));
  EXPECT_TRUE(fs::is_fifo(path));
}

TEST_F(IniWrite, FileWithoutReadPermissionIsNotReplaced) {
  writeBytes(path, "[A]\na=1\n");
  fs::permissions(path, fs::perms::none);
  if (std::ifstream(path)) GTEST_SKIP() << "this user reads files without read permission";
  EXPECT_EQ(Profile::load(path).state(), LoadState::Unreadable);
  EXPECT_FALSE(writeProfileString(path, "A", "b", "2"));
  fs::permissions(path, fs::perms::owner_read);
  EXPECT_EQ(readBytes(path), "[A]\na=1\n");
}

TEST_F(IniWrite, ReadOnlyFileIsNotReplaced) {
  writeBytes(path, "[A]\na=1\n");
  fs::permissions(path, fs::perms::owner_read | fs::perms::group_read);
  EXPECT_FALSE(writeProfileString(path, "A", "a", "2"));
  EXPECT_EQ(readBytes(path), "[A]\na=1\n");
}

TEST_F(IniWrite, SaveKeepsTheFilesPermissions) {
  writeBytes(path, "[A]\na=1\n");
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
  ASSERT_TRUE(writeProfileString(path, "A", "a", "2"));
  EXPECT_EQ(fs::status(path).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
}
#endif

// --------------------------------------------------------------- in memory

TEST(IniProfile, MissingFileLoadsEmptyAndWritable) {
  TempDir dir;
  Profile p = Profile::load(dir.file("absent.ini"));
  EXPECT_EQ(p.state(), LoadState::Missing);
  EXPECT_FALSE(p.hasSection("A"));
  EXPECT_TRUE(p.keys("A").empty());
  p.setString("A", "a", "1");
  ASSERT_TRUE(p.save(dir.file("absent.ini")));
  EXPECT_EQ(getProfileString(dir.file("absent.ini"), "A", "a", ""), "1");
}

TEST(IniProfile, RemoveSectionTakesItsKeysAndKeepsTheRest) {
  Profile p;
  p.setString("A", "a", "1");
  p.setString("B", "b", "2");
  p.setString("C", "c", "3");
  p.removeSection("b");
  EXPECT_FALSE(p.hasSection("B"));
  EXPECT_EQ(p.getString("A", "a", ""), "1");
  EXPECT_EQ(p.getString("C", "c", ""), "3");
}

TEST(IniProfile, EnsureSectionAddsAnEmptySectionOnce) {
  TempDir dir;
  std::string path = dir.file("list.txt");
  writeBytes(path, "[Other]\r\nk=1\r\n");
  Profile p = Profile::load(path);
  p.ensureSection("NodeList");
  p.ensureSection("nodelist");
  p.ensureSection("other");
  EXPECT_TRUE(p.hasSection("NodeList"));
  EXPECT_TRUE(p.keys("NodeList").empty());
  ASSERT_TRUE(p.save(path));
  EXPECT_EQ(readBytes(path), "[Other]\r\nk=1\r\n\r\n[NodeList]\r\n");
}

TEST(IniProfile, KeysListedInFileOrder) {
  Profile p;
  p.setString("S", "Entry2", "x");
  p.setString("S", "Entry1", "y");
  p.setString("S", "entry2", "z");
  EXPECT_EQ(p.keys("S"), (std::vector<std::string>{"Entry2", "Entry1"}));
  EXPECT_EQ(p.getString("S", "ENTRY2", ""), "z");
}

TEST(IniNames, EqualityRules) {
  const TextEncoding sjis = TextEncoding::shiftJis(), single = TextEncoding::singleByte();
  EXPECT_TRUE(namesEqual("NodeList", "nodelist", sjis));
  EXPECT_FALSE(namesEqual("NodeList", "NodeLis", sjis));
  EXPECT_FALSE(namesEqual("\x83\x61", "\x83\x41", sjis));
  EXPECT_TRUE(namesEqual("a\x83\x61Z", "A\x83\x61z", sjis));
  EXPECT_FALSE(namesEqual("[", "{", sjis));
  // Under a single-byte code page 0x83 is a letter and the 'a' after it folds.
  EXPECT_TRUE(namesEqual("\x83\x61", "\x83\x41", single));
  EXPECT_TRUE(namesEqual("Caf\xE9s", "CAF\xE9S", single));
  EXPECT_FALSE(namesEqual("Caf\xE9", "Caf\xC9", single));
}

}  // namespace
}  // namespace trennic::ini
