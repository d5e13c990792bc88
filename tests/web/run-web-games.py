#!/usr/bin/env python3
"""Plays test games in headless Chromium and on the desktop runner.

Each game below GAMES_DIR is packed twice: as a web page (brindle-pack
--web) and as a game file. Both run with the game's runner-options; what
the browser's game printed must equal, line for line, what the desktop
run printed and the game's expected-output.txt, and its exit status must
be the expected one, and what it wrote to standard error must equal the
game's expected-errors.txt where it has one. {game}/NAME in the options
names a file of the project: it is served beside the page, which puts it
into the game's folder. A game with expected-screenshot.png also saves its
last frame in the browser, which must match that picture within the
tolerance of the picture comparer. Last, the game in keep/ beside this
script is played twice in one browser, with a real clock: what its first
run wrote must be there for the second; and the game in absent/ plays with
the browser's audio and must report what the page lacks.

Usage: run-web-games.py PACK RUN WEB_RUNNER_DIR COMPARE_PNG GAMES_DIR GAME...
"""
import base64
import os
import shutil
import subprocess
import sys
import tempfile
import time
import urllib.parse

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import browser  # noqa: E402

# A hang is a failure; no game here needs more than a few seconds.
PAGE_LIMIT_SECONDS = 180

# Chromium draws with its own software renderer, whose texture filtering and
# line edges fall a few levels away from Mesa's: games drawn mostly from
# filtered, blended textures (particles, effects) come within 1 % of their
# pictures rather than the 0.1 % the desktop tests allow. Every other game
# is held to the desktop tolerance.
LOOSER_PERCENT = {"particle-stream": 1.0, "particle-shapes": 1.0, "effects": 1.0}


def errors_so_far(chrome, session):
    """What a page that did not finish wrote to standard error, if it still answers."""
    try:
        return chrome.evaluate(session, "window.brindle ? brindle.err.join('\\n') : 'no page'", time.monotonic() + 5)
    except TimeoutError:
        return "(the page does not answer: the game never hands control back)"


def with_game_files(options, game_dir):
    """Options with {game}/NAME as the browser sees it, and the NAMEs."""
    names, out = [], []
    for option in options:
        if option.startswith("{game}/"):
            names.append(option[len("{game}/"):])
            option = "/game/" + names[-1]
        out.append(option)
    return out, names


def read_lines(path, default=""):
    try:
        with open(path, encoding="utf-8", errors="replace") as f:
            return f.read().splitlines()
    except FileNotFoundError:
        return default.splitlines()


def run_desktop(pack, run, game_dir, options, work, name, screenshot):
    game = os.path.join(work, name + ".brg")
    options = [option.replace("{game}", game_dir) for option in options]
    subprocess.run([pack, game_dir, "-o", game], check=True, stdout=subprocess.DEVNULL)
    env = dict(os.environ)
    extra = []
    if screenshot:
        env.setdefault("SDL_VIDEODRIVER", "offscreen")
        extra = ["--screenshot", os.path.join(work, name + "-desktop.png")]
    done = subprocess.run([run] + options + extra + [game], cwd=work, env=env, stdin=subprocess.DEVNULL,
                          stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    return done.stdout.decode("utf-8", "replace").splitlines(), done.returncode


def run_in_browser(chrome, pack, runner_dir, game_dir, options, work, name, screenshot):
    folder = os.path.join(work, name + "-web")
    subprocess.run([pack, "--web", "--runner", runner_dir, game_dir, "-o", folder], check=True,
                   stdout=subprocess.DEVNULL)
    options, files = with_game_files(options, game_dir)
    for file in files:
        shutil.copy(os.path.join(game_dir, file), folder)
    server = browser.StaticServer(folder)
    try:
        if screenshot:
            options = options + ["--screenshot", "/last-frame.png"]
        url = server.url("index.html?files=" + ",".join(files) + "&options=" + urllib.parse.quote(" ".join(options)))
        session = chrome.open(url)
        if not chrome.wait_for(session, "window.brindle && brindle.exitStatus !== null && brindle.saved",
                               PAGE_LIMIT_SECONDS):
            return None, None, None, "the page did not finish: " + (errors_so_far(chrome, session) or "")
        out = chrome.evaluate(session, "brindle.out")
        status = chrome.evaluate(session, "brindle.exitStatus")
        err = chrome.evaluate(session, "brindle.err.join('\\n')")
        picture = None
        if screenshot:
            data = chrome.evaluate(session, "(function () { try { return brindle.readFile('/last-frame.png'); }"
                                            " catch (e) { return null; } })()")
            if data:
                picture = os.path.join(work, name + "-browser.png")
                with open(picture, "wb") as f:
                    f.write(base64.b64decode(data))
        return out, status, picture, err
    finally:
        server.close()


def check_keeping(chrome, pack, runner_dir, work):
    """Two runs of keep/ at one address; None when both printed right."""
    folder = os.path.join(work, "keep-web")
    game = os.path.join(os.path.dirname(os.path.abspath(__file__)), "keep")
    subprocess.run([pack, "--web", "--runner", runner_dir, game, "-o", folder], check=True,
                   stdout=subprocess.DEVNULL)
    server = browser.StaticServer(folder)
    try:
        for run, previous in ((1, 0), (2, 1)):
            session = chrome.open(server.url("index.html"))
            if not chrome.wait_for(session, "window.brindle && brindle.exitStatus !== null && brindle.saved",
                                   PAGE_LIMIT_SECONDS):
                return "run %d did not finish: %s" % (run, errors_so_far(chrome, session))
            out = chrome.evaluate(session, "brindle.out")
            want = ["run %d, registry held %d" % (run, previous)]
            if out != want:
                return "run %d printed %r, expected %r" % (run, out, want)
    finally:
        server.close()
    return None


def check_absent(chrome, pack, runner_dir, work):
    """absent/ played with the browser's audio; None when it reported what
    the page lacks and ended with the status of its failure."""
    here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "absent")
    folder = os.path.join(work, "absent-web")
    subprocess.run([pack, "--web", "--runner", runner_dir, here, "-o", folder], check=True,
                   stdout=subprocess.DEVNULL)
    server = browser.StaticServer(folder)
    try:
        session = chrome.open(server.url("index.html?options=" + urllib.parse.quote("--screenshot /missing/last.png")))
        if not chrome.wait_for(session, "window.brindle && brindle.exitStatus !== null && brindle.saved",
                               PAGE_LIMIT_SECONDS):
            return "it did not finish: %s" % errors_so_far(chrome, session)
        out = chrome.evaluate(session, "brindle.out")
        err = chrome.evaluate(session, "brindle.err")
        status = chrome.evaluate(session, "brindle.exitStatus")
        problems = []
        if out != read_lines(os.path.join(here, "expected-output.txt")):
            problems.append("printed %r" % out)
        if err != read_lines(os.path.join(here, "expected-errors.txt")):
            problems.append("reported %r" % err)
        if status != 1:
            problems.append("ended with status %r, expected 1" % status)
        return "; ".join(problems) or None
    finally:
        server.close()


def main():
    if len(sys.argv) < 6:
        print(__doc__, file=sys.stderr)
        return 2
    pack, run, runner_dir, compare, games = (os.path.abspath(a) for a in sys.argv[1:6])
    names = sys.argv[6:]
    chromium = browser.find_chromium()
    if not chromium:
        print("run-web-games: no Chromium installed", file=sys.stderr)
        return 2
    work = tempfile.mkdtemp(prefix="brindle-web-games.")
    chrome = browser.Browser(chromium)
    passed = failed = 0
    try:
        for name in names:
            game_dir = os.path.join(games, name)
            options = (read_lines(os.path.join(game_dir, "runner-options"), "--headless") or ["--headless"])[0].split()
            expected = read_lines(os.path.join(game_dir, "expected-output.txt"))
            status_expected = int((read_lines(os.path.join(game_dir, "expected-status"), "0") or ["0"])[0])
            reference = os.path.join(game_dir, "expected-screenshot.png")
            screenshot = os.path.exists(reference)
            problems = []
            desktop, desktop_status = run_desktop(pack, run, game_dir, options, work, name, screenshot)
            out, status, picture, err = run_in_browser(chrome, pack, runner_dir, game_dir, options, work, name,
                                                       screenshot)
            if out is None:
                problems.append(err)
            else:
                if out != desktop:
                    problems.append("printed lines differ from the desktop run's:\n  browser: %r\n  desktop: %r"
                                    % (out, desktop))
                if out != expected:
                    problems.append("printed lines differ from expected-output.txt")
                errors_file = os.path.join(game_dir, "expected-errors.txt")
                if os.path.exists(errors_file) and (err or "").splitlines() != read_lines(errors_file):
                    problems.append("standard error differs from expected-errors.txt:\n  browser: %r" % err)
                if status != status_expected or desktop_status != status_expected:
                    problems.append("exit status %s in the browser, %s on the desktop, expected %s\n%s"
                                    % (status, desktop_status, status_expected, err))
                if screenshot:
                    if not picture:
                        problems.append("the browser saved no last frame\n" + (err or ""))
                    elif subprocess.run([compare, picture, reference, "2",
                                         str(LOOSER_PERCENT.get(name, 0.1))]).returncode != 0:
                        kept = os.path.join(tempfile.gettempdir(), name + "-browser-actual.png")
                        shutil.copy(picture, kept)
                        problems.append("the last frame differs from expected-screenshot.png (kept as %s)" % kept)
            if problems:
                failed += 1
                print("FAIL %s: %s" % (name, "\n     ".join(problems)))
            else:
                passed += 1
                print("ok   %s" % name)
        for label, check in (("keep (saved files and registry survive a reload)", check_keeping),
                             ("absent (what a page lacks is reported)", check_absent)):
            problem = check(chrome, pack, runner_dir, work)
            if problem:
                failed += 1
                print("FAIL %s: %s" % (label.split()[0], problem))
            else:
                passed += 1
                print("ok   " + label)
    finally:
        chrome.close()
        shutil.rmtree(work, ignore_errors=True)
    print("%d passed, %d failed" % (passed, failed))
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
