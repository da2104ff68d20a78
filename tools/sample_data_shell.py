"""The sample data of the game's menu scenes: the common settings, the logo, the
title, the option screen and the character and stage selection with its enemy
files, with their pictures.

Called by make_sample_data.py as write_shell_data(folder, write_text).
"""

import math
import os

from PIL import Image

import sample_data_art as art

COMMON_INI = """; Settings shared by the whole game.
[Common]
AppTitle="Vesk"
TimeFadein=200
TimeFadeout=200
ColorFadeinR=255
ColorFadeinG=255
ColorFadeinB=255

; Text buttons that grow while the cursor is over them (percent), and the blink
; half-period of a pressed button (milliseconds). The lost battle's two buttons
; stand 40 pixels apart: grown by a tenth they keep clear of each other.
[UIButtonTextE1]
ScalingOnCH=110
IntervalBlink=100

[UIButtonTextE2]
ScalingOnCH=120
"""

LOGO_SIZE = (480, 200)

LOGO_INI = """; The first screen: the logo fades in, holds and fades out (milliseconds).
[Logo]
ImageFileName="Data/Logo/logo.png"
ImageSrcRect_Left=0
ImageSrcRect_Top=0
ImageSrcRect_Right={}
ImageSrcRect_Bottom={}
FadeinTime=300
HoldTime=300
FadeoutTime=300
SEFileName="Data/Logo/logo.wav"
""".format(*LOGO_SIZE)

TITLE_INI = """; The title: back picture, music, button sounds and the four menu buttons.
[Title]
BackFileName="Data/Title/back.png"
BackSrcRect_Left=0
BackSrcRect_Top=0
BackSrcRect_Right=800
BackSrcRect_Bottom=600
BGMFileName="Data/Sound/BGM/title.ogg"
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

GOLD = (0xF0, 0xC0, 0x40)


def rect(prefix, left, top, right, bottom):
    return ("{0}_Left={1}\n{0}_Top={2}\n{0}_Right={3}\n{0}_Bottom={4}\n"
            .format(prefix, left, top, right, bottom))


# The option screen's rows. Each label is drawn from its rectangle's top-left corner at size 40
# and its value ends about 520 pixels to the right, so the arrows stand right of that.
OPTION_ROWS = ("BGM", "SE", "TextSpeed")
OPTION_LABEL_X = 40
OPTION_TOP = 110
OPTION_STEP = 80
# The read-text skip row's pair あり / なし, and the back button 戻る.
KIDOKU_ON_X = 600
KIDOKU_OFF_X = 690
KIDOKU_WIDTH = 80
BACK_BUTTON = (650, 500, 750, 540)


def option_ini():
    text = ("; The settings screen: back picture, button sounds and the thirteen buttons.\n"
            "[Option]\nBackFileName=\"Data/Option/back.png\"\n" + rect("BackSrcRect", 0, 0, 800, 600) +
            "SEOnCursor=\"Data/Sound/cursor.wav\"\nSEONClicked=\"Data/Sound/click.wav\"\nWaitTime=0\n")
    for row, name in enumerate(OPTION_ROWS):
        y = OPTION_TOP + OPTION_STEP * row
        text += "\n[{}_Text]\n".format(name) + rect("ClickRect", OPTION_LABEL_X, y, 580, y + 40)
        text += "\n[{}_Up]\n".format(name) + rect("ClickRect", 620, y, 660, y + 40)
        text += "\n[{}_Down]\n".format(name) + rect("ClickRect", 690, y, 730, y + 40)
    y = OPTION_TOP + OPTION_STEP * 3
    text += "\n[KidokuSkip_Text]\n" + rect("ClickRect", OPTION_LABEL_X, y, 580, y + 40)
    text += "\n[KidokuSkip_On]\n" + rect("ClickRect", KIDOKU_ON_X, y, KIDOKU_ON_X + KIDOKU_WIDTH, y + 40)
    text += "\n[KidokuSkip_Off]\n" + rect("ClickRect", KIDOKU_OFF_X, y, KIDOKU_OFF_X + KIDOKU_WIDTH, y + 40)
    text += "\n[BackButton]\n" + rect("ClickRect", *BACK_BUTTON)
    return text


# Per character: the character INI and its stages (enemy INI, rounds as (round INI, story file), reward).
CHARACTERS = (
    ("Data/InGame/Chara/Aoria.ini", (
        ("E0", (("R0", "c0e0r0"), ("R1", "c0e0r1"), ("R2", "c0e0r2")), "c0e0g"),
        ("E1", (("R3", "c0e1r0"), ("R4", "c0e1r1")), "c0e1g"))),
    ("Data/InGame/Chara/Kestrin.ini", (
        ("E0", (("R0", "c1e0r0"), ("R1", "c1e0r1")), "c1e0g"),
        ("E1", (("R3", "c1e1r0"), ("R4", "c1e1r1")), "c1e1g"))),
)
ENEMY_NAMES = ("gard", "mistia")
CHARA_NAMES = ("aoria", "kestrin")


def select_ini():
    text = ("; The selection of a character, then of one of its stages.\n"
            "[CG]\nBackFileName=\"Data/Select/back.png\"\n" + rect("BackSrcRect", 0, 0, 800, 600) +
            "CharaNum={}\n".format(len(CHARACTERS)) +
            "SEOnCursor=\"Data/Sound/cursor.wav\"\nSEONClicked=\"Data/Sound/click.wav\"\n"
            "PageChangeEffectTime=300\nWaitTime=0\n\n[BackButton]\n" + rect("ClickRect", 650, 500, 750, 540))
    for c, (chara, _) in enumerate(CHARACTERS):
        left = 150 + 300 * c
        text += ("\n[CharaSelect{0}]\nFileName=\"Data/Select/chara{0}.png\"\n".format(c) +
                 rect("SrcRect", 0, 0, 200, 300) + rect("ClickRect", left, 130, left + 200, 430) +
                 "CharaIni=\"{}\"\nEnemySelectIni=\"Data/Select/enemy_c{}.ini\"\n".format(chara, c))
    return text


def enemy_ini(stages):
    text = "; The stages of one character; every stage but the first opens through Stage<c>_<e>.\n"
    text += "[CG]\nEnemyNum={}\n".format(len(stages))
    for e, (enemy, rounds, reward) in enumerate(stages):
        left = 170 + 280 * e
        text += ("\n[EnemySelect{0}]\nFileName=\"Data/Select/enemy{0}.png\"\n"
                 "UnknownFileName=\"Data/Select/unknown.png\"\n".format(e) +
                 rect("SrcRect", 0, 0, 180, 240) + rect("ClickRect", left, 160, left + 180, 400) +
                 "RoundNum={}\n".format(len(rounds)))
        for r, (round_name, story) in enumerate(rounds):
            text += ("EnemyIni{0}=\"Data/InGame/Enemy/{1}.ini\"\nRoundIni{0}=\"Data/InGame/Round/{2}.ini\"\n"
                     "ADVIni{0}=\"Data/ADV/{3}.ini\"\n".format(r, enemy, round_name, story))
        text += "GohoubiIni=\"Data/ADV/{}.ini\"\n".format(reward)
    return text


# ---- pictures ----------------------------------------------------------------------------------

def logo():
    """The studio plate: the game's name over a gold rule; the centre of the plate is gold."""
    width, height = LOGO_SIZE
    image, draw = art.canvas(width, height, (0x14, 0x1C, 0x48, 255))
    s = art.SUPER
    draw.rounded_rectangle([4 * s, 4 * s, (width - 4) * s, (height - 4) * s], 16 * s, outline=(0xE0, 0xE0, 0xF0, 255),
                           width=3 * s)
    draw.text((width / 2 * s, 58 * s), "Vesk", font=art.font(84 * s, art.SERIF_LATIN), fill=(0xF4, 0xF4, 0xFF, 255),
              anchor="mm")
    draw.text((width / 2 * s, 150 * s), "マインスイーパー・バトル", font=art.font(26 * s),
              fill=(0xC8, 0xD0, 0xF0, 255), anchor="mm")
    picture = art.finish(image, "RGB")
    # The rule and its diamond are drawn at full size so their colour is exact.
    from PIL import ImageDraw
    d = ImageDraw.Draw(picture)
    d.rectangle([60, height // 2 - 4, width - 60, height // 2 + 4], fill=GOLD)
    d.polygon([(width // 2 - 14, height // 2), (width // 2, height // 2 - 12), (width // 2 + 14, height // 2),
               (width // 2, height // 2 + 12)], fill=GOLD)
    return picture


def board_motif(draw, x0, y0, cells, size, s, colours):
    """A little minesweeper board drawn as decoration."""
    for i in range(cells):
        for j in range(cells):
            closed = (i * 7 + j * 3) % 5 < 2
            c = colours[0] if closed else colours[1]
            draw.rounded_rectangle([(x0 + i * size) * s, (y0 + j * size) * s, (x0 + (i + 1) * size - 2) * s,
                                    (y0 + (j + 1) * size - 2) * s], 3 * s, fill=c + (200,))


def title_back():
    image = art.vertical_gradient(800, 600, [(0, (0x18, 0x20, 0x58)), (0.55, (0x50, 0x60, 0xB0)),
                                             (0.75, (0xE8, 0xA8, 0x90)), (1, (0x30, 0x28, 0x48))]).convert("RGBA")
    layer, draw = art.canvas(800, 600)
    s = art.SUPER
    for i in range(80):
        x, y = (i * 211) % 800, (i * 97) % 300
        r = 1 + i % 2
        draw.ellipse([x * s, y * s, (x + r) * s, (y + r) * s], fill=(255, 255, 240, 220))
    # A castle on the hills.
    hill = [(0, 600 * s)] + [(x * s, (470 + 28 * math.sin(x / 110.0)) * s) for x in range(0, 801, 20)] + [(800 * s, 600 * s)]
    draw.polygon(hill, fill=(0x20, 0x20, 0x38, 255))
    for tx, th in ((120, 150), (170, 200), (230, 130)):
        draw.rectangle([(tx - 18) * s, (470 - th) * s, (tx + 18) * s, 480 * s], fill=(0x28, 0x28, 0x44, 255))
        draw.polygon([((tx - 24) * s, (470 - th) * s), (tx * s, (430 - th) * s), ((tx + 24) * s, (470 - th) * s)],
                     fill=(0x40, 0x30, 0x60, 255))
        draw.rectangle([(tx - 4) * s, (490 - th) * s, (tx + 4) * s, (505 - th) * s], fill=(0xF8, 0xD8, 0x70, 255))
    board_motif(draw, 560, 40, 6, 30, s, [(0x4A, 0x78, 0xC0), (0xF2, 0xEE, 0xDC)])
    # The game's name.
    name_font = art.font(132 * s, art.SERIF_LATIN)
    draw.text((60 * s, 140 * s), "Vesk", font=name_font, fill=(0xFF, 0xF4, 0xD0, 255), anchor="ls",
              stroke_width=5 * s, stroke_fill=(0x30, 0x20, 0x10, 255))
    draw.text((66 * s, 190 * s), "地雷と物語のパズルバトル", font=art.font(30 * s), fill=(0xFF, 0xFF, 0xFF, 255),
              stroke_width=2 * s, stroke_fill=(0x20, 0x20, 0x40, 255))
    # The menu's panel (the buttons write their own captions on it).
    draw.rounded_rectangle([530 * s, 285 * s, 780 * s, 505 * s], 16 * s, fill=(0x10, 0x10, 0x30, 170),
                           outline=(0xE0, 0xB0, 0x30, 255), width=2 * s)
    image.alpha_composite(art.finish(layer))
    image.alpha_composite(art.person_picture("aoria", "smile", 260, 300, zoom=0.95), (250, 190))
    image.alpha_composite(art.person_picture("kestrin", "normal", 240, 280, zoom=0.95), (40, 240))
    return image.convert("RGB")


# The option screen's buttons are grey (0x808080, the current one of a pair dark grey, 0x404040).
# Labels, arrows and 戻る stand on opaque dark plates, where the grey reads at better than
# 4.5:1; the pair あり / なし on a light plate, where the dark current setting reads at
# better than 5.7:1 and stands out from the grey other one. The plates leave room for a
# caption grown under the cursor.
OPTION_DARK_PLATE = (0x06, 0x0C, 0x10)
OPTION_LIGHT_PLATE = (0xD6, 0xD6, 0xCE)


def option_back():
    image = art.vertical_gradient(800, 600, [(0, (0x18, 0x38, 0x40)), (1, (0x08, 0x18, 0x20))]).convert("RGBA")
    layer, draw = art.canvas(800, 600)
    s = art.SUPER
    draw.text((40 * s, 30 * s), "オプション", font=art.font(40 * s), fill=(0xFF, 0xFF, 0xFF, 255))
    draw.line([(40 * s, 84 * s), (760 * s, 84 * s)], fill=(0xE0, 0xB0, 0x30, 255), width=2 * s)

    def plate(left, top, right, bottom, fill):
        draw.rounded_rectangle([left * s, top * s, right * s, bottom * s], 10 * s, fill=fill + (255,),
                               outline=(0x50, 0x90, 0x98, 255), width=s)

    for row in range(4):
        y = OPTION_TOP + OPTION_STEP * row
        if row < 3:
            plate(24, y - 12, 776, y + 52, OPTION_DARK_PLATE)
            continue
        plate(24, y - 12, KIDOKU_ON_X - 14, y + 52, OPTION_DARK_PLATE)
        plate(KIDOKU_ON_X - 10, y - 12, KIDOKU_OFF_X + KIDOKU_WIDTH + 10, y + 52, OPTION_LIGHT_PLATE)
    left, top, right, bottom = BACK_BUTTON
    plate(left - 14, top - 10, right + 14, bottom + 10, OPTION_DARK_PLATE)
    image.alpha_composite(art.finish(layer))
    return image.convert("RGB")


def select_back():
    image = art.vertical_gradient(800, 600, [(0, (0x40, 0x20, 0x30)), (1, (0x18, 0x10, 0x28))]).convert("RGBA")
    layer, draw = art.canvas(800, 600)
    s = art.SUPER
    for i in range(0, 800, 40):
        draw.line([(i * s, 0), ((i - 300) * s, 600 * s)], fill=(0x60, 0x30, 0x50, 90), width=8 * s)
    draw.text((40 * s, 30 * s), "キャラクター・ステージ選択", font=art.font(36 * s), fill=(0xFF, 0xF0, 0xE0, 255))
    draw.line([(40 * s, 80 * s), (760 * s, 80 * s)], fill=(0xE0, 0xB0, 0x30, 255), width=2 * s)
    image.alpha_composite(art.finish(layer))
    return image.convert("RGB")


def portrait(who, name, size, face="normal"):
    """A framed select portrait with the name at the bottom."""
    width, height = size
    p = art.PEOPLE[who]
    frame, draw = art.canvas(width, height)
    s = art.SUPER
    draw.rounded_rectangle([2 * s, 2 * s, (width - 2) * s, (height - 2) * s], 12 * s,
                           fill=art.light(p["cloth2"], 0.55) + (255,), outline=p["trim"] + (255,), width=4 * s)
    image = art.finish(frame)
    image.alpha_composite(art.person_picture(who, face, width - 12, height - 40, zoom=0.95), (6, 4))
    plate, draw = art.canvas(width, 40)
    draw.rectangle([0, 0, width * s, 40 * s], fill=art.dark(p["cloth2"], 0.7) + (230,))
    draw.text((width / 2 * s, 20 * s), name, font=art.font(22 * s), fill=(255, 255, 255, 255), anchor="mm")
    image.alpha_composite(art.finish(plate), (0, height - 42))
    return image


def unknown(size):
    width, height = size
    image, draw = art.canvas(width, height)
    s = art.SUPER
    draw.rounded_rectangle([2 * s, 2 * s, (width - 2) * s, (height - 2) * s], 12 * s, fill=(0x38, 0x38, 0x44, 255),
                           outline=(0x80, 0x80, 0x90, 255), width=4 * s)
    cx, cy = width / 2 * s, height / 2 * s
    draw.arc([cx - 30 * s, cy - 70 * s, cx + 30 * s, cy - 10 * s], 180, 360, fill=(0xB0, 0xB0, 0xC0, 255), width=10 * s)
    draw.rounded_rectangle([cx - 45 * s, cy - 40 * s, cx + 45 * s, cy + 40 * s], 8 * s, fill=(0xC8, 0xA0, 0x30, 255))
    draw.ellipse([cx - 9 * s, cy - 16 * s, cx + 9 * s, cy + 2 * s], fill=(0x30, 0x20, 0x10, 255))
    draw.rectangle([cx - 4 * s, cy, cx + 4 * s, cy + 22 * s], fill=(0x30, 0x20, 0x10, 255))
    draw.text((cx, cy + 75 * s), "？？？", font=art.font(26 * s), fill=(0xD0, 0xD0, 0xE0, 255), anchor="mm")
    return art.finish(image)


def write_shell_data(folder, write_text):
    def path(*parts):
        full = os.path.join(folder, *parts)
        os.makedirs(os.path.dirname(full), exist_ok=True)
        return full

    write_text(path("Common.ini"), COMMON_INI)
    write_text(path("Logo", "Logo.ini"), LOGO_INI)
    art.save(logo(), path("Logo", "logo.png"))

    write_text(path("Title", "Title.ini"), TITLE_INI.format(
        start=rect("ClickRect", 560, 300, 700, 340), cg=rect("ClickRect", 560, 350, 760, 390),
        option=rect("ClickRect", 560, 400, 760, 440), end=rect("ClickRect", 560, 450, 700, 490)))
    art.save(title_back(), path("Title", "back.png"))

    write_text(path("Option", "Option.ini"), option_ini())
    art.save(option_back(), path("Option", "back.png"))

    write_text(path("Select", "Select.ini"), select_ini())
    art.save(select_back(), path("Select", "back.png"))
    for c, name in enumerate(("アオリア", "ケストリン")):
        art.save(portrait(CHARA_NAMES[c], name, (200, 300), "smile"), path("Select", "chara{}.png".format(c)))
    for e, name in enumerate(("ガルド", "ミスティア")):
        art.save(portrait(ENEMY_NAMES[e], name, (180, 240), "angry"), path("Select", "enemy{}.png".format(e)))
    art.save(unknown((180, 240)), path("Select", "unknown.png"))
    for c, (_, stages) in enumerate(CHARACTERS):
        write_text(path("Select", "enemy_c{}.ini".format(c)), enemy_ini(stages))
