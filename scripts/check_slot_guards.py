#!/usr/bin/python3
"""Proves that no exception can leave the library through a slot or an export.

A slot is a virtual operation of a class that include/TdLib.h lists with its
table (CTCF2Tag for TdTCF2TagVtbl, CStream for TdStreamTable ...), of the
classes it derives from and of every class derived from it. An export is a
name of lib/foundation/exports/TdLib.def. The rule (lib/foundation/exports/
Guard.h states it for the code) is checked on the body of each:

- it calls only functions that cannot throw: declared noexcept (the library's
  guards td::Guard, td::GuardVoid, td::GuardCode, GuardSlot, td::Create are),
  destructors, C functions of system headers (the C runtime, Win32), other
  slots (checked on their own), or functions whose body this translation unit
  holds and which keep the same rule, recursively;
- it has no throw, no new without std::nothrow, no dynamic_cast to a
  reference;
- the bodies of lambdas count where they are called, so work handed to a
  guard may throw: the guard turns the exception into the failure result;
- a slot or an export takes no bool: a host passes a byte, which is true when
  not 0, and the library reads it as such.

Functions of the library declared noexcept are held to the same rule, since
one that throws ends the process.

A function declared in a header without noexcept and defined in another file
counts as throwing: this is what catches a slot whose call into another
translation unit throws. Every slot and export must be found defined, so a
class or a name cannot drop out unnoticed. Exit status 1 with one line per
fault; 0 when every slot and export is proven.

Usage: check_slot_guards.py <repository root> [--jobs N] [--slot-calls]

--slot-calls lists instead every call of a slot or an export made from inside
the library, one line each: "file:line: caller calls slot". Slot 0
(DeleteThis) is left out: it reports no failure. The library's own code calls
the core that throws, not the guarded door, which swallows the failure.
"""

import glob
import multiprocessing
import os
import re
import subprocess
import sys

import clang.cindex as ci

SUBSYSTEM_DIRS = ["foundation", "geodesy", "bitmap", "charts", "gps", "waypoints"]
# Tables of TdLib.h whose class is named otherwise.
CLASS_ALIASES = {"CWaypointItem": "CWaypointManagerItem"}
MINGW_CXX = "i686-w64-mingw32-g++-posix"
SYSTEM_DEPTH = 8  # how deep the bodies of system-header functions are followed

K = ci.CursorKind
NOTHROW_SPECS = {
    ci.ExceptionSpecificationKind.BASIC_NOEXCEPT,
    ci.ExceptionSpecificationKind.DYNAMIC_NONE,
}


def configure_libclang():
    if ci.Config.loaded:
        return
    for name in sorted(glob.glob("/usr/lib/*/libclang-*.so.1")) + sorted(glob.glob("/usr/lib/*/libclang.so*")):
        ci.Config.set_library_file(name)
        return


def exported_classes(root):
    text = open(os.path.join(root, "include", "TdLib.h"), encoding="latin-1").read()
    names = set()
    for name in re.findall(r"typedef struct Td(\w+?)(?:Vtbl|Table) \{", text):
        cls = "C" + name
        names.add(CLASS_ALIASES.get(cls, cls))
    return names


def exported_functions(root):
    names = set()
    for line in open(os.path.join(root, "lib", "foundation", "exports", "TdLib.def")):
        word = line.split(";")[0].strip().split()
        if word and word[0] not in ("LIBRARY", "EXPORTS"):
            names.add(word[0].split("=")[0].split("@")[0])
    return names


def compiler_args(root):
    args = ["-x", "c++", "-std=c++20", "--target=i686-w64-mingw32", "-nostdinc++", "-D_WIN32_WINNT=0x0601",
            "-I" + root, "-I" + os.path.join(root, "include")]
    probe = subprocess.run([MINGW_CXX, "-x", "c++", "-E", "-v", "-"], input="", capture_output=True, text=True)
    inside = False
    for line in probe.stderr.splitlines():
        if line.startswith("#include <...>"):
            inside = True
        elif line.startswith("End of search list"):
            inside = False
        elif inside:
            args += ["-isystem", line.strip()]
    return args


def translation_units(root, every=False):
    units = []
    subs = sorted(os.listdir(os.path.join(root, "lib"))) if every else SUBSYSTEM_DIRS
    for sub in subs:
        for path in sorted(glob.glob(os.path.join(root, "lib", sub, "**", "*.cpp"), recursive=True)):
            if path.endswith("_posix.cpp"):
                continue
            header = re.sub(r"_win32$", "", path[:-4]) + ".h"
            text = open(path, encoding="latin-1").read()
            if os.path.exists(header):
                text += open(header, encoding="latin-1").read()
            if every or any(word in text for word in ("TD_STDCALL", "TDEXPORT", "TD_DELETE_THIS", "noexcept")):
                units.append(path)
    return units


class Unit:
    """The analysis of one translation unit."""

    def __init__(self, root, tu):
        self.root = os.path.realpath(root) + os.sep
        self.tu = tu
        self.memo = {}
        self.classes = {}  # class name -> base class names
        self.declared = {}  # slot key -> (class, pure)
        self.defined = {}  # slot or export key -> (class or None, where, reason, depends)
        self.depends = None
        self.project_files = {}  # file name -> inside the repository

    def in_project(self, cursor):
        location = cursor.location
        if location.file is None:
            return False
        name = location.file.name
        if name not in self.project_files:
            self.project_files[name] = os.path.realpath(name).startswith(self.root)
        return self.project_files[name]

    def where(self, cursor):
        location = cursor.location
        path = os.path.relpath(os.path.realpath(location.file.name), self.root) if location.file else "?"
        return "%s:%d" % (path, location.line)

    # -- what may throw --------------------------------------------------

    def callee_reason(self, callee, depth):
        if callee is None:
            return "a call through a pointer or an unresolved name"
        if callee.kind == K.DESTRUCTOR:
            return None
        if callee.exception_specification_kind in NOTHROW_SPECS:
            return None
        name = callee.spelling
        if name.startswith("__builtin") or name.startswith("__sync") or name.startswith("__atomic"):
            return None
        if callee.kind == K.CXX_METHOD and callee.is_virtual_method():
            owner = callee.semantic_parent
            self.depends.add((owner.spelling, callee.spelling))
            return None
        if self.is_c_function(callee):
            return None
        if callee.kind in (K.CONSTRUCTOR, K.CXX_METHOD) and self.is_trivial_special(callee):
            return None
        definition = callee.get_definition()
        if definition is None:
            return "calls %s, which is not noexcept and is defined in another file" % self.describe(callee)
        project = self.in_project(definition)
        if not project and depth >= SYSTEM_DEPTH:
            return "calls %s, which is not noexcept" % self.describe(callee)
        reason = self.function_reason(definition, depth + (0 if project else 1))
        if reason:
            return "calls %s, which %s" % (self.describe(callee), reason)
        return None

    def is_c_function(self, callee):
        if callee.kind != K.FUNCTION_DECL or self.in_project(callee):
            return False
        if callee.spelling.startswith("operator"):
            return False
        parent = callee.semantic_parent
        location = callee.location.file
        return (parent is not None and parent.kind in (K.TRANSLATION_UNIT, K.LINKAGE_SPEC, K.UNEXPOSED_DECL)
                and location is not None and location.name.endswith(".h"))

    def is_trivial_special(self, callee):
        # Implicit copies and moves of plain records.
        if callee.location.file is not None and callee.is_default_method() is False:
            if callee.extent.start.offset != callee.extent.end.offset:
                return False
        owner = callee.semantic_parent
        return owner is not None and owner.type.is_pod()

    def describe(self, callee):
        parent = callee.semantic_parent
        prefix = parent.spelling + "::" if parent is not None and parent.spelling and parent.kind in (
            K.CLASS_DECL, K.STRUCT_DECL, K.CLASS_TEMPLATE, K.NAMESPACE) else ""
        return "%s%s (%s)" % (prefix, callee.spelling, self.where(callee))

    def function_reason(self, definition, depth, top=False):
        key = definition.get_usr() or self.where(definition)
        if key not in self.memo:
            self.memo[key] = (None, set())  # a cycle on its own throws nothing
            outer, self.depends = self.depends, set()
            reason = None
            for child in definition.get_children():
                if child.kind in (K.COMPOUND_STMT, K.CXX_TRY_STMT, K.MEMBER_REF, K.CALL_EXPR):
                    reason = self.statement_reason(child, depth, top)  # the body, initialisers
                if reason:
                    break
            self.memo[key] = (reason, self.depends)
            self.depends = outer
        reason, depends = self.memo[key]
        self.depends |= depends
        return reason

    def statement_reason(self, cursor, depth, top=False):
        try:
            kind = cursor.kind
        except ValueError:  # a kind these bindings do not name
            kind = None
        if kind == K.LAMBDA_EXPR:
            return None  # runs where it is called
        if kind == K.CXX_THROW_EXPR:
            return "throws (%s)" % self.where(cursor)
        if kind == K.CXX_NEW_EXPR and not any(t.spelling == "nothrow" for t in cursor.get_tokens()):
            return "uses new, which throws when memory runs out (%s)" % self.where(cursor)
        if kind == K.CXX_DYNAMIC_CAST_EXPR and cursor.type.kind == ci.TypeKind.LVALUEREFERENCE:
            return "casts to a reference (%s)" % self.where(cursor)
        if kind == K.CXX_TYPEID_EXPR:
            return "uses typeid (%s)" % self.where(cursor)
        if kind == K.CXX_TRY_STMT:
            return self.try_reason(cursor, depth, top)
        if kind == K.CALL_EXPR:
            callee = cursor.referenced
            reason = self.candidates_reason(cursor) if callee is None else self.callee_reason(callee, depth)
            if reason:
                return "%s: %s" % (self.where(cursor), reason) if top else reason
        for child in cursor.get_children():
            reason = self.statement_reason(child, depth, top)
            if reason:
                return reason
        return None

    def candidates_reason(self, call):
        """A call in a template that names its function: fine when every
        function of that name in sight is noexcept."""
        callee = next(iter(call.get_children()), None)
        names = [] if callee is None else [callee] + list(callee.get_children())
        for name in names:
            count = ci.conf.lib.clang_getNumOverloadedDecls(name) if name.kind == K.OVERLOADED_DECL_REF else 0
            if count > 0:
                decls = [ci.conf.lib.clang_getOverloadedDecl(name, i) for i in range(count)]
                if all(d.exception_specification_kind in NOTHROW_SPECS for d in decls):
                    return None
        return self.callee_reason(None, 0)

    def try_reason(self, cursor, depth, top):
        children = list(cursor.get_children())
        handlers = [c for c in children if c.kind == K.CXX_CATCH_STMT]
        catches_all = any(all(g.kind == K.COMPOUND_STMT for g in h.get_children()) for h in handlers)
        for child in children:
            if child.kind == K.CXX_CATCH_STMT or not catches_all:
                reason = self.statement_reason(child, depth, top)
                if reason:
                    return reason
        return None

    # -- slots and exports -------------------------------------------------

    def run(self, exports, slot_calls=False):
        self.walk(self.tu.cursor, exports)
        calls = self.calls_of_slots(exports) if slot_calls else set()
        return self.classes, self.declared, self.defined, calls

    def calls_of_slots(self, exports):
        """(where, caller, owner class or None, name) of every call in the
        library's own functions of a virtual method or an export."""
        calls = set()
        bodies = (K.FUNCTION_DECL, K.CXX_METHOD, K.CONSTRUCTOR, K.DESTRUCTOR, K.FUNCTION_TEMPLATE)

        def visit(cursor, caller):
            for child in cursor.get_children():
                try:
                    kind = child.kind
                except ValueError:
                    continue
                if kind in bodies and child.is_definition() and self.in_project(child):
                    visit(child, self.describe(child).split(" (")[0])
                    continue
                if kind == K.CALL_EXPR and caller is not None:
                    callee = child.referenced
                    if callee is not None and callee.spelling != "DeleteThis":
                        if callee.kind == K.CXX_METHOD and callee.is_virtual_method():
                            calls.add((self.where(child), caller, callee.semantic_parent.spelling,
                                       callee.spelling))
                        elif callee.kind == K.FUNCTION_DECL and callee.spelling in exports:
                            calls.add((self.where(child), caller, None, callee.spelling))
                if kind in (K.NAMESPACE, K.LINKAGE_SPEC, K.UNEXPOSED_DECL, K.CLASS_DECL, K.STRUCT_DECL,
                            K.CLASS_TEMPLATE) or caller is not None:
                    if caller is not None or kind in (K.NAMESPACE, K.LINKAGE_SPEC, K.UNEXPOSED_DECL) \
                            or self.in_project(child):
                        visit(child, caller)

        visit(self.tu.cursor, None)
        return calls

    def walk(self, cursor, exports):
        for child in cursor.get_children():
            try:
                kind = child.kind
            except ValueError:
                continue
            if not self.in_project(child):
                continue
            if kind in (K.NAMESPACE, K.LINKAGE_SPEC, K.UNEXPOSED_DECL):
                self.walk(child, exports)
            elif kind in (K.CLASS_DECL, K.STRUCT_DECL, K.CLASS_TEMPLATE) and child.is_definition():
                self.classes.setdefault(child.spelling, set()).update(
                    b.type.spelling.split("<")[0].split("::")[-1] for b in child.get_children()
                    if b.kind == K.CXX_BASE_SPECIFIER)
                for member in child.get_children():
                    if member.kind == K.CXX_METHOD and member.is_virtual_method():
                        self.declared[(child.spelling, member.spelling)] = member.is_pure_virtual_method()
                self.walk(child, exports)
            elif kind == K.CXX_METHOD and child.is_definition() and child.is_virtual_method():
                self.check(child, child.semantic_parent.spelling, (child.semantic_parent.spelling, child.spelling))
            elif (kind == K.FUNCTION_DECL and child.is_definition() and child.spelling in exports
                  and re.match(r"_*%s(@|$)" % child.spelling, child.mangled_name)):  # C linkage: the export
                self.check(child, None, (None, child.spelling))
            elif (kind in (K.FUNCTION_DECL, K.CXX_METHOD) and child.is_definition()
                  and child.exception_specification_kind in NOTHROW_SPECS):
                # A noexcept function that throws ends the process: it keeps the rule too.
                self.check(child, None, (None, self.describe(child)), host=False)

    def check(self, definition, owner, key, host=True):
        self.depends = set()
        reason = self.function_reason(definition, 0, True)
        flags = [a.spelling for a in definition.get_arguments() if a.type.get_canonical().kind == ci.TypeKind.BOOL]
        if host and flags:
            reason = "takes bool %s: a host's byte flag crosses as uint8_t, true when not 0" % ", ".join(flags)
        self.defined[key] = (owner, self.where(definition), reason, frozenset(self.depends))


def analyse(job):
    root, path, args, exports, slot_calls = job
    configure_libclang()
    index = ci.Index.create()
    tu = index.parse(path, args=args, options=ci.TranslationUnit.PARSE_SKIP_FUNCTION_BODIES * 0)
    errors = [str(d) for d in tu.diagnostics if d.severity >= ci.Diagnostic.Error]
    if errors:
        return path, errors, {}, {}, {}, set()
    classes, declared, defined, calls = Unit(root, tu).run(exports, slot_calls)
    return path, [], classes, declared, defined, calls


def slot_classes(classes, named):
    """The named classes, the classes they derive from and those derived from them."""
    def ancestors(name, seen):
        for base in classes.get(name, ()):
            if base not in seen:
                seen.add(base)
                ancestors(base, seen)
        return seen

    result = set()
    for name in named:
        result.add(name)
        result |= ancestors(name, set())
    result.discard("CObject")
    for name in classes:
        if ancestors(name, set()) & named:
            result.add(name)
    return result


def main():
    root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else ".")
    jobs = int(sys.argv[sys.argv.index("--jobs") + 1]) if "--jobs" in sys.argv else 3
    slot_calls = "--slot-calls" in sys.argv
    configure_libclang()
    named = exported_classes(root)
    exports = exported_functions(root)
    args = compiler_args(root)
    work = [(root, path, args, exports, slot_calls) for path in translation_units(root, slot_calls)]
    with multiprocessing.Pool(jobs) as pool:
        results = pool.map(analyse, work)

    faults = []
    classes, declared, defined, calls = {}, {}, {}, set()
    for path, errors, unit_classes, unit_declared, unit_defined, unit_calls in results:
        calls |= unit_calls
        faults += ["%s: does not compile: %s" % (os.path.relpath(path, root), e) for e in errors[:3]]
        for name, bases in unit_classes.items():
            classes.setdefault(name, set()).update(bases)
        declared.update(unit_declared)
        for key, value in unit_defined.items():
            if key not in defined or value[2]:
                defined[key] = value

    slots = slot_classes(classes, named)
    if slot_calls:
        def order(call):
            path, line = call[0].rsplit(":", 1)
            return path, int(line), call[1], call[2] or "", call[3]

        for where, caller, owner, name in sorted(calls, key=order):
            if owner is None or owner in slots:
                print("%s: %s calls %s" % (where, caller, "%s::%s" % (owner, name) if owner else name))
        return 0
    faults += ["include/TdLib.h: class %s of a table is not defined in the library" % n
               for n in sorted(named - set(classes))]
    faults += ["lib/foundation/exports/TdLib.def: export %s is not defined" % n
               for n in sorted(exports) if (None, n) not in defined]
    for (owner, name), pure in sorted(declared.items()):
        if owner in slots and not pure and (owner, name) not in defined:
            faults.append("%s::%s: a slot whose definition was not found" % (owner, name))

    def may_throw(key, visiting):
        owner, where, reason, depends = defined[key]
        if reason:
            return reason
        for dep in sorted(depends):
            if dep[0] not in slots:
                return "calls the virtual %s::%s, which is no slot and not noexcept" % dep
            if dep in defined and dep not in visiting:
                if may_throw(dep, visiting | {dep}):
                    return "calls the slot %s::%s, which may throw" % dep
        return None

    checked = 0
    for key in sorted(defined, key=lambda k: (k[0] or "", k[1])):
        owner, where, _, _ = defined[key]
        if owner is not None and owner not in slots:
            continue
        checked += 1
        reason = may_throw(key, {key})
        if reason:
            name = "%s::%s" % key if owner else key[1]
            faults.append("%s: %s may let an exception out: %s" % (where, name, reason))

    for fault in faults:
        print(fault)
    print("%d slots and exports checked, %d faults" % (checked, len(faults)))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
