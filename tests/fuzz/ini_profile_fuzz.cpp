// The INI reader on any file, and the promise every writer of a profile
// relies on: a value set with quotedWhereNeeded reads back as it was given,
// also after the profile is saved and loaded again, and nothing else the
// file held reads differently afterwards.
//
// Input: one byte of choices, a length byte and that many bytes of the
// value to set, then the file.
#include <map>
#include <utility>

#include "core/app/ini_profile.h"
#include "fuzz/fuzz_support.h"

using namespace trennic;

namespace {

using Values = std::map<std::pair<std::string, std::string>, std::string>;

// The names of the file's sections: whatever stands between a '[' at the
// start of a line and the next ']' outside a double-byte character, when
// the profile takes it for a section.
std::vector<std::string> sectionNames(const ini::Profile& p) {
  std::vector<std::string> out;
  const TextEncoding encoding = p.encoding();
  for (std::size_t i = 0; i < p.lineCount(); ++i) {
    std::string_view line = p.lineText(i);
    std::size_t b = line.find_first_not_of(" \t");
    if (b == std::string_view::npos || line[b] != '[') continue;
    std::size_t close = b + 1;
    while (close < line.size() && line[close] != ']') close += encoding.charLength(line, close);
    if (close >= line.size()) continue;
    std::string_view name = line.substr(b + 1, close - b - 1);
    while (!name.empty() && (name.front() == ' ' || name.front() == '\t')) name.remove_prefix(1);
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.remove_suffix(1);
    if (p.hasSection(name)) out.emplace_back(name);
  }
  return out;
}

Values readAll(const ini::Profile& p, const std::vector<std::string>& sections) {
  Values v;
  for (const auto& s : sections)
    for (const auto& k : p.keys(s))
      if (auto value = p.value(s, k)) v.emplace(std::make_pair(s, k), *value);
  return v;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input in(data, size);
  const std::uint8_t choices = in.byte();
  const TextEncoding encoding = fuzz::encodingFrom(choices);
  std::string value(in.text(in.byte()));
  // A line break ends the value on writing, and the platform's reader stops
  // at a NUL: what can be set whole is the text before either.
  value = value.substr(0, value.find_first_of(std::string_view("\r\n\0", 3)));
  const std::string_view file = in.rest();

  const std::string path = fuzz::scratchFile("profile.ini");
  fuzz::writeFile(path, file);
  ini::Profile p = ini::Profile::load(path, encoding);
  if (p.state() != ini::LoadState::Loaded) return 0;

  std::vector<std::string> sections = sectionNames(p);
  const Values first = readAll(p, sections);

  // Reading never gives more than the buffer holds, nor a broken number.
  for (const auto& [name, v] : first) {
    std::string cut = p.getString(name.first, name.second, "", ini::kValueBuffer);
    fuzz::check(cut.size() < ini::kValueBuffer, "getString fits its buffer");
    fuzz::check(std::string_view(v).substr(0, cut.size()) == cut, "getString is the start of the value");
    (void)p.getInt(name.first, name.second, 0);
  }

  // Saved untouched, the file reads as it did.
  fuzz::check(p.save(path), "an unchanged profile saves");
  ini::Profile again = ini::Profile::load(path, encoding);
  fuzz::check(readAll(again, sections) == first, "read, save, read gives the first read");

  // A value set through the writers' quoting, into a section of the file or
  // a new one, reads back as given.
  const std::string sectionName = (choices & 2) || sections.empty() ? std::string("Fuzz") : sections.front();
  p.setString(sectionName, "Key", ini::quotedWhereNeeded(value));
  fuzz::check(p.value(sectionName, "Key") == value, "a set value reads back");
  fuzz::check(p.save(path), "an edited profile saves");
  ini::Profile edited = ini::Profile::load(path, encoding);
  // A "Unicode" file holds what the code page's conversion makes of it.
  const bool utf16 = file.substr(0, 2) == "\xFF\xFE";
  const std::string saved = utf16 ? encoding.conversion().fromUtf16(encoding.conversion().toUtf16(value)) : value;
  fuzz::check(edited.value(sectionName, "Key") == saved, "a set value reads back after a save");

  // Nothing else moved.
  sections.push_back(sectionName);
  Values after = readAll(edited, sections);
  Values before = first;
  for (Values* v : {&after, &before})
    std::erase_if(*v, [&](const auto& kv) {
      return ini::namesEqual(kv.first.first, sectionName, encoding) && ini::namesEqual(kv.first.second, "Key", encoding);
    });
  fuzz::check(after == before, "setting one key leaves every other value as it was");
  return 0;
}
