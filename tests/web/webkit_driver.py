#!/usr/bin/python3
"""WebKit, the engine of Safari and of every browser on an iPhone or iPad,
as Debian's WebKitGTK has it: each page a WebView in a window of its own on
the X display of the environment, driven by webkit.js through one JSON
object a line on stdin, answered on stdout as {"id", "value"} or
{"id", "error"}:

    {"op": "open", "width", "height"}      a new page: {"page", "window"} (X id)
    {"op": "script", "page", "source"}     run at the start of every document
    {"op": "goto", "page", "url"}          answered once it has loaded
    {"op": "call", "page", "body"}         an async function's body; its value
    {"op": "resize", "page", "width", "height"}
    {"op": "close", "page"}

Input is not sent from here: webkit.js types and clicks on the window with
xdotool, as a user would. The sound plays as WebKit's own does, on the
PulseAudio server of the environment. As in Safari, the sound waits for a
user's gesture; WEBKIT_FULLSCREEN=0 takes element full screen away, as on
an iPhone.
"""
import json
import os
import sys

import gi

gi.require_version("Gtk", "3.0")
gi.require_version("GdkX11", "3.0")
gi.require_version("WebKit2", "4.1")
from gi.repository import GdkX11, GLib, Gtk, WebKit2  # noqa: E402,F401

pages = {}
loading = {}
opened = 0


def answer(ident, **fields):
    sys.stdout.write(json.dumps({"id": ident, **fields}) + "\n")
    sys.stdout.flush()


def open_page(ident, command):
    settings = WebKit2.Settings()
    settings.set_enable_fullscreen(os.environ.get("WEBKIT_FULLSCREEN", "1") == "1")
    settings.set_media_playback_requires_user_gesture(True)
    settings.set_hardware_acceleration_policy(WebKit2.HardwareAccelerationPolicy.NEVER)
    view = WebKit2.WebView(settings=settings, user_content_manager=WebKit2.UserContentManager())
    window = Gtk.Window()
    window.set_default_size(command["width"], command["height"])
    window.add(view)
    window.show_all()
    global opened
    opened += 1
    number = opened
    pages[number] = (window, view)
    view.connect("load-changed", lambda _view, event: loaded(number, event))
    view.connect("load-failed", lambda _view, _event, uri, error: failed(number, uri, error))
    answer(ident, value={"page": number, "window": window.get_window().get_xid()})


def loaded(number, event):
    if event == WebKit2.LoadEvent.FINISHED and number in loading:
        answer(loading.pop(number), value=None)


def failed(number, uri, error):
    if number in loading:
        answer(loading.pop(number), error=f"{uri}: {error.message}")
    return False


def call(ident, view, body):
    def done(source, result):
        try:
            value = source.call_async_javascript_function_finish(result)
            answer(ident, value=None if value.is_undefined() or value.is_null() else value.to_string())
        except GLib.Error as error:
            answer(ident, error=error.message)
    view.call_async_javascript_function(body, -1, None, None, None, None, done)


def take(line):
    command = json.loads(line)
    ident, op = command["id"], command["op"]
    if op == "open":
        return open_page(ident, command)
    window, view = pages[command["page"]]
    if op == "script":
        view.get_user_content_manager().add_script(WebKit2.UserScript(
            command["source"], WebKit2.UserContentInjectedFrames.TOP_FRAME,
            WebKit2.UserScriptInjectionTime.START, None, None))
        answer(ident, value=None)
    elif op == "goto":
        loading[command["page"]] = ident
        view.load_uri(command["url"])
    elif op == "call":
        call(ident, view, command["body"])
    elif op == "resize":
        window.resize(command["width"], command["height"])
        answer(ident, value=None)
    elif op == "close":
        del pages[command["page"]]
        window.destroy()
        answer(ident, value=None)


def read(stream, _condition):
    line = stream.readline()
    if not line:
        Gtk.main_quit()
        return False
    try:
        take(line)
    except Exception as error:  # the caller hears of any fault, and goes on
        answer(json.loads(line).get("id"), error=repr(error))
    return True


def probe():
    """With --probe: whether WebKit loads a page here at all (a root
    without what its sandbox needs, say), as the exit status."""
    view = WebKit2.WebView()
    window = Gtk.Window()
    window.add(view)
    window.show_all()
    outcome = {"loaded": False}

    def changed(_view, event):
        if event == WebKit2.LoadEvent.FINISHED:
            outcome["loaded"] = True
            Gtk.main_quit()
    view.connect("load-changed", changed)
    view.connect("web-process-terminated", lambda *_: Gtk.main_quit())
    GLib.timeout_add_seconds(30, Gtk.main_quit)
    view.load_html("<p>probe</p>", None)
    Gtk.main()
    sys.exit(0 if outcome["loaded"] else 1)


if sys.argv[1:] == ["--probe"]:
    probe()
GLib.io_add_watch(sys.stdin, GLib.IO_IN | GLib.IO_HUP, read)
Gtk.main()
