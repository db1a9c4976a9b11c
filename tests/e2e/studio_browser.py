"""A studio session and a headless Chromium driven by WebDriver, shared by the
end-to-end tests and the preview benchmark."""
import os
import shutil
import subprocess
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

CHROMIUM = "/usr/bin/chromium"
# Between the last digit typed and Enter: a quick typist's pause (seconds).
TYPING_PAUSE = 0.15
CHROMEDRIVER = "/usr/bin/chromedriver"


def tools_present():
    return os.access(CHROMIUM, os.X_OK) and os.access(CHROMEDRIVER, os.X_OK)


def start_browser(width=1500, height=1000):
    profile = tempfile.mkdtemp(prefix="heart-studio-chromium-")
    options = webdriver.ChromeOptions()
    options.binary_location = CHROMIUM
    for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                 "--no-first-run", "--disable-background-networking",
                 "--disable-component-update", "--disable-sync",
                 "--disable-dev-shm-usage", "--user-data-dir=" + profile,
                 "--window-size=%d,%d" % (width, height)):
        options.add_argument(flag)
    # Files the page saves go into the profile's downloads/ without a prompt.
    downloads = os.path.join(profile, "downloads")
    os.makedirs(downloads)
    options.add_experimental_option("prefs", {"download.default_directory": downloads,
                                              "download.prompt_for_download": False})
    driver = webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)
    driver.heart_profile = profile
    driver.heart_downloads = downloads
    return driver


def stop_browser(driver):
    profile = driver.heart_profile
    driver.quit()
    shutil.rmtree(profile, ignore_errors=True)


class Studio:
    """`heart studio --no-browser` running in a folder of its own."""

    def __init__(self, heart, folder, *arguments, env=None):
        self.folder = folder
        self.process = subprocess.Popen(
            [heart, "studio", "--no-browser", *arguments], cwd=folder, env=env,
            stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        self.address = self.process.stdout.readline().strip()
        if not self.address.startswith("http://127.0.0.1:"):
            self.process.kill()
            raise RuntimeError("heart studio printed no address: %r %s" %
                               (self.address, self.process.stderr.read()))

    def wait(self, timeout=60):
        code = self.process.wait(timeout=timeout)
        self.stderr = self.process.stderr.read()
        return code

    def stop(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        self.process.stdout.close()
        self.process.stderr.close()


class Page:
    """The studio page in the browser, with the waits its tests need."""

    def __init__(self, driver, address, timeout=30):
        self.driver = driver
        self.timeout = timeout
        driver.get(address)
        self.until(lambda d: self.preview_version() >= 1)

    def until(self, condition, timeout=None):
        return WebDriverWait(self.driver, timeout or self.timeout, poll_frequency=0.02).until(
            condition)

    def item(self, item_id, tag=None):
        selector = '[data-item="%d"]' % item_id
        if tag:
            selector = tag + selector
        return self.driver.find_element(By.CSS_SELECTOR, '#dialog ' + selector)

    def view(self):
        return self.driver.find_element(By.ID, "view")

    def paths(self):
        return int(self.view().get_attribute("data-paths"))

    def preview_version(self):
        value = self.view().get_attribute("data-preview-version")
        return int(value) if value else 0

    def wait_for_preview(self, before):
        """Waits until a preview newer than `before` is painted. The page says
        so itself: polling it from here would take the page's time (each poll
        is a script run in the page) while the change is being timed."""
        self.driver.set_script_timeout(self.timeout)
        version = self.driver.execute_async_script("""
            const [before, done] = arguments;
            const view = document.getElementById("view");
            const shown = () => Number(view.dataset.previewVersion || 0);
            if (shown() > before) return done(shown());
            const watch = new MutationObserver(() => {
              if (shown() <= before) return;
              watch.disconnect();
              done(shown());
            });
            watch.observe(view, {attributes: true, attributeFilter: ["data-preview-version"]});
        """, before)
        return int(version)

    def press(self, item_id, then_wait=True):
        before = self.preview_version()
        self.item(item_id, "button").click()
        if then_wait:
            self.wait_for_preview(before)

    def type_value(self, item_id, text):
        """Types into a spin edit and, after a person's pause, presses Enter;
        waits for the new preview. Without the pause, the browser would still
        be drawing the typed digits when Enter starts the timed change."""
        before = self.preview_version()
        field = self.item(item_id, "input")
        field.click()
        field.send_keys(Keys.CONTROL, "a")
        field.send_keys(text)
        time.sleep(TYPING_PAUSE)
        field.send_keys("\n")
        self.wait_for_preview(before)

    def page(self, number):
        """Opens a page; the page button draws no preview, so wait for its items."""
        firsts = {1: 11, 2: 17, 3: 40, 4: 10, 5: 115, 6: 135}
        self.item(89 + number, "button").click()
        self.until(lambda d: self.item(firsts[number]).is_displayed())

    def value(self, item_id):
        return float(self.item(item_id, "input").get_attribute("value"))

    def timings(self):
        return self.driver.execute_script("return window.heartStudioTimings.slice()")
