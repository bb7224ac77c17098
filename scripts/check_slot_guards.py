#!/usr/bin/python3
"""Proves that no exception can leave the library where a host or the system
calls it.

The entry points:
- slots: the virtual operations of the classes whose tables include/TdLib.h
  lists (a table is a record whose first field is TdDeleteThis; TdStreamTable
  is the table of CStream), of the classes they derive from and of every class
  derived from them;
- exports: the names of lib/foundation/exports/TdLib.def;
- every function of the library with the standard Windows calling convention
  (window procedures, thread bodies, callbacks the system calls);
- every function of the library declared noexcept: one that throws ends the
  process. A destructor is followed where it runs (slot 0, delete, the end of
  a local's life), whatever it declares.

Every .cpp of every folder under lib/ is parsed (the _posix twins aside). The
rule (lib/foundation/exports/Guard.h states it for the code) is checked on
the body of each entry point, and anything the checker cannot follow counts
as throwing:

- it calls only functions that cannot throw: those declared noexcept (checked
  on their own; a template's instance is checked where it is called, with the
  lambdas it is given), C functions of system headers (the C runtime, Win32),
  other slots (checked on their own), functions of the library which keep
  the rule, recursively, in whichever file they are defined, and calls
  through a pointer whose type is noexcept or uses the standard Windows
  calling convention (a function of the system or a host, or an entry point
  of the library, checked on its own). Any other call through a pointer, a
  function that is not noexcept and whose body no parsed file holds, a
  system function followed deeper than SYSTEM_DEPTH, and a name the checker
  cannot resolve count as throwing;
- what a call runs besides its callee counts too: the default arguments it
  leaves out, the constructors of bases and members and the default member
  initialisers a constructor runs without naming them, the destructors of
  locals, temporaries, members and bases (one declared noexcept(false) counts
  as throwing), the captures of a lambda (at the lambda), and the functions
  and lambdas handed to a function whose body is not followed (std::qsort's
  comparator), as if called there;
- it has no throw, no new without std::nothrow, no dynamic_cast to a
  reference, no typeid;
- the body of a lambda counts where it is called, so work handed to a guard
  may throw: the guard turns the exception into the failure result, and its
  failure action is checked where the guard runs it;
- a slot or an export takes no bool: a host passes a byte, which is true when
  not 0, and the library reads it as such.

The tables themselves are checked: each names a class the library defines,
each of its operations is a virtual operation of that class, and the header
holds as many tables as the checker found. Every slot and export must be
found defined, so a class or a name cannot drop out unnoticed. Exit status 1
with one line per fault; 0 when every entry point is proven.

Usage: check_slot_guards.py <repository root> [--jobs N] [--slot-calls]

--jobs N      parses with N processes (default: the machine's processors).
--slot-calls  lists instead every call of a slot or an export made from
              inside the library, one line each: "file:line: caller calls
              slot" (slot 0, DeleteThis, which reports no failure, left out).
              The library's own code calls the core that throws, not the
              guarded door, which swallows the failure.
"""

import ctypes
import glob
import multiprocessing
import os
import re
import subprocess
import sys
import tempfile

import clang.cindex as ci

# Tables of TdLib.h whose class is named otherwise.
CLASS_ALIASES = {"CWaypointItem": "CWaypointManagerItem"}
MINGW_CXX = "i686-w64-mingw32-g++-posix"
SYSTEM_DEPTH = 12  # how deep the bodies of system-header functions are followed
# Parsed once ahead of the files that include <windows.h>, the bulk of the time.
PRECOMPILED = ["windows.h", "cstdint", "cstring", "cmath", "new", "utility", "memory", "atomic",
               "exception", "vector", "algorithm"]

K = ci.CursorKind
NOTHROW_SPECS = {
    ci.ExceptionSpecificationKind.BASIC_NOEXCEPT,
    ci.ExceptionSpecificationKind.DYNAMIC_NONE,
}
STDCALL = 2  # CXCallingConv_X86StdCall
FUNCTIONS = {K.FUNCTION_DECL, K.CXX_METHOD, K.CONSTRUCTOR, K.DESTRUCTOR, K.CONVERSION_FUNCTION}
RECORDS = {K.CLASS_DECL, K.STRUCT_DECL, K.UNION_DECL, K.CLASS_TEMPLATE}
NOT_CODE = {K.PARM_DECL, K.TYPE_REF, K.TEMPLATE_REF, K.NAMESPACE_REF, K.MEMBER_REF,
            K.TEMPLATE_TYPE_PARAMETER, K.TEMPLATE_NON_TYPE_PARAMETER, K.OVERLOADED_DECL_REF}


def configure_libclang():
    if ci.Config.loaded:
        return
    for name in sorted(glob.glob("/usr/lib/*/libclang-*.so.1")) + sorted(glob.glob("/usr/lib/*/libclang.so*")):
        ci.Config.set_library_file(name)
        break
    ci.conf.lib.clang_getFunctionTypeCallingConv.argtypes = [ci.Type]
    ci.conf.lib.clang_getFunctionTypeCallingConv.restype = ctypes.c_uint


def is_stdcall(function_type):
    return ci.conf.lib.clang_getFunctionTypeCallingConv(function_type) == STDCALL


class Fatal(str):
    """A reason met inside a noexcept function, a destructor among them: no
    handler catches it, the process ends."""


def carry(reason, text):
    """The text of a reason that wraps another, as fatal as the one it wraps."""
    return Fatal(text) if isinstance(reason, Fatal) else text


def kind_of(cursor):
    try:
        return cursor.kind
    except ValueError:  # a kind these bindings do not name
        return None


def is_nothrow(cursor):
    spec = cursor.exception_specification_kind
    if spec in NOTHROW_SPECS:
        return True
    return spec == ci.ExceptionSpecificationKind.COMPUTED_NOEXCEPT and "noexcept(false)" not in cursor.type.spelling


def template_of(cursor):
    """The template a function or class was made from, or None."""
    return ci.conf.lib.clang_getSpecializedCursorTemplate(cursor)


def header_tables(root, args):
    """[(table, class, operations, where)] of the records of include/TdLib.h
    whose first field is TdDeleteThis, and how many records its text opens
    with TdDeleteThis or a TD_..._SLOTS macro."""
    path = os.path.join(root, "include", "TdLib.h")
    tu = ci.Index.create().parse(path, args=args)
    tables, seen = [], set()
    for cursor in tu.cursor.walk_preorder():
        if cursor.kind != K.STRUCT_DECL or not cursor.is_definition():
            continue
        if cursor.location.file is None or os.path.realpath(cursor.location.file.name) != os.path.realpath(path):
            continue
        fields = [f for f in cursor.get_children() if f.kind == K.FIELD_DECL]
        if not fields or fields[0].type.spelling != "TdDeleteThis" or cursor.spelling in seen:
            continue
        seen.add(cursor.spelling)
        match = re.match(r"Td(\w+?)(?:Vtbl|Table)$", cursor.spelling)
        name = CLASS_ALIASES.get("C" + match.group(1), "C" + match.group(1)) if match else None
        tables.append((cursor.spelling, name, [f.spelling for f in fields[1:]],
                       "include/TdLib.h:%d" % cursor.location.line))
    text = open(path, encoding="latin-1").read()
    text = re.sub(r"/\*.*?\*/", "", text, flags=re.S)
    return tables, len(re.findall(r"\bstruct\s+Td\w+\s*\{\s*(?:TdDeleteThis\b|TD_\w+_SLOTS\s*\()", text))


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


def translation_units(root):
    """Every source of the product: all of lib/ but the POSIX twins."""
    paths = glob.glob(os.path.join(root, "lib", "**", "*.cpp"), recursive=True)
    return sorted(p for p in paths if not p.endswith("_posix.cpp"))


def includes_windows(root, path, seen=None):
    """Whether the file includes <windows.h>, itself or through the library's headers."""
    seen = set() if seen is None else seen
    if path in seen or not os.path.exists(path):
        return False
    seen.add(path)
    text = open(path, encoding="latin-1").read()
    if re.search(r'#\s*include\s*<windows\.h>', text):
        return True
    return any(includes_windows(root, os.path.join(root, name), seen)
               for name in re.findall(r'#\s*include\s*"([^"]+)"', text))


def precompile(args, folder):
    header = os.path.join(folder, "precompiled.h")
    with open(header, "w") as out:
        out.writelines("#include <%s>\n" % name for name in PRECOMPILED)
    tu = ci.Index.create().parse(header, args=args + ["-x", "c++-header"],
                                 options=ci.TranslationUnit.PARSE_INCOMPLETE)
    if any(d.severity >= ci.Diagnostic.Error for d in tu.diagnostics):
        return None
    tu.save(header + ".pch")
    return header + ".pch"


class Unit:
    """The analysis of one translation unit."""

    def __init__(self, root, tu, exports):
        self.root = os.path.realpath(root) + os.sep
        self.tu = tu
        self.exports = exports
        self.memo = {}  # function -> (reason, depends)
        self.class_memo = {}  # (class, what) -> reason
        self.classes = {}  # class name -> base class names
        self.declared = {}  # (class, operation) -> pure
        self.defined = {}  # entry key -> (class or None, where, reason, depends, what)
        self.calls = set()  # calls of virtual operations and exports, for --slot-calls
        self.summaries = {}  # function -> (reason, depends, description), for the calls of other files
        self.depends = set()
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

    def describe(self, callee):
        return "%s (%s)" % (self.name(callee), self.where(callee))

    @staticmethod
    def name(callee):
        parent = callee.semantic_parent
        prefix = parent.spelling + "::" if parent is not None and parent.spelling and parent.kind in (
            RECORDS | {K.NAMESPACE}) else ""
        return prefix + callee.spelling

    # -- what may throw --------------------------------------------------

    def callee_reason(self, callee, depth):
        if callee.kind == K.DESTRUCTOR:
            return self.destructor_reason(callee, depth)
        definition = callee.get_definition()
        if is_nothrow(callee):
            # Checked on its own, but a template's instance only here, with
            # what it is given: a noexcept function that throws ends the process.
            if definition is None or not self.in_project(definition) or template_of(definition) is None:
                return None
            reason = self.body_reason(callee, definition, depth)
            return Fatal(reason) if reason else None
        name = callee.spelling
        if name.startswith("__builtin") or name.startswith("__sync") or name.startswith("__atomic"):
            return None
        if callee.kind == K.CXX_METHOD and callee.is_virtual_method():
            self.depends.add((callee.semantic_parent.spelling, callee.displayname))
            return None
        if self.is_c_function(callee):
            return None
        if self.is_implicit(callee):
            return self.implicit_reason(callee, depth)
        if definition is None:
            if self.in_project(callee):  # followed where it is defined
                self.depends.add(("extern", callee.get_usr(), self.describe(callee)))
                return None
            return "calls %s, which is not noexcept and is defined in no file of the library" % self.describe(callee)
        return self.body_reason(callee, definition, depth)

    def body_reason(self, callee, definition, depth):
        project = self.in_project(definition)
        if not project and depth >= SYSTEM_DEPTH:
            return "calls %s, which is not noexcept" % self.describe(callee)
        reason = self.function_reason(definition, depth + (0 if project else 1))
        return carry(reason, "calls %s, which %s" % (self.describe(callee), reason)) if reason else None

    def is_c_function(self, callee):
        if callee.kind != K.FUNCTION_DECL or self.in_project(callee):
            return False
        if callee.spelling.startswith("operator"):
            return False
        parent = callee.semantic_parent
        location = callee.location.file
        return (parent is not None and parent.kind in (K.TRANSLATION_UNIT, K.LINKAGE_SPEC, K.UNEXPOSED_DECL)
                and location is not None and location.name.endswith(".h"))

    @staticmethod
    def is_implicit(callee):
        """A constructor or assignment the compiler wrote, or one declared = default."""
        if callee.kind != K.CONSTRUCTOR and callee.spelling != "operator=":
            return False
        owner = callee.semantic_parent
        return callee.is_default_method() or (owner is not None and callee.location == owner.location)

    def implicit_reason(self, callee, depth):
        owner = callee.semantic_parent
        if owner is None or owner.type.is_pod():
            return None
        if callee.kind != K.CONSTRUCTOR:
            what = "assign"
        elif callee.is_copy_constructor():
            what = "copy"
        elif callee.is_move_constructor():
            what = "move"
        else:
            what = "default"
        reason = self.members_reason(owner, what, depth)
        return carry(reason, "calls %s, which %s" % (self.describe(callee), reason)) if reason else None

    # The special functions a class runs for its bases and members.

    def members_reason(self, record, what, depth, named=()):
        """What the implicit `what` (default, copy, move, assign) of the class
        runs for its bases and members, those in `named` aside."""
        key = (record.get_usr() or record.type.spelling, what, tuple(sorted(named)))
        if key in self.class_memo:
            return self.class_memo[key]
        self.class_memo[key] = None
        reason = None
        for member in record.get_children():
            if member.kind == K.CXX_BASE_SPECIFIER and member.type.get_canonical().spelling not in named:
                reason = self.special_reason(member.type, what, depth)
            elif member.kind == K.FIELD_DECL and member.spelling not in named:
                init = [c for c in member.get_children() if c.kind not in NOT_CODE]
                if what == "default" and init:
                    reason = self.statement_reason(init[-1], depth)
                else:
                    reason = self.special_reason(member.type, what, depth)
            if reason:
                break
        self.class_memo[key] = reason
        return reason

    def special_reason(self, type_, what, depth):
        type_ = type_.get_canonical()
        while type_.kind in (ci.TypeKind.CONSTANTARRAY, ci.TypeKind.INCOMPLETEARRAY):
            type_ = type_.element_type.get_canonical()
        if type_.kind != ci.TypeKind.RECORD or type_.is_pod():
            return None
        record = type_.get_declaration()
        if not self.in_project(record):
            return None  # the standard library's own members: noexcept where it matters
        source = template_of(record) or record  # an instance shows its template's members
        for member in source.get_children():
            if self.is_special(member, what, source):
                return self.callee_reason(member, depth)
        if not source.is_definition():
            return "the %s of %s, a member or base, cannot be followed" % (what, type_.spelling)
        return self.members_reason(source, what, depth)

    @staticmethod
    def is_special(member, what, record):
        if what == "assign":
            parameters = list(member.get_arguments()) if member.kind == K.CXX_METHOD else []
            return (member.spelling == "operator=" and len(parameters) == 1
                    and parameters[0].type.get_pointee().get_canonical().get_declaration() == record)
        if member.kind != K.CONSTRUCTOR:
            return False
        if what == "copy":
            return member.is_copy_constructor()
        if what == "move":
            return member.is_move_constructor()
        return member.is_default_constructor()

    def constructor_parts_reason(self, definition, depth):
        """The bases and members a written constructor initialises without naming them."""
        named = set()
        for child in definition.get_children():
            if child.kind == K.MEMBER_REF:
                named.add(child.spelling)
            elif child.kind == K.TYPE_REF:
                if child.type.get_canonical() == definition.semantic_parent.type.get_canonical():
                    return None  # delegates to another constructor
                named.add(child.type.get_canonical().spelling)
        record = definition.semantic_parent
        return self.members_reason(record, "default", depth, frozenset(named)) if record is not None else None

    def destructor_reason(self, destructor, depth):
        """A destructor runs where it is called: slot 0, delete, the end of a
        local's or a temporary's life, a member's or base's destructor."""
        definition = destructor.get_definition()
        fatal = is_nothrow(destructor)
        owner = destructor.semantic_parent
        if owner is not None and (destructor.is_default_method() or destructor.location == owner.location):
            reason = self.members_destroy_reason(owner, depth)
            return carry(reason, "calls %s, which %s" % (self.describe(destructor), reason)) if reason else None
        if definition is None:
            if self.in_project(destructor):  # followed where it is defined
                self.depends.add(("extern!" if fatal else "extern", destructor.get_usr(), self.describe(destructor)))
                return None
            return None if fatal else "calls %s, which is noexcept(false)" % self.describe(destructor)
        if fatal and not self.in_project(definition):
            return None  # the standard library's
        reason = self.body_reason(destructor, definition, depth)
        return Fatal(reason) if reason and fatal else reason

    def destroy_reason(self, type_, depth):
        """What destroying an object of the type may throw."""
        type_ = type_.get_canonical()
        while type_.kind in (ci.TypeKind.CONSTANTARRAY, ci.TypeKind.INCOMPLETEARRAY):
            type_ = type_.element_type.get_canonical()
        if type_.kind != ci.TypeKind.RECORD:
            return None
        record = type_.get_declaration()
        key = (record.get_usr() or type_.spelling, "destroy")
        if key in self.class_memo:
            return self.class_memo[key]
        self.class_memo[key] = None
        reason = None
        pattern = template_of(record)
        source = pattern if pattern is not None else record
        destructors = [c for c in source.get_children() if c.kind == K.DESTRUCTOR]
        if pattern is not None:
            if destructors and "noexcept(false)" in destructors[0].type.spelling:
                reason = "destroys a %s, whose destructor is noexcept(false)" % type_.spelling
        elif destructors:
            reason = self.destructor_reason(destructors[0], depth)
        else:
            reason = self.members_destroy_reason(record, depth)
        self.class_memo[key] = reason
        return reason

    def members_destroy_reason(self, record, depth):
        for member in record.get_children():
            if member.kind in (K.CXX_BASE_SPECIFIER, K.FIELD_DECL):
                reason = self.destroy_reason(member.type, depth)
                if reason:
                    return reason
        return None

    def function_reason(self, definition, depth, top=False):
        location = definition.location  # two lambdas of one line share a name
        key = (definition.get_usr(), definition.type.spelling, location.file and location.file.name, location.offset)
        if key not in self.memo:
            self.memo[key] = (None, set())  # a cycle on its own throws nothing
            outer, self.depends = self.depends, set()
            reason = None
            for child in definition.get_children():
                if kind_of(child) not in NOT_CODE:
                    reason = self.statement_reason(child, depth, top)  # the body, initialisers
                if reason:
                    break
            if not reason and definition.kind == K.CONSTRUCTOR:
                reason = self.constructor_parts_reason(definition, depth)
            if not reason and definition.kind == K.DESTRUCTOR and definition.semantic_parent is not None:
                reason = self.members_destroy_reason(definition.semantic_parent, depth)
            self.memo[key] = (reason, self.depends)
            self.depends = outer
        reason, depends = self.memo[key]
        self.depends |= depends
        return reason

    def statement_reason(self, cursor, depth, top=False):
        reason = self.node_reason(cursor, depth)
        if reason:
            return carry(reason, "%s: %s" % (self.where(cursor), reason)) if top and cursor.location.file else reason
        kind = kind_of(cursor)
        if kind == K.CXX_TRY_STMT:
            return self.try_reason(cursor, depth, top)
        children = list(cursor.get_children())
        if kind == K.LAMBDA_EXPR:
            # The captures run here, the body where it is called.
            children = children[:-1]
            reason = self.captures_reason(children, depth)
            if reason:
                return reason
        for child in children:
            reason = self.statement_reason(child, depth, top)
            if reason:
                return reason
        return None

    def captures_reason(self, captures, depth):
        """The parser hides the calls of init-captures ([c = list.Snapshot()])
        and shows only the functions they name: each counts as called."""
        for capture in captures:
            for node in capture.walk_preorder():
                if node.kind in (K.DECL_REF_EXPR, K.MEMBER_REF_EXPR) and node.referenced is not None \
                        and node.referenced.kind in FUNCTIONS:
                    reason = self.callee_reason(node.referenced, depth)
                    if reason:
                        return carry(reason, "captures with %s (%s)" % (reason, self.where(node)))
        return None

    def node_reason(self, cursor, depth):
        """What the node itself may throw, its children aside."""
        kind = kind_of(cursor)
        if kind == K.CXX_THROW_EXPR:
            return "throws (%s)" % self.where(cursor)
        if kind == K.CXX_NEW_EXPR and not any(t.spelling == "nothrow" for t in cursor.get_tokens()):
            return "uses new, which throws when memory runs out (%s)" % self.where(cursor)
        if kind == K.CXX_DYNAMIC_CAST_EXPR and self.casts_to_reference(cursor):
            return "casts to a reference (%s)" % self.where(cursor)
        if kind == K.CXX_TYPEID_EXPR:
            return "uses typeid (%s)" % self.where(cursor)
        if kind == K.VAR_DECL:
            return self.destroy_reason(cursor.type, depth)
        if kind == K.CXX_DELETE_EXPR:
            operand = next(iter(cursor.get_children()), None)
            return None if operand is None else self.destroy_reason(operand.type.get_pointee(), depth)
        if kind == K.CALL_EXPR:
            return self.call_reason(cursor, depth)
        return None

    @staticmethod
    def casts_to_reference(cast):
        spellings = [t.spelling for t in cast.get_tokens()]
        return ">" in spellings and spellings[spellings.index(">") - 1] in ("&", "&&")

    def call_reason(self, call, depth):
        callee = call.referenced
        if callee is None or callee.kind not in FUNCTIONS:
            return self.unresolved_reason(call, callee)
        reason = (self.callee_reason(callee, depth) or self.default_arguments_reason(call, callee, depth)
                  or self.handed_reason(call, callee, depth))
        if not reason and call.type.kind == ci.TypeKind.RECORD:
            reason = self.destroy_reason(call.type, depth)  # the temporary
        return reason

    def unresolved_reason(self, call, callee):
        """A call through a pointer, or one in a template that names its function."""
        target = next(iter(call.get_children()), None)
        if callee is None and target is not None:
            names = [target] + list(target.get_children())
            for name in names:
                count = ci.conf.lib.clang_getNumOverloadedDecls(name) if name.kind == K.OVERLOADED_DECL_REF else 0
                if count > 0:
                    decls = [ci.conf.lib.clang_getOverloadedDecl(name, i) for i in range(count)]
                    if all(is_nothrow(d) for d in decls):
                        return None
        function = None if target is None else target.type.get_canonical()
        if function is not None and function.kind == ci.TypeKind.POINTER:
            function = function.get_pointee().get_canonical()
        if function is not None and function.kind == ci.TypeKind.FUNCTIONPROTO:
            if is_stdcall(function):
                return None  # the system's or a host's, or an entry point checked on its own
            spec = ci.conf.lib.clang_getExceptionSpecificationType(function)
            if ci.ExceptionSpecificationKind.from_id(spec) in NOTHROW_SPECS:
                return None
            return "calls through the pointer %s, whose target is unknown (%s)" % (
                callee.spelling if callee is not None else function.spelling, self.where(call))
        return "calls through a pointer or an unresolved name (%s)" % self.where(call)

    def default_arguments_reason(self, call, callee, depth):
        arguments = list(call.get_arguments())
        left_out = [i for i, a in enumerate(arguments) if a.location.file is None]
        if not left_out:
            return None
        declarations = [callee, callee.canonical] + [d for d in [callee.get_definition()] if d is not None]
        for index in left_out:
            for declaration in declarations:
                parameters = list(declaration.get_arguments())
                if index < len(parameters):
                    value = [c for c in parameters[index].get_children() if c.kind not in NOT_CODE]
                    if value:
                        reason = self.statement_reason(value[-1], depth)
                        if reason:
                            return carry(reason, "its default argument %s %s" % (parameters[index].spelling, reason))
                        break
        return None

    def handed_reason(self, call, callee, depth):
        """Functions and lambdas handed to a callee whose body is not followed
        run as if called here (std::qsort's comparator)."""
        definition = callee.get_definition()
        if definition is not None and (self.in_project(definition) or not self.is_c_function(callee)):
            return None
        for argument in call.get_arguments():
            for node in self.value_of(argument):
                if node.kind == K.LAMBDA_EXPR:
                    reason = self.statement_reason(list(node.get_children())[-1], depth)
                elif node.kind == K.DECL_REF_EXPR and node.referenced is not None \
                        and node.referenced.kind in FUNCTIONS:
                    reason = self.callee_reason(node.referenced, depth)
                else:
                    continue
                if reason:
                    return carry(reason, "hands %s to %s, which may call it: %s" % (
                        node.spelling or "a lambda", callee.spelling, reason))
        return None

    @staticmethod
    def value_of(argument):
        """The nodes an argument's value comes from, through conversions and casts."""
        node = argument
        while node is not None:
            yield node
            conversion = node.kind == K.CALL_EXPR and node.referenced is not None and \
                node.referenced.kind == K.CONVERSION_FUNCTION  # a lambda made a function pointer
            if not conversion and node.kind not in (
                    K.UNEXPOSED_EXPR, K.CSTYLE_CAST_EXPR, K.CXX_STATIC_CAST_EXPR, K.CXX_REINTERPRET_CAST_EXPR,
                    K.PAREN_EXPR, K.UNARY_OPERATOR, K.CXX_FUNCTIONAL_CAST_EXPR, K.MEMBER_REF_EXPR):
                return
            node = next((c for c in node.get_children() if c.kind not in NOT_CODE), None)

    def try_reason(self, cursor, depth, top):
        """The handlers run only when the block throws; a catch-all keeps
        what the block throws."""
        children = list(cursor.get_children())
        handlers = [c for c in children if c.kind == K.CXX_CATCH_STMT]
        catches_all = any(all(g.kind == K.COMPOUND_STMT for g in h.get_children()) for h in handlers)
        outer, self.depends = self.depends, set()
        reason = None
        for child in children:
            if child.kind != K.CXX_CATCH_STMT:
                reason = reason or self.statement_reason(child, depth, top)
        block, self.depends = self.depends, outer
        if isinstance(reason, Fatal):
            return reason  # no handler runs: the process ends
        self.depends |= {d for d in block if d[0] == "extern!"}
        if not catches_all:
            self.depends |= block
            if reason:
                return reason
        if not reason and not block:
            return None  # nothing to catch: the handlers never run
        for handler in handlers:
            reason = self.statement_reason(handler, depth, top)
            if reason:
                return reason
        return None

    # -- entry points ------------------------------------------------------

    def run(self, slot_calls=False):
        self.walk(self.tu.cursor, slot_calls)
        return self.classes, self.declared, self.defined, self.calls, self.summaries

    def walk(self, cursor, slot_calls):
        for child in cursor.get_children():
            kind = kind_of(child)
            if kind is None or not self.in_project(child):
                continue
            if kind in (K.NAMESPACE, K.LINKAGE_SPEC, K.UNEXPOSED_DECL):
                self.walk(child, slot_calls)
            elif kind in RECORDS and child.is_definition():
                self.classes.setdefault(child.spelling, set()).update(
                    b.type.spelling.split("<")[0].split("::")[-1] for b in child.get_children()
                    if b.kind == K.CXX_BASE_SPECIFIER)
                for member in child.get_children():
                    if member.kind == K.CXX_METHOD and member.is_virtual_method():
                        self.declared[(child.spelling, member.displayname)] = member.is_pure_virtual_method()
                self.walk(child, slot_calls)
            elif kind in FUNCTIONS | {K.FUNCTION_TEMPLATE} and child.is_definition():
                if kind != K.FUNCTION_TEMPLATE:
                    self.entry(child, kind)
                    self.summarise(child)
                if slot_calls:
                    self.collect_calls(child)

    def entry(self, definition, kind):
        owner = definition.semantic_parent
        stdcall = is_stdcall(definition.type)
        if kind == K.CXX_METHOD and definition.is_virtual_method():
            self.check(definition, owner.spelling, (owner.spelling, definition.displayname), "slot", stdcall)
        elif (kind == K.FUNCTION_DECL and definition.spelling in self.exports
              and re.match(r"_*%s(@|$)" % definition.spelling, definition.mangled_name)):  # C linkage
            self.check(definition, None, (None, definition.spelling), "export", True)
        elif stdcall:
            # The system calls it: a window procedure, a thread body, a callback.
            self.check(definition, None, (None, self.describe(definition)), "callback", True)
        elif kind != K.DESTRUCTOR and is_nothrow(definition):
            # A noexcept function that throws ends the process.
            if owner is not None and owner.kind == K.CLASS_TEMPLATE:
                return  # checked as instances, where called
            self.check(definition, None, (None, self.describe(definition)), "noexcept", False)

    def check(self, definition, owner, key, what, stdcall):
        self.depends = set()
        reason = self.function_reason(definition, 0, True)
        flags = [a.spelling for a in definition.get_arguments() if a.type.get_canonical().kind == ci.TypeKind.BOOL]
        if what in ("slot", "export") and flags:
            reason = "takes bool %s: a host's byte flag crosses as uint8_t, true when not 0" % ", ".join(flags)
        previous = self.defined.get(key)
        if previous is None or (reason and not previous[2]):
            self.defined[key] = (owner, self.where(definition), reason, frozenset(self.depends), what, stdcall)

    def summarise(self, definition):
        """What a function of this file may throw, for the calls of other files
        (a header's functions are seen wherever they are called)."""
        owner = definition.semantic_parent
        if owner is not None and owner.kind == K.CLASS_TEMPLATE:
            return
        if definition.location.file is None or definition.location.file.name != self.tu.spelling:
            return
        self.depends = set()
        reason = self.function_reason(definition, 0)
        self.summaries[definition.get_usr()] = (reason, frozenset(self.depends), self.describe(definition))

    def collect_calls(self, definition):
        caller = self.name(definition)
        for node in definition.walk_preorder():
            if node.kind != K.CALL_EXPR:
                continue
            callee = node.referenced
            if callee is None or callee.spelling == "DeleteThis":
                continue
            if callee.kind == K.CXX_METHOD and callee.is_virtual_method():
                self.calls.add((self.where(node), caller, callee.semantic_parent.spelling, callee.spelling))
            elif callee.kind == K.FUNCTION_DECL and callee.spelling in self.exports:
                self.calls.add((self.where(node), caller, None, callee.spelling))


def analyse(job):
    root, path, args, exports, slot_calls = job
    configure_libclang()
    tu = ci.Index.create().parse(path, args=args)
    errors = [str(d) for d in tu.diagnostics if d.severity >= ci.Diagnostic.Error]
    if errors:
        return path, errors, {}, {}, {}, set(), {}
    return (path, []) + Unit(root, tu, exports).run(slot_calls)


def ancestors(classes, name, seen=None):
    seen = set() if seen is None else seen
    for base in classes.get(name, ()):
        if base not in seen:
            seen.add(base)
            ancestors(classes, base, seen)
    return seen


def slot_classes(classes, named):
    """The named classes, the classes they derive from and those derived from them."""
    result = set()
    for name in named:
        result.add(name)
        result |= ancestors(classes, name)
    result.discard("CObject")
    for name in classes:
        if ancestors(classes, name) & named:
            result.add(name)
    return result


def table_faults(tables, text_count, classes, declared):
    faults = []
    if text_count != len(tables):
        faults.append("include/TdLib.h: the text opens %d records with slot 0, but %d tables were parsed"
                      % (text_count, len(tables)))
    operations = {}
    for owner, displayname in declared:
        operations.setdefault(owner, set()).add(displayname.split("(")[0])
    for table, name, fields, where in tables:
        if name is None:
            faults.append("%s: table %s: no class can be named from it (TdXxxVtbl or TdXxxTable)" % (where, table))
        elif name not in classes:
            faults.append("%s: class %s of table %s is not defined in the library" % (where, name, table))
        else:
            known = set()
            for owner in {name} | ancestors(classes, name):
                known |= operations.get(owner, set())
            faults += ["%s: table %s lists %s, which is no virtual operation of %s" % (where, table, f, name)
                       for f in fields if f not in known]
    return faults


def analyse_all(root, jobs=None, slot_calls=False, precompiled=True):
    """(faults, counts, calls) of the repository at root; jobs 1 runs in this process."""
    configure_libclang()
    exports = exported_functions(root)
    args = compiler_args(root)
    tables, text_count = header_tables(root, args)
    with tempfile.TemporaryDirectory() as folder:
        pch = precompile(args, folder) if precompiled else None
        work = []
        for path in translation_units(root):
            extra = ["-include-pch", pch] if pch and includes_windows(root, path) else []
            work.append((root, path, args + extra, exports, slot_calls))
        if jobs == 1:
            results = [analyse(job) for job in work]
        else:
            with multiprocessing.Pool(jobs or os.cpu_count()) as pool:
                results = pool.map(analyse, work, chunksize=1)

    faults = []
    classes, declared, defined, calls, summaries = {}, {}, {}, set(), {}
    for path, errors, unit_classes, unit_declared, unit_defined, unit_calls, unit_summaries in results:
        calls |= unit_calls
        for key, value in unit_summaries.items():
            if key not in summaries or (value[0] and not summaries[key][0]):
                summaries[key] = value
        faults += ["%s: does not compile: %s" % (os.path.relpath(path, root), e) for e in errors[:3]]
        for name, bases in unit_classes.items():
            classes.setdefault(name, set()).update(bases)
        declared.update(unit_declared)
        for key, value in unit_defined.items():
            if key not in defined or (value[2] and not defined[key][2]):
                defined[key] = value

    named = {name for _, name, _, _ in tables if name}
    slots = slot_classes(classes, named)
    faults += table_faults(tables, text_count, classes, declared)
    faults += ["lib/foundation/exports/TdLib.def: export %s is not defined" % n
               for n in sorted(exports) if (None, n) not in defined]
    for (owner, name), pure in sorted(declared.items()):
        if owner in slots and not pure and (owner, name) not in defined:
            faults.append("%s::%s: a slot whose definition was not found" % (owner, name))

    def may_throw(key, visiting):
        return defined[key][2] or depends_reason(defined[key][3], visiting)

    def depends_reason(depends, visiting):
        for dep in sorted(depends):
            if dep in visiting:
                continue  # a cycle on its own throws nothing
            if dep[0] in ("extern", "extern!"):
                if dep[1] not in summaries:
                    return "calls %s, which is not noexcept and is defined in no file the checker parsed" % dep[2]
                reason, further, _ = summaries[dep[1]]
                reason = reason or depends_reason(further, visiting | {dep})
                if reason:
                    return "calls %s, which %s" % (dep[2], reason)
                continue
            if dep[0] not in slots and (dep not in defined or not defined[dep][5]):
                return "calls the virtual %s::%s, which is no slot and not noexcept" % dep
            if dep in defined and may_throw(dep, visiting | {dep}):
                return "calls the slot %s::%s, which may throw" % dep
        return None

    counts = {"tables": len(tables), "slots": 0, "exports": 0, "other": 0}
    for key in sorted(defined, key=lambda k: (k[0] or "", k[1])):
        owner, where, _, _, what, stdcall = defined[key]
        if what == "slot" and owner not in slots and not stdcall:
            continue
        counts["slots" if what == "slot" else "exports" if what == "export" else "other"] += 1
        reason = may_throw(key, {key})
        if reason:
            name = "%s::%s" % key if owner is not None else key[1]
            faults.append("%s: %s may let an exception out: %s" % (where, name, reason))
    listed = [c for c in calls if c[2] is None or c[2] in slots]
    return faults, counts, listed


def main():
    root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 and not sys.argv[1].startswith("-") else ".")
    jobs = int(sys.argv[sys.argv.index("--jobs") + 1]) if "--jobs" in sys.argv else None
    slot_calls = "--slot-calls" in sys.argv
    if "--help" in sys.argv or "-h" in sys.argv:
        print(__doc__)
        return 0
    faults, counts, calls = analyse_all(root, jobs, slot_calls)
    if slot_calls:
        def order(call):
            path, line = call[0].rsplit(":", 1)
            return path, int(line), call[1], call[2] or "", call[3]

        for where, caller, owner, name in sorted(calls, key=order):
            print("%s: %s calls %s" % (where, caller, "%s::%s" % (owner, name) if owner else name))
        return 0
    for fault in faults:
        print(fault)
    print("%(tables)d tables; %(slots)d slots, %(exports)d exports and %(other)d other entry points checked"
          % counts + ", %d faults" % len(faults))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
