#!/usr/bin/python3
# Reads the window as a screen reader does, through the desktop's accessibility bus (AT-SPI), and prints one line per
# control that the keyboard reaches: its role, then what a screen reader speaks for it (its name, or the name of the
# label it is labelled by where the name is the control's current value, as for a combo box), and, for a control that
# has a description (a field's problem), a last column "described: " and the description.
#
#     screen_reader_names.py APPLICATION_NAME SECONDS
#
# Exit status: 0 when the application was found and read, 1 when it did not appear on the bus in time.
import sys
import time

import pyatspi

application_name, seconds = sys.argv[1], float(sys.argv[2])
reached_by_keyboard = {pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_TEXT, pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_CHECK_BOX,
                       pyatspi.ROLE_ENTRY, pyatspi.ROLE_PASSWORD_TEXT}


def find_application():
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for index in range(desktop.childCount):
            application = desktop.getChildAtIndex(index)
            if application is not None and application.name == application_name:
                window = application.getChildAtIndex(0) if application.childCount else None
                if window is not None and window.childCount:
                    return application
        time.sleep(0.2)
    return None


def spoken(accessible):
    names = [accessible.name] if accessible.name else []
    for relation in accessible.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            for index in range(relation.getNTargets()):
                names.append(relation.getTarget(index).name)
    if accessible.description:
        names.append("described: " + accessible.description.replace("\n", " "))
    return names


def walk(accessible, found):
    state = accessible.getState()
    if not state.contains(pyatspi.STATE_SHOWING):
        return
    if accessible.getRole() in reached_by_keyboard and state.contains(pyatspi.STATE_FOCUSABLE):
        found.append((accessible.getRoleName(), spoken(accessible)))
    for index in range(accessible.childCount):
        child = accessible.getChildAtIndex(index)
        if child is not None:
            walk(child, found)


application = find_application()
if application is None:
    print(f"{application_name} did not appear on the accessibility bus within {seconds:.0f} s")
    sys.exit(1)
controls = []
walk(application, controls)
for role, names in controls:
    print(role + "\t" + "\t".join(names))
