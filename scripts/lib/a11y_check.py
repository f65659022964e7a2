"""What a screen reader finds in Selenara's window, read through AT-SPI.

Run by scripts/a11y-check inside its own session bus and display. Checks the
day grid's table (42 cells, the days named with their whole date), then
walks it by keyboard: Tab to the days, Right, Enter for the day's balloon and
Escape, each time reading what the focus event names. Exits 1 on a fault.
"""
import datetime
import subprocess
import sys

import pyatspi
from gi.repository import GLib

WEEKDAYS = ["Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag", "Sonntag"]
MONTHS = ["Januar", "Februar", "März", "April", "Mai", "Juni", "Juli", "August",
          "September", "Oktober", "November", "Dezember"]
faults = []


def german_date(day):
    return f"{WEEKDAYS[day.weekday()]}, {day.day}. {MONTHS[day.month - 1]} {day.year}"


def check(ok, what):
    print(("ok    " if ok else "FAULT ") + what)
    if not ok:
        faults.append(what)


def find(node, predicate):
    if predicate(node):
        return node
    for child in node:
        if child is not None:
            found = find(child, predicate)
            if found is not None:
                return found
    return None


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name.lower() == "selenara":
            return app
    return None


def check_tree(app):
    table = find(app, lambda n: n.getRole() == pyatspi.ROLE_TABLE)
    check(table is not None, "the window holds a table")
    if table is None:
        return
    today = datetime.date.today()
    check(table.name == f"{MONTHS[today.month - 1]} {today.year}", f"the table is named {table.name!r}")
    check(table.childCount == 42, f"it has {table.childCount} cells")
    cells = [table.getChildAtIndex(i) for i in range(table.childCount)]
    named = [c.name for c in cells if c.name]
    days = (datetime.date(today.year + today.month // 12, today.month % 12 + 1, 1) - today.replace(day=1)).days
    check(len(named) == days, f"{len(named)} cells are named, one a day of the month")
    check(all(c.getRole() == pyatspi.ROLE_TABLE_CELL for c in cells), "every cell has the role table cell")
    first = table.queryTable()
    check(first.nRows == 6 and first.nColumns == 7, f"{first.nRows} rows, {first.nColumns} columns")
    todays = [n for n in named if n.startswith(german_date(today) + ", heute")]
    check(len(todays) == 1, f"today's cell: {todays[0] if todays else named}")
    buttons = [find(app, lambda n, w=w: n.getRole() == pyatspi.ROLE_PUSH_BUTTON and n.name == w)
               for w in ("Vorheriger Monat", "Nächster Monat", "Vorheriges Jahr", "Nächstes Jahr")]
    check(all(buttons), "the four arrow buttons are named")
    labels = [find(app, lambda n, w=w: n.getRole() == pyatspi.ROLE_LABEL and n.name == w)
              for w in ("Optionen", "Beenden")]
    check(all(labels), "the menu labels are named")
    lore = find(app, lambda n: n.name == "Weisheiten")
    check(lore is not None and len(lore.description) > 20,
          f"the lore box is named and reads its text: {lore.description[:40] if lore else None!r}")


class KeyWalk:
    """Presses keys one after another and checks the focus each one gives."""

    def __init__(self, display):
        today = datetime.date.today()
        # A day on within the month, so that no month step comes in.
        step = 1 if (today + datetime.timedelta(days=1)).month == today.month else -1
        other = today + datetime.timedelta(days=step)
        self.display = display
        self.focus = None
        self.tabs = 0
        # (key, what the focused object's name must start with, its role)
        self.steps = [("Right" if step > 0 else "Left", german_date(other), pyatspi.ROLE_TABLE_CELL),
                      ("Return", f"{other.day}. {MONTHS[other.month - 1]} {other.year}\n",
                       pyatspi.ROLE_TOOL_TIP),
                      ("Escape", german_date(other), pyatspi.ROLE_TABLE_CELL)]
        self.expected = None

    def on_focus(self, event):
        if event.detail1 == 1 or event.type.startswith("focus"):
            self.focus = event.source
            print("  focus:", event.source.getRoleName(), repr(event.source.name))

    def key(self, name):
        subprocess.run(["xdotool", "key", name], env={"DISPLAY": self.display}, check=True)

    def tick(self):
        role = self.focus.getRole() if self.focus is not None else None
        if self.expected is None:
            # Tab until the days have the focus.
            if role == pyatspi.ROLE_TABLE_CELL:
                check(self.focus.name.startswith(german_date(datetime.date.today())),
                      f"Tab reaches the days after {self.tabs} presses: {self.focus.name!r}")
                self.expected = ()
            elif self.tabs < 12:
                self.tabs += 1
                self.key("Tab")
                return True
            else:
                check(False, "Tab never reaches the days")
                pyatspi.Registry.stop()
                return False
        elif self.expected:
            want, want_role = self.expected
            name = self.focus.name if self.focus is not None else ""
            check(role == want_role and name.startswith(want),
                  f"focus on {pyatspi.Accessible.getRoleName(self.focus) if self.focus else None}: {name!r}")
        if not self.steps:
            pyatspi.Registry.stop()
            return False
        key, want, want_role = self.steps.pop(0)
        self.expected = (want, want_role)
        self.focus = None
        self.key(key)
        return True


def main():
    display = sys.argv[1]
    app = None
    for _ in range(100):
        app = application()
        if app is not None:
            break
        subprocess.run(["sleep", "0.1"], check=True)
    check(app is not None, "Selenara is on the accessibility bus")
    if app is None:
        return 1
    check_tree(app)
    walk = KeyWalk(display)
    pyatspi.Registry.registerEventListener(walk.on_focus, "object:state-changed:focused", "focus:")
    subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "Selenara", "windowfocus", "--sync"],
                   env={"DISPLAY": display}, check=False)
    GLib.timeout_add(400, walk.tick)
    pyatspi.Registry.start()
    print(f"{len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
