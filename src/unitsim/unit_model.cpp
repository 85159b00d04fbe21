#include "unitsim/unit_model.h"

#include <algorithm>
#include <cstring>

#include "core/config/ap_config.h"
#include "unitsim/unit_memory_areas.h"

namespace trennic::sim {

// --- SparseMemory -----------------------------------------------------------

std::vector<std::uint8_t> SparseMemory::read(std::uint32_t address, std::size_t length) const {
  std::vector<std::uint8_t> out(length, 0);
  std::size_t done = 0;
  while (done < length) {
    // The address space wraps at 4 GB like the unit's bus would.
    std::uint32_t a = address + static_cast<std::uint32_t>(done);
    std::uint32_t base = a - a % kPageSize;
    std::size_t inPage = a - base;
    std::size_t n = std::min<std::size_t>(kPageSize - inPage, length - done);
    auto it = pages_.find(base);
    if (it != pages_.end()) {
      std::memcpy(out.data() + done, it->second.data() + inPage, n);
    } else if (filler_) {
      std::uint8_t page[kPageSize];
      fillPage(base, page);
      std::memcpy(out.data() + done, page + inPage, n);
    }
    done += n;
  }
  return out;
}

void SparseMemory::fillPage(std::uint32_t base, std::span<std::uint8_t> page) const {
  if (filler_)
    filler_(base, page);
  else
    std::fill(page.begin(), page.end(), 0);
}

void SparseMemory::write(std::uint32_t address, std::span<const std::uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    std::uint32_t a = address + static_cast<std::uint32_t>(done);
    std::uint32_t base = a - a % kPageSize;
    std::size_t inPage = a - base;
    std::size_t n = std::min<std::size_t>(kPageSize - inPage, bytes.size() - done);
    auto it = pages_.find(base);
    if (it == pages_.end()) {
      std::vector<std::uint8_t> page(kPageSize);
      fillPage(base, page);
      if (std::memcmp(page.data() + inPage, bytes.data() + done, n) != 0) {
        std::memcpy(page.data() + inPage, bytes.data() + done, n);
        pages_.emplace(base, std::move(page));
      }
    } else {
      std::memcpy(it->second.data() + inPage, bytes.data() + done, n);
    }
    done += n;
  }
}

// --- Area handlers ----------------------------------------------------------

AreaReply readPlain(SimUnit& unit, const AreaRequest& r) {
  AreaReply reply;
  reply.payload = unit.memory().read(r.address, r.length);
  reply.length = r.length;
  return reply;
}

AreaReply writePlain(SimUnit& unit, const AreaRequest& r) {
  unit.memory().write(r.address, r.payload);
  AreaReply reply;
  reply.length = static_cast<std::uint16_t>(r.payload.size());
  return reply;
}

namespace {

AreaReply refuse() {
  AreaReply reply;
  reply.status = kStatusRefused;
  return reply;
}

// The password lives in the unit, not in readable memory: the block is taken
// only whole and at its start, so a torn write cannot leave half a password.
AreaReply writePasswordBlock(SimUnit& unit, const AreaRequest& r) {
  if (r.address != unit_address::kPassword || r.payload.size() < kPasswordBlockSize) return refuse();
  const std::uint8_t* field = r.payload.data() + 8;
  std::size_t n = 0;
  while (n < kPasswordField && field[n] != 0) ++n;
  unit.setPassword(std::string(reinterpret_cast<const char*>(field), n));
  AreaReply reply;
  reply.length = kPasswordBlockSize;
  return reply;
}

AreaReply readZeros(SimUnit&, const AreaRequest& r) {
  AreaReply reply;
  reply.payload.assign(r.length, 0);
  reply.length = r.length;
  return reply;
}

}  // namespace

std::vector<MemoryArea> standardAreas() {
  std::vector<MemoryArea> areas;
  // Newest first: the list is searched front to back.
  areas.push_back({"status", kStatusAreaFirst, kStatusAreaLast, true, readPlain, writePlain});
  areas.push_back({"password", unit_address::kPassword,
                   unit_address::kPassword + static_cast<std::uint32_t>(kPasswordBlockSize) - 1, false, readZeros,
                   writePasswordBlock});
  areas.push_back({"identity", unit_address::kIdentity,
                   unit_address::kIdentity + static_cast<std::uint32_t>(kIdentitySize) - 1, true, readPlain,
                   [](SimUnit&, const AreaRequest&) { return refuse(); }});
  return areas;
}

// --- SimUnit ----------------------------------------------------------------

SimUnit::SimUnit(UnitSettings settings) : settings_(std::move(settings)), areas_(standardAreas()) {
  setPassword(settings_.password);
  refreshIdentity();
  installUnitMemory(*this);
}

void SimUnit::setPassword(std::string_view password) {
  settings_.password = std::string(password.substr(0, kMaxPasswordChars));
}
void SimUnit::setFirmwareVersion(std::uint16_t version) {
  settings_.firmwareVersion = version;
  refreshIdentity();
  refreshSystemInfo(*this);
}
void SimUnit::setUnitType(std::uint16_t type) {
  settings_.unitType = type;
  refreshIdentity();
  refreshSystemInfo(*this);
}
void SimUnit::setIp(Ipv4 ip) {
  settings_.ip = ip;
  refreshIdentity();
  refreshSystemInfo(*this);
}

std::size_t SimUnit::configBodySize() const { return trennic::configBodySize(settings_.layout); }

std::uint16_t SimUnit::extendedStatus() const {
  switch (resolvedExtended(settings_)) {
    case ExtendedBlock::Status6:
      return 6;
    case ExtendedBlock::Absent:
      return StatusEnd;
    default:
      return StatusOk;
  }
}

std::array<std::uint32_t, 2> SimUnit::infoWords() const { return systemInfoWords(settings_); }

std::vector<std::uint8_t> SimUnit::configHeader() const {
  return memory_.read(unit_address::kConfigHeader, kConfigHeaderSize);
}

std::vector<std::uint8_t> SimUnit::configBody() const {
  return memory_.read(unit_address::kConfigBody, configBodySize());
}

std::vector<std::uint8_t> SimUnit::configImage() const {
  std::vector<std::uint8_t> image(kConfigBodyOffset + configBodySize(), 0);
  auto header = configHeader();
  auto body = configBody();
  std::copy(header.begin(), header.end(), image.begin() + kConfigHeaderOffset);
  std::copy(body.begin(), body.end(), image.begin() + kConfigBodyOffset);
  return image;
}

void SimUnit::loadConfigImage(std::span<const std::uint8_t> image) {
  if (image.size() <= kConfigHeaderOffset) return;
  auto header = image.subspan(kConfigHeaderOffset, std::min(kConfigHeaderSize, image.size() - kConfigHeaderOffset));
  memory_.write(unit_address::kConfigHeader, header);
  if (image.size() <= kConfigBodyOffset) return;
  auto body = image.subspan(kConfigBodyOffset, std::min(configBodySize(), image.size() - kConfigBodyOffset));
  memory_.write(unit_address::kConfigBody, body);
}

std::uint32_t SimUnit::imageLength(std::uint32_t base) const {
  auto it = imageLengths_.find(base);
  return it == imageLengths_.end() ? 0 : it->second;
}

std::vector<std::uint8_t> SimUnit::storedImage(std::uint32_t base) const {
  return memory_.read(base, imageLength(base));
}

std::vector<std::uint8_t> SimUnit::cardImage() const { return memory_.read(unit_address::kCardFirmware, 0x20000); }

void SimUnit::refreshIdentity() {
  UnitIdentity id;
  id.firmwareVersion = settings_.firmwareVersion;
  id.macAddress = settings_.mac;
  id.ipAddress = settings_.ip;
  id.unitType = settings_.unitType;
  std::uint8_t block[kIdentitySize];
  id.encode(block);
  memory_.write(unit_address::kIdentity, block);
}

void SimUnit::finishReboot() {
  if (!rebooting_) return;
  rebooting_ = false;
  refreshSystemInfo(*this);
}

void SimUnit::addArea(MemoryArea area) { areas_.insert(areas_.begin(), std::move(area)); }

const MemoryArea* SimUnit::areaAt(std::uint32_t address) const {
  for (const auto& a : areas_)
    if (a.contains(address)) return &a;
  return nullptr;
}

bool SimUnit::addressedBy(const MacAddress& stationMac) const {
  return stationMac.isBroadcast() || stationMac == settings_.mac;
}

bool SimUnit::passwordMatches(const PasswordField& field) const {
  if (settings_.password.empty()) return true;
  // The header holds a C string; whatever follows its NUL is padding.
  std::size_t n = 0;
  while (n < field.size() && field[n] != 0) ++n;
  return std::string_view(reinterpret_cast<const char*>(field.data()), n) == settings_.password;
}

AreaReply SimUnit::serve(const PacketHeader& h, std::span<const std::uint8_t> payload) {
  if (auto f = forced_.find(h.address); f != forced_.end()) {
    AreaReply reply;
    reply.status = f->second;
    return reply;
  }

  const MemoryArea* area = areaAt(h.address);
  bool needsPassword = h.command != CmdRead || area == nullptr || !area->openRead;
  if (needsPassword && !passwordMatches(h.password)) {
    AreaReply reply;
    reply.status = StatusDenied;
    return reply;
  }

  AreaRequest r;
  r.command = h.command;
  r.address = h.address;
  switch (h.command) {
    case CmdRead: {
      r.length = static_cast<std::uint16_t>(std::min<std::size_t>(h.length, kMaxPayload));
      if (area && area->read) return area->read(*this, r);
      return readPlain(*this, r);
    }
    case CmdWrite: {
      r.payload = payload.first(std::min<std::size_t>(h.length, payload.size()));
      r.length = static_cast<std::uint16_t>(r.payload.size());
      if (area && area->write) return area->write(*this, r);
      return writePlain(*this, r);
    }
    case CmdReboot: {
      rebooting_ = true;
      ++rebootCount_;
      return AreaReply{};
    }
  }
  return refuse();  // not reached: unknown commands are filtered by handle()
}

std::optional<std::vector<std::uint8_t>> SimUnit::handle(std::span<const std::uint8_t> request, Route route) {
  auto header = PacketHeader::decode(request);
  if (!header || header->isReply() || header->magic != kPacketMagic) return std::nullopt;
  if (header->command != CmdRead && header->command != CmdWrite && header->command != CmdReboot)
    return std::nullopt;
  if (rebooting_) return std::nullopt;
  if (route == Route::Group && !addressedBy(header->stationMac)) return std::nullopt;

  AreaReply result = serve(*header, request.subspan(kHeaderSize));

  PacketHeader reply = *header;
  reply.command = static_cast<std::uint8_t>(header->command | kReplyBit);
  reply.status = result.status;
  reply.length = result.length;
  reply.password = {};
  reply.stationMac = {};
  std::vector<std::uint8_t> out(kHeaderSize + result.payload.size());
  reply.encode(out.data());
  std::copy(result.payload.begin(), result.payload.end(), out.begin() + kHeaderSize);
  return out;
}

}  // namespace trennic::sim
