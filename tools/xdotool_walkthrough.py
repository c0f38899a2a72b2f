#!/usr/bin/env python3
# Plays a replay file in the real program's window under Xvfb, with xdotool: a person's
# clicks, drags and box answers instead of the headless replay. Screenshots of the bar, the
# boxes and the end go to OUT_FOLDER. For checking the Qt windows by hand; not a CI test.
#
# usage: xdotool_walkthrough.py PLAYER GAME_FOLDER REPLAY_FILE OUT_FOLDER
# Needs Xvfb, xdotool and ImageMagick (scripts/setup.sh installs them). Assumes the game's
# window title is its GameTitle and its area 640 x 480.
import subprocess, time, os, sys
player_path, game_folder, replay_file, out = sys.argv[1:5]
os.makedirs(out, exist_ok=True)
env = dict(os.environ, DISPLAY=':78')
def sh(*a): return subprocess.run(a, env=env, capture_output=True, text=True).stdout
def xd(*a): return sh('xdotool', *a)
xvfb = subprocess.Popen(['Xvfb', ':78', '-screen', '0', '1280x960x24'], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
time.sleep(1)
player = subprocess.Popen([player_path, game_folder], env=env, stdout=open(os.path.join(out, 'player.log'), 'w'), stderr=subprocess.STDOUT)
time.sleep(3)
shots = 0
def shot(name):
    sh('import', '-window', 'root', os.path.join(out, f'{name}.png'))
def geom(w):
    d = {}
    for line in xd('getwindowgeometry', '--shell', w).split():
        k, v = line.split('='); d[k] = int(v) if v.isdigit() else v
    return d
origin = None
title = next(l.split('"')[5] for l in open(os.path.join(game_folder, 'Config', 'General'), encoding='latin-1'))
def game_origin():
    w = xd('search', '--onlyvisible', '--name', title).split()[0]
    g = geom(w)
    return g['X'], g['Y'] + g['HEIGHT'] - 480
pending = [False]
def answer_box():
    global shots
    wins = xd('search', '--onlyvisible', '--name', title).split()
    boxes = [x for x in wins if geom(x)['HEIGHT'] < 400]
    if not boxes: return False
    g = geom(boxes[0])
    shots += 1; shot(f'box{shots}')
    xd('mousemove', str(g['X'] + g['WIDTH'] - 50), str(g['Y'] + g['HEIGHT'] - 23)); time.sleep(0.2)
    xd('click', '1'); time.sleep(0.5)
    return True
def click(x, y, button=1):
    xd('mousemove', str(origin[0] + x), str(origin[1] + y)); time.sleep(0.15)
    xd('click', str(button)); time.sleep(0.7)
    if pending[0] and answer_box(): pending[0] = False
for line in open(replay_file):
    line = line.strip()
    if not line or line.startswith('#'): continue
    w = line.split()
    if w[0] == 'start':
        s = xd('search', '--onlyvisible', '--class', 'talewick-player').split()[0]
        g = geom(s)
        xd('mousemove', str(g['X'] + g['WIDTH'] // 2), str(g['Y'] + 85)); xd('click', '1')
        time.sleep(2); origin = game_origin(); shot('start')
    elif w[0] == 'click':
        click(int(w[1]), int(w[2]))
    elif w[0] == 'wait':
        time.sleep(int(w[1]) / 1000 + 0.2)
    elif w[0] == 'answer':
        time.sleep(0.3)
        if not answer_box(): pending[0] = True
    elif w[0] in ('drag', 'dragitem'):
        n = int(w[1])
        xd('mousemove', str(origin[0] + 10), str(origin[1] + 10)); time.sleep(0.8)  # the button opens the bar
        ix, iy = 10 + (n - 1) * 42 + 16, 26
        xd('mousemove', str(origin[0] + ix), str(origin[1] + iy)); time.sleep(0.3)
        shots += 1; shot(f'bar{shots}')
        xd('mousedown', '1'); time.sleep(0.2)
        if w[0] == 'drag':
            tx, ty = int(w[2]), int(w[3])
        else:
            m = int(w[2]); tx, ty = 10 + (m - 1) * 42 + 16, 26
        for k in range(1, 6):
            xd('mousemove', str(origin[0] + ix + (tx - ix) * k // 5), str(origin[1] + iy + (ty - iy) * k // 5)); time.sleep(0.05)
        time.sleep(0.2); xd('mouseup', '1'); time.sleep(0.8)
        shot(f'drop{shots}')
    print(line, flush=True)
time.sleep(1)
shot('end')
print('player alive:', player.poll() is None)
player.kill(); xvfb.kill()
