#!/usr/bin/env python3
"""Prints how many tests passed, failed and were skipped at each level.

    test_counts.py LEVEL RESULTS_FOLDER [LEVEL RESULTS_FOLDER ...]

A results folder holds ctest's JUnit report (ctest.xml) and the XML report
each GoogleTest program wrote (GTEST_OUTPUT=xml:FOLDER/). A ctest test that
is a GoogleTest program is counted by its own cases, as GoogleTest reports
them; any other ctest test (a script) counts as one. A test that crashed or
timed out before writing its report counts as one failure.
"""
import os
import re
import sys
import xml.etree.ElementTree as ElementTree

# Characters XML 1.0 does not allow, which a failure's text may carry.
NOT_XML = re.compile("[\x00-\x08\x0b\x0c\x0e-\x1f\ufffe\uffff]")


def read_report(path):
    """The report's root. A failure's text may hold bytes that are not UTF-8
    (a message in code page 936 under Wine) or control characters; they are
    read as replacement characters so that the counts still come out."""
    with open(path, "rb") as report:
        text = report.read().decode("utf-8", errors="replace")
    return ElementTree.fromstring(NOT_XML.sub("\ufffd", text))


def gtest_counts(path):
    passed = failed = skipped = 0
    for case in read_report(path).iter("testcase"):
        if case.find("failure") is not None or case.find("error") is not None:
            failed += 1
        elif case.find("skipped") is not None or case.get("result") == "skipped":
            skipped += 1
        elif case.get("status", "run") == "run":
            passed += 1
    return passed, failed, skipped


def level_counts(folder):
    """(name, passed, failed, skipped) for each ctest test of the folder."""
    rows = []
    ctest = os.path.join(folder, "ctest.xml")
    if not os.path.exists(ctest):
        return rows
    for case in read_report(ctest).iter("testcase"):
        name = case.get("name")
        ctest_failed = case.find("failure") is not None or case.get("status") == "fail"
        ctest_skipped = case.find("skipped") is not None or case.get("status") in ("notrun", "disabled")
        report = os.path.join(folder, name + ".xml")
        if os.path.exists(report):
            passed, failed, skipped = gtest_counts(report)
            if ctest_failed and failed == 0:
                failed = 1  # it ended badly after its cases ran (a leak, a crash at exit)
        elif ctest_skipped:
            passed, failed, skipped = 0, 0, 1
        else:
            passed, failed, skipped = (0, 1, 0) if ctest_failed else (1, 0, 0)
        rows.append((name, passed, failed, skipped))
    return rows


def main(arguments):
    print("== Test counts")
    all_passed = True
    for level, folder in zip(arguments[0::2], arguments[1::2]):
        rows = level_counts(folder)
        if not rows:
            print(f"{level}: no results (the level did not run)")
            all_passed = False
            continue
        for name, passed, failed, skipped in rows:
            print(f"{level}, {name}: {passed} passed, {failed} failed, {skipped} skipped")
            all_passed = all_passed and failed == 0
    return 0 if all_passed else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
