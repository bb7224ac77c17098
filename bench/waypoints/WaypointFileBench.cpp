// Loading and saving a waypoint database of 100,000 waypoints, 100 groups and
// a route, beside SQLite (the same fields as a table, written in one
// transaction and read back into the same waypoint objects) and beside a
// GPX round trip through gpsbabel as a whole process. A route of 60,000
// attached points is loaded beside one of 6,000 to show the growth.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "lib/foundation/text/Language.h"
#include "lib/waypoints/RoutePoint.h"
#include "lib/waypoints/WaypointLink.h"
#include "lib/waypoints/WaypointManager.h"

namespace {

constexpr int32_t kWaypoints = 100000, kGroups = 100;

CWaypointManager* NewManager() {
  SetLanguage(kLangEnglish);
  SWaypointManagerArgs args{
      0, nullptr, nullptr, 0, 0, 0, "Arial", {10, 0, 0xFF000000u, 8, 0, 0xFF000000u}, 5};
  return new CWaypointManager(args);
}

SGeo3D Spread(int64_t i) { return SGeo3D{(i % 1000) * 1e-4, (i / 1000) * 1e-4, 0.0}; }

std::string TempPath(const char* name) { return std::string("/tmp/tdlib_wptbench_") + name; }

// Waypoints with names, comments and positions, a link on every tenth, in
// kGroups groups, and a route through every thousandth.
CWaypointDatabase* BuildDatabase(CWaypointManager* manager, int32_t waypoints) {
  CStr name("Bench");
  CWaypointDatabase* db = manager->CreateDatabase(&name, 0, 0);
  CWaypointGroup* groups[kGroups];
  for (auto& group : groups) group = db->AddGroup();
  CWaypointRoute* route = db->AddRoute();
  uint32_t error;
  for (int32_t i = 0; i < waypoints; ++i) {
    SGeo3D p = Spread(i);
    CWaypoint* w = db->AddWaypoint(&p, nullptr);
    CStr wname(("WP" + std::to_string(i)).c_str()),
        comment(("comment " + std::to_string(i)).c_str());
    w->SetName(&wname, &error);
    w->SetComment(&comment, &error);
    if (i % 10 == 0) w->AddLink(&wname, &comment, &error);
    groups[i % kGroups]->AddWaypoint(w, &error);
    if (i % 1000 == 0) route->AddWaypoint(w, 10.0f, &error);
  }
  return db;
}

CWaypointDatabase* Load(CWaypointManager* manager, const std::string& path) {
  CStr file(path.c_str());
  uint32_t error;
  manager->BeginLoad(1, nullptr);
  CWaypointDatabase* db = manager->OpenDatabase(&file, &error);
  manager->EndLoad();
  return db;
}

void ReportPeakMemory(benchmark::State& state) {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_MB"] = usage.ru_maxrss / 1024.0;
}

void DatabaseSave(benchmark::State& state) {
  CWaypointManager* manager = NewManager();
  CWaypointDatabase* db = BuildDatabase(manager, kWaypoints);
  CStr file(TempPath("save.wpt").c_str());
  uint32_t error = 0;
  for (auto _ : state) db->Save(&file, &error);
  if (error) state.SkipWithError("save failed");
  td::Free(manager);
  ReportPeakMemory(state);
}
BENCHMARK(DatabaseSave)->Unit(benchmark::kMillisecond);

void DatabaseLoad(benchmark::State& state) {
  std::string path = TempPath("load.wpt");
  {
    CWaypointManager* manager = NewManager();
    CStr file(path.c_str());
    uint32_t error;
    BuildDatabase(manager, kWaypoints)->Save(&file, &error);
    td::Free(manager);
  }
  for (auto _ : state) {
    CWaypointManager* manager = NewManager();
    if (!Load(manager, path)) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(manager->GetWaypointCount());
    td::Free(manager);
  }
  ReportPeakMemory(state);
}
BENCHMARK(DatabaseLoad)->Unit(benchmark::kMillisecond);

// A route of n attached points loaded: the fix-ups attach them.
void RouteLoad(benchmark::State& state) {
  std::string path = TempPath("route.wpt");
  {
    CWaypointManager* manager = NewManager();
    CStr name("Route"), file(path.c_str());
    CWaypointDatabase* db = manager->CreateDatabase(&name, 0, 0);
    CWaypointRoute* route = db->AddRoute();
    uint32_t error;
    for (int64_t i = 0; i < state.range(0); ++i) {
      SGeo3D p = Spread(i);
      route->AddWaypoint(db->AddWaypoint(&p, nullptr), 0.0f, &error);
    }
    db->Save(&file, &error);
    td::Free(manager);
  }
  for (auto _ : state) {
    CWaypointManager* manager = NewManager();
    CWaypointDatabase* db = Load(manager, path);
    benchmark::DoNotOptimize(db->GetRoute(0)->GetLength());
    td::Free(manager);
  }
}
BENCHMARK(RouteLoad)->Arg(6000)->Arg(60000)->Unit(benchmark::kMillisecond);

// ---- SQLite, the same fields ----

void Exec(sqlite3* db, const char* sql) { sqlite3_exec(db, sql, nullptr, nullptr, nullptr); }

void SqliteWrite(sqlite3* sql, CWaypointDatabase* db) {
  Exec(sql, "DROP TABLE IF EXISTS wpt");
  Exec(sql,
       "CREATE TABLE wpt (id BLOB, name TEXT, comment TEXT, lat REAL, lon REAL, alt REAL, created "
       "INTEGER, modified INTEGER, grp INTEGER, link1 TEXT, link2 TEXT)");
  Exec(sql, "BEGIN");
  sqlite3_stmt* insert;
  sqlite3_prepare_v2(sql, "INSERT INTO wpt VALUES (?,?,?,?,?,?,?,?,?,?,?)", -1, &insert, nullptr);
  for (int32_t i = 0; i < db->GetWaypointCount(); ++i) {
    CWaypoint* w = db->GetWaypoint(i);
    const SGeo3D& p = *w->GetPosition();
    sqlite3_bind_blob(insert, 1, w->GetId(), 16, SQLITE_STATIC);
    sqlite3_bind_text(insert, 2, w->GetOwnName().c_str(), -1, SQLITE_STATIC);
    sqlite3_bind_text(insert, 3, w->GetComment()->c_str(), -1, SQLITE_STATIC);
    sqlite3_bind_double(insert, 4, p.lat);
    sqlite3_bind_double(insert, 5, p.lon);
    sqlite3_bind_double(insert, 6, p.h);
    sqlite3_bind_int64(insert, 7, w->GetCreatedSeconds());
    sqlite3_bind_int64(insert, 8, w->GetModifiedSeconds());
    sqlite3_bind_int(insert, 9, i % kGroups);
    if (w->GetLinkCount() > 0) {
      sqlite3_bind_text(insert, 10, w->GetLink(0)->GetText1()->c_str(), -1, SQLITE_STATIC);
      sqlite3_bind_text(insert, 11, w->GetLink(0)->GetText2()->c_str(), -1, SQLITE_STATIC);
    } else {
      sqlite3_bind_null(insert, 10);
      sqlite3_bind_null(insert, 11);
    }
    sqlite3_step(insert);
    sqlite3_reset(insert);
  }
  sqlite3_finalize(insert);
  Exec(sql, "COMMIT");
}

const char* Text(sqlite3_stmt* row, int column) {
  const unsigned char* text = sqlite3_column_text(row, column);
  return text ? reinterpret_cast<const char*>(text) : "";
}

void SqliteRead(sqlite3* sql, CWaypointDatabase* db, CWaypointManager* manager) {
  sqlite3_stmt* select;
  sqlite3_prepare_v2(sql, "SELECT * FROM wpt", -1, &select, nullptr);
  while (sqlite3_step(select) == SQLITE_ROW) {
    SWaypointArgs args{};
    std::memcpy(&args.item.id, sqlite3_column_blob(select, 0), 16);
    args.item.name = CStr(Text(select, 1));
    args.comment = CStr(Text(select, 2));
    args.position = {sqlite3_column_double(select, 3), sqlite3_column_double(select, 4),
                     sqlite3_column_double(select, 5)};
    args.item.created = static_cast<uint32_t>(sqlite3_column_int64(select, 6));
    args.item.modified = static_cast<uint32_t>(sqlite3_column_int64(select, 7));
    args.labelPlacement = 5;
    args.floatAttribute2 = -1.0f;
    args.type = manager->GetDefaultType();
    CWaypoint* w = db->CreateLoadedWaypoint(args);
    if (sqlite3_column_type(select, 9) != SQLITE_NULL)
      w->AddLinkInternal(CStr(Text(select, 9)), CStr(Text(select, 10)));
  }
  sqlite3_finalize(select);
}

void SqliteSave(benchmark::State& state) {
  CWaypointManager* manager = NewManager();
  CWaypointDatabase* db = BuildDatabase(manager, kWaypoints);
  std::string path = TempPath("save.sqlite");
  for (auto _ : state) {
    std::remove(path.c_str());
    sqlite3* sql;
    sqlite3_open(path.c_str(), &sql);
    SqliteWrite(sql, db);
    sqlite3_close(sql);
  }
  td::Free(manager);
}
BENCHMARK(SqliteSave)->Unit(benchmark::kMillisecond);

void SqliteLoad(benchmark::State& state) {
  std::string path = TempPath("load.sqlite");
  {
    CWaypointManager* manager = NewManager();
    std::remove(path.c_str());
    sqlite3* sql;
    sqlite3_open(path.c_str(), &sql);
    SqliteWrite(sql, BuildDatabase(manager, kWaypoints));
    sqlite3_close(sql);
    td::Free(manager);
  }
  for (auto _ : state) {
    CWaypointManager* manager = NewManager();
    CStr name("Sqlite");
    CWaypointDatabase* db = manager->CreateDatabase(&name, 0, 0);
    sqlite3* sql;
    sqlite3_open(path.c_str(), &sql);
    SqliteRead(sql, db, manager);
    sqlite3_close(sql);
    benchmark::DoNotOptimize(db->GetWaypointCount());
    td::Free(manager);
  }
}
BENCHMARK(SqliteLoad)->Unit(benchmark::kMillisecond);

// ---- gpsbabel, a whole process reading and writing GPX ----

void WriteGpx(const std::string& path, CWaypointDatabase* db) {
  FILE* out = std::fopen(path.c_str(), "w");
  std::fprintf(out, "<?xml version=\"1.0\"?>\n<gpx version=\"1.1\" creator=\"bench\">\n");
  for (int32_t i = 0; i < db->GetWaypointCount(); ++i) {
    CWaypoint* w = db->GetWaypoint(i);
    const SGeo3D& p = *w->GetPosition();
    std::fprintf(out, "<wpt lat=\"%.9f\" lon=\"%.9f\"><name>%s</name><cmt>%s</cmt></wpt>\n",
                 p.lat * 57.29577951308232, p.lon * 57.29577951308232, w->GetOwnName().c_str(),
                 w->GetComment()->c_str());
  }
  std::fprintf(out, "</gpx>\n");
  std::fclose(out);
}

void GpsbabelRoundTrip(benchmark::State& state) {
  if (std::system("command -v gpsbabel >/dev/null 2>&1") != 0) {
    state.SkipWithError("gpsbabel is not installed");
    return;
  }
  std::string in = TempPath("in.gpx"), out = TempPath("out.gpx");
  {
    CWaypointManager* manager = NewManager();
    WriteGpx(in, BuildDatabase(manager, kWaypoints));
    td::Free(manager);
  }
  std::string command = "gpsbabel -i gpx -f " + in + " -o gpx -F " + out;
  for (auto _ : state)
    if (std::system(command.c_str()) != 0) state.SkipWithError("gpsbabel failed");
}
BENCHMARK(GpsbabelRoundTrip)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
