#!/usr/bin/env python3
"""Times the bounce game in headless Chromium beside the desktop runner.

Both run STEPS steps (default 600) headless and without sleeping, best of
three. The browser's time runs from the start of the runner's main to its
end (start-up included, as on the desktop), measured by the page's clock.
Usage: run-web.py PACK RUN WEB_RUNNER_DIR [STEPS]
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time
import urllib.parse

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "..", "tests", "web"))
import browser  # noqa: E402

RUNS = 3


def main():
    pack, run, runner_dir = (os.path.abspath(a) for a in sys.argv[1:4])
    steps = int(sys.argv[4]) if len(sys.argv) > 4 else 600
    options = ["--headless", "--fast", "--steps", str(steps)]
    work = tempfile.mkdtemp(prefix="brindle-bounce-web.")
    try:
        game = os.path.join(work, "bounce.brg")
        subprocess.run([pack, here, "-o", game], check=True)
        desktop = []
        for _ in range(RUNS):
            start = time.perf_counter()
            subprocess.run([run] + options + [game], check=True, stdout=subprocess.DEVNULL)
            desktop.append(time.perf_counter() - start)

        folder = os.path.join(work, "page")
        subprocess.run([pack, "--web", "--runner", runner_dir, here, "-o", folder], check=True)
        server = browser.StaticServer(folder)
        chrome = browser.Browser(browser.find_chromium())
        page = []
        try:
            url = server.url("index.html?options=" + urllib.parse.quote(" ".join(options)))
            for _ in range(RUNS):
                session = chrome.open(url)
                if not chrome.wait_for(session, "window.brindle && brindle.exitStatus !== null", 600):
                    raise SystemExit("the page did not finish")
                if chrome.evaluate(session, "brindle.exitStatus") != 0:
                    raise SystemExit("the game failed in the browser: "
                                     + chrome.evaluate(session, "brindle.err.join('\\n')"))
                page.append(chrome.evaluate(session, "brindle.endTime - brindle.startTime") / 1000)
                chrome.call("Target.closeTarget", {"targetId": chrome.call("Target.getTargetInfo", {}, session)
                                                   ["targetInfo"]["targetId"]})
        finally:
            chrome.close()
            server.close()
        best_desktop, best_page = min(desktop), min(page)
        print("bounce, desktop: %d steps in %.1f ms: %.0f steps per second" % (steps, best_desktop * 1000,
                                                                              steps / best_desktop))
        print("bounce, browser: %d steps in %.1f ms: %.0f steps per second" % (steps, best_page * 1000,
                                                                              steps / best_page))
        print("bounce: the browser runs at %.2f of the desktop's speed" % (best_desktop / best_page))
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
