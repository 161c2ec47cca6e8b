"""Adds up the test results of one scripts/test run into its closing line.

Each argument is NAME=RESULT_XML=EXIT_STATUS. A suite whose runner failed
without writing a failure into its results (a crash, a build error) counts as
one failed test more.
"""

import sys
import xml.etree.ElementTree as ET


def counts(path):
    try:
        root = ET.parse(path).getroot()
    except (OSError, ET.ParseError):
        return None
    suites = [root] if root.tag == "testsuite" else root.findall("testsuite")
    total = failed = skipped = 0
    for suite in suites:
        total += int(suite.get("tests", 0))
        failed += int(suite.get("failures", 0)) + int(suite.get("errors", 0))
        skipped += int(suite.get("skipped", 0)) + int(suite.get("disabled", 0))
    return total - failed - skipped, failed, skipped


def main(args):
    passed_all = failed_all = skipped_all = 0
    for arg in args:
        name, path, status = arg.split("=")
        result = counts(path)
        if result is None:
            passed, failed, skipped = 0, 0, 0
        else:
            passed, failed, skipped = result
        if status != "0" and failed == 0:
            failed = 1
        print(f"  {name}: {passed} passed, {failed} failed" + (f", {skipped} skipped" if skipped else ""))
        passed_all += passed
        failed_all += failed
        skipped_all += skipped
    line = f"summary: {passed_all} passed, {failed_all} failed"
    if skipped_all:
        line += f", {skipped_all} skipped"
    print(line)
    return 1 if failed_all else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
