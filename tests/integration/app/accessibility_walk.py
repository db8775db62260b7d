# Focusable controls of the main window, macro editor and key combination dialog have names, not
# ids; sliders read in user units; a Toggle on "125 Hz" selects it alone and sends it, as a click.
import os, re, subprocess, sys, time, pyatspi

problems = []
def wait_for(find, what):
    for _ in range(200):
        if found := find(): return found
        time.sleep(0.1)
    sys.exit(f"FAIL: {what} never appeared")
walk = lambda node: [node] + [d for child in node for d in walk(child)]
def find(root, name):
    return next((c for c in walk(root) if c.name == name and c.getRole() != pyatspi.ROLE_LABEL), None)
def window(name):
    app = next((a for a in pyatspi.Registry.getDesktop(0) if a and a.name == "nimba-mouse"), [])
    return next((w for w in app if w.name == name), None)
act = lambda node, action: node.queryAction().doAction(
    next(i for i in range(node.queryAction().nActions) if node.queryAction().getName(i) == action))
def check(win):
    for c in walk(win):
        if not all(map(c.getState().contains, (pyatspi.STATE_FOCUSABLE, pyatspi.STATE_SHOWING))): continue
        if not c.name or re.fullmatch(r"\w+_\w+", c.name):
            problems.append(f"{win.name}: a {c.getRoleName()} named {c.name!r}")
        if c.getRole() == pyatspi.ROLE_SLIDER and not re.fullmatch(r"(\D+ )?[\d.]+ \D+|\D+ \d+", c.description):
            problems.append(f"{win.name}: slider {c.name!r} reads {c.description!r}")
    return win

main = wait_for(lambda: window("NIMBA R380X"), "the main window")
for section in ("Lighting", "Pointer", "Button debounce", "Ripple control", "Angle snapping"):
    act(find(main, section), "Toggle")  # open the sections that start closed
time.sleep(0.5)
check(main)
stage = find(main, "DPI stage 1")
if f"{stage.queryValue().currentValue:.0f} DPI" != stage.description: problems.append("stage 1 is not read in DPI")
act(find(main, "125 Hz"), "Toggle")
time.sleep(0.5)
rates = [c.name for c in walk(main) if c.getRole() == pyatspi.ROLE_RADIO_BUTTON and "Hz" in c.name
         and c.getState().contains(pyatspi.STATE_CHECKED)]
if rates != ["125 Hz"]: problems.append(f"after a Toggle on 125 Hz the checked rates are {rates}")
if next(c for c in walk(main) if c.name == "Current rate").parent[1].name != "125 Hz": problems.append("Current rate still old")
sim = [os.path.join(os.environ["WORK"], "demo", "nimba-mouse-sim"), "state"]
# The rate goes out with the apply that follows the start-up one.
wait_for(lambda: "125 Hz" in subprocess.run(sim, capture_output=True, text=True).stdout, "125 Hz on the mouse")
act(find(main, "Macros..."), "Press")
act(find(check(wait_for(lambda: window("Macro editor"), "the macro editor")), "Close"), "Press")
act(find(main, "Button 4: DPI cycle"), "Press")
act(wait_for(lambda: find(window("Button functions"), "Key combination..."), "the function menu"), "Press")
act(find(check(wait_for(lambda: window("Key combination"), "the key combination dialog")), "Cancel"), "Press")
print("\n".join(problems) or "every control has a name")
sys.exit(1 if problems else 0)
