#!/usr/bin/python3
"""The slot checker on small libraries: each case is a header with one table,
a .def file and one source, built into a repository of its own beside the real
core headers (Abi.h, Object.h, ErrorCodes.h, Guard.h). A case that breaks the
rule must be reported with the expected words; a clean one must pass.

Usage: check_slot_guards_test.py <repository root> [case name ...]
"""

import multiprocessing
import os
import shutil
import sys
import tempfile

ROOT = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else ".")
sys.dont_write_bytecode = True  # the source tree stays as checked out
sys.path.insert(0, os.path.join(ROOT, "scripts"))
import check_slot_guards as checker  # noqa: E402

CORE = ["lib/foundation/core/Abi.h", "lib/foundation/core/Object.h", "lib/foundation/core/ErrorCodes.h",
        "lib/foundation/exports/Guard.h"]

HEADER = """#include <stdint.h>
typedef struct TdObject TdObject;
typedef void* (__stdcall* TdDeleteThis)(TdObject* self, unsigned flags);
typedef struct TdThingTable {
  TdDeleteThis DeleteThis;
  int32_t(__stdcall* Run)(TdObject* self);
} TdThingTable;
"""

PRELUDE = """#include <cstdint>
#include <cstdlib>
#include <new>
#include "lib/foundation/exports/Guard.h"
int Elsewhere();  // defined in another file, not noexcept
int Throws() { throw 1; }
int Harmless() { return 1; }
"""

# The class of the table, around a body of Run.
THING = """
class CThing : public CObject {
 public:
  TD_DELETE_THIS(CThing)
  virtual int32_t TD_STDCALL Run() { %s }
};
"""

CASES = [
    # name, source after the prelude, expected words (None: clean), options
    # Calls through a pointer written fp(...).
    ("pointer at file scope", "int (*g_Fp)() = Harmless;" + THING % "return g_Fp();",
     "calls through the pointer g_Fp", {}),
    ("local pointer", THING % "int (*fp)() = Harmless; return fp();", "calls through the pointer fp", {}),
    ("pointer in a struct field", "struct SHooks { int (*Hook)(); };" + THING % "SHooks h{Harmless}; return h.Hook();",
     "calls through the pointer Hook", {}),
    ("pointer passed to a same-file helper", "int Call(int (*fp)()) { return fp(); }" + THING % "return Call(Harmless);",
     "calls through the pointer fp", {}),
    ("pointer written (*fp)(...)", "int (*g_Fp)() = Harmless;" + THING % "return (*g_Fp)();", "through", {}),
    ("init-capture calling a method", "struct SList { int* Snapshot() { return new int(1); } };"
     + THING % "SList list; return td::Guard(0, [c = list.Snapshot()] { return *c; });", "uses new", {}),
    # Lambdas.
    ("init-capture that allocates, before the guard",
     "int* Allocate() { return new int(1); }" + THING % "return td::Guard(0, [c = Allocate()] { return *c; });",
     "uses new", {}),
    ("failure action of GuardVoid that throws",
     THING % "int r = 0; td::GuardVoid([&] { r = Elsewhere(); }, [&] { r = Throws(); }); return r;", "throws", {}),
    ("failure action of GuardVoid that calls another file",
     THING % "int r = 0; td::GuardVoid([&] { r = Elsewhere(); }, [&] { r = Elsewhere(); }); return r;",
     "calls Elsewhere", {}),
    ("lambda called in the slot", THING % "auto run = [] { return Throws(); }; return run();", "throws", {}),
    # Constructors.
    ("initialiser wrapped in an implicit conversion",
     "double NearestDate(double);\nstruct SDay { int n; SDay() : n(NearestDate(1.5)) {} };" + THING % "SDay d; return d.n;",
     "NearestDate", {}),
    ("default member initialiser", "struct SName { int n = Elsewhere(); };" + THING % "SName s; return s.n;",
     "calls Elsewhere", {}),
    ("default member initialiser under a written constructor",
     "struct SName { int n = Elsewhere(); int k; SName() : k(1) {} };" + THING % "SName s; return s.n;",
     "calls Elsewhere", {}),
    ("implicit base-class constructor that calls another file",
     "struct SBase { SBase() { Elsewhere(); } };\nstruct SDerived : SBase { SDerived() {} };"
     + THING % "SDerived d; return 0;", "calls Elsewhere", {}),
    ("implicit constructor of a member",
     "struct SPart { SPart() { Elsewhere(); } };\nstruct SWhole { SPart part; };" + THING % "SWhole w; return 0;",
     "calls Elsewhere", {}),
    # Destructors.
    ("local whose destructor is noexcept(false) and throws",
     "struct SLoud { ~SLoud() noexcept(false) { Throws(); } };" + THING % "SLoud loud; return 0;", "throws", {}),
    ("slot 0's destructor chain",
     "class CThing : public CObject {\n public:\n  TD_DELETE_THIS(CThing)\n  ~CThing() { Elsewhere(); }\n"
     "  virtual int32_t TD_STDCALL Run() { return 0; }\n};", "DeleteThis", {}),
    ("destructor of a member in slot 0's chain",
     "struct SPart { ~SPart() { Elsewhere(); } };\nclass CThing : public CObject {\n public:\n"
     "  TD_DELETE_THIS(CThing)\n  SPart part;\n  virtual int32_t TD_STDCALL Run() { return 0; }\n};",
     "DeleteThis", {}),
    ("destructor that throws inside a guard: no handler runs",
     "struct SLoud { ~SLoud() { Throws(); } };" + THING % "return td::Guard(0, [] { SLoud loud; return 1; });",
     "throws", {}),
    ("noexcept template that throws inside a catch-all",
     "template <class F> void Quietly(F f) noexcept { f(); }"
     + THING % "try { Quietly([] { Throws(); }); } catch (...) {} return 0;", "throws", {}),
    # Default arguments.
    ("default argument left out at the call", "int Twice(int x = Throws()) { return 2 * x; }" + THING % "return Twice();",
     "default argument", {}),
    # C functions that call back.
    ("std::qsort with a comparator that throws",
     "int Compare(const void*, const void*) { return Throws(); }"
     + THING % "int a[2] = {2, 1}; std::qsort(a, 2, sizeof a[0], Compare); return a[0];", "hands Compare", {}),
    ("std::qsort with a lambda that throws",
     THING % "int a[2] = {2, 1}; std::qsort(a, 2, sizeof a[0], [](const void*, const void*) { return Throws(); });"
     " return a[0];", "hands a lambda", {}),
    # Overloads.
    ("two overloads, the throwing one first",
     "class CThing : public CObject {\n public:\n  TD_DELETE_THIS(CThing)\n"
     "  virtual int32_t TD_STDCALL Run() { return Throws(); }\n"
     "  virtual int32_t TD_STDCALL Run(int32_t k) { return k; }\n};", "CThing::Run() may let", {}),
    # Scope: tables, folders, entry points.
    ("table written without a space before the brace", THING % "return Throws();", "throws",
     {"header": HEADER.replace("TdThingTable {", "TdThingTable{")}),
    ("slot in lib/widgets", THING % "return Throws();", "throws", {"folder": "widgets"}),
    ("subclass in lib/widgets of a class in lib/gps", '#include "lib/gps/Thing.h"', "CDerived::Run() may let",
     {"files": {"lib/gps/Thing.h": '#pragma once\n#include "lib/foundation/core/Object.h"\n' + THING % "return 0;",
                "lib/widgets/Derived.cpp": PRELUDE + '#include "lib/gps/Thing.h"\nclass CDerived : public CThing {\n'
                " public:\n  TD_DELETE_THIS(CDerived)\n  int32_t TD_STDCALL Run() override { return Throws(); }\n};\n"}}),
    ("window procedure", "long TD_STDCALL WindowProc(void*, unsigned, unsigned, long) { return Throws(); }"
     + THING % "return 0;", "WindowProc", {}),
    ("thread body", "unsigned TD_STDCALL Body(void*) { Elsewhere(); return 0; }" + THING % "return 0;", "Body", {}),
    ("table of a class the library lacks", THING % "return 0;", "CGhost of table TdGhostTable is not defined",
     {"header": HEADER + "typedef struct TdGhostTable { TdDeleteThis DeleteThis; } TdGhostTable;\n"}),
    ("table listing an operation the class lacks", THING % "return 0;", "lists Stop",
     {"header": HEADER.replace("} TdThingTable;", "  void(__stdcall* Stop)(TdObject* self);\n} TdThingTable;")}),
    ("table the parser does not see", THING % "return 0;", "the text opens 2 records",
     {"header": HEADER + "#if 0\ntypedef struct TdGhostTable { TdDeleteThis DeleteThis; } TdGhostTable;\n#endif\n"}),
    # What the checker caught before.
    ("throw in a slot", THING % "throw 1;", "throws", {}),
    ("new in a slot", THING % "int* p = new int(1); return *p;", "uses new", {}),
    ("call into another file", THING % "return Elsewhere();", "calls Elsewhere", {}),
    ("dynamic_cast to a reference", THING % "return dynamic_cast<CThing&>(*this).Run();", "casts to a reference", {}),
    ("slot taking bool", "class CThing : public CObject {\n public:\n  TD_DELETE_THIS(CThing)\n"
     "  virtual int32_t TD_STDCALL Run(bool on) { return on; }\n};", "takes bool", {}),
    ("export that throws", THING % "return 0;" + "TDEXPORT(int32_t) ThingRun() { return Throws(); }",
     "ThingRun may let", {"exports": ["ThingRun"]}),
    ("export not defined", THING % "return 0;", "export ThingGone is not defined", {"exports": ["ThingGone"]}),
    ("noexcept function that throws", "int Quiet() noexcept { return Throws(); }" + THING % "return 0;", "Quiet", {}),
    # Clean: each must pass.
    ("guarded call into another file", THING % "return td::Guard(0, [&] { return Elsewhere(); });", None, {}),
    ("GuardVoid with a harmless failure action",
     THING % "int r = 0; td::GuardVoid([&] { r = Elsewhere(); }, [&] { r = -1; }); return r;", None, {}),
    ("call through a stdcall pointer", "int (TD_STDCALL* g_Fp)();" + THING % "return g_Fp ? g_Fp() : 0;", None, {}),
    ("call through a noexcept pointer", "int Quiet() noexcept { return 1; }\nint (*g_Fp)() noexcept = Quiet;"
     + THING % "return g_Fp();", None, {}),
    ("export through td::Create", THING % "return Harmless();" + "TDEXPORT(CObject*) ThingCreate() "
     "{ return td::Create<CThing>(); }", None, {"exports": ["ThingCreate"]}),
    ("constructor, destructor and default argument that keep the rule",
     "struct SPart { int n = Harmless(); ~SPart() { n = 0; } };\nint Twice(int x = Harmless()) { return 2 * x; }"
     + THING % "SPart p; return Twice() + p.n;", None, {}),
    ("std::qsort with a harmless comparator",
     "int Compare(const void* a, const void* b) { return *(const int*)a - *(const int*)b; }"
     + THING % "int a[2] = {2, 1}; std::qsort(a, 2, sizeof a[0], Compare); return a[0];", None, {}),
    ("two overloads that keep the rule",
     "class CThing : public CObject {\n public:\n  TD_DELETE_THIS(CThing)\n"
     "  virtual int32_t TD_STDCALL Run() { return 1; }\n"
     "  virtual int32_t TD_STDCALL Run(int32_t k) { return td::Guard(0, [&] { return k + Elsewhere(); }); }\n};",
     None, {}),
    ("window procedure with a catch-all",
     "long TD_STDCALL WindowProc(void*, unsigned, unsigned, long) { try { return Throws(); } catch (...) { return 0; } }"
     + THING % "return 0;", None, {}),
]


def build(folder, case):
    name, source, expected, options = case
    for path in CORE:
        os.makedirs(os.path.dirname(os.path.join(folder, path)), exist_ok=True)
        shutil.copy(os.path.join(ROOT, path), os.path.join(folder, path))
    os.makedirs(os.path.join(folder, "include"))
    with open(os.path.join(folder, "include", "TdLib.h"), "w") as out:
        out.write(options.get("header", HEADER))
    with open(os.path.join(folder, "lib", "foundation", "exports", "TdLib.def"), "w") as out:
        out.write("LIBRARY TdLib.dll\nEXPORTS\n" + "".join("    %s\n" % e for e in options.get("exports", [])))
    sub = os.path.join(folder, "lib", options.get("folder", "gps"))
    os.makedirs(sub, exist_ok=True)
    with open(os.path.join(sub, "Snippet.cpp"), "w") as out:
        out.write(PRELUDE + source + "\n")
    for path, text in options.get("files", {}).items():
        os.makedirs(os.path.dirname(os.path.join(folder, path)), exist_ok=True)
        with open(os.path.join(folder, path), "w") as out:
            out.write(text)


def run(case):
    name, _, expected, _ = case
    with tempfile.TemporaryDirectory() as folder:
        build(folder, case)
        faults, _, _ = checker.analyse_all(folder, jobs=1, precompiled=False)
    if expected is None:
        return name, not faults, "expected to pass, reported:\n    " + "\n    ".join(faults)
    found = any(expected in fault for fault in faults)
    return name, found, "expected a fault naming %r, reported:\n    %s" % (expected, "\n    ".join(faults) or "nothing")


def main():
    chosen = [c for c in CASES if len(sys.argv) <= 2 or c[0] in sys.argv[2:]]
    with multiprocessing.Pool(os.cpu_count()) as pool:
        results = pool.map(run, chosen, chunksize=1)
    failed = [(name, message) for name, ok, message in results if not ok]
    for name, message in failed:
        print("FAILED %s: %s" % (name, message))
    print("%d cases, %d failed" % (len(results), len(failed)))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
