"""The page served on 127.0.0.1 and headless Chromium driven through WebDriver
(chromedriver), shared by the page's test and its soak."""
import functools
import http.server
import json
import shutil
import socket
import subprocess
import threading
import time
import urllib.error
import urllib.request


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def serve(site):
    """Serves a folder on a free port until the returned server is shut down; (server, its address)."""
    handler = functools.partial(QuietHandler, directory=site)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server, f"http://127.0.0.1:{server.server_address[1]}/"


class ChromeDriver:
    """chromedriver on a free port, ready once entered, stopped on leaving."""

    def __enter__(self):
        with socket.socket() as s:
            s.bind(("127.0.0.1", 0))
            self.port = s.getsockname()[1]
        self.process = subprocess.Popen(["chromedriver", f"--port={self.port}"], stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
        for _ in range(50):
            try:
                urllib.request.urlopen(f"http://127.0.0.1:{self.port}/status", timeout=1)
                break
            except OSError:
                time.sleep(0.1)
        return self

    def __exit__(self, *exc):
        self.process.terminate()
        self.process.wait()


class Driver:
    """One browser session; args are Chromium's command line flags."""

    def __init__(self, port, args):
        self.base = f"http://127.0.0.1:{port}"
        caps = {"capabilities": {"alwaysMatch": {
            "browserName": "chrome",
            "goog:chromeOptions": {"binary": shutil.which("chromium"), "args": args},
            "goog:loggingPrefs": {"browser": "ALL"}}}}
        self.session = self.call("POST", "/session", caps)["sessionId"]
        self.entries = []

    def call(self, method, path, body=None):
        data = json.dumps(body if body is not None else {}).encode() if method == "POST" else None
        req = urllib.request.Request(self.base + path, data=data, method=method,
                                     headers={"Content-Type": "application/json"})
        try:
            with urllib.request.urlopen(req, timeout=120) as r:
                return json.loads(r.read())["value"]
        except urllib.error.HTTPError as e:
            raise RuntimeError(f"WebDriver {path}: {e.read().decode()[:400]}") from None

    def s(self, method, path, body=None):
        return self.call(method, f"/session/{self.session}{path}", body)

    def run(self, script, *args):
        return self.s("POST", "/execute/sync", {"script": script, "args": list(args)})

    def click(self, css):
        found = self.s("POST", "/element", {"using": "css selector", "value": css})
        self.s("POST", f"/element/{next(iter(found.values()))}/click")

    def wait_for(self, script, seconds, what):
        end = time.time() + seconds
        while time.time() < end:
            if self.run(script):
                return
            time.sleep(0.2)
        raise AssertionError(f"timed out waiting for {what}")

    def pointer(self, actions):
        self.s("POST", "/actions", {"actions": [{"type": "pointer", "id": "mouse",
                                                 "parameters": {"pointerType": "mouse"}, "actions": actions}]})
        self.s("DELETE", "/actions")

    def origin(self, css):
        found = self.s("POST", "/element", {"using": "css selector", "value": css})
        return {"element-6066-11e4-a52e-4f735466cecf": next(iter(found.values()))}

    def taps(self, css, *gaps):
        """Clicks the middle of an element, once more after each gap (seconds)."""
        actions = [{"type": "pointerMove", "x": 0, "y": 0, "origin": self.origin(css)},
                   {"type": "pointerDown", "button": 0}, {"type": "pointerUp", "button": 0}]
        for gap in gaps:
            actions += [{"type": "pause", "duration": int(gap * 1000)},
                        {"type": "pointerDown", "button": 0}, {"type": "pointerUp", "button": 0}]
        self.pointer(actions)

    def key(self, value):
        self.s("POST", "/actions", {"actions": [{"type": "key", "id": "keyboard", "actions": [
            {"type": "keyDown", "value": value}, {"type": "keyUp", "value": value}]}]})
        self.s("DELETE", "/actions")

    def log(self):
        """The browser's log since the session began."""
        self.entries += self.s("POST", "/se/log", {"type": "browser"})
        return self.entries

    def quit(self):
        self.call("DELETE", f"/session/{self.session}")
