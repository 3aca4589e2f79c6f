#!/usr/bin/python3
"""What a screen reader finds in the running bench, read over AT-SPI.

Walks one student through the real program by the means a screen reader
has (the controls' names, roles, states, values and actions, never the
mouse): the intro, registration, the theory, the whole test (the right
answers looked up in the Aiken sources of the banks), the bench with one
measurement, and prints on each page every object a screen reader can
read, as it finds them.

Run by scripts/screen-reader.sh, inside a session bus with the AT-SPI
registry, beside the bench started with accessibility on.
usage: read-bench.py AIKEN_SOURCE...
"""

import sys
import time

import pyatspi

STATES = [
    (pyatspi.STATE_CHECKED, "отмечен"),
    (pyatspi.STATE_SELECTED, "выбран"),
    (pyatspi.STATE_FOCUSED, "фокус"),
    (pyatspi.STATE_PRESSED, "нажат"),
]


def wait(seconds=0.4):
    time.sleep(seconds)


def find_app(name="oplab", timeout=30):
    end = time.time() + timeout
    while time.time() < end:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name == name:
                return app
        wait(0.5)
    sys.exit("read-bench: no application %r on the AT-SPI bus" % name)


def showing(acc):
    try:
        return acc.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


def value_of(acc):
    try:
        return acc.queryValue().currentValue
    except NotImplementedError:
        return None


def describe(acc):
    words = [acc.getRoleName(), "«%s»" % acc.name]
    if acc.description:
        words.append("описание «%s»" % acc.description)
    value = value_of(acc)
    if value is not None:
        words.append("значение %g" % value)
    states = acc.getState()
    words += [word for state, word in STATES if states.contains(state)]
    if states.contains(pyatspi.STATE_CHECKABLE) and not states.contains(pyatspi.STATE_CHECKED):
        words.append("не отмечен")
    return " ".join(words)


def walk(acc, depth=0, out=None):
    """Every showing object under acc that says something."""
    if out is None:
        out = []
    for child in acc:
        if child is None or not showing(child):
            continue
        if child.name or child.getRoleName() in ("push button", "check box", "radio button",
                                                 "slider", "text", "page tab"):
            out.append("  " * depth + describe(child))
        walk(child, depth + 1, out)
    return out


def dump(title, acc):
    print("\n== %s" % title)
    for line in walk(acc):
        print(line)
    sys.stdout.flush()


def objects(acc, role=None, name=None):
    found = []
    for child in acc:
        if child is None or not showing(child):
            continue
        if (role is None or child.getRoleName() == role) and (name is None or child.name == name):
            found.append(child)
        found += objects(child, role, name)
    return found


def one(acc, role, name):
    found = objects(acc, role, name)
    if not found:
        sys.exit("read-bench: no %s %r on show" % (role, name))
    return found[0]


def act(acc, *names):
    action = acc.queryAction()
    for i in range(action.nActions):
        if action.getName(i) in names:
            action.doAction(i)
            wait()
            return
    sys.exit("read-bench: %r has none of the actions %s" % (acc.name, names))


def close_message(app):
    """The message box on show, read and closed with its OK button."""
    for _ in range(20):
        for window in app:
            if window is not None and window.getRoleName() in ("dialog", "alert") and showing(window):
                texts = [o.name for o in objects(window, "label") if o.name]
                print("\n== окно сообщения «%s»: %s" % (window.name, " / ".join(texts)))
                act(one(window, "push button", "OK"), "Press", "press")
                return texts
        wait(0.2)
    return []


def read_banks(paths):
    answers = {}
    for path in paths:
        question, options = None, {}
        for line in open(path, encoding="utf-8-sig"):
            line = line.strip()
            if not line:
                continue
            if line.startswith("ANSWER:"):
                answers[question] = options[line.split(":", 1)[1].strip()]
                question, options = None, {}
            elif len(line) > 2 and line[0] in "ABCD" and line[1] in ".)":
                options[line[0]] = line[2:].strip()
            else:
                question = line if question is None else question + " " + line
    return answers


def main():
    answers = read_banks(sys.argv[1:])
    app = find_app()
    frame = app[0]
    wait(1)

    dump("Введение", frame)
    act(one(frame, "push button", "Далее..."), "Press", "press")

    dump("Регистрация", frame)
    one(frame, "text", "Ф.И.О.").queryEditableText().setTextContents("Иванов И.И.")
    one(frame, "text", "Шифр").queryEditableText().setTextContents("42")
    act(one(frame, "push button", "Регистрация"), "Press", "press")

    dump("Краткие теоритические сведения", frame)
    act(one(frame, "push button", "Далее..."), "Press", "press")

    for q in range(1, 11):
        if q in (1, 10):
            dump("Тестирование, вопрос %d" % q, frame)
        texts = [o.name for o in objects(frame, "label")]
        right = next(answers[t] for t in texts if t in answers)
        box = one(frame, "radio button", right)
        if not box.getState().contains(pyatspi.STATE_CHECKED):
            act(box, "Toggle", "toggle")
        act(one(frame, "push button", "OK"), "Press", "press")
    close_message(app)

    dump("Стенд", frame)
    act(one(frame, "page tab", "Методические указания"), "Press", "press")
    dump("Стенд, методические указания", frame)
    act(one(frame, "page tab", "Выполнение лабораторной работы"), "Press", "press")

    # The offset voltage: the box ticked, the switches set, the power on,
    # the balance brought to 0, S6 turned to Uвх.
    act(one(frame, "check box", "Напряжение смещения"), "Toggle", "toggle")
    for n, on in enumerate("011111000", start=1):
        switch = one(frame, "check box", "S%d" % n)
        if switch.getState().contains(pyatspi.STATE_CHECKED) != (on == "1"):
            act(switch, "Toggle", "toggle")
    act(one(frame, "push button", "Питание"), "Press", "press")
    dump("Стенд, питание включено", frame)
    one(frame, "slider", "Баланс ОУ").queryValue().currentValue = 0
    wait()
    act(one(frame, "check box", "S6"), "Toggle", "toggle")
    close_message(app)
    dump("Стенд, напряжение смещения определено", frame)
    act(one(frame, "push button", "Выход"), "Press", "press")


if __name__ == "__main__":
    main()
