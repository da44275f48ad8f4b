// SPDX-License-Identifier: GPL-3.0-or-later
// The detailed outlines cut into cells of whole degrees, so that a page
// close in parses and draws only the ground in view:
//   cells/LAT_LNG.json  one cell's features, by kind;
//   cells/index.tsv     each file with the cell's bounds (west, south, east, north).
// Filled shapes reach a little past their cell, so neighbouring cells leave
// no hairline seam; their outlines become lines of their own, clipped exactly.
import fs from 'node:fs';
import path from 'node:path';

const CELL = 5;
const OVERLAP = 0.02;
const round = (value) => (Array.isArray(value) ? value.map(round) : Math.round(value * 1000) / 1000);

export function boxOf(coordinates) {
  const box = [Infinity, Infinity, -Infinity, -Infinity];
  const visit = (c) => {
    if (typeof c[0] !== 'number') return c.forEach(visit);
    box[0] = Math.min(box[0], c[0]); box[1] = Math.min(box[1], c[1]);
    box[2] = Math.max(box[2], c[0]); box[3] = Math.max(box[3], c[1]);
  };
  visit(coordinates);
  return box;
}

export const meets = (a, b) => a[0] <= b[2] && b[0] <= a[2] && a[1] <= b[3] && b[1] <= a[3];

// Each part of a geometry with its bounds: polygons for fills, lines for the rest.
function parts(geometry) {
  const { type, coordinates } = geometry;
  const list = type === 'Polygon' || type === 'LineString' ? [coordinates] : coordinates;
  return list.map((part) => ({ part, box: boxOf(part) }));
}

function clipFill(polygon, box, clipPolygon) {
  const [outer, ...holes] = polygon.map((ring) => clipPolygon(ring, box));
  if (outer.length < 3) return null;
  return [outer, ...holes.filter((ring) => ring.length >= 3)];
}

function clipLine(line, box, clipPolyline) {
  return clipPolyline(line, box).filter((piece) => piece.length >= 2);
}

// A polygon's rings as lines: the shore of a lake, the coast of a country.
export function ringsOf(geometry) {
  const polygons = geometry.type === 'Polygon' ? [geometry.coordinates] : geometry.coordinates;
  return { type: 'MultiLineString', coordinates: polygons.flat() };
}

// `shapes`: { kind, fill, geometry } in drawing order.
export function writeCells({ web, shapes, clipPolygon, clipPolyline }) {
  const folder = path.join(web, 'cells');
  fs.mkdirSync(folder, { recursive: true });
  const prepared = shapes.map((s) => ({ ...s, pieces: parts(s.geometry) }));
  const index = [];
  for (let south = 10; south < 85; south += CELL) {
    for (let west = -180; west < -50; west += CELL) {
      const exact = [west, south, west + CELL, south + CELL];
      const wide = [west - OVERLAP, south - OVERLAP, west + CELL + OVERLAP, south + CELL + OVERLAP];
      const features = [];
      for (const { kind, fill, pieces } of prepared) {
        const box = fill ? wide : exact;
        const cut = pieces.filter((p) => meets(p.box, box)).flatMap(({ part }) => {
          if (!fill) return clipLine(part, box, clipPolyline);
          const polygon = clipFill(part, box, clipPolygon);
          return polygon ? [polygon] : [];
        });
        if (!cut.length) continue;
        const geometry = { type: fill ? 'MultiPolygon' : 'MultiLineString', coordinates: round(cut) };
        features.push({ type: 'Feature', properties: { kind }, geometry });
      }
      // Open sea is the page's own ground: a cell of water alone is not written.
      if (!features.some((f) => f.geometry.type === 'MultiPolygon' && f.properties.kind !== 'inlandWater')) continue;
      const name = `${south}_${west}.json`;
      fs.writeFileSync(path.join(folder, name), JSON.stringify({ type: 'FeatureCollection', features }));
      index.push([name, ...exact].join('\t'));
    }
  }
  fs.writeFileSync(path.join(folder, 'index.tsv'), index.join('\n') + '\n');
  console.log(`cells: ${index.length} files`);
}
