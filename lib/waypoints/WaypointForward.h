// The classes of the waypoint model, declared for one another.
#pragma once

#include <cstdint>

class CBmp32;
class CRoutePoint;
class CWaypoint;
class CWaypointDatabase;
class CWaypointGroup;
class CWaypointGroupList;
class CWaypointLink;
class CWaypointList;
class CWaypointManager;
class CWaypointManagerItem;
class CWaypointRoute;
class CWaypointType;

// Item state bits.
enum : uint16_t {
  kItemVisitMark = 0x0001,
  kItemFreeStanding = 0x0002,
  kItemDefaultType = 0x0004,
  kItemDefaultGroup = 0x0008,
};

// Which of the four kinds an item is.
enum class EItemKind : uint8_t { Waypoint, Route, Group, Type };
