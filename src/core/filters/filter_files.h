#pragma once
// The text form of the two filter tables: INI sections that stand alone as
// the MAC address filter file and the protocol filter file, and that every
// configuration file carries too, in the same form.
//
// The head settings go through the profile reader; the entries are found by
// a line scanner of our own, because people edit these files by hand: it
// takes comments after "#", keys in any case, and entry keys with any
// number or none, in file order.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/app/ini_profile.h"
#include "core/filters/filter_tables.h"

namespace trennic {

constexpr const char* kMacFilterSection = "AP Login Filter Tables";
constexpr const char* kProtocolFilterSection = "Protocol Filter Tables";
constexpr const char* kMacFilterFileName = "logflist";
constexpr const char* kProtocolFilterFileName = "prtflist";

// Keys of the two sections.
namespace filterkey {
constexpr const char* MacFilterOn = "APLoginFilter";
constexpr const char* MacOtherAccess = "APLogFilOtherAccess";
constexpr const char* MacEntry = "NodeAddress";  // "%s%u" with the entry number
constexpr const char* ProtocolFilterOn = "ProtocolFilter";
constexpr const char* ProtocolOtherAccess = "ProtFilOtherAccess";
constexpr const char* ProtocolEntry = "ProtocolType";
}  // namespace filterkey

// Results of the readers.
constexpr int kFilterFileRead = 0;
constexpr int kFilterFileMissing = 1;  // did not open as a text file

// A number, or two joined by the first "-". A part of at least three
// characters that begins with "0x" (any case) is hexadecimal, any other is
// decimal (leading white space allowed, anything after the digits ignored).
// The ends of a range are put in ascending order, and equal ends make a
// single value. Values are kept in 16 bits. Nothing when a part doesn't read.
struct NumberRange {
  std::uint16_t low = 0;
  std::uint16_t high = 0;
  bool isRange() const { return low != high; }
  friend bool operator==(const NumberRange&, const NumberRange&) = default;
};
std::optional<NumberRange> ParseNumberRange(std::string_view text);

// The value of one entry key. From kFilterDetailLevel on, the access (and for
// protocol entries the port side and interface) are written too.
std::string formatMacFilterValue(const MacFilterEntry& e, int displayLevel);
std::string formatProtocolFilterValue(const ProtocolFilterEntry& e, int displayLevel);

// One entry value as the scanner reads it. A MAC value always gives an entry
// (an unreadable address reads as zero); a protocol value that doesn't read
// gives nothing.
MacFilterEntry parseMacFilterValue(std::string_view value);
std::optional<ProtocolFilterEntry> parseProtocolFilterValue(std::string_view value);

// Adds the section to a profile: the head keys, then one key per entry from
// entry 1 on. The "other access" key is written from kFilterDetailLevel on
// and removed below it. Entry keys the section held before are removed, so
// that what is read back is the table and nothing else.
void WriteMacFilterSection(ini::Profile& profile, ConstMacFilterBlock block, int displayLevel);
void WriteProtocolFilterSection(ini::Profile& profile, ConstProtocolFilterBlock block, int displayLevel);

// The same into a file. With deleteFirst the file holds nothing else
// afterwards (a standalone filter file); without it the section is added to
// what the file holds, read under the encoding of the code page in use. The
// file is replaced in one step. Returns 1 when it was written, 0 when not;
// callers that report nothing may ignore it.
int WriteMacFilterSection(const std::string& path, ConstMacFilterBlock block, bool deleteFirst, int displayLevel,
                          TextEncoding encoding);
int WriteProtocolFilterSection(const std::string& path, ConstProtocolFilterBlock block, bool deleteFirst,
                               int displayLevel, TextEncoding encoding);

// Fill the whole block from the file's section: kFilterFileRead, or
// kFilterFileMissing when the file didn't open as text (the block then holds
// only what the profile reader found for the head, normally nothing). Bad
// entry lines are skipped and entries past the table's size dropped; nothing
// about them is reported.
int ReadMacFilterSection(const std::string& path, MacFilterBlock block, int displayLevel, TextEncoding encoding);
int ReadProtocolFilterSection(const std::string& path, ProtocolFilterBlock block, int displayLevel,
                              TextEncoding encoding);

}  // namespace trennic
