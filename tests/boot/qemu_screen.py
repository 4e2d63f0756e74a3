#!/usr/bin/env python3
"""Boots a virtual PC from the network or a floppy and watches its text screen.

    qemu_screen.py --tftp DIR --bootfile FILE --nic rtl8139|e1000 --expect TEXT
                   [--keys-after TEXT --keys KEY,KEY...] [--timeout SECONDS]
    qemu_screen.py --floppy IMAGE [--readonly] --nic rtl8139|e1000|pcnet|i82557b
                   --expect TEXT [--keys-after TEXT --keys KEY,KEY...] [--timeout SECONDS]

Starts one QEMU (software emulation, no window) whose user-mode network
serves DIR over TFTP and offers FILE (relative to DIR) as the DHCP boot
file; the card's option ROM (iPXE) boots it. With --floppy it boots the
1.44 MB floppy IMAGE instead, with the card on its PCI bus and a network
that reaches nothing; --readonly makes it a write-protected floppy (QEMU
never writes the image then). Reads the VGA text screen
(physical 0xB8000, 80x25 character/attribute pairs) through a QMP socket in
a temporary folder of its own, twice a second. Once the --keys-after text is
on screen it sends the keys (QEMU key names: down, ret, tab, a ...), one per
reading while that text is still there; then it waits for --expect. Prints
the last screen read. Exit status: 0 the text was seen, 1 it was not before
the timeout, 2 QEMU failed. Ends the QEMU it started, by its pid, and
nothing else.
"""
import argparse
import json
import os
import socket
import subprocess
import sys
import tempfile
import time


def command(monitor, name, **arguments):
    monitor.write(json.dumps({"execute": name, "arguments": arguments}) + "\n")
    monitor.flush()
    while True:
        line = monitor.readline()
        if not line:
            raise ConnectionError("QEMU closed its monitor")
        reply = json.loads(line)
        if "error" in reply:
            raise RuntimeError(f"{name}: {reply['error']['desc']}")
        if "return" in reply:
            return reply["return"]


def read_screen(monitor, dump):
    command(monitor, "pmemsave", val=0xB8000, size=80 * 25 * 2, filename=dump)
    with open(dump, "rb") as f:
        characters = f.read()[0::2].decode("cp437")
    return "\n".join(characters[row:row + 80].rstrip() for row in range(0, 80 * 25, 80))


def watch(qemu, socket_path, dump, args):
    deadline = time.monotonic() + args.timeout
    while not os.path.exists(socket_path):
        if qemu.poll() is not None or time.monotonic() > deadline:
            raise ConnectionError("QEMU did not start")
        time.sleep(0.1)
    connection = socket.socket(socket.AF_UNIX)
    connection.connect(socket_path)
    monitor = connection.makefile("rw")
    monitor.readline()
    command(monitor, "qmp_capabilities")
    keys = [key for key in args.keys.split(",") if key]
    screen = ""
    while time.monotonic() < deadline:
        screen = read_screen(monitor, dump)
        if keys and args.keys_after in screen:
            command(monitor, "send-key", keys=[{"type": "qcode", "data": keys.pop(0)}])
        elif not keys and args.expect in screen:
            return True, screen
        time.sleep(0.5)
    return False, screen


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--tftp")
    parser.add_argument("--bootfile")
    parser.add_argument("--floppy")
    parser.add_argument("--readonly", action="store_true")
    parser.add_argument("--nic", required=True)
    parser.add_argument("--expect", required=True)
    parser.add_argument("--keys-after", default="")
    parser.add_argument("--keys", default="")
    parser.add_argument("--timeout", type=float, default=90)
    args = parser.parse_args()
    if args.floppy is None and (args.tftp is None or args.bootfile is None):
        parser.error("either --floppy or both --tftp and --bootfile are needed")

    with tempfile.TemporaryDirectory(prefix="tovrell-qemu-") as folder:
        socket_path = os.path.join(folder, "qmp")
        # restrict=on: the guest reaches QEMU's own DHCP and TFTP, nothing else.
        netdev = "user,id=net,restrict=on"
        if args.floppy is None:
            tftp, bootfile = (value.replace(",", ",,") for value in (os.path.abspath(args.tftp), args.bootfile))
            netdev += f",tftp={tftp},bootfile={bootfile}"
            boot = ["-boot", "n"]
        else:
            drive = f"file={os.path.abspath(args.floppy).replace(',', ',,')},if=floppy,format=raw"
            boot = ["-drive", drive + (",readonly=on" if args.readonly else ""), "-boot", "a"]
        qemu = subprocess.Popen(
            ["qemu-system-x86_64", "-accel", "tcg", "-nodefaults", "-vga", "std", "-display", "none",
             "-m", "64", "-no-reboot", *boot, "-netdev", netdev, "-device", f"{args.nic},netdev=net",
             "-qmp", f"unix:{socket_path},server=on,wait=off"],
            stdin=subprocess.DEVNULL)
        try:
            seen, screen = watch(qemu, socket_path, os.path.join(folder, "screen"), args)
        except (OSError, RuntimeError, ValueError) as error:
            print(f"QEMU failed: {error}", file=sys.stderr)
            return 2
        finally:
            qemu.kill()
            qemu.wait()
    print(screen)
    if not seen:
        print(f"not on screen after {args.timeout:.0f} s: {args.expect}", file=sys.stderr)
    return 0 if seen else 1


if __name__ == "__main__":
    sys.exit(main())
