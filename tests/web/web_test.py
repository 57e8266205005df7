# The web page, served on 127.0.0.1, in headless Chromium (SwiftShader),
# driven over the DevTools protocol on a pipe (NUL-separated JSON on the
# browser's fds 3 and 4): the three lights, their motion, the keys, the drawing
# buffer following the window, a lost context coming back, no errors, and the
# line without WebGL 2.

import fcntl
import functools
import http.server
import json
import os
import re
import select
import signal
import subprocess
import sys
import tempfile
import threading
import time
import unittest
from base64 import b64decode
from pathlib import Path

from harness.product import ROOT
from harness.support import QUIET, Screenshot, main, wait_until

SITE = Path(os.environ["ORVELLE_WEB_SITE"])
# The line the page shows without WebGL 2, as the page holds it.
UNSUPPORTED = re.search(
    r'<p id="unsupported" hidden>([^<]*)</p>', (ROOT / "web/index.html").read_text(encoding="utf-8")
)[1]


class Browser:
    # Headless Chromium in a process group of its own, on the debugging pipe.

    def __init__(self, profile):
        child_in, self.commands = os.pipe()
        self.replies, child_out = os.pipe()

        def pipe_fds():  # 3 and 4, whatever numbers the pipes have here
            high = [fcntl.fcntl(fd, fcntl.F_DUPFD_CLOEXEC, 10) for fd in (child_in, child_out)]
            os.dup2(high[0], 3)
            os.dup2(high[1], 4)

        options = (
            "--headless=new --use-angle=swiftshader --enable-unsafe-swiftshader --no-sandbox"
            " --no-first-run --disable-background-networking --disable-component-update"
            " --disable-sync --window-size=1024,768 --remote-debugging-pipe"
        )
        command = ["chromium", *options.split(), f"--user-data-dir={profile}", "about:blank"]
        self.process = subprocess.Popen(
            command, preexec_fn=pipe_fds, close_fds=False, start_new_session=True, **QUIET
        )
        os.close(child_in)
        os.close(child_out)
        self.buffer, self.events, self.last_id, self.session = b"", [], 0, None

    def close(self):
        os.killpg(self.process.pid, signal.SIGKILL)
        self.process.wait()

    def receive(self, wanted, timeout=30):
        # The first message wanted() accepts; the events before it are kept.
        deadline = time.time() + timeout
        while True:
            while b"\0" in self.buffer:
                raw, _, self.buffer = self.buffer.partition(b"\0")
                message = json.loads(raw)
                if wanted(message):
                    return message
                self.events.append(message)
            if not select.select([self.replies], [], [], max(0, deadline - time.time()))[0]:
                raise TimeoutError("no answer from chromium")
            chunk = os.read(self.replies, 1 << 20)
            if not chunk:
                raise EOFError("chromium ended")
            self.buffer += chunk

    def send(self, method, **params):
        self.last_id += 1
        message = {"id": self.last_id, "method": method, "params": params}
        if self.session and not method.startswith("Target."):
            message["sessionId"] = self.session
        os.write(self.commands, json.dumps(message).encode() + b"\0")
        reply = self.receive(lambda m: m.get("id") == self.last_id)
        if "error" in reply:
            raise RuntimeError(f"{method}: {reply['error']}")
        return reply["result"]

    def evaluate(self, expression):
        return self.send("Runtime.evaluate", expression=expression, returnByValue=True)[
            "result"
        ].get("value")

    def errors(self):
        self.evaluate("0")  # takes in the events so far
        return [
            e
            for e in self.events
            if e.get("method") == "Runtime.exceptionThrown"
            or (e.get("method") == "Runtime.consoleAPICalled" and e["params"]["type"] == "error")
            or (e.get("method") == "Log.entryAdded" and e["params"]["entry"]["level"] == "error")
        ]


class Page(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.work = Path(cls.enterClassContext(tempfile.TemporaryDirectory(prefix="orvelle-web-")))
        handler = functools.partial(http.server.SimpleHTTPRequestHandler, directory=str(SITE))
        server = cls.enterClassContext(http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler))
        threading.Thread(target=server.serve_forever, daemon=True).start()
        cls.addClassCleanup(server.shutdown)
        cls.url = f"http://127.0.0.1:{server.server_address[1]}/"
        cls.browser = Browser(cls.work / "profile")
        cls.addClassCleanup(cls.browser.close)
        target = cls.browser.send("Target.createTarget", url="about:blank")["targetId"]
        cls.browser.session = cls.browser.send(
            "Target.attachToTarget", targetId=target, flatten=True
        )["sessionId"]
        for domain in ("Runtime", "Log", "Page"):
            cls.browser.send(f"{domain}.enable")

    def open(self, query=""):
        self.view(1024, 768, 1)
        self.browser.events.clear()
        self.browser.send("Page.navigate", url=self.url + query)
        self.browser.receive(lambda m: m.get("method") == "Page.loadEventFired")

    def view(self, width, height, ratio):
        size = {"width": width, "height": height, "deviceScaleFactor": ratio, "mobile": False}
        self.browser.send("Emulation.setDeviceMetricsOverride", **size)

    def lights(self, name):
        # The page's screenshot, kept as NAME.ppm, and its fewest red, green or blue pixels.
        png = b64decode(self.browser.send("Page.captureScreenshot", format="png")["data"])
        subprocess.run(
            ["convert", "png:-", self.work / f"{name}.ppm"], input=png, check=True, timeout=30
        )
        shot = Screenshot(self.work / f"{name}.ppm")
        return shot, shot.lights((0, 0, 1024, 768))

    def test_the_lights_show_and_move_and_the_buffer_follows_the_window(self):
        self.open("?fps")
        self.assertTrue(wait_until(lambda: self.lights("lights")[1] > 10, 60), "no light")
        before = self.lights("before")[0].rgb
        # Neither Escape (a page has nothing to end) nor an arrow stops the picture.
        for key, code in (("Escape", 27), ("ArrowRight", 39), ("ArrowUp", 38)):
            for kind in ("keyDown", "keyUp"):
                event = {"type": kind, "key": key, "code": key, "windowsVirtualKeyCode": code}
                self.browser.send("Input.dispatchKeyEvent", **event)
        self.assertTrue(
            wait_until(
                lambda: sum(a != b for a, b in zip(before, self.lights("after")[0].rgb)) > 3000, 30
            ),
            "the picture stands still",
        )
        fps = wait_until(lambda: self.browser.evaluate("document.body.dataset.fps"), 10)
        print(f"frames per second at 1024 x 768: {fps}", file=sys.stderr)
        self.assertGreater(float(fps or 0), 0)
        self.assertEqual(self.browser.evaluate("[canvas.width, canvas.height]"), [1024, 768])
        # The GL context lost (as when the GPU process restarts) and given back: the lights return.
        self.browser.evaluate(
            "loser = canvas.getContext('webgl2')"
            ".getExtension('WEBGL_lose_context'); loser.loseContext()"
        )
        self.assertTrue(wait_until(lambda: self.lights("lost")[1] == 0, 30), "drawn when lost")
        self.browser.evaluate("loser.restoreContext()")
        self.assertTrue(wait_until(lambda: self.lights("back")[1] > 10, 60), "no light when back")
        self.view(640, 360, 2)
        self.assertTrue(
            wait_until(
                lambda: self.browser.evaluate("canvas.width == 1280 && canvas.height == 720"), 20
            ),
            "the canvas kept its size",
        )
        self.assertEqual(self.browser.errors(), [])

    def test_without_webgl_2_the_page_says_so_in_one_line(self):
        script = self.browser.send(
            "Page.addScriptToEvaluateOnNewDocument",
            source="HTMLCanvasElement.prototype.getContext = () => null;",
        )
        self.addCleanup(self.browser.send, "Page.removeScriptToEvaluateOnNewDocument", **script)
        self.open()
        self.assertEqual(self.browser.evaluate("document.body.innerText.trim()"), UNSUPPORTED)
        self.assertEqual(self.browser.errors(), [])


if __name__ == "__main__":
    if not (SITE / "index.html").exists():
        sys.exit(print(f"skipped: no page in {SITE} (web.build makes it, with emscripten)"))
    main()
