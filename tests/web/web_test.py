# The browser build driven in headless Chromium as a visitor uses it:
#   web_test.py SITE_DIR LEVYWISE_CLI AXE_JS WORK_DIR
# Figures against levywise-cli over random rate files and inputs, axe-core's
# WCAG 2.1 A and AA rules in the page's main states, the security policy, the
# escaping of names, the refusal of bad files, the layout on a phone.
# Last line: "web: N passed, M failed".

import functools
import http.server
import json
import os
import pathlib
import random
import subprocess
import sys
import threading
from decimal import Decimal
import time
import traceback

from selenium import webdriver
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select

SITE, CLI, AXE, WORK = map(os.path.abspath, sys.argv[1:5])
HOSTILE = "<img src=x onerror=alert(1)>"
POLICY = ("default-src 'none'; script-src 'self' 'wasm-unsafe-eval'; worker-src 'self'; "
          "style-src 'self'; img-src 'self'; base-uri 'none'; form-action 'none'")
UNIT_ROWS = {"appraised_value": "Appraised Value", "homestead": "- Value of gen. HS",
             "over65_or_disabled": "- Value of O65 or DP HS",
             "veteran": "- Value of Vet Exemption", "net_taxable_value": "Net taxable value",
             "tax_base": "Tax base (net taxable value/100)", "tax_rate": "Tax rate", "tax": "Tax"}
# Values levywise-cli takes too (it refuses text without a number and negative values).
VALUES = ["150000", "150,000", "$150,000", "98765.43", "1 5 0000", "2.5e5", "0", "1e5x"]


# A random rate file: Windows-1252 bytes, CR LF lines, the first unit of each
# kind named HOSTILE; specials fixes the number of special districts.
def rate_file(seed, specials=None):
    rng = random.Random(seed)
    counts = {"K": rng.randint(1, 3), "C": rng.randint(1, 4), "I": rng.randint(1, 3),
              "S": rng.randint(0, 12) if specials is None else specials}
    codes = iter(rng.sample([c for c in range(200, 999) if c != 900], sum(counts.values())))
    pick = lambda *xs: rng.choice(xs)
    lines = ["TaxRates v3.54\t2027 Proposed\tRandom %d\t" % seed]
    for kind, n in counts.items():
        for k in range(n):
            words = " ".join(pick("OAK", "CAF\xc9", "A&B", "<b>", "PINE") for _ in range(3))
            name = kind + " " + words if kind != "C" else pick("C " + words, "CITY OF QUARLOW")
            name = HOSTILE if k == 0 else name
            lines.append("\t".join(
                [str(next(codes)), name[:30], kind, pick("Y", "N"), "%.4f" % rng.uniform(0, 1.5)]
                + [pick("", "3000", "12500.50") for _ in range(3)]
                + [pick("", "20%", "0.2", "0.05", "1", "3000") for _ in range(3)] + ["", ""]
                + [str(pick(0, 7500, 32767)) for _ in range(4)]))
    return ("\r\n".join(lines) + "\r\n").encode("cp1252")


def write(name, data):
    (path := pathlib.Path(WORK, name)).write_bytes(data)
    return str(path)


def serve():
    class Quiet(http.server.SimpleHTTPRequestHandler):
        log_message = lambda *args: None
    handler = functools.partial(Quiet, directory=SITE)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return "http://127.0.0.1:%d/index.html" % server.server_address[1]


def browser():
    o = webdriver.ChromeOptions()
    for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
                 "--disable-component-update", "--disable-sync", "--no-first-run",
                 "--window-size=1280,1000", "--user-data-dir=%s/profile-%d" % (WORK, time.time_ns())):
        o.add_argument(flag)
    driver = webdriver.Chrome(options=o)
    # Records every security-policy violation from the first script on.
    driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": (
        "window.__violations = []; document.addEventListener('securitypolicyviolation',"
        " (e) => window.__violations.push(e.violatedDirective + ' ' + e.blockedURI));")})
    return driver


class Page:
    def __init__(self, driver, url):
        self.d, self.url = driver, url
        self.d.get(url)
        self.wait("document.documentElement.dataset.ready === 'true'")

    def wait(self, condition, timeout=30):
        end = time.time() + timeout
        while not self.d.execute_script("return " + condition):
            assert time.time() < end, "timed out: " + condition
            time.sleep(0.02)

    def el(self, id_):
        return self.d.find_element(By.ID, id_)

    def click(self, selector):
        self.d.find_element(By.CSS_SELECTOR, selector).click()

    def open_file(self, path):
        self.d.execute_script("document.getElementById('status').textContent = ''")
        self.el("rateFile").send_keys(path)
        self.wait("document.getElementById('status').textContent.startsWith('Total') ||"
                  " !document.getElementById('alert').hidden")

    def rows(self, table_id):
        return self.d.execute_script(
            "return Array.from(document.getElementById(arguments[0]).rows,"
            " (r) => Array.from(r.cells, (c) => c.textContent))", table_id)

    # Types, chooses and clicks as a visitor does with the mouse, then calculates.
    def estimate(self, value, county, city, school, homestead=False, age=0, veteran=0,
                 districts=None):
        self.el("txtAprVal").clear()
        self.el("txtAprVal").send_keys(value)
        for list_id, index in zip(("comboCounties", "comboCities", "comboSchools"),
                                  (county, city, school)):
            Select(self.el(list_id)).select_by_index(index)
        if self.el("chkGHS").is_selected() != homestead:
            self.el("chkGHS").click()
        self.el(["optNeither", "optO65", "optDP"][age]).click()
        self.el(["optVetNone", "optVet1", "optVet2", "optVet3", "optVet4"][veteran]).click()
        if districts is not None:
            if not self.el("districtsBox").get_attribute("open"):
                self.click("#districtsBox summary")
            for i, wanted in enumerate(districts):
                if self.el("district%d" % i).is_selected() != wanted:
                    self.el("district%d" % i).click()
        self.el("Command1").click()

    # The figures shown, in the shape of levywise-cli's JSON.
    def shown(self):
        est = {unit: {key: dict(self.rows(unit))[caption] for key, caption in UNIT_ROWS.items()}
               for unit in ("county", "city", "school")}
        for unit in ("county", "city", "school"):
            est[unit]["tax_rate"] = Decimal(est[unit]["tax_rate"])
        totals = [amount for _, amount in self.rows("totals")]
        est["totals"] = dict(zip(("county", "city", "school", "special", "total"), totals))
        taxed = self.rows("districtTaxes")[1:] if self.d.find_elements(By.ID, "districtTaxes") else []
        est["special_districts"] = [{"code": r[0], "name": r[1], "tax": r[3]} for r in taxed]
        return est

    # The codes of the three lists' entries and of the special districts.
    def codes(self):
        return self.d.execute_script(
            "const code = (e) => e.textContent.slice(-4, -1);"
            "const list = (id) => Array.from(document.getElementById(id).options, code);"
            "return [list('comboCounties'), list('comboCities'), list('comboSchools'),"
            " Array.from(document.querySelectorAll('#districtList label'), code)]")

    # Each picture as "namespace role text", once drawn.
    def pictures(self):
        self.wait("document.documentElement.dataset.pictures === 'shown'")
        return self.d.execute_script(
            "return Array.from(document.querySelectorAll('.picture svg'),"
            " (s) => s.namespaceURI + ' ' + s.getAttribute('role') + ' ' + s.textContent)")

    def open_history(self, paths):
        self.d.execute_script("document.getElementById('historyStatus').textContent = ''")
        self.el("historyFiles").send_keys("\n".join(paths))
        self.wait("document.getElementById('historyStatus').textContent.startsWith('Tax history') ||"
                  " !document.getElementById('alert').hidden")

    def districts(self):
        return [b.is_selected() for b in self.d.find_elements(By.CSS_SELECTOR, "#districtList input")]


# levywise-cli's JSON of the command given over the rate files given.
def cli_json(hook, command, rates, codes, value, county, city, school, homestead=False, age=0, veteran=0,
             districts=()):
    # An empty "--value=" would take the next argument as its value.
    args = [CLI, command, *[a for r in rates for a in ("--rates", r)],
            "--json", "--county", codes[0][county], "--city", codes[1][city], "--school", codes[2][school],
            *(["--veteran", str(veteran)] if veteran else []),
            "--special", ",".join(c for c, on in zip(codes[3], districts) if on) or "none",
            *(["--value", ""] if value == "" else ["--value=" + value]),
            *(["--homestead"] if homestead else []), *[[], ["--over65"], ["--disabled"]][age]]
    run = subprocess.run(args, cwd=WORK, capture_output=True, text=True)
    assert run.returncode == 0, (args, run.stderr)
    return json.loads(run.stdout, object_hook=hook)


def cli_estimate(rates, *args, **inputs):
    # The page shows the texts; the cents beside them are checked by the core's tests.
    out = cli_json(lambda o: {k: v for k, v in o.items() if k != "format" and not k.endswith("_cents")},
                   "estimate", [rates], *args, **inputs)
    for unit in ("county", "city", "school"):
        del out[unit]["code"], out[unit]["name"]
        out[unit]["tax_rate"] = Decimal(out[unit]["tax_rate"])
    return out


# Names reach every part of the page (lists, results, listing, worksheet) as text.
def test_figures_match_the_command_line_tool(page):
    rng = random.Random(24)
    page.click("#listingBox summary")
    for seed in (0, 1, 2, 3, 30):  # 30: no special district
        path = write("random%d.tab" % seed, rate_file(seed))
        page.open_file(path)
        codes = page.codes()
        for _ in range(4):
            inputs = dict(value=rng.choice(VALUES), county=rng.randrange(len(codes[0])),
                          city=rng.randrange(len(codes[1])), school=rng.randrange(len(codes[2])),
                          homestead=rng.random() < 0.5, age=rng.randrange(3),
                          veteran=rng.randrange(5), districts=[rng.random() < 0.6 for _ in codes[3]])
            page.estimate(**inputs)
            assert page.shown() == cli_estimate(path, codes, **inputs), (seed, inputs)
            assert "Total Taxes " + page.shown()["totals"]["total"] in page.pictures()[0]
            assert page.el("noDistricts").is_displayed() == (codes[3] == [])
        page.d.execute_script("window.dispatchEvent(new Event('beforeprint'))")
        assert page.d.execute_script("return document.body.textContent").count(HOSTILE) >= 9
        assert not page.d.find_elements(By.CSS_SELECTOR, "img")
    page.click("#listingBox summary")


# Tab order value, county, city, school, homestead, the two groups; Enter in
# the value box calculates; the live region says the total; the listing sorts by keyboard.
def test_keyboard_alone_reaches_an_estimate(page):
    Page(page.d, page.url)  # a fresh load
    page.el("txtAprVal").send_keys("abc", Keys.ENTER)
    assert page.el("valueNote").is_displayed()
    page.el("txtAprVal").clear()
    page.el("txtAprVal").click()
    ActionChains(page.d).send_keys(
        "150,000", Keys.TAB, Keys.DOWN, Keys.TAB, Keys.DOWN, Keys.TAB, Keys.DOWN, Keys.TAB,
        Keys.SPACE, Keys.TAB, Keys.UP, Keys.TAB, Keys.UP).perform()
    assert page.d.switch_to.active_element.get_attribute("id") == "optVet4"
    page.el("txtAprVal").send_keys(Keys.ENTER)
    want = cli_estimate(os.path.join(WORK, "taxrate.tab"), page.codes(), "150,000", 1, 1, 1,
                        True, 2, 4, page.districts())
    assert page.shown() == want
    assert page.el("status").text == "Total Taxes: " + want["totals"]["total"]
    assert not page.el("valueNote").is_displayed()
    page.d.find_element(By.CSS_SELECTOR, "#listingBox summary").send_keys(Keys.ENTER)
    rate = page.d.find_element(By.CSS_SELECTOR, "#listing button[data-key=rate]")
    for order in ("ascending", "descending"):
        rate.send_keys(Keys.ENTER)
        rates = [float(r[2]) for r in page.rows("listing")[1:]]
        assert rates == sorted(rates, reverse=order == "descending"), rates
        assert rate.find_element(By.XPATH, "..").get_attribute("aria-sort") == order
    page.d.find_element(By.CSS_SELECTOR, "#listing button[data-key=name]").send_keys(Keys.ENTER)
    names = [r[1] for r in page.rows("listing")[1:]]
    assert names == sorted(names), names


def test_comparison_keeps_an_estimate_across_files(page):
    page.estimate("150000", 1, 1, 1, homestead=True)
    kept = page.shown()["totals"]["total"]
    page.el("keepCompare").click()
    page.open_file(write("compare.tab", rate_file(7)))
    assert [page.el(i).is_selected() for i in ("chkGHS", "optNeither", "optVetNone")] == [
        False, True, True] and page.el("txtAprVal").get_attribute("value") == ""
    page.estimate("200000", 1, 0, 0, homestead=True)
    rows = page.rows("comparisonTable")
    assert {r[0]: r[1:3] for r in rows}["Total Taxes"] == [kept, page.shown()["totals"]["total"]]
    differing = [r[0] for r in rows if "(differs)" in r[0]]
    assert "Appraised value (differs)" in differing and "General homestead (differs)" not in differing


# Two rate files, the second without the county chosen: the history follows
# each Calculate as levywise-cli history works it out; the pictures keep a
# hostile name as text; a refused file leaves the history shown.
def test_history_and_pictures_follow_calculate(page):
    lines = rate_file(5).split(b"\r\n")
    county = next(line for line in lines if line.split(b"\t")[1:3] == [HOSTILE.encode(), b"K"])
    later = b"\r\n".join([lines[0].replace(b"2027", b"2028")] + [line for line in lines[1:] if line != county])
    paths = [write("year1.tab", b"\r\n".join(lines)), write("year2.tab", later)]
    page.open_file(paths[0])
    page.open_history(paths[::-1])  # taken in the order of their names
    codes = page.codes()
    for value in ("150000", "98765.43"):
        inputs = dict(value=value, county=codes[0].index(county[:3].decode()), city=1, school=1,
                      homestead=True, districts=page.districts())
        page.estimate(**inputs)
        want = cli_json(None, "history", paths, codes, **inputs)
        rows = page.rows("historyTable")
        assert rows[0][1:] == want["files"] + ["Change"], rows[0]
        for row, w in zip(rows[1:], want["rows"], strict=True):
            assert row[1:-1] == [tax or "" for tax in w["tax"]], (row, w)
            assert all((text or "").lstrip("-") in row[-1] for text in (w["change"], w["change_percent"]))
    pictures = page.pictures()
    assert all(p.startswith("http://www.w3.org/2000/svg img ") for p in pictures)
    assert HOSTILE in pictures[0] and HOSTILE in pictures[-1] and not page.d.find_elements(By.TAG_NAME, "img")
    page.open_history([paths[0], write("old.tab", b"TaxRates v3.53\tOld\tX\t\r\n")])
    assert page.el("alertMessage").text.startswith("old.tab: ")
    page.el("alertOk").click()
    page.el("Command1").click()
    assert page.rows("historyTable") == rows


def test_print_and_copy_give_the_estimate(page):
    page.d.execute_cdp_cmd("Browser.grantPermissions", {
        "permissions": ["clipboardReadWrite", "clipboardSanitizedWrite"]})
    page.el("copyEstimate").click()
    page.wait("document.getElementById('status').textContent === 'Estimate copied.'")
    text = page.d.execute_async_script("navigator.clipboard.readText().then(arguments[0])")
    total = page.shown()["totals"]["total"]
    assert "Total Taxes\t" + total in text.splitlines(), text
    page.d.execute_script("window.dispatchEvent(new Event('beforeprint'))")
    page.d.execute_cdp_cmd("Emulation.setEmulatedMedia", {"media": "print"})
    printed = page.el("worksheet").text
    assert page.d.execute_script(
        "const ids = Array.from(document.querySelectorAll('[id]'), (e) => e.id);"
        "return new Set(ids).size === ids.length && document.querySelector('#worksheet svg[role=img]') !== null")
    assert not page.el("screen").is_displayed()
    page.d.execute_cdp_cmd("Emulation.setEmulatedMedia", {"media": ""})
    assert printed.startswith("Property Tax Estimate\nDate: " + time.strftime("%Y-%m-%d"))
    assert total in printed and page.d.execute_script("return window.__violations") == []


# The page says what levywise-cli check says; the table before stays in use;
# a huge file keeps the page responsive.
def test_bad_files_are_refused_with_the_desktops_message(page):
    source, county = page.el("sourceText").text, page.rows("totals")[0][0]
    cases = {
        "version.tab": b"TaxRates v3.53\tOld\tX\t\r\n",
        "number.tab": b"TaxRates v3.54\tL\tX\t\r\n101\tA\tK\tN\t0.1\t12abc\r\n",
        "binary.tab": bytes(range(256)) * 64,
        "huge.tab": b"TaxRates v3.54\tL\tX\t\r\n" + b"9" * (64 << 20),
        "long.tab": b"TaxRates v3.54\tL\tX\t\r\n101\tA\tK\tN\t0.1\t" + b"7" * (48 << 20),
    }
    for name, data in cases.items():
        page.d.execute_script(
            "window.__gap = 0; let last = performance.now();"
            "window.__ticker = setInterval(() => { const t = performance.now();"
            " window.__gap = Math.max(window.__gap, t - last); last = t; }, 10);")
        page.open_file(write(name, data))
        gap = page.d.execute_script("clearInterval(window.__ticker); return window.__gap")
        check = subprocess.run([CLI, "check", name], cwd=WORK, capture_output=True, text=True)
        want = check.stderr.strip().removeprefix("levywise-cli: ")
        want = want.removeprefix(page.el("alertTitle").text + ": ")
        got = "\n".join(line.rstrip() for line in page.el("alertMessage").text.splitlines())
        assert got == want and gap < 250, (name, got, want, gap)
        page.el("alertOk").click()
        assert page.el("sourceText").text == source and page.rows("totals")[0][0] == county


def test_policy_and_requests_stay_on_the_site(page):
    assert 'content="%s"' % POLICY in open(os.path.join(SITE, "index.html")).read()
    assert page.d.execute_script("return Array.from(document.scripts).every((s) => s.src)")
    assert page.d.execute_script("return window.__violations") == []
    foreign = page.d.execute_script(
        "return performance.getEntriesByType('resource').map((e) => e.name)"
        ".filter((n) => !n.startsWith(location.origin))")
    assert foreign == [], foreign
    disk = Page(page.d, "file://" + os.path.join(SITE, "index.html"))
    assert disk.el("sourceText").text == "taxrate.tab (2026 Certified, Corvell County)"
    assert disk.rows("totals")[0][0] == "No County" and page.d.execute_script("return window.__violations") == []
    Page(page.d, page.url)


def axe(page, state):
    page.pictures()
    page.d.execute_script(open(AXE).read())
    found = page.d.execute_async_script(
        "axe.run(document, {runOnly: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa']})"
        ".then((r) => arguments[0](r.violations.map((v) => v.id + ': ' +"
        " v.nodes.map((n) => n.target.join(' ')).join(', '))))")
    assert found == [], (state, found)


def test_accessible_and_no_sideways_scrolling(page):
    Page(page.d, page.url)  # a fresh load
    axe(page, "loaded")
    page.estimate("150000", 1, 1, 1, True, 1, 2, page.districts())
    axe(page, "calculated, districts open")
    page.el("keepCompare").click()
    page.open_history([os.path.join(WORK, "taxrate.tab")] * 3)
    page.el("Command1").click()
    axe(page, "comparison and history shown")
    page.click("#listingBox summary")
    axe(page, "listing shown")
    for width, scale in ((360, 1), (640, 2)):  # a phone; 200 % zoom of a 1280-pixel window
        page.d.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": width, "height": 800, "deviceScaleFactor": scale, "mobile": width == 360})
        wide = page.d.execute_script(
            "return document.documentElement.scrollWidth - document.documentElement.clientWidth")
        assert wide <= 0, (width, wide)
    page.d.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})


def main():
    sample = os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../data/taxrate.tab")
    subprocess.run(["cp", sample, WORK], check=True)
    driver = browser()
    passed = failed = 0
    try:
        page = Page(driver, serve())
        for name, test in sorted(globals().items()):
            if not name.startswith("test_"):
                continue
            try:
                test(page)
                passed += 1
                print("ok   " + name)
            except Exception:
                failed += 1
                print("FAIL " + name)
                traceback.print_exc()
    finally:
        driver.quit()
    print("web: %d passed, %d failed" % (passed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
