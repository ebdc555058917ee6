#!/usr/bin/env python3
"""Operator walk-throughs: zt40util --simulate on an X server of its own (Xvfb), as a separate
process on the xcb platform, driven only through the X server: clicks and keys go in through
XTest (xdotool), controls of the main window are found by their dialog-unit rectangles scaled to
the window's size, the wizard's and simulator's by their mnemonics. Pictures of the key moments
go to the folder given with --shots.

    walkthrough.py SCENARIO --util zt40util --xshot zt40_xshot --shots DIR [--source-dir DIR]

A missing Xvfb or xdotool fails the walk-through: it is never skipped."""
import argparse
import os
import pathlib
import shutil
import subprocess
import sys
import tempfile
import time

# The main window's client area in dialog units, and the rectangles of the controls clicked.
DIALOG_UNITS = (192, 288)
REPLACE_HEAD = (15, 70, 70, 20)
READJUST_PINS = (95, 70, 70, 20)
CLEANING = (115, 10, 50, 20)
BLANK_SPOT = (180, 100, 5, 5)
STATUS_AREA = (5, 40, 182, 25)  # the status line and the band under it
PIN_GROUP = (10, 145, 165, 100)  # the radios and bars  # right of the buttons, above the pin group: the context menu's place

CAPTION = "^ZT-40 Pinwarden$"  # message boxes and the wait dialog
MAIN = "^ZT-40$"  # the main window, titled with its queue once the poll opened the printer
SIMULATOR = "^ZT-40 simulator$"
WIZARD = "^wizard$"
READY_BOUND_S = 15
COMMAND_TIMEOUT_S = 5
ROLLBACK_BOUND_S = 15
OUTCOME_NOTE_S = 10


class Failure(Exception):
    pass


class Desktop:
    def __init__(self, args, state_file=None):
        for tool in ("Xvfb", "xdotool"):
            if shutil.which(tool) is None:
                raise Failure(f"{tool} is not installed (bash scripts/deps.sh installs it)")
        self.args = args
        self.shots = pathlib.Path(args.shots)
        self.shots.mkdir(parents=True, exist_ok=True)
        self.temp = tempfile.TemporaryDirectory(prefix="zt40-operator-")
        read_fd, write_fd = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        with os.fdopen(read_fd) as reader:
            number = reader.readline().strip()
        if not number:
            raise Failure("Xvfb did not start")
        self.env = dict(os.environ, DISPLAY=":" + number, QT_QPA_PLATFORM="xcb", LANG="C.UTF-8", LC_ALL="C.UTF-8",
                        ZT40_DATA_DIR=self.temp.name, XDG_RUNTIME_DIR=self.temp.name, HOME=self.temp.name)
        self.env.pop("WAYLAND_DISPLAY", None)
        simulate = "--simulate" if state_file is None else "--simulate=" + str(state_file)
        self.util = subprocess.Popen([args.util, simulate], env=self.env, stdout=subprocess.DEVNULL,
                                     stderr=open(pathlib.Path(self.temp.name) / "zt40util.log", "w"))
        self.main = self.wait_for(MAIN, 20)
        self.simulator = self.wait_for(SIMULATOR, 5)
        time.sleep(1.5)  # three poll ticks: the printer is found ready and the buttons enabled

    def close(self):
        for process in (self.util, self.xvfb):
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(5)
                except subprocess.TimeoutExpired:
                    process.kill()
        self.temp.cleanup()

    def xdotool(self, *arguments, check=True):
        done = subprocess.run(["xdotool", *arguments], env=self.env, capture_output=True, text=True, timeout=30)
        if check and done.returncode != 0:
            raise Failure(f"xdotool {' '.join(arguments)}: {done.stderr.strip()}")
        return done.stdout

    def windows(self, name):
        out = self.xdotool("search", "--onlyvisible", "--name", name, check=False)
        return [w for w in out.split() if w]

    def wait_for(self, name, seconds, other_than=()):
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            if self.util.poll() is not None:
                said = (pathlib.Path(self.temp.name) / "zt40util.log").read_text(errors="replace")[-4000:]
                raise Failure(f"zt40util ended with status {self.util.returncode}; it said:\n{said}")
            found = [w for w in self.windows(name) if w not in other_than]
            if found:
                time.sleep(0.3)  # mapped; let it paint
                return found[0]
            time.sleep(0.1)
        raise Failure(f"no window {name} within {seconds} s")

    def wait_gone(self, window, seconds):
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            if window not in self.windows(".*"):
                return
            time.sleep(0.1)
        raise Failure(f"window {window} still open after {seconds} s")

    def wizard(self):
        """The wizard just opened: beside the main window, clear of the simulator's switches."""
        wizard = self.wait_for(WIZARD, 10)
        (x, y, w, h), (sx, sy, sw, sh) = self.geometry(wizard), self.geometry(self.simulator)
        if x < sx + sw and sx < x + w and y < sy + sh and sy < y + h:
            raise Failure(f"the wizard at {x},{y} {w}x{h} covers the simulator at {sx},{sy} {sw}x{sh}")
        return wizard

    def geometry(self, window):
        values = {}
        for line in self.xdotool("getwindowgeometry", "--shell", window).splitlines():
            key, _, value = line.partition("=")
            values[key] = int(value) if value.lstrip("-").isdigit() else value
        return values["X"], values["Y"], values["WIDTH"], values["HEIGHT"]

    def click_units(self, rect, button="1"):
        x, y, width, height = self.geometry(self.main)
        cx = x + round((rect[0] + rect[2] / 2) * width / DIALOG_UNITS[0])
        cy = y + round((rect[1] + rect[3] / 2) * height / DIALOG_UNITS[1])
        self.xdotool("mousemove", "--sync", str(cx), str(cy))
        self.xdotool("click", button)
        time.sleep(0.3)

    def keys(self, window, *keys):
        self.xdotool("windowfocus", "--sync", window)
        time.sleep(0.2)
        for key in keys:
            self.xdotool("key", "--clearmodifiers", key)
            time.sleep(0.4)

    def shot(self, name, window=None):
        target = self.shots / f"{self.args.scenario}-{name}.png"
        # A window, or a screen rectangle (x, y, width, height) of one.
        rect = window if isinstance(window, list) else None if window is None else self.geometry(window)
        region = [] if rect is None else [str(v) for v in rect]
        # The grabber is a test tool: under a sanitizer build, the display libraries' caches it
        # leaves at exit are not the program's leaks.
        env = dict(self.env, ASAN_OPTIONS=(self.env.get("ASAN_OPTIONS", "") + ":detect_leaks=0").lstrip(":"))
        subprocess.run([self.args.xshot, str(target), *region], env=env, check=True,
                       stdout=subprocess.DEVNULL, timeout=30)
        return target.read_bytes()

    def records(self):
        path = pathlib.Path(self.temp.name) / "zt40util.txt"
        if not path.exists():
            return []
        return [line[0] for line in path.read_text(errors="replace").splitlines() if line[:1] in ("o", "x")]

    def adjustments(self):
        """The nine pin adjustments of each record, in file order: the middle field of lines 1 to 9."""
        path = pathlib.Path(self.temp.name) / "zt40util.txt"
        records = []
        for line in path.read_text(errors="replace").splitlines() if path.exists() else []:
            if line[:1] in ("o", "x"):
                records.append([])
            elif records and line[:1] in "123456789" and line[1:2] == ":":
                records[-1].append(int(line.split(",")[1]))
        return records


def read_pins(desk, wizard, *pins):
    """Readings with the keyboard alone: the page is entered with pin 1's slider focused; each
    pin's keys, then Tab on to the next pin's."""
    for number, keys in enumerate(pins):
        desk.keys(wizard, *keys)
        if number + 1 < len(pins):
            desk.keys(wizard, "Tab")


def expect_adjustments_changed_by(desk, expected):
    """A second pin adjustment, just opened, cancelled with Escape: its 'x' record holds what the
    first one left in the printer, beside the first one's 'o' record of what it found."""
    again = desk.wait_for(WIZARD, 10)
    desk.keys(again, "Escape")
    asked = desk.wait_for(CAPTION, 5)
    desk.keys(asked, "alt+y")
    desk.wait_gone(again, READY_BOUND_S)
    records = desk.adjustments()
    if desk.records() != ["o", "x"] or len(records) != 2:
        raise Failure(f"records: {desk.records()}, expected 'o' then 'x'")
    added = [after - before for before, after in zip(*records)]
    if added != expected:
        raise Failure(f"the printer's adjustments changed by {added}, expected {expected} once")


def finish_with_power_cycle(desk, wizard, shot):
    """The last page: the simulator's power switch off, then on, then Finish; one 'o' record."""
    desk.keys(wizard, "alt+n")  # Power Off/On
    desk.keys(desk.simulator, "alt+w")
    time.sleep(1.5)
    desk.keys(desk.simulator, "alt+w")
    time.sleep(1.5)
    desk.shot("power-cycled")
    desk.keys(wizard, "alt+f")
    desk.wait_gone(wizard, 10)
    desk.shot(shot)
    if desk.records() != ["o"]:
        raise Failure(f"records after Finish: {desk.records()}, expected one 'o'")


def head_replacement(desk):
    desk.shot("1-ready")
    desk.click_units(REPLACE_HEAD)
    wizard = desk.wizard()
    desk.keys(wizard, "alt+m")  # Move Head: moves and clears the new head's data
    desk.keys(wizard, "alt+n")  # Power Off
    desk.keys(desk.simulator, "alt+p")  # unplugged from the simulator while the wizard is open
    time.sleep(1.5)
    desk.shot("2-unplugged")
    desk.keys(wizard, "alt+n", "alt+n", "alt+n")  # Replace Head, Head installation, Power On
    desk.keys(desk.simulator, "alt+p")  # plugged back in
    time.sleep(3)
    desk.keys(wizard, "alt+n")  # Adjust Pin
    desk.keys(wizard, "alt+s")  # Start Printing
    time.sleep(1)
    desk.keys(wizard, "alt+n")  # Input Value
    read_pins(desk, wizard, ("Right",) * 3)  # pin 1 alone at A3: corrections of 0
    desk.keys(wizard, "alt+s")  # Set
    time.sleep(1)
    desk.shot("3-set")
    finish_with_power_cycle(desk, wizard, "4-finished")


def pin_adjustment_busy(desk):
    desk.click_units(READJUST_PINS)
    wizard = desk.wait_for(WIZARD, 10)
    desk.keys(wizard, "alt+s")  # Start Printing
    time.sleep(1)
    desk.keys(wizard, "alt+n")  # Input Value
    read_pins(desk, wizard, ("Right",) * 3)
    desk.keys(desk.simulator, "alt+b")  # busy before Set
    desk.keys(wizard, "alt+s")
    started = time.monotonic()
    waiting = desk.wait_for(CAPTION, 5)
    desk.shot("1-waiting")
    told = desk.wait_for(CAPTION, READY_BOUND_S + 10, other_than=(waiting,))
    if time.monotonic() - started < READY_BOUND_S - 1:
        raise Failure("the failure came before the 15 s bound")
    desk.shot("2-failure")
    desk.keys(told, "Return")
    desk.wait_gone(told, 5)
    # With the keyboard focus in it, as the key below gives it: the focus outline is in both pictures.
    desk.xdotool("windowfocus", "--sync", wizard)
    time.sleep(0.5)
    before = desk.shot("3-after-failure", wizard)
    desk.keys(wizard, "alt+n")  # Next stays disabled: the page does not change
    if desk.shot("4-next-pressed", wizard) != before:
        raise Failure("Next moved on after a failed Set")
    desk.keys(desk.simulator, "alt+b")  # ready again
    desk.keys(wizard, "alt+s")
    time.sleep(1)
    if desk.windows(CAPTION):
        raise Failure("a box appeared after a Set on a ready printer")
    finish_with_power_cycle(desk, wizard, "5-finished")


def pin_adjustment_set_twice(desk):
    """Set pressed twice on one set of readings writes the corrections once and says so on the
    page; the second wizard's record holds the first one's values plus one correction."""
    desk.click_units(READJUST_PINS)
    wizard = desk.wait_for(WIZARD, 10)
    desk.keys(wizard, "alt+s")  # Start Printing
    time.sleep(1)
    desk.keys(wizard, "alt+n")  # Input Value
    read_pins(desk, wizard, ("Right",) * 3, ("Page_Up",))  # A3 and A0: corrections -7 and 7
    desk.keys(wizard, "alt+s")
    time.sleep(1)
    written = desk.shot("1-written", wizard)
    desk.keys(wizard, "alt+s")  # the readings are back at None: nothing more is written
    time.sleep(1)
    if desk.shot("2-nothing-to-write", wizard) == written:
        raise Failure("the second Set changed nothing on the page")
    finish_with_power_cycle(desk, wizard, "3-finished")
    time.sleep(1.5)
    desk.click_units(READJUST_PINS)
    expect_adjustments_changed_by(desk, [-7, 7, 0, 0, 0, 0, 0, 0, 0])


def cleaning_never_ready(desk, fault=("alt+b",), bound_s=READY_BOUND_S):
    desk.shot("1-ready")
    desk.keys(desk.simulator, *fault)
    desk.click_units(CLEANING)
    confirm = desk.wait_for(CAPTION, 5)
    desk.keys(confirm, "Return")
    started = time.monotonic()
    waiting = desk.wait_for(CAPTION, 5, other_than=(confirm,))
    desk.shot("2-waiting")
    main_before = desk.shot("2-waiting-main", desk.main)
    # Cover the main window with the simulator's and uncover it: a window whose loop is
    # stuck leaves the uncovered part unpainted.
    sim_x, sim_y, _, _ = desk.geometry(desk.simulator)
    main_x, main_y, _, _ = desk.geometry(desk.main)
    desk.xdotool("windowmove", "--sync", desk.simulator, str(main_x), str(main_y))
    time.sleep(0.5)
    desk.xdotool("windowmove", "--sync", desk.simulator, str(sim_x), str(sim_y))
    time.sleep(1)
    if desk.shot("3-uncovered", desk.main) != main_before:
        raise Failure("the main window did not repaint while the cleaning waited")
    told = desk.wait_for(CAPTION, bound_s + 10, other_than=(confirm, waiting))
    elapsed = time.monotonic() - started
    if elapsed < bound_s - 1:
        raise Failure(f"the failure came after {elapsed:.1f} s, before the bound")
    desk.shot("4-failure")
    desk.keys(told, "Return")
    desk.wait_gone(told, 5)


def cleaning_not_answering(desk):
    # Every command now waits out its time-out; the window must paint through each of them.
    cleaning_never_ready(desk, fault=("alt+a", "End"), bound_s=COMMAND_TIMEOUT_S)


def restore_out_of_range(desk):
    desk.shot("1-out-of-range")
    # The status area offers the restore: its button's mnemonic runs it, as the menu item would.
    desk.keys(desk.main, "alt+s")
    asked = desk.wait_for(CAPTION, 5)
    desk.shot("2-asked")
    desk.keys(asked, "Return")
    told = desk.wait_for(CAPTION, READY_BOUND_S + 5, other_than=(asked,))
    desk.shot("3-reported")
    desk.keys(told, "Return")
    desk.wait_gone(told, 5)
    # A second restore, from the window's context menu, finds the printer in range: nothing is
    # asked, the status area tells it.
    desk.click_units(BLANK_SPOT, button="3")
    desk.xdotool("key", "Down", "Return")
    time.sleep(1.5)
    if desk.windows(CAPTION):
        raise Failure("a restore of a printer in range asked or boxed something")
    desk.shot("4-nothing-needed")


def cancel_not_answering(desk):
    """Cancel of a wizard on a printer gone silent: the put-back is shown as a wait at once and
    ends at its first silent command with the Retry box, not after every command's time-out."""
    status_ready = desk.shot("0-status-ready", units_area(desk, STATUS_AREA))
    desk.click_units(READJUST_PINS)
    wizard = desk.wait_for(WIZARD, 10)
    desk.keys(desk.simulator, "alt+a", "End")  # answers no command from here on
    desk.shot("1-silent")
    x, y, width, height = desk.geometry(wizard)
    # The footer's last button, Cancel, by its place: bottom right inside the layout's margins.
    desk.xdotool("mousemove", "--sync", str(x + width - 50), str(y + height - 25))
    desk.xdotool("click", "1")
    asked = desk.wait_for(CAPTION, 5)
    desk.shot("2-asked")
    desk.xdotool("windowfocus", "--sync", asked)
    desk.xdotool("key", "--clearmodifiers", "alt+y")
    started = time.monotonic()
    waiting = desk.wait_for(CAPTION, 5, other_than=(asked,))
    shown_after = time.monotonic() - started
    desk.shot("3-putting-back")
    told = desk.wait_for(CAPTION, ROLLBACK_BOUND_S + 10, other_than=(asked, waiting))
    told_after = time.monotonic() - started
    desk.shot("4-rollback-failed")
    print(f"wait window after {shown_after:.2f} s, rollback failure after {told_after:.1f} s")
    if desk.shot("4-status-under-retry", units_area(desk, STATUS_AREA)) == status_ready:
        raise Failure("the status area still shows the printer as ready while the Retry box is up")
    # Less the 0.3 s wait_for lets a found window paint.
    if shown_after > 1 + 0.3:
        raise Failure(f"the wait window came {shown_after:.2f} s after the confirmation, not within 1 s")
    if told_after > ROLLBACK_BOUND_S:
        raise Failure(f"the rollback failure came after {told_after:.1f} s, over the {ROLLBACK_BOUND_S} s bound")
    if waiting in desk.windows(CAPTION):
        raise Failure("the wait window stayed on show behind the Retry box")
    desk.keys(desk.simulator, "alt+a", "Home")  # answering again: Retry puts the settings back
    desk.keys(told, "Return")
    desk.wait_gone(wizard, READY_BOUND_S)
    if desk.windows(CAPTION):
        desk.shot("5-after-retry")
        raise Failure("a box stayed after Retry on an answering printer")
    if desk.records() != ["x"]:
        raise Failure(f"records after the cancel: {desk.records()}, expected one 'x'")


def pin_adjustment_keyboard(desk):
    """The whole pin adjustment with keys alone: the main window's buttons by Tab and Space, the
    pages by mnemonics, the readings by arrows and Page Up on sliders reached by Tab."""
    desk.keys(desk.main, "Tab", "Tab", "space")  # from Cleaning, first in the order, past Replace Head
    wizard = desk.wait_for(WIZARD, 10)
    desk.keys(wizard, "alt+s")  # Start Printing
    time.sleep(1)
    desk.keys(wizard, "alt+n")  # Input Value
    # A3, A0, B9, B0 on pins 1 to 4: 2 * (4 * reading - 52) / 4 each.
    read_pins(desk, wizard, ("Right",) * 3, ("Page_Up",), ("Page_Up", "Page_Up", "Left"), ("Page_Up", "Page_Up"))
    desk.shot("1-read", wizard)
    desk.keys(wizard, "alt+s")  # Set
    time.sleep(1)
    desk.shot("2-set", wizard)
    finish_with_power_cycle(desk, wizard, "3-finished")
    time.sleep(1.5)
    # A second wizard, cancelled, records what the first one left in the printer.
    desk.keys(desk.main, "alt+p")
    expect_adjustments_changed_by(desk, [-20, -6, 12, 14, 0, 0, 0, 0, 0])


def replace_cancel_after_replug(desk):
    """A head replacement cancelled after its pages cleared the counters and the printer was
    unplugged and plugged back in: the window shows the old counts and pin again."""
    # The pin group with its radios and bars, where the old counts and pin 3 show.
    x, y, width, height = desk.geometry(desk.main)
    area = [round(x + 10 * width / DIALOG_UNITS[0]), round(y + 145 * height / DIALOG_UNITS[1]),
            round(165 * width / DIALOG_UNITS[0]), round(100 * height / DIALOG_UNITS[1])]
    before = desk.shot("1-before", area)
    desk.click_units(REPLACE_HEAD)
    wizard = desk.wait_for(WIZARD, 10)
    desk.keys(wizard, "alt+m")  # Move Head: moves and clears the new head's data
    desk.keys(wizard, "alt+n")  # Power Off
    desk.keys(desk.simulator, "alt+p")  # unplugged
    time.sleep(1.5)
    desk.keys(wizard, "alt+n", "alt+n", "alt+n")  # Replace Head, Head installation, Power On
    desk.keys(desk.simulator, "alt+p")  # plugged back in
    time.sleep(3)
    desk.shot("2-replugged")
    desk.keys(wizard, "Escape")
    asked = desk.wait_for(CAPTION, 5)
    desk.keys(asked, "alt+y")
    desk.wait_gone(wizard, READY_BOUND_S)
    time.sleep(1)
    if desk.windows(CAPTION):
        desk.shot("3-boxed")
        raise Failure("a box appeared after cancelling on a printer that answers")
    if desk.shot("3-cancelled", area) != before:
        raise Failure("the pin group after the cancel differs from before the wizard")
    if desk.records() != ["x"]:
        raise Failure(f"records after the cancel: {desk.records()}, expected one 'x'")


def units_area(desk, rect):
    """A rectangle of the main window, in dialog units, as a screen rectangle."""
    x, y, width, height = desk.geometry(desk.main)
    return [round(x + rect[0] * width / DIALOG_UNITS[0]), round(y + rect[1] * height / DIALOG_UNITS[1]),
            round(rect[2] * width / DIALOG_UNITS[0]), round(rect[3] * height / DIALOG_UNITS[1])]


def restore_shows_written(desk):
    """A restore from the status area's offer: afterwards the status area tells what was written
    and the pin group shows what the printer holds, the same a Refresh then reads."""
    status, pins = units_area(desk, STATUS_AREA), units_area(desk, PIN_GROUP)
    status_before, pins_before = desk.shot("1-status-before", status), desk.shot("1-pins-before", pins)
    desk.keys(desk.main, "alt+s")
    asked = desk.wait_for(CAPTION, 5)
    desk.shot("2-asked", asked)
    desk.keys(asked, "Return")
    told = desk.wait_for(CAPTION, READY_BOUND_S + 5, other_than=(asked,))
    desk.keys(told, "Return")  # the power-cycle box
    desk.wait_gone(told, 5)
    time.sleep(0.5)
    told_status = desk.shot("3-status-told", status)
    restored = desk.shot("3-pins-restored", pins)
    if restored == pins_before:
        raise Failure("the pin group still shows the out-of-range values after the restore")
    desk.keys(desk.main, "alt+e")  # Refresh
    time.sleep(1)
    if desk.shot("4-pins-refreshed", pins) != restored:
        raise Failure("a Refresh after the restore shows other values than the window did")
    # Once the notes are gone, the status area of a printer in range: without the offer, and
    # without what the restore told.
    time.sleep(OUTCOME_NOTE_S + 1)
    if told_status in (status_before, desk.shot("5-status-at-rest", status)):
        raise Failure("the status area told nothing of what the restore wrote")


SCENARIOS = {
    "head_replacement": (head_replacement, None),
    "pin_adjustment_busy": (pin_adjustment_busy, None),
    "pin_adjustment_keyboard": (pin_adjustment_keyboard, None),
    "pin_adjustment_set_twice": (pin_adjustment_set_twice, None),
    "cleaning_never_ready": (cleaning_never_ready, None),
    "cleaning_not_answering": (cleaning_not_answering, None),
    "cancel_not_answering": (cancel_not_answering, None),
    "replace_cancel_after_replug": (replace_cancel_after_replug, "platform/sim/examples/all-bands.zt40sim"),
    "restore_shows_written": (restore_shows_written, "platform/sim/examples/out-of-range.zt40sim"),
    "restore_out_of_range": (restore_out_of_range, "platform/sim/examples/out-of-range.zt40sim"),
}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("scenario", choices=sorted(SCENARIOS))
    parser.add_argument("--util", required=True)
    parser.add_argument("--xshot", required=True)
    parser.add_argument("--shots", required=True)
    parser.add_argument("--source-dir", default=str(pathlib.Path(__file__).resolve().parents[2]))
    args = parser.parse_args()
    walk, state = SCENARIOS[args.scenario]
    desk = None
    try:
        desk = Desktop(args, None if state is None else pathlib.Path(args.source_dir) / state)
        walk(desk)
    except (Failure, subprocess.SubprocessError) as failure:
        if desk is not None:
            try:
                desk.shot("failed")
            except (Failure, subprocess.SubprocessError, OSError):
                pass
        print(f"{args.scenario}: FAILED: {failure}", file=sys.stderr)
        return 1
    finally:
        if desk is not None:
            desk.close()
    print(f"{args.scenario}: passed; pictures in {args.shots}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
