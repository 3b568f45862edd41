#!/usr/bin/python3
# Reads a foundation schedule DXF with ezdxf, a reader of its own, and prints
# what the tests compare as JSON: the header, the layers, and per cell (a
# FRAME rectangle inside no other) its texts, the plan outline (the lowest
# OUTLINE polyline), the pile circles relative to the plan's lower left
# corner and the dimension numbers. Every text is also looked for in the
# file's raw bytes in the drawing's own encoding, so that a text that only
# decodes by chance is caught.
import json
import sys

import ezdxf
from ezdxf import recover


def bbox(points):
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    return min(xs), min(ys), max(xs), max(ys)


def inside(box, x, y):
    return box[0] - 1e-6 <= x <= box[2] + 1e-6 and box[1] - 1e-6 <= y <= box[3] + 1e-6


def uncaret(text):
    """A DXF string writes a control character as "^" and the character 64
    above it, and a caret of the text as "^ " (ezdxf leaves both as stored)."""
    out = []
    i = 0
    while i < len(text):
        if text[i] == '^' and i + 1 < len(text):
            out.append('^' if text[i + 1] == ' ' else chr(ord(text[i + 1]) - 64))
            i += 2
        else:
            out.append(text[i])
            i += 1
    return ''.join(out)


def polyline_points(e):
    if e.dxftype() == 'LWPOLYLINE':
        return [(p[0], p[1]) for p in e.get_points('xy')], e.closed
    return [(v.dxf.location.x, v.dxf.location.y) for v in e.vertices], e.is_closed


def main(path):
    doc = ezdxf.readfile(path)
    raw = open(path, 'rb').read()
    msp = doc.modelspace()
    frames = []
    outlines = []
    for e in msp.query('POLYLINE LWPOLYLINE'):
        points, closed = polyline_points(e)
        if e.dxf.layer == 'FRAME' and closed and len(points) == 4:
            frames.append(bbox(points))
        if e.dxf.layer == 'OUTLINE':
            outlines.append({'box': bbox(points), 'closed': bool(closed)})
    cells = [f for f in frames
             if not any(g != f and inside(g, f[0], f[1]) and inside(g, f[2], f[3]) for g in frames)]
    cells.sort(key=lambda b: (-b[3], b[0]))

    texts = [(t.dxf.layer, t.dxf.text, t.dxf.insert.x, t.dxf.insert.y, t.dxf.height,
              t.dxf.align_point.x if t.dxf.hasattr('align_point') else t.dxf.insert.x,
              t.dxf.align_point.y if t.dxf.hasattr('align_point') else t.dxf.insert.y)
             for t in msp.query('TEXT')]
    # From R2007 on texts are UTF-8 whatever code page the drawing names.
    encoding = doc.output_encoding if doc.dxfversion >= 'AC1021' else doc.encoding
    raw_missing = [t[1] for t in texts if t[1].encode(encoding) not in raw]
    texts = [(t[0], uncaret(t[1])) + t[2:] for t in texts]
    # An audit of its own: what a reader would have to repair.
    recovered, auditor = recover.readfile(path)
    audit = recovered.audit()
    sheets = []
    for e in msp.query('POLYLINE LWPOLYLINE'):
        points, closed = polyline_points(e)
        if e.dxf.layer == 'SHEET' and closed and len(points) == 4:
            sheets.append(bbox(points))
    sheets = [f for f in sheets
              if not any(g != f and inside(g, f[0], f[1]) and inside(g, f[2], f[3]) for g in sheets)]
    out = {
        'audit': [len(auditor.errors) + len(audit.errors), len(auditor.fixes) + len(audit.fixes)],
        'sheets': [[b[2] - b[0], b[3] - b[1]] for b in sorted(sheets)],
        'cells_outside_sheets': sum(1 for c in cells if not any(inside(b, c[0], c[1]) and inside(b, c[2], c[3])
                                                                for b in sheets)),
        'least_text_height': min((t[4] for t in texts), default=0),
        'ng_texts': [t[1] for t in texts if t[0] == 'NG'],
        'version': doc.dxfversion,
        'encoding': encoding,
        'codepage': doc.header.get('$DWGCODEPAGE'),
        'insunits': doc.header.get('$INSUNITS'),
        'layers': sorted(layer.dxf.name for layer in doc.layers),
        'raw_missing': raw_missing,
        'cells': [],
    }
    for box in cells:
        cell_texts = [t for t in texts if inside(box, t[5], t[6])]
        plans = [o for o in outlines if inside(box, o['box'][0], o['box'][1])]
        plan = min(plans, key=lambda o: o['box'][1]) if plans else None
        title = max((t for t in cell_texts if t[0] == 'TEXT'), key=lambda t: t[4], default=None)
        piles = []
        if plan:
            x0, y0 = plan['box'][0], plan['box'][1]
            piles = [[c.dxf.center.x - x0, c.dxf.center.y - y0, c.dxf.radius]
                     for c in msp.query('CIRCLE[layer=="PILES"]') if inside(box, c.dxf.center.x, c.dxf.center.y)]
        bar_lines = [(b.dxf.start, b.dxf.end) for b in msp.query('LINE[layer=="BARS"]')]
        in_plan = [(a, b) for a, b in bar_lines if plan and inside(plan['box'], a.x, a.y) and inside(plan['box'], b.x, b.y)]
        out['cells'].append({
            'bars_x': sum(1 for a, b in in_plan if abs(a.y - b.y) < 1e-6),
            'bars_y': sum(1 for a, b in in_plan if abs(a.x - b.x) < 1e-6),
            'title': title[1] if title else '',
            'texts': [t[1] for t in cell_texts if t[0] == 'TEXT'],
            'dimensions': [t[1] for t in cell_texts if t[0] == 'DIMENSIONS'],
            'outlines': len(plans),
            'outlines_closed': all(o['closed'] for o in plans),
            'plan': [plan['box'][2] - plan['box'][0], plan['box'][3] - plan['box'][1]] if plan else None,
            'piles': piles,
        })
    json.dump(out, sys.stdout, ensure_ascii=False)


if __name__ == '__main__':
    main(sys.argv[1])
