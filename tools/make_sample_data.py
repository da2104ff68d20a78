#!/usr/bin/python3
"""Writes the game's sample data set: the parameter files the shell, the battle
and the stories read, and the pictures, music and sounds they name.

    tools/make_sample_data.py [folder]     (default: data/Data beside this script)

Pictures are drawn with Pillow and the IPA and DejaVu fonts, sounds are
synthesised with NumPy and the music is encoded with oggenc; the Debian
packages for these are installed first when missing (as root, or through
sudo). The output is deterministic, so the files checked in under data/Data are
exactly what this script writes (the Ogg files may differ byte-wise between
encoder versions).
"""

import os
import shutil
import subprocess
import sys

PACKAGES = ["python3-pil", "python3-numpy", "fonts-ipafont-gothic", "fonts-dejavu-core", "vorbis-tools", "sox",
            "espeak-ng"]


def install_packages():
    missing = [p for p in PACKAGES if subprocess.run(
        ["dpkg-query", "-W", "-f=${Status}", p], capture_output=True, text=True).stdout.find("install ok installed") < 0]
    if not missing:
        return
    print("Installing: " + " ".join(missing), file=sys.stderr)
    prefix = [] if os.geteuid() == 0 else ["sudo"]
    env = dict(os.environ, DEBIAN_FRONTEND="noninteractive")
    subprocess.run(prefix + ["apt-get", "update", "-q"], check=True, env=env)
    subprocess.run(prefix + ["apt-get", "install", "-y", "-q", "--no-install-recommends"] + missing, check=True, env=env)


def write_text(path, text):
    # Parameter files are Shift-JIS.
    with open(path, "wb") as out:
        out.write(text.encode("cp932"))


def main():
    install_packages()
    # Imported after the install: they need Pillow and NumPy.
    from sample_data_audio import write_audio_data
    from sample_data_battle import write_battle_data
    from sample_data_shell import write_shell_data
    from sample_data_story import write_story_data

    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "data", "Data")
    if not shutil.which("oggenc"):
        sys.exit("oggenc (vorbis-tools) is needed to encode the music")
    os.makedirs(folder, exist_ok=True)
    write_shell_data(folder, write_text)
    write_battle_data(folder, write_text)
    write_audio_data(folder)
    write_story_data(folder)


if __name__ == "__main__":
    main()
