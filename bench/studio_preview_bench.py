"""How long a designer waits in Heart Studio: from a change in the page to the
new preview painted, by the page's own timing, in headless Chromium.

Usage: /usr/bin/python3 bench/studio_preview_bench.py HEART [CHANGES]
Prints the median and spread for the default record and for the heaviest
record the dialog allows (400 hearts, basic pattern, drop shadow, 60 sketch
repeats), and the host's share of them: the dialog with the generator,
drawing the picture, packing it for the page.

Each value is typed as a person types it: the digits, a short pause, then
Enter, which starts the timed change. The page itself says when the new
picture is painted; nothing polls it while a change is timed."""
import os
import statistics
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import studio_browser as sb  # noqa: E402

RECORDS = {
    "default record": [],
    "heaviest record": ["--set", "heartCount=400", "--set", "basicPattern=true",
                        "--set", "dropShadow=true", "--set", "sketchRepeats=60"],
}


def measure(driver, heart, edits, changes):
    folder = tempfile.mkdtemp(prefix="heart-studio-bench-")
    studio = sb.Studio(heart, folder, "--no-record", "--seed", "5", *edits)
    try:
        page = sb.Page(driver, studio.address, timeout=120)
        paths = page.paths()
        # Heart height, typed: each change runs the generator and a new preview.
        for n in range(changes + 1):
            page.type_value(11, "%d" % (150 + n % 2 * 10))
        timings = page.timings()[1:]  # the first change warms the page up
        stages = page.driver.execute_script("return window.heartStudioStages.slice()")[1:]
        page.driver.find_element("css selector", '[data-item="2"]').click()
        studio.wait()
        return paths, timings, stages
    finally:
        studio.stop()


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    heart = os.path.abspath(sys.argv[1])
    changes = int(sys.argv[2]) if len(sys.argv) > 2 else 20
    driver = sb.start_browser()
    try:
        for name, edits in RECORDS.items():
            paths, timings, stages = measure(driver, heart, edits, changes)
            print("%-16s %6d paths  %d changes  median %6.1f ms  min %6.1f  max %6.1f" %
                  (name, paths, len(timings), statistics.median(timings), min(timings),
                   max(timings)))
            # Where the time went, by the host's clock; the rest is the trip to
            # the page, decoding and painting.
            medians = {stage: statistics.median(s[stage] for s in stages)
                       for stage in ("apply", "draw", "pack")}
            print("%-16s medians: dialog and generator %.1f ms, drawing %.1f ms, "
                  "packing %.1f ms" % ("", medians["apply"], medians["draw"],
                                        medians["pack"]))
            # By the page's clock: the change to its pixels received (the
            # host's share included), unpacking them onto the canvas, and the
            # wait for the frame that shows them.
            timed = [s for s in stages if "trip" in s]
            if timed:
                page = {stage: statistics.median(s[stage] for s in timed)
                        for stage in ("trip", "unpack", "frame")}
                print("%-16s page medians: change to pixels received %.1f ms, unpacking "
                      "%.1f ms, frame %.1f ms" % ("", page["trip"], page["unpack"],
                                                  page["frame"]))
            print("%-16s load average %s" % ("", " ".join("%.2f" % x for x in os.getloadavg())))
    finally:
        sb.stop_browser(driver)


if __name__ == "__main__":
    main()
