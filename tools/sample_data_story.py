"""The story part of the sample data: the story and reward files of every stage,
the story screen's buttons and its text window.

This version writes the files with a plain text window; each file starts the
script at the label of its own name where the script defines one, else at the
nearest section of the same character that it does define.
"""

import os

from PIL import Image, ImageDraw

ROUND_FILES = ("c0e0r0", "c0e0r1", "c0e0r2", "c0e1r0", "c0e1r1", "c1e0r0", "c1e0r1", "c1e1r0", "c1e1r1")
REWARD_FILES = ("c0e0g", "c0e1g", "c1e0g", "c1e1g")
# Sections the script does not define yet, and the one each starts at meanwhile.
STAND_INS = {"c0e0r2": "c0e0r1", "c0e1r1": "c0e1r0", "c1e0r1": "c1e0r0", "c1e1r0": "c1e0r0",
             "c1e1r1": "c1e0r0", "c1e1g": "c1e0g"}


def rect(prefix, left, top, right, bottom):
    return ("{0}_Left={1}\n{0}_Top={2}\n{0}_Right={3}\n{0}_Bottom={4}\n"
            .format(prefix, left, top, right, bottom))


def story_ini(section, label):
    return ("; The text window and the script label of one story section.\n"
            "[{}]\nSetTextWindowShow=1\nSetTextWindow=1\nSetTextWindowFileName=\"Data/ADV/window.png\"\n"
            "SetTextWindowX=25\nSetTextWindowY=425\nSetTextWindowA=200\n".format(section) +
            rect("SetTextWindowSrcRect", 0, 0, 750, 150) + "StartLabel=\"@{}\"\n".format(label))


ADV_COMMON_INI = ("; The story screen's buttons and their sounds.\n" +
                  "[ButtonAuto]\n" + rect("ClickRect", 480, 395, 560, 420) +
                  "\n[ButtonSkip]\n" + rect("ClickRect", 570, 395, 660, 420) +
                  "\n[ButtonCallOption]\n" + rect("ClickRect", 670, 395, 790, 420) +
                  "\n[ButtonReturnTitle]\n" + rect("ClickRect", 620, 5, 790, 30) +
                  "\n[ButtonReturnTitleYes]\n" + rect("ClickRect", 260, 330, 340, 370) +
                  "\n[ButtonReturnTitleNo]\n" + rect("ClickRect", 440, 330, 560, 370) +
                  "\n[SE]\nSEOnCursor=\"Data/Sound/cursor.wav\"\nSEONClicked=\"Data/Sound/click.wav\"\n")


def write_text(path, text):
    with open(path, "wb") as out:
        out.write(text.encode("cp932"))


def write_story_data(folder):
    adv = os.path.join(folder, "ADV")
    os.makedirs(adv, exist_ok=True)
    for name in ROUND_FILES:
        write_text(os.path.join(adv, name + ".ini"), story_ini("ADV", STAND_INS.get(name, name)))
    for name in REWARD_FILES:
        write_text(os.path.join(adv, name + ".ini"), story_ini("Gohoubi", STAND_INS.get(name, name)))
    write_text(os.path.join(adv, "Common.ini"), ADV_COMMON_INI)
    window = Image.new("RGB", (750, 150), (0x10, 0x10, 0x30))
    draw = ImageDraw.Draw(window)
    draw.rectangle([2, 2, 747, 147], outline=(0xC0, 0xC8, 0xF0), width=2)
    window.save(os.path.join(adv, "window.png"), "PNG", optimize=True)
