"""Prints what a screen reader hears over AT-SPI: each object that shows itself and each
accessible name that changes, one line each, "shown|<role>|<name>" or "named|<role>|<name>".
The first line, "ready", says that it listens."""

import pyatspi


def on_event(event):
    showing = event.type.startswith("object:state-changed:showing")
    if showing and event.detail1 != 1:
        return
    try:
        source = event.source
        line = "%s|%s|%s" % ("shown" if showing else "named", source.getRoleName(), source.name)
    except Exception:  # the object went away before it could be asked
        return
    print(line, flush=True)


pyatspi.Registry.registerEventListener(
    on_event, "object:property-change:accessible-name", "object:state-changed:showing")
print("ready", flush=True)
pyatspi.Registry.start()
