# Every control that takes the focus in the main window, the macro editor and the key
# combination dialog has a name that is neither empty nor a control id; every slider has a
# value text in the user's units; a Toggle on the "125 Hz" option sends the rate, as a click.
import os, re, subprocess, sys, time
import pyatspi

problems = []
def wait_for(find, what):
    for _ in range(200):
        found = find()
        if found: return found
        time.sleep(0.1)
    sys.exit(f"FAIL: {what} never appeared")
def app():
    return next((a for a in pyatspi.Registry.getDesktop(0) if a and a.name == "nimba-mouse"), None)
def window(name):
    return next((w for w in app() or [] if w.name == name), None)
def walk(node):
    yield node
    for child in node: yield from walk(child)
def control(win, name):
    return next((c for c in walk(win) if c.name == name and c.getRole() != pyatspi.ROLE_LABEL), None)
def act(node, action):
    a = node.queryAction()
    a.doAction(next(i for i in range(a.nActions) if a.getName(i) == action))
def check(win):
    for c in walk(win):
        state = c.getState()
        if not (state.contains(pyatspi.STATE_FOCUSABLE) and state.contains(pyatspi.STATE_SHOWING)): continue
        if not c.name or re.fullmatch(r"\w+_\w+", c.name):
            problems.append(f"{win.name}: a {c.getRoleName()} named {c.name!r}")
        if c.getRole() == pyatspi.ROLE_SLIDER and not re.fullmatch(r"(\D+ )?\d[\d.]* \D+|\D+ \d+", c.description):
            problems.append(f"{win.name}: slider {c.name!r} reads {c.description!r}")

main = wait_for(lambda: window("NIMBA R380X"), "the main window")
check(main)
stage = control(main, "DPI stage 1")
if stage is None or f"{stage.queryValue().currentValue:.0f} DPI" != stage.description:
    problems.append("the DPI stage 1 slider does not read its value in DPI")
act(wait_for(lambda: control(main, "125 Hz"), "the 125 Hz option"), "Toggle")
time.sleep(0.5)
rates = [c.name for c in walk(main) if c.getRole() == pyatspi.ROLE_RADIO_BUTTON
         and "Hz" in c.name and c.getState().contains(pyatspi.STATE_CHECKED)]
if rates != ["125 Hz"]: problems.append(f"after a Toggle on 125 Hz the checked rates are {rates}")
if next(c for c in walk(main) if c.name == "Current rate").parent[1].name != "125 Hz": problems.append("Current rate was not updated")
sim = os.path.join(os.environ["WORK"], "demo", "nimba-mouse-sim")
# The rate goes out with the apply that follows the start-up one.
wait_for(lambda: "125 Hz" in subprocess.run([sim, "state"], capture_output=True, text=True).stdout,
         "the 125 Hz rate on the mouse")

act(control(main, "Macros..."), "Press")
editor = wait_for(lambda: window("Macro editor"), "the macro editor")
check(editor)
act(control(editor, "Close"), "Press")
act(control(main, "Button 4: DPI cycle"), "Press")
item = wait_for(lambda: next((c for w in app() for c in walk(w) if c.name == "Key combination..."), None), "the function menu")
act(item, "Press")
check(wait_for(lambda: window("Key combination"), "the key combination dialog"))
act(control(window("Key combination"), "Cancel"), "Press")
print("\n".join(problems) or "every control has a name")
sys.exit(1 if problems else 0)
