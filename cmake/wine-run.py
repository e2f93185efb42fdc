#!/usr/bin/env python3
"""CTest's emulator for the Windows test programs: runs LOADER PROGRAM
[ARGUMENTS...] (LOADER being Wine's wine or wine64) and then says on stderr
how the program ended: its exit status, or the signal that ended it, how
long it ran, and the wineserver of the prefix before and after. A test that
fails before Wine prints anything (a loader that cannot reach its server,
say) still leaves a line in CTest's output and LastTest.log.

The program's stdout and stderr go straight through, so a test that hangs
shows what it wrote up to its timeout. Its exit status goes through
unchanged, and a signal that ends it ends this process too: Wine's exit
status is the low byte of the Windows exit code, and a signal must not pass
for one (the shell's 128 + N could not tell them apart)."""
import os
import signal
import subprocess
import sys
import time


def server_name(prefix):
    """The name of the folder where Wine's server for PREFIX keeps its socket
    and lock, after the prefix's device and inode. Debian's Wine puts it in
    /run/user/UID/wine or in a random folder under TMPDIR; the name is the
    same everywhere."""
    try:
        info = os.stat(prefix)
    except OSError:
        return None
    return f"server-{info.st_dev:x}-{info.st_ino:x}"


def wineservers(name):
    """The process ids of the wineservers running in a folder called NAME: a
    wineserver works in its server folder."""
    pids = []
    if name is None:
        return pids
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/comm") as comm:
                if not comm.read().startswith("wineserver"):
                    continue
            if os.path.basename(os.readlink(f"/proc/{entry}/cwd")) == name:
                pids.append(int(entry))
        except OSError:
            continue  # ended meanwhile, or not ours to read
    return pids


def describe(pids):
    return "pid " + ", ".join(map(str, pids)) if pids else "none"


def how_it_ended(returncode):
    if returncode < 0:
        number = -returncode
        try:
            name = signal.Signals(number).name
        except ValueError:
            name = f"signal {number}"
        return f"ended by signal {number} ({name})"
    return f"exited with status {returncode}"


def main(argv):
    if len(argv) < 3:
        print("usage: wine-run.py LOADER PROGRAM [ARGUMENTS...]", file=sys.stderr)
        return 2
    command = argv[1:]
    folder = server_name(os.environ.get("WINEPREFIX") or os.path.expanduser("~/.wine"))
    before = wineservers(folder)
    started = time.monotonic()
    try:
        child = subprocess.Popen(command)
    except OSError as error:
        print(f"wine-run: cannot start {command[0]}: {error}", file=sys.stderr)
        return 127

    # CTest's timeout and `timeout` stop this process; the program must stop too.
    def forward(number, _frame):
        child.send_signal(number)
    for number in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
        signal.signal(number, forward)
    # A handled signal does not end the wait: Python retries it (PEP 475).
    returncode = child.wait()
    seconds = time.monotonic() - started
    after = wineservers(folder)
    name = os.path.basename(command[1].replace("\\", "/"))
    print(f"wine-run: {name} {how_it_ended(returncode)} after {seconds:.3f} s "
          f"(wineserver before: {describe(before)}; after: {describe(after)})",
          file=sys.stderr, flush=True)
    if returncode < 0:
        try:
            signal.signal(-returncode, signal.SIG_DFL)
        except (OSError, ValueError):
            pass  # SIGKILL and SIGSTOP keep their default anyway
        os.kill(os.getpid(), -returncode)
        return 128 - returncode  # a signal that does not end a process by default
    return returncode


if __name__ == "__main__":
    sys.exit(main(sys.argv))
