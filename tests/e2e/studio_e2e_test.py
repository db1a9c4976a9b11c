"""End-to-end tests of `heart studio` in headless Chromium.

Usage: studio_e2e_test.py HEART [SCREENSHOT.png]
Exits 77 (skipped) when Chromium or its WebDriver is not installed."""
import filecmp
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
try:
    import studio_browser as sb
    from selenium.webdriver.common.action_chains import ActionChains
    from selenium.webdriver.common.by import By
    from selenium.webdriver.common.keys import Keys
    from selenium.webdriver.support.ui import Select
except ImportError as missing:
    print("skipped: %s" % missing)
    sys.exit(77)

HEART = None
SCREENSHOT = None
SEED = "20261208"


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
        self.studio = sb.Studio(HEART, self.folder, "--record", "record.json", "--seed", SEED,
                                *arguments)
        return sb.Page(self.driver, self.studio.address)

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
        page.until(lambda d: page.preview_version() > before)
        self.assertEqual(page.value(7), 26)
        self.assertEqual(page.paths(), 26 * per_heart)
        # The status line says how many paths and how long the preview took.
        status = self.driver.find_element(By.ID, "status").text
        self.assertIn("%d paths" % (26 * per_heart), status)
        self.assertRegex(status, r"drawn in \d+\.\d ms")
        # Out of range: the host's spin edit keeps the count within 1 to 400.
        page.type_value(7, "401")
        self.assertEqual(page.value(7), 400)
        self.assertEqual(page.paths(), 400 * per_heart)

    def test_tumble_draws_a_new_random_shape(self):
        page = self.open()
        shape = [page.value(item) for item in (11, 12, 13, 14, 15, 16)]
        page.press(61)
        self.assertNotEqual([page.value(item) for item in (11, 12, 13, 14, 15, 16)], shape)

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
        page.until(lambda d: page.preview_version() > before)
        self.assertTrue(page.item(126, "input").is_selected())
        for item in shadow_items:
            self.assertTrue(page.item(item, "input").is_enabled(), "item %d" % item)

    def test_picking_a_point_fills_in_its_field(self):
        page = self.open()
        image = self.driver.find_element(By.ID, "preview")
        natural = self.driver.execute_script(
            "return [arguments[0].naturalWidth, arguments[0].naturalHeight]", image)
        info = self.driver.execute_script(
            "return [arguments[0].getBoundingClientRect().width,"
            " arguments[0].getBoundingClientRect().height]", image)
        for button, field, axis in ((161, 12, 0), (160, 11, 1)):
            before = page.value(field)
            page.item(button, "button").click()
            self.assertTrue(self.driver.find_element(By.ID, "view").get_attribute("class")
                            .find("picking") >= 0)
            # A point a quarter of the way in from the top left corner.
            dx, dy = -info[0] / 4, -info[1] / 4
            version = page.preview_version()
            ActionChains(self.driver).move_to_element_with_offset(image, dx, dy).click().perform()
            page.until(lambda d: page.preview_version() > version)
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
        self.assertEqual(self.studio.wait(), 3, self.studio.stderr)  # as heart dialog: cancelled
        self.assertFalse(os.path.exists(os.path.join(self.folder, "cancelled.svg")))
        with open(record, "rb") as stored:
            self.assertEqual(stored.read(), before)
        page.until(lambda d: d.find_element(By.ID, "ended-text").text != "")
        self.assertIn("Nothing was written", self.driver.find_element(By.ID, "ended-text").text)

    def test_confirmed_studio_writes_what_the_same_script_writes(self):
        page = self.open("-o", "studio.svg")
        page.page(4)
        page.type_value(7, "12")
        before = page.preview_version()
        Select(page.item(10, "select")).select_by_index(2)
        page.until(lambda d: page.preview_version() > before)
        page.press(61)
        page.page(5)
        before = page.preview_version()
        page.item(126, "input").click()
        page.until(lambda d: page.preview_version() > before)
        page.page(3)
        before = page.preview_version()
        Select(page.item(66, "select")).select_by_index(4)
        page.until(lambda d: page.preview_version() > before)
        if SCREENSHOT:
            self.driver.save_screenshot(SCREENSHOT)
        self.driver.find_element(By.CSS_SELECTOR, '[data-action="ok"]').click()
        self.assertEqual(self.studio.wait(), 0, self.studio.stderr)

        script = os.path.join(self.folder, "same.script")
        with open(script, "w") as out:
            out.write("page 4\nset 7 12\nchoose 10 2\npress Tumble\npage 5\ncheck 126 on\n"
                      "page 3\nchoose 66 4\nconfirm\n")
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


if __name__ == "__main__":
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    HEART = os.path.abspath(sys.argv[1])
    SCREENSHOT = sys.argv[2] if len(sys.argv) > 2 else None
    if not sb.tools_present():
        print("skipped: chromium or chromedriver is not installed")
        sys.exit(77)
    unittest.main(argv=[sys.argv[0], "-v"])
