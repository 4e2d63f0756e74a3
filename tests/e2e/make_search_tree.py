#!/usr/bin/env python3
"""make_search_tree.py TREE FOLDERS FILES: makes TREE anew with FOLDERS folders,
eight at most in each, FILES empty files in each and a driver file in every
tenth, and FOLDERS.TXT giving the count. Quick here; slow through Wine."""
import os, shutil, sys

tree, folders, files = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
shutil.rmtree(tree, ignore_errors=True)
paths = [tree]
os.makedirs(tree)
for i in range(1, folders):
    paths.append(os.path.join(paths[(i - 1) // 8], "D%d" % i))
    os.mkdir(paths[-1])
for i, path in enumerate(paths):
    for name in ["FILE%d.TXT" % j for j in range(files)] + (["N%d.DOS" % i] if i % 10 == 0 else []):
        open(os.path.join(path, name), "wb").close()
with open(os.path.join(tree, "FOLDERS.TXT"), "w") as count:
    count.write("%d\n" % folders)
