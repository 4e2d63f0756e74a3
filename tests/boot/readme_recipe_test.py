#!/usr/bin/env python3
"""Runs the README's PXE recipe as written and boots what it made.

    readme_recipe_test.py REPOSITORY TOVRELL_FOLDER

Takes the shell commands between <!-- recipe: pxe --> and <!-- /recipe -->
in REPOSITORY/README.md and runs them with bash, stopping at the first that
fails, from a temporary folder that stands for the repository's root (its
sample/, tests/ and tools/ are links to REPOSITORY's), with the native
`tovrell` of TOVRELL_FOLDER first on the PATH. Then boots a virtual PC with
an RTL8139 card from the TFTP root the recipe made, through its PXELINUX
(tests/boot/qemu_screen.py), chooses the RTL8139 entry of Tovrell's menu and
expects the booted image's DriverName=RTL8139$ on the screen.
"""
import os
import re
import subprocess
import sys
import tempfile


def recipe_of(readme):
    with open(readme, encoding="utf-8") as f:
        text = f.read()
    part = re.search(r"<!-- recipe: pxe -->(.*?)<!-- /recipe -->", text, re.S)
    if part is None:
        raise SystemExit("README.md has no <!-- recipe: pxe --> part")
    blocks = re.findall(r"```sh\n(.*?)```", part.group(1), re.S)
    if not blocks:
        raise SystemExit("the recipe has no sh block")
    return "".join(blocks)


def rtl8139_keys(menu):
    """The keys that pick RTL8139.IMG's entry in menu.cfg: its place among the entries."""
    with open(menu) as f:
        images = re.findall(r"^LABEL .*?(?:INITRD (\S+)|LOCALBOOT)", f.read(), re.S | re.M)
    return ["home"] + ["down"] * images.index("netboot/RTL8139.IMG") + ["ret"]


def main():
    repository, tovrell_folder = sys.argv[1:3]
    recipe = recipe_of(os.path.join(repository, "README.md"))
    with tempfile.TemporaryDirectory(prefix="tovrell-recipe-") as root:
        for folder in ("sample", "tests", "tools"):
            os.symlink(os.path.join(repository, folder), os.path.join(root, folder))
        environment = dict(os.environ, PATH=tovrell_folder + os.pathsep + os.environ["PATH"])
        ran = subprocess.run(["bash", "-e", "-o", "pipefail", "-c", recipe], cwd=root, env=environment)
        if ran.returncode != 0:
            print(f"the recipe failed (exit status {ran.returncode})", file=sys.stderr)
            return 1
        tftp = os.path.join(root, "lab", "tftp")
        booted = subprocess.run(
            ["python3", os.path.join(repository, "tests", "boot", "qemu_screen.py"), "--tftp", tftp, "--bootfile",
             "pxelinux.0", "--nic", "rtl8139", "--keys-after", "Tovrell network boot", "--keys",
             ",".join(rtl8139_keys(os.path.join(tftp, "netboot", "menu.cfg"))), "--expect", "DriverName=RTL8139$",
             "--timeout", "90"])
        return booted.returncode


if __name__ == "__main__":
    sys.exit(main())
