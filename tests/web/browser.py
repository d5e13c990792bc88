"""Headless Chromium driven over its DevTools pipe, and a small web server.

Chromium reads DevTools commands from file descriptor 3 and writes replies
to descriptor 4, each message JSON ended by a zero byte. Only the standard
library is used.
"""
import functools
import http.server
import json
import os
import select
import shutil
import subprocess
import tempfile
import threading
import time


def find_chromium():
    for name in ("chromium", "chromium-browser", "google-chrome"):
        path = shutil.which(name)
        if path:
            return path
    return None


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = dict(http.server.SimpleHTTPRequestHandler.extensions_map,
                          **{".wasm": "application/wasm", ".js": "text/javascript"})

    def log_message(self, *args):
        pass


class StaticServer:
    """Serves one folder on 127.0.0.1 at a free port, in a thread."""

    def __init__(self, folder):
        handler = functools.partial(QuietHandler, directory=folder)
        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        self.port = self.httpd.server_address[1]
        self.thread = threading.Thread(target=self.httpd.serve_forever, daemon=True)
        self.thread.start()

    def url(self, path):
        return "http://127.0.0.1:%d/%s" % (self.port, path)

    def close(self):
        self.httpd.shutdown()
        self.httpd.server_close()


class Browser:
    """One headless Chromium; evaluate() runs JavaScript in a page."""

    def __init__(self, chromium):
        self.profile = tempfile.mkdtemp(prefix="brindle-chromium.")
        to_chrome_read, self.to_chrome = os.pipe()
        self.from_chrome, from_chrome_write = os.pipe()

        # In the child, after the file descriptors are sorted out and before
        # Chromium starts: the two ends go to 3 and 4 (by way of free
        # numbers, as either may already be 3 or 4). Every other descriptor
        # of this process is closed on exec.
        def pipes():
            reading, writing = os.dup(to_chrome_read), os.dup(from_chrome_write)
            os.dup2(reading, 3)
            os.dup2(writing, 4)

        self.process = subprocess.Popen(
            [chromium, "--headless=new", "--use-angle=swiftshader", "--enable-unsafe-swiftshader",
             "--autoplay-policy=no-user-gesture-required", "--remote-debugging-pipe", "--no-sandbox",
             "--no-first-run", "--no-default-browser-check", "--disable-extensions",
             "--disable-background-timer-throttling", "--disable-renderer-backgrounding",
             "--user-data-dir=" + self.profile, "about:blank"],
            close_fds=False, preexec_fn=pipes,
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(to_chrome_read)
        os.close(from_chrome_write)
        self.buffer = b""
        self.next_id = 0

    def _send(self, method, params=None, session=None):
        self.next_id += 1
        message = {"id": self.next_id, "method": method, "params": params or {}}
        if session:
            message["sessionId"] = session
        os.write(self.to_chrome, json.dumps(message).encode() + b"\0")
        return self.next_id

    def _receive(self, deadline=None):
        while b"\0" not in self.buffer:
            # A page that never hands control back never answers: past the
            # deadline that is a hang, not something to wait for.
            if deadline is not None:
                left = deadline - time.monotonic()
                if left <= 0 or not select.select([self.from_chrome], [], [], left)[0]:
                    raise TimeoutError("Chromium did not answer in time")
            chunk = os.read(self.from_chrome, 1 << 16)
            if not chunk:
                raise RuntimeError("Chromium closed its DevTools pipe")
            self.buffer += chunk
        message, self.buffer = self.buffer.split(b"\0", 1)
        return json.loads(message)

    def call(self, method, params=None, session=None, deadline=None):
        wanted = self._send(method, params, session)
        while True:
            reply = self._receive(deadline)
            if reply.get("id") == wanted:
                if "error" in reply:
                    raise RuntimeError("%s: %s" % (method, reply["error"]))
                return reply.get("result", {})

    def open(self, url):
        """Opens url in a new tab and returns the DevTools session of it."""
        target = self.call("Target.createTarget", {"url": url})["targetId"]
        return self.call("Target.attachToTarget", {"targetId": target, "flatten": True})["sessionId"]

    def evaluate(self, session, expression, deadline=None):
        result = self.call("Runtime.evaluate", {"expression": expression, "returnByValue": True}, session, deadline)
        if "exceptionDetails" in result:
            raise RuntimeError("page script failed: %s" % result["exceptionDetails"].get("text"))
        return result["result"].get("value")

    def wait_for(self, session, expression, limit_seconds):
        """Polls expression until it is true; False when the page never got
        there (a hang: the limit is a safety net, not a measure of speed)."""
        end = time.monotonic() + limit_seconds
        while time.monotonic() < end:
            try:
                if self.evaluate(session, expression, end):
                    return True
            except TimeoutError:
                return False
            time.sleep(0.05)
        return False

    def close(self):
        try:
            self.call("Browser.close")
        except (RuntimeError, OSError):
            pass
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        os.close(self.to_chrome)
        os.close(self.from_chrome)
        shutil.rmtree(self.profile, ignore_errors=True)
