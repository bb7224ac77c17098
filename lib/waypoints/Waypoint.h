// CWaypoint: a named position with its type, label placement, arrival radius,
// texts, links and host values, tied to groups through its group count and to
// route points, which follow it when it moves. Host thread only. A link or a
// text returned stays valid until it is changed or the waypoint goes.
#pragma once

#include <cstdint>
#include <vector>

#include "lib/foundation/containers/List.h"
#include "lib/geodesy/GeoPosition.h"
#include "lib/waypoints/WaypointManagerItem.h"

struct SWaypointArgs {
  SItemArgs item;
  CStr comment;
  int32_t labelPlacement;
  SGeo3D position;
  float floatAttribute1;
  float floatAttribute2;
  float radius;
  uint32_t intAttribute;
  CStr description;
  CWaypointType* type;
};

class CWaypoint : public CWaypointManagerItem {
 public:
  explicit CWaypoint(const SWaypointArgs& args);
  // Frees the links and texts; attached points stay where they are, unattached.
  ~CWaypoint();
  TD_DELETE_THIS(CWaypoint)

  void TD_STDCALL Assign(CWaypointManagerItem* source, uint32_t* error) override;
  int32_t TD_STDCALL GetStoreSize(uint8_t whole) override;
  void TD_STDCALL Delete(uint32_t* error) override;

  virtual CWaypointLink* TD_STDCALL AddLink(const CStr* text1, const CStr* text2, uint32_t* error);
  virtual void TD_STDCALL DeleteLink(int32_t index, uint32_t* error);
  virtual int32_t TD_STDCALL GetGroupCount();
  virtual void TD_STDCALL GetGroups(CWaypointGroupList* groups);
  virtual double TD_STDCALL GetAltitude();
  virtual double TD_STDCALL GetLatitude();
  virtual CWaypointLink* TD_STDCALL GetLink(int32_t index);
  virtual CWaypointLink* TD_STDCALL GetChosenLink1();
  virtual int32_t TD_STDCALL GetLinkCount();
  virtual float TD_STDCALL GetFloatAttribute1();
  virtual CWaypointLink* TD_STDCALL GetChosenLink2();
  virtual double TD_STDCALL GetLongitude();
  virtual int32_t TD_STDCALL GetLabelPlacement();
  virtual SGeo3D* TD_STDCALL GetPosition();
  virtual float TD_STDCALL GetFloatAttribute2();
  virtual float TD_STDCALL GetRadius();
  virtual uint32_t TD_STDCALL GetIntAttribute();
  virtual CStr* TD_STDCALL GetComment();
  virtual CStr* TD_STDCALL GetDescription();
  virtual CWaypointType* TD_STDCALL GetType();
  virtual CWaypointLink* TD_STDCALL InsertLink(int32_t index, const CStr* text1, const CStr* text2,
                                               uint32_t* error);
  virtual void TD_STDCALL RemoveLink(CWaypointLink* link, uint32_t* error);
  virtual void TD_STDCALL SetAltitude(double altitude, uint32_t* error);
  virtual void TD_STDCALL SetLatitude(double latitude, uint32_t* error);
  virtual void TD_STDCALL SetChosenLink1(CWaypointLink* link, uint32_t* error);
  virtual void TD_STDCALL SetFloatAttribute1(float value, uint32_t* error);
  virtual void TD_STDCALL SetChosenLink2(CWaypointLink* link, uint32_t* error);
  virtual void TD_STDCALL SetLongitude(double longitude, uint32_t* error);
  virtual void TD_STDCALL SetLabelPlacement(int32_t placement, uint32_t* error);
  virtual void TD_STDCALL SetPosition(const SGeo3D* position, uint32_t* error);
  virtual void TD_STDCALL SetPosition2D(const SGeo2D* position, uint32_t* error);
  virtual void TD_STDCALL SetFloatAttribute2(float value, uint32_t* error);
  virtual void TD_STDCALL SetRadius(float radius, uint32_t* error);
  virtual void TD_STDCALL SetIntAttribute(uint32_t value, uint32_t* error);
  virtual void TD_STDCALL SetComment(const CStr* comment, uint32_t* error);
  virtual void TD_STDCALL SetDescription(const CStr* description, uint32_t* error);
  virtual void TD_STDCALL SetType(CWaypointType* type, uint32_t* error);

  // Without checks or touch, for readers, groups, routes and fix-ups.
  CWaypointLink* AddLinkInternal(const CStr& text1, const CStr& text2);
  void ChooseLinkInternal1(int32_t index) { chosen1_ = index < 0 ? nullptr : GetLink(index); }
  void ChooseLinkInternal2(int32_t index) { chosen2_ = index < 0 ? nullptr : GetLink(index); }
  void SetTypeInternal(CWaypointType* type) { type_ = type; }
  // The point joins the waypoint's points, takes its position and its route
  // recomputes the distances.
  void AttachRoutePoint(CRoutePoint* point);
  void DetachRoutePoint(CRoutePoint* point);
  // Joins the point to the waypoint's points without moving it.
  void AdoptRoutePoint(CRoutePoint* point) { routePoints_.push_back(point); }
  const std::vector<CRoutePoint*>& GetRoutePoints() const { return routePoints_; }
  void JoinGroup();
  void LeaveGroup();

 private:
  template <class V>
  void SetField(V& field, const V& value, uint32_t* error);
  void SetText(CStr*& field, const CStr& text, uint32_t* error);
  void SetChosenLink(CWaypointLink*& field, CWaypointLink* link, uint32_t* error);
  bool IsOwnLink(const CWaypointLink* link) const;
  int32_t IndexOfLink(const CWaypointLink* link) const;
  void MoveTo(const SGeo3D& position);
  // A copy of the links, for owner: null when there are none.
  CList<CWaypointLink>* CopyLinks(CWaypoint* owner);
  CWaypointLink* PutLink(int32_t index, const CStr& text1, const CStr& text2);
  void FreeLinks();

  int32_t groupCount_ = 0;
  CWaypointLink* chosen1_ = nullptr;
  float floatAttribute1_;
  CList<CWaypointLink>* links_ = nullptr;
  CWaypointLink* chosen2_ = nullptr;
  int32_t labelPlacement_;
  SGeo3D position_;
  float floatAttribute2_;
  float radius_;
  std::vector<CRoutePoint*> routePoints_;
  uint32_t intAttribute_;
  CStr* comment_ = nullptr;
  CStr* description_ = nullptr;
  CWaypointType* type_;
};
