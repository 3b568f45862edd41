#!/usr/bin/env python3
"""Writes the two files the frame analysis leaves for the import of support
reactions (KW-FPP1.dat and KW-FSPTK5, CP932 text with CR LF) for a generated
building of one to three storeys: a grid of frames and axes, its supports, the reactions of
the five load cases seen from X and from Y.

Loads follow where a column stands: an interior column carries a full bay,
an edge column half of it and a corner column a quarter; the seismic case
adds moments and shears in both directions, larger towards the ends of a
frame. A seed varies the bays and the storeys above, so every building is
different and each run of one seed the same.

    generated_building.py DATA_FOLDER [--supports 2000] [--seed 1]
"""
import argparse
import random
from pathlib import Path


def building(supports, seed):
    rng = random.Random(seed)
    axes = max(1, min(50, int(round(supports ** 0.5 * 1.25))))
    frames = (supports + axes - 1) // axes
    bays_x = [rng.choice((5.4, 6.0, 6.6, 7.2)) for _ in range(axes + 1)]
    bays_y = [rng.choice((5.4, 6.0, 7.0)) for _ in range(frames + 1)]
    rows = []
    for n in range(supports):
        frame, axis = 1 + n // axes, 1 + n % axes
        span_x = (bays_x[axis - 1] if axis > 1 else 0) / 2 + (bays_x[axis] if axis < axes else 0) / 2
        span_y = (bays_y[frame - 1] if frame > 1 else 0) / 2 + (bays_y[frame] if frame < frames else 0) / 2
        storeys = rng.choice((1, 2, 2, 3))
        long_n = span_x * span_y * storeys * rng.uniform(11.0, 14.0)  # kN
        end_x = 1.0 + (axis in (1, axes)) * 0.6
        end_y = 1.0 + (frame in (1, frames)) * 0.6
        seismic_n = long_n * rng.uniform(0.05, 0.25) * max(end_x, end_y)
        rows.append({
            'frame': frame, 'axis': axis,
            'N': long_n, 'NE': seismic_n,
            'MX': long_n * rng.uniform(0.02, 0.12) * end_x, 'MY': long_n * rng.uniform(0.02, 0.12) * end_y,
            'HX': long_n * rng.uniform(0.10, 0.22), 'HY': long_n * rng.uniform(0.10, 0.22),
            'mLX': long_n * rng.uniform(0.0, 0.01), 'mLY': long_n * rng.uniform(0.0, 0.01),
        })
    return rows


def case_values(row, direction, case):
    """H, N, M of one line; compression negative, as the analysis writes it."""
    x = direction == 1
    if case == 1:
        return (row['HX' if x else 'HY'] * 0.02, -row['N'], row['mLX' if x else 'mLY'])
    if case == 2:
        return (row['HX' if x else 'HY'], -row['NE'], row['MX' if x else 'MY'])
    if case == 3:
        return (0.0, -row['N'] * 0.08, 0.0)
    return (row['HX' if x else 'HY'] * 0.5, -row['NE'] * 0.4, row['MX' if x else 'MY'] * 0.45)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('folder')
    parser.add_argument('--supports', type=int, default=2000)
    parser.add_argument('--seed', type=int, default=1)
    args = parser.parse_args()
    folder = Path(args.folder)
    folder.mkdir(parents=True, exist_ok=True)
    rows = building(args.supports, args.seed)
    (folder / 'KW-FPP1.dat').write_bytes(
        f'"P-00",1\r\n"P-01",1,1,"生成建物{args.supports}"\r\n'.encode('cp932'))
    lines = []
    for direction in (1, 2):
        for row in rows:
            frame, axis = (row['frame'], row['axis']) if direction == 1 else (row['axis'], row['frame'])
            for case in range(1, 6):
                h, n, m = case_values(row, direction, case)
                frame_name = f'{"X" if direction == 1 else "Y"}{frame}'
                axis_name = f'{"Y" if direction == 1 else "X"}{axis}'
                lines.append(f'{direction},{frame},1,{axis},{case},"{frame_name}","1F","{axis_name}","",'
                             f'{h:.4f},{n:.4f},{m:.4f}')
    (folder / 'KW-FSPTK5').write_bytes(''.join(l + '\r\n' for l in lines).encode('cp932'))
    print(f'{args.supports} supports written to {folder}')


if __name__ == '__main__':
    main()
