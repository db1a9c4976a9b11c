"""End-to-end tests of `heart studio` in headless Chromium.

Usage: studio_e2e_test.py HEART [SCREENSHOT.png]
Exits 77 (skipped) when Chromium or its WebDriver is not installed."""
import filecmp
import os
import re
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
try:
    import studio_browser as sb
    from selenium.webdriver.common.action_chains import ActionChains
    from selenium.webdriver.common.actions.wheel_input import ScrollOrigin
    from selenium.webdriver.common.by import By
    from selenium.webdriver.common.keys import Keys
    from selenium.webdriver.support.ui import Select
except ImportError as missing:
    print("skipped: %s" % missing)
    sys.exit(77)

HEART = None
SCREENSHOT = None

# Compares the document view's canvas with the host's PNG of the same
# preview, decoded by the browser; answers "same" or what differs.
SAME_AS_HOST_PICTURE = """
const done = arguments[arguments.length - 1];
(async () => {
  const canvas = document.getElementById("preview");
  const version = document.getElementById("view").dataset.previewVersion;
  const response = await fetch("/api/preview.png");
  if (response.headers.get("X-Preview-Version") !== version) return "another picture was drawn";
  const bitmap = await createImageBitmap(await response.blob());
  if (bitmap.width !== canvas.width || bitmap.height !== canvas.height)
    return "size " + bitmap.width + "x" + bitmap.height;
  const other = new OffscreenCanvas(bitmap.width, bitmap.height).getContext("2d");
  other.drawImage(bitmap, 0, 0);
  const expected = other.getImageData(0, 0, bitmap.width, bitmap.height).data;
  const shown = canvas.getContext("2d").getImageData(0, 0, canvas.width, canvas.height).data;
  for (let i = 0; i < shown.length; ++i)
    if (shown[i] !== expected[i]) return "byte " + i + ": " + shown[i] + " != " + expected[i];
  return "same";
})().then(done, (error) => done(String(error)));
"""
SEED = "20261208"
# The heaviest record the dialog allows: a cell of it takes a good part of a
# second to draw, so a change made while a grid is filled is sure to stop it.
HEAVIEST = ["--set", "heartCount=400", "--set", "basicPattern=true", "--set", "dropShadow=true",
            "--set", "sketchRepeats=60"]


class StudioInBrowser(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.driver = sb.start_browser()

    @classmethod
    def tearDownClass(cls):
        sb.stop_browser(cls.driver)

    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="heart-studio-e2e-")
        self.studio = None

    def tearDown(self):
        if self.studio:
            self.studio.stop()
        shutil.rmtree(self.folder, ignore_errors=True)

    def open(self, *arguments):
        # The designer's own settings go into this test's folder.
        env = dict(os.environ, XDG_CONFIG_HOME=os.path.join(self.folder, "config"))
        self.studio = sb.Studio(HEART, self.folder, "--record", "record.json", "--seed", SEED,
                                *arguments, env=env)
        return sb.Page(self.driver, self.studio.address)

    def downloads(self):
        """The folder the browser saves downloads in, emptied."""
        folder = self.driver.heart_downloads
        for name in os.listdir(folder):
            os.remove(os.path.join(folder, name))
        return folder

    def save_as(self, page, folder, kind):
        """Clicks Save as... KIND and answers the file the browser saved."""
        path = os.path.join(folder, "hearts." + kind)
        self.driver.find_element(By.CSS_SELECTOR, '[data-action="save-%s"]' % kind).click()
        page.until(lambda d: os.path.exists(path) and not any(
            name.endswith(".crdownload") for name in os.listdir(folder)))
        with open(path, "rb") as saved:
            return saved.read()

    def test_save_as_downloads_what_ok_writes_and_the_session_goes_on(self):
        page = self.open("-o", "studio.svg")
        folder = self.downloads()
        page.press(61)  # Tumble
        page.page(4)
        page.type_value(7, "6")
        saved = {kind: self.save_as(page, folder, kind) for kind in ("svg", "png", "pdf")}
        self.assertIsNone(self.studio.process.poll(), "saving ended the session")
        self.assertTrue(saved["png"].startswith(b"\x89PNG"))
        info = subprocess.run(["pdfinfo", os.path.join(folder, "hearts.pdf")],
                              capture_output=True, text=True)
        self.assertEqual(info.returncode, 0, info.stderr)
        self.assertRegex(info.stdout, r"Pages:\s+1\n")
        self.assertIn("heart-run", info.stdout)  # the run's record in the Keywords
        # The run's record, seed and draws: the saved SVG redraws itself.
        subprocess.run([HEART, "run", "--no-record", "--from", os.path.join(folder, "hearts.svg"),
                        "-o", "again.svg", "-q"], cwd=self.folder, check=True)
        with open(os.path.join(self.folder, "again.svg"), "rb") as again:
            self.assertEqual(again.read(), saved["svg"])
        subprocess.run([HEART, "run", "--no-record", "--from", os.path.join(folder, "hearts.svg"),
                        "-o", "again.png", "-q"], cwd=self.folder, check=True)
        with open(os.path.join(self.folder, "again.png"), "rb") as again:
            self.assertEqual(again.read(), saved["png"])
        # The page still changes the dialog; back to the saved variation,
        # OK writes the very drawing saved.
        page.type_value(7, "9")
        before = page.preview_version()
        self.driver.find_element(By.CSS_SELECTOR, '[data-action="undo"]').click()
        page.wait_for_preview(before)
        self.driver.find_element(By.CSS_SELECTOR, '[data-action="ok"]').click()
        self.assertEqual(self.studio.wait(), 0, self.studio.stderr)
        with open(os.path.join(self.folder, "studio.svg"), "rb") as written:
            self.assertEqual(written.read(), saved["svg"])

    def test_an_opened_drawing_lies_beneath_the_hearts_and_is_saved_with_them(self):
        drawing = os.path.join(self.folder, "card.svg")
        rectangle = '<rect id="card" x="0" y="0" width="400" height="300" fill="#1e90ff"/>'
        with open(drawing, "w") as out:
            out.write('<svg xmlns="http://www.w3.org/2000/svg" width="400pt" height="300pt" '
                      'viewBox="0 0 400 300">\n  %s\n</svg>\n' % rectangle)
        page = self.open("--open", "card.svg", "--set", "heartCount=3", "-o", "card-hearts.svg")
        # The card's blue shows in the canvas around the hearts; nothing else
        # in the view (pasteboard, white hearts, black strokes) is that blue.
        blue, total = self.driver.execute_script("""
            const canvas = document.getElementById("preview");
            const d = canvas.getContext("2d").getImageData(0, 0, canvas.width, canvas.height).data;
            let blue = 0;
            for (let i = 0; i < d.length; i += 4)
              if (d[i] === 30 && d[i + 1] === 144 && d[i + 2] === 255 && d[i + 3] === 255) ++blue;
            return [blue, canvas.width * canvas.height];""")
        self.assertGreater(blue, total // 20, "no drawing beneath the hearts")
        folder = self.downloads()
        saved = self.save_as(page, folder, "svg").decode()
        self.assertIn(rectangle, saved)
        self.assertIn('<g id="hearts"', saved)
        self.driver.find_element(By.CSS_SELECTOR, '[data-action="ok"]').click()
        self.assertEqual(self.studio.wait(), 0, self.studio.stderr)
        with open(os.path.join(self.folder, "card-hearts.svg")) as written:
            self.assertEqual(written.read(), saved)

    def test_own_settings_are_saved_by_name_and_brought_back(self):
        page = self.open()
        page.page(4)
        page.type_value(7, "7")

        def save_settings(name):
            self.driver.find_element(By.CSS_SELECTOR, '[data-action="save-settings"]').click()
            field = self.driver.find_element(By.ID, "settings-name")
            field.clear()
            field.send_keys(name, Keys.ENTER)

        save_settings("bad/name")
        page.until(lambda d: "may hold only" in d.find_element(By.ID, "settings-note").text)
        self.assertIsNone(self.studio.process.poll(), "Enter in the name field ended the dialog")
        save_settings("Seven hearts")
        own = Select(self.driver.find_element(By.ID, "own-settings"))
        page.until(lambda d: [o.text for o in own.options] == ["My settings", "Seven hearts"])
        self.assertTrue(self.driver.find_element(By.ID, "settings-form").get_attribute("hidden"))
        stored = os.path.join(self.folder, "config", "heart", "settings", "Seven hearts.json")
        self.assertTrue(os.path.exists(stored))
        page.type_value(7, "2")
        before = page.preview_version()
        own.select_by_visible_text("Seven hearts")
        page.wait_for_preview(before)
        self.assertEqual(page.value(7), 7)
        current = self.driver.find_element(By.CSS_SELECTOR, '#history [aria-current="true"]')
        self.assertIn("Settings: Seven hearts", current.get_attribute("title"))
        # The command line starts from them too, and names those there are.
        env = dict(os.environ, XDG_CONFIG_HOME=os.path.join(self.folder, "config"))
        subprocess.run([HEART, "run", "--no-record", "--settings", "Seven hearts", "-o",
                        "seven.svg", "-q"], cwd=self.folder, env=env, check=True)
        with open(os.path.join(self.folder, "seven.svg")) as drawing:
            self.assertIn('"heartCount":7', drawing.read())
        missing = subprocess.run([HEART, "run", "--no-record", "--settings", "Eight", "-o",
                                  "eight.svg"], cwd=self.folder, env=env, capture_output=True,
                                 text=True)
        self.assertNotEqual(missing.returncode, 0)
        self.assertIn('there are "Seven hearts"', missing.stderr)
        self.assertFalse(os.path.exists(os.path.join(self.folder, "eight.svg")))

    def test_heart_count_typed_is_followed_by_the_paths_drawn(self):
        page = self.open()
        page.page(4)
        count = int(page.value(7))
        per_heart = page.paths() / count
        self.assertEqual(per_heart, int(per_heart))
        page.type_value(7, "25")
        self.assertEqual(page.paths(), 25 * per_heart)
        self.assertEqual(page.value(7), 25)
        # The arrow keys step the count by one and preview again.
        before = page.preview_version()
        page.item(7, "input").send_keys(Keys.ARROW_UP)
        page.wait_for_preview(before)
        self.assertEqual(page.value(7), 26)
        self.assertEqual(page.paths(), 26 * per_heart)
        # The picture on the page is the host's preview, pixel for pixel.
        self.assertEqual(self.driver.execute_async_script(SAME_AS_HOST_PICTURE), "same")
        # The status line says how many paths and how long the preview took.
        status = self.driver.find_element(By.ID, "status").text
        self.assertIn("%d paths" % (26 * per_heart), status)
        self.assertRegex(status, r"drawn in \d+\.\d ms")
        # Out of range: the host's spin edit keeps the count within 1 to 400.
        page.type_value(7, "401")
        self.assertEqual(page.value(7), 400)
        self.assertEqual(page.paths(), 400 * per_heart)

    def test_the_wheel_steps_a_focused_spin_edit_within_its_range(self):
        page = self.open()
        page.page(4)
        count = page.item(7, "input")
        page.type_value(7, "5")
        per_heart = page.paths() // 5

        def wheel(field, notches):
            # One notch at a time: a busy page may merge wheel events that
            # arrive together, and the page steps once for each event.
            for _ in range(abs(notches)):
                before = page.preview_version()
                ActionChains(self.driver).scroll_from_origin(
                    ScrollOrigin.from_element(field), 0, -100 if notches > 0 else 100).perform()
                page.wait_for_preview(before)

        # Away from the focus the wheel scrolls the page and changes nothing.
        self.driver.find_element(By.ID, "view").click()
        ActionChains(self.driver).scroll_from_origin(ScrollOrigin.from_element(count), 0,
                                                     -100).perform()
        time.sleep(0.3)
        self.assertEqual(page.value(7), 5)
        # Focused: one whole heart a notch, up and down, and the preview follows.
        count.click()
        wheel(count, 1)
        page.until(lambda d: page.paths() == 6 * per_heart)
        self.assertEqual(page.value(7), 6)
        wheel(count, -3)
        page.until(lambda d: page.value(7) == 3 and page.paths() == 3 * per_heart)
        # At the top of its range (400 hearts) the wheel goes no further.
        page.type_value(7, "400")
        count.click()
        ActionChains(self.driver).scroll_from_origin(ScrollOrigin.from_element(count), 0,
                                                     -100).perform()
        time.sleep(0.5)
        self.assertEqual(page.value(7), 400)
        # A real-valued field steps by its last shown decimal: 150.00 to 150.01.
        page.type_value(4, "150")
        centre = page.item(4, "input")
        centre.click()
        wheel(centre, 1)
        self.assertEqual(centre.get_attribute("value"), "150.01")

    def test_tab_moves_through_the_enabled_items_only(self):
        page = self.open()
        page.page(5)

        def tab_cycle():
            """The items Tab visits from the Cancel button until it comes back."""
            start = page.item(2, "button")
            self.driver.execute_script("arguments[0].focus()", start)
            visited = []
            for _ in range(80):
                self.driver.switch_to.active_element.send_keys(Keys.TAB)
                focused = self.driver.switch_to.active_element
                if focused == start:
                    return visited
                name = focused.get_attribute("data-item") or focused.get_attribute("data-action")
                if name:  # past the last item the page itself holds the focus once
                    visited.append(name)
            self.fail("Tab never came back to Cancel: %s" % visited)

        shown = {"90", "91", "92", "93", "94", "95", "60", "61", "62", "63", "64", "3", "65",
                 "27", "ok", "fit", "variations", "save-settings", "save-svg", "save-png",
                 "save-pdf", "115", "116", "117", "121", "122", "123", "118", "136", "126",
                 "120", "134"}
        shadow = {"143", "144", "145", "146"}  # enabled only with a drop shadow
        visited = tab_cycle()
        self.assertEqual(len(visited), len(set(visited)), visited)
        self.assertEqual(set(visited), shown)
        # With a drop shadow its four options join; a symmetric heart (page 2)
        # disables "Create points [R]".
        before = page.preview_version()
        page.item(126, "input").click()
        page.wait_for_preview(before)
        page.page(2)
        before = page.preview_version()
        page.item(133, "input").click()
        page.wait_for_preview(before)
        page.page(5)
        visited = tab_cycle()
        # The two changes are variations to go back to: "undo" joins too.
        self.assertEqual(set(visited), (shown | shadow | {"undo"}) - {"120"})

    def test_a_modal_box_keeps_the_keyboard_focus(self):
        page = self.open()
        # A box of two buttons over the dialog, as the plug-in's alerts come.
        self.driver.execute_script("""
            const button = (id, type, text, left) => ({
              id, type, text, bounds: [left, 60, left + 70, 80], visible: true, enabled: true});
            show(Object.assign({}, studio.view, {version: studio.view.version + 1000, modal: {
              name: "Alert", title: "Alert", size: [200, 100], items: [
                {id: 3, type: STATIC, text: "Sure?", bounds: [10, 10, 190, 40],
                 visible: true, enabled: true},
                button(2, TEXT_BUTTON, "Cancel", 20), button(1, DEFAULT_BUTTON, "OK", 110)]}}));
        """)
        focused = self.driver.switch_to.active_element
        self.assertEqual(focused.get_attribute("data-item"), "1", "the default button")
        visited = []
        for key in [Keys.TAB] * 3 + [Keys.SHIFT + Keys.TAB] * 3:
            self.driver.switch_to.active_element.send_keys(key)
            focused = self.driver.switch_to.active_element
            inside = self.driver.execute_script(
                "return document.getElementById('modal').contains(arguments[0])", focused)
            self.assertTrue(inside, "Tab left the box for <%s data-item=%s>" % (
                focused.tag_name, focused.get_attribute("data-item")))
            visited.append(focused.get_attribute("data-item"))
        self.assertEqual(visited, ["2", "1", "2", "1", "2", "1"])
        self.assertTrue(self.driver.execute_script(
            "return document.querySelector('main').inert"), "the page under the box")

    def test_tumble_draws_a_new_random_shape(self):
        page = self.open()
        shape = [page.value(item) for item in (11, 12, 13, 14, 15, 16)]
        page.press(61)
        self.assertNotEqual([page.value(item) for item in (11, 12, 13, 14, 15, 16)], shape)

    def test_an_answer_lost_on_the_way_does_not_leave_the_page_behind(self):
        # The page's own waiting view request would bring the change only
        # when it runs out of patience (15 s with this contact timeout); the
        # page must catch up well before that.
        page = self.open("--contact-timeout", "300")
        page.timeout = 5
        # The next action reaches the host and is applied, but its answer is
        # lost, as when the connection fails just then.
        self.driver.execute_script("""
            const realFetch = window.fetch;
            window.fetch = async (url, options) => {
              if (!String(url).startsWith("/api/action")) return realFetch(url, options);
              window.fetch = realFetch;
              await realFetch(url, options);
              throw new TypeError("Failed to fetch");
            };
        """)
        before = page.preview_version()
        page.type_value(11, "173")
        self.assertGreater(page.preview_version(), before)
        self.assertEqual(page.value(11), 173)
        self.assertEqual(self.driver.execute_script("return window.fetch.name"), "fetch")

    def test_pages_show_their_own_items(self):
        pages = {1: [11, 12, 13, 14, 15, 16, 160], 2: [17, 18, 19, 20, 21, 22, 133],
                 3: [40, 47, 55, 66, 137, 26, 166], 4: [10, 4, 5, 7, 25, 167, 168],
                 5: [115, 126, 143, 134], 6: [135, 125, 147]}
        page = self.open()
        for number, items in pages.items():
            page.page(number)
            for other, other_items in pages.items():
                for item in other_items:
                    self.assertEqual(page.item(item).is_displayed(), other == number,
                                     "page %d: item %d" % (number, item))
            captions = self.driver.find_elements(By.CSS_SELECTOR, "#dialog div.static.current")
            self.assertEqual([c.get_attribute("data-item") for c in captions],
                             [str(94 + number)])
            # The caption that shares 95 with the sixth page button is a text, not a button.
            self.assertEqual(page.item(95, "div").text, "Heart")
            # The page knows the page buttons and their captions from how the
            # plug-in wired them, and marks the current page's button.
            marked = self.driver.find_elements(By.CSS_SELECTOR, "#dialog button.page.current")
            self.assertEqual([b.get_attribute("data-item") for b in marked], [str(89 + number)])
            self.assertEqual(
                [c.get_attribute("data-item") for c in
                 self.driver.find_elements(By.CSS_SELECTOR, "#dialog div.static.caption")],
                ["95", "96", "97", "98", "99", "100"])
            self.assertEqual(
                len(self.driver.find_elements(By.CSS_SELECTOR, "#dialog button.page")), 6)
        # The always-shown column stays.
        for item in (2, 60, 61, 62, 63, 64, 3, 65, 27):
            self.assertTrue(page.item(item).is_displayed(), "item %d" % item)

    def test_drop_shadow_enables_its_options(self):
        page = self.open()
        page.page(5)
        shadow_items = (143, 144, 145, 146)
        for item in shadow_items:
            self.assertFalse(page.item(item, "input").is_enabled(), "item %d" % item)
        before = page.preview_version()
        page.item(126, "input").click()
        page.wait_for_preview(before)
        self.assertTrue(page.item(126, "input").is_selected())
        for item in shadow_items:
            self.assertTrue(page.item(item, "input").is_enabled(), "item %d" % item)

    def test_picking_a_point_fills_in_its_field(self):
        page = self.open()
        image = self.driver.find_element(By.ID, "preview")
        natural = self.driver.execute_script(
            "return [arguments[0].width, arguments[0].height]", image)
        info = self.driver.execute_script(
            "return [arguments[0].getBoundingClientRect().width,"
            " arguments[0].getBoundingClientRect().height]", image)
        self.assertEqual(
            sorted(int(b.get_attribute("data-item")) for b in
                   self.driver.find_elements(By.CSS_SELECTOR, "#dialog button.picker")),
            list(range(160, 169)))
        # The pointer while picking is the plug-in's cursor, as the host serves it.
        page.until(lambda d: d.execute_script(
            "return Array.from(document.styleSheets[0].cssRules).some("
            "(rule) => rule.cssText.includes('.view.picking canvas') &&"
            " rule.cssText.includes('blob:'))"))
        for button, field, axis in ((161, 12, 0), (160, 11, 1)):
            before = page.value(field)
            page.item(button, "button").click()
            self.assertTrue(self.driver.find_element(By.ID, "view").get_attribute("class")
                            .find("picking") >= 0)
            # A point a quarter of the way in from the top left corner.
            dx, dy = -info[0] / 4, -info[1] / 4
            version = page.preview_version()
            ActionChains(self.driver).move_to_element_with_offset(image, dx, dy).click().perform()
            page.wait_for_preview(version)
            # The view: 800 x 600 pixels about the page's centre, at zoom 1.
            pixel = [(info[0] / 2 + dx) * natural[0] / info[0],
                     (info[1] / 2 + dy) * natural[1] / info[1]]
            centre = (612 / 2, 792 / 2)
            expected = (centre[0] + (pixel[0] - natural[0] / 2) if axis == 0
                        else centre[1] - (pixel[1] - natural[1] / 2))
            self.assertNotEqual(page.value(field), before)
            self.assertAlmostEqual(page.value(field), expected, delta=1.5)
        # Esc disarms an armed picker without picking.
        page.item(162, "button").click()
        self.driver.find_element(By.TAG_NAME, "body").send_keys(Keys.ESCAPE)
        self.assertNotIn("picking", self.driver.find_element(By.ID, "view").get_attribute("class"))
        self.assertIsNone(self.studio.process.poll(), "Esc disarmed the picker only")

    def test_cancel_writes_nothing_and_keeps_the_record(self):
        record = os.path.join(self.folder, "record.json")
        subprocess.run([HEART, "run", "--record", record, "--seed", "3", "--set", "heartCount=3",
                        "-o", os.path.join(self.folder, "first.svg")], check=True)
        with open(record, "rb") as stored:
            before = stored.read()
        page = self.open("-o", "cancelled.svg")
        page.page(4)
        page.type_value(7, "9")
        page.item(2, "button").click()
        clicked = time.monotonic()
        self.assertEqual(self.studio.wait(), 3, self.studio.stderr)  # as heart dialog: cancelled
        # The browser's idle connections held the command for its keep-alive
        # timeout (2 s) after the dialog had closed.
        self.assertLess(time.monotonic() - clicked, 1.5)
        self.assertFalse(os.path.exists(os.path.join(self.folder, "cancelled.svg")))
        with open(record, "rb") as stored:
            self.assertEqual(stored.read(), before)
        page.until(lambda d: d.find_element(By.ID, "ended-text").text != "")
        self.assertIn("Nothing was written", self.driver.find_element(By.ID, "ended-text").text)

    def assert_nothing_written(self, record_before):
        self.assertFalse(os.path.exists(os.path.join(self.folder, "cancelled.svg")))
        with open(os.path.join(self.folder, "record.json"), "rb") as stored:
            self.assertEqual(stored.read(), record_before)

    def stored_record(self):
        record = os.path.join(self.folder, "record.json")
        subprocess.run([HEART, "run", "--record", record, "--seed", "3", "--set", "heartCount=3",
                        "-o", os.path.join(self.folder, "first.svg")], check=True)
        with open(record, "rb") as stored:
            return stored.read()

    def test_ctrl_c_in_the_terminal_cancels_cleanly(self):
        before = self.stored_record()
        page = self.open("-o", "cancelled.svg")
        page.page(4)
        page.type_value(7, "9")
        self.studio.process.send_signal(signal.SIGINT)
        self.assertEqual(self.studio.wait(timeout=20), 3, self.studio.stderr)
        self.assertIn("interrupted", self.studio.stderr)
        self.assert_nothing_written(before)
        page.until(lambda d: d.find_element(By.ID, "ended-text").text != "")
        self.assertIn("Nothing was written", self.driver.find_element(By.ID, "ended-text").text)

    def test_the_browser_going_away_cancels_cleanly(self):
        before = self.stored_record()
        page = self.open("-o", "cancelled.svg", "--contact-timeout", "1.5")
        page.page(4)
        page.type_value(7, "9")
        # An open page, even an idle one, is still there: the session goes on.
        time.sleep(3.5)
        self.assertEqual(self.driver.find_element(By.ID, "ended-text").text, "",
                         "the idle page counted as gone")
        page.type_value(7, "8")
        self.assertIsNone(self.studio.process.poll())
        self.driver.get("about:blank")
        gone = time.monotonic()
        self.assertEqual(self.studio.wait(timeout=20), 3, self.studio.stderr)
        self.assertLess(time.monotonic() - gone, 10)
        self.assertIn("the browser went away", self.studio.stderr)
        self.assert_nothing_written(before)

    def test_confirmed_studio_writes_what_the_same_script_writes(self):
        page = self.open("-o", "studio.svg")
        # Tumble first: it throws a new shape and puts the count back to one
        # heart most of the time, so the dozen hearts come after it.
        page.press(61)
        page.page(4)
        page.type_value(7, "12")
        before = page.preview_version()
        Select(page.item(10, "select")).select_by_index(2)
        page.wait_for_preview(before)
        # The whole page in the view.
        page.type_value(27, "70")
        page.page(5)
        for item in (126, 115):  # drop shadow, random fill
            before = page.preview_version()
            page.item(item, "input").click()
            page.wait_for_preview(before)
        page.page(3)
        before = page.preview_version()
        Select(page.item(66, "select")).select_by_index(4)
        page.wait_for_preview(before)
        if SCREENSHOT:
            self.driver.save_screenshot(SCREENSHOT)
        self.driver.find_element(By.CSS_SELECTOR, '[data-action="ok"]').click()
        self.assertEqual(self.studio.wait(), 0, self.studio.stderr)

        script = os.path.join(self.folder, "same.script")
        with open(script, "w") as out:
            out.write("press Tumble\npage 4\nset 7 12\nchoose 10 2\nset 27 70\npage 5\n"
                      "check 126 on\ncheck 115 on\npage 3\nchoose 66 4\nconfirm\n")
        subprocess.run([HEART, "dialog", "--script", script, "--record", "script-record.json",
                        "--seed", SEED, "-o", "script.svg"], cwd=self.folder, check=True)
        self.assertTrue(filecmp.cmp(os.path.join(self.folder, "studio.svg"),
                                    os.path.join(self.folder, "script.svg"), shallow=False))
        self.assertTrue(filecmp.cmp(os.path.join(self.folder, "record.json"),
                                    os.path.join(self.folder, "script-record.json"),
                                    shallow=False))

    def test_a_second_tab_sees_the_same_dialog(self):
        page = self.open()
        page.page(4)
        page.type_value(7, "4")
        paths = page.paths()
        first = self.driver.current_window_handle
        self.driver.switch_to.new_window("tab")
        try:
            other = sb.Page(self.driver, self.studio.address)
            other.until(lambda d: other.item(7).is_displayed())
            self.assertEqual(other.value(7), 4)
            self.assertEqual(other.paths(), paths)
            # A change made in this tab reaches the first one.
            other.type_value(7, "5")
        finally:
            self.driver.close()
            self.driver.switch_to.window(first)
        page.until(lambda d: page.value(7) == 5)


# The canvas's pixels as a digest, and its size.
CANVAS_DIGEST = """
const done = arguments[arguments.length - 1];
const canvas = document.getElementById("preview");
const pixels = canvas.getContext("2d").getImageData(0, 0, canvas.width, canvas.height).data;
crypto.subtle.digest("SHA-256", pixels).then((digest) => done(
    canvas.width + "x" + canvas.height + ":" +
    Array.from(new Uint8Array(digest), (b) => b.toString(16).padStart(2, "0")).join("")));
"""
# Every value the dialog's controls show, by item.
DIALOG_VALUES = """
const values = {};
for (const control of document.querySelectorAll("#dialog input, #dialog select")) {
  values[control.dataset.item] = control.type === "checkbox" ? control.checked
                               : control.tagName === "SELECT" ? control.selectedIndex
                               : control.value;
}
return values;
"""
BOX = "const b = arguments[0].getBoundingClientRect(); return [b.left, b.top, b.right, b.bottom];"


class StudioOnALaptopScreen(unittest.TestCase):
    """The studio in a 1366 x 768 window."""

    @classmethod
    def setUpClass(cls):
        cls.driver = sb.start_browser(1366, 768)

    @classmethod
    def tearDownClass(cls):
        sb.stop_browser(cls.driver)

    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="heart-studio-e2e-")
        self.studios = []

    def tearDown(self):
        for studio in self.studios:
            studio.stop()
        shutil.rmtree(self.folder, ignore_errors=True)

    def open(self, *arguments):
        studio = sb.Studio(HEART, self.folder, "--no-record", "--seed", SEED, *arguments)
        self.studios.append(studio)
        return studio, sb.Page(self.driver, studio.address)

    def box(self, selector):
        return self.driver.execute_script(BOX, self.driver.find_element(By.CSS_SELECTOR, selector))

    def test_the_dialog_and_the_view_are_seen_whole_side_by_side(self):
        _, page = self.open()
        width, height, scroll_width, scroll_height = self.driver.execute_script(
            "const d = document.documentElement;"
            "return [innerWidth, innerHeight, d.scrollWidth, d.scrollHeight]")
        self.assertEqual((scroll_width, scroll_height), (width, height), "the page scrolls")
        for selector in ('[data-action="ok"]', ".dialog-window", "#view", ".history-bar"):
            left, top, right, bottom = self.box(selector)
            self.assertTrue(0 <= left and 0 <= top and right <= width and bottom <= height,
                            "%s at %s outside %dx%d" % (selector, (left, top, right, bottom),
                                                       width, height))
        self.assertLessEqual(self.box(".dialog-window")[2], self.box("#view")[0])
        view = self.box("#view")
        canvas = self.box("#preview")
        self.assertTrue(view[0] - 0.5 <= canvas[0] and canvas[2] <= view[2] + 0.5 and
                        view[1] - 0.5 <= canvas[1] and canvas[3] <= view[3] + 0.5,
                        "the fitted picture %s leaves the view %s" % (canvas, view))

        # The magnifier changes the page's view only: no new picture, the
        # dialog's zoom as it was.
        version = page.preview_version()
        zoom = page.value(27)
        digest = self.driver.execute_async_script(CANVAS_DIGEST)
        ActionChains(self.driver).key_down(Keys.CONTROL).scroll_from_origin(
            ScrollOrigin.from_element(page.view()), 0, -300).key_up(Keys.CONTROL).perform()
        page.until(lambda d: self.box("#preview")[2] - self.box("#preview")[0] >
                   1.5 * (canvas[2] - canvas[0]))
        ActionChains(self.driver).move_to_element(page.view()).click_and_hold().move_by_offset(
            -120, -80).release().perform()
        time.sleep(0.3)
        self.assertEqual(page.preview_version(), version)
        self.assertEqual(page.value(27), zoom)
        self.assertEqual(self.driver.execute_async_script(CANVAS_DIGEST), digest)
        self.driver.find_element(By.CSS_SELECTOR, '[data-action="fit"]').click()
        for was, now in zip(canvas, self.box("#preview")):
            self.assertAlmostEqual(was, now, delta=0.5)

    def test_items_tell_their_field_and_page_buttons_their_page(self):
        _, page = self.open()
        title = lambda selector: self.driver.execute_script(
            "const c = document.querySelector(arguments[0]);"
            "return (c.closest('label') || c).title", "#dialog " + selector)
        page.until(lambda d: title('input[data-item="7"]') != "")
        self.assertEqual(title('input[data-item="7"]'), "heartCount \u2014 count, 1 to 400, default 1")
        self.assertIn("[R]: ", title('input[data-item="115"]'))  # "Fill [R]"
        self.assertNotIn("[R]", title('input[data-item="3"]'))  # "Preview"
        self.assertEqual(title('button[data-item="90"]'), "Page \u201cHeart\u201d")
        self.assertEqual(title('button[data-item="95"]'), "Page \u201cSettings1\u201d")
        self.assertEqual(page.item(95, "div").text, "Heart", "the dialog's own text")

    def test_a_variation_brought_back_is_the_one_shown_and_ok_keeps_it(self):
        studio, page = self.open("-o", "studio.svg")
        shown = []
        for _ in range(3):
            page.press(61)  # Tumble
            shown.append((self.driver.execute_async_script(CANVAS_DIGEST),
                           self.driver.execute_script(DIALOG_VALUES)))
        self.assertEqual(len({digest for digest, _ in shown}), 3)
        entries = self.driver.find_elements(By.CSS_SELECTOR, "#history [data-history]")
        self.assertEqual([e.get_attribute("data-history") for e in entries], ["0", "1", "2", "3"])
        # Back twice: once by the keyboard, once by the button.
        before = page.preview_version()
        self.driver.find_element(By.TAG_NAME, "body").send_keys(Keys.CONTROL, "z")
        page.wait_for_preview(before)
        before = page.preview_version()
        self.driver.find_element(By.CSS_SELECTOR, '[data-action="undo"]').click()
        page.wait_for_preview(before)
        self.assertEqual(self.driver.execute_async_script(CANVAS_DIGEST), shown[0][0])
        self.assertEqual(self.driver.execute_script(DIALOG_VALUES), shown[0][1])
        current = self.driver.find_elements(By.CSS_SELECTOR, '#history [aria-current="true"]')
        self.assertEqual([e.get_attribute("data-history") for e in current], ["1"])

        self.driver.find_element(By.CSS_SELECTOR, '[data-action="ok"]').click()
        self.assertEqual(studio.wait(), 0, studio.stderr)
        subprocess.run([HEART, "run", "--no-record", "--from", "studio.svg", "-o", "again.svg"],
                       cwd=self.folder, check=True, capture_output=True)
        self.assertTrue(filecmp.cmp(os.path.join(self.folder, "studio.svg"),
                                    os.path.join(self.folder, "again.svg"), shallow=False))

    def grid_state(self):
        box = self.driver.find_element(By.ID, "variations")
        return box.get_attribute("data-state"), int(box.get_attribute("data-drawn") or 0)

    def pictures_shown(self):
        return self.driver.execute_script(
            "return Array.from(document.querySelectorAll('[data-variation] img'),"
            " (image) => image.complete && image.naturalWidth > 0)")

    def test_a_grid_cell_is_the_drawing_a_batch_makes_with_its_seed(self):
        studio, page = self.open("-o", "studio.svg")
        page.page(4)
        before = page.preview_version()
        Select(page.item(10, "select")).select_by_index(2)  # anywhere in the document
        shown = page.wait_for_preview(before)
        self.driver.find_element(By.CSS_SELECTOR, '[data-action="variations"]').click()
        page.until(lambda d: len(d.find_elements(By.CSS_SELECTOR, "[data-variation]")) == 9)
        cells = self.driver.find_elements(By.CSS_SELECTOR, "[data-variation]")
        self.assertEqual([c.text for c in cells], [str(k) for k in range(1, 10)])
        page.until(lambda d: self.grid_state() == ("done", 9) and all(self.pictures_shown()))
        self.assertEqual(self.driver.find_element(By.ID, "variations-note").text,
                         "9 variations: click one to make it the preview (Esc closes)")
        self.assertEqual(page.preview_version(), shown, "the grid drew a new preview")
        before = page.preview_version()
        cells[3].click()
        page.wait_for_preview(before)
        current = self.driver.find_element(By.CSS_SELECTOR, '#history [aria-current="true"]')
        self.assertIn("Variation 4", current.get_attribute("title"))
        self.driver.find_element(By.CSS_SELECTOR, '[data-action="ok"]').click()
        self.assertEqual(studio.wait(), 0, studio.stderr)
        subprocess.run([HEART, "run", "--no-record", "--seed", "4", "--set", "placementMode=2",
                        "-o", "batch.svg"], cwd=self.folder, check=True, capture_output=True)

        def art(name):
            with open(os.path.join(self.folder, name)) as drawing:
                return re.sub(r"<metadata.*?</metadata>", "", drawing.read(), flags=re.S)
        self.assertEqual(art("studio.svg"), art("batch.svg"))

    def test_a_change_while_the_grid_is_filled_stops_it(self):
        _, page = self.open(*HEAVIEST)
        entries = len(self.driver.find_elements(By.CSS_SELECTOR, "#history [data-history]"))
        Select(self.driver.find_element(By.ID, "variation-count")).select_by_visible_text("36")
        self.driver.find_element(By.CSS_SELECTOR, '[data-action="variations"]').click()
        page.until(lambda d: self.grid_state()[0] == "filling" and self.grid_state()[1] >= 2 and
                   all(self.pictures_shown()[:2]))
        cells = self.driver.find_elements(By.CSS_SELECTOR, "[data-variation]")
        self.assertEqual(len(cells), 36)
        self.assertFalse(cells[35].is_enabled(), "a cell not drawn yet can be chosen")
        self.assertRegex(self.driver.find_element(By.ID, "variations-note").text,
                         r"^Drawing variations: \d+ of 36$")
        if SCREENSHOT:
            self.driver.save_screenshot(re.sub(r"(\.png)?$", "-grid.png", SCREENSHOT, count=1))
        page.type_value(11, "150")  # heart height: waits for its preview
        state, drawn = self.grid_state()
        self.assertEqual(state, "stopped")
        self.assertLess(drawn, 36)
        self.assertEqual(self.driver.find_element(By.ID, "variations-note").text,
                         "Stopped at %d of 36: a change came first; the cells drawn can be chosen"
                         % drawn)
        self.assertEqual([c.is_enabled() for c in cells], [k < drawn for k in range(36)])
        self.assertEqual([c.get_attribute("class") == "not-drawn" for c in cells],
                         [k >= drawn for k in range(36)])
        strip = self.driver.find_elements(By.CSS_SELECTOR, "#history [data-history]")
        self.assertEqual(len(strip), entries + 1)
        self.assertIn("heartHeight 150", strip[-1].get_attribute("title"))

    def test_a_second_studio_on_a_port_in_use_is_refused(self):
        with socket.socket() as probe:
            probe.bind(("127.0.0.1", 0))
            port = probe.getsockname()[1]
        first, page = self.open("--port", str(port))
        second = subprocess.run([HEART, "studio", "--no-browser", "--no-record", "--port",
                                 str(port)], cwd=self.folder, capture_output=True, text=True,
                                timeout=20)
        self.assertNotEqual(second.returncode, 0)
        self.assertEqual(second.stdout, "", "the second studio printed an address")
        self.assertIn("127.0.0.1:%d" % port, second.stderr)
        # The first one goes on answering the page.
        page.type_value(11, "120")
        self.assertIsNone(first.process.poll())


if __name__ == "__main__":
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    HEART = os.path.abspath(sys.argv[1])
    SCREENSHOT = sys.argv[2] if len(sys.argv) > 2 else None
    if not sb.tools_present():
        print("skipped: chromium or chromedriver is not installed")
        sys.exit(77)
    unittest.main(argv=[sys.argv[0], "-v"] + sys.argv[3:])
