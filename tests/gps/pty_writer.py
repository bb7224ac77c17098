#!/usr/bin/env python3
"""Serial ports for the Windows tests: pseudo-terminals linked into a Wine prefix.

  pty_writer.py start PREFIX   make the ports, then keep serving them in the background
  pty_writer.py stop PREFIX    end the server and remove the links

Ports COM20 to COM27 are pseudo-terminals in raw mode (a cooked one echoes and
turns byte 0x03 into a signal). A test writes commands into a port through its
own handle, one per line:

  RESET             drop what is being played and what waits unread, answer "OK\\n"
  PLAY baud path    play the file's bytes at that rate (10 bits a byte; 0 = at once)

COM30 to COM33 are links to a missing path, a folder, /dev/null and a plain
file. Every master stays open until the server ends: closing one makes the
reader see empty reads for ever.
"""
import os
import select
import signal
import sys
import time
import tty
import termios

PORTS = range(20, 28)
SPECIAL = {30: "missing/nothing", 31: "folder", 32: "/dev/null", 33: "plain-file"}


class Port:
    def __init__(self, number, links):
        self.master, self.slave = os.openpty()
        tty.setraw(self.slave)
        tty.setraw(self.master)
        self.number = number
        self.pending = b""
        self.commands = b""
        self.rate = 0  # bytes a second, 0 for at once
        self.started = 0.0
        self.sent = 0
        os.symlink(os.ttyname(self.slave), links[number])

    def command(self, line):
        words = line.split(None, 2)
        if not words:
            return
        if words[0] == b"RESET":
            self.pending = b""
            termios.tcflush(self.slave, termios.TCIFLUSH)
            os.write(self.master, b"OK\n")
        elif words[0] == b"PLAY" and len(words) == 3:
            with open(words[2], "rb") as f:
                self.pending += f.read()
            self.rate = int(words[1]) / 10.0
            self.started = time.monotonic()
            self.sent = 0

    def receive(self):
        self.commands += os.read(self.master, 4096)
        while b"\n" in self.commands:
            line, self.commands = self.commands.split(b"\n", 1)
            try:
                self.command(line)
            except (OSError, ValueError):
                pass

    def play(self):
        if not self.pending:
            return
        count = len(self.pending)
        if self.rate > 0:
            due = int((time.monotonic() - self.started) * self.rate) - self.sent
            count = max(0, min(count, due))
        if count:
            written = os.write(self.master, self.pending[:count])
            self.pending = self.pending[written:]
            self.sent += written


def paths(prefix):
    dos = os.path.join(prefix, "dosdevices")
    links = {n: os.path.join(dos, "com%d" % n) for n in list(PORTS) + list(SPECIAL)}
    return links, os.path.join(prefix, "pty_writer.pid"), os.path.join(prefix, "pty_writer")


def remove_links(links):
    for link in links.values():
        if os.path.islink(link):
            os.unlink(link)


def make_special(links, work):
    os.makedirs(os.path.join(work, "folder"), exist_ok=True)
    with open(os.path.join(work, "plain-file"), "wb") as f:
        f.write(b"not a port\n")
    for number, target in SPECIAL.items():
        os.symlink(os.path.join(work, target) if not target.startswith("/") else target,
                   links[number])


def serve(ports):
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
    by_fd = {p.master: p for p in ports}
    while True:
        ready, _, _ = select.select(list(by_fd), [], [], 0.01)
        for fd in ready:
            by_fd[fd].receive()
        for p in ports:
            p.play()


def start(prefix):
    links, pidfile, work = paths(prefix)
    stop(prefix)
    os.makedirs(work, exist_ok=True)
    ready_r, ready_w = os.pipe()
    if os.fork() > 0:
        os.close(ready_w)
        ok = os.read(ready_r, 1) == b"1"
        return 0 if ok else 1
    os.close(ready_r)
    os.setsid()
    log = os.open(os.path.join(work, "log.txt"), os.O_WRONLY | os.O_CREAT | os.O_TRUNC)
    null = os.open(os.devnull, os.O_RDONLY)
    os.dup2(null, 0)
    os.dup2(log, 1)
    os.dup2(log, 2)
    try:
        ports = [Port(n, links) for n in PORTS]
        make_special(links, work)
        with open(pidfile, "w") as f:
            f.write(str(os.getpid()))
    except OSError as e:
        print(e, flush=True)
        os.write(ready_w, b"0")
        os._exit(1)
    os.write(ready_w, b"1")
    os.close(ready_w)
    serve(ports)


def stop(prefix):
    links, pidfile, _ = paths(prefix)
    if os.path.exists(pidfile):
        with open(pidfile) as f:
            pid = int(f.read().strip() or 0)
        try:
            os.kill(pid, signal.SIGTERM)
        except (ProcessLookupError, PermissionError):
            pass
        os.unlink(pidfile)
    remove_links(links)
    return 0


if __name__ == "__main__":
    action, prefix = sys.argv[1], sys.argv[2]
    sys.exit(start(prefix) if action == "start" else stop(prefix))
