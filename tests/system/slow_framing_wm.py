#!/usr/bin/python3
"""A window manager that frames a new window late, as a busy one may.

It maps a new window at once where the window asked its frame to be, still
without a frame (the program sees its window placed, with no frame around
it), and only a moment later puts the frame around it without moving it on
the screen, announces the frame extents and gives it the focus. Moves the
program asks for later are honoured by the window's gravity, as any manager
does. The frame is 1 pixel wide with a title bar of 20.

Usage: slow_framing_wm.py   (on $DISPLAY; runs until stopped)
"""

import time

from Xlib import X, Xatom, display
from Xlib.protocol import event as xevent

LEFT, RIGHT, TOP, BOTTOM = 1, 1, 20, 1
FRAMING_DELAY_SECONDS = 0.5
PGRAVITY = 1 << 9  # WM_NORMAL_HINTS flag: the window gives its gravity


def main():
    d = display.Display()
    root = d.screen().root

    def atom(name):
        return d.intern_atom(name)

    check = root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)
    check.change_property(atom("_NET_WM_NAME"), atom("UTF8_STRING"), 8, b"slow-framing")
    for w in (check, root):
        w.change_property(atom("_NET_SUPPORTING_WM_CHECK"), Xatom.WINDOW, 32, [check.id])
    root.change_property(atom("_NET_SUPPORTED"), Xatom.ATOM, 32, [atom("_NET_FRAME_EXTENTS")])
    root.change_attributes(event_mask=X.SubstructureRedirectMask | X.SubstructureNotifyMask)
    d.sync()
    frames = {}

    def static_gravity(w):
        hints = w.get_wm_normal_hints()
        return bool(hints and hints.flags & PGRAVITY and hints.win_gravity == X.StaticGravity)

    def tell_place(w, frame_x, frame_y, width, height):
        # ICCCM 4.1.5: a synthetic ConfigureNotify in root coordinates.
        w.send_event(xevent.ConfigureNotify(
            window=w, event=w, x=frame_x + LEFT, y=frame_y + TOP, width=width, height=height,
            border_width=0, above_sibling=X.NONE, override=False), event_mask=X.StructureNotifyMask)

    while True:
        e = d.next_event()
        if e.type == X.MapRequest and e.window.id not in frames:
            w = e.window
            g = w.get_geometry()
            frame_x, frame_y = g.x, g.y
            if static_gravity(w):
                frame_x, frame_y = frame_x - LEFT, frame_y - TOP
            # Shown at once where it will stand inside its frame, not yet framed.
            w.configure(x=frame_x + LEFT, y=frame_y + TOP)
            w.map()
            d.flush()
            time.sleep(FRAMING_DELAY_SECONDS)
            frame = root.create_window(
                frame_x, frame_y, g.width + LEFT + RIGHT, g.height + TOP + BOTTOM, 0,
                X.CopyFromParent, background_pixel=d.screen().white_pixel,
                event_mask=X.SubstructureRedirectMask | X.SubstructureNotifyMask)
            frames[w.id] = frame
            w.change_property(atom("_NET_FRAME_EXTENTS"), Xatom.CARDINAL, 32,
                              [LEFT, RIGHT, TOP, BOTTOM])
            w.reparent(frame, LEFT, TOP)
            frame.map()
            w.set_input_focus(X.RevertToPointerRoot, X.CurrentTime)
            d.flush()
        elif e.type == X.ConfigureRequest:
            w = e.window
            frame = frames.get(w.id)
            if frame is None:
                changes = {name: getattr(e, name) for bit, name in
                           ((X.CWX, "x"), (X.CWY, "y"), (X.CWWidth, "width"),
                            (X.CWHeight, "height")) if e.value_mask & bit}
                if changes:
                    w.configure(**changes)
                d.flush()
                continue
            fg = frame.get_geometry()
            cg = w.get_geometry()
            frame_x, frame_y, width, height = fg.x, fg.y, cg.width, cg.height
            shift_x, shift_y = (LEFT, TOP) if static_gravity(w) else (0, 0)
            if e.value_mask & X.CWX:
                frame_x = e.x - shift_x
            if e.value_mask & X.CWY:
                frame_y = e.y - shift_y
            if e.value_mask & X.CWWidth:
                width = e.width
            if e.value_mask & X.CWHeight:
                height = e.height
            frame.configure(x=frame_x, y=frame_y, width=width + LEFT + RIGHT,
                            height=height + TOP + BOTTOM)
            w.configure(x=LEFT, y=TOP, width=width, height=height)
            tell_place(w, frame_x, frame_y, width, height)
            d.flush()


if __name__ == "__main__":
    main()
