#!/usr/bin/env python3
"""Opens a noVNC page in headless Chromium and saves a screenshot once the remote screen is drawn.

    devtools.py URL SHOT.png [TIMEOUT_S]

Drives Chromium through its DevTools protocol (a small WebSocket client on the
standard library only): loads the page, waits until noVNC's canvas shows more
than a black screen and its status note has gone, then captures the page.
Prints one line of JSON: where the canvas lies on the page and its size.
"""
import base64
import json
import os
import shutil
import socket
import struct
import subprocess
import sys
import tempfile
import time
import urllib.request

# The canvas as noVNC draws it: its place on the page, its size, how many of
# a sample of its pixels are not black, and whether the status note is open.
LEINWAND = """(() => {
  const c = document.querySelector('#noVNC_container canvas') || document.querySelector('canvas');
  if (!c || c.width < 64 || c.height < 64) return null;
  const r = c.getBoundingClientRect();
  const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
  let hell = 0;
  for (let i = 0; i < d.length; i += 4 * 61) if (d[i] | d[i + 1] | d[i + 2]) hell++;
  const s = document.getElementById('noVNC_status');
  return JSON.stringify({x: r.left, y: r.top, breite: c.width, hoehe: c.height, hell: hell,
                         status: !!(s && s.classList.contains('noVNC_open'))});
})()"""


class WebSocket:
    """A client WebSocket (RFC 6455): text frames out, masked; text frames in."""

    def __init__(self, url):
        assert url.startswith("ws://")
        host_port, _, pfad = url[5:].partition("/")
        host, _, port = host_port.partition(":")
        self.sock = socket.create_connection((host, int(port)), timeout=60)
        schluessel = base64.b64encode(os.urandom(16)).decode()
        anfrage = (f"GET /{pfad} HTTP/1.1\r\nHost: {host_port}\r\nUpgrade: websocket\r\n"
                   f"Connection: Upgrade\r\nSec-WebSocket-Key: {schluessel}\r\nSec-WebSocket-Version: 13\r\n\r\n")
        self.sock.sendall(anfrage.encode())
        antwort = b""
        while b"\r\n\r\n" not in antwort:
            teil = self.sock.recv(4096)
            if not teil:
                raise ConnectionError("DevTools schloss die Verbindung")
            antwort += teil
        kopf, _, self.rest = antwort.partition(b"\r\n\r\n")
        if b" 101 " not in kopf.split(b"\r\n")[0]:
            raise ConnectionError(kopf.decode(errors="replace"))

    def _lesen(self, n):
        while len(self.rest) < n:
            teil = self.sock.recv(1 << 20)
            if not teil:
                raise ConnectionError("DevTools schloss die Verbindung")
            self.rest += teil
        daten, self.rest = self.rest[:n], self.rest[n:]
        return daten

    def senden(self, text):
        nutzlast = text.encode()
        n = len(nutzlast)
        if n < 126:
            kopf = struct.pack("!BB", 0x81, 0x80 | n)
        elif n < 1 << 16:
            kopf = struct.pack("!BBH", 0x81, 0x80 | 126, n)
        else:
            kopf = struct.pack("!BBQ", 0x81, 0x80 | 127, n)
        maske = os.urandom(4)
        self.sock.sendall(kopf + maske + bytes(b ^ maske[i % 4] for i, b in enumerate(nutzlast)))

    def empfangen(self):
        nachricht = b""
        while True:
            b0, b1 = self._lesen(2)
            n = b1 & 0x7F
            if n == 126:
                n = struct.unpack("!H", self._lesen(2))[0]
            elif n == 127:
                n = struct.unpack("!Q", self._lesen(8))[0]
            daten = self._lesen(n)
            code = b0 & 0x0F
            if code == 0x8:
                raise ConnectionError("DevTools schloss die Verbindung")
            if code in (0x1, 0x2, 0x0):
                nachricht += daten
                if b0 & 0x80:
                    return nachricht.decode()


class Seite:
    """One page target of Chromium, spoken to through DevTools commands."""

    def __init__(self, ws_url):
        self.ws = WebSocket(ws_url)
        self.nummer = 0

    def befehl(self, methode, **parameter):
        self.nummer += 1
        self.ws.senden(json.dumps({"id": self.nummer, "method": methode, "params": parameter}))
        while True:
            antwort = json.loads(self.ws.empfangen())
            if antwort.get("id") == self.nummer:
                if "error" in antwort:
                    raise RuntimeError(f"{methode}: {antwort['error']}")
                return antwort.get("result", {})

    def auswerten(self, ausdruck):
        wert = self.befehl("Runtime.evaluate", expression=ausdruck, returnByValue=True)
        return wert.get("result", {}).get("value")


def chromium_starten(profil):
    programm = shutil.which("chromium") or shutil.which("chromium-browser")
    if not programm:
        sys.exit("chromium fehlt")
    prozess = subprocess.Popen(
        [programm, "--headless=new", "--no-sandbox", "--disable-gpu", "--no-first-run",
         "--remote-debugging-port=0", "--remote-allow-origins=*", f"--user-data-dir={profil}",
         "--window-size=1400,1100", "about:blank"],
        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
    # Chromium writes the port it took into the profile.
    datei = os.path.join(profil, "DevToolsActivePort")
    for _ in range(300):
        if os.path.exists(datei):
            with open(datei) as f:
                zeilen = f.read().split("\n")
            if len(zeilen) >= 2 and zeilen[0].strip():
                return prozess, int(zeilen[0])
        time.sleep(0.1)
    prozess.kill()
    sys.exit("Chromium meldet keinen DevTools-Port")


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    url, schuss = sys.argv[1], sys.argv[2]
    frist = time.time() + (float(sys.argv[3]) if len(sys.argv) > 3 else 60)
    profil = tempfile.mkdtemp(prefix="karmo-chromium-")
    prozess = None
    try:
        prozess, port = chromium_starten(profil)
        with urllib.request.urlopen(f"http://127.0.0.1:{port}/json/list", timeout=30) as antwort:
            ziele = json.load(antwort)
        seite = Seite(next(z for z in ziele if z.get("type") == "page")["webSocketDebuggerUrl"])
        seite.befehl("Emulation.setDeviceMetricsOverride", width=1400, height=1100, deviceScaleFactor=1,
                     mobile=False)
        seite.befehl("Page.enable")
        seite.befehl("Page.navigate", url=url)
        leinwand = None
        while time.time() < frist:
            wert = seite.auswerten(LEINWAND)
            leinwand = json.loads(wert) if wert else None
            if leinwand and leinwand["hell"] > 200 and not leinwand["status"]:
                break
            time.sleep(0.5)
        else:
            sys.exit(f"noVNC zeigte den Bildschirm nicht: {leinwand}")
        # One more frame's time, so that what was drawn last is on the page.
        time.sleep(1)
        bild = seite.befehl("Page.captureScreenshot", format="png")
        with open(schuss, "wb") as f:
            f.write(base64.b64decode(bild["data"]))
        print(json.dumps(leinwand))
    finally:
        if prozess:
            prozess.terminate()
            try:
                prozess.wait(10)
            except subprocess.TimeoutExpired:
                prozess.kill()
        shutil.rmtree(profil, ignore_errors=True)


if __name__ == "__main__":
    main()
