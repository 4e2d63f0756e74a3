#!/usr/bin/env python3
"""Boots the boot program, TOVRELL.COM, on a real DOS and checks what it does.

    boot_program_test.py TOVRELL.COM [CASE...]

For each case of CASES: copies the FreeDOS boot floppy (TOVRELL_FREEDOS_IMG,
or ../shared/freedos/freedos-boot.img beside the repository), puts a medium
on the copy (an AUTOEXEC.BAT that runs \\NET\\TOVRELL.COM and then shows its
errorlevel, NET\\PROTOCOL.INI and NET\\SYSTEM.INI; a NET folder with the
program, a TOVRELL.TXT, the cards' folders and placeholder drivers), boots
it in QEMU with qemu_screen.py (typing the case's keys once the menu shows)
and checks that every expected text is on the last screen. Afterwards the
floppy must hold no temporary file of the program, and fsck.fat must find
nothing in it that it did not find before the boot; the computer names
that the cases drew must all differ.

Name cases to run only those. Exit status: 0 every case passed, 1 one
failed, 77 skipped (no FreeDOS image, QEMU or FAT tools), saying why.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
SKIP = 77
DONE = "END-OF-BOOT"

AUTOEXEC = (
    "@ECHO OFF\r\n"
    "\\NET\\TOVRELL.COM\r\n"
    "IF ERRORLEVEL 2 ECHO errorlevel 2\r\n"
    "IF ERRORLEVEL 1 IF NOT ERRORLEVEL 2 ECHO errorlevel 1\r\n"
    "IF NOT ERRORLEVEL 1 ECHO errorlevel 0\r\n"
    "TYPE \\NET\\PROTOCOL.INI\r\n"
    "TYPE \\NET\\SYSTEM.INI\r\n"
    f"ECHO {DONE}\r\n"
)

# The four cards QEMU has (folder, driver, device name, ids, title).
FOUR = [("001", "RTL8139.DOS", "RTL8139", "10ec:8139", "RTL8139"),
        ("002", "E1000.DOS", "E1000", "8086:100E,8086:100f", "Intel PRO/1000"),
        ("003", "PCNTND.DOS", "PCNTND", "1022:2000", "AMD PCnet"),
        ("004", "E100B.DOS", "E100B", "8086:1229", "Intel PRO/100")]
# A hundred cards, none of them the PCnet.
HUNDRED = [("%03d" % n, "C%03d.DOS" % n, "C%03d" % n, "10ec:%04x" % (0x8000 + n), "Card %d" % n)
           for n in range(1, 101)]
HUNDRED[0] = FOUR[0]


def table(cards, garbled=False):
    lines = ["; Tovrell card table", "NAME LAB"]
    if garbled:
        lines += ["\x00\x7f\xfe binary \x1b[2J garbage", "CARD " + "X" * 300, "CARD 009 ..\\EVIL.DOS 10ec:8139 Up",
                  "CARD 010 OK.DOS", "SWAP 001 RTL8139.DOS 10ec:8139 RTL8139"]
    lines += [f"card {folder}\t{driver} {ids}  {title}  " for folder, driver, _, ids, title in cards]
    if garbled:
        lines.insert(3, "CARD 011 PRO.DOS 8086:1229x,zzzz:0001 Bad ids only")
    return "\r\n".join(lines) + "\r\n\x1a"


# name, cards, table text, QEMU card, write-protected, keys after this text, keys, texts expected
CASES = [
    ("rtl8139 finds its card in a garbled table", FOUR, table(FOUR, garbled=True), "rtl8139", False, "", [],
     ["Tovrell: 5 lines of TOVRELL.TXT skipped, the first is line 3",
      "Tovrell: 2 bad PCI ids of TOVRELL.TXT skipped, the first on line 4",
      "Tovrell: RTL8139 (10ec:8139)", "errorlevel 0", "DriverName=RTL8139$"]),
    # The other cards QEMU has find their own on the media the builds make
    # (tests/boot/universal_boot_test.cpp).
    ("a write-protected floppy boots on with the first card", FOUR, table(FOUR), "i82557b", True, "", [],
     ["Tovrell: cannot write to A:\\NET (write-protected or full?), NET left as it is", "errorlevel 1",
      "DriverName=RTL8139$", "ComputerName = PLACEHOLDER"]),
    ("the menu's second page chooses card 47", HUNDRED, table(HUNDRED), "pcnet", False, "for none", ["kp_add", "c"],
     ["Tovrell: Card 47 chosen", "errorlevel 0", "DriverName=C047$"]),
    ("the menu's time out leaves NET as it is", HUNDRED, table(HUNDRED), "pcnet", False, "", [],
     ["Tovrell: no card chosen, NET left as it is", "errorlevel 2", "DriverName=RTL8139$"]),
]


def freedos_image():
    image = os.environ.get("TOVRELL_FREEDOS_IMG") or os.path.join(HERE, "..", "..", "..", "shared", "freedos",
                                                                   "freedos-boot.img")
    return os.path.abspath(image)


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data.encode("latin-1") if isinstance(data, str) else data)


def lay_out_medium(folder, program, cards, table_text):
    """The medium's files in `folder`: NET set up for the first card."""
    write(os.path.join(folder, "AUTOEXEC.BAT"), AUTOEXEC)
    net = os.path.join(folder, "NET")
    for index, (card, driver, device, _, _) in enumerate(cards):
        files = {driver: f"placeholder driver {driver}\r\n",
                 "PROTOCOL.INI": f"[MS${device}]\r\nDriverName={device}$\r\n",
                 # The section's name as the client takes it: blanks, quotes, letter case.
                 "SYSTEM.INI": f"[ \"Network\" ]\r\n  ComputerName = PLACEHOLDER\r\n[network drivers]\r\nnetcard={driver}\r\n"}
        for name, text in files.items():
            write(os.path.join(net, "CARDS", card, name), text)
            if index == 0:
                write(os.path.join(net, name), text)
    write(os.path.join(net, "TOVRELL.TXT"), table_text)
    shutil.copy(program, os.path.join(net, "TOVRELL.COM"))


def run(command, **kwargs):
    return subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                          env=dict(os.environ, MTOOLS_SKIP_CHECK="1"), **kwargs)


def make_floppy(freedos, folder, image):
    shutil.copy(freedos, image)
    os.chmod(image, 0o644)
    for name in ("AUTOEXEC.BAT", "NET"):
        result = run(["mcopy", "-s", "-i", image, os.path.join(folder, name), "::/"])
        if result.returncode != 0:
            raise RuntimeError(result.stdout)


def fsck_findings(image):
    """What fsck.fat says of the floppy, less its version and its counts
    (the FreeDOS floppy has findings of its own)."""
    return run(["fsck.fat", "-n", image]).stdout.splitlines()[1:-1]


def check_case(case, program, freedos, work):
    what, cards, table_text, nic, readonly, keys_after, keys, expected = case
    folder = os.path.join(work, "medium")
    shutil.rmtree(folder, ignore_errors=True)
    lay_out_medium(folder, program, cards, table_text)
    image = os.path.join(work, "floppy.img")
    make_floppy(freedos, folder, image)
    findings = fsck_findings(image)
    command = [sys.executable, os.path.join(HERE, "qemu_screen.py"), "--floppy", image, "--nic", nic,
               "--keys-after", keys_after, "--keys", ",".join(keys), "--expect", DONE, "--timeout", "90"]
    if readonly:
        command.append("--readonly")
    screen = run(command).stdout
    problems = [f"not on screen: {text}" for text in expected if text not in screen]
    listing = run(["mdir", "-b", "-/", "-i", image, "::/NET"]).stdout
    if "$$$" in listing:
        problems.append("a temporary file is left: " + listing)
    if fsck_findings(image) != findings:
        problems.append("fsck.fat finds what it did not before the boot: " + run(["fsck.fat", "-n", image]).stdout)
    names = re.findall(r"computername=(LAB-[0-9A-Z]{6})\s", screen)
    if not readonly and len(names) != 1:
        problems.append(f"not one computer name in SYSTEM.INI but {len(names)}")
    problems += [f"not said: computer name {name}" for name in names
                 if f"Tovrell: computer name {name}" not in screen]
    return problems, screen, names


def main():
    if len(sys.argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    program = os.path.abspath(sys.argv[1])
    chosen = sys.argv[2:]
    freedos = freedos_image()
    if not os.path.isfile(freedos):
        print(f"skipped: no FreeDOS boot floppy at {freedos} (set TOVRELL_FREEDOS_IMG)")
        return SKIP
    for tool in ("qemu-system-x86_64", "mcopy", "mdir", "fsck.fat"):
        if shutil.which(tool) is None:
            print(f"skipped: {tool} is not installed (tools/install-deps.sh installs it)")
            return SKIP
    failed = 0
    drawn = []
    with tempfile.TemporaryDirectory(prefix="tovrell-bootprog-") as work:
        for case in CASES:
            if chosen and case[0] not in chosen:
                continue
            problems, screen, names = check_case(case, program, freedos, work)
            drawn += names
            if problems:
                failed += 1
                print(f"FAILED: {case[0]}\n" + "\n".join(problems) + "\n--- last screen ---\n" + screen)
            else:
                print(f"passed: {case[0]}")
    if len(set(drawn)) != len(drawn):
        failed += 1
        print(f"FAILED: the computer names drawn are not all different: {drawn}")
    print(f"{len(drawn)} computer names drawn: {' '.join(drawn)}")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
