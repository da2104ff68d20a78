"""The sample data of the game's menu and story scenes: the title, the option
screen, the character and stage selection with its enemy files, and the story
and reward files of each stage, with their placeholder pictures and sounds.

Called by make_sample_data.py with its PNG, WAV and text writers.
"""

import os

TITLE_INI = """; The title: back picture, music, button sounds and the four menu buttons.
[Title]
BackFileName="Data/Title/back.png"
BackSrcRect_Left=0
BackSrcRect_Top=0
BackSrcRect_Right=800
BackSrcRect_Bottom=600
BGMFileName="Data/Title/title.wav"
SEOnCursor="Data/Sound/cursor.wav"
SEONClicked="Data/Sound/click.wav"
WaitTime=0

[Start]
{start}
[CG]
{cg}
[Option]
{option}
[End]
{end}"""


def rect(prefix, left, top, right, bottom):
    return ("{0}_Left={1}\n{0}_Top={2}\n{0}_Right={3}\n{0}_Bottom={4}\n"
            .format(prefix, left, top, right, bottom))


def option_ini():
    text = ("; The settings screen: back picture, button sounds and the thirteen buttons.\n"
            "[Option]\nBackFileName=\"Data/Option/back.png\"\n" + rect("BackSrcRect", 0, 0, 800, 600) +
            "SEOnCursor=\"Data/Sound/cursor.wav\"\nSEONClicked=\"Data/Sound/click.wav\"\nWaitTime=0\n")
    for row, name in enumerate(("BGM", "SE", "TextSpeed")):
        y = 100 + 60 * row
        text += "\n[{}_Text]\n".format(name) + rect("ClickRect", 100, y, 540, y + 40)
        text += "\n[{}_Up]\n".format(name) + rect("ClickRect", 560, y, 600, y + 40)
        text += "\n[{}_Down]\n".format(name) + rect("ClickRect", 620, y, 660, y + 40)
    text += "\n[KidokuSkip_Text]\n" + rect("ClickRect", 100, 280, 540, 320)
    text += "\n[KidokuSkip_On]\n" + rect("ClickRect", 560, 280, 640, 320)
    text += "\n[KidokuSkip_Off]\n" + rect("ClickRect", 660, 280, 740, 320)
    text += "\n[BackButton]\n" + rect("ClickRect", 650, 500, 750, 540)
    return text


# (character, character file, stages); each stage: (story files per round, reward file).
CHARACTERS = (
    ("Data/InGame/Chara/Aoria.ini", (("c0e0r0", "c0e0r1"), "c0e0g"), (("c0e1r0",), "c0e1g")),
    ("Data/InGame/Chara/Kestrin.ini", (("c1e0r0",), "c1e0g")),
)


def select_ini():
    text = ("; The selection of a character, then of one of its stages.\n"
            "[CG]\nBackFileName=\"Data/Select/back.png\"\n" + rect("BackSrcRect", 0, 0, 800, 600) +
            "CharaNum={}\n".format(len(CHARACTERS)) +
            "SEOnCursor=\"Data/Sound/cursor.wav\"\nSEONClicked=\"Data/Sound/click.wav\"\n"
            "PageChangeEffectTime=200\nWaitTime=0\n\n[BackButton]\n" + rect("ClickRect", 650, 500, 750, 540))
    for c, chara in enumerate(CHARACTERS):
        left = 100 + 300 * c
        text += ("\n[CharaSelect{0}]\nFileName=\"Data/Select/chara{0}.png\"\n".format(c) +
                 rect("SrcRect", 0, 0, 200, 300) + rect("ClickRect", left, 100, left + 200, 400) +
                 "CharaIni=\"{}\"\nEnemySelectIni=\"Data/Select/enemy_c{}.ini\"\n".format(chara[0], c))
    return text


def enemy_ini(stages):
    text = "; The stages of one character; every stage but the first opens through Stage<c>_<e>.\n"
    text += "[CG]\nEnemyNum={}\n".format(len(stages))
    for e, (rounds, reward) in enumerate(stages):
        left = 100 + 200 * e
        text += ("\n[EnemySelect{0}]\nFileName=\"Data/Select/enemy{0}.png\"\n"
                 "UnknownFileName=\"Data/Select/unknown.png\"\n".format(e) +
                 rect("SrcRect", 0, 0, 150, 150) + rect("ClickRect", left, 100, left + 150, 250) +
                 "RoundNum={}\n".format(len(rounds)))
        for r, story in enumerate(rounds):
            text += ("EnemyIni{0}=\"Data/InGame/Enemy/E0.ini\"\nRoundIni{0}=\"Data/InGame/Round/R0.ini\"\n"
                     "ADVIni{0}=\"Data/ADV/{1}.ini\"\n".format(r, story))
        text += "GohoubiIni=\"Data/ADV/{}.ini\"\n".format(reward)
    return text


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


def solid(colour):
    return lambda x, y: colour


def write_shell_data(folder, png, write_wav, write_text):
    for sub in ("Title", "Option", "Select", "ADV", "Sound"):
        os.makedirs(os.path.join(folder, sub), exist_ok=True)

    def picture(name, width, height, pixel):
        with open(os.path.join(folder, name), "wb") as out:
            out.write(png(width, height, pixel))

    write_text(os.path.join(folder, "Title", "Title.ini"), TITLE_INI.format(
        start=rect("ClickRect", 550, 300, 650, 340), cg=rect("ClickRect", 550, 350, 710, 390),
        option=rect("ClickRect", 550, 400, 750, 440), end=rect("ClickRect", 550, 450, 650, 490)))
    picture(os.path.join("Title", "back.png"), 800, 600, lambda x, y: (0x20, 0x18, 0x40 + y // 8))
    write_wav(os.path.join(folder, "Title", "title.wav"), 0.5, 330)
    write_wav(os.path.join(folder, "Sound", "cursor.wav"), 0.05, 1320)
    write_wav(os.path.join(folder, "Sound", "click.wav"), 0.08, 660)

    write_text(os.path.join(folder, "Option", "Option.ini"), option_ini())
    picture(os.path.join("Option", "back.png"), 800, 600, solid((0x18, 0x30, 0x28)))

    write_text(os.path.join(folder, "Select", "Select.ini"), select_ini())
    picture(os.path.join("Select", "back.png"), 800, 600, solid((0x30, 0x20, 0x20)))
    picture(os.path.join("Select", "chara0.png"), 200, 300, solid((0xC0, 0x60, 0x60)))
    picture(os.path.join("Select", "chara1.png"), 200, 300, solid((0x60, 0x60, 0xC0)))
    picture(os.path.join("Select", "enemy0.png"), 150, 150, solid((0xC0, 0xA0, 0x40)))
    picture(os.path.join("Select", "enemy1.png"), 150, 150, solid((0x40, 0xA0, 0xC0)))
    picture(os.path.join("Select", "unknown.png"), 150, 150, solid((0x50, 0x50, 0x50)))
    for c, chara in enumerate(CHARACTERS):
        write_text(os.path.join(folder, "Select", "enemy_c{}.ini".format(c)), enemy_ini(chara[1:]))
        for rounds, reward in chara[1:]:
            for story in rounds:
                write_text(os.path.join(folder, "ADV", story + ".ini"), story_ini("ADV", story))
            write_text(os.path.join(folder, "ADV", reward + ".ini"), story_ini("Gohoubi", reward))

    write_text(os.path.join(folder, "ADV", "Common.ini"), ADV_COMMON_INI)
    picture(os.path.join("ADV", "window.png"), 750, 150, solid((0x10, 0x10, 0x30)))
