#include "core/app/ini_profile.h"
#include "core/app/text_scan.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>


namespace trennic::ini {
namespace fs = std::filesystem;

namespace {

using text::foldAscii;
using text::hexDigit;
using text::isDigit;
using text::isSpace;

// Profile files are small; anything far larger is not one of ours, and
// reading it whole would only stall the program.
constexpr std::uintmax_t kMaxProfileBytes = 64u << 20;

constexpr std::string_view kUtf16Mark = "\xFF\xFE";

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && isBlank(s[b])) ++b;
  while (e > b && isBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}


// "[name]" gives name; anything else gives nothing.
std::optional<std::string_view> sectionName(std::string_view line, TextEncoding encoding) {
  std::string_view t = trim(line);
  if (t.empty() || t.front() != '[') return std::nullopt;
  // The second byte of a double-byte character may be 0x5D; it never closes
  // the name.
  for (std::size_t i = 1; i < t.size(); i += encoding.charLength(t, i))
    if (t[i] == ']') return trim(t.substr(1, i - 1));
  return std::nullopt;
}

struct KeyLine {
  std::string_view key;
  std::string_view value;
};

std::optional<KeyLine> keyLine(std::string_view line) {
  std::string_view t = trim(line);
  if (t.empty() || t.front() == ';' || t.front() == '[') return std::nullopt;
  std::size_t eq = t.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  return KeyLine{trim(t.substr(0, eq)), trim(t.substr(eq + 1))};
}

// Editors and scripts quote with either mark, and the platform's reader
// takes one matching pair of each kind off.
std::string_view unquote(std::string_view v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    return v.substr(1, v.size() - 2);
  return v;
}

std::string_view firstLine(std::string_view s) {
  std::size_t cut = s.find_first_of("\r\n");
  return cut == std::string_view::npos ? s : s.substr(0, cut);
}

// Calls onLine(begin, end, next) for every line of data: its text is
// [begin, end), its line end [end, next). A line ends at LF; at CR LF,
// together with any further CRs before the LF (CR LF written through a
// text-mode stream comes out as CR CR LF); or at a lone CR, as old files end
// their lines. No line's text keeps a CR.
template <class Char, class OnLine>
void splitLines(std::basic_string_view<Char> data, OnLine onLine) {
  const std::size_t n = data.size();
  std::size_t start = 0, i = 0;
  while (i < n) {
    if (data[i] == Char('\n')) {
      onLine(start, i, i + 1);
      start = i = i + 1;
      continue;
    }
    if (data[i] != Char('\r')) {
      ++i;
      continue;
    }
    std::size_t j = i;
    while (j < n && data[j] == Char('\r')) ++j;
    if (j < n && data[j] == Char('\n')) {
      onLine(start, i, j + 1);
      start = i = j + 1;
      continue;
    }
    for (; i < j; ++i) {
      onLine(start, i, i + 1);
      start = i + 1;
    }
  }
  if (start < n) onLine(start, n, n);
}

fs::path resolveTarget(const std::string& path) {
  std::error_code ec;
  fs::path p(path);
  if (fs::is_symlink(p, ec)) {
    fs::path target = fs::read_symlink(p, ec);
    if (!ec) return target.is_absolute() ? target : p.parent_path() / target;
  }
  return p;
}

}  // namespace

bool namesEqual(std::string_view a, std::string_view b, TextEncoding encoding) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size();) {
    std::size_t n = encoding.charLength(a, i);
    if (n == 2) {
      if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
    } else if (foldAscii(a[i]) != foldAscii(b[i])) {
      return false;
    }
    i += n;
  }
  return true;
}

Profile Profile::load(const std::string& path, TextEncoding encoding) {
  Profile p(encoding);
  std::error_code ec;
  fs::file_status st = fs::status(path, ec);
  if (st.type() == fs::file_type::not_found) {
    p.state_ = LoadState::Missing;
    return p;
  }
  // A path that exists but can't be examined (a symbolic link loop, a folder
  // we may not search) is not ours to replace.
  if (ec) {
    p.state_ = LoadState::Unreadable;
    return p;
  }
  if (!fs::is_regular_file(st) || fs::file_size(path, ec) > kMaxProfileBytes || ec) {
    p.state_ = LoadState::Unreadable;
    return p;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    p.state_ = LoadState::Unreadable;
    return p;
  }
  std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) {
    p.state_ = LoadState::Unreadable;
    return p;
  }
  p.state_ = LoadState::Loaded;
  if (data.rfind(kUtf16Mark, 0) == 0) {
    p.loadUtf16(std::string_view(data).substr(kUtf16Mark.size()));
  } else {
    std::string_view all(data);
    splitLines(all, [&](std::size_t begin, std::size_t end, std::size_t next) {
      p.lines_.push_back(Line{std::string(all.substr(begin, end - begin)), std::string(all.substr(end, next - end))});
    });
  }
  // Lines the program adds end as the file's first line does, so the file
  // keeps one kind of line end.
  if (!p.lines_.empty() && !p.lines_[0].end.empty()) p.eol_ = p.lines_[0].end;
  // A UTF-8 mark in front of the first section would hide its name.
  if (!p.utf16_ && !p.lines_.empty() && p.lines_[0].text.rfind("\xEF\xBB\xBF", 0) == 0) {
    p.lines_[0].text.erase(0, 3);
    p.utf8Mark_ = true;
  }
  return p;
}

// What a Windows editor saves as "Unicode": the platform's reader takes such
// a file in the code page in use, and so do we.
void Profile::loadUtf16(std::string_view bytes) {
  utf16_ = true;
  std::u16string wide;
  wide.reserve(bytes.size() / 2);
  // A last odd byte is half a character, which no reader can take.
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
    wide.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                         (static_cast<unsigned char>(bytes[i + 1]) << 8)));
  const CodePageConversion& conversion = encoding_.conversion();
  std::u16string_view all(wide);
  splitLines(all, [&](std::size_t begin, std::size_t end, std::size_t next) {
    std::u16string_view text = all.substr(begin, end - begin);
    std::string lineEnd;
    for (char16_t c : all.substr(end, next - end)) lineEnd.push_back(static_cast<char>(c));
    lines_.push_back(Line{conversion.fromUtf16(text), std::move(lineEnd), std::u16string(text)});
  });
}

std::optional<Profile::Range> Profile::findSection(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    auto name = sectionName(lines_[i].text, encoding_);
    if (!name || !namesEqual(*name, section, encoding_)) continue;
    std::size_t end = i + 1;
    while (end < lines_.size() && !sectionName(lines_[end].text, encoding_)) ++end;
    return Range{i, end};
  }
  return std::nullopt;
}

std::optional<std::size_t> Profile::findKey(const Range& r, std::string_view key) const {
  for (std::size_t i = r.header + 1; i < r.end; ++i) {
    auto kl = keyLine(lines_[i].text);
    if (kl && namesEqual(kl->key, key, encoding_)) return i;
  }
  return std::nullopt;
}

std::optional<std::string> Profile::value(std::string_view section, std::string_view key) const {
  auto r = findSection(section);
  if (!r) return std::nullopt;
  auto k = findKey(*r, key);
  if (!k) return std::nullopt;
  return std::string(unquote(keyLine(lines_[*k].text)->value));
}

std::string Profile::getString(std::string_view section, std::string_view key, std::string_view def,
                               std::size_t bufferSize) const {
  if (bufferSize == 0) return {};
  auto v = value(section, key);
  std::string_view s = v ? std::string_view(*v) : def;
  return std::string(encoding_.truncate(s, bufferSize - 1));
}

int Profile::getInt(std::string_view section, std::string_view key, int def) const {
  auto v = value(section, key);
  if (!v || v->empty()) return def;
  std::string_view s = trim(*v);
  bool negative = false;
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
  long long n = 0;
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
    n = n * 10 + (s[i] - '0');
    if (n > 0xFFFFFFFFLL) n = 0xFFFFFFFFLL;
  }
  if (negative) n = -n;
  // Numbers wrap to 32 bits the way the platform's profile reader returns them.
  return static_cast<int>(static_cast<unsigned>(static_cast<unsigned long long>(n) & 0xFFFFFFFFu));
}

bool Profile::hasSection(std::string_view section) const { return findSection(section).has_value(); }

std::optional<std::pair<std::size_t, std::size_t>> Profile::sectionLines(std::string_view section) const {
  auto r = findSection(section);
  if (!r) return std::nullopt;
  return std::make_pair(r->header + 1, r->end);
}

std::vector<std::string> Profile::keys(std::string_view section) const {
  std::vector<std::string> out;
  auto r = findSection(section);
  if (!r) return out;
  for (std::size_t i = r->header + 1; i < r->end; ++i)
    if (auto kl = keyLine(lines_[i].text)) out.emplace_back(kl->key);
  return out;
}

void Profile::setString(std::string_view section, std::string_view key, std::string_view value) {
  section = firstLine(section);
  key = firstLine(key);
  value = firstLine(value);
  auto r = findSection(section);
  if (!r) {
    ensureSection(section);
    lines_.push_back(Line{std::string(key) + "=" + std::string(value), {}});
    return;
  }
  if (auto k = findKey(*r, key)) {
    std::string spelled(keyLine(lines_[*k].text)->key);
    lines_[*k] = Line{spelled + "=" + std::string(value), lines_[*k].end};
    return;
  }
  // New keys go behind the last non-blank line of the section, so the blank
  // line that separates it from the next section stays where it was.
  std::size_t at = r->end;
  while (at > r->header + 1 && trim(lines_[at - 1].text).empty()) --at;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), Line{std::string(key) + "=" + std::string(value), {}});
}

void Profile::ensureSection(std::string_view section) {
  section = firstLine(section);
  if (findSection(section)) return;
  if (!lines_.empty() && !trim(lines_.back().text).empty()) lines_.emplace_back();
  lines_.push_back(Line{"[" + std::string(section) + "]", {}});
}

void Profile::removeKey(std::string_view section, std::string_view key) {
  auto r = findSection(section);
  if (!r) return;
  if (auto k = findKey(*r, key)) lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*k));
}

void Profile::removeSection(std::string_view section) {
  auto r = findSection(section);
  if (!r) return;
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(r->header),
               lines_.begin() + static_cast<std::ptrdiff_t>(r->end));
}

std::string Profile::text() const {
  if (utf16_) return utf16Text();
  std::string out = utf8Mark_ ? "\xEF\xBB\xBF" : "";
  for (const auto& l : lines_) {
    out += l.text;
    out += l.end.empty() ? eol_ : l.end;
  }
  return out;
}

std::string Profile::utf16Text() const {
  const CodePageConversion& conversion = encoding_.conversion();
  std::string out(kUtf16Mark);
  auto put = [&out](char16_t c) {
    out.push_back(static_cast<char>(c & 0xFF));
    out.push_back(static_cast<char>(c >> 8));
  };
  for (const auto& l : lines_) {
    for (char16_t c : l.wide ? *l.wide : conversion.toUtf16(l.text)) put(c);
    for (char c : l.end.empty() ? eol_ : l.end) put(static_cast<unsigned char>(c));
  }
  return out;
}

std::string quotedWhereNeeded(std::string_view text) {
  if (trim(text) == text && unquote(text) == text) return std::string(text);
  return "\"" + std::string(text) + "\"";
}

bool Profile::save(const std::string& path) const {
  if (state_ == LoadState::Unreadable) return false;
  return writeFileAtomically(path, text());
}

bool writeFileAtomically(const std::string& path, std::string_view bytes) {
  std::error_code ec;
  fs::path target = resolveTarget(path);
  if (fs::is_directory(target, ec)) return false;
  // A file the user made read-only stays as it is, as the platform's own
  // profile writer would leave it.
  fs::file_status current = fs::status(target, ec);
  constexpr auto anyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  if (!ec && fs::exists(current) && (current.permissions() & anyWrite) == fs::perms::none) return false;
  std::random_device rd;
  char suffix[32];
  std::snprintf(suffix, sizeof suffix, ".~%08x", static_cast<unsigned>(rd()));
  fs::path temp = target;
  temp += suffix;
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
      out.close();
      fs::remove(temp, ec);
      return false;
    }
    out.close();
    if (out.fail()) {
      fs::remove(temp, ec);
      return false;
    }
  }
  // Keep the permissions the user gave the file.
  fs::file_status old = fs::status(target, ec);
  if (!ec && fs::exists(old)) fs::permissions(temp, old.permissions(), ec);
  fs::rename(temp, target, ec);
  if (ec) {
    std::error_code ignore;
    fs::remove(temp, ignore);
    return false;
  }
  return true;
}

std::string getProfileString(const std::string& path, std::string_view section, std::string_view key,
                             std::string_view def, std::size_t bufferSize, TextEncoding encoding) {
  return Profile::load(path, encoding).getString(section, key, def, bufferSize);
}

int getProfileInt(const std::string& path, std::string_view section, std::string_view key, int def,
                  TextEncoding encoding) {
  return Profile::load(path, encoding).getInt(section, key, def);
}

bool writeProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value, TextEncoding encoding) {
  Profile p = Profile::load(path, encoding);
  p.setString(section, key, value);
  return p.save(path);
}

bool deleteProfileKey(const std::string& path, std::string_view section, std::string_view key,
                      TextEncoding encoding) {
  Profile p = Profile::load(path, encoding);
  if (p.state() == LoadState::Missing) return true;
  p.removeKey(section, key);
  return p.save(path);
}

bool deleteProfileFile(const std::string& path) {
  std::error_code ec;
  // Only files are deleted; an (empty) folder of that name stays.
  if (fs::is_directory(fs::symlink_status(path, ec))) return false;
  fs::remove(path, ec);
  return !ec;
}

}  // namespace trennic::ini
