"""The browser build driven in headless Chromium as a visitor uses it.

    web_test.py SITE_DIR LEVYWISE_CLI AXE_JS WORK_DIR

Checks the figures against levywise-cli over random rate files and inputs,
the WCAG 2.1 A and AA rules (axe-core) in the page's main states, the
security policy, the escaping of names, the refusal of bad files, the
layout on a phone, and prints the site's size and timings. Last line:
"web: N passed, M failed".
"""

import base64
import functools
import gzip
import http.server
import json
import os
import random
import statistics
import subprocess
import sys
import threading
import time
import traceback

from selenium import webdriver
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select

import rate_files

SITE, CLI, AXE, WORK = map(os.path.abspath, sys.argv[1:5])
POLICY = ("default-src 'none'; script-src 'self' 'wasm-unsafe-eval'; worker-src 'self'; "
          "style-src 'self'; img-src 'self'; base-uri 'none'; form-action 'none'")
UNIT_ROWS = {"appraised_value": "Appraised Value", "homestead": "- Value of gen. HS",
             "over65_or_disabled": "- Value of O65 or DP HS",
             "veteran": "- Value of Vet Exemption", "net_taxable_value": "Net taxable value",
             "tax_base": "Tax base (net taxable value/100)", "tax_rate": "Tax rate", "tax": "Tax"}
VALUES = ["150000", "150,000", "$150,000", "98765.43", "", "abc", "1 5 0000", "-500", "2.5e5",
          "100007", "20000"]

# Records every security-policy violation from the first script on.
WATCH = ("window.__violations = []; document.addEventListener('securitypolicyviolation',"
         " (e) => window.__violations.push(e.violatedDirective + ' ' + e.blockedURI));")


class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def serve():
    handler = functools.partial(Quiet, directory=SITE)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return "http://127.0.0.1:%d/" % server.server_address[1]


def browser():
    o = webdriver.ChromeOptions()
    for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
                 "--disable-component-update", "--disable-sync", "--no-first-run",
                 "--user-data-dir=" + os.path.join(WORK, "chromium-profile-%d" % time.time_ns()),
                 "--window-size=1280,1000"):
        o.add_argument(flag)
    driver = webdriver.Chrome(options=o)
    driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": WATCH})
    return driver


class Page:
    def __init__(self, driver, url):
        self.d = driver
        self.d.get(url)
        self.wait("return document.documentElement.dataset.ready === 'true'")

    def wait(self, script, timeout=10):
        end = time.time() + timeout
        while time.time() < end:
            if self.d.execute_script(script):
                return
            time.sleep(0.02)
        raise AssertionError("timed out: " + script)

    def el(self, id_):
        return self.d.find_element(By.ID, id_)

    def open_file(self, path):
        before = self.d.execute_script("return document.getElementById('status').textContent")
        self.d.execute_script("document.getElementById('status').textContent = 'x'")
        self.el("rateFile").send_keys(path)
        self.wait("return document.getElementById('status').textContent.startsWith('Total') ||"
                  " !document.getElementById('alert').hidden", 30)
        return before

    def rows(self, table_id):
        return self.d.execute_script(
            "return Array.from(document.getElementById(arguments[0]).rows,"
            " (r) => Array.from(r.cells, (c) => c.textContent))", table_id)

    def set_inputs(self, inputs):
        """Types and chooses as a visitor does, with the mouse."""
        box = self.el("txtAprVal")
        box.clear()
        box.send_keys(inputs["value"])
        for list_id, key in (("comboCounties", "county"), ("comboCities", "city"),
                             ("comboSchools", "school")):
            Select(self.el(list_id)).select_by_index(inputs[key])
        if self.el("chkGHS").is_selected() != inputs["homestead"]:
            self.el("chkGHS").click()
        self.el(["optNeither", "optO65", "optDP"][inputs["age"]]).click()
        self.el(["optVetNone", "optVet1", "optVet2", "optVet3", "optVet4"][inputs["veteran"]]).click()
        if inputs["districts"] is not None:
            if not self.el("districtsBox").get_attribute("open"):
                self.d.find_element(By.CSS_SELECTOR, "#districtsBox summary").click()
            for i, wanted in enumerate(inputs["districts"]):
                box = self.el("district%d" % i)
                if box.is_selected() != wanted:
                    box.click()

    def shown(self):
        """The figures shown, in the shape of levywise-cli's JSON."""
        est = {}
        for unit in ("county", "city", "school"):
            rows = dict(self.rows(unit))
            est[unit] = {key: rows[caption] for key, caption in UNIT_ROWS.items()}
        totals = self.rows("totals")
        est["totals"] = {"county": totals[0][1], "city": totals[1][1], "school": totals[2][1],
                         "special": totals[3][1], "total": totals[4][1]}
        taxed = self.rows("districtTaxes")[1:] if self.d.find_elements(By.ID, "districtTaxes") else []
        est["special_districts"] = [{"code": r[0], "name": r[1], "tax": r[3]} for r in taxed]
        return est


def cli_estimate(rates, table, inputs, cwd):
    codes = lambda key, lst: table[lst][inputs[key]]["code"]
    # An empty "--value=" would take the next argument as its value.
    value = ["--value", ""] if inputs["value"] == "" else ["--value=" + inputs["value"]]
    args = [CLI, "estimate", "--rates", rates, *value, "--json",
            "--county", codes("county", "counties"), "--city", codes("city", "cities"),
            "--school", codes("school", "schools")]
    if inputs["homestead"]:
        args.append("--homestead")
    args += [[], ["--over65"], ["--disabled"]][inputs["age"]]
    if inputs["veteran"]:
        args += ["--veteran", str(inputs["veteran"])]
    chosen = [d["code"] for d, on in zip(table["districts"], inputs["districts"]) if on]
    args += ["--special", ",".join(chosen) or "none"]
    run = subprocess.run(args, cwd=cwd, capture_output=True, text=True)
    assert run.returncode == 0, (args, run.stderr)
    assert run.stdout.startswith("{"), (args, run.stdout[:300])
    out = json.loads(run.stdout)
    for unit in ("county", "city", "school"):
        del out[unit]["code"], out[unit]["name"]
    return out


def random_inputs(rng, table):
    return {"value": rng.choice(VALUES),
            "county": rng.randrange(len(table["counties"])),
            "city": rng.randrange(len(table["cities"])),
            "school": rng.randrange(len(table["schools"])),
            "homestead": rng.random() < 0.5, "age": rng.randrange(3), "veteran": rng.randrange(5),
            "districts": [rng.random() < 0.6 for _ in table["districts"]]}


def page_table(page):
    return page.d.execute_script(
        "const list = (id) => Array.from(document.getElementById(id).options,"
        " (o) => ({code: o.text.slice(-4, -1)}));"
        "return {counties: list('comboCounties'), cities: list('comboCities'),"
        " schools: list('comboSchools'), districts: Array.from("
        " document.querySelectorAll('#districtList label'), (l) => ({code: l.textContent.slice(-4, -1)}))}")


def write(name, data):
    path = os.path.join(WORK, name)
    with open(path, "wb") as f:
        f.write(data)
    return path


def test_figures_match_the_command_line_tool(page):
    rng = random.Random(24)
    for seed in range(5):
        path = write("random%d.tab" % seed, rate_files.rate_file(seed))
        page.open_file(path)
        table = page_table(page)
        for _ in range(4):
            inputs = random_inputs(rng, table)
            page.set_inputs(inputs)
            page.el("Command1").click()
            expected = cli_estimate(path, table, inputs, WORK)
            assert page.shown() == expected, (seed, inputs, page.shown(), expected)


def test_keyboard_alone_reaches_an_estimate(page):
    """Tab order value, county, city, school, homestead, the two groups;
    Enter in the value box calculates; the listing sorts by keyboard."""
    page.d.get(page.d.current_url)
    page.wait("return document.documentElement.dataset.ready === 'true'")
    page.el("txtAprVal").click()
    keys = ActionChains(page.d)
    keys.send_keys("150,000", Keys.TAB, Keys.ARROW_DOWN, Keys.TAB, Keys.ARROW_DOWN, Keys.TAB,
                   Keys.ARROW_DOWN, Keys.TAB, Keys.SPACE, Keys.TAB, Keys.ARROW_UP, Keys.TAB,
                   Keys.ARROW_UP).perform()
    assert page.d.switch_to.active_element.get_attribute("id") == "optVet4"
    page.el("txtAprVal").send_keys(Keys.ENTER)
    table = page_table(page)
    defaults = [d.is_selected() for d in page.d.find_elements(By.CSS_SELECTOR, "#districtList input")]
    inputs = {"value": "150,000", "county": 1, "city": 1, "school": 1, "homestead": True,
              "age": 2, "veteran": 4, "districts": defaults}
    sample = os.path.join(WORK, "taxrate.tab")
    assert page.shown() == cli_estimate(sample, table, inputs, WORK)
    assert page.el("status").text == "Total Taxes: " + page.shown()["totals"]["total"]

    page.d.find_element(By.CSS_SELECTOR, "#listingBox summary").send_keys(Keys.ENTER)
    rate = page.d.find_element(By.CSS_SELECTOR, "#listing button[data-key=rate]")
    for presses, order in ((1, "ascending"), (2, "descending")):
        rate.send_keys(Keys.ENTER)
        rates = [float(r[2]) for r in page.rows("listing")[1:]]
        assert rates == sorted(rates, reverse=order == "descending"), (presses, rates)
        assert rate.find_element(By.XPATH, "..").get_attribute("aria-sort") == order


def test_comparison_keeps_an_estimate_across_files(page):
    page.set_inputs({"value": "150000", "county": 1, "city": 1, "school": 1, "homestead": True,
                     "age": 0, "veteran": 0, "districts": None})
    page.el("Command1").click()
    kept = page.shown()["totals"]["total"]
    page.el("keepCompare").click()
    page.open_file(write("compare.tab", rate_files.rate_file(7)))
    page.set_inputs({"value": "200000", "county": 1, "city": 0, "school": 0, "homestead": True,
                     "age": 0, "veteran": 0, "districts": None})
    page.el("Command1").click()
    rows = {r[0]: r for r in page.rows("comparisonTable")[1:]}
    now = page.shown()["totals"]["total"]
    assert rows["Total Taxes"][1:3] == [kept, now], rows["Total Taxes"]
    differing = [label for label, *_ in page.rows("comparisonTable")[1:] if "(differs)" in label]
    assert "Appraised value (differs)" in differing and "General homestead (differs)" not in differing


def test_print_and_copy_give_the_estimate(page):
    page.d.execute_cdp_cmd("Browser.grantPermissions", {
        "permissions": ["clipboardReadWrite", "clipboardSanitizedWrite"]})
    page.el("copyEstimate").click()
    page.wait("return document.getElementById('status').textContent === 'Estimate copied.'")
    text = page.d.execute_async_script("navigator.clipboard.readText().then(arguments[0])")
    total = page.shown()["totals"]["total"]
    assert "Total Taxes\t" + total in text.splitlines(), text
    page.d.execute_script("window.dispatchEvent(new Event('beforeprint'))")
    page.d.execute_cdp_cmd("Emulation.setEmulatedMedia", {"media": "print"})
    try:
        assert not page.el("screen").is_displayed()
        printed = page.el("worksheet").text
        assert printed.startswith("Property Tax Estimate") and total in printed, printed
    finally:
        page.d.execute_cdp_cmd("Emulation.setEmulatedMedia", {"media": ""})


def test_names_show_as_text(page):
    page.open_file(write("hostile.tab", rate_files.rate_file(3, hostile=True)))
    page.set_inputs({"value": "1", "county": 1, "city": 1, "school": 1, "homestead": False,
                     "age": 0, "veteran": 0, "districts": None})
    page.el("Command1").click()
    page.d.find_element(By.CSS_SELECTOR, "#listingBox summary").click()
    text = page.d.execute_script("return document.body.innerText")
    assert text.count(rate_files.HOSTILE_NAME) >= 4, text
    assert not page.d.find_elements(By.CSS_SELECTOR, "img")


def test_bad_files_are_refused_with_the_desktops_message(page):
    """The page's message is the one levywise-cli check gives; the table
    before stays in use; a huge file keeps the page responsive."""
    source = page.el("sourceText").text
    counties = page.rows("totals")[0][0]
    cases = {
        "version.tab": b"TaxRates v3.53\tOld\tX\t\r\n",
        "number.tab": b"TaxRates v3.54\tL\tX\t\r\n101\tA\tK\tN\t0.1\t12abc\r\n",
        "binary.tab": bytes(range(256)) * 64,
        "huge.tab": b"TaxRates v3.54\tL\tX\t\r\n" + b"9" * (64 * 1024 * 1024),
        "long.tab": b"TaxRates v3.54\tL\tX\t\r\n" + b"101\tA\tK\tN\t0.1\t" + b"7" * (48 << 20),
    }
    for name, data in cases.items():
        path = write(name, data)
        page.d.execute_script(
            "window.__gap = 0; let last = performance.now();"
            "window.__ticker = setInterval(() => { const t = performance.now();"
            " window.__gap = Math.max(window.__gap, t - last); last = t; }, 10);")
        page.open_file(path)
        gap = page.d.execute_script("clearInterval(window.__ticker); return window.__gap")
        check = subprocess.run([CLI, "check", name], cwd=WORK, capture_output=True, text=True)
        want = check.stderr.strip().removeprefix("levywise-cli: ")
        title = page.el("alertTitle").text
        want = want.removeprefix(title + ": ")
        got = "\n".join(line.rstrip() for line in page.el("alertMessage").text.splitlines())
        assert got == want, (name, got, want)
        assert gap < 250, (name, "the page stopped for %d ms" % gap)
        page.el("alertOk").click()
        assert page.el("sourceText").text == source and page.rows("totals")[0][0] == counties


def test_policy_and_requests_stay_on_the_site(page):
    html = open(os.path.join(SITE, "index.html"), encoding="utf-8").read()
    assert 'content="%s"' % POLICY in html
    assert page.d.execute_script(
        "return Array.from(document.scripts).every((s) => s.src && !s.text.trim())")
    assert page.d.execute_script("return window.__violations") == []
    origin = page.d.execute_script("return location.origin")
    foreign = page.d.execute_script(
        "return performance.getEntriesByType('resource').map((e) => e.name)"
        ".filter((n) => !n.startsWith(arguments[0]))", origin)
    assert foreign == [], foreign


def axe(page, state):
    page.d.execute_script(open(AXE, encoding="utf-8").read())
    result = page.d.execute_async_script(
        "axe.run(document, {runOnly: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa']})"
        ".then((r) => arguments[0](r.violations.map((v) => v.id + ': ' +"
        " v.nodes.map((n) => n.target.join(' ')).join(', '))))")
    assert result == [], (state, result)


def test_accessible_and_no_sideways_scrolling(page):
    page.d.get(page.d.current_url)
    page.wait("return document.documentElement.dataset.ready === 'true'")
    axe(page, "loaded")
    page.set_inputs({"value": "150000", "county": 1, "city": 1, "school": 1, "homestead": True,
                     "age": 1, "veteran": 2, "districts": None})
    page.el("Command1").click()
    axe(page, "calculated and districts open")
    page.el("keepCompare").click()
    page.el("Command1").click()
    axe(page, "comparison shown")
    page.d.find_element(By.CSS_SELECTOR, "#listingBox summary").click()
    axe(page, "listing shown")
    for width, scale in ((360, 1), (640, 2)):  # a phone; 200 % zoom of a 1280-pixel window
        page.d.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": width, "height": 800, "deviceScaleFactor": scale, "mobile": width == 360})
        wide = page.d.execute_script(
            "return document.documentElement.scrollWidth - document.documentElement.clientWidth")
        assert wide <= 0, (width, wide)
    page.d.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})


def figures(driver, url):
    files = [os.path.join(SITE, f) for f in os.listdir(SITE)]
    size = sum(os.path.getsize(f) for f in files)
    packed = sum(len(gzip.compress(open(f, "rb").read(), 9)) for f in files)
    script = open(os.path.join(SITE, "levywise.js"), "rb").read()
    start = script.index(b'wasmBinaryFile="data:application/octet-stream;base64,') + 53
    wasm = base64.b64decode(script[start:script.index(b'"', start)])
    print("site: %d bytes, %d gzip (levywise.js, WebAssembly inside: %d bytes, %d gzip)"
          % (size, packed, len(script), len(gzip.compress(script, 9))))
    print("WebAssembly: %d bytes, %d gzip" % (len(wasm), len(gzip.compress(wasm, 9))))
    ready = []
    for _ in range(10):
        driver.get(url + "?%d" % time.time_ns())
        Page.wait(type("P", (), {"d": driver})(), "return document.documentElement.dataset.ready")
        ready.append(driver.execute_script(
            "return performance.getEntriesByName('levywise-ready')[0].startTime"))
    print("navigation to ready: median %.1f ms of 10 (%s)"
          % (statistics.median(ready), ", ".join("%.0f" % r for r in ready)))
    page = Page(driver, url)
    page.open_file(write("specials300.tab", rate_files.rate_file(1, specials=300)))
    page.set_inputs({"value": "150000", "county": 1, "city": 1, "school": 1, "homestead": True,
                     "age": 1, "veteran": 1, "districts": [True] * 300})
    times = []
    for _ in range(20):
        page.el("Command1").click()
        times.append(float(page.d.execute_script("return document.documentElement.dataset.calculateMs")))
    print("Calculate with 300 special districts: median %.2f ms of 20" % statistics.median(times))


def main():
    url = serve()
    sample = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "data", "taxrate.tab")
    subprocess.run(["cp", sample, WORK], check=True)
    driver = browser()
    passed = failed = 0
    try:
        page = Page(driver, url + "index.html")
        tests = [v for k, v in sorted(globals().items()) if k.startswith("test_")]
        for test in tests:
            try:
                test(page)
                passed += 1
                print("ok   " + test.__name__)
            except Exception:
                failed += 1
                print("FAIL " + test.__name__)
                traceback.print_exc()
        # From disk, too: the same page, the sample county loaded.
        try:
            disk = Page(driver, "file://" + os.path.join(SITE, "index.html"))
            assert disk.rows("totals")[0][0] == "No County"
            passed += 1
            print("ok   opens from disk")
        except Exception:
            failed += 1
            print("FAIL opens from disk")
            traceback.print_exc()
        figures(driver, url + "index.html")
    finally:
        driver.quit()
    print("web: %d passed, %d failed" % (passed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
