// Control characters from units and files never reach a terminal raw.
#include "core/app/shown_text.h"

#include <gtest/gtest.h>

namespace trennic {
namespace {

TEST(ShownText, ControlCharactersAreEscapedEverythingElseKept) {
  struct Case {
    const char* rule;
    std::u16string text;
    std::u16string shown;
  } cases[] = {
      {"plain text as it is", u"Lobby 2F", u"Lobby 2F"},
      {"an escape sequence loses its ESC", u"\x1B[31mred\x1B]0;title\x07", u"\\x1B[31mred\\x1B]0;title\\x07"},
      {"line ends and tabs stay on the line", u"a\rb\nc\td", u"a\\x0Db\\x0Ac\\x09d"},
      {"NUL and the last C0 code", std::u16string(u"x\0y\x1F", 4), u"x\\x00y\\x1F"},
      {"DEL", u"\x7F", u"\\x7F"},
      {"C1 controls, CSI among them", u"\x80\x9B" u"2J\x9F", u"\\x80\\x9B2J\\x9F"},
      {"letters beyond C1 are characters", u"\xA0\xE9\x3042\xFFFD", u"\xA0\xE9\x3042\xFFFD"},
      {"a backslash is no control", u"C:\\units\\x1B", u"C:\\units\\x1B"},
      {"empty", u"", u""},
  };
  for (const auto& c : cases) EXPECT_TRUE(escapeControls(c.text) == c.shown) << c.rule;
}

TEST(ShownText, ControlRangeEdges) {
  EXPECT_TRUE(isControlCharacter(0x00));
  EXPECT_TRUE(isControlCharacter(0x1F));
  EXPECT_FALSE(isControlCharacter(0x20));
  EXPECT_FALSE(isControlCharacter(0x7E));
  EXPECT_TRUE(isControlCharacter(0x7F));
  EXPECT_TRUE(isControlCharacter(0x9F));
  EXPECT_FALSE(isControlCharacter(0xA0));
}

}  // namespace
}  // namespace trennic
