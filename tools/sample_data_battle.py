"""The battle's part of the sample data set: one round INI shared by both
characters, one enemy, the two characters, the seven fixed effect files with the
Moffle and bomb animations, and the placeholder pictures and sounds they name.

Called by make_sample_data.py as write_battle_data(folder, png, write_wav, write_text).
"""

import os

ROUND_INI = """; One battle round: two stacked boards of 16 x 12 cells of 24 pixels.
[Image]
ChipImageVariationNum=2
ChipImageFileName0="Data/InGame/Image/chips_a.png"
ChipImageFileName1="Data/InGame/Image/chips_b.png"
ChipWidth=24
ChipHeight=24
ChipBaseX=208
ChipBaseY=150
BackFileName="Data/InGame/Image/back.png"
BackSrcRect_Left=0
BackSrcRect_Top=0
BackSrcRect_Right=800
BackSrcRect_Bottom=600
EnemyLifeBarFileName="Data/InGame/Image/lifebar.png"
EnemyLifeBarSrcRect_Left=0
EnemyLifeBarSrcRect_Top=0
EnemyLifeBarSrcRect_Right=800
EnemyLifeBarSrcRect_Bottom=16
BombIconFrontFileName="Data/InGame/Image/bomb_front.png"
BombIconBackFileName="Data/InGame/Image/bomb_back.png"
BombIconFrontSrcRect_Left=0
BombIconFrontSrcRect_Top=0
BombIconFrontSrcRect_Right=40
BombIconFrontSrcRect_Bottom=40
BombIconBackSrcRect_Left=0
BombIconBackSrcRect_Top=0
BombIconBackSrcRect_Right=40
BombIconBackSrcRect_Bottom=40
AtkRateIconFrontFileName="Data/InGame/Image/rate_front.png"
AtkRateIconBackFileName="Data/InGame/Image/rate_back.png"
AtkRateIconFrontSrcRect_Left=0
AtkRateIconFrontSrcRect_Top=0
AtkRateIconFrontSrcRect_Right=30
AtkRateIconFrontSrcRect_Bottom=30
AtkRateIconBackSrcRect_Left=0
AtkRateIconBackSrcRect_Top=0
AtkRateIconBackSrcRect_Right=30
AtkRateIconBackSrcRect_Bottom=30

[Stage]
BoardsNum=2
MineBoardWidth=16
MineBoardHeight=12
MineNum=20
PowNum=3
BombNum=3
ScoreNum=3

[Event]
MaxPlayerBomb=150
MaxPlayerAtkRate=300
AddBombOnOpenChip=2
AddLifeOnOpenMine=100
AddAtkRateOnOpenPow=50
AddBombOnOpenBomb=25
AddScoreOnOpenScore=5000
SubAtkRateOnOpenMine=50

[SE]
OnOpenMine="Data/InGame/Sound/Common/mine.wav"
OnOpenChip="Data/InGame/Sound/Common/chip.wav"
OnSetFlag="Data/InGame/Sound/Common/flag.wav"
OnGameClear="Data/InGame/Sound/Common/clear.wav"
OnGameOver="Data/InGame/Sound/Common/over.wav"

[BGM]
BGM="Data/InGame/Sound/BGM/battle.wav"

; The bar is drawn at (PositionX - filled / 2, PositionY); hits fly to y 64.
[EnemyLifeBar]
PositionX=800
PositionY=56

[BombIconClickRect]
Num=3
Left0=20
Top0=540
Right0=60
Bottom0=580
Left1=70
Top1=540
Right1=110
Bottom1=580
Left2=120
Top2=540
Right2=160
Bottom2=580

[AtkRateIconPosition]
Num=3
X0=220
Y0=550
X1=260
Y1=550
X2=300
Y2=550
"""

FACES = """[Image]
OnWin="{sheet}"
OnNormal="{sheet}"
OnCrisis="{sheet}"
OnLose="{sheet}"
OnWin_Left=0
OnWin_Top=0
OnWin_Right=200
OnWin_Bottom=300
OnNormal_Left=200
OnNormal_Top=0
OnNormal_Right=400
OnNormal_Bottom=300
OnCrisis_Left=400
OnCrisis_Top=0
OnCrisis_Right=600
OnCrisis_Bottom=300
OnLose_Left=600
OnLose_Top=0
OnLose_Right=800
OnLose_Bottom=300
"""

ENEMY_INI = """; The enemy: its life climbs back by RejP every RejInterval milliseconds.
""" + FACES.format(sheet="Data/InGame/Image/enemy_faces.png") + """
[Moffle]
MoffleNum=1
Effect="Data/Effect/Moffle/Moffle.ini"

[SE]
OnAddMoffleNum=1
OnAddMoffle0="Data/InGame/Sound/Common/moffle.wav"

[OnCrisis]
IsEnable=1
Cutin="Data/InGame/Image/enemy_cutin.png"
SE="Data/InGame/Sound/Common/crisis.wav"
RejInterval=100
AddMoffleNum=1

[Enemy]
Life=600
MaxLife=1200
RejP=2
RejInterval=200
"""

CHARA_INI = """; A player character: faces, bomb, Moffles and starting values.
""" + FACES.format(sheet="Data/InGame/Image/{name}_faces.png") + """
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

EFFECT_COLOURS = [(0xF0, 0x40, 0x20), (0xF0, 0x80, 0x20), (0xF0, 0xC0, 0x20), (0xFF, 0xFF, 0xFF),
                  (0xC0, 0xE0, 0xFF), (0x80, 0xC0, 0xFF), (0x40, 0x80, 0xFF), (0xFF, 0x90, 0x30),
                  (0x60, 0x60, 0x60), (0x40, 0xD0, 0x40), (0xE0, 0xA0, 0xE0), (0xC0, 0x80, 0xC0)]

SOUNDS = [("mine.wav", 0.25, 180), ("chip.wav", 0.08, 1320), ("flag.wav", 0.06, 990),
          ("clear.wav", 0.6, 660), ("over.wav", 0.6, 220), ("moffle.wav", 0.1, 1760),
          ("crisis.wav", 0.3, 440), ("bomb.wav", 0.3, 120), ("zenkesi.wav", 0.3, 1046),
          ("danger.wav", 0.3, 587)]


def animation(frames):
    text = "[Animations]\nAnimationNum=%d\nBaseScaling=100\n" % len(frames)
    for i, x in enumerate(frames):
        text += ("[Animation%d]\nAnimationFileName=\"%s\"\nAnimationSrcRect_Left=%d\nAnimationSrcRect_Top=0\n"
                 "AnimationSrcRect_Right=%d\nAnimationSrcRect_Bottom=32\n" % (i, EFFECT_SHEET, x, x + 32))
    return text


def chip_pixel(tint):
    """Chip frames 24 x 24 stacked in 16 rows, in two columns (active, other).

    Row n: 1-8 neighbour counts (n dots), 9 opened mine, 10 flag, 11 mark, 12 closed,
    13 Pow, 14 Bomb, 15 Score."""
    colours = {9: (0xE0, 0x20, 0x20), 10: (0xF0, 0xD0, 0x20), 11: (0x40, 0x60, 0xE0), 12: (0x90, 0x90, 0x98),
               13: (0xF0, 0x80, 0x20), 14: (0x30, 0x30, 0x30), 15: (0x30, 0xB0, 0x50)}

    def pixel(x, y):
        column, cx = divmod(x, 24)
        row, cy = divmod(y, 24)
        edge = cx in (0, 23) or cy in (0, 23)
        base = colours.get(row, (0xE8, 0xE8, 0xE0))
        if edge:
            base = (base[0] // 2, base[1] // 2, base[2] // 2)
        elif 1 <= row <= 8 and cy in (11, 12) and 2 <= cx < 2 + 2 * row and cx % 2 == 0:
            base = (0x20, 0x20, 0xA0)
        if column == 1:
            return (base[0] * 3 // 4, base[1] * 3 // 4, base[2] * 3 // 4)
        return (min(255, base[0] + tint[0]), min(255, base[1] + tint[1]), min(255, base[2] + tint[2]))

    return pixel


def faces_pixel(colour):
    """Four 200 x 300 faces side by side: win, normal, crisis, lose."""
    shades = [(0, 40, 0), (0, 0, 0), (40, 0, 0), (-40, -40, -40)]

    def pixel(x, y):
        face = x // 200
        if 60 <= y < 80 and (40 <= x % 200 < 70 or 130 <= x % 200 < 160):
            return (0x10, 0x10, 0x10)
        shade = shades[face]
        return tuple(max(0, min(255, c + s)) for c, s in zip(colour, shade))

    return pixel


def write_battle_data(folder, png, write_wav, write_text):
    def path(*parts):
        full = os.path.join(folder, *parts)
        os.makedirs(os.path.dirname(full), exist_ok=True)
        return full

    def picture(name, width, height, pixel):
        with open(path("InGame", "Image", name), "wb") as out:
            out.write(png(width, height, pixel))

    write_text(path("InGame", "Round", "R0.ini"), ROUND_INI)
    write_text(path("InGame", "Enemy", "E0.ini"), ENEMY_INI)
    for name in ("Aoria", "Kestrin"):
        write_text(path("InGame", "Chara", name + ".ini"), CHARA_INI.replace("{name}", name.lower()))
    for file, frames in EFFECT_FILES:
        write_text(path("Effect", *file.split("/")), animation(frames))

    picture("chips_a.png", 48, 384, chip_pixel((0x10, 0x10, 0x00)))
    picture("chips_b.png", 48, 384, chip_pixel((0x00, 0x10, 0x18)))
    picture("back.png", 800, 600, lambda x, y: (0x18, 0x20 + y // 20, 0x38))
    picture("lifebar.png", 800, 16, lambda x, y: (0xD0, 0x20, 0x20) if 2 <= y < 14 else (0x60, 0x10, 0x10))
    picture("bomb_front.png", 40, 40, lambda x, y: (0x30, 0x30, 0x30) if (x - 20) ** 2 + (y - 22) ** 2 < 256
            else (0xF0, 0x80, 0x20))
    picture("bomb_back.png", 40, 40, lambda x, y: (0x50, 0x50, 0x60))
    picture("rate_front.png", 30, 30, lambda x, y: (0xF0, 0x60, 0x20) if abs(x - 15) + abs(y - 15) < 13
            else (0xF0, 0xD0, 0x60))
    picture("rate_back.png", 30, 30, lambda x, y: (0x50, 0x50, 0x60))
    picture("enemy_faces.png", 800, 300, faces_pixel((0x90, 0x50, 0xA0)))
    picture("aoria_faces.png", 800, 300, faces_pixel((0xE0, 0xA0, 0x80)))
    picture("kestrin_faces.png", 800, 300, faces_pixel((0x80, 0xA0, 0xE0)))
    picture("enemy_cutin.png", 500, 600, lambda x, y: (0x60, 0x20, 0x70))
    picture("aoria_cutin.png", 500, 600, lambda x, y: (0xE0, 0x90, 0x70))
    picture("kestrin_cutin.png", 500, 600, lambda x, y: (0x70, 0x90, 0xE0))
    with open(path("Effect", "effects.png"), "wb") as out:
        out.write(png(384, 32, lambda x, y: EFFECT_COLOURS[x // 32] if (x % 32 - 16) ** 2 + (y - 16) ** 2 < 196
                      else (0, 0, 0)))

    for name, seconds, frequency in SOUNDS:
        write_wav(path("InGame", "Sound", "Common", name), seconds, frequency)
    write_wav(path("InGame", "Sound", "BGM", "battle.wav"), 2.0, 330)
