# The browser site's figures: its size (total and WebAssembly, plain and
# gzip), navigation to ready on loopback (median of 10) and one Calculate
# with 300 special districts (median of 20).
#   web_figures.py SITE_DIR LEVYWISE_CLI AXE_JS WORK_DIR   (as tests/web/web_test.py)
import base64
import gzip
import os
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "web"))
import web_test as w  # noqa: E402

files = [os.path.join(w.SITE, f) for f in os.listdir(w.SITE)]
script = open(os.path.join(w.SITE, "levywise.js"), "rb").read()
start = script.index(b'wasmBinaryFile="data:application/octet-stream;base64,') + 53
wasm = base64.b64decode(script[start:script.index(b'"', start)])
print("site: %d bytes, %d gzip; WebAssembly: %d bytes, %d gzip (inside levywise.js as base64)" % (
    sum(os.path.getsize(f) for f in files),
    sum(len(gzip.compress(open(f, "rb").read(), 9)) for f in files),
    len(wasm), len(gzip.compress(wasm, 9))))

driver = w.browser()
try:
    url = w.serve()
    ready = []
    for _ in range(10):
        page = w.Page(driver, url + "?%d" % time.time_ns())
        ready.append(driver.execute_script(
            "return performance.getEntriesByName('levywise-ready')[0].startTime"))
    print("navigation to ready: median %.1f ms of 10 (%s)"
          % (statistics.median(ready), " ".join("%.0f" % r for r in ready)))
    page.open_file(w.write("specials300.tab", w.rate_file(1, specials=300)))
    times, pictures = [], []
    for _ in range(20):
        page.estimate("150000", 1, 1, 1, True, 1, 1, [True] * 300)
        times.append(float(driver.execute_script(
            "return document.documentElement.dataset.calculateMs")))
        page.wait("document.documentElement.dataset.pictures === 'shown'")
        pictures.append(driver.execute_script(
            "const d = document.documentElement.dataset; return [+d.pictureMakeMs, +d.pictureShowMs]"))
    print("Calculate with 300 special districts: median %.2f ms of 20" % statistics.median(times))
    print("its picture in the next frame: median %.2f ms to make, %.2f ms to parse and show"
          % tuple(statistics.median(p[k] for p in pictures) for k in (0, 1)))
finally:
    driver.quit()
