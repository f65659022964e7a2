"""What Orca says in Selenara's window, in German and in English.

Run by scripts/a11y-check inside its own display and buses, with Orca
already running and writing its debug file (argument 2). For each language
it starts Selenara on a fixed clock (9 December 2026, a new moon day, in
Europe/Berlin), presses the keys a user presses and waits, with a timeout,
for each utterance Orca writes as a SPEECH OUTPUT line. Prints ok/FAULT
lines; exits 1 on a fault.
"""
import os
import re
import subprocess
import sys
import tempfile
import time

# Orca's own words (role names, states) are English: it runs with LANG=C.
TEXTS = {
    "de": {
        "title": "Selenara 1.4",
        "start": "Monat combo box",
        "menu": ["Über Selenara push button", "Optionen push button", "Beenden push button"],
        "about": ["Über Selenara dialog © 2026 Das Selenara-Projekt"],
        "links": ["https://selenara.example.org/de/ link", "Weitere Programme link",
                  "support@selenara.example.org link"],
        "options": ["Optionen dialog", "Weisheiten anzeigen check box checked", "Weisheiten check box checked",
                    "Fakten check box checked", "Informationen anzeigen check box checked",
                    "Kurzfakten check box checked", "Traditionelle Mondnamen check box checked",
                    "Keltische Mondnamen check box checked",
                    "Englische, mittelaterliche Mondnamen check box checked"],
        "country": ["Land: combo box", "Deutschland"],
        "city": ["Stadt: text"],
        "language": ["Sprache: combo box", "Deutsch"],
        "buttons": ["OK push button", "Abbruch push button"],
        "today": "Mittwoch, 9. Dezember 2026, heute, Neumond, 1:51",
        "next": "Donnerstag, 10. Dezember 2026",
        "balloon": "10. Dezember 2026 Deutschland / Aach/Hegau/Singen Mondaufgang: {rise} Monduntergang: {set} dialog",
        "lore": "Weisheiten",
    },
    "en": {
        "title": "Selenara 1.4",
        "start": "Month combo box",
        "menu": ["About Selenara push button", "Options push button", "Exit push button"],
        "about": ["About Selenara dialog © 2026 The Selenara Project"],
        "links": ["https://selenara.example.org/en/ link", "More Software link",
                  "support@selenara.example.org link"],
        "options": ["Options dialog", "Show Moon Lore check box checked", "Moon Lore check box checked",
                    "Moon Trivia check box checked", "Show Information check box checked",
                    "Moon Bites check box checked", "Traditional Moon Names check box checked",
                    "Celtic Moon Names check box checked", "English Medieval Moon Names check box checked"],
        "country": ["Country: combo box", "Germany"],
        "city": ["City: text"],
        "language": ["Language: combo box", "English"],
        "buttons": ["OK push button", "Cancel push button"],
        "today": "Wednesday, December 9, 2026, today, New Moon, 1:51 AM",
        "next": "Thursday, December 10, 2026",
        "balloon": "December 10, 2026 Germany / Aach/Hegau/Singen Moon Rise: {rise} Moon Set: {set} dialog",
        "lore": "Moon Lore",
    },
}
TIMEOUT = 10  # seconds for one utterance
faults = []


def check(ok, what):
    print(("ok    " if ok else "FAULT ") + what, flush=True)
    if not ok:
        faults.append(what)
    return ok


class Speech:
    """The utterances in Orca's debug file, read on as it grows."""

    UTTERANCE = re.compile(r"SPEECH OUTPUT: '(.*?)' ?\{", re.S)

    def __init__(self, path):
        self.path = path
        self.offset = 0
        self.heard = []

    def _read(self):
        if not os.path.exists(self.path):  # Orca has not started yet
            return
        with open(self.path, encoding="utf-8", errors="replace") as f:
            f.seek(self.offset)
            text = f.read()
        # Up to the last whole entry: a line Orca is still writing waits.
        end = text.rfind("\n")
        if end < 0:
            return
        self.offset += len(text[:end + 1].encode("utf-8"))
        for m in self.UTTERANCE.finditer(text[:end + 1]):
            said = " ".join(m.group(1).split()).rstrip(".")
            self.heard.append(said)

    def skip(self):
        """Forgets what was said so far."""
        self._read()
        self.heard.clear()

    def expect(self, wanted):
        """Waits until Orca says `wanted`."""
        deadline = time.monotonic() + TIMEOUT
        while time.monotonic() < deadline:
            self._read()
            for i, said in enumerate(self.heard):
                if said == wanted:
                    del self.heard[:i + 1]
                    return check(True, f"Orca says {said!r}")
            time.sleep(0.05)
        return check(False, f"Orca never says {wanted!r}; it said {self.heard[-6:]}")


class Session:
    def __init__(self, build, display, speech, language):
        self.build = build
        self.display = display
        self.speech = speech
        self.language = language
        self.texts = TEXTS[language]
        self.home = tempfile.mkdtemp()
        config = os.path.join(self.home, "config", "Vandrel")
        os.makedirs(config)
        if language == "en":
            with open(os.path.join(config, "Selenara.conf"), "w", encoding="utf-8") as f:
                f.write("[Optionen]\nSPR=2\n")
        runtime = os.path.join(self.home, "run")
        os.mkdir(runtime, 0o700)
        env = dict(os.environ, HOME=self.home, XDG_CONFIG_HOME=os.path.join(self.home, "config"),
                   XDG_RUNTIME_DIR=runtime, TZ="Europe/Berlin",
                   # A fixed clock, running on from noon of a new moon day.
                   FAKETIME="@2026-12-09 12:00:00", FAKETIME_DONT_RESET="1",
                   LD_PRELOAD="/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1")
        self.app = subprocess.Popen([os.path.join(build, "selenara")], env=env,
                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def rise_and_set(self):
        """The day's moonrise and moonset at the default place, by the almanac,
        as the window's clock shows them (hours and minutes, cut)."""
        line = subprocess.run([os.path.join(self.build, "selenara-almanac"), "riseset", "8.85", "47.83",
                               "2026-12-10", "2026-12-10"], env=dict(os.environ, TZ="Europe/Berlin"),
                              capture_output=True, text=True, check=True).stdout
        times = {}
        for key, field in zip(("rise", "set"), line.split(",")[1:3]):
            hour, minute = int(field[:2]), field[3:5]
            times[key] = (f"{hour}:{minute}" if self.language == "de" else
                          f"{(hour + 11) % 12 + 1}:{minute} {'AM' if hour < 12 else 'PM'}")
        return times

    def xdotool(self, *args):
        subprocess.run(["xdotool", *args], env=dict(os.environ, DISPLAY=self.display), check=False,
                       stdout=subprocess.DEVNULL)

    def focus_window(self):
        # Without a window manager nobody gives the window back the keyboard
        # when a dialog closes; this is what a window manager does.
        self.xdotool("search", "--sync", "--onlyvisible", "--name", "^Selenara ", "windowfocus", "--sync")

    def key(self, *names):
        for name in names:
            self.xdotool("key", name)

    def press(self, key, *said):
        """Presses a key, then waits for each of the utterances in turn."""
        if key:
            self.key(key)
        for words in said:
            self.speech.expect(words)

    def close_dialog(self, label):
        """Escape, and the window is back with the focus on the menu label."""
        self.key("Escape")
        self.focus_window()
        self.press(None, self.texts["title"], label)

    def run(self):
        t = self.texts
        self.focus_window()
        self.press(None, t["title"], t["start"])
        # The menu row lies before the month list in the Tab order.
        self.press("shift+Tab", t["menu"][0])
        self.press("Return", *t["about"])
        for said in t["links"]:
            self.press("Tab", said)
        self.close_dialog(t["menu"][0])
        self.press("shift+Tab", t["menu"][1])
        # Its title, then the first check box, which has the focus.
        self.press("Return", *t["options"][:2])
        for said in t["options"][2:]:
            self.press("Tab", said)
        for words in (t["country"], t["city"], t["language"]):
            self.press("Tab", *words)
        for said in t["buttons"]:
            self.press("Tab", said)
        self.close_dialog(t["menu"][1])
        # Back through "Beenden" and the lore box to the days.
        self.press("shift+Tab", t["menu"][2])
        self.press("shift+Tab", t["lore"])
        self.press("shift+Tab", t["today"])
        self.press("Right", t["next"])
        self.press("Return", t["balloon"].format(**self.rise_and_set()))
        self.press("Escape", t["next"])
        # Out through the lore box to "Beenden", and Enter ends the program.
        self.key("Tab")
        self.press("Tab", t["menu"][2])
        self.key("Return")
        try:
            check(self.app.wait(TIMEOUT) == 0, "Enter on the exit label ends the program")
        except subprocess.TimeoutExpired:
            check(False, "Enter on the exit label ends the program")

    def close(self):
        if self.app.poll() is None:
            self.app.kill()
            self.app.wait()
        subprocess.run(["rm", "-rf", self.home], check=False)


def main():
    build, log, display = sys.argv[1:4]
    speech = Speech(log)
    # Orca is ready once it has said so.
    speech.expect("Screen reader on")
    for language in ("de", "en"):
        print(f"== {language}", flush=True)
        speech.skip()
        session = Session(build, display, speech, language)
        try:
            session.run()
        finally:
            session.close()
    print(f"{len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
