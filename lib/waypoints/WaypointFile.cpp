#include "lib/waypoints/WaypointFile.h"

#include <cstring>
#include <memory>
#include <vector>

#include "lib/bitmap/Bmp32.h"
#include "lib/foundation/core/ErrorCodes.h"
#include "lib/waypoints/RoutePoint.h"
#include "lib/waypoints/Waypoint.h"
#include "lib/waypoints/WaypointChecks.h"
#include "lib/waypoints/WaypointDatabase.h"
#include "lib/waypoints/WaypointFileV1.h"
#include "lib/waypoints/WaypointGroup.h"
#include "lib/waypoints/WaypointLink.h"
#include "lib/waypoints/WaypointManager.h"
#include "lib/waypoints/WaypointRoute.h"
#include "lib/waypoints/WaypointType.h"

namespace {

const char kFileId[] = "TidemarWptDB";
constexpr uint32_t kBlack = 0xFF000000u;

// Sizes of the fixed records, and of the smallest whole record of each kind
// (the fixed part, an empty name and, for a type, a 1 x 1 icon).
constexpr int32_t kHeaderSize = 43, kTypeSize = 40, kWaypointSize = 42, kGroupSize = 28,
                  kRouteSize = 26, kPointSize = 21;
constexpr int64_t kMinType = 45, kMinWaypoint = 43, kMinGroup = 29, kMinRoute = 27, kMinPoint = 22,
                  kMemberSize = 16;

enum : uint16_t {
  kTypeNameColor = 0x40,
  kTypeCommentColor = 0x80,
  kTypeOverlayShown = 0x100,
};

enum : uint16_t {
  kWptAltitude = 0x001,
  kWptComment = 0x002,
  kWptFloat1 = 0x004,
  kWptRadius = 0x008,
  kWptDescription = 0x010,
  kWptType = 0x020,
  kWptLinks = 0x040,
  kWptChosen1 = 0x080,
  kWptChosen2 = 0x100,
  kWptPlacement = 0x200,
  kWptFloat2 = 0x400,
  kWptInt = 0x800,
};

enum : uint8_t { kPointAltitude = 1, kPointWaypoint = 2 };

constexpr int32_t kDefaultPlacement = 5;


// A fixed record taken apart field by field.
class CRecordIn {
 public:
  bool Read(CStream& stream, int32_t size, uint32_t& error) {
    at_ = 0;
    return stream.ReadBuf(bytes_, size, error);
  }
  template <class T>
  T Get() {
    T value;
    std::memcpy(&value, bytes_ + at_, sizeof(T));
    at_ += sizeof(T);
    return value;
  }
  SItemId GetId() { return Get<SItemId>(); }

 private:
  uint8_t bytes_[64];
  size_t at_ = 0;
};

// A fixed record put together field by field and written in one go.
class CRecordOut {
 public:
  template <class T>
  CRecordOut& Put(const T& value) {
    std::memcpy(bytes_ + at_, &value, sizeof(T));
    at_ += sizeof(T);
    return *this;
  }
  bool Write(CStream& stream, uint32_t& error) {
    return stream.WriteBuf(bytes_, static_cast<int32_t>(at_), error);
  }

 private:
  uint8_t bytes_[64];
  size_t at_ = 0;
};

// Fails with 0x10005 when count records of at least minSize bytes cannot fit.
bool CheckFits(CStream& stream, int64_t count, int64_t minSize, uint32_t& error) {
  return count * minSize <= stream.GetRemaining() || td::Fail(kErrFileRead, error);
}

using TBmpPtr = td::TObjectPtr<CBmp32>;

bool ReadPixels(CStream& stream, int32_t width, int32_t height, TBmpPtr& bitmap, uint32_t& error) {
  if (!CheckFits(stream, int64_t{width} * height, 4, error)) return false;
  if (width == 0 || height == 0) return true;
  bitmap.reset(new CBmp32(width, height, false));
  for (int32_t y = 0; y < height; ++y)
    if (!stream.ReadBuf(bitmap->Row(y), width * 4, error)) return false;
  return true;
}

class CWaypointReader2_0_0_0 final : public CWaypointReader {
 public:
  using CWaypointReader::CWaypointReader;
  bool Read(CStream& stream, SDatabaseHeader& header, CFixupList& fixups, SProgress* progress,
            uint32_t& error) override;

 private:
  bool ReadType(CStream& stream, uint32_t& error);
  bool ReadWaypoint(CStream& stream, CFixupList& fixups, uint32_t& error);
  bool ReadWaypointOptions(CStream& stream, uint16_t flags, SWaypointArgs& args, uint32_t& error);
  bool ReadLinks(CStream& stream, uint16_t flags, CWaypoint* waypoint, uint32_t& error);
  bool ReadGroup(CStream& stream, CFixupList& fixups, uint32_t& error);
  bool ReadRoute(CStream& stream, CFixupList& fixups, uint32_t& error);
  bool StartProgress(SProgress* progress, uint32_t& error);
  bool ItemDone(uint32_t& error);
  bool Report(float fraction, uint32_t& error);

  CWaypointManager* Manager() { return database_->GetManager(); }

  SProgress stage_{};
  bool reporting_ = false;
  int64_t total_ = 0;
  int64_t done_ = 0;
  int64_t step_ = 1;
};

bool CWaypointReader2_0_0_0::Read(CStream& stream, SDatabaseHeader& header, CFixupList& fixups,
                                  SProgress* progress, uint32_t& error) {
  CRecordIn record;
  if (!record.Read(stream, kHeaderSize, error)) return false;
  record.Get<uint64_t>();
  SItemId id = record.GetId();
  uint32_t contentVersion = record.Get<uint32_t>();
  uint32_t modified = record.Get<uint32_t>();
  uint32_t waypoints = record.Get<uint32_t>();
  uint16_t types = record.Get<uint16_t>();
  uint16_t groups = record.Get<uint16_t>();
  uint16_t routes = record.Get<uint16_t>();
  uint8_t flags = record.Get<uint8_t>();
  CStr name;
  if (!stream.ReadShortStr(name, error)) return false;
  if (waypoints > kMaxFileWaypoints) return td::Fail(kErrFileFormat, error);
  header.id = id;
  header.contentVersion = contentVersion;
  header.modifiedTime = modified;
  header.name = name;
  header.flags = flags & (kDatabaseLocked | kDatabaseReadOnly);
  if (int64_t{types} * kMinType + int64_t{waypoints} * kMinWaypoint + int64_t{groups} * kMinGroup +
          int64_t{routes} * kMinRoute >
      stream.GetRemaining())
    return td::Fail(kErrFileRead, error);
  total_ = int64_t{types} + waypoints + groups + routes;
  if (!StartProgress(progress, error)) return false;
  for (uint32_t i = 0; i < types; ++i)
    if (!ReadType(stream, error) || !ItemDone(error)) return false;
  for (uint32_t i = 0; i < waypoints; ++i)
    if (!ReadWaypoint(stream, fixups, error) || !ItemDone(error)) return false;
  for (uint32_t i = 0; i < groups; ++i)
    if (!ReadGroup(stream, fixups, error) || !ItemDone(error)) return false;
  for (uint32_t i = 0; i < routes; ++i)
    if (!ReadRoute(stream, fixups, error) || !ItemDone(error)) return false;
  return Report(1.0f, error);
}

bool CWaypointReader2_0_0_0::StartProgress(SProgress* progress, uint32_t& error) {
  if (!progress) return true;
  reporting_ = true;
  td::ProgressStageInit(&stage_, progress, 1.0f, 6);
  step_ = total_ / 200 > 1 ? total_ / 200 : 1;
  return Report(0.0f, error);
}

bool CWaypointReader2_0_0_0::ItemDone(uint32_t& error) {
  ++done_;
  if (!reporting_ || done_ % step_ != 0) return true;
  return Report(static_cast<float>(static_cast<double>(done_) / static_cast<double>(total_)),
                error);
}

bool CWaypointReader2_0_0_0::Report(float fraction, uint32_t& error) {
  if (!reporting_) return true;
  td::ProgressCall(&stage_, fraction, 0, &error);
  return error == kErrNone;
}

bool CWaypointReader2_0_0_0::ReadType(CStream& stream, uint32_t& error) {
  CRecordIn record;
  if (!record.Read(stream, kTypeSize, error)) return false;
  STypeArgs args{};
  args.item.id = record.GetId();
  args.item.created = record.Get<uint32_t>();
  args.item.modified = record.Get<uint32_t>();
  args.originX = record.Get<float>();
  args.originY = record.Get<float>();
  int32_t iconWidth = record.Get<uint8_t>(), iconHeight = record.Get<uint8_t>();
  int32_t overlayWidth = record.Get<uint8_t>(), overlayHeight = record.Get<uint8_t>();
  args.look.nameFontSize = record.Get<uint8_t>();
  args.look.commentFontSize = record.Get<uint8_t>();
  uint16_t flags = record.Get<uint16_t>();
  if (!td::WPMCheckIcon(iconWidth, iconHeight, args.originX, args.originY, &error) ||
      !td::WPMCheckFontSize(args.look.nameFontSize, &error))
    return false;
  TBmpPtr icon, overlay;
  if (!ReadPixels(stream, iconWidth, iconHeight, icon, error) ||
      !ReadPixels(stream, overlayWidth, overlayHeight, overlay, error) ||
      !stream.ReadShortStr(args.item.name, error))
    return false;
  args.look.nameColor = kBlack;
  args.look.commentColor = kBlack;
  if ((flags & kTypeNameColor) && !stream.ReadDWORD(args.look.nameColor, error)) return false;
  if ((flags & kTypeCommentColor) && !stream.ReadDWORD(args.look.commentColor, error)) return false;
  args.look.nameFontStyle = flags & 7;
  args.look.commentFontStyle = (flags >> 3) & 7;
  args.overlayShown = (flags & kTypeOverlayShown) != 0;
  args.icon = icon.get();
  args.overlay = overlay.get();
  database_->CreateLoadedType(args);
  return true;
}

bool CWaypointReader2_0_0_0::ReadWaypoint(CStream& stream, CFixupList& fixups, uint32_t& error) {
  CRecordIn record;
  if (!record.Read(stream, kWaypointSize, error)) return false;
  SWaypointArgs args{};
  args.item.id = record.GetId();
  args.item.created = record.Get<uint32_t>();
  args.item.modified = record.Get<uint32_t>();
  args.position.lat = record.Get<double>();
  args.position.lon = record.Get<double>();
  uint16_t flags = record.Get<uint16_t>();
  if (!stream.ReadShortStr(args.item.name, error) ||
      !ReadWaypointOptions(stream, flags, args, error))
    return false;
  args.type = Manager()->GetDefaultType();
  CWaypoint* waypoint = database_->CreateLoadedWaypoint(args);
  if (flags & kWptType) {
    SItemId type;
    if (!stream.ReadBuf(&type, 16, error)) return false;
    fixups.Add(std::make_unique<CWaypointFixup>(type, waypoint));
  }
  return !(flags & kWptLinks) || ReadLinks(stream, flags, waypoint, error);
}

// The optional fields in the file's order, which is not the order of the bits.
bool CWaypointReader2_0_0_0::ReadWaypointOptions(CStream& stream, uint16_t flags,
                                                 SWaypointArgs& args, uint32_t& error) {
  args.labelPlacement = kDefaultPlacement;
  args.floatAttribute2 = -1.0f;
  auto nonNegative = [&](uint16_t flag, float& value) {
    if (!(flags & flag)) return true;
    if (!stream.ReadFloat(value, error)) return false;
    return !(value < 0.0f) || td::Fail(kErrFileFormat, error);
  };
  if ((flags & kWptAltitude) && !stream.ReadDouble(args.position.h, error)) return false;
  if ((flags & kWptComment) && !stream.ReadShortStr(args.comment, error)) return false;
  if (flags & kWptPlacement) {
    uint8_t placement;
    if (!stream.ReadBYTE(placement, error)) return false;
    if (placement > 8) return td::Fail(kErrFileFormat, error);
    args.labelPlacement = placement;
  }
  if (!nonNegative(kWptFloat1, args.floatAttribute1) ||
      !nonNegative(kWptFloat2, args.floatAttribute2) || !nonNegative(kWptRadius, args.radius))
    return false;
  if ((flags & kWptInt) && !stream.ReadDWORD(args.intAttribute, error)) return false;
  return !(flags & kWptDescription) || stream.ReadStr(args.description, error);
}

bool CWaypointReader2_0_0_0::ReadLinks(CStream& stream, uint16_t flags, CWaypoint* waypoint,
                                       uint32_t& error) {
  uint8_t count;
  if (!stream.ReadBYTE(count, error)) return false;
  for (int32_t i = 0; i < count; ++i) {
    CStr text1, text2;
    if (!stream.ReadStr(text1, error) || !stream.ReadStr(text2, error)) return false;
    waypoint->AddLinkInternal(text1, text2);
  }
  auto chosen = [&](uint16_t flag, void (CWaypoint::*choose)(int32_t)) {
    if (!(flags & flag)) return true;
    uint8_t index;
    if (!stream.ReadBYTE(index, error)) return false;
    if (index >= count) return td::Fail(kErrFileFormat, error);
    (waypoint->*choose)(index);
    return true;
  };
  return chosen(kWptChosen1, &CWaypoint::ChooseLinkInternal1) &&
         chosen(kWptChosen2, &CWaypoint::ChooseLinkInternal2);
}

bool CWaypointReader2_0_0_0::ReadGroup(CStream& stream, CFixupList& fixups, uint32_t& error) {
  CRecordIn record;
  if (!record.Read(stream, kGroupSize, error)) return false;
  SItemId id = record.GetId();
  uint32_t created = record.Get<uint32_t>();
  uint32_t modified = record.Get<uint32_t>();
  uint32_t count = record.Get<uint32_t>();
  CStr name;
  if (!stream.ReadShortStr(name, error)) return false;
  if (count > kMaxFileWaypoints) return td::Fail(kErrFileFormat, error);
  CWaypointGroup* group = database_->CreateLoadedGroup(id, name, created, modified);
  if (!CheckFits(stream, count, kMemberSize, error)) return false;
  std::vector<SItemId> members(count);
  if (count && !stream.ReadBuf(members.data(), static_cast<int32_t>(count * 16), error))
    return false;
  for (const SItemId& member : members)
    fixups.Add(std::make_unique<CWaypointGroupFixup>(member, group));
  return true;
}

bool CWaypointReader2_0_0_0::ReadRoute(CStream& stream, CFixupList& fixups, uint32_t& error) {
  CRecordIn record;
  if (!record.Read(stream, kRouteSize, error)) return false;
  SItemId id = record.GetId();
  uint32_t created = record.Get<uint32_t>();
  uint32_t modified = record.Get<uint32_t>();
  uint16_t count = record.Get<uint16_t>();
  CStr name;
  if (!stream.ReadShortStr(name, error)) return false;
  CWaypointRoute* route = database_->CreateLoadedRoute(id, name, created, modified);
  if (!CheckFits(stream, count, kMinPoint, error)) return false;
  for (int32_t i = 0; i < count; ++i) {
    if (!record.Read(stream, kPointSize, error)) return false;
    SGeo3D position{record.Get<double>(), record.Get<double>(), 0.0};
    float radius = record.Get<float>();
    uint8_t flags = record.Get<uint8_t>();
    CStr pointName;
    if (!stream.ReadShortStr(pointName, error)) return false;
    if ((flags & kPointAltitude) && !stream.ReadDouble(position.h, error)) return false;
    SItemId waypoint;
    if ((flags & kPointWaypoint) && !stream.ReadBuf(&waypoint, 16, error)) return false;
    CRoutePoint* point = route->AppendPointInternal(pointName, position, radius);
    if (flags & kPointWaypoint) fixups.Add(std::make_unique<CRoutePointFixup>(waypoint, point));
  }
  return true;
}

// ---- Writing ----

// The identifier of a reference that a file can hold: an item of a database.
bool GetReferencedItemId(CWaypointManagerItem* item, const SItemId** id) {
  bool stored = item && item->GetDatabase();
  *id = stored ? item->GetId() : nullptr;
  return stored;
}

// The reference a waiting item still holds as a fix-up, else its resolved one.
bool ReferenceOf(CWaypointManagerItem* item, const void* waiting, const CFixupList* pending,
                 SItemId& id) {
  if (pending && pending->IsWaiting(waiting)) {
    id = pending->PendingIds(waiting).front();
    return true;
  }
  const SItemId* stored;
  if (!GetReferencedItemId(item, &stored)) return false;
  id = *stored;
  return true;
}

bool CheckCount(int64_t count, int64_t limit, uint32_t code, uint32_t& error) {
  return count <= limit || td::Fail(code, error);
}

int32_t Side(const CBmp32* bitmap, bool width) {
  if (!bitmap) return 0;
  return width ? bitmap->Width() : bitmap->Height();
}

bool CheckTypeStorable(CWaypointType* type, uint32_t& error) {
  CBmp32* icon = type->GetPlainIcon();
  CBmp32* overlay = type->GetOverlay();
  auto byteRange = [&](int32_t value, uint32_t low, uint32_t high) {
    return value < 0 ? td::Fail(low, error) : value > 255 ? td::Fail(high, error) : true;
  };
  return td::WPMCheckIcon(Side(icon, true), Side(icon, false), type->GetIconOriginX(),
                          type->GetIconOriginY(), &error) &&
         td::WPMCheckFontSize(type->GetFontSize(), &error) &&
         byteRange(type->GetCommentFontSize(), kErrFontTooSmall, kErrFontTooLarge) &&
         byteRange(Side(overlay, true), kErrIconTooSmall, kErrIconTooLarge) &&
         byteRange(Side(overlay, false), kErrIconTooSmall, kErrIconTooLarge);
}

bool CheckWaypointStorable(CWaypoint* waypoint, uint32_t& error) {
  int32_t placement = waypoint->GetLabelPlacement();
  bool fits = placement >= 0 && placement <= 8 && !(waypoint->GetFloatAttribute1() < 0.0f) &&
              !(waypoint->GetRadius() < 0.0f) &&
              waypoint->GetLinkCount() <= static_cast<int32_t>(kMaxFileLinks);
  return fits || td::Fail(kErrFileFormat, error);
}

bool WritePixels(CStream& stream, const CBmp32* bitmap, uint32_t& error) {
  for (int32_t y = 0; y < Side(bitmap, false); ++y)
    if (!stream.WriteBuf(bitmap->Row(y), bitmap->Width() * 4, error)) return false;
  return true;
}

bool WriteType(CStream& stream, CWaypointType* type, uint32_t& error) {
  CBmp32* icon = type->GetPlainIcon();
  CBmp32* overlay = type->GetOverlay();
  uint32_t nameColor = type->GetDayColor(), commentColor = type->GetCommentDayColor();
  uint16_t flags =
      static_cast<uint16_t>((type->GetFontStyle() & 7) | ((type->GetCommentFontStyle() & 7) << 3));
  if (nameColor != kBlack) flags |= kTypeNameColor;
  if (commentColor != kBlack) flags |= kTypeCommentColor;
  if (type->GetShowOverlay()) flags |= kTypeOverlayShown;
  CRecordOut record;
  record.Put(*type->GetId())
      .Put(type->GetCreatedSeconds())
      .Put(type->GetModifiedSeconds())
      .Put(type->GetIconOriginX())
      .Put(type->GetIconOriginY())
      .Put(static_cast<uint8_t>(Side(icon, true)))
      .Put(static_cast<uint8_t>(Side(icon, false)))
      .Put(static_cast<uint8_t>(Side(overlay, true)))
      .Put(static_cast<uint8_t>(Side(overlay, false)))
      .Put(static_cast<uint8_t>(type->GetFontSize()))
      .Put(static_cast<uint8_t>(type->GetCommentFontSize()))
      .Put(flags);
  return record.Write(stream, error) && WritePixels(stream, icon, error) &&
         WritePixels(stream, overlay, error) && stream.WriteShortStr(type->GetOwnName(), error) &&
         (!(flags & kTypeNameColor) || stream.WriteDWORD(nameColor, error)) &&
         (!(flags & kTypeCommentColor) || stream.WriteDWORD(commentColor, error));
}

int32_t LinkIndex(CWaypoint* waypoint, CWaypointLink* link) {
  for (int32_t i = 0; link && i < waypoint->GetLinkCount(); ++i)
    if (waypoint->GetLink(i) == link) return i;
  return -1;
}

uint16_t WaypointFlags(CWaypoint* w, bool hasType, int32_t chosen1, int32_t chosen2) {
  uint16_t flags = 0;
  auto set = [&](bool condition, uint16_t flag) {
    if (condition) flags |= flag;
  };
  set(w->GetPosition()->h != 0.0, kWptAltitude);
  set(w->GetComment()->GetLength() > 0, kWptComment);
  set(w->GetLabelPlacement() != kDefaultPlacement, kWptPlacement);
  set(w->GetFloatAttribute1() != 0.0f, kWptFloat1);
  set(w->GetFloatAttribute2() >= 0.0f, kWptFloat2);
  set(w->GetRadius() != 0.0f, kWptRadius);
  set(w->GetIntAttribute() != 0, kWptInt);
  set(w->GetDescription()->GetLength() > 0, kWptDescription);
  set(hasType, kWptType);
  bool links = w->GetLinkCount() > 0;
  set(links, kWptLinks);
  set(links && chosen1 >= 0, kWptChosen1);
  set(links && chosen2 >= 0, kWptChosen2);
  return flags;
}

bool WriteWaypoint(CStream& stream, CWaypoint* w, const CFixupList* pending, uint32_t& error) {
  SItemId type;
  bool hasType = ReferenceOf(w->GetType(), w, pending, type);
  int32_t chosen1 = LinkIndex(w, w->GetChosenLink1()), chosen2 = LinkIndex(w, w->GetChosenLink2());
  uint16_t flags = WaypointFlags(w, hasType, chosen1, chosen2);
  const SGeo3D& position = *w->GetPosition();
  CRecordOut record;
  record.Put(*w->GetId())
      .Put(w->GetCreatedSeconds())
      .Put(w->GetModifiedSeconds())
      .Put(position.lat)
      .Put(position.lon)
      .Put(flags);
  auto when = [&](uint16_t flag, auto write) { return !(flags & flag) || write(); };
  bool ok =
      record.Write(stream, error) && stream.WriteShortStr(w->GetOwnName(), error) &&
      when(kWptAltitude, [&] { return stream.WriteDouble(position.h, error); }) &&
      when(kWptComment, [&] { return stream.WriteShortStr(*w->GetComment(), error); }) &&
      when(kWptPlacement,
           [&] { return stream.WriteBYTE(static_cast<uint8_t>(w->GetLabelPlacement()), error); }) &&
      when(kWptFloat1, [&] { return stream.WriteFloat(w->GetFloatAttribute1(), error); }) &&
      when(kWptFloat2, [&] { return stream.WriteFloat(w->GetFloatAttribute2(), error); }) &&
      when(kWptRadius, [&] { return stream.WriteFloat(w->GetRadius(), error); }) &&
      when(kWptInt, [&] { return stream.WriteDWORD(w->GetIntAttribute(), error); }) &&
      when(kWptDescription, [&] { return stream.WriteStr(*w->GetDescription(), error); }) &&
      when(kWptType, [&] { return stream.WriteBuf(&type, 16, error); });
  if (!ok || !(flags & kWptLinks)) return ok;
  if (!stream.WriteBYTE(static_cast<uint8_t>(w->GetLinkCount()), error)) return false;
  for (int32_t i = 0; i < w->GetLinkCount(); ++i) {
    CWaypointLink* link = w->GetLink(i);
    if (!stream.WriteStr(*link->GetText1(), error) || !stream.WriteStr(*link->GetText2(), error))
      return false;
  }
  return when(kWptChosen1,
              [&] { return stream.WriteBYTE(static_cast<uint8_t>(chosen1), error); }) &&
         when(kWptChosen2, [&] { return stream.WriteBYTE(static_cast<uint8_t>(chosen2), error); });
}

// The members a file holds: those of a database, then the ones still waiting.
std::vector<SItemId> StoredMembers(CWaypointGroup* group, const CFixupList* pending) {
  std::vector<SItemId> ids;
  for (int32_t i = 0; i < group->GetCount(); ++i) {
    const SItemId* id;
    if (GetReferencedItemId(group->GetWaypoint(i), &id)) ids.push_back(*id);
  }
  if (pending)
    for (const SItemId& id : pending->PendingIds(group)) ids.push_back(id);
  return ids;
}

bool WriteGroup(CStream& stream, CWaypointGroup* group, const CFixupList* pending,
                uint32_t& error) {
  std::vector<SItemId> members = StoredMembers(group, pending);
  if (!CheckCount(static_cast<int64_t>(members.size()), kMaxFileWaypoints, kErrWptMaxWaypoints,
                  error))
    return false;
  CRecordOut record;
  record.Put(*group->GetId())
      .Put(group->GetCreatedSeconds())
      .Put(group->GetModifiedSeconds())
      .Put(static_cast<uint32_t>(members.size()));
  return record.Write(stream, error) && stream.WriteShortStr(group->GetOwnName(), error) &&
         (members.empty() ||
          stream.WriteBuf(members.data(), static_cast<int32_t>(members.size() * 16), error));
}

bool WritePoint(CStream& stream, CRoutePoint* point, const CFixupList* pending, uint32_t& error) {
  SItemId waypoint;
  bool attached = ReferenceOf(point->GetWaypoint(), point, pending, waypoint);
  const SGeo3D& position = *point->GetPosition();
  uint8_t flags = static_cast<uint8_t>((position.h != 0.0 ? kPointAltitude : 0) |
                                       (attached ? kPointWaypoint : 0));
  CRecordOut record;
  record.Put(position.lat).Put(position.lon).Put(point->GetRadius()).Put(flags);
  return record.Write(stream, error) && stream.WriteShortStr(point->GetOwnName(), error) &&
         (!(flags & kPointAltitude) || stream.WriteDouble(position.h, error)) &&
         (!attached || stream.WriteBuf(&waypoint, 16, error));
}

bool WriteRoute(CStream& stream, CWaypointRoute* route, const CFixupList* pending,
                uint32_t& error) {
  CRecordOut record;
  record.Put(*route->GetId())
      .Put(route->GetCreatedSeconds())
      .Put(route->GetModifiedSeconds())
      .Put(static_cast<uint16_t>(route->GetPointCount()));
  if (!record.Write(stream, error) || !stream.WriteShortStr(route->GetOwnName(), error))
    return false;
  for (int32_t i = 0; i < route->GetPointCount(); ++i)
    if (!WritePoint(stream, route->GetPoint(i), pending, error)) return false;
  return true;
}

}  // namespace

bool ReadWaypointDatabase(CStream& stream, CWaypointDatabase* database, SDatabaseHeader& header,
                          CFixupList& fixups, SProgress* progress, uint32_t& error) {
  uint32_t version;
  if (!stream.CheckHeader(CStr(kFileId), error) || !stream.ReadVersion(version, error))
    return false;
  std::unique_ptr<CWaypointReader> reader;
  if (version == kWptFileVersion2)
    reader = std::make_unique<CWaypointReader2_0_0_0>(database);
  else if (version == kWptFileVersion1)
    reader = std::make_unique<CWaypointReader1_0_0_0>(database);
  else
    return td::Fail(version > kWptFileVersion2 ? kErrFileVersionNewer : kErrFileVersionUnknown, error);
  return reader->Read(stream, header, fixups, progress, error);
}

bool CheckDatabaseStorable(CWaypointDatabase& database, uint32_t& error) {
  error = kErrNone;
  if (!CheckCount(database.GetTypeCount(), kMaxFileShortCount, kErrWptMaxTypes, error) ||
      !CheckCount(database.GetGroupCount(), kMaxFileShortCount, kErrWptMaxGroups, error) ||
      !CheckCount(database.GetRouteCount(), kMaxFileShortCount, kErrWptMaxRoutes, error) ||
      !CheckCount(database.GetWaypointCount(), kMaxFileWaypoints, kErrWptMaxWaypoints, error))
    return false;
  for (int32_t i = 0; i < database.GetTypeCount(); ++i)
    if (!CheckTypeStorable(database.GetType(i), error)) return false;
  for (int32_t i = 0; i < database.GetWaypointCount(); ++i)
    if (!CheckWaypointStorable(database.GetWaypoint(i), error)) return false;
  for (int32_t i = 0; i < database.GetGroupCount(); ++i)
    if (!CheckCount(database.GetGroup(i)->GetCount(), kMaxFileWaypoints, kErrWptMaxWaypoints,
                    error))
      return false;
  for (int32_t i = 0; i < database.GetRouteCount(); ++i)
    if (!CheckCount(database.GetRoute(i)->GetPointCount(), kMaxFileShortCount,
                    kErrWptMaxRoutePoints, error))
      return false;
  return true;
}

bool WriteWaypointDatabase(CStream& stream, CWaypointDatabase& database, uint32_t modifiedTime,
                           const CFixupList* pending, uint32_t& error) {
  if (!CheckDatabaseStorable(database, error)) return false;
  uint8_t flags = static_cast<uint8_t>((database.IsLocked() ? kDatabaseLocked : 0) |
                                       (database.IsReadOnly() ? kDatabaseReadOnly : 0));
  CRecordOut header;
  header.Put(uint64_t{0})
      .Put(*database.GetId())
      .Put(database.GetContentVersion())
      .Put(modifiedTime)
      .Put(static_cast<uint32_t>(database.GetWaypointCount()))
      .Put(static_cast<uint16_t>(database.GetTypeCount()))
      .Put(static_cast<uint16_t>(database.GetGroupCount()))
      .Put(static_cast<uint16_t>(database.GetRouteCount()))
      .Put(flags);
  if (!stream.WriteBuf(kFileId, 12, error) || !stream.WriteVersion(kWptFileVersion2, error) ||
      !header.Write(stream, error) || !stream.WriteShortStr(database.GetName(), error))
    return false;
  for (int32_t i = 0; i < database.GetTypeCount(); ++i)
    if (!WriteType(stream, database.GetType(i), error)) return false;
  for (int32_t i = 0; i < database.GetWaypointCount(); ++i)
    if (!WriteWaypoint(stream, database.GetWaypoint(i), pending, error)) return false;
  for (int32_t i = 0; i < database.GetGroupCount(); ++i)
    if (!WriteGroup(stream, database.GetGroup(i), pending, error)) return false;
  for (int32_t i = 0; i < database.GetRouteCount(); ++i)
    if (!WriteRoute(stream, database.GetRoute(i), pending, error)) return false;
  return true;
}
