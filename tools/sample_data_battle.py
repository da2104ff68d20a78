"""The battle's part of the sample data set: the five round INIs, the two enemies,
the two characters, the seven fixed effect files with the Moffle and bomb
animations, and the pictures they name (chip sheets, HUD, faces, cut-ins).

Called by make_sample_data.py as write_battle_data(folder, write_text).
"""

import math
import os

from PIL import Image, ImageDraw

import sample_data_art as art

# One round: board, chips, events, pictures and music. The first stage of each
# character plays rounds R0-R2 (Kestrin R0-R1), the second stage R3-R4 with the
# night HUD. The chip pictures of a round are its own (round_chips).
ROUNDS = {
    "R0": dict(width=16, height=12, boards=2, mines=20, pow=3, bomb=3, score=3, x=208, y=150,
               hud="day", back="back_r0", bgm="battle",
               bombs=150, rate=300, on_chip=2, on_mine=100, on_pow=50, on_bomb=25, on_score=5000, sub_rate=50),
    "R1": dict(width=12, height=12, boards=3, mines=16, pow=4, bomb=2, score=4, x=256, y=140,
               hud="day", back="back_r1", bgm="battle",
               bombs=150, rate=300, on_chip=3, on_mine=120, on_pow=50, on_bomb=30, on_score=6000, sub_rate=50),
    "R2": dict(width=16, height=14, boards=3, mines=28, pow=3, bomb=4, score=5, x=208, y=124,
               hud="day", back="back_r2", bgm="battle2",
               bombs=150, rate=300, on_chip=2, on_mine=150, on_pow=60, on_bomb=25, on_score=8000, sub_rate=60),
    "R3": dict(width=14, height=12, boards=2, mines=24, pow=4, bomb=3, score=4, x=232, y=150,
               hud="night", back="back_r3", bgm="battle2",
               bombs=200, rate=400, on_chip=2, on_mine=150, on_pow=50, on_bomb=30, on_score=7000, sub_rate=70),
    "R4": dict(width=16, height=14, boards=3, mines=34, pow=4, bomb=4, score=6, x=208, y=124,
               hud="night", back="back_r4", bgm="battle2",
               bombs=200, rate=400, on_chip=2, on_mine=200, on_pow=60, on_bomb=35, on_score=10000, sub_rate=80),
}

CHIP = 24


def rect(prefix, left, top, right, bottom):
    return "{0}_Left={1}\n{0}_Top={2}\n{0}_Right={3}\n{0}_Bottom={4}\n".format(prefix, left, top, right, bottom)


def round_ini(name, r):
    image = "Data/InGame/Image/"
    text = "; Round {}: {} stacked board(s) of {} x {} cells of {} pixels.\n[Image]\n".format(
        name, r["boards"], r["width"], r["height"], CHIP)
    chips = round_chips(name, r)
    text += "ChipImageVariationNum={}\n".format(len(chips))
    for i, chip in enumerate(chips):
        text += "ChipImageFileName{}=\"{}{}.png\"\n".format(i, image, chip)
    text += "ChipWidth={0}\nChipHeight={0}\nChipBaseX={1}\nChipBaseY={2}\n".format(CHIP, r["x"], r["y"])
    text += "BackFileName=\"{}{}.png\"\n".format(image, r["back"]) + rect("BackSrcRect", 0, 0, 800, 600)
    hud = r["hud"]
    text += "EnemyLifeBarFileName=\"{}lifebar_{}.png\"\n".format(image, hud) + rect("EnemyLifeBarSrcRect", 0, 0, 800, 16)
    for kind, size in (("BombIcon", 40), ("AtkRateIcon", 30)):
        stem = "bomb" if kind == "BombIcon" else "rate"
        text += "{}FrontFileName=\"{}{}_front_{}.png\"\n".format(kind, image, stem, hud)
        text += "{}BackFileName=\"{}{}_back_{}.png\"\n".format(kind, image, stem, hud)
        text += rect(kind + "FrontSrcRect", 0, 0, size, size) + rect(kind + "BackSrcRect", 0, 0, size, size)
    text += ("\n[Stage]\nBoardsNum={boards}\nMineBoardWidth={width}\nMineBoardHeight={height}\nMineNum={mines}\n"
             "PowNum={pow}\nBombNum={bomb}\nScoreNum={score}\n\n[Event]\nMaxPlayerBomb={bombs}\n"
             "MaxPlayerAtkRate={rate}\nAddBombOnOpenChip={on_chip}\nAddLifeOnOpenMine={on_mine}\n"
             "AddAtkRateOnOpenPow={on_pow}\nAddBombOnOpenBomb={on_bomb}\nAddScoreOnOpenScore={on_score}\n"
             "SubAtkRateOnOpenMine={sub_rate}\n").format(**r)
    common = "Data/InGame/Sound/Common/"
    text += ("\n[SE]\nOnOpenMine=\"{0}mine.wav\"\nOnOpenChip=\"{0}chip.wav\"\nOnSetFlag=\"{0}flag.wav\"\n"
             "OnGameClear=\"{0}clear.wav\"\nOnGameOver=\"{0}over.wav\"\n").format(common)
    text += "\n[BGM]\nBGM=\"Data/InGame/Sound/BGM/{}.ogg\"\n".format(r["bgm"])
    text += "\n; The bar is drawn at (PositionX - filled / 2, PositionY); hits fly to y 64.\n"
    text += "[EnemyLifeBar]\nPositionX=800\nPositionY=56\n"
    slots = r["bombs"] // 50
    text += "\n[BombIconClickRect]\nNum={}\n".format(slots)
    for i in range(slots):
        left = 20 + 50 * i
        text += "Left{0}={1}\nTop{0}=540\nRight{0}={2}\nBottom{0}=580\n".format(i, left, left + 40)
    places = r["rate"] // 100
    text += "\n[AtkRateIconPosition]\nNum={}\n".format(places)
    for i in range(places):
        text += "X{0}={1}\nY{0}=550\n".format(i, 20 + 50 * slots + 10 + 40 * i)
    return text


def faces_section(sheet):
    text = "[Image]\n"
    for name in ("OnWin", "OnNormal", "OnCrisis", "OnLose"):
        text += "{}=\"{}\"\n".format(name, sheet)
    for i, name in enumerate(("OnWin", "OnNormal", "OnCrisis", "OnLose")):
        text += rect(name, 200 * i, 0, 200 * i + 200, 300)
    return text


# Enemies: life, regeneration (RejP every RejInterval ms) and the crisis at a quarter of the life.
ENEMIES = {
    "E0": dict(who="gard", life=600, max=1200, rej=2, interval=200, crisis_interval=100, crisis_moffles=1,
               moffles=1),
    "E1": dict(who="mistia", life=700, max=1400, rej=3, interval=150, crisis_interval=60, crisis_moffles=2,
               moffles=2),
}


def enemy_ini(e):
    return ("; The enemy {who}: its life climbs back by RejP every RejInterval milliseconds; at a quarter\n"
            "; of its life the crisis shows its cut-in and makes it heal faster.\n").format(**e) + \
        faces_section("Data/InGame/Image/{}_faces.png".format(e["who"])) + \
        ("\n[Moffle]\nMoffleNum={moffles}\nEffect=\"Data/Effect/Moffle/Moffle.ini\"\n\n[SE]\nOnAddMoffleNum=1\n"
         "OnAddMoffle0=\"Data/InGame/Sound/Common/moffle.wav\"\n\n[OnCrisis]\nIsEnable=1\n"
         "Cutin=\"Data/InGame/Image/{who}_cutin.png\"\nSE=\"Data/InGame/Sound/Common/crisis.wav\"\n"
         "RejInterval={crisis_interval}\nAddMoffleNum={crisis_moffles}\n\n[Enemy]\nLife={life}\nMaxLife={max}\n"
         "RejP={rej}\nRejInterval={interval}\n").format(**e)


CHARA_INI = """; A player character: faces, bomb, Moffles and starting values.
""" + faces_section("Data/InGame/Image/{name}_faces.png") + """
[Bomb]
Effect="Data/Effect/Bomb/Bomb.ini"
Cutin="Data/InGame/Image/{name}_cutin.png"
SE="Data/InGame/Sound/Common/bomb.wav"

[Moffle]
Effect="Data/Effect/Moffle/Moffle.ini"

[SE]
OnAddMoffleNum=1
OnAddMoffle0="Data/InGame/Sound/Common/moffle.wav"

[Player]
Bomb=0
NeedBombP=50
Atk=20
BombAtk=200
AtkRate=100
"""

EFFECT_SHEET = "Data/Effect/effects.png"

# The fixed effect files and the frames (source x of 32 x 32 cells) each shows.
EFFECT_FILES = [
    ("1/Effect2.ini", [0, 32, 64]),      # mine explosion at the cursor
    ("2/Effect3.ini", [96]),             # hit: start
    ("3/Effect4.ini", [128, 160]),       # hit: flight
    ("4/Effect5.ini", [192]),            # hit: arrival
    ("5/Effect6.ini", [224]),            # Pow reward
    ("6/Effect7.ini", [256]),            # Bomb reward
    ("7/Effect8.ini", [288]),            # Score reward
    ("Moffle/Moffle.ini", [320, 352]),
    ("Bomb/Bomb.ini", [0, 32, 64, 32, 0]),
]


def animation(frames):
    text = "[Animations]\nAnimationNum=%d\nBaseScaling=100\n" % len(frames)
    for i, x in enumerate(frames):
        text += ("[Animation%d]\nAnimationFileName=\"%s\"\nAnimationSrcRect_Left=%d\nAnimationSrcRect_Top=0\n"
                 "AnimationSrcRect_Right=%d\nAnimationSrcRect_Bottom=32\n" % (i, EFFECT_SHEET, x, x + 32))
    return text


# ---- chips -------------------------------------------------------------------------------------

# Closed tiles of the three board depths: steel blue on top, amber below, green at the bottom, so
# a cell opened on the top board shows the next board's colour at a glance.
TIERS = {"blue": (0x4A, 0x78, 0xC0), "amber": (0xD0, 0x8C, 0x28), "green": (0x3C, 0x9C, 0x5A)}


def round_chips(name, r):
    """The chip pictures a round names, one per board from the top: files that no other round
    names. The battle keeps the names of every round loaded since the program started and takes a
    round's boards from the first entry of the round's first name onward, so names of its own, as
    many as its boards, give every board its own depth's colour whatever was played before."""
    return ["chips_{}_{}".format(name.lower(), tier) for tier in list(TIERS)[:r["boards"]]]


OPENED = (0xF2, 0xEE, 0xDC)
# The colours of the neighbour counts 1 to 8.
COUNT_COLOURS = [(0x20, 0x40, 0xE0), (0x10, 0x80, 0x20), (0xE0, 0x20, 0x20), (0x20, 0x10, 0x90),
                 (0x90, 0x10, 0x10), (0x00, 0x88, 0x90), (0x20, 0x20, 0x20), (0x80, 0x40, 0xC0)]


def star(cx, cy, outer, inner, points=5, turn=-math.pi / 2):
    result = []
    for i in range(points * 2):
        r = outer if i % 2 == 0 else inner
        a = turn + i * math.pi / points
        result.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return result


def draw_mine(draw, cx, cy, r, s):
    for i in range(4):
        a = i * math.pi / 4
        dx, dy = math.cos(a) * r * 1.45, math.sin(a) * r * 1.45
        draw.line([(cx - dx, cy - dy), (cx + dx, cy + dy)], fill=(20, 20, 20, 255), width=2 * s)
    draw.ellipse([cx - r, cy - r, cx + r, cy + r], fill=(20, 20, 20, 255))
    draw.ellipse([cx - r * 0.55, cy - r * 0.55, cx - r * 0.1, cy - r * 0.1], fill=(230, 230, 230, 255))


def draw_bomb(draw, cx, cy, r, s):
    draw.line([(cx + r * 0.5, cy - r * 0.8), (cx + r * 1.0, cy - r * 1.3)], fill=(0x90, 0x60, 0x30, 255), width=2 * s)
    draw.polygon(star(cx + r * 1.05, cy - r * 1.35, r * 0.5, r * 0.2, 6), fill=(0xFF, 0xC0, 0x20, 255))
    draw.ellipse([cx - r, cy - r * 0.8, cx + r, cy + r * 1.2], fill=(0x28, 0x28, 0x30, 255),
                 outline=(0, 0, 0, 255), width=s)
    draw.ellipse([cx - r * 0.6, cy - r * 0.4, cx - r * 0.15, cy + r * 0.05], fill=(0x90, 0x90, 0xA0, 255))


def draw_tile(draw, x0, y0, size, colour, s, raised=True):
    """A bevelled closed tile, or a flat opened cell with a thin grid line."""
    x1, y1 = x0 + size - 1, y0 + size - 1
    if not raised:
        draw.rectangle([x0, y0, x1, y1], fill=colour + (255,))
        draw.rectangle([x0, y0, x1, y1], outline=(0xB8, 0xB0, 0x98, 255), width=s)
        return
    bevel = 3 * s
    draw.rectangle([x0, y0, x1, y1], fill=art.dark(colour, 0.55) + (255,))
    draw.polygon([(x0, y0), (x1, y0), (x1 - bevel, y0 + bevel), (x0 + bevel, y1 - bevel), (x0, y1)],
                 fill=art.light(colour, 0.45) + (255,))
    draw.rectangle([x0 + bevel, y0 + bevel, x1 - bevel, y1 - bevel], fill=colour + (255,))


def chip_sheet(tier):
    """16 frames of 24 x 24 stacked vertically, in two columns (active board, other boards).

    Frame 0 empty opened cell, 1-8 neighbour counts, 9 opened mine, 10 flag, 11 mark, 12 closed,
    13 Pow, 14 Bomb, 15 Score."""
    s = art.SUPER
    size = CHIP * s
    image, draw = art.canvas(2 * CHIP, 16 * CHIP)
    digits = art.font(19 * s, art.BOLD_LATIN)
    letters = art.font(12 * s, art.BOLD_LATIN)
    closed = TIERS[tier]
    for column in (0, 1):
        tile = closed if column == 0 else art.mix(closed, (0x50, 0x50, 0x58), 0.35)
        for frame in range(16):
            x0, y0 = column * size, frame * size
            cx, cy = x0 + size / 2, y0 + size / 2
            if frame <= 9:
                draw_tile(draw, x0, y0, size, (0xF0, 0x70, 0x60) if frame == 9 else OPENED, s, raised=False)
                if 1 <= frame <= 8:
                    ink = COUNT_COLOURS[frame - 1]
                    if column == 1:
                        ink = art.mix(ink, OPENED, 0.25)
                    draw.text((cx, cy + s), str(frame), font=digits, fill=ink + (255,), anchor="mm")
                elif frame == 9:
                    draw_mine(draw, cx, cy, 5.5 * s, s)
                continue
            draw_tile(draw, x0, y0, size, tile, s)
            if frame == 10:  # flag
                draw.line([(cx - 3 * s, cy - 7 * s), (cx - 3 * s, cy + 7 * s)], fill=(30, 30, 30, 255), width=2 * s)
                draw.polygon([(cx - 2 * s, cy - 7 * s), (cx + 7 * s, cy - 3 * s), (cx - 2 * s, cy + 1 * s)],
                             fill=(0xE8, 0x20, 0x20, 255), outline=(0x70, 0, 0, 255))
                draw.rectangle([cx - 7 * s, cy + 6 * s, cx + 3 * s, cy + 8 * s], fill=(30, 30, 30, 255))
            elif frame == 11:  # second mark
                draw.text((cx, cy + s), "?", font=digits, fill=(0xFF, 0xFF, 0xFF, 255), anchor="mm",
                          stroke_width=s, stroke_fill=(0x20, 0x20, 0x40, 255))
            elif frame == 13:  # Pow: a red star with P
                draw.polygon(star(cx, cy + s, 10 * s, 5 * s), fill=(0xF0, 0x40, 0x30, 255), outline=(0x60, 0, 0, 255))
                draw.text((cx, cy + 1.5 * s), "P", font=letters, fill=(255, 255, 255, 255), anchor="mm")
            elif frame == 14:  # Bomb
                draw_bomb(draw, cx - s, cy + s, 5.5 * s, s)
            elif frame == 15:  # Score: a gold coin with S
                draw.ellipse([cx - 8 * s, cy - 8 * s, cx + 8 * s, cy + 8 * s], fill=(0xF8, 0xC8, 0x30, 255),
                             outline=(0x90, 0x60, 0x00, 255), width=s)
                draw.text((cx, cy + s), "S", font=letters, fill=(0x90, 0x50, 0x00, 255), anchor="mm")
    return art.finish(image)


# ---- HUD and backgrounds -----------------------------------------------------------------------

SCENES = {
    "back_r0": dict(sky=[(0, (0x70, 0xB8, 0xF0)), (0.6, (0xC8, 0xE8, 0xFF)), (1, (0x78, 0xC0, 0x70))],
                    hills=(0x50, 0xA0, 0x58), frame=(0x30, 0x48, 0x80)),
    "back_r1": dict(sky=[(0, (0x40, 0x80, 0x60)), (0.6, (0x90, 0xC8, 0x90)), (1, (0x30, 0x68, 0x38))],
                    hills=(0x28, 0x60, 0x30), frame=(0x38, 0x50, 0x30)),
    "back_r2": dict(sky=[(0, (0xE0, 0x80, 0x50)), (0.55, (0xF8, 0xD0, 0x90)), (1, (0x90, 0x70, 0x50))],
                    hills=(0x70, 0x50, 0x48), frame=(0x60, 0x38, 0x28)),
    "back_r3": dict(sky=[(0, (0x10, 0x10, 0x38)), (0.6, (0x38, 0x28, 0x68)), (1, (0x20, 0x18, 0x30))],
                    hills=(0x28, 0x20, 0x48), frame=(0x58, 0x38, 0x90), stars=True),
    "back_r4": dict(sky=[(0, (0x20, 0x08, 0x30)), (0.6, (0x60, 0x20, 0x60)), (1, (0x18, 0x08, 0x20))],
                    hills=(0x30, 0x10, 0x38), frame=(0x80, 0x30, 0x90), stars=True),
}


def battle_back(name, r):
    scene = SCENES[name]
    image = art.vertical_gradient(800, 600, scene["sky"]).convert("RGBA")
    layer, draw = art.canvas(800, 600)
    s = art.SUPER
    if scene.get("stars"):
        for i in range(60):
            x, y = (i * 137) % 800, (i * 71) % 260
            draw.ellipse([x * s, y * s, (x + 2) * s, (y + 2) * s], fill=(255, 255, 230, 200))
        draw.ellipse([660 * s, 70 * s, 720 * s, 130 * s], fill=(0xF8, 0xF0, 0xC8, 255))
    hills = scene["hills"]
    for k, (h, f) in enumerate(((420, 0.9), (470, 1.0))):
        points = [(0, 600 * s)] + [(x * s, (h + 30 * math.sin(x / 90.0 + k * 2)) * s) for x in range(0, 801, 20)]
        draw.polygon(points + [(800 * s, 600 * s)], fill=art.dark(hills, f) + (255,))
    # The board's frame: an opened-cell floor under the boards (cells opened on every board show it).
    width, height = r["width"] * CHIP, r["height"] * CHIP
    x0, y0 = r["x"], r["y"]
    frame = scene["frame"]
    draw.rounded_rectangle([(x0 - 10) * s, (y0 - 10) * s, (x0 + width + 10) * s, (y0 + height + 10) * s], 8 * s,
                           fill=frame + (255,), outline=art.light(frame, 0.5) + (255,), width=2 * s)
    draw.rectangle([x0 * s, y0 * s, (x0 + width) * s - 1, (y0 + height) * s - 1], fill=art.dark(OPENED, 0.93) + (255,))
    for i in range(r["width"] + 1):
        draw.line([((x0 + i * CHIP) * s, y0 * s), ((x0 + i * CHIP) * s, (y0 + height) * s)],
                  fill=(0xC8, 0xC0, 0xA8, 255), width=s)
    for j in range(r["height"] + 1):
        draw.line([(x0 * s, (y0 + j * CHIP) * s), ((x0 + width) * s, (y0 + j * CHIP) * s)],
                  fill=(0xC8, 0xC0, 0xA8, 255), width=s)
    # The HUD strips: the enemy's life at the top, bombs, attack rate and scores at the bottom.
    draw.rectangle([0, 48 * s, 800 * s, 76 * s], fill=(0x10, 0x10, 0x20, 170))
    life_bar_marks(draw, s)
    draw.rounded_rectangle([8 * s, 528 * s, 792 * s, 594 * s], 10 * s, fill=(0x10, 0x10, 0x20, 190),
                           outline=art.light(frame, 0.4) + (255,), width=2 * s)
    label = art.font(13 * s, art.BOLD_LATIN)
    draw.text((500 * s, 540 * s), "HI-SCORE", font=label, fill=(0xF8, 0xD8, 0x60, 255))
    draw.text((500 * s, 570 * s), "SCORE", font=label, fill=(255, 255, 255, 255))
    draw.text((22 * s, 529 * s), "BOMB", font=art.font(10 * s, art.BOLD_LATIN), fill=(0xFF, 0xC0, 0x60, 255))
    rx = 20 + 50 * (r["bombs"] // 50) + 10
    draw.text((rx * s, 535 * s), "ATK", font=art.font(10 * s, art.BOLD_LATIN), fill=(0xFF, 0x90, 0x70, 255))
    image.alpha_composite(art.finish(layer))
    return image.convert("RGB")


# The enemy's life bar grows from the right edge (x 800) to the left by half its
# filled length; full life puts its left end on the screen's centre, and the round
# is lost. The back picture marks the bar's reach with a groove, the quarters of
# it with ticks, and the point of loss with a red line.
LIFE_BAR_Y = (56, 72)
LOSS_X = 400


def life_bar_marks(draw, s):
    top, bottom = LIFE_BAR_Y
    draw.rectangle([LOSS_X * s, (top - 3) * s, 800 * s, (bottom + 3) * s], fill=(0x04, 0x04, 0x0C, 235),
                   outline=(0x90, 0x90, 0xA8, 255), width=s)
    for quarter in (1, 2, 3):
        x = LOSS_X + quarter * (800 - LOSS_X) // 4
        draw.line([(x * s, (bottom + 3) * s), (x * s, (bottom + 7) * s)], fill=(0xC0, 0xC0, 0xD0, 255), width=s)
    draw.rectangle([(LOSS_X - 2) * s, (top - 9) * s, (LOSS_X + 1) * s, (bottom + 9) * s], fill=(0xFF, 0x30, 0x30, 255))
    draw.polygon([((LOSS_X - 3) * s, (top - 9) * s), ((LOSS_X - 12) * s, (top - 15) * s),
                  ((LOSS_X - 12) * s, (top - 3) * s)], fill=(0xFF, 0x30, 0x30, 255))
    # The labels stand above the strip, where the Moffles do not walk.
    label = art.font(12 * s, art.BOLD_LATIN)
    draw.text(((LOSS_X - 15) * s, (top - 9) * s), "LOSE", font=label, anchor="rb", fill=(0xFF, 0x60, 0x50, 255),
              stroke_width=s, stroke_fill=(0, 0, 0, 255))
    draw.text((796 * s, (top - 5) * s), "ENEMY", font=label, anchor="rb", fill=(255, 255, 255, 255),
              stroke_width=s, stroke_fill=(0, 0, 0, 255))


def lifebar(hud):
    a, b = ((0xF0, 0x40, 0x30), (0xF8, 0xB0, 0x40)) if hud == "day" else ((0x90, 0x30, 0xE0), (0xF0, 0x80, 0xF0))
    image = Image.new("RGB", (800, 16))
    draw = ImageDraw.Draw(image)
    for x in range(800):
        c = art.mix(a, b, x / 799)
        draw.line([(x, 0), (x, 15)], fill=c)
        draw.point((x, 3), fill=art.light(c, 0.6))
        draw.point((x, 4), fill=art.light(c, 0.4))
    draw.line([(0, 0), (799, 0)], fill=(0x20, 0x10, 0x10))
    draw.line([(0, 15), (799, 15)], fill=(0x20, 0x10, 0x10))
    for x in range(0, 800, 40):
        draw.line([(x, 1), (x, 14)], fill=art.dark(a, 0.7))
    # The leading (left) end, which moves toward the point of loss.
    draw.rectangle([(0, 0), (2, 15)], fill=(0xFF, 0xFF, 0xF0))
    return image


def bomb_icon(hud, front):
    image, draw = art.canvas(40, 40)
    s = art.SUPER
    ring = (0xF0, 0xA0, 0x30) if hud == "day" else (0xC0, 0x70, 0xF0)
    if front:
        draw.ellipse([2 * s, 2 * s, 38 * s, 38 * s], fill=art.dark(ring, 0.5) + (255,))
        draw_bomb(draw, 19 * s, 22 * s, 10 * s, s)
    else:
        draw.ellipse([2 * s, 2 * s, 38 * s, 38 * s], fill=(0x30, 0x30, 0x40, 255), outline=ring + (255,), width=2 * s)
    return art.finish(image)


def rate_icon(hud, front):
    image, draw = art.canvas(30, 30)
    s = art.SUPER
    colour = (0xF0, 0x60, 0x20) if hud == "day" else (0xE0, 0x40, 0xA0)
    diamond = [(15 * s, 1 * s), (29 * s, 15 * s), (15 * s, 29 * s), (1 * s, 15 * s)]
    if front:
        draw.polygon(diamond, fill=colour + (255,), outline=(0x40, 0x10, 0x00, 255))
        draw.polygon(star(15 * s, 16 * s, 9 * s, 4 * s), fill=(0xFF, 0xF0, 0x90, 255))
    else:
        draw.polygon(diamond, fill=(0x38, 0x38, 0x48, 255), outline=(0x80, 0x80, 0x90, 255))
    return art.finish(image)


def faces_sheet(who):
    """Win, normal, crisis and lose faces, 200 x 300 each, side by side."""
    sheet = Image.new("RGBA", (800, 300), (0, 0, 0, 0))
    for i, face in enumerate(("smile", "normal", "worried", "down")):
        frame, draw = art.canvas(200, 300)
        s = art.SUPER
        colour = art.PEOPLE[who]["cloth2"]
        draw.rounded_rectangle([4 * s, 60 * s, 196 * s, 296 * s], 14 * s, fill=art.dark(colour, 0.5) + (220,),
                               outline=art.PEOPLE[who]["trim"] + (255,), width=3 * s)
        layer = art.finish(frame)
        layer.alpha_composite(art.person_picture(who, face, 200, 300, zoom=0.92))
        sheet.alpha_composite(layer, (200 * i, 0))
    return sheet


def cutin(who, face):
    """A 500 x 600 cut-in: speed lines and the bust, large."""
    image, draw = art.canvas(500, 600)
    s = art.SUPER
    colour = art.PEOPLE[who]["hair"]
    draw.polygon([(0, 120 * s), (500 * s, 60 * s), (500 * s, 540 * s), (0, 480 * s)], fill=art.dark(colour, 0.6) + (230,))
    for i in range(14):
        y = (130 + i * 26) * s
        draw.line([(0, y), (500 * s, y - 50 * s)], fill=art.light(colour, 0.5) + (120,), width=2 * s)
    layer = art.finish(image)
    layer.alpha_composite(art.person_picture(who, face, 500, 600, zoom=1.15, shift=(0, 0.12)))
    return layer


def effects_sheet():
    """Twelve 32 x 32 frames: explosion (3), hit start, flight (2), arrival, Pow, Bomb, Score, Moffle (2)."""
    image, draw = art.canvas(384, 32)
    s = art.SUPER

    def centre(i):
        return (i * 32 + 16) * s, 16 * s

    for i, r in enumerate((6, 11, 15)):
        cx, cy = centre(i)
        draw.polygon(star(cx, cy, r * s, r * s * 0.5, 8), fill=(0xF8, 0x80, 0x20, 255))
        draw.polygon(star(cx, cy, r * s * 0.6, r * s * 0.3, 8), fill=(0xFF, 0xF0, 0x80, 255))
    cx, cy = centre(3)
    draw.polygon(star(cx, cy, 12 * s, 3 * s, 4), fill=(0xFF, 0xFF, 0xFF, 255))
    for i in (4, 5):
        cx, cy = centre(i)
        r = 7 if i == 4 else 5
        draw.ellipse([cx - r * s, cy - r * s, cx + r * s, cy + r * s], fill=(0x80, 0xD0, 0xFF, 255),
                     outline=(0xFF, 0xFF, 0xFF, 255), width=2 * s)
    cx, cy = centre(6)
    draw.polygon(star(cx, cy, 15 * s, 6 * s, 6), fill=(0xA0, 0xE0, 0xFF, 230))
    cx, cy = centre(7)
    draw.polygon(star(cx, cy, 14 * s, 7 * s), fill=(0xF0, 0x40, 0x30, 255), outline=(255, 255, 255, 255))
    draw.text((cx, cy + s), "P", font=art.font(12 * s, art.BOLD_LATIN), fill=(255, 255, 255, 255), anchor="mm")
    cx, cy = centre(8)
    draw_bomb(draw, cx - s, cy + 2 * s, 9 * s, s)
    cx, cy = centre(9)
    draw.ellipse([cx - 13 * s, cy - 13 * s, cx + 13 * s, cy + 13 * s], fill=(0xF8, 0xC8, 0x30, 255),
                 outline=(0x90, 0x60, 0x00, 255), width=2 * s)
    draw.text((cx, cy + s), "S", font=art.font(16 * s, art.BOLD_LATIN), fill=(0x90, 0x50, 0x00, 255), anchor="mm")
    for i, hop in ((10, 0), (11, 3)):  # Moffle: a fluffy ball with eyes that hops
        cx, cy = centre(i)
        cy -= hop * s
        draw.polygon(star(cx, cy + 2 * s, 13 * s, 10 * s, 12), fill=(0xF0, 0xE8, 0xFF, 255),
                     outline=(0x90, 0x80, 0xB0, 255))
        for ex in (-4, 4):
            draw.ellipse([cx + (ex - 2) * s, cy - 1 * s, cx + (ex + 2) * s, cy + 4 * s], fill=(0x30, 0x20, 0x40, 255))
        draw.ellipse([cx - 8 * s, cy + 4 * s, cx - 4 * s, cy + 7 * s], fill=(0xFF, 0xA0, 0xB0, 255))
        draw.ellipse([cx + 4 * s, cy + 4 * s, cx + 8 * s, cy + 7 * s], fill=(0xFF, 0xA0, 0xB0, 255))
    return art.finish(image)


def write_battle_data(folder, write_text):
    def path(*parts):
        full = os.path.join(folder, *parts)
        os.makedirs(os.path.dirname(full), exist_ok=True)
        return full

    def picture(name, image):
        art.save(image, path("InGame", "Image", name))

    for name, r in ROUNDS.items():
        write_text(path("InGame", "Round", name + ".ini"), round_ini(name, r))
        picture(r["back"] + ".png", battle_back(r["back"], r))
    for name, e in ENEMIES.items():
        write_text(path("InGame", "Enemy", name + ".ini"), enemy_ini(e))
    for name in ("Aoria", "Kestrin"):
        write_text(path("InGame", "Chara", name + ".ini"), CHARA_INI.replace("{name}", name.lower()))
    for file, frames in EFFECT_FILES:
        write_text(path("Effect", *file.split("/")), animation(frames))

    sheets = {tier: chip_sheet(tier) for tier in TIERS}
    for name, r in ROUNDS.items():
        for chip, tier in zip(round_chips(name, r), TIERS):
            picture(chip + ".png", sheets[tier])
    for hud in ("day", "night"):
        picture("lifebar_{}.png".format(hud), lifebar(hud))
        picture("bomb_front_{}.png".format(hud), bomb_icon(hud, True))
        picture("bomb_back_{}.png".format(hud), bomb_icon(hud, False))
        picture("rate_front_{}.png".format(hud), rate_icon(hud, True))
        picture("rate_back_{}.png".format(hud), rate_icon(hud, False))
    for who, face in (("aoria", "smile"), ("kestrin", "angry"), ("gard", "angry"), ("mistia", "angry")):
        picture(who + "_faces.png", faces_sheet(who))
        picture(who + "_cutin.png", cutin(who, face))
    art.save(effects_sheet(), path("Effect", "effects.png"))
