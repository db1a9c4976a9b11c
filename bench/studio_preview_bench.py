"""How long a designer waits in Heart Studio, by the page's own timing, in
headless Chromium: from a change in the page to the new preview painted;
from a click on a history entry to that variation painted again; from a
click on "Variations" to the last cell of a grid of 9 shown, and the time
between one cell shown and the next.

Usage: /usr/bin/python3 bench/studio_preview_bench.py HEART [CHANGES]
Prints the median and spread for the default record and for the heaviest
record the dialog allows (400 hearts, basic pattern, drop shadow, 60 sketch
repeats), and the host's share of a change: the dialog with the generator,
drawing the picture, packing it for the page.

Each value is typed as a person types it: the digits, a short pause, then
Enter, which starts the timed change. The page itself says when the new
picture is painted and when a cell's picture is shown; nothing polls it
while a change is timed (a grid is waited for by polling, but its times are
the page's)."""
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


BRING_BACKS = 10  # history entries brought back, alternately the last two
GRIDS = 5  # grids of 9 drawn


def bring_back(page, entry):
    before = page.preview_version()
    page.driver.find_element("css selector", '#history [data-history="%d"]' % entry).click()
    page.wait_for_preview(before)


def draw_grid(page):
    """Asks for a grid of 9 and waits until the page has shown every cell;
    answers the page's own times of the cells, ms from the click."""
    grids = page.driver.execute_script("return window.heartStudioGrids.length")
    page.driver.find_element("css selector", '[data-action="variations"]').click()
    page.until(lambda d: d.execute_script(
        "const g = window.heartStudioGrids; return g.length > arguments[0] &&"
        " g[g.length - 1].complete !== null", grids), timeout=120)
    return page.driver.execute_script(
        "const g = window.heartStudioGrids; return g[g.length - 1].cells")


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
        # Back and forth between the last two entries of the history.
        typed = len(page.timings())
        last = len(page.driver.find_elements("css selector", "#history [data-history]")) - 1
        for n in range(BRING_BACKS):
            bring_back(page, last - 1 - n % 2)
        brought = page.timings()[typed:]
        grids = [draw_grid(page) for _ in range(GRIDS)]
        page.driver.find_element("css selector", '[data-item="2"]').click()
        studio.wait()
        return paths, timings, stages, brought, grids
    finally:
        studio.stop()


def spread(values):
    return "median %6.1f ms  min %6.1f  max %6.1f" % (statistics.median(values), min(values),
                                                       max(values))


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    heart = os.path.abspath(sys.argv[1])
    changes = int(sys.argv[2]) if len(sys.argv) > 2 else 20
    driver = sb.start_browser()
    try:
        for name, edits in RECORDS.items():
            paths, timings, stages, brought, grids = measure(driver, heart, edits, changes)
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
            print("%-16s %d entries brought back: %s" % ("", len(brought), spread(brought)))
            complete = [max(cells) for cells in grids]
            print("%-16s %d grids of 9, the last cell shown: %s" % ("", len(grids),
                                                                  spread(complete)))
            first = [min(cells) for cells in grids]
            gaps = [b - a for cells in grids for a, b in zip(sorted(cells), sorted(cells)[1:])]
            print("%-16s first cell shown: %s; from one cell to the next: %s" %
                  ("", spread(first), spread(gaps)))
            print("%-16s load average %s" % ("", " ".join("%.2f" % x for x in os.getloadavg())))
    finally:
        sb.stop_browser(driver)


if __name__ == "__main__":
    main()
